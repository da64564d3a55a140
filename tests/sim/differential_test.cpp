// The fast step against the straightforward reference step, side by side from the same
// set-up: every counter, every cell, every subscriber, the generators and the log must
// agree after every step, over all grid sides, no calls and many, calls of no steps,
// full cells and subscriber counts that do not fill the move phase's chunks evenly.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <ostream>
#include <string>

#include "random/randomvariates.h"
#include "random/runtimerandom.h"
#include "sim/movedraw.h"
#include "sim/referencestep.h"
#include "sim/setup.h"
#include "sim/step.h"
#include "tests/sim/fakewindow.h"

namespace vadidazid {

// The path by name in test names and messages: "Portable", not the enum's bytes.
void PrintTo(MoveDrawPath path, std::ostream* os) {
  static const char* const kNames[] = {"Best", "Portable", "Wide", "Widest"};
  *os << kNames[int(path)];
}

namespace {

struct SideRun {
  explicit SideRun(bool reference)
      : generator(reference ? std::make_unique<ReferenceVariates>(1)
                            : std::make_unique<RandomVariates>(1)),
        state(*generator, moves) {}
  std::unique_ptr<RandomVariates> generator;
  RuntimeRandom moves;
  SimulationState state;
  FakeWindow window;
};

struct Case {
  int n, m, c, p;
  const char* mean;
  const char* deviation;
};

// The counters, totals and maxima of a state, in one list.
std::vector<int64_t> Counters(const SimulationState& s) {
  return {s.runningCalls,      s.maxCellSubscribers, s.newCalls,          s.droppedCalls,
          s.endedCalls,        s.stepCounter,        s.runningCallsTotal, s.runningCallsMax,
          s.droppedCallsTotal, s.droppedCallsMax,    s.blockedCalls,      s.newCallSteps,
          s.handedOverCalls,   s.handovers,          s.startedCallSteps,  s.startedCalls,
          s.fullCellOffers,    s.zeroCalls};
}

// The scalars of a step's report, in one list.
std::vector<int64_t> ReportCounts(const StepReport& r) {
  return {r.step,
          r.newCalls.started,
          r.newCalls.blocked,
          r.newCalls.fullCellOffers,
          r.newCalls.callSteps,
          r.recount.running,
          r.recount.largestCell,
          r.moves.handedOver,
          r.moves.dropped,
          r.countdown.ended};
}

// Index of the first subscriber that differs, or -1.
int FirstDifferentSubscriber(const SimulationState& a, const SimulationState& b) {
  auto same = [](const Subscriber& x, const Subscriber& y) {
    return x.column == y.column && x.row == y.row && x.callStepsLeft == y.callStepsLeft;
  };
  const auto at =
      std::mismatch(a.subscribers.begin(), a.subscribers.end(), b.subscribers.begin(), same);
  return at.first == a.subscribers.end() ? -1 : int(at.first - a.subscribers.begin());
}

// Whether the two generators would go on with the same numbers.
bool SameGenerators(const SideRun& a, const SideRun& b) {
  RandomVariates x = *a.generator, y = *b.generator;
  for (int i = 0; i < 3; ++i) {
    if (x.NormalVariate(0, 1) != y.NormalVariate(0, 1)) return false;
  }
  return a.moves.state() == b.moves.state();
}

void ExpectSameState(const SideRun& fast, const SideRun& reference, const std::string& where) {
  const SimulationState &a = fast.state, &b = reference.state;
  EXPECT_EQ(Counters(a), Counters(b)) << where;
  EXPECT_EQ(a.cellSubscribers, b.cellSubscribers) << where;
  EXPECT_EQ(a.cellCalls, b.cellCalls) << where;
  EXPECT_EQ(FirstDifferentSubscriber(a, b), -1) << where;
  EXPECT_TRUE(SameGenerators(fast, reference)) << where;
  EXPECT_EQ(fast.window.log, reference.window.log) << where;
  const auto &fastReports = fast.window.reports, &referenceReports = reference.window.reports;
  ASSERT_EQ(fastReports.size(), referenceReports.size()) << where;
  if (!fastReports.empty()) {
    EXPECT_EQ(ReportCounts(fastReports.back()), ReportCounts(referenceReports.back())) << where;
  }
  EXPECT_EQ(fast.window.lastCells, reference.window.lastCells) << where;
}

std::vector<Case> Cases() {
  std::vector<Case> cases;
  for (int n = 2; n <= 16; ++n) {
    // 29 subscribers per cell for 10 channels fill the cells; the 3 extra subscribers
    // make some counts odd, so that the move phase's lanes leave a remainder.
    const int m = 29 * n * n + 3;
    cases.push_back({n, m, 10, 100, "20", "6"});
    cases.push_back({n, m, 10, 0, "20", "6"});
    // Most draws between -1 and 1: calls of no steps, and many calls in their last step.
    cases.push_back({n, m, 30, 100, "0.3", "2"});
  }
  // Crowded cells: many idle movers leave and enter each cell.
  for (int n : {2, 7, 16}) cases.push_back({n, 40 * n * n + 5, 10, 100, "20", "6"});
  for (int m : {1, 2, 5, 7, 17, 33, 2048, 2049, 4096 + 7, 10007})
    cases.push_back({5, m, 10, 60, "5", "0.01"});
  return cases;
}

// Every version of the move draws this processor runs, each forced in turn.
class DifferentialOnPath : public testing::TestWithParam<MoveDrawPath> {
 protected:
  void SetUp() override {
    if (!ForceMoveDrawPath(GetParam())) GTEST_SKIP() << "not on this processor";
  }
  void TearDown() override { ForceMoveDrawPath(MoveDrawPath::kBest); }
};

// One step on each side made of its phases called one by one, as a caller that counts
// down on its own makes it.
void SeparatePhases(SideRun& fast, SideRun& reference) {
  StartNewCalls(fast.state);
  RecountCells(fast.state);
  MoveSubscribers(fast.state);
  CountDownCalls(fast.state);
  ReferenceStartNewCalls(reference.state);
  ReferenceRecountCells(reference.state);
  for (int32_t i = 0; i < reference.state.subscriberCount; ++i) {
    ReferenceMoveSubscriber(reference.state, i);
  }
  ReferenceCountDownCalls(reference.state);
}

TEST_P(DifferentialOnPath, FastStepMatchesTheReferenceAfterEveryStep) {
  for (const Case& k : Cases()) {
    SideRun fast(false), reference(true);
    for (SideRun* r : {&fast, &reference}) {
      SimControls& c = r->window.controls;
      c.gridSide = k.n;
      c.subscriberCount = k.m;
      c.channelsPerCell = k.c;
      c.callPercent = k.p;
      c.stepLimit = 20;
      c.seed = 100 + k.n;
      c.meanText = k.mean;
      c.deviationText = k.deviation;
      r->window.wantsCells = k.n % 2 == 0;  // the move phase with and without them
      SetUpSimulation(r->state, r->window);
    }
    for (int step = 1; step <= 24; ++step) {
      SimulationStep(fast.state, fast.window);
      ReferenceStep(reference.state, reference.window);
      const std::string where = "N " + std::to_string(k.n) + " M " + std::to_string(k.m) + " p " +
                                std::to_string(k.p) + " mean " + k.mean + " step " +
                                std::to_string(step);
      ExpectSameState(fast, reference, where);
      if (HasFailure()) return;
    }
  }
}

TEST(Differential, ReferenceTwisterGivesTheSameWords) {
  RandomVariates fast(4242u);
  ReferenceVariates reference(4242u);
  for (int i = 0; i < 3 * RandomSource::kStateSize + 11; ++i)
    ASSERT_EQ(fast.NextWord(), reference.NextWord()) << i;
  // A plain copy of the reference generator, taken between regenerations, goes on with the
  // words left in its state; so does a reseeded one.
  RandomVariates copy = reference;
  for (int i = 0; i < RandomSource::kStateSize; ++i)
    ASSERT_EQ(copy.NextWord(), fast.NextWord()) << i;
  fast.Reseed(7u);
  reference.Reseed(7u);
  for (int i = 0; i < 700; ++i) ASSERT_EQ(fast.NextWord(), reference.NextWord()) << i;
}

// The move phase and the countdown as separate operations, as a caller of the phases
// uses them, against the reference's.
TEST_P(DifferentialOnPath, SeparatePhasesMatchTheReference) {
  for (int n : {2, 3, 10, 16}) {
    SideRun fast(false), reference(true);
    SimControls c{
        .gridSide = n,
        .subscriberCount = 40 * n * n + 1,
        .callPercent = 100,
        .meanText = "3",
        .deviationText = "2",
    };
    for (SideRun* r : {&fast, &reference}) {
      r->window.controls = c;
      SetUpSimulation(r->state, r->window);
    }
    for (int step = 1; step <= 15; ++step) {
      SeparatePhases(fast, reference);
      ExpectSameState(fast, reference, "N " + std::to_string(n) + " step " + std::to_string(step));
      if (HasFailure()) return;
    }
  }
}

// Whole steps, which keep the cells' counts current from one step to the next, taken
// in turn with separate phases, which count down on their own; the first step follows a
// recount as the window's Start makes it.
TEST(Differential, WholeStepsAfterSeparatePhasesMatchTheReference) {
  SideRun fast(false), reference(true);
  for (SideRun* r : {&fast, &reference}) {
    r->window.controls = SimControls{.gridSide = 4,
                                     .subscriberCount = 700,
                                     .callPercent = 100,
                                     .meanText = "2",
                                     .deviationText = "2"};
    SetUpSimulation(r->state, r->window);
  }
  RecountCells(fast.state);
  ReferenceRecountCells(reference.state);
  for (int step = 1; step <= 30; ++step) {
    if (step % 5 == 4) {
      SeparatePhases(fast, reference);
    } else {
      SimulationStep(fast.state, fast.window);
      ReferenceStep(reference.state, reference.window);
    }
    ExpectSameState(fast, reference, "step " + std::to_string(step));
    if (HasFailure()) return;
  }
}

std::string PathName(const testing::TestParamInfo<MoveDrawPath>& info) {
  return testing::PrintToString(info.param);
}

INSTANTIATE_TEST_SUITE_P(MoveDraws, DifferentialOnPath,
                         testing::Values(MoveDrawPath::kPortable, MoveDrawPath::kWide,
                                         MoveDrawPath::kWidest),
                         PathName);

}  // namespace

}  // namespace vadidazid
