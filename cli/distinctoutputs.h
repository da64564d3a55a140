// The refusal of two outputs that would end in one file. Written one after the other,
// the second would replace the first and the run would still report success.
#pragma once

#include "cli/runneroptions.h"

namespace vadidazid {

// Throws UsageError when two outputs name one file, or one of them is standard output
// while the run writes there (`--summary --results s.txt > s.txt`). Names are compared
// by what they resolve to: the same text or normalised path, the same folder and final
// name once every link is followed (also to a file that does not exist yet), or the same
// existing regular file. `experiment` says which command runs: a single run writes its
// log to standard output unless --out is given, an experiment its summary.
void CheckDistinctOutputs(const RunnerOptions& options, bool experiment);

}  // namespace vadidazid
