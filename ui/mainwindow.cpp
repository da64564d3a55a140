// The main window: layout, menu, timer and handlers.
#include "ui/mainwindow.h"

#include <QAction>
#include <QCheckBox>
#include <QEvent>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>
#include <charconv>
#include <exception>

#include "chart/panel/chart.h"
#include "chart/series/chartseries.h"
#include "platform/exceptions.h"
#include "platform/qt/fonts.h"
#include "platform/qt/messages.h"
#include "platform/qt/qtcolor.h"
#include "platform/text/numtext.h"
#include "programchart/programchart.h"
#include "random/randomvariates.h"
#include "random/runtimerandom.h"
#include "sim/chartcommand.h"
#include "sim/report.h"
#include "sim/runcontrol.h"
#include "sim/setup.h"
#include "ui/chartwidget.h"
#include "ui/clientarea.h"
#include "ui/cspinedit.h"
#include "ui/logmemo.h"
#include "ui/studydialog.h"

namespace vadidazid {

namespace {

constexpr int kClientWidth = 682;
constexpr int kClientHeight = 566;

// A number the program wrote with the point, whatever the decimal separator.
double PointNumber(const std::string& text) {
  double value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

// A style sheet cuts a widget off from its parent's font, so each control takes the
// window's font itself, before its size, which a spin edit measures by its font.
template <typename W>
W* Place(W* widget, int left, int top, int width, int height) {
  widget->setFont(widget->window()->font());
  widget->setGeometry(left, top, width, height);
  return widget;
}

QGroupBox* GroupBox(QWidget* parent, const char* caption, int l, int t, int w, int h) {
  auto* box = Place(new QGroupBox(QString::fromUtf8(caption), parent), l, t, w, h);
  // The caption sits on the frame line at the top, where the layout's positions of the
  // controls inside expect it.
  box->setStyleSheet(
      "QGroupBox { border: 1px solid #A0A0A0; margin-top: 6px; }"
      "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
      " left: 6px; padding: 0px; }");
  return box;
}

QLabel* StaticText(QWidget* parent, const char* caption, int l, int t, int w, int h) {
  auto* label = Place(new QLabel(QString::fromUtf8(caption), parent), l, t, w, h);
  // A caption that the installed font makes wider than its box grows to the right
  // rather than lose its last letters.
  label->resize(std::max(w, label->sizeHint().width()), h);
  return label;
}

TCSpinEdit* SpinEdit(QWidget* parent, int l, int t, const ParameterRange& range, int increment,
                     int value) {
  auto* spin = Place(new TCSpinEdit(parent), l, t, 61, 22);
  spin->SetMinValue(range.min);
  spin->SetMaxValue(range.max);
  spin->SetIncrement(increment);
  spin->SetValue(value);
  return spin;
}

QLineEdit* Edit(QWidget* parent, const char* text, int l, int t) {
  return Place(new QLineEdit(QString::fromUtf8(text), parent), l, t, 61, 21);
}

QPushButton* Button(QWidget* parent, const char* caption, int l, int t, int w, int h) {
  return Place(new QPushButton(QString::fromUtf8(caption), parent), l, t, w, h);
}

// The window's timer as the run's step timer.
class WindowTimer : public StepTimer {
 public:
  explicit WindowTimer(QTimer* timer) : timer_(timer) {}
  bool Running() const override { return timer_->isActive(); }
  void SetRunning(bool running) override {
    if (running) {
      timer_->start();
    } else {
      timer_->stop();
    }
  }
  void SetInterval(int milliseconds) override { timer_->setInterval(milliseconds); }

 private:
  QTimer* timer_;
};

// The spin edit's value with its limits applied, as leaving the field would apply them.
int32_t LimitedValue(TCSpinEdit* spin) {
  const int32_t value = spin->GetValue();
  if (spin->CheckValue(value) != value) spin->SetValue(value);
  return spin->GetValue();
}

}  // namespace

TForm1::TForm1(QWidget* parent) : TForm1(SimGenerator(), ProcessRuntimeRandom(), parent) {}

TForm1::TForm1(RandomVariates& generator, RuntimeRandom& moves, QWidget* parent)
    : QMainWindow(parent), state_(generator, moves), run_(state_, *this) {
  CreateControls();
  CreateMenu();
  SetTabOrder();
  ConnectHandlers();
  PlaceOnScreen();
}

TForm1::~TForm1() = default;

TChart& TForm1::Chart() { return Chart1->Chart(); }

void TForm1::CreateControls() {
  setWindowTitle(QString::fromUtf8("Vadidazid zdarzeń dyskretnych"));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setFont(ForDevicePixelRatio(ToQFont(TFont{}), devicePixelRatioF()));
  QPalette face = palette();
  face.setColor(QPalette::Window, ToQColor(clBtnFace));
  setPalette(face);

  ClientArea = new TClientArea(kClientWidth, kClientHeight, this);
  setCentralWidget(ClientArea);
  QWidget* c = ClientArea;

  // The controls start at the parameters a run has by default, the runner's too.
  const SimControls defaults;
  GroupBox1 = GroupBox(c, " Parametry ", 4, 4, 237, 353);
  GroupBox2 = GroupBox(GroupBox1, " Rozpoczęcie rozmowy ", 8, 120, 221, 45);
  StaticText4 = StaticText(GroupBox2, "Prawdopodobieństwo", 12, 20, 106, 17);
  CSpinEdit4 = SpinEdit(GroupBox2, 152, 15, kCallPercentRange, 1, defaults.callPercent);
  GroupBox3 = GroupBox(GroupBox1, " Czas trwania rozmowy ", 8, 168, 221, 73);
  StaticText5 = StaticText(GroupBox3, "Średnia", 64, 20, 40, 17);
  StaticText6 = StaticText(GroupBox3, "Odchylenie standardowe", 20, 48, 121, 17);
  Edit1 = Edit(GroupBox3, "5.0", 152, 16);
  Edit2 = Edit(GroupBox3, "0.01", 152, 44);
  GroupBox4 = GroupBox(GroupBox1, " Ogólne ", 8, 16, 221, 101);
  StaticText1 = StaticText(GroupBox4, "Rozmiar sieci (bok)", 30, 20, 93, 17);
  CSpinEdit1 = SpinEdit(GroupBox4, 152, 15, kGridSideRange, 1, defaults.gridSide);
  StaticText2 = StaticText(GroupBox4, "Ilość abonentów", 36, 48, 82, 17);
  CSpinEdit2 = SpinEdit(GroupBox4, 152, 43, kSubscriberRange, 10, defaults.subscriberCount);
  StaticText3 = StaticText(GroupBox4, "Ilość kanałów / BS", 32, 76, 96, 17);
  CSpinEdit3 = SpinEdit(GroupBox4, 152, 71, kChannelRange, 10, defaults.channelsPerCell);
  GroupBox6 = GroupBox(GroupBox1, " Symulacja ", 8, 244, 221, 101);
  CheckBox1 = Place(new QCheckBox(GroupBox6), 24, 76, 89, 17);
  CheckBox1->setChecked(defaults.reseed);
  CSpinEdit5 = SpinEdit(GroupBox6, 152, 16, kStepLimitRange, 1, defaults.stepLimit);
  StaticText7 = StaticText(GroupBox6, "Liczba kroków", 44, 20, 73, 17);
  StaticText8 = StaticText(GroupBox6, "Prędkość", 56, 48, 49, 17);
  CSpinEdit6 = SpinEdit(GroupBox6, 152, 44, kSpeedRange, 1, defaults.stepsPerSecond);
  CSpinEdit7 = SpinEdit(GroupBox6, 152, 72, kSeedRange, 1, defaults.seed);
  // Above the check box, which has no caption of its own; clicks on the text reach it.
  StaticText9 = StaticText(GroupBox6, "Ziarno", 64, 76, 34, 17);
  StaticText9->setAttribute(Qt::WA_TransparentForMouseEvents);

  GroupBox5 = GroupBox(c, " Kontrola ", 4, 360, 237, 105);
  Button1 = Button(GroupBox5, "Start / Stop", 12, 20, 137, 37);
  Button2 = Button(GroupBox5, "Krok", 160, 20, 65, 37);
  Button3 = Button(GroupBox5, "Reset", 12, 68, 213, 25);

  // A view over log_, which holds the lines once for the memo and for "Zapisz dane".
  Memo1 = new TLogMemo(log_, c);
  Memo1->setGeometry(4, 468, 237, 93);
  Memo1->setFrameShape(QFrame::NoFrame);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setFont(ForDevicePixelRatio(ToQFont(TFont{"Lucida Console", -11}), devicePixelRatioF()));
  QPalette memo = Memo1->palette();
  memo.setColor(QPalette::Base, ToQColor(clBtnFace));
  memo.setColor(QPalette::Text, ToQColor(clWindowText));
  Memo1->setPalette(memo);
  // Tab stops every eight characters, so that the log's columns line up.
  Memo1->SetTabStopDistance(8 * QFontMetricsF(Memo1->font()).horizontalAdvance(QLatin1Char('x')));

  Chart1 = new TChartWidget(CreateProgramChart(), c);
  Chart1->setGeometry(244, 360, 433, 201);

  Timer1 = new QTimer(this);
  Timer1->setInterval(1000);
}

void TForm1::CreateMenu() {
  QMenu* program = menuBar()->addMenu(QString::fromUtf8("Vadidazid"));
  Vadidazid1 = program->menuAction();
  Badanie1 = program->addAction(QString::fromUtf8("Badanie…"));
  Badanie1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
  Zakocz1 = program->addAction(QString::fromUtf8("Zakończ"));
  Zapiszwykres1 = menuBar()->addAction(QString::fromUtf8("Zapisz wykres"));
  asd1 = menuBar()->addAction(QString::fromUtf8("Zapisz dane"));
}

void TForm1::SetTabOrder() {
  const QList<QWidget*> order = {CSpinEdit1, CSpinEdit2, CSpinEdit3, CSpinEdit4, Edit1,
                                 Edit2,      CSpinEdit5, CSpinEdit6, CSpinEdit7, CheckBox1,
                                 Button1,    Button2,    Button3,    Memo1};
  for (int i = 0; i + 1 < order.size(); ++i) setTabOrder(order[i], order[i + 1]);
}

void TForm1::ConnectHandlers() {
  connect(Button1, &QPushButton::clicked, this, [this] { Handle([this] { Button1Click(); }); });
  connect(Button2, &QPushButton::clicked, this, [this] { Handle([this] { Button2Click(); }); });
  connect(Button3, &QPushButton::clicked, this, [this] { Handle([this] { Button3Click(); }); });
  connect(Timer1, &QTimer::timeout, this, [this] {
    // A message box waits in an event loop of its own, where the ticks go on: the run
    // must not step behind a box the user has not read yet.
    if (OpenMessageBoxes() > 0) return;
    Handle([this] { Timer1Timer(); });
  });
  connect(Zakocz1, &QAction::triggered, this, [this] { Handle([this] { Zakocz1Click(); }); });
  connect(Badanie1, &QAction::triggered, this, [this] { Handle([this] { Badanie1Click(); }); });
  connect(asd1, &QAction::triggered, this, [this] { Handle([this] { asd1Click(); }); });
  connect(Zapiszwykres1, &QAction::triggered, this,
          [this] { Handle([this] { Zapiszwykres1Click(); }); });
}

void TForm1::PlaceOnScreen() {
  adjustSize();
  setFixedSize(sizeHint());
  if (QScreen* screen = this->screen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
}

template <typename F>
void TForm1::Handle(F&& handler) {
  try {
    handler();
  } catch (...) {
    ShowMessage(DescribeFailure(std::current_exception()).message);
  }
}

bool TForm1::event(QEvent* e) {
  const bool handled = QMainWindow::event(e);
  // The set-up belongs to the first activation; a display without a window manager may
  // never activate the window, so its first showing counts as well.
  if ((e->type() == QEvent::WindowActivate || e->type() == QEvent::Show) && !activated_) {
    activated_ = true;
    Handle([this] { FormActivate(); });
  }
  return handled;
}

// --- The run's ports ----------------------------------------------------------------

SimControls TForm1::ReadControls() {
  return SimControls{
      .gridSide = LimitedValue(CSpinEdit1),
      .subscriberCount = LimitedValue(CSpinEdit2),
      .channelsPerCell = LimitedValue(CSpinEdit3),
      .callPercent = LimitedValue(CSpinEdit4),
      .stepLimit = LimitedValue(CSpinEdit5),
      .stepsPerSecond = LimitedValue(CSpinEdit6),
      .seed = LimitedValue(CSpinEdit7),
      .meanText = Edit1->text().toStdString(),
      .deviationText = Edit2->text().toStdString(),
      .reseed = CheckBox1->isChecked(),
  };
}

void TForm1::ClearLog() {
  log_.Clear();
  Memo1->LinesCleared();
}

void TForm1::AddLogLine(const std::string& utf8) {
  log_.Append(utf8);
  Memo1->LineAdded();
}

void TForm1::ClearChartSeries(int index) { Chart1->Chart().Series(index)->Clear(); }

void TForm1::AddChartValue(int index, double value) {
  Chart1->Chart().Series(index)->Add(value, "", clAutoColor);
}

vadidazid::Canvas* TForm1::GridCanvas() { return &ClientArea->Canvas(); }

void TForm1::GridDrawn() {
  ClientArea->update(state_.gridLeft, state_.gridTop, state_.gridWidth, state_.gridHeight);
}

void TForm1::ShowMessage(const std::string& utf8) {
  vadidazid::ShowMessage(utf8, this);
  // The run goes on one whole interval after the box has closed, not at a tick that
  // happens to be due.
  if (Timer1->isActive() && OpenMessageBoxes() == 0) Timer1->start();
}

void TForm1::SaveChartPicture(const std::string& fileName) { Chart1->SavePicture(fileName); }

// --- Handlers ------------------------------------------------------------------------

void TForm1::FormActivate() {
  // The default texts are written with the point; the edits show them in the user's
  // decimal separator.
  const SimControls defaults;
  Edit1->setText(QString::fromStdString(FloatToStr(PointNumber(defaults.meanText))));
  Edit2->setText(QString::fromStdString(FloatToStr(PointNumber(defaults.deviationText))));
  run_.SetUp();
}

void TForm1::Button1Click() {
  WindowTimer timer(Timer1);
  run_.StartStop(timer);
}

void TForm1::Button2Click() { run_.Step(); }

void TForm1::Button3Click() { run_.SetUp(); }

void TForm1::Timer1Timer() {
  WindowTimer timer(Timer1);
  run_.Tick(timer);
}

void TForm1::Zakocz1Click() { close(); }

void TForm1::Badanie1Click() {
  if (StudyDialog == nullptr) StudyDialog = new TStudyDialog(*this, this);
  StudyDialog->show();
  StudyDialog->raise();
  StudyDialog->activateWindow();
}

void TForm1::asd1Click() { SaveLogFile(state_, *this, *this); }

void TForm1::Zapiszwykres1Click() { SaveChartFile(state_, *this, *this); }

}  // namespace vadidazid
