// The "Badanie" window: its fields, the study's start and stop, its results and saves.
#include "ui/studydialog.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

#include <algorithm>
#include <exception>
#include <limits>
#include <thread>

#include "chart/panel/chart.h"
#include "pictures/chartpicture.h"
#include "pictures/studyplot.h"
#include "platform/exceptions.h"
#include "platform/files/safefilestream.h"
#include "platform/qt/fonts.h"
#include "platform/qt/messages.h"
#include "platform/text/numtext.h"
#include "results/resulttable.h"
#include "results/studycommand.h"
#include "results/summary.h"
#include "sim/setup.h"
#include "sim/simulationstate.h"
#include "ui/chartwidget.h"
#include "ui/cspinedit.h"
#include "ui/studyrun.h"
#include "ui/summarymodel.h"

namespace vadidazid {

namespace {

// The plot in the window; its saved picture has the runner's size.
constexpr int kShownPlotWidth = 560;
constexpr int kShownPlotHeight = 350;
const char* const kNoGroups = "(brak)";

// The spin edit's value with its limits applied, as leaving the field would apply them.
int32_t LimitedValue(TCSpinEdit* spin) {
  const int32_t value = spin->GetValue();
  if (spin->CheckValue(value) != value) spin->SetValue(value);
  return spin->GetValue();
}

TCSpinEdit* SpinEdit(int32_t min, int32_t max, int32_t value) {
  auto* spin = new TCSpinEdit;
  spin->SetMinValue(min);
  spin->SetMaxValue(max);
  spin->SetValue(value);
  spin->setMinimumHeight(spin->GetMinHeight());
  return spin;
}

QLabel* Label(const char* text) { return new QLabel(QString::fromUtf8(text)); }

std::unique_ptr<TChart> EmptyPlot(const ExperimentPlan& plan, int width, int height) {
  PlotLook look;
  look.language = PlotLanguage::Polish;
  look.subtitle = StudySubtitle(plan, look.language);
  return CreateStudyChart({}, plan.sweeps.front().name, width, height, look);
}

}  // namespace

std::string StudyProgressText(int64_t runsDone, int64_t runs, int64_t secondsLeft) {
  const std::string left =
      secondsLeft < 0 ? "?"
                      : std::to_string(secondsLeft / 60) + ":" + ZeroPaddedInt(secondsLeft % 60, 2);
  return std::to_string(runsDone) + " z " + std::to_string(runs) + " przebiegów, pozostało ok. " +
         left;
}

TStudyDialog::TStudyDialog(ControlSource& controls, QWidget* parent)
    : QDialog(parent), controls_(controls) {
  CreateControls();
  ConnectHandlers();
}

TStudyDialog::~TStudyDialog() = default;

QWidget* TStudyDialog::CreateFields() {
  auto* fields = new QWidget;
  auto* column = new QVBoxLayout(fields);
  column->setContentsMargins(0, 0, 0, 0);

  auto* sweep = new QGroupBox(QString::fromUtf8(" Parametr "));
  auto* grid = new QGridLayout(sweep);
  Parameter = new QComboBox;
  GroupParameter = new QComboBox;
  GroupParameter->addItem(QString::fromUtf8(kNoGroups));
  for (const StudyParameter& p : StudyParameters()) {
    Parameter->addItem(QString::fromUtf8(p.label));
    GroupParameter->addItem(QString::fromUtf8(p.label));
  }
  From = new QLineEdit("5");
  To = new QLineEdit("50");
  Step = new QLineEdit("5");
  List = new QLineEdit;
  grid->addWidget(Parameter, 0, 0, 1, 3);
  grid->addWidget(Label("Od"), 1, 0);
  grid->addWidget(Label("Do"), 1, 1);
  grid->addWidget(Label("Krok"), 1, 2);
  grid->addWidget(From, 2, 0);
  grid->addWidget(To, 2, 1);
  grid->addWidget(Step, 2, 2);
  grid->addWidget(Label("lub wartości (oddzielone ;)"), 3, 0, 1, 3);
  grid->addWidget(List, 4, 0, 1, 3);
  column->addWidget(sweep);

  auto* groups = new QGroupBox(QString::fromUtf8(" Grupy "));
  auto* groupGrid = new QGridLayout(groups);
  GroupList = new QLineEdit;
  groupGrid->addWidget(GroupParameter, 0, 0);
  groupGrid->addWidget(Label("Wartości (oddzielone ;)"), 1, 0);
  groupGrid->addWidget(GroupList, 2, 0);
  column->addWidget(groups);

  auto* runs = new QGroupBox(QString::fromUtf8(" Przebiegi "));
  auto* form = new QGridLayout(runs);
  const int cores = std::max(int(std::thread::hardware_concurrency()), 1);
  Replications = SpinEdit(1, kSeedRange.max, 4);
  Steps = SpinEdit(1, std::numeric_limits<int32_t>::max(), 300);
  Warmup = new QLineEdit("auto");
  Threads = SpinEdit(1, 1024, std::min(cores, 1024));
  const std::pair<const char*, QWidget*> rows[] = {{"Powtórzenia", Replications},
                                                   {"Liczba kroków", Steps},
                                                   {"Rozbieg", Warmup},
                                                   {"Wątki", Threads}};
  for (int i = 0; i < 4; ++i) {
    form->addWidget(Label(rows[i].first), i, 0);
    form->addWidget(rows[i].second, i, 1);
  }
  column->addWidget(runs);

  StartButton = new QPushButton(QString::fromUtf8("Uruchom"));
  StopButton = new QPushButton(QString::fromUtf8("Przerwij"));
  StopButton->setEnabled(false);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(StartButton);
  buttons->addWidget(StopButton);
  column->addLayout(buttons);
  Progress = new QProgressBar;
  Progress->setTextVisible(false);
  ProgressText = new QLabel;
  Seeds = new QLabel;
  Status = new QLabel;
  Status->setWordWrap(true);
  for (QWidget* w : std::initializer_list<QWidget*>{Progress, ProgressText, Seeds, Status}) {
    column->addWidget(w);
  }
  column->addStretch();
  return fields;
}

QWidget* TStudyDialog::CreateResults() {
  auto* results = new QWidget;
  auto* column = new QVBoxLayout(results);
  column->setContentsMargins(0, 0, 0, 0);
  ExperimentPlan preview;
  preview.sweeps.push_back({"call-percent", {}});
  Plot = new TChartWidget(EmptyPlot(preview, kShownPlotWidth, kShownPlotHeight));
  Plot->setFixedSize(kShownPlotWidth, kShownPlotHeight);
  column->addWidget(Plot);
  Summary = new QTableView;
  SummaryModel = new TSummaryModel(Summary);
  Summary->setModel(SummaryModel);
  Summary->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Summary->verticalHeader()->setVisible(false);
  Summary->setMinimumHeight(150);
  column->addWidget(Summary);
  SaveResultsButton = new QPushButton(QString::fromUtf8("Zapisz wyniki"));
  SaveResultsButton->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  SaveResultsButton->setAutoDefault(false);
  SavePlotButton = new QPushButton(QString::fromUtf8("Zapisz wykres"));
  SavePlotButton->setAutoDefault(false);
  PlotFormat = new QComboBox;
  PlotFormat->addItems({"PNG", "SVG"});
  SaveResultsButton->setEnabled(false);
  SavePlotButton->setEnabled(false);
  auto* saves = new QHBoxLayout;
  saves->addWidget(SaveResultsButton);
  saves->addWidget(SavePlotButton);
  saves->addWidget(PlotFormat);
  saves->addStretch();
  column->addLayout(saves);
  return results;
}

void TStudyDialog::CreateControls() {
  setWindowTitle(QString::fromUtf8("Badanie"));
  setFont(ForDevicePixelRatio(ToQFont(TFont{}), devicePixelRatioF()));
  auto* layout = new QGridLayout(this);
  layout->addWidget(CreateFields(), 0, 0);
  layout->addWidget(CreateResults(), 0, 1);
  auto* command = new QHBoxLayout;
  Command = new QLineEdit;
  Command->setReadOnly(true);
  command->addWidget(Label("Polecenie"));
  command->addWidget(Command);
  layout->addLayout(command, 1, 0, 1, 2);
  StartButton->setDefault(true);
  for (TCSpinEdit* spin : {Replications, Steps, Threads}) spin->installEventFilter(this);
  refresh_ = new QTimer(this);
  refresh_->setSingleShot(true);
  // The plot and the table are drawn anew at most once a second while points finish,
  // which keeps the window's thread nearly idle for the runs.
  refresh_->setInterval(1000);
}

void TStudyDialog::ConnectHandlers() {
  connect(StartButton, &QPushButton::clicked, this, [this] { Handle([this] { StartClick(); }); });
  connect(StopButton, &QPushButton::clicked, this, [this] { Handle([this] { StopClick(); }); });
  connect(SaveResultsButton, &QPushButton::clicked, this,
          [this] { Handle([this] { SaveResultsClick(); }); });
  connect(SavePlotButton, &QPushButton::clicked, this,
          [this] { Handle([this] { SavePlotClick(); }); });
  // While the study runs, the plot and the table are made in turns of their own, so
  // the window answers between them.
  connect(refresh_, &QTimer::timeout, this, [this] {
    Handle([this] {
      if (ShowPlot()) QTimer::singleShot(0, this, [this] { Handle([this] { ShowTable(); }); });
    });
  });
  for (QLineEdit* edit : {From, To, Step, List, GroupList, Warmup,
                          static_cast<QLineEdit*>(Replications), static_cast<QLineEdit*>(Steps)}) {
    connect(edit, &QLineEdit::textEdited, this, [this] { ShowPreview(); });
  }
  for (QComboBox* box : {Parameter, GroupParameter}) {
    connect(box, &QComboBox::currentIndexChanged, this, [this] { ShowPreview(); });
  }
}

template <typename F>
void TStudyDialog::Handle(F&& handler) {
  try {
    handler();
  } catch (...) {
    ShowMessage(DescribeFailure(std::current_exception()).message, this);
  }
}

StudyFields TStudyDialog::Fields() {
  StudyFields f;
  f.parameter = Parameter->currentText().toStdString();
  f.from = From->text().toStdString();
  f.to = To->text().toStdString();
  f.step = Step->text().toStdString();
  f.list = List->text().toStdString();
  if (GroupParameter->currentIndex() > 0)
    f.groupParameter = GroupParameter->currentText().toStdString();
  f.groupList = GroupList->text().toStdString();
  f.replications = LimitedValue(Replications);
  f.steps = LimitedValue(Steps);
  f.warmup = Warmup->text().toStdString();
  return f;
}

void TStudyDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!run_) ShowPreview();
}

bool TStudyDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && StartButton->isEnabled()) {
      StartButton->click();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TStudyDialog::reject() {
  // Closing the window abandons the runs; what has finished stays to be saved.
  if (run_ && run_->Running()) run_->Stop();
  QDialog::reject();
}

void TStudyDialog::ShowPreview() {
  if (run_ && run_->Running()) return;
  try {
    ShowPlan(StudyPlanOf(Fields(), controls_.ReadControls()));
  } catch (const std::exception&) {
    // Fields half typed; "Uruchom" says what is wrong with them.
    Command->clear();
    Seeds->clear();
  }
}

void TStudyDialog::ShowPlan(const ExperimentPlan& plan) {
  if (!run_) Plot->SetChart(EmptyPlot(plan, kShownPlotWidth, kShownPlotHeight));
  Command->setText(QString::fromStdString(StudyCommandLine(plan)));
  Command->setCursorPosition(0);
  const int64_t last = plan.controls.seed + plan.replications - 1;
  Seeds->setText(QString::fromStdString(
      "Ziarna: " + std::to_string(plan.controls.seed) +
      (last > plan.controls.seed ? " … " + std::to_string(last) : std::string())));
}

void TStudyDialog::StartClick() {
  if (run_ && run_->Running()) return;
  const ExperimentPlan plan = StudyPlanOf(Fields(), controls_.ReadControls());
  ShowPlan(plan);
  stamp_ = FormatFileStamp(SystemLocalTime());
  run_.reset();
  shownPoints_ = -1;
  run_ = std::make_unique<TStudyRun>(plan, LimitedValue(Threads));
  // The progress follows the engine's estimates, four a second, not every run's end.
  connect(run_.get(), &TStudyRun::RunEnded, this, [this] {
    if (!refresh_->isActive()) refresh_->start();
  });
  connect(run_.get(), &TStudyRun::ProgressChanged, this, [this] { ShowProgress(); });
  connect(run_.get(), &TStudyRun::Ended, this, [this] { Handle([this] { StudyEnded(); }); });
  StartButton->setEnabled(false);
  StopButton->setEnabled(true);
  SaveResultsButton->setEnabled(false);
  SavePlotButton->setEnabled(false);
  Status->setText(QString::fromUtf8("Badanie trwa."));
  Progress->setRange(0, int(run_->Runs()));
  ShowProgress();
  ShowResults();
}

void TStudyDialog::StopClick() {
  if (run_ && run_->Running()) run_->Stop();
}

void TStudyDialog::ShowProgress() {
  Progress->setValue(int(run_->RunsDone()));
  // A stopped study has no time left to tell.
  std::string text = StudyProgressText(run_->RunsDone(), run_->Runs(), run_->SecondsLeft());
  if (!run_->Running() && run_->Interrupted()) text = text.substr(0, text.find(','));
  ProgressText->setText(QString::fromStdString(text));
}

void TStudyDialog::ShowResults() {
  if (ShowPlot()) ShowTable();
}

bool TStudyDialog::ShowPlot() {
  if (!run_ || run_->FinishedPoints() == shownPoints_) return false;
  shownPoints_ = run_->FinishedPoints();
  const std::vector<RunResult> rows = run_->FinishedRows();
  Plot->SetChart(rows.empty() ? EmptyPlot(run_->Plan(), kShownPlotWidth, kShownPlotHeight)
                              : CreatePlanPlot(run_->Plan(), rows, kShownPlotWidth,
                                               kShownPlotHeight, PlotLanguage::Polish));
  return true;
}

void TStudyDialog::ShowTable() {
  if (!run_) return;
  const std::vector<RunResult> rows = run_->FinishedRows();
  SummaryModel->SetCells(SummaryCells(SummarizeResults(rows)));
  // Widths from the texts themselves: the view would measure every cell through its
  // style, which takes long for a study of many points.
  const QFontMetrics metrics(Summary->font());
  const std::vector<QString> widest = SummaryModel->WidestTexts();
  for (size_t c = 0; c < widest.size(); ++c) {
    Summary->setColumnWidth(int(c), metrics.horizontalAdvance(widest[c]) + 12);
  }
  const bool any = !rows.empty();
  SaveResultsButton->setEnabled(any && !run_->Running());
  SavePlotButton->setEnabled(any && !run_->Running());
}

void TStudyDialog::StudyEnded() {
  refresh_->stop();
  shownPoints_ = -1;
  ShowProgress();
  ShowPlot();
  QTimer::singleShot(0, this, [this] { Handle([this] { ShowTable(); }); });
  const bool any = run_->FinishedPoints() > 0;
  SaveResultsButton->setEnabled(any);
  SavePlotButton->setEnabled(any);
  StartButton->setEnabled(true);
  StopButton->setEnabled(false);
  const std::string points =
      std::to_string(run_->FinishedPoints()) + " z " + std::to_string(run_->Points());
  if (!run_->Failure().empty()) {
    Status->setText(
        QString::fromStdString("Badanie przerwane przez błąd; ukończone punkty: " + points + "."));
    ShowMessage(run_->Failure(), this);
  } else if (run_->Interrupted()) {
    Status->setText(QString::fromStdString(
        "Badanie przerwane; wyniki obejmują tylko ukończone punkty: " + points + "."));
  } else {
    Status->setText(QString::fromStdString("Badanie ukończone: " + points + " punktów."));
  }
}

void TStudyDialog::SaveFile(const std::string& name, const std::string& bytes, const char* what) {
  // A name nobody typed: only a regular file is written there, never a FIFO.
  TSafeFileStream file(name, SaveTargets::kRegularFilesOnly);
  file.Write(bytes);
  file.Commit();
  ShowMessage(std::string("zapisano ") + what + " do pliku: " + name, this);
}

void TStudyDialog::SaveResultsClick() {
  if (!run_ || run_->Running() || run_->FinishedPoints() == 0) return;
  std::string bytes = ResultHeader();
  for (const RunResult& row : run_->FinishedRows()) bytes += ResultRecord(row);
  SaveFile(stamp_ + "_badanie.csv", bytes, "wyniki");
}

void TStudyDialog::SavePlotClick() {
  if (!run_ || run_->Running() || run_->FinishedPoints() == 0) return;
  const bool svg = PlotFormat->currentIndex() == 1;
  const std::string name = stamp_ + (svg ? "_badanie.svg" : "_badanie.png");
  const std::string bytes = PictureFileBytes(name, [&] {
    const std::unique_ptr<TChart> chart = CreatePlanPlot(
        run_->Plan(), run_->FinishedRows(), kPlotWidth, kPlotHeight, PlotLanguage::Polish);
    return ChartPictureBytes(*chart, svg ? PictureFormat::Svg : PictureFormat::Png);
  });
  SaveFile(name, bytes, "wykres");
}

}  // namespace vadidazid
