// The runner's dimensioning (--dimension with --target) and the formulas' calculator
// (--theory): their options' checks, the search run on the experiment's worker threads
// and its outputs, the report, the result rows and the plot.
#pragma once

#include <iosfwd>
#include <string>

#include "cli/runneroptions.h"
#include "sim/setup.h"
#include "study/dimensioning.h"

namespace vadidazid {

// A point's replications: at least two for an interval, each with a seed of its own.
extern const ParameterRange kDimensionReplicationRange;

// --help's heading of the dimensioning options.
extern const char* const kDimensionHelp;

// A finite number >= 0 with the point; throws UsageError naming the option.
double TheoryValue(const char* option, const std::string& text);

// Throws UsageError for options of dimensioning or of the calculator given without
// them, or beside options they refuse.
void CheckDimensionOptions(const RunnerOptions& options);

// Return ExitStatus::kDone; a failure is thrown (EInvalidInput for bad parameters, any
// other Exception for an output that could not be written).
int DimensionCommand(const RunnerOptions& options, std::ostream& out, std::ostream& err);
int TheoryCommand(const RunnerOptions& options, std::ostream& out);

}  // namespace vadidazid
