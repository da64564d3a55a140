// The text both programs print for --version: the program's name, the project's version
// and the git commit the build was made from, or a note that the commit is not known.
#pragma once

#include <string>

namespace vadidazid {

std::string ProgramVersionText(const std::string& program);

}  // namespace vadidazid
