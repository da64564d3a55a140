// The per-step table of --csv: one CSV record per step of every run, with the counts of
// all its phases and its load, in the order the runs give them.
#pragma once

#include <string>

#include "study/experiment.h"

namespace vadidazid {

std::string StepHeader();
std::string StepRecord(const StepCounts& counts);

}  // namespace vadidazid
