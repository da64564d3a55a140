// The arithmetic of an experiment's results: the Erlang B blocking of a loss system, the
// quantiles of Student's t distribution, and the mean of replications with its 95 %
// confidence interval.
#pragma once

#include <cstdint>
#include <limits>
#include <vector>

namespace vadidazid {

// The value of a figure that has none (a share of nothing, a spread of one value); it
// reaches the tables as an empty field.
inline constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Blocking probability of `channels` servers offered `erlangs` of traffic, by the
// recurrence B(c) = A B(c-1) / (c + A B(c-1)), B(0) = 1, which stays within 0 .. 1 at
// every step, so it neither overflows nor loses precision for thousands of channels.
// NaN for a negative or NaN load.
double ErlangB(double erlangs, int64_t channels);

// Engset's call congestion: the share of call attempts that find all `channels` busy in
// a group of `sources` subscribers, each offering `perIdleSource` erlangs while idle. An
// arriving call sees the other sources - 1, so this is the time congestion of sources - 1,
// by the recurrence B(x) = (S - x) b B(x-1) / (x + (S - x) b B(x-1)), B(0) = 1, which
// stays within 0 .. 1. `sources` may be fractional (subscribers per cell on average);
// a factor S - x below 0 counts as 0, so no fewer sources than channels give 0. NaN for
// a negative or NaN traffic or source count.
double EngsetCallCongestion(double sources, int64_t channels, double perIdleSource);

// The p-quantile of Student's t with `freedom` degrees of freedom (freedom >= 1,
// 0 < p < 1), found by inverting the distribution function to double precision.
double StudentTQuantile(double p, int64_t freedom);

// Mean of the values and the half-width of its two-sided 95 % confidence interval
// (Student's t over count - 1 degrees of freedom). NaN values are left out; with fewer
// than two values left the half-width is NaN, with none the mean too.
struct MeanInterval {
  double mean;
  double halfWidth;
  int64_t count;
};
MeanInterval MeanWithInterval95(const std::vector<double>& values);

}  // namespace vadidazid
