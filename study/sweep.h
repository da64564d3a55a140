// The sweeps of an experiment: one parameter over FROM:TO:STEP or over a list of values,
// whole-numbered (call-percent, channels, subscribers, grid-side) or real (mean,
// deviation), and several sweeps as a full grid of points.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/exceptions.h"
#include "sim/controlsource.h"

namespace vadidazid {

struct Sweep {
  std::string name;  // as in the option: call-percent, channels, ..., mean, deviation
  // Decimal texts with the point and no trailing zeros, in the order of the sweep. Range
  // values are FROM + i * STEP computed in decimal, so 0.1 steps land on 0.3, not on the
  // binary sum 0.30000000000000004.
  std::vector<std::string> values;
};

// The most values one sweep may have.
inline constexpr int64_t kMaxSweepValues = 1000000;

// NAME=FROM:TO:STEP (a STEP past TO gives the one value FROM) or NAME=V1,V2,...; throws
// UsageError with a message for the user: an unknown name, a malformed or
// out-of-range value, a value listed twice, more than kMaxSweepValues values.
Sweep ParseSweep(const std::string& text);

// The product of the sweeps' value counts (1 for none), or cap + 1 once it exceeds cap.
int64_t GridPointCount(const std::vector<Sweep>& sweeps, int64_t cap);

// The controls of grid point `index` (0 .. GridPointCount - 1): the first sweep changes
// slowest, the last one fastest.
SimControls GridPoint(const SimControls& base, const std::vector<Sweep>& sweeps, int64_t index);

}  // namespace vadidazid
