// Runs the runner in this process and keeps what it wrote, for the runner's tests.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/runner.h"

namespace vadidazid {

struct CliResult {
  int status;
  std::string out, err;
};

inline CliResult RunCli(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = RunSimulator(args, out, err);
  return {status, out.str(), err.str()};
}

}  // namespace vadidazid
