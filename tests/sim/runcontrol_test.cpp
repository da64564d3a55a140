// Run control: Start / Stop through the run states, the timer's end of a timed run, and
// the timed run without a timer.
#include "sim/runcontrol.h"

#include <gtest/gtest.h>

#include "platform/recordingcanvas.h"
#include "tests/sim/testrun.h"

namespace {

struct FakeTimer : StepTimer {
  bool running = false;
  int interval = 1000;
  bool Running() const override { return running; }
  void SetRunning(bool on) override { running = on; }
  void SetInterval(int milliseconds) override { interval = milliseconds; }
};

TEST(RunControl, StartStopThroughTheRunStates) {
  SimControls c;
  c.stepLimit = 2;
  c.stepsPerSecond = 7;
  TestRun run(c);
  RecordingCanvas canvas;
  run.window.canvas = &canvas;
  FakeTimer timer;
  run.SetUp().Steps(1);  // a step before Start: no new set-up, interval untouched
  run.control.StartStop(timer);
  EXPECT_TRUE(timer.running);
  EXPECT_EQ(timer.interval, 1000);
  EXPECT_EQ(run.state.stepCounter, 1);

  run.SetUp();  // Reset leaves the timer running
  EXPECT_TRUE(timer.running);
  const int drawnBefore = run.window.gridDrawn;
  run.control.StartStop(timer);  // at step 0: set up, recount, draw, interval, then toggle
  EXPECT_FALSE(timer.running);
  EXPECT_EQ(timer.interval, 142);
  EXPECT_EQ(run.state.maxCellSubscribers, 1000);  // all in the start cell
  EXPECT_EQ(run.window.gridDrawn, drawnBefore + 1);
  EXPECT_FALSE(canvas.Calls().empty());

  run.control.StartStop(timer);
  run.control.Tick(timer);
  run.control.Tick(timer);
  EXPECT_EQ(run.state.stepCounter, 2);
  run.control.StartStop(timer);  // the summary step is due: no pause
  EXPECT_TRUE(timer.running);
  run.control.Tick(timer);
  EXPECT_FALSE(timer.running);
  EXPECT_EQ(run.window.log.size(), 1u + 3 + 4);
  run.control.StartStop(timer);  // finished: nothing
  EXPECT_FALSE(timer.running);
}

TEST(RunControl, AManualStepPastTheEndStillStopsTheTimer) {
  SimControls c;
  c.stepLimit = 1;
  TestRun run(c);
  FakeTimer timer;
  run.SetUp().control.StartStop(timer);
  run.Steps(2);  // the summary step by hand while the timer runs
  EXPECT_TRUE(timer.running);
  run.control.Tick(timer);
  EXPECT_FALSE(timer.running);
  EXPECT_EQ(run.state.stepCounter, 3);
}

TEST(RunControl, RunToEndMakesTheTimedRunsSteps) {
  SimControls c;
  c.stepLimit = 4;
  TestRun run(c);
  run.SetUp().control.RunToEnd();
  EXPECT_EQ(run.state.stepCounter, run.control.TimedRunSteps());
  EXPECT_EQ(run.window.log.size(), 1u + 5 + 4);
  EXPECT_EQ(run.window.log[6].rfind("średnie", 0), 0u);
}

}  // namespace
