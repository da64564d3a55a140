// The headless runner: options, ranges, messages, and the log it writes against a run
// made through the simulation's own functions.
#include "cli/runner.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "sim/report.h"
#include "tests/sim/testrun.h"
#include "tests/support/files.h"

namespace vadidazid {

namespace {

struct Result {
  int status;
  std::string out, err;
};

Result RunCli(std::vector<std::string> args) {
  std::ostringstream out, err;
  int status = RunSimulator(args, out, err);
  return {status, out.str(), err.str()};
}

// The same timed run made through the API with its own generators.
std::vector<std::string> ApiLog(SimControls controls) {
  TestRun run(controls);
  run.SetUp().control.RunToEnd();
  return run.window.log;
}

TEST(Runner, FileOutputHasTheBytesOfTheSavedLog) {
  const std::string name = testing::TempDir() + "runner_log.txt";
  Result r = RunCli({"--grid-side", "7", "--subscribers", "3000", "--channels", "20",
                     "--call-percent", "40", "--step-limit", "30", "--seed", "77", "--mean", "6.5",
                     "--deviation", "2", "--out", name});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "");
  SimControls c{
      .gridSide = 7,
      .subscriberCount = 3000,
      .channelsPerCell = 20,
      .callPercent = 40,
      .stepLimit = 30,
      .seed = 77,
      .meanText = "6.5",
      .deviationText = "2",
  };
  const auto log = ApiLog(c);
  EXPECT_EQ(log.size(), 1u + 31 + 4);
  EXPECT_EQ(ReadFile(name), LogFileBytes(log));
  std::remove(name.c_str());
}

TEST(Runner, DefaultsToTheWindowsParametersOnStandardOutput) {
  Result r = RunCli({});
  ASSERT_EQ(r.status, 0) << r.err;
  std::string expected;
  for (const std::string& line : ApiLog(SimControls{})) expected += line + "\n";
  EXPECT_EQ(r.out, expected);
  EXPECT_NE(r.out.find("średnie obciążenie sieci: "), std::string::npos);
}

TEST(Runner, StepsAndChartValues) {
  Result r = RunCli({"--steps", "3", "--chart", "--grid-side", "2", "--call-percent", "100"});
  ASSERT_EQ(r.status, 0) << r.err;
  SimControls c{.gridSide = 2, .callPercent = 100};
  TestRun run(c);
  run.SetUp();
  std::string expected;
  for (int i = 0; i < 3; ++i) {
    run.Steps(1);
    for (int k = 0; k < 4; ++k) {
      char text[32];
      auto end = std::to_chars(text, text + sizeof text, run.window.chart[k].back()).ptr;
      expected += std::string(text, end) + (k == 3 ? "\n" : "\t");
    }
  }
  EXPECT_EQ(r.out, expected);
}

TEST(Runner, RefusesBadCommandLines) {
  struct Case {
    std::vector<std::string> args;
    int status;
    const char* message;
  };
  const Case cases[] = {
      {{"--colour"}, 2, "unknown option '--colour'"},
      {{"--grid-side", "17"}, 2, "--grid-side: 17 is outside 2 .. 16"},
      {{"--grid-side", "1"}, 2, "outside 2 .. 16"},
      {{"--subscribers", "100001"}, 2, "outside 1 .. 100000"},
      {{"--channels", "9"}, 2, "outside 10 .. 100000"},
      {{"--call-percent", "-1"}, 2, "outside 0 .. 100"},
      {{"--step-limit", "0"}, 2, "outside 1 .. 1000000"},
      {{"--seed", "32767"}, 2, "outside 1 .. 32766"},
      {{"--seed", "12x"}, 2, "'12x' is not a whole number"},
      {{"--steps"}, 2, "--steps needs a value"},
      {{"--mean", "abc"}, 2, "'abc' is not a valid floating point value"},
      {{"--mean", "INF"}, 2, "'INF' is not a valid floating point value"},
      {{"--mean", "1e9223372036854775807"}, 2, "'1e9223372036854775807' is not a valid"},
      {{"--deviation", "0,5"}, 2, "'0,5' is not a valid floating point value"},
      {{"--mean", "-8", "--deviation", "1"}, 2, "ponad milion losowań"},
      {{"--mean", "-30", "--deviation", "3.5"}, 2, "ponad milion losowań"},
      {{"--channels", "100000", "--subscribers", "10000", "--call-percent", "100", "--mean", "-5.7",
        "--deviation", "1", "--steps", "1"},
       2,
       "jeden krok potrzebowałby"},
      {{"--out", "/nonexistent-directory/log.txt"},
       1,
       "Cannot create file /nonexistent-directory/log.txt"},
  };
  for (const Case& c : cases) {
    Result r = RunCli(c.args);
    EXPECT_EQ(r.status, c.status) << c.args[0];
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
  }
}

TEST(Runner, AFailedWriteToStandardOutputIsAFailedRun) {
  std::ostream broken(nullptr);
  std::ostringstream err;
  EXPECT_EQ(RunSimulator({"--steps", "2"}, broken, err), 1);
  EXPECT_EQ(err.str(), "vadidazid-sim: Stream write error (standard output)\n");
}

TEST(Runner, HelpListsEveryOption) {
  Result r = RunCli({"--help"});
  EXPECT_EQ(r.status, 0);
  for (const char* option :
       {"--grid-side", "--subscribers",  "--channels",  "--call-percent", "--step-limit",
        "--seed",      "--mean",         "--deviation", "--steps",        "--out",
        "--chart",     "--replications", "--warmup",    "--sweep",        "--threads",
        "--shard",     "--csv",          "--results",   "--summary",      "--summarize"}) {
    EXPECT_NE(r.out.find(option), std::string::npos) << option;
  }
}

}  // namespace

}  // namespace vadidazid
