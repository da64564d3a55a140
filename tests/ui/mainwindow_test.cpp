// The main window driven through its controls with Qt Test input events: activation,
// the run states of Start / Stop, "Krok", "Reset", the timer, saving the log, the error
// messages, and the cell picture's pixels.
#include "ui/mainwindow.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "chart/axis/chartaxis.h"
#include "chart/panel/chart.h"
#include "chart/series/chartseries.h"
#include "cli/runner.h"
#include "platform/qt/messages.h"
#include "random/randomvariates.h"
#include "random/runtimerandom.h"
#include "sim/cellgrid.h"
#include "sim/report.h"
#include "tests/support/files.h"
#include "tests/ui/shownform.h"
#include "ui/chartwidget.h"
#include "ui/clientarea.h"
#include "ui/cspinedit.h"
#include "ui/logmemo.h"

namespace vadidazid {

namespace {

// A window shown and activated, with message boxes caught.
class Window : public ShownForm {
 protected:
  void Click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
  void Type(TCSpinEdit* spin, const char* text) {
    spin->setFocus();
    spin->selectAll();
    QTest::keyClicks(spin, text);
  }
  void Type(QLineEdit* edit, const char* text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, QString::fromUtf8(text));
  }
  QAction* MenuItem(const char* caption) {
    for (QAction* a : form->menuBar()->actions()) {
      if (a->text() == QString::fromUtf8(caption)) return a;
    }
    return nullptr;
  }
  bool TimerOn() const { return form->Timer1->isActive(); }
  int64_t Counter() const { return form->State().stepCounter; }
};

TEST_F(Window, FirstActivationWritesTheDefaultsAndSetsUp) {
  EXPECT_EQ(form->Edit1->text(), "5");
  EXPECT_EQ(form->Edit2->text(), "0.01");
  EXPECT_EQ(form->LogLines(), std::vector<std::string>{"lroz\tnowe\tzerw\tzak"});
  EXPECT_EQ(form->Memo1->ToPlainText(), "lroz\tnowe\tzerw\tzak");
  EXPECT_TRUE(form->State().IsSetUp());
  EXPECT_EQ(form->State().gridSide, 10);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(form->Chart().Series(i)->Count(), 0) << i;
  EXPECT_FALSE(TimerOn());
  EXPECT_EQ(form->Timer1->interval(), 1000);
  // A second activation, as after a message box, neither sets up again nor rewrites the
  // fields. The event goes to the window itself: the offscreen platform sends none.
  Click(form->Button2);
  Type(form->Edit1, "7");
  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(form.get(), &activate);
  EXPECT_EQ(Counter(), 1);
  EXPECT_EQ(form->Edit1->text(), "7");
}

TEST_F(Window, LayoutAndCaptions) {
  EXPECT_EQ(form->windowTitle(), QString::fromUtf8("Vadidazid zdarzeń dyskretnych"));
  EXPECT_EQ(form->ClientArea->size(), QSize(682, 566));
  EXPECT_EQ(form->Button1->text(), "Start / Stop");
  EXPECT_EQ(form->Button1->geometry(), QRect(12, 20, 137, 37));
  EXPECT_EQ(form->Memo1->geometry(), QRect(4, 468, 237, 93));
  EXPECT_EQ(form->Chart1->geometry(), QRect(244, 360, 433, 201));
  EXPECT_EQ(form->CSpinEdit7->geometry(), QRect(152, 72, 61, 22));
  // The memo only shows the log: it takes the focus in its turn but no typing.
  EXPECT_FALSE(form->Memo1->testAttribute(Qt::WA_InputMethodEnabled));
  EXPECT_FALSE(form->windowFlags() & Qt::WindowMaximizeButtonHint);
  ASSERT_NE(MenuItem("Zapisz dane"), nullptr);
  ASSERT_NE(MenuItem("Zapisz wykres"), nullptr);
  ASSERT_NE(MenuItem("Vadidazid"), nullptr);
  ASSERT_EQ(MenuItem("Vadidazid")->menu()->actions().size(), 2);
  EXPECT_EQ(MenuItem("Vadidazid")->menu()->actions()[0]->text(), QString::fromUtf8("Badanie…"));
  EXPECT_EQ(MenuItem("Vadidazid")->menu()->actions()[1]->text(), QString::fromUtf8("Zakończ"));
  struct Spin {
    TCSpinEdit* spin;
    int min, max, increment, value;
  };
  for (Spin s : {Spin{form->CSpinEdit1, 2, 16, 1, 10}, Spin{form->CSpinEdit2, 1, 100000, 10, 1000},
                 Spin{form->CSpinEdit3, 10, 100000, 10, 10}, Spin{form->CSpinEdit4, 0, 100, 1, 15},
                 Spin{form->CSpinEdit5, 1, 1000000, 1, 100}, Spin{form->CSpinEdit6, 1, 30, 1, 5},
                 Spin{form->CSpinEdit7, 1, 32766, 1, 12345}}) {
    EXPECT_EQ(s.spin->GetMinValue(), s.min);
    EXPECT_EQ(s.spin->GetMaxValue(), s.max);
    EXPECT_EQ(s.spin->GetIncrement(), s.increment);
    EXPECT_EQ(s.spin->GetValue(), s.value);
  }
}

TEST_F(Window, TabOrderFollowsTheParameters) {
  form->CSpinEdit1->setFocus();
  QWidget* expected[] = {form->CSpinEdit2, form->CSpinEdit3, form->CSpinEdit4, form->Edit1,
                         form->Edit2,      form->CSpinEdit5, form->CSpinEdit6, form->CSpinEdit7,
                         form->CheckBox1,  form->Button1,    form->Button2,    form->Button3};
  for (QWidget* next : expected) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), next) << next->metaObject()->className();
  }
}

TEST_F(Window, StartStopThroughTheRunStates) {
  Type(form->CSpinEdit5, "3");
  Click(form->Button1);  // set up and start
  EXPECT_TRUE(TimerOn());
  EXPECT_EQ(form->Timer1->interval(), 200);
  EXPECT_EQ(form->State().stepLimit, 3);
  form->Timer1Timer();
  EXPECT_EQ(Counter(), 1);
  Click(form->Button1);  // pause
  EXPECT_FALSE(TimerOn());
  Click(form->Button2);  // a step while paused
  EXPECT_EQ(Counter(), 2);
  Click(form->Button1);  // resume, no new set-up
  EXPECT_TRUE(TimerOn());
  EXPECT_EQ(Counter(), 2);
  form->Timer1Timer();
  EXPECT_EQ(Counter(), 3);  // last step due: Start / Stop does nothing
  Click(form->Button1);
  EXPECT_TRUE(TimerOn());
  form->Timer1Timer();  // the summary step stops the timer
  EXPECT_EQ(Counter(), 4);
  EXPECT_FALSE(TimerOn());
  EXPECT_EQ(form->LogLines().size(), 1u + 4 + 4);
  Click(form->Button1);  // finished: nothing
  EXPECT_FALSE(TimerOn());
  EXPECT_EQ(Counter(), 4);
  Click(form->Button2);  // one more step without a summary
  EXPECT_EQ(form->LogLines().size(), 1u + 5 + 4);
}

TEST_F(Window, StepLimitOneOnTheRealTimer) {
  Type(form->CSpinEdit5, "1");
  Type(form->CSpinEdit6, "30");
  Click(form->Button1);
  EXPECT_EQ(form->Timer1->interval(), 33);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !TimerOn(); }, 5000));
  EXPECT_EQ(Counter(), 2);
  EXPECT_EQ(form->LogLines().size(), 1u + 2 + 4);
}

TEST_F(Window, SpeedGivesTheInterval) {
  for (auto [speed, interval] :
       {std::pair{"30", 33}, std::pair{"7", 142}, std::pair{"1", 1000}, std::pair{"45", 33}}) {
    Click(form->Button3);
    Type(form->CSpinEdit6, speed);
    Click(form->Button1);
    EXPECT_EQ(form->Timer1->interval(), interval) << speed;
    Click(form->Button1);
    Click(form->Button3);
  }
}

TEST_F(Window, AManualStepPastTheLimitStillEndsTheTimedRun) {
  Type(form->CSpinEdit5, "2");
  Click(form->Button1);
  form->Timer1Timer();
  form->Timer1Timer();
  EXPECT_EQ(Counter(), 2);
  Click(form->Button2);  // the summary step by hand while the timer runs
  EXPECT_EQ(Counter(), 3);
  EXPECT_TRUE(TimerOn());
  form->Timer1Timer();
  EXPECT_EQ(Counter(), 4);
  EXPECT_FALSE(TimerOn());
}

TEST_F(Window, ResetDuringARunKeepsTheTimerAndTheInterval) {
  Click(form->Button1);
  form->Timer1Timer();
  form->Timer1Timer();
  Type(form->CSpinEdit6, "10");
  Click(form->Button3);
  EXPECT_EQ(Counter(), 0);
  EXPECT_TRUE(TimerOn());
  EXPECT_EQ(form->Timer1->interval(), 200);
  EXPECT_EQ(form->LogLines().size(), 1u);
  form->Timer1Timer();
  EXPECT_EQ(Counter(), 1);
}

TEST_F(Window, StepAfterSetUpThenStartUsesTheLastInterval) {
  Click(form->Button2);
  Type(form->CSpinEdit6, "10");
  Click(form->Button1);
  EXPECT_TRUE(TimerOn());
  EXPECT_EQ(form->Timer1->interval(), 1000);
  EXPECT_EQ(Counter(), 1);
}

TEST_F(Window, OutOfRangeTextsAreLimitedBeforeTheSetUp) {
  // Typed and not left: the click on the button takes the focus first.
  Type(form->CSpinEdit1, "40");
  Click(form->Button3);
  EXPECT_EQ(form->State().gridSide, 16);
  EXPECT_EQ(form->CSpinEdit1->text(), "16");
  // Still in the field when the timer's run starts from the keyboard.
  Type(form->CSpinEdit2, "0");
  form->Button3Click();
  EXPECT_EQ(form->State().subscriberCount, 1);
  EXPECT_EQ(form->CSpinEdit2->text(), "1");
}

TEST_F(Window, AMeanThatIsNoNumberIsReportedAndChangesNothing) {
  Click(form->Button2);
  const auto log = form->LogLines();
  Type(form->Edit1, "abc");
  Click(form->Button3);
  EXPECT_EQ(messages, std::vector<std::string>{"'abc' is not a valid floating point value"});
  EXPECT_EQ(form->LogLines(), log);
  EXPECT_EQ(Counter(), 1);
  EXPECT_FALSE(TimerOn());
}

TEST_F(Window, AStepOfEndlessRedrawsIsRefusedAtSetUp) {
  // Without the guard "Krok" would draw for minutes before the window answered.
  Type(form->CSpinEdit2, "10000");
  Type(form->CSpinEdit3, "100000");
  Type(form->CSpinEdit4, "100");
  Type(form->Edit1, "-5.7");
  Type(form->Edit2, "1");
  Click(form->Button3);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("jeden krok potrzebowałby"), std::string::npos) << messages[0];
}

TEST_F(Window, SaveLogWritesTheBytesAndConfirms) {
  ScopedWorkingDirectory dir(std::filesystem::path(testing::TempDir()) /
                             ("vadidazid-save-" + std::to_string(getpid())));
  Type(form->CSpinEdit5, "5");
  Click(form->Button1);
  while (TimerOn()) form->Timer1Timer();
  MenuItem("Zapisz dane")->trigger();
  const std::string name = form->State().fileStamp + "_dane.txt";
  ASSERT_EQ(messages, std::vector<std::string>{"zapisano dane do pliku: " + name});
  EXPECT_EQ(ReadFile(name), LogFileBytes(form->LogLines()));
  EXPECT_EQ(form->LogLines().size(), 1u + 6 + 4);

  // The same run from the headless runner gives the same file.
  std::ostringstream out, err;
  ASSERT_EQ(RunSimulator({"--step-limit", "5", "--out", "runner.txt"}, out, err), 0);
  EXPECT_EQ(ReadFile("runner.txt"), ReadFile(name));
}

TEST_F(Window, SaveLogIntoAMissingDirectoryReportsTheFile) {
  form->State().fileStamp = "/nonexistent-directory/x";
  MenuItem("Zapisz dane")->trigger();
  EXPECT_EQ(messages,
            std::vector<std::string>{
                "Cannot create file /nonexistent-directory/x_dane.txt: no such directory"});
}

TEST_F(Window, SavesRefuseWhatIsNoRegularFileOrAForeignLinkAndNeverWait) {
  ScopedWorkingDirectory dir(std::filesystem::path(testing::TempDir()) /
                             ("vadidazid-refuse-" + std::to_string(getpid())));
  // FIFOs at both names, each with a reader that takes nothing, so that a save that
  // opened one would write there rather than wait.
  form->State().fileStamp = "x";
  std::vector<int> readers;
  for (const char* name : {"x_dane.txt", "x_wykres.bmp"}) {
    ASSERT_EQ(mkfifo(name, 0600), 0);
    readers.push_back(open(name, O_RDONLY | O_NONBLOCK));
  }
  MenuItem("Zapisz dane")->trigger();
  MenuItem("Zapisz wykres")->trigger();
  std::vector<std::string> expected = {"Cannot create file x_dane.txt: not a regular file",
                                       "Cannot create file x_wykres.bmp: not a regular file"};
  // The predictable names in a shared folder, as links another user put there.
  if (geteuid() == 0) {
    std::filesystem::create_directory("shared");
    chmod("shared", 01777);
    form->State().fileStamp = "shared/y";
    for (const char* name : {"shared/y_dane.txt", "shared/y_wykres.bmp"}) {
      std::filesystem::create_symlink("../mine", name);
      ASSERT_EQ(lchown(name, 12345, gid_t(-1)), 0);
      expected.push_back(std::string("Cannot create file ") + name +
                         ": refusing to follow a link owned by another user");
    }
    MenuItem("Zapisz dane")->trigger();
    MenuItem("Zapisz wykres")->trigger();
    EXPECT_FALSE(std::filesystem::exists("mine"));
  }
  EXPECT_EQ(messages, expected);
  char byte;
  for (int reader : readers) {
    EXPECT_LE(read(reader, &byte, 1), 0);  // nothing reached the FIFO
    close(reader);
  }
}

TEST_F(Window, QuitClosesTheWindow) {
  MenuItem("Vadidazid")->menu()->actions().back()->trigger();
  EXPECT_FALSE(form->isVisible());
}

TEST_F(Window, CellPictureShowsFullAndEmptyCells) {
  Type(form->CSpinEdit1, "2");
  Type(form->CSpinEdit2, "400");
  Type(form->CSpinEdit4, "100");
  Click(form->Button1);
  Click(form->Button1);
  const SimulationState& s = form->State();
  // Start: every subscriber in cell (0, 0), the other three cells empty.
  const QImage& picture = form->ClientArea->Picture();
  const int w = HexHalfWidth(s.hexSize), h = s.hexSize;
  const QRgb gray = qRgb(0x80, 0x80, 0x80), red = qRgb(0xFF, 0, 0);
  const QRgb face = qRgb(0xF0, 0xF0, 0xF0), sky = qRgb(0xA6, 0xCA, 0xF0);
  TPoint empty = CellOrigin(s, 1, 1);
  EXPECT_EQ(picture.pixel(empty.x + w, empty.y), gray);          // top vertex
  EXPECT_EQ(picture.pixel(empty.x, empty.y + h), gray);          // left side
  EXPECT_EQ(picture.pixel(empty.x + w - 5, empty.y + h), face);  // inside
  TPoint start = CellOrigin(s, 0, 0);
  EXPECT_EQ(picture.pixel(start.x + w - 5, start.y + h), sky);

  // Step until a cell holds exactly C calls: its outline is red.
  int full = -1;
  for (int i = 0; i < 200 && full < 0; ++i) {
    Click(form->Button2);
    for (int k = 0; k < 4; ++k) {
      if (s.cellCalls[k] == s.channelsPerCell) full = k;
    }
  }
  ASSERT_GE(full, 0);
  TPoint cell = CellOrigin(s, full / 2, full % 2);
  EXPECT_EQ(picture.pixel(cell.x + w, cell.y), red);
  EXPECT_EQ(picture.pixel(cell.x + 2 * w, cell.y + h), red);
  EXPECT_EQ(picture.pixel(cell.x + w, cell.y + 2 * h), red);
  // The picture stays on the screen after the window is repainted.
  form->ClientArea->repaint();
  QImage shown = form->ClientArea->grab().toImage();
  EXPECT_EQ(shown.pixel(cell.x + w, cell.y), red);
}

}  // namespace

namespace {

TEST_F(Window, ChartPaintsItsFrameAndAxesAfterEachStep) {
  for (int i = 0; i < 3; ++i) Click(form->Button2);
  QTest::qWait(20);
  TChart& chart = form->Chart();
  const int requests = form->Chart1->PaintRequests();
  EXPECT_GT(requests, 0);
  const QImage shown = form->Chart1->grab().toImage();
  const TRect r = chart.ChartRect();
  // The bottom axis follows the three steps: 0 .. 2.
  EXPECT_EQ(chart.BottomAxis()->ScaleMaximum(), 2);
  EXPECT_EQ(shown.pixelColor(r.left, r.top), QColor(Qt::black));
  EXPECT_EQ(shown.pixelColor(r.right, r.bottom), QColor(Qt::black));
  EXPECT_EQ(form->Chart1->WindowCanvas().GetPixel(r.right, r.top), clBlack);
}

}  // namespace

}  // namespace vadidazid
