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

namespace vadidazid {

namespace {

struct GuardRun {
  RandomVariates generator{1};
  RuntimeRandom moves;
  SimulationState state{generator, moves};
  FakeWindow window;
  GuardRun(std::string mean, std::string deviation, int callPercent) {
    window.controls.meanText = std::move(mean);
    window.controls.deviationText = std::move(deviation);
    window.controls.callPercent = callPercent;
  }
};

TEST(DurationGuard, RefusesOnlyBeyondAMillionDrawsPerCall) {
  const struct {
    double mean, deviation;
    bool refused;
  } cases[] = {
      {-8, 1, true},  // about 8e11 draws per call
      {-30, 3.5, true},
      {-6, 1, true},     // 3.5 million
      {-5.5, 1, false},  // 300 thousand
      {-1 - 4.76 * 2, 2, true},
      {-1 - 4.74 * 2, 2, false},
      {-1 - 4.76 * 2, -2, true},  // the sign of the deviation does not matter
      {-1, 0, true},              // every draw is -1
      {-0.99, 0, false},          // every draw truncates to 0 steps
      {5, 0.01, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DurationCannotStart(c.mean, c.deviation), c.refused)
        << c.mean << " / " << c.deviation;
  }
}

TEST(DurationGuard, SetUpRefusesWithAMessageOnlyWhenCallsCanStart) {
  const struct {
    const char* mean;
    const char* deviation;
    int callPercent;  // below the range it is brought to 0, as the spin edit does
    bool refused;
  } cases[] = {{"-8", "1", 15, true},
               {"-30", "3.5", 1, true},
               {"-40", "3.5", 0, false},
               {"-40", "3.5", -3, false}};
  for (const auto& c : cases) {
    GuardRun run(c.mean, c.deviation, c.callPercent);
    try {
      SetUpSimulation(run.state, run.window);
    } catch (const Exception& e) {
      EXPECT_TRUE(c.refused) << c.mean;
      EXPECT_NE(std::string(e.what()).find("ponad milion losowań"), std::string::npos) << e.what();
      EXPECT_FALSE(run.state.IsSetUp());
      continue;
    }
    ASSERT_FALSE(c.refused) << c.mean;  // stepping such a run would not end
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

TEST(DurationGuard, RefusesAWholeStepOfTooManyRedraws) {
  // Each case passes the per-call guard; only the calls of a whole step decide.
  const struct {
    const char* mean;
    int subscribers, channels, callPercent;
    bool refused;
  } cases[] = {
      {"-5.7", 10000, 100000, 100, true},  // 10^4 calls x 7.7 x 10^5 draws: minutes
      {"-5.7", 100, 100000, 100, false},   // 100 calls: 7.7 x 10^7
      {"-5.7", 10000, 100000, 1, false},   // 100 calls asked for
      {"-5.7", 10000, 10, 100, true},      // 1000 channels still take 7.7 x 10^8
      {"-5.5", 1000, 10, 15, false},       // 150 calls x 3 x 10^5
      {"-4", 100000, 100000, 100, false},  // 740 draws per call, 7.4 x 10^7
      {"-4.5", 100000, 100000, 100, true},
      {"-5.7", 10000, 100000, 0, false},  // no call ever starts
  };
  for (const auto& c : cases) {
    GuardRun run(c.mean, "1", c.callPercent);
    run.window.controls.subscriberCount = c.subscribers;
    run.window.controls.channelsPerCell = c.channels;
    bool refused = false;
    try {
      SetUpSimulation(run.state, run.window);
    } catch (const Exception& e) {
      refused = true;
      EXPECT_NE(std::string(e.what()).find("jeden krok"), std::string::npos) << e.what();
      EXPECT_FALSE(run.state.IsSetUp());
    }
    EXPECT_EQ(refused, c.refused) << c.mean << " M=" << c.subscribers << " C=" << c.channels
                                  << " p=" << c.callPercent;
  }
}

}  // namespace

}  // namespace vadidazid
