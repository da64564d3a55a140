// The figures of each cell over a run's measured steps (those after a warm-up, as a
// result row's), from the step's per-cell counts: mean subscribers and calls, full-cell
// offers, started and dropped calls, hand-overs in and out; and the measures a map
// colours the cells by.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sim/stepobserver.h"
#include "study/cellmeasure.h"

namespace vadidazid {

struct CellFigures {
  double meanSubscribers = 0, meanCalls = 0;
  int64_t fullCellOffers = 0, started = 0, dropped = 0, handoversIn = 0, handoversOut = 0;
};

class CellTally : public StepObserver {
 public:
  // A network of gridSide x gridSide cells of `channels` channels each, whose first
  // `warmup` steps are left out.
  CellTally(int gridSide, int channels, int64_t warmup = 0);

  bool WantsCellCounts() const override { return true; }
  void StepCounted(const StepReport& report) override;

  int GridSide() const { return side_; }
  // The steps counted, numbered Warmup() + 1 .. Warmup() + Steps().
  int64_t Steps() const { return steps_; }
  int64_t Warmup() const { return warmup_; }
  // Cell k = row * N + column.
  std::vector<CellFigures> Figures() const;
  // Per cell: call congestion (full-cell offers among the offers, NaN with none),
  // dropped calls, or load (mean calls in percent of the cell's channels).
  std::vector<double> Measure(MapMeasure measure) const;

 private:
  struct Sums {
    int64_t subscribers = 0, calls = 0, fullCellOffers = 0, started = 0, dropped = 0,
            handoversIn = 0, handoversOut = 0;
  };
  int side_;
  int channels_;
  int64_t warmup_;
  int64_t seen_ = 0;  // steps reported, the warm-up's included
  int64_t steps_ = 0;
  std::vector<Sums> sums_;
};

}  // namespace vadidazid
