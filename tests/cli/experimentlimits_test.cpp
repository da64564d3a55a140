// Experiments under hostile conditions: no threads to be had, absurd sizes, and result
// tables no run can have written.
#include "cli/experiment.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "cli/csv.h"
#include "cli/resulttable.h"
#include "cli/resulttablereader.h"
#include "cli/runner.h"

namespace {

TEST(ExperimentLimits, RunsWithTheThreadsThatStart) {
  ExperimentPlan plan;
  plan.controls.gridSide = 3;
  plan.controls.callPercent = 50;
  plan.steps = 20;
  plan.replications = 6;
  const std::vector<RunPlan> runs = ExperimentRuns(plan);
  const std::vector<RunResult> expected = MeasureRuns(runs, 1);
  for (int allowed : {0, 1, 2}) {
    int startedThreads = 0;
    const ThreadStarter limited = [&](std::function<void()> work) {
      if (startedThreads == allowed) {
        throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
      }
      ++startedThreads;
      return StartThread(std::move(work));
    };
    const std::vector<RunResult> results = MeasureRuns(runs, 4, {}, nullptr, {}, limited);
    ASSERT_EQ(results.size(), expected.size());
    for (size_t i = 0; i < results.size(); ++i) {
      EXPECT_EQ(ResultRecord(results[i]), ResultRecord(expected[i])) << allowed << " " << i;
    }
  }
}

struct Result {
  int status;
  std::string out, err;
};

Result RunCli(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = RunSimulator(args, out, err);
  return {status, out.str(), err.str()};
}

TEST(ExperimentLimits, RefusesExperimentsPastTheRunLimit) {
  struct Case {
    std::vector<std::string> args;
    int status;
  };
  const Case cases[] = {
      {{"--replications", "32766", "--sweep", "subscribers=1:100000:1", "--steps", "1"}, 2},
      {{"--replications", "11", "--sweep", "subscribers=1:100000:1", "--steps", "1"}, 2},
      // Exactly the limit passes this check and stops at the next one (the seeds).
      {{"--replications", "10", "--sweep", "subscribers=1:100000:1", "--seed", "32760"}, 2},
  };
  for (const Case& c : cases) {
    const Result r = RunCli(c.args);
    EXPECT_EQ(r.status, c.status) << c.args[1];
    EXPECT_EQ(r.err.find("more than the 1000000") != std::string::npos, c.args[1] != "10")
        << r.err;
  }
}

// Replaces the field of one column in the table's single row.
std::string WithField(std::string table, size_t column, const std::string& value) {
  const size_t rowStart = table.find("\r\n") + 2;
  size_t begin = rowStart;
  for (size_t k = 0; k < column; ++k) begin = table.find(',', begin) + 1;
  const size_t end = table.find_first_of(",\r", begin);
  return table.replace(begin, end - begin, value);
}

TEST(ExperimentLimits, SummarizeRefusesRowsNoRunCanProduce) {
  const std::string table = RunCli({"--steps", "8", "--results", "-"}).out;
  const std::string file = testing::TempDir() + "vdz_hostile_" + std::to_string(getpid());
  struct Case {
    size_t column;  // from 0
    std::string value;
    const char* message;
  };
  const Case cases[] = {
      {0, "-3", "line 2, column 1 (grid_side): -3 is outside 2 .. 16"},
      {1, "0", "column 2 (subscribers): 0 is outside 1 .. 100000"},
      {4, "0", "column 5 (steps): 0 is outside 1 .. 2147483647"},
      {5, "8", "column 6 (warmup): 8 is outside 0 .. 7"},
      {6, "", "column 7 (mean): the mean must be a number"},
      {8, "0", "column 9 (seed): 0 is outside 1 .. 32766"},
      {9, "1", "column 11 (blocked)"},
      {10, "-1", "column 11 (blocked): -1 is outside"},
      {12, "99999", "column 13 (dropped): 99999 is outside 0 .. "},
      {16, "100.5", "column 17 (max_load_percent): 100.5 is outside 0 .. 100"},
      {17, "1.5", "column 18 (blocking_probability): 1.5 is not "},
      {17, "", "column 18 (blocking_probability): an empty field is not"},
      {18, "-0.25", "column 19 (dropping_probability): -0.25 is not"},
      {20, "2", "column 21 (erlang_b): 2 is outside 0 .. 1"},
      {7, "abc", "column 8 (deviation): 'abc' is not a number"},
      {3, "1\x1b]0;x\x07", "column 4 (call_percent): '1\\x1B]0;x\\x07' is not a number"},
  };
  for (const Case& c : cases) {
    std::ofstream(file, std::ios::binary) << WithField(table, c.column, c.value);
    const Result r = RunCli({"--summarize", file});
    EXPECT_EQ(r.status, 2) << c.message;
    EXPECT_NE(r.err.find(file + ": " + (c.message[0] == 'l' ? "" : "line 2, ") + c.message),
              std::string::npos)
        << r.err;
    EXPECT_EQ(r.out, "");
  }
  // A file without line ends is refused after its first few kilobytes.
  const Result zeros = RunCli({"--summarize", "/dev/zero"});
  EXPECT_EQ(zeros.status, 2);
  EXPECT_NE(zeros.err.find("/dev/zero: line 1: longer than 4096 bytes"), std::string::npos)
      << zeros.err;
  std::ofstream(file, std::ios::binary) << table << std::string(5000, '7') << "\r\n";
  EXPECT_NE(RunCli({"--summarize", file}).err.find("line 3: longer than"), std::string::npos);
  std::filesystem::remove(file);
}

}  // namespace
