// The row a run of a study produces: its parameters and seed, its counts over the
// measured steps and the figures derived from them. The engine makes it; results/ gives
// it its text in a table and reads it back.
#pragma once

#include <cstdint>

#include "study/runfigures.h"

namespace vadidazid {

// The counts and the figures derived from them (FiguresOf) come from the bases; a figure
// is NaN where it is undefined (a probability of nothing).
struct RunResult : PhaseCounts, RunFigures {
  // The run's parameters.
  int32_t gridSide = 0;
  int32_t subscribers = 0;
  int32_t channels = 0;
  int32_t callPercent = 0;
  int64_t steps = 0;
  int64_t warmup = 0;      // the steps left out, given or chosen
  int32_t warmupAuto = 0;  // 1: chosen by MSER-5 for this run
  double mean = 0.0;
  double deviation = 0.0;
  int32_t seed = 0;
};

}  // namespace vadidazid
