// The study window driven offscreen: its fields and their messages, the command it
// shows, a study started with Enter and saved with Ctrl+S giving the runner's --results
// byte for byte, stopping, progress, the plot's files, and no step on the window's thread.
#include "ui/studydialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <sstream>

#include "cli/runner.h"
#include "platform/text/numtext.h"
#include "results/studycommand.h"
#include "tests/support/files.h"
#include "tests/ui/shownform.h"
#include "ui/cspinedit.h"
#include "ui/studyrun.h"

namespace vadidazid {

namespace {

const char* const kDefaultCommand =
    "vadidazid-sim --grid-side 10 --subscribers 1000 --channels 10 --mean 5 --deviation 0.01 "
    "--seed 12345 --sweep call-percent=5:50:5 --replications 4 --steps 300 --warmup auto";

// The runner's --results for the arguments of a command line.
std::string RunnerResults(const std::string& command) {
  std::vector<std::string> args;
  std::istringstream words(command);
  for (std::string word; words >> word;) args.push_back(word);
  args.erase(args.begin());  // the program's name
  args.insert(args.end(), {"--results", "runner.csv"});
  std::ostringstream out, err;
  EXPECT_EQ(RunSimulator(args, out, err), 0) << err.str();
  return ReadFile("runner.csv");
}

class StudyWindow : public ShownForm {
 protected:
  void SetUp() override {
    ShownForm::SetUp();
    if (HasFatalFailure()) return;
    // Ctrl+B in the main window opens the study window.
    QTest::keyClick(form.get(), Qt::Key_B, Qt::ControlModifier);
    dialog = form->StudyDialog;
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(dialog->isVisible());
    // Its shortcuts work in the active window.
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
  }
  void Type(QLineEdit* edit, const char* text) {
    edit->setFocus();
    edit->selectAll();
    if (*text == '\0') QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, QString::fromUtf8(text));
  }
  void WaitForEnd() {
    ASSERT_NE(dialog->Run(), nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog->Run()->Running(); }, 60000));
    QCoreApplication::processEvents();  // the table follows the plot in a turn of its own
  }
  // Enter, the end of the study, Ctrl+S: the bytes of the file saved.
  std::string RunAndSave() {
    messages.clear();
    QTest::keyClick(dialog->To, Qt::Key_Return);
    EXPECT_EQ(messages, std::vector<std::string>{});
    WaitForEnd();
    return SaveWithCtrlS();
  }
  // The button's shortcut clicks it after showing it pressed for a moment.
  std::string SaveWithCtrlS() {
    messages.clear();
    QTest::keyClick(dialog, Qt::Key_S, Qt::ControlModifier);
    (void)QTest::qWaitFor([&] { return !messages.empty(); }, 2000);
    if (messages.size() != 1 || messages[0].find("_badanie.csv") == std::string::npos) {
      ADD_FAILURE() << "no save confirmed";
      return "";
    }
    return ReadFile(messages[0].substr(messages[0].rfind(' ') + 1));
  }

  ScopedWorkingDirectory dir{std::filesystem::temp_directory_path() /
                             ("vdz-study-" + std::to_string(::getpid()))};
  TStudyDialog* dialog = nullptr;
};

TEST_F(StudyWindow, OpensWithTheDefaultStudyOverTheMainWindowsFields) {
  QMenu* program = form->Vadidazid1->menu();
  ASSERT_EQ(program->actions().size(), 2);
  EXPECT_EQ(program->actions()[0]->text(), QString::fromUtf8("Badanie…"));
  EXPECT_EQ(program->actions()[0]->shortcut(), QKeySequence("Ctrl+B"));
  EXPECT_EQ(program->actions()[1]->text(), QString::fromUtf8("Zakończ"));
  EXPECT_FALSE(dialog->isModal());
  EXPECT_EQ(dialog->windowTitle(), "Badanie");
  EXPECT_EQ(dialog->Parameter->currentText(), QString::fromUtf8("Prawdopodobieństwo"));
  EXPECT_EQ(dialog->Parameter->count(), 6);
  EXPECT_EQ(dialog->Command->text().toStdString(), kDefaultCommand);
  EXPECT_TRUE(dialog->Command->isReadOnly());
  EXPECT_EQ(dialog->Seeds->text(), QString::fromUtf8("Ziarna: 12345 … 12348"));
  EXPECT_EQ(dialog->Threads->GetValue(), std::max(1, QThread::idealThreadCount()));
  EXPECT_TRUE(dialog->StartButton->isDefault());
  EXPECT_FALSE(dialog->StopButton->isEnabled());
  EXPECT_FALSE(dialog->SaveResultsButton->isEnabled());
  EXPECT_FALSE(dialog->SavePlotButton->isEnabled());
}

TEST_F(StudyWindow, EnterThenCtrlSSavesTheRunnersResultsWhateverTheThreads) {
  for (const char* threads : {"1", "3"}) {
    Type(dialog->Threads, threads);
    EXPECT_EQ(RunAndSave(), RunnerResults(kDefaultCommand)) << threads;
    EXPECT_EQ(dialog->Progress->value(), 40);
    EXPECT_EQ(dialog->ProgressText->text(),
              QString::fromUtf8("40 z 40 przebiegów, pozostało ok. 0:00"));
    EXPECT_EQ(dialog->Status->text(), QString::fromUtf8("Badanie ukończone: 10 z 10 punktów."));
    EXPECT_EQ(dialog->Summary->model()->rowCount(), 10);
  }
}

// Other studies: the command shown is the runner's for the same rows, with the point in
// its numbers where the fields have the comma; the seed is the main window's even when
// its box is not ticked.
TEST_F(StudyWindow, TheCommandShownMakesTheSameRows) {
  SetDecimalSeparator(',');
  form->Edit2->setText("0,01");
  form->CheckBox1->setChecked(false);
  form->CSpinEdit7->SetValue(777);
  struct Case {
    const char* parameter;
    const char *from, *to, *step, *list, *group, *groupList, *warmup;
    const char* sweeps;  // of the command
  } cases[] = {
      {"Średnia", "", "", "", "2,5; 4", "", "", "20", "--sweep mean=2.5,4"},
      {"Ilość kanałów / BS", "10", "30", "10", "", "Odchylenie standardowe", "0,5; 2", "auto",
       "--sweep channels=10:30:10 --sweep deviation=0.5,2"},
  };
  for (const Case& c : cases) {
    dialog->Parameter->setCurrentText(QString::fromUtf8(c.parameter));
    Type(dialog->From, c.from);
    Type(dialog->To, c.to);
    Type(dialog->Step, c.step);
    Type(dialog->List, c.list);
    dialog->GroupParameter->setCurrentText(*c.group ? QString::fromUtf8(c.group) : "(brak)");
    Type(dialog->GroupList, c.groupList);
    Type(dialog->Replications, "2");
    Type(dialog->Steps, "60");
    Type(dialog->Warmup, c.warmup);
    const std::string saved = RunAndSave();
    const std::string command = dialog->Command->text().toStdString();
    EXPECT_NE(command.find(c.sweeps), std::string::npos) << command;
    EXPECT_NE(command.find("--seed 777 "), std::string::npos) << command;
    EXPECT_NE(saved.find(",777,"), std::string::npos);
    EXPECT_EQ(saved, RunnerResults(command)) << command;
    // The table reads with the user's separator.
    const QAbstractItemModel& table = *dialog->Summary->model();
    EXPECT_TRUE(table.index(0, table.columnCount() - 1).data().toString().contains(','));
    EXPECT_EQ(table.headerData(table.columnCount() - 1, Qt::Horizontal).toString(),
              QString::fromUtf8("Obciążenie [%]"));
  }
  SetDecimalSeparator('.');
}

TEST_F(StudyWindow, BadFieldsAndStudiesPastTheLimitsAreRefusedWithTheirMessages) {
  struct Case {
    QLineEdit* field;
    const char* text;
    const char* message;
  } cases[] = {
      {dialog->From, "x", "'x' is not a valid integer value"},
      {dialog->To, "150", "--sweep: call-percent 150 is outside 0 .. 100"},
      {dialog->Step, "0", "--sweep: STEP 0 is not positive"},
      {dialog->Warmup, "300", "--warmup: 300 is not below the 300 steps of a run"},
      {dialog->Warmup, "-1", "--warmup: -1 is outside 0 .. 2147483647"},
      {dialog->Replications, "32000",
       "--replications: 32000 runs from seed 12345 need seeds up to 44344, above the largest "
       "seed 32766"},
      {form->Edit1, "5x", "'5x' is not a valid floating point value"},
  };
  for (const Case& c : cases) {
    const QString before = c.field->text();
    c.field->setText(QString::fromUtf8(c.text));
    messages.clear();
    dialog->StartButton->click();
    EXPECT_EQ(messages, std::vector<std::string>{c.message}) << c.text;
    EXPECT_EQ(dialog->Run(), nullptr) << c.text;
    c.field->setText(before);
  }
  dialog->List->setText("1; 2");
  dialog->GroupParameter->setCurrentText(QString::fromUtf8("Prawdopodobieństwo"));
  messages.clear();
  dialog->StartButton->click();
  EXPECT_EQ(messages, std::vector<std::string>{
                          "--sweep: call-percent is swept twice; list its values in one --sweep"});
  dialog->GroupParameter->setCurrentIndex(0);
  dialog->List->clear();
  dialog->From->setText("0");
  dialog->To->setText("100");
  dialog->Step->setText("1");
  form->CSpinEdit7->SetValue(1);
  dialog->Replications->SetValue(32766);
  messages.clear();
  dialog->StartButton->click();
  EXPECT_EQ(messages, std::vector<std::string>{
                          "the experiment has 3309366 runs (101 points of 32766 replications), "
                          "more than the 1000000 one experiment may have; split it into several"});
  EXPECT_EQ(dialog->Run(), nullptr);
}

// Stopped after its first point, the study keeps that point, says it was interrupted,
// and saves the runner's rows of that point alone.
TEST_F(StudyWindow, StopKeepsTheFinishedPointsOnly) {
  Type(dialog->List, "20; 30; 40");
  Type(dialog->Replications, "1");
  Type(dialog->Steps, "40000");
  Type(dialog->Threads, "1");
  dialog->StartButton->click();
  ASSERT_NE(dialog->Run(), nullptr);
  EXPECT_TRUE(dialog->StopButton->isEnabled());
  EXPECT_FALSE(dialog->StartButton->isEnabled());
  QObject::connect(dialog->Run(), &TStudyRun::RunEnded, dialog,
                   [this] { dialog->StopButton->click(); });
  WaitForEnd();
  EXPECT_TRUE(dialog->Run()->Interrupted());
  EXPECT_EQ(dialog->Run()->FinishedPoints(), 1);
  EXPECT_EQ(dialog->ProgressText->text(), QString::fromUtf8("1 z 3 przebiegów"));
  EXPECT_EQ(dialog->Status->text(),
            QString::fromUtf8("Badanie przerwane; wyniki obejmują tylko ukończone punkty: 1 z 3."));
  EXPECT_TRUE(dialog->StartButton->isEnabled());
  const std::string saved = SaveWithCtrlS();
  std::string command = kDefaultCommand;
  command.replace(command.find("call-percent=5:50:5"), 19, "call-percent=20");
  command.replace(command.find("--replications 4 --steps 300"), 28,
                  "--replications 1 --steps 40000");
  EXPECT_EQ(saved, RunnerResults(command));
}

TEST_F(StudyWindow, ClosingTheWindowStopsTheStudyHidingItDoesNot) {
  Type(dialog->Steps, "2000000");
  // Enter in a spin edit starts the study too.
  QTest::keyClick(dialog->Steps, Qt::Key_Return);
  ASSERT_NE(dialog->Run(), nullptr);
  dialog->hide();  // as when the main window is minimized
  dialog->show();
  QTest::qWait(50);
  EXPECT_TRUE(dialog->Run()->Running());
  dialog->close();
  WaitForEnd();
  EXPECT_TRUE(dialog->Run()->Interrupted());
  EXPECT_EQ(dialog->Run()->FinishedPoints(), 0);
  EXPECT_FALSE(dialog->SaveResultsButton->isEnabled());
}

TEST_F(StudyWindow, NoStepOnTheWindowsThread) {
  std::atomic<int> steps{0}, onWindowThread{0};
  QThread* window = QThread::currentThread();
  TStudyRun::SetStepProbe([&] {
    ++steps;
    if (QThread::currentThread() == window) ++onWindowThread;
  });
  Type(dialog->Threads, "1");
  dialog->StartButton->click();
  WaitForEnd();
  TStudyRun::SetStepProbe(nullptr);
  EXPECT_EQ(steps, 40 * 300);
  EXPECT_EQ(onWindowThread, 0);
}

TEST_F(StudyWindow, SavesThePlotAsPngOrSvg) {
  Type(dialog->List, "10; 20");
  Type(dialog->Steps, "50");
  dialog->StartButton->click();
  WaitForEnd();
  for (const char* format : {"PNG", "SVG"}) {
    dialog->PlotFormat->setCurrentText(format);
    messages.clear();
    dialog->SavePlotButton->click();
    ASSERT_EQ(messages.size(), 1u);
    const std::string name = messages[0].substr(messages[0].rfind(' ') + 1);
    EXPECT_EQ(messages[0], "zapisano wykres do pliku: " + name);
    const std::string bytes = ReadFile(name);
    if (*format == 'P') {
      EXPECT_EQ(name.substr(name.size() - 12), "_badanie.png");
      EXPECT_EQ(bytes.substr(1, 3), "PNG");
    } else {
      EXPECT_EQ(name.substr(name.size() - 12), "_badanie.svg");
      EXPECT_NE(bytes.find("width=\"800\""), std::string::npos);
    }
  }
}

TEST(StudyProgress, Text) {
  EXPECT_EQ(StudyProgressText(3, 10, 65), "3 z 10 przebiegów, pozostało ok. 1:05");
  EXPECT_EQ(StudyProgressText(0, 4, -1), "0 z 4 przebiegów, pozostało ok. ?");
}

}  // namespace

}  // namespace vadidazid
