// The window's own command line: --help and --version, answered before the toolkit
// starts (they need no display), and the refusal of whatever the toolkit did not take.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace vadidazid {

// The exit status when the arguments ask for help or the version (written to out),
// nothing when the window is to start.
std::optional<int> AnswerInformationOptions(const std::vector<std::string>& args,
                                            std::ostream& out);

// The exit status 2 with a usage line on err when any argument is left after the
// toolkit has taken its own, nothing when none is.
std::optional<int> RefuseLeftArguments(const std::vector<std::string>& args, std::ostream& err);

std::string WindowUsage();

}  // namespace vadidazid
