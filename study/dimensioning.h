// Dimensioning: the boundary value of one whole-numbered parameter (channels,
// subscribers, call-percent, grid-side) at which a measure of the result rows starts or
// stops meeting a target such as call_congestion <= 0.02. Each value tried is a point
// of ordinary experiment runs, replicated in batches until the 95 % interval of the
// measure lies wholly on one side of the target; the search brackets the boundary by
// doubling or halving from the base value, then bisects. The runs are handed to a
// caller's function, so the answer and its rows do not depend on how they are run.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "study/experiment.h"
#include "study/statistics.h"

namespace vadidazid {

// MEASURE<=VALUE or MEASURE>=VALUE.
struct DimensionTarget {
  std::string measure;  // call_congestion, blocking_probability, ...
  bool atMost = true;   // <=; otherwise >=
  double value = 0.0;
};

// Throws UsageError for an unknown measure, a missing comparison or a value
// that is no finite number.
DimensionTarget ParseDimensionTarget(const std::string& text);

// The measure of a result row by its column name; throws UsageError for
// another name.
double MeasureOf(const RunResult& row, const std::string& measure);

// Throws UsageError for a name that is no parameter a search may change.
void CheckDimensionParameter(const std::string& name);

struct DimensionPlan {
  ExperimentPlan base;    // controls, steps and warm-up; replications and sweeps unused
  std::string parameter;  // channels, subscribers, call-percent or grid-side
  DimensionTarget target;
  int64_t maxReplications = 64;
};

inline constexpr int64_t kReplicationBatch = 4;

// Throws UsageError where the plan cannot be searched: an unknown parameter,
// a cap below one batch, or seeds of the cap beyond the seed range; and what CheckPlan
// throws.
void CheckDimensionPlan(const DimensionPlan& plan);

enum class Verdict { Meets, Fails, Undecided };

struct DimensionPoint {
  int64_t value = 0;
  std::vector<RunResult> rows;  // by seed
  MeanInterval interval{};
  Verdict verdict = Verdict::Undecided;
};

enum class DimensionOutcome {
  Found,        // `answer` meets, its neighbour `beyond` fails
  Between,      // undecided values lie between a failing and a meeting one
  AllMeet,      // the range's end meets: `answer` is that end
  NoneMeet,     // no value up to the range's end meets; `beyond` is the last one tried
  NoTrend,      // the measure's mean did not change over the values tried
  NotMonotone,  // decided points contradict one trend
};

struct DimensionAnswer {
  DimensionOutcome outcome = DimensionOutcome::NoTrend;
  std::vector<DimensionPoint> points;  // by value
  // +1: the target is met at high values (the answer is the smallest meeting one); -1:
  // at low values (the largest); 0: unknown.
  int metSide = 0;
  std::optional<int64_t> answer;  // the boundary's meeting value
  std::optional<int64_t> beyond;  // the failing value next to it (its neighbour)
  int64_t runs = 0;
};

// The runs of one batch, their results in the order of the runs.
using RunBatch = std::function<std::vector<RunResult>(const std::vector<RunPlan>&)>;

// The search. The plan has passed CheckDimensionPlan.
DimensionAnswer Dimension(const DimensionPlan& plan, const RunBatch& run);

// Every row of the points, by value and seed.
std::vector<RunResult> DimensionRows(const DimensionAnswer& answer);

// The smallest channel count whose Erlang B, or Engset call congestion, is at most
// `target`; nullopt when none up to `limit` is.
std::optional<int64_t> ErlangBChannels(double erlangs, double target, int64_t limit);
std::optional<int64_t> EngsetChannels(double sources, double perIdleSource, double target,
                                      int64_t limit);

}  // namespace vadidazid
