// The headless runner: parses the command line, sets a run up with the seed ticked,
// performs its steps and writes the log (or the chart values) as the window would.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "cli/runneroptions.h"

namespace vadidazid {

// Exit status: 0 done, 1 an output could not be written or the memory ran out, 2 a bad
// command line, parameters the set-up refuses or a result file --summarize refuses.
int RunSimulator(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace vadidazid
