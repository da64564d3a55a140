// The set-up's guard against a duration draw that would be repeated for an unreasonable
// time: where its line lies, that it leaves runs without calls alone, and that the runs it
// lets through do start their calls.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "platform/exceptions.h"
#include "random/randomvariates.h"
#include "random/runtimerandom.h"
#include "sim/setup.h"
#include "sim/step.h"
#include "tests/sim/fakewindow.h"

namespace {

struct GuardRun {
  RandomVariates generator{1};
  RuntimeRandom moves;
  SimulationState state{generator, moves};
  FakeWindow window;
  GuardRun(const char* mean, const char* deviation, int callPercent) {
    window.controls.meanText = mean;
    window.controls.deviationText = deviation;
    window.controls.callPercent = callPercent;
  }
};

TEST(DurationGuard, RefusesOnlyBeyondAMillionDrawsPerCall) {
  const struct {
    double mean, deviation;
    bool refused;
  } cases[] = {
      {-8, 1, true},         // about 8e11 draws per call
      {-30, 3.5, true},
      {-6, 1, true},         // 3.5 million
      {-5.5, 1, false},      // 300 thousand
      {-1 - 4.76 * 2, 2, true},
      {-1 - 4.74 * 2, 2, false},
      {-1 - 4.76 * 2, -2, true},  // the sign of the deviation does not matter
      {-1, 0, true},         // every draw is -1
      {-0.99, 0, false},     // every draw truncates to 0 steps
      {5, 0.01, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DurationCannotStart(c.mean, c.deviation), c.refused) << c.mean << " / " << c.deviation;
  }
}

TEST(DurationGuard, SetUpRefusesWithAMessageWhenCallsCanStart) {
  for (auto [mean, deviation] : {std::pair{"-8", "1"}, std::pair{"-30", "3.5"}}) {
    GuardRun run(mean, deviation, 15);
    try {
      SetUpSimulation(run.state, run.window);
      ADD_FAILURE() << "accepted " << mean;
    } catch (const Exception& e) {
      EXPECT_NE(std::string(e.what()).find("ponad milion losowań"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(run.state.IsSetUp());
  }
}

TEST(DurationGuard, AnyMeanWillDoWhenNoCallCanStart) {
  // A percentage below the range is brought to 0 like the spin edit does.
  for (int percent : {0, -3}) {
    GuardRun run("-40", "3.5", percent);
    SetUpSimulation(run.state, run.window);
    for (int i = 0; i < 3; ++i) SimulationStep(run.state, run.window);
    EXPECT_EQ(run.window.log.back(), "0\t0\t0\t0");
  }
}

TEST(DurationGuard, AcceptedRunsStartTheirCalls) {
  // About 740 draws per call: far from the line. All 50 subscribers start in one cell,
  // whose 10 channels all get a call, each of no steps.
  GuardRun run("-4", "1", 100);
  run.window.controls.subscriberCount = 50;
  SetUpSimulation(run.state, run.window);
  SimulationStep(run.state, run.window);
  EXPECT_EQ(run.window.log.back(), "0\t10\t0\t0");
}

}  // namespace
