// The main window shown and activated after a number of "Krok" steps of the default run,
// with message boxes answered silently: the starting point of the chart's window tests.
#pragma once

#include <QTest>

#include <gtest/gtest.h>

#include <memory>

#include "platform/messages.h"
#include "random/randomvariates.h"
#include "random/runtimerandom.h"
#include "ui/chartwidget.h"
#include "ui/mainwindow.h"

class SteppedForm : public testing::Test {
 protected:
  explicit SteppedForm(int steps) : steps_(steps) {}

  void SetUp() override {
    SetMessageHook([](const std::string&) {});
    form = std::make_unique<TForm1>(generator, moves);
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    for (int i = 0; i < steps_; ++i) form->Button2Click();
    Paint();
  }
  void TearDown() override {
    form.reset();
    SetMessageHook(nullptr);
  }

  TChart& Chart() { return form->Chart(); }
  void Paint() { form->Chart1->repaint(); }

  RandomVariates generator{1};
  RuntimeRandom moves;
  std::unique_ptr<TForm1> form;

 private:
  int steps_;
};
