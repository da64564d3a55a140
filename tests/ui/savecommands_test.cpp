// The window's two save commands as the user meets them: the confirmation box holds the
// timed run, the picture under the run's stamp matches the chart on the screen, and a
// save that fails keeps the earlier file.
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "platform/messages.h"
#include "random/randomvariates.h"
#include "random/runtimerandom.h"
#include "tests/support/files.h"
#include "ui/cspinedit.h"
#include "ui/mainwindow.h"

namespace {

namespace fs = std::filesystem;

// A shown window in a directory of its own, with message boxes caught by `onMessage`.
class SaveCommands : public testing::Test {
 protected:
  void SetUp() override {
    oldDir_ = fs::current_path();
    dir_ = fs::path(testing::TempDir()) /
           ("vdz_save_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    fs::current_path(dir_);
    SetMessageHook([this](const std::string& text) {
      messages.push_back(text);
      if (onMessage) onMessage(text);
    });
    SetBeepHook([] {});
    form = std::make_unique<TForm1>(generator, moves);
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  }
  void TearDown() override {
    form.reset();
    SetMessageHook(nullptr);
    SetBeepHook(nullptr);
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

  RandomVariates generator{1};
  RuntimeRandom moves;
  std::unique_ptr<TForm1> form;
  std::vector<std::string> messages;
  std::function<void(const std::string&)> onMessage;
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

}  // namespace
