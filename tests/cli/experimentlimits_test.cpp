// Experiments under hostile conditions: no threads to be had, absurd sizes, and result
// tables no run can have written.
#include "study/experiment.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "cli/runner.h"
#include "results/csv.h"
#include "results/resulttable.h"
#include "results/resulttablereader.h"
#include "tests/cli/runcli.h"

namespace vadidazid {

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

using Result = CliResult;

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
    EXPECT_EQ(r.err.find("more than the 1000000") != std::string::npos, c.args[1] != "10") << r.err;
  }
}

// Replaces the field of the named column in the table's single row.
std::string WithField(std::string table, const std::string& name, const std::string& value) {
  const std::string header = table.substr(0, table.find("\r\n"));
  size_t column = 0;
  for (size_t at = 0; header.compare(at, name.size() + 1, name + ",") != 0 &&
                      header.compare(at, std::string::npos, name) != 0;
       at = header.find(',', at) + 1) {
    ++column;
  }
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
    const char* column;
    std::string value;
    const char* message;
  };
  const Case cases[] = {
      {"grid_side", "-3", "line 2, column 1 (grid_side): -3 is outside 2 .. 16"},
      {"subscribers", "0", "column 2 (subscribers): 0 is outside 1 .. 100000"},
      {"steps", "0", "column 5 (steps): 0 is outside 1 .. 2147483647"},
      {"warmup", "8", "column 6 (warmup): 8 is outside 0 .. 7"},
      {"warmup_auto", "2", "column 7 (warmup_auto): 2 is outside 0 .. 1"},
      {"mean", "", "column 8 (mean): the mean must be a number"},
      {"seed", "0", "column 10 (seed): 0 is outside 1 .. 32766"},
      {"attempts", "1", "column 12 (blocked)"},
      {"blocked", "-1", "column 12 (blocked): -1 is outside"},
      {"full_cell_offers", "-1", "column 14 (full_cell_offers): -1 is outside"},
      {"dropped", "99999", "column 15 (dropped): 99999 is outside 0 .. "},
      {"max_load_percent", "100.5", "column 20 (max_load_percent): 100.5 is outside 0 .. 100"},
      {"blocking_probability", "1.5", "column 21 (blocking_probability): 1.5 is not "},
      {"blocking_probability", "", "column 21 (blocking_probability): an empty field is not"},
      {"call_congestion", "1.25", "column 22 (call_congestion): 1.25 is not"},
      {"dropping_probability", "-0.25", "column 23 (dropping_probability): -0.25 is not"},
      {"erlang_b", "2", "column 25 (erlang_b): 2 is outside 0 .. 1"},
      {"engset", "-0.5", "column 26 (engset): -0.5 is outside 0 .. 1"},
      {"deviation", "abc", "column 9 (deviation): 'abc' is not a number"},
      // The traffic figures follow from the counts (5.754... E, B 0.0359..., Engset 0).
      {"offered_erlangs_per_cell", "5.5", "column 24 (offered_erlangs_per_cell): 5.5 is not 5.75"},
      {"erlang_b", "0.5", "column 25 (erlang_b): 0.5 is not 0.0359"},
      {"erlang_b", "", "column 25 (erlang_b): an empty field is not 0.0359"},
      {"engset", "0.25", "column 26 (engset): 0.25 is not 0, the value of the row's counts"},
      {"engset", "nan", "column 26 (engset): 'nan' is not a number"},
      {"mean_load_percent", "", "column 19 (mean_load_percent): an empty field is outside"},
      {"call_percent", "1\x1b]0;x\x07",
       "column 4 (call_percent): '1\\x1B]0;x\\x07' is not a number"},
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

  // The limit counts neither CR nor LF; a row whose line end is missing was cut off.
  const std::string head = table.substr(0, table.find("\r\n") + 2);
  const std::string row = table.substr(head.size(), table.size() - head.size() - 2);
  const std::pair<std::string, const char*> lines[] = {
      {std::string(4096 - row.size(), '0') + row + "\r\n", nullptr},
      {std::string(4096 - row.size(), '0') + row + "\n", nullptr},
      {std::string(4097 - row.size(), '0') + row + "\r\n", "line 2: longer than 4096 bytes"},
      {row, "line 2: ends without a line end"},
  };
  for (const auto& [line, message] : lines) {
    std::ofstream(file, std::ios::binary) << head << line;
    const Result r = RunCli({"--summarize", file});
    EXPECT_EQ(r.status, message ? 2 : 0) << r.err;
    if (message) {
      EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
    }
  }
  // -0, which no run writes but a hand may, is shown as 0.
  std::ofstream(file, std::ios::binary)
      << WithField(WithField(table, "mean", "-0"), "engset", "-0");
  const Result zero = RunCli({"--summarize", file});
  EXPECT_NE(zero.out.find("mean 0, "), std::string::npos) << zero.out;
  EXPECT_EQ(zero.out.find("-0"), std::string::npos) << zero.out;
  std::filesystem::remove(file);
}

}  // namespace

}  // namespace vadidazid
