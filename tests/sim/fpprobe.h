// Numbers of the simulation that depend on every rounding of its floating-point code:
// normal and Poisson draws and log-factorials written bit for bit, and the logs and
// chart values of whole runs. Built into the tests and, with other compiler flags, into
// a program of its own, whose output must be the same.
#pragma once

#include <string>

namespace vadidazid {

std::string FloatingPointProbe();

}  // namespace vadidazid
