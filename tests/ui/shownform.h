// The main window shown and activated for a test, with its message boxes caught (their
// texts collected in `messages`, and handed to `onMessage` when one is set) and its beeps
// silenced; and the same window after a number of "Krok" steps of the default run, the
// starting point of the chart's window tests.
#pragma once

#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/qt/messages.h"
#include "random/randomvariates.h"
#include "random/runtimerandom.h"
#include "ui/chartwidget.h"
#include "ui/mainwindow.h"

namespace vadidazid {

class ShownForm : public testing::Test {
 protected:
  void SetUp() override {
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
  }

  TChart& Chart() { return form->Chart(); }
  void Paint() { form->Chart1->repaint(); }

  RandomVariates generator{1};
  RuntimeRandom moves;
  std::unique_ptr<TForm1> form;
  std::vector<std::string> messages;
  std::function<void(const std::string&)> onMessage;
};

class SteppedForm : public ShownForm {
 protected:
  explicit SteppedForm(int steps) : steps_(steps) {}

  void SetUp() override {
    ShownForm::SetUp();
    if (HasFatalFailure()) return;
    for (int i = 0; i < steps_; ++i) form->Button2Click();
    Paint();
  }

 private:
  int steps_;
};

}  // namespace vadidazid
