// The set-up most simulation tests share: controls on a fake window, generators of the
// run's own, the state and the run control over them, and a fixed clock for the stamp.
#pragma once

#include "random/randomvariates.h"
#include "random/runtimerandom.h"
#include "sim/runcontrol.h"
#include "sim/simulationstate.h"
#include "tests/sim/fakewindow.h"

namespace vadidazid {

struct TestRun {
  RandomVariates generator{1};
  RuntimeRandom moves;
  SimulationState state{generator, moves};
  FakeWindow window;
  RunControl control{state, window};

  // Not set up yet: the test may still change the controls.
  explicit TestRun(const SimControls& controls = {}) {
    window.controls = controls;
    state.localTime = [] { return LocalTime(2008, 3, 7, 14, 5, 9); };
  }
  TestRun(const TestRun&) = delete;
  TestRun& operator=(const TestRun&) = delete;

  TestRun& SetUp() {
    control.SetUp();
    return *this;
  }
  TestRun& Steps(int count) {
    for (int i = 0; i < count; ++i) control.Step();
    return *this;
  }
};

}  // namespace vadidazid
