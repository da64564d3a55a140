// The window's two save commands as the user meets them: the confirmation box holds the
// timed run, the picture under the run's stamp matches the chart on the screen, and a
// save that fails keeps the earlier file.
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>
#include <unistd.h>

#include <QImage>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "chart/panel/chart.h"
#include "cli/runner.h"
#include "platform/qt/messages.h"
#include "random/randomvariates.h"
#include "random/runtimerandom.h"
#include "tests/support/files.h"
#include "tests/support/filesizelimit.h"
#include "tests/ui/shownform.h"
#include "ui/chartwidget.h"
#include "ui/cspinedit.h"
#include "ui/mainwindow.h"

namespace vadidazid {

namespace {

namespace fs = std::filesystem;

// A shown window in a directory of its own, with message boxes caught by `onMessage`.
class SaveCommands : public ShownForm {
 protected:
  void SetUp() override {
    oldDir_ = fs::current_path();
    dir_ =
        fs::path(testing::TempDir()) /
        ("vdz_save_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()) +
         "_" + std::to_string(getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    fs::current_path(dir_);
    ShownForm::SetUp();
  }
  void TearDown() override {
    ShownForm::TearDown();
    fs::current_path(oldDir_);
    fs::remove_all(dir_);
  }

  QAction* MenuItem(const char* caption) {
    for (QAction* a : form->menuBar()->actions()) {
      if (a->text() == QString::fromUtf8(caption)) return a;
    }
    return nullptr;
  }
  void Type(TCSpinEdit* spin, const char* text) {
    spin->setFocus();
    spin->selectAll();
    QTest::keyClicks(spin, text);
  }
  int64_t Counter() const { return form->State().stepCounter; }
  std::string PictureName() const { return form->State().fileStamp + "_wykres.bmp"; }
  // The chart as the screen shows it now, drawn by a paint.
  QImage Screen() {
    form->Chart1->repaint();
    return form->Chart1->WindowCanvas().Image().convertToFormat(QImage::Format_RGB32);
  }
  static QImage Picture(const std::string& file) {
    const std::string bytes = ReadFile(file);
    return QImage::fromData(reinterpret_cast<const uchar*>(bytes.data()), int(bytes.size()), "BMP")
        .convertToFormat(QImage::Format_RGB32);
  }
  // Pixels in the plot in the colour of the first series' line.
  int LinePixels(const QImage& picture) {
    const TRect r = form->Chart().ChartRect();
    int n = 0;
    for (int y = r.top + 1; y < r.bottom; ++y)
      for (int x = r.left + 1; x < r.right; ++x) n += picture.pixel(x, y) == qRgb(0x80, 0, 0xFF);
    return n;
  }
  void RunToTheEnd(const char* stepLimit) {
    Type(form->CSpinEdit5, stepLimit);
    QTest::mouseClick(form->Button1, Qt::LeftButton);
    while (form->Timer1->isActive()) form->Timer1Timer();
  }

  fs::path oldDir_, dir_;
};

TEST_F(SaveCommands, AnOpenConfirmationHoldsTheTimedRun) {
  Type(form->CSpinEdit6, "30");
  QTest::mouseClick(form->Button1, Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Counter() >= 2; }, 5000));
  int64_t atOpen = -1, atClose = -1;
  onMessage = [&](const std::string&) {
    atOpen = Counter();
    QTest::qWait(400);  // a dozen intervals with the box open
    atClose = Counter();
  };
  MenuItem("Zapisz dane")->trigger();
  EXPECT_EQ(atOpen, atClose);
  EXPECT_TRUE(form->Timer1->isActive());
  EXPECT_TRUE(QTest::qWaitFor([&] { return Counter() > atClose + 2; }, 5000));
}

TEST_F(SaveCommands, ThePictureIsTheScreensChartUnderTheStamp) {
  MenuItem("Zapisz wykres")->trigger();  // right after the set-up
  ASSERT_EQ(messages, std::vector<std::string>{"zapisano wykres do pliku: " + PictureName()});
  const std::string bytes = ReadFile(PictureName());
  ASSERT_EQ(bytes.size(), 348186u);
  EXPECT_EQ(bytes.substr(0, 2), "BM");
  EXPECT_EQ(bytes.substr(18, 12), std::string("\xB1\x01\0\0\xC9\0\0\0\x01\0\x20\0", 12));
  EXPECT_EQ(Picture(PictureName()), Screen());
  EXPECT_EQ(LinePixels(Picture(PictureName())), 0);  // frame, axes and legend only

  const QImage empty = Picture(PictureName());
  for (int i = 0; i < 3; ++i) QTest::mouseClick(form->Button2, Qt::LeftButton);
  MenuItem("Zapisz wykres")->trigger();  // no new set-up, the same stamp: replaced
  EXPECT_EQ(messages.size(), 2u);
  EXPECT_EQ(Picture(PictureName()), Screen());
  EXPECT_NE(Picture(PictureName()), empty);
  EXPECT_GT(LinePixels(Picture(PictureName())), 0);
  EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 1);
}

TEST_F(SaveCommands, FailedSavesKeepTheEarlierFilesAndConfirmNothing) {
  fs::create_directory(PictureName());
  MenuItem("Zapisz wykres")->trigger();
  EXPECT_EQ(messages,
            std::vector<std::string>{"Cannot create file " + PictureName() + ": is a directory"});
  fs::remove(PictureName());

  // Files that only get part-way: the earlier ones stay as they were.
  const std::string log = form->State().fileStamp + "_dane.txt";
  for (const std::string& name : {PictureName(), log}) {
    std::ofstream(name) << "earlier";
    messages.clear();
    {
      FileSizeLimit limit(5);
      MenuItem(name == log ? "Zapisz dane" : "Zapisz wykres")->trigger();
    }
    EXPECT_EQ(messages,
              std::vector<std::string>{"Stream write error (" + name + "): file too large"})
        << name;
    EXPECT_EQ(ReadFile(name), "earlier");
  }
  EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 2);
}

TEST_F(SaveCommands, TheRunnersPictureEqualsTheWindows) {
  RunToTheEnd("5");
  MenuItem("Zapisz wykres")->trigger();
  std::ostringstream out, err;
  ASSERT_EQ(RunSimulator({"--step-limit", "5", "--picture", "runner.bmp"}, out, err), 0)
      << err.str();
  EXPECT_EQ(ReadFile("runner.bmp"), ReadFile(PictureName()));
}

}  // namespace

}  // namespace vadidazid
