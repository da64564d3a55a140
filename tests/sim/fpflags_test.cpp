// The simulation built once more with fused multiply-add available and contraction
// asked for (see the probe program in CMakeLists.txt) gives the numbers of the normal
// build, bit for bit.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/sim/fpprobe.h"

namespace vadidazid {

namespace {

std::string ProgramOutput(const char* path) {
  std::string out;
  FILE* pipe = popen(path, "r");
  if (!pipe) return out;
  char buffer[1 << 16];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, got);
  EXPECT_EQ(pclose(pipe), 0);
  return out;
}

TEST(FloatingPoint, FusedMultiplyAddBuildGivesTheSameNumbers) {
#if defined(__x86_64__) && defined(__GNUC__)
  if (!__builtin_cpu_supports("fma")) GTEST_SKIP() << "this processor has no fused multiply-add";
#endif
  const std::string here = FloatingPointProbe();
  const std::string there = ProgramOutput(VADIDAZID_FMA_PROBE);
  ASSERT_FALSE(there.empty());
  if (here == there) return;
  size_t line = 1, at = 0;
  while (at < here.size() && at < there.size() && here[at] == there[at]) line += here[at++] == '\n';
  ADD_FAILURE() << "first difference on line " << line << " of the probe";
}

}  // namespace

}  // namespace vadidazid
