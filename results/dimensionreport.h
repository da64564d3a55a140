// The text of a dimensioning for a terminal: the direction found, every point run with
// its interval and verdict, the answer with its neighbour, the runs spent and, for a
// call congestion kept under a target, the channel counts Erlang B and Engset would
// give for the answer's offered traffic. Also the text of the formulas' calculator.
#pragma once

#include <optional>
#include <string>

#include "study/dimensioning.h"

namespace vadidazid {

std::string DimensionReport(const DimensionPlan& plan, const DimensionAnswer& answer);

// The channels past which the formulas' answers are given up as "none".
inline constexpr int64_t kFormulaChannelLimit = 1000000;

// The calculator's question: Erlang B of `erlangs` and, with sources and their traffic
// per idle source, Engset; on `channels`, or the smallest channel count for `target`.
struct TheoryQuestion {
  std::optional<double> erlangs;
  std::optional<double> sources, perIdleSource;
  std::optional<int64_t> channels;
  std::optional<double> target;
};

std::string TheoryReport(const TheoryQuestion& question);

}  // namespace vadidazid
