// The probe as a program of its own, for a build of the simulation with other flags.
#include <cstdio>

#include "tests/sim/fpprobe.h"

using namespace vadidazid;

int main() {
  const std::string out = FloatingPointProbe();
  return std::fwrite(out.data(), 1, out.size(), stdout) == out.size() ? 0 : 1;
}
