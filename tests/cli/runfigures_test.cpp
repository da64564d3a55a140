// The figures of a run from hand-made counts, the MSER-5 truncation of hand-made batch
// loads, and the measured window against plain sums over the steps after its warm-up.
#include "cli/runfigures.h"

#include <gtest/gtest.h>

#include <cmath>

#include "cli/measuredwindow.h"

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
  const Case cases[] = {
      {{2, 12, 2, 50, 4, 10, 2, 8, 2, 1, 4, 6, 16, 20, 7},
       {62.5, 87.5, 0.2, 0.2, 0.25, 1.25, 25.0 / 97, 0.25}},
      {{2, 12, 2, 50, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {0, 0, nan, nan, nan, 0, 0, nan}},
      {{2, 12, 2, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {0, 0, nan, nan, nan, 0, 0, 0}},
      {{2, 12, 2, 50, 2, 5, 5, 0, 7, 0, 0, 0, 0, 16, 8},
       {100, 100, 1, 1, nan, nan, nan, nan}},
  };
  for (const Case& c : cases) {
    const RunFigures f = FiguresOf(c.counts);
    const double got[8] = {f.meanLoadPercent, f.maxLoadPercent, f.blockingProbability,
                           f.callCongestion, f.droppingProbability, f.offeredErlangsPerCell,
                           f.erlangB, f.engset};
    const RunFigures& e = c.figures;
    const double want[8] = {e.meanLoadPercent, e.maxLoadPercent, e.blockingProbability,
                            e.callCongestion, e.droppingProbability, e.offeredErlangsPerCell,
                            e.erlangB, e.engset};
    for (int k = 0; k < 8; ++k) {
      if (std::isnan(want[k])) {
        EXPECT_TRUE(std::isnan(got[k])) << "figure " << k << ": " << got[k];
      } else {
        EXPECT_DOUBLE_EQ(got[k], want[k]) << "figure " << k;
      }
    }
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
    EXPECT_EQ(MserTruncation(c.batches, c.largest), c.truncation) << c.batches.size() << " " << c.largest;
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
  for (int64_t steps : {1, 9, 10, 43, 60}) {
    for (std::optional<int64_t> warmup : {std::optional<int64_t>(), std::optional<int64_t>(0),
                                          std::optional<int64_t>(steps - 1)}) {
      MeasuredWindow window(steps, warmup);
      for (int64_t i = 1; i <= steps; ++i) window.Add(Report(i));
      const int64_t w = window.Warmup();
      if (warmup) EXPECT_EQ(w, *warmup);
      if (!warmup) EXPECT_LE(w * 2, steps);
      if (!warmup && steps >= 20) EXPECT_EQ(w, 10);  // the fall ends with step 10
      RunCounts sums;
      for (int64_t i = w + 1; i <= steps; ++i) {
        const StepReport r = Report(i);
        sums.attempts += r.newCalls.started + r.newCalls.blocked;
        sums.blocked += r.newCalls.blocked;
        sums.started += r.newCalls.started;
        sums.fullCellOffers += r.newCalls.fullCellOffers;
        sums.callSteps += r.newCalls.callSteps;
        sums.dropped += r.moves.dropped;
        sums.handovers += r.moves.handedOver;
        sums.ended += r.countdown.ended;
        sums.runningSum += r.recount.running;
        sums.runningMax = std::max(sums.runningMax, r.recount.running);
      }
      const RunCounts c = window.Counts();
      const int64_t got[11] = {c.measuredSteps, c.attempts, c.blocked, c.started,
                               c.fullCellOffers, c.callSteps, c.dropped, c.handovers,
                               c.ended, c.runningSum, c.runningMax};
      const int64_t want[11] = {steps - w, sums.attempts, sums.blocked, sums.started,
                                sums.fullCellOffers, sums.callSteps, sums.dropped,
                                sums.handovers, sums.ended, sums.runningSum, sums.runningMax};
      for (int k = 0; k < 11; ++k) EXPECT_EQ(got[k], want[k]) << steps << " steps, " << k;
    }
  }
}

}  // namespace
