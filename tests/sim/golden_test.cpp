// Whole runs against logs checked in beside the test. The logs were written by the
// straightforward first form of the step, so they hold the faster form to the same
// results. VADIDAZID_REGENERATE_GOLDEN=1 writes them anew instead of comparing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "sim/movedraw.h"
#include "tests/sim/testrun.h"
#include "tests/support/files.h"

namespace vadidazid {

namespace {

struct GoldenRun {
  const char* name;
  int n, m, c, p, stepLimit, seed;
  const char* mean;
  const char* deviation;
};

const GoldenRun kRuns[] = {
    {"default", 10, 1000, 10, 15, 100, 12345, "5", "0.01"},
    {"largest", 16, 100000, 100, 100, 60, 12345, "20", "6"},
    {"tiny", 2, 1, 10, 100, 30, 1, "5", "0.01"},
    {"crowded", 3, 5000, 10, 60, 120, 77, "8", "3"},
    {"short-calls", 7, 20000, 30, 100, 80, 500, "0.3", "2"},
};

std::string LogOf(const GoldenRun& r) {
  SimControls c{
      .gridSide = r.n,
      .subscriberCount = r.m,
      .channelsPerCell = r.c,
      .callPercent = r.p,
      .stepLimit = r.stepLimit,
      .seed = r.seed,
      .meanText = r.mean,
      .deviationText = r.deviation,
  };
  TestRun run(c);
  run.SetUp().Steps(r.stepLimit + 1);
  std::string text;
  for (const std::string& line : run.window.log) text += line + "\n";
  return text;
}

TEST(Golden, RunsGiveTheCheckedInLogs) {
  const bool regenerate = std::getenv("VADIDAZID_REGENERATE_GOLDEN") != nullptr;
  for (const GoldenRun& r : kRuns) {
    const std::string file =
        std::string(VADIDAZID_SOURCE_DIR) + "/tests/sim/golden/" + r.name + ".txt";
    const std::string log = LogOf(r);
    if (regenerate) {
      std::ofstream(file, std::ios::binary) << log;
      continue;
    }
    const std::string expected = ReadFile(file);
    ASSERT_FALSE(expected.empty()) << file;
    EXPECT_EQ(log, expected) << r.name;
    // The same on every other version of the move draws this processor runs.
    for (MoveDrawPath path : {MoveDrawPath::kPortable, MoveDrawPath::kWide}) {
      if (!ForceMoveDrawPath(path)) continue;
      EXPECT_EQ(LogOf(r), expected) << r.name << " path " << int(path);
    }
    ForceMoveDrawPath(MoveDrawPath::kBest);
  }
}

}  // namespace

}  // namespace vadidazid
