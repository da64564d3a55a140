// Run control: Start / Stop through the run states and the timer's end of a timed run.
// The window's tests drive the same rules through its buttons, and the runner's tests
// compare its timed runs with the log of the saved file.
#include "sim/runcontrol.h"

#include <gtest/gtest.h>

#include "platform/drawing/recordingcanvas.h"
#include "tests/sim/testrun.h"

namespace vadidazid {

namespace {

struct FakeTimer : StepTimer {
  bool running = false;
  int interval = 1000;
  bool Running() const override { return running; }
  void SetRunning(bool on) override { running = on; }
  void SetInterval(int milliseconds) override { interval = milliseconds; }
};

TEST(RunControl, StartStopThroughTheRunStates) {
  SimControls c{.stepLimit = 2, .stepsPerSecond = 7};
  TestRun run(c);
  RecordingCanvas canvas;
  run.window.canvas = &canvas;
  FakeTimer timer;
  run.control.StartStop(timer);  // at step 0: set up, recount, draw, interval, timer on
  EXPECT_TRUE(timer.running);
  EXPECT_EQ(timer.interval, 142);
  EXPECT_EQ(run.window.log.size(), 1u);
  EXPECT_EQ(run.state.maxCellSubscribers, 1000);  // all in the start cell
  EXPECT_EQ(run.window.gridDrawn, 1);
  EXPECT_FALSE(canvas.Calls().empty());

  run.control.Tick(timer);
  run.control.Tick(timer);
  run.control.StartStop(timer);  // the summary step is due: no pause
  EXPECT_TRUE(timer.running);
  run.control.Tick(timer);  // the summary step ends the timed run
  EXPECT_FALSE(timer.running);
  EXPECT_EQ(run.window.log.size(), 1u + 3 + 4);
}

}  // namespace

}  // namespace vadidazid
