// The result table of an experiment: one CSV record per run with its parameters, its
// seed, its counts over the measured steps and the probabilities derived from them.
// Written by the runs, read back by the summary of shards.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "study/runresult.h"

namespace vadidazid {

std::string ResultHeader();
std::string ResultRecord(const RunResult& result);

// The fields of one record. Throws EInvalidInput for another field count or a
// field that is no number of its column's kind, naming the column.
RunResult ParseResultRecord(const std::vector<std::string>& fields);
// "column 3 (channels)" for the column of that name.
std::string ResultColumnLabel(std::string_view name);

// The rows of a whole result table as ResultTableReader reads them.
std::vector<RunResult> ParseResultTable(std::string_view text);

// True when the two results belong to the same experiment point: all parameters equal,
// the warm-up too unless both runs chose theirs by MSER-5.
bool SamePoint(const RunResult& a, const RunResult& b);
// Orders by the parameters in column order, then by seed.
bool PointThenSeedBefore(const RunResult& a, const RunResult& b);

}  // namespace vadidazid
