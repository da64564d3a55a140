// The summary of an experiment: per point, the mean and 95 % confidence interval over
// the replications of the blocking, call congestion and dropping probabilities and of
// the mean load, beside the Engset and Erlang B values, as a table for a terminal. A
// mean that covers fewer runs than its point has (the others' value is undefined) says
// how many it covers. It is
// built from result rows alone, sorted first, so the rows of shards read back from their
// files give the same summary as the whole experiment run in one process.
#pragma once

#include <string>
#include <vector>

#include "results/resulttable.h"
#include "study/statistics.h"

namespace vadidazid {

struct PointSummary {
  RunResult point;  // its parameters
  int64_t runs = 0;
  MeanInterval blocking;
  MeanInterval callCongestion;
  MeanInterval engset;
  MeanInterval erlangB;
  MeanInterval dropping;
  MeanInterval load;
};

// Throws EInvalidInput when one point holds the same seed twice (a shard given
// twice would otherwise count double).
std::vector<PointSummary> SummarizeResults(std::vector<RunResult> results);

std::string SummaryTable(const std::vector<PointSummary>& points);

// The table's cells, the header first: the parameters in which the points differ, the
// runs, and the means (± the half-width of the interval where it has one, " (n)" where
// a mean covers n runs of more), with the point as decimal separator and "-" for a
// value that is undefined. `common`, when given, receives the parameters all points
// share ("grid_side 10, subscribers 1000, ...").
std::vector<std::vector<std::string>> SummaryCells(const std::vector<PointSummary>& points,
                                                   std::string* common = nullptr);

}  // namespace vadidazid
