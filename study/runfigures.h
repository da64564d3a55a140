// The figures derived from a run's counts over its measured steps: loads, blocking,
// call congestion and dropping probabilities, offered traffic, and the Erlang B and
// Engset values of that traffic. One pure function, so a row can be recomputed from
// its counts alone.
#pragma once

#include <cstdint>

namespace vadidazid {

// Counts of every phase of the measured steps (after the warm-up), the moves and
// countdown of the last step included: what a run measures and a result row keeps.
struct PhaseCounts {
  int64_t attempts = 0;  // calls drawn: started + blocked
  int64_t blocked = 0;   // drawn but not started
  int64_t started = 0;
  int64_t fullCellOffers = 0;  // idle subscribers passed over for a full cell
  int64_t dropped = 0;
  int64_t handovers = 0;  // calls that moved to another cell, dropped ones included
  int64_t ended = 0;
  int64_t callSteps = 0;  // the durations given to the started calls, summed

  // Counts of two spans of steps add up, and a span's counts less those of its start
  // are the counts of the rest: the measured window sums steps and cuts its warm-up so.
  PhaseCounts& operator+=(const PhaseCounts& other);
  PhaseCounts& operator-=(const PhaseCounts& other);
  friend bool operator==(const PhaseCounts&, const PhaseCounts&) = default;
};

// Sums over the measured steps, with the parameters the figures need.
struct RunCounts : PhaseCounts {
  int32_t gridSide = 0;
  int32_t subscribers = 0;
  int32_t channels = 0;
  int32_t callPercent = 0;
  int64_t measuredSteps = 0;
  int64_t runningSum = 0;  // running calls after each step's recount, summed
  int32_t runningMax = 0;
};

// NaN where a figure is undefined (a probability of nothing, a holding time of no call).
struct RunFigures {
  double meanLoadPercent = 0.0;
  double maxLoadPercent = 0.0;
  double blockingProbability = 0.0;
  double callCongestion = 0.0;
  double droppingProbability = 0.0;
  double offeredErlangsPerCell = 0.0;
  double erlangB = 0.0;
  double engset = 0.0;
};

RunFigures FiguresOf(const RunCounts& counts);

}  // namespace vadidazid
