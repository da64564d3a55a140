// The runner's command line that makes a plan's runs: what a study set up elsewhere (in
// the window) gives to vadidazid-sim to run it again, on a cluster say, with the same
// rows in its --results. Reals are written with the point, as the runner reads them,
// whatever the decimal separator of the plan's texts.
#pragma once

#include <string>
#include <vector>

#include "study/experiment.h"

namespace vadidazid {

// The options and values, without the program's name: the network's parameters (those
// no sweep replaces), the seed, the sweeps in order, the replications, the steps and the
// warm-up, and the shard where the plan has one. The step limit is left out: it changes
// no row. Throws EConvertError for a mean or deviation text that is no number.
std::vector<std::string> StudyCommandArguments(const ExperimentPlan& plan);

// "vadidazid-sim " and the arguments, each quoted for a POSIX shell where it needs it.
std::string StudyCommandLine(const ExperimentPlan& plan);

}  // namespace vadidazid
