// The figures of a run from hand-made counts, the MSER-5 truncation of hand-made batch
// loads, and the measured window against plain sums over the steps after its warm-up.
#include "study/runfigures.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

#include "study/measuredwindow.h"

namespace vadidazid {

namespace {

TEST(RunFigures, FromHandMadeCounts) {
  const double nan = std::nan("");
  struct Case {
    RunCounts counts;
    RunFigures figures;
  };
  // N 2 (4 cells), C 2 (8 channels). First: 4 steps, 10 calls drawn, 2 blocked, 8 started
  // holding 16 steps (2 each), 2 full-cell offers, 1 of 4 hand-overs dropped, 20 running
  // in all, 7 at most: offered 10 / 4 / 4 x 2 = 1.25 E, Erlang B (1.25^2/2) / (1 + 1.25
  // + 1.25^2/2) = 25/97; Engset for 3 subscribers per cell, 0.5 x 2 = 1 E each while
  // idle: the other two fill both channels with 1 / (1 + 2 + 1).
  // Second: nothing drawn. Third: drawn, none started, so no holding time.
  // Each case: {phase counts}, then the parameters, the measured steps and the loads.
  const Case cases[] = {
      {{{10, 2, 8, 2, 1, 4, 6, 16}, 2, 12, 2, 50, 4, 20, 7},
       {62.5, 87.5, 0.2, 0.2, 0.25, 1.25, 25.0 / 97, 0.25}},
      {{{}, 2, 12, 2, 50, 4, 0, 0}, {0, 0, nan, nan, nan, 0, 0, nan}},
      {{{}, 2, 12, 2, 0, 4, 0, 0}, {0, 0, nan, nan, nan, 0, 0, 0}},
      {{{5, 5, 0, 7, 0, 0, 0, 0}, 2, 12, 2, 50, 2, 16, 8}, {100, 100, 1, 1, nan, nan, nan, nan}},
  };
  auto list = [](const RunFigures& f) {
    return std::vector<double>{f.meanLoadPercent,
                               f.maxLoadPercent,
                               f.blockingProbability,
                               f.callCongestion,
                               f.droppingProbability,
                               f.offeredErlangsPerCell,
                               f.erlangB,
                               f.engset};
  };
  for (const Case& c : cases) {
    EXPECT_THAT(list(FiguresOf(c.counts)),
                testing::Pointwise(testing::NanSensitiveDoubleEq(), list(c.figures)));
  }
}

TEST(RunFigures, MserTruncation) {
  struct Case {
    std::vector<int64_t> batches;
    int64_t largest, truncation;
  };
  const Case cases[] = {
      // A start far above a level that alternates 10, 12: after 2 batches the deviation
      // is 6 / 36; after 3, 4.8 / 25; after 4, 4 / 16.
      {{50, 40, 10, 12, 10, 12, 10, 12}, 4, 2},
      {{50, 40, 10, 12, 10, 12, 10, 12}, 1, 1},  // the search stops at `largest`
      {{7, 7, 7, 7}, 2, 0},                      // ties go to the smallest
      {{100, 100, 100, 0, 0, 0}, 1, 0},
      {{}, 3, 0},
      {{5}, 3, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MserTruncation(c.batches, c.largest), c.truncation)
        << c.batches.size() << " " << c.largest;
  }
}

// Reports whose counts follow the step number, with a load that falls to a level.
StepReport Report(int64_t step) {
  StepReport r;
  r.step = step;
  r.newCalls = {int32_t(step % 7), int32_t(step % 3), int32_t(step % 5), step * 2};
  r.recount = {int32_t(step < 10 ? 200 - 10 * step : 100 + step % 2 * 4), 0};
  r.moves = {int32_t(step % 4 + 1), int32_t(step % 2)};
  r.countdown = {int32_t(step % 6)};
  return r;
}

TEST(RunFigures, WindowSumsTheStepsAfterItsWarmup) {
  using Warmup = std::optional<int64_t>;
  for (int64_t steps : {1, 9, 10, 43, 60}) {
    for (Warmup warmup : {Warmup(), Warmup(0), Warmup(steps - 1)}) {
      MeasuredWindow window(steps, warmup);
      for (int64_t i = 1; i <= steps; ++i) window.Add(Report(i));
      const int64_t w = window.Warmup();
      // MSER-5 cuts where the fall ends (step 10), within the first half of the run.
      EXPECT_EQ(w, warmup ? *warmup : steps >= 20 ? 10 : steps == 10 ? 5 : 0) << steps;
      std::vector<int64_t> want(11, 0);
      want[0] = steps - w;
      for (int64_t i = w + 1; i <= steps; ++i) {
        const StepReport r = Report(i);
        const int64_t add[9] = {r.newCalls.started + r.newCalls.blocked,
                                r.newCalls.blocked,
                                r.newCalls.started,
                                r.newCalls.fullCellOffers,
                                r.newCalls.callSteps,
                                r.moves.dropped,
                                r.moves.handedOver,
                                r.countdown.ended,
                                r.recount.running};
        for (int k = 0; k < 9; ++k) want[size_t(k) + 1] += add[k];
        want[10] = std::max<int64_t>(want[10], r.recount.running);
      }
      const RunCounts c = window.Counts();
      EXPECT_EQ(want, (std::vector<int64_t>{c.measuredSteps, c.attempts, c.blocked, c.started,
                                            c.fullCellOffers, c.callSteps, c.dropped, c.handovers,
                                            c.ended, c.runningSum, c.runningMax}))
          << steps << " steps";
    }
  }
}

}  // namespace

}  // namespace vadidazid
