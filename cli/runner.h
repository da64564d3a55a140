// The headless runner: parses the command line, sets a run up with the seed ticked,
// performs its steps and writes the log (or the chart values) as the window would.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// Exit status: 0 done, 1 the output could not be written, 2 a bad command line.
int RunSimulator(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

std::string SimulatorUsage();
