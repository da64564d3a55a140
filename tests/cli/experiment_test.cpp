// Experiments through the runner's command line: bad input, totals that add up, the
// per-step table against the log of the same run, threads and shards that change no
// byte, and the reading of result tables.
#include "study/experiment.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "cli/progress.h"
#include "cli/runner.h"
#include "platform/files/outputfile.h"
#include "platform/text/numtext.h"
#include "results/csv.h"
#include "results/summary.h"
#include "study/statistics.h"
#include "tests/cli/runcli.h"
#include "tests/support/files.h"
#include "tests/support/filesizelimit.h"

namespace vadidazid {

namespace {

using Result = CliResult;

std::string TempName(const std::string& name) { return testing::TempDir() + "exp_" + name; }

// A small network that blocks and drops, so every count is exercised.
const std::vector<std::string> kSmall = {"--grid-side", "3",  "--subscribers", "400",
                                         "--channels",  "10", "--steps",       "40",
                                         "--warmup",    "5"};

std::vector<std::string> With(std::vector<std::string> args, const std::vector<std::string>& more) {
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

TEST(Experiment, RefusesBadInputAndWritesNothing) {
  const std::string file = TempName("refused.csv"), other = TempName("refused_other.csv");
  std::remove(file.c_str());
  struct Case {
    std::vector<std::string> args;
    const char* message;
  };
  const Case cases[] = {
      {{"--sweep", "call-percent=5:50:0"}, "STEP 0 is not positive"},
      {{"--sweep", "call-percent=50:5:5"}, "FROM 50 is above TO 5"},
      {{"--sweep", "colour=1:2:1"}, "'colour' is not a parameter to sweep"},
      {{"--sweep", "channels=10:20"}, "is not NAME=FROM:TO:STEP"},
      {{"--sweep", "channels=5:20:5"}, "channels 5 is outside 10 .. 100000"},
      {{"--replications", "0"}, "--replications: 0 is outside 1 .. 32766"},
      {{"--warmup", "40", "--steps", "40"}, "--warmup: 40 is not below the 40 steps of a run"},
      {{"--warmup", "101"}, "not below the 101 steps"},
      {{"--steps", "0"}, "--steps: an experiment's runs need a step"},
      {{"--shard", "2/2"}, "--shard: I 2 is not below N 2"},
      {{"--shard", "1-2"}, "is not I/N"},
      {{"--threads", "0"}, "--threads: 0 is outside 1 .. 1024"},
      {{"--replications", "3", "--seed", "32765"}, "need seeds up to 32767"},
      {{"--replications", "2", "--csv", other}, "--csv writes the steps of one run"},
      {{"--summary", "--out", other}, "--out and --chart write the log of one run"},
      {{"--summary", "--picture", other + ".bmp"}, "--picture, --map and --cells show one run"},
      {{"--summarize"}, "--summarize needs at least one result file"},
      {{"--summary", "--summarize", file}, "--summarize takes no other options"},
  };
  for (const Case& c : cases) {
    Result r = RunCli(With(c.args, {"--results", file}));
    EXPECT_EQ(r.status, 2) << c.args[0];
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(ReadFile(file), "") << c.args[0];
  }
  Result r = RunCli({"--summary", "--mean", "-5"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("ponad milion losowań"), std::string::npos) << r.err;
}

// The largest load is the largest of the measured steps wherever MSER-5 puts the
// warm-up, the first measured batch included: seeds whose warm-ups and peaks differ.
TEST(Experiment, LargestLoadIsTheMeasuredStepsOwnForSeveralSeeds) {
  const std::string steps = TempName("peak-steps.csv"), results = TempName("peak-results.csv");
  for (int seed = 1; seed <= 12; ++seed) {
    auto args = With(kSmall, {"--call-percent", "60", "--seed", std::to_string(seed), "--csv",
                              steps, "--results", results});
    args[9] = "auto";  // kSmall's --warmup value
    const Result r = RunCli(args);
    ASSERT_EQ(r.status, 0) << r.err;
    const auto rows = ParseCsv(ReadFile(steps));
    const RunResult run = ParseResultTable(ReadFile(results)).at(0);
    int64_t largest = 0;
    for (size_t i = size_t(run.warmup) + 1; i < rows.size(); ++i) {
      largest = std::max(largest, *CsvInteger(rows[i][1]));
    }
    EXPECT_DOUBLE_EQ(run.maxLoadPercent, largest / 90.0 * 100) << "seed " << seed;
  }
}

// A run's row against a second computation from its own per-step table, for warm-ups
// of none, one step, all steps but the last, and MSER-5's choice; the table against the
// log of the same run, which shows each step's drops and ends one line later.
TEST(Experiment, RowsEqualTheirOwnStepsForEveryWarmup) {
  const std::string steps = TempName("steps.csv"), results = TempName("results.csv");
  Result log = RunCli({"--grid-side", "3", "--subscribers", "400", "--channels", "10", "--steps",
                       "40", "--call-percent", "60"});
  std::vector<std::string> lines;
  std::istringstream logText(log.out);
  for (std::string line; std::getline(logText, line);) lines.push_back(line);
  for (const char* warmup : {"0", "1", "39", "auto"}) {
    auto args = With(kSmall, {"--call-percent", "60", "--csv", steps, "--results", results});
    args[9] = warmup;  // kSmall's --warmup value
    Result r = RunCli(args);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err.find("warning") != std::string::npos, std::string(warmup) == "0") << r.err;
    const auto rows = ParseCsv(ReadFile(steps));
    ASSERT_EQ(rows.size(), 41u);
    EXPECT_EQ(CsvRecord(rows[0]),
              "step,running,new,blocked,full_cell_offers,dropped,handovers,ended,call_steps,"
              "load_percent,dropped_percent\r\n");
    const RunResult run = ParseResultTable(ReadFile(results)).at(0);
    if (std::string(warmup) == "auto") {
      EXPECT_EQ(run.warmupAuto, 1);
      EXPECT_EQ(run.warmup % 5, 0);
      EXPECT_LE(run.warmup, 20);
    } else {
      EXPECT_EQ(run.warmup, std::stoi(warmup));
    }
    // attempts, blocked, started, full-cell offers, dropped, hand-overs, ended, call steps
    int64_t sums[8] = {}, running = 0, largest = 0;
    for (size_t i = 1; i < rows.size(); ++i) {
      std::vector<int64_t> f;
      for (size_t k = 0; k < 9; ++k) f.push_back(*CsvInteger(rows[i][k]));
      EXPECT_EQ(f[0], int64_t(i));
      const int64_t before[2] = {i > 1 ? *CsvInteger(rows[i - 1][5]) : 0,
                                 i > 1 ? *CsvInteger(rows[i - 1][7]) : 0};
      EXPECT_EQ(lines.at(i), rows[i][1] + "\t" + rows[i][2] + "\t" + std::to_string(before[0]) +
                                 "\t" + std::to_string(before[1]));
      EXPECT_EQ(*CsvReal(rows[i][9]), f[1] / 90.0 * 100);
      if (f[0] <= run.warmup) continue;
      const int64_t counts[8] = {f[2] + f[3], f[3], f[2], f[4], f[5], f[6], f[7], f[8]};
      for (int k = 0; k < 8; ++k) sums[k] += counts[k];
      running += f[1];
      largest = std::max(largest, f[1]);
    }
    const int64_t row[8] = {run.attempts, run.blocked,   run.started, run.fullCellOffers,
                            run.dropped,  run.handovers, run.ended,   run.callSteps};
    for (int k = 0; k < 8; ++k) EXPECT_EQ(row[k], sums[k]) << warmup << " column " << k;
    const double measured = double(40 - run.warmup), holding = double(sums[7]) / sums[2];
    const double offered = sums[0] / measured / 9 * holding;
    EXPECT_DOUBLE_EQ(run.meanLoadPercent, running / measured / 90 * 100);
    EXPECT_DOUBLE_EQ(run.maxLoadPercent, largest / 90.0 * 100);
    EXPECT_DOUBLE_EQ(run.blockingProbability, double(sums[1]) / sums[0]);
    EXPECT_DOUBLE_EQ(run.callCongestion, double(sums[3]) / (sums[3] + sums[2]));
    if (sums[5] > 0) {
      EXPECT_DOUBLE_EQ(run.droppingProbability, double(sums[4]) / sums[5]);
    }
    EXPECT_DOUBLE_EQ(run.offeredErlangsPerCell, offered);
    EXPECT_DOUBLE_EQ(run.erlangB, ErlangB(offered, 10));
    EXPECT_DOUBLE_EQ(run.engset, EngsetCallCongestion(400 / 9.0, 10, 0.6 * holding));
    EXPECT_GT(run.blocked, 0);
    EXPECT_GT(run.fullCellOffers, 0);
  }
  std::remove(steps.c_str());
  std::remove(results.c_str());
}

TEST(Experiment, ThreadsChangeNoByte) {
  const auto args = With(kSmall, {"--sweep", "call-percent=10:70:30", "--replications", "3",
                                  "--results", "-", "--summary"});
  Result one = RunCli(With(args, {"--threads", "1"}));
  Result two = RunCli(With(args, {"--threads", "2"}));
  ASSERT_EQ(one.status, 0) << one.err;
  EXPECT_EQ(one.out, two.out);
  EXPECT_EQ(ParseResultTable(one.out.substr(0, one.out.find("grid_side 3"))).size(), 9u);
}

TEST(Experiment, ShardsSummarizeAsTheWholeExperiment) {
  const auto args = With(kSmall, {"--sweep", "channels=10:30:10", "--replications", "3"});
  Result whole = RunCli(With(args, {"--summary"}));
  ASSERT_EQ(whole.status, 0) << whole.err;
  EXPECT_NE(whole.out.find("channels  runs"), std::string::npos) << whole.out;
  std::vector<std::string> files;
  size_t rows = 0;
  for (int i = 3; i >= 0; --i) {
    files.push_back(TempName("shard" + std::to_string(i) + ".csv"));
    Result r = RunCli(With(args, {"--shard", std::to_string(i) + "/4", "--results", files.back()}));
    ASSERT_EQ(r.status, 0) << r.err;
    rows += ParseResultTable(ReadFile(files.back())).size();
  }
  EXPECT_EQ(rows, 9u);
  Result summary = RunCli(With({"--summarize"}, files));
  EXPECT_EQ(summary.status, 0) << summary.err;
  EXPECT_EQ(summary.out, whole.out);
  // A shard given twice would count its runs double.
  Result twice = RunCli({"--summarize", files[0], files[1], files[0]});
  EXPECT_EQ(twice.status, 2);
  EXPECT_NE(twice.err.find("appears twice"), std::string::npos) << twice.err;
  for (const std::string& f : files) std::remove(f.c_str());
}

// Means of any width come out of the summary table whole, digit for digit, and nothing
// else reaches it; --summarize refuses such rows, since no run can produce them.
TEST(Experiment, SummaryTableWritesHugeMeansWhole) {
  const std::string table = RunCli({"--steps", "3", "--replications", "2", "--results", "-"}).out;
  for (const char* value : {"1e57", "1e300", "1.7976931348623157e308", "-1.7976931348623157e308"}) {
    double number = 0;
    std::from_chars(value, value + std::strlen(value), number);
    // Both rows of the point get the value, so its interval is exactly zero wide.
    std::vector<RunResult> rows = ParseResultTable(table);
    for (RunResult& row : rows) row.meanLoadPercent = number;
    const std::string out = SummaryTable(SummarizeResults(rows));
    const std::string mean = FixedPointText(number, 3);
    EXPECT_NE(out.find("  " + mean + " ± 0.000\n"), std::string::npos) << value << "\n" << out;
    EXPECT_EQ(out.find('\0'), std::string::npos);

    const std::string header = table.substr(0, table.find("mean_load_percent"));
    const size_t column = size_t(std::count(header.begin(), header.end(), ','));
    std::string text;
    std::istringstream lines(table);
    for (std::string line; std::getline(lines, line);) {
      size_t at = 0;
      for (size_t k = 0; k < column; ++k) at = line.find(',', at) + 1;
      if (line.rfind("grid_side", 0) != 0) line.replace(at, line.find(',', at) - at, value);
      text += line + "\n";
    }
    const std::string file = TempName("huge.csv");
    std::ofstream(file, std::ios::binary) << text;
    const Result r = RunCli({"--summarize", file});
    EXPECT_EQ(r.status, 2) << value;
    EXPECT_NE(r.err.find("mean_load_percent"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
    std::remove(file.c_str());
  }
}

TEST(Experiment, UnwritableResultsFailBeforeTheRuns) {
  Result r = RunCli({"--results", "/nonexistent-directory/r.csv"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("Cannot create file /nonexistent-directory/r.csv"), std::string::npos);
}

TEST(Experiment, ResultTablesThatCannotBeRead) {
  const std::string header = RunCli({"--steps", "3", "--results", "-"}).out;
  const std::string row = header.substr(header.find("\r\n") + 2);
  const std::string head = header.substr(0, header.find("\r\n") + 2);
  struct Case {
    std::string text;
    const char* message;
  };
  const Case cases[] = {
      {"", "line 1: not the header"},
      {"step,running\r\n", "line 1: not the header"},
      {head + "1,2,3\r\n", "line 2: 3 fields instead of 26"},
      {head + row + "x" + row, "line 3, column 1 (grid_side): 'x10' is not a number"},
      {head + row.substr(0, row.find(',')) + ",9999999999" + row.substr(row.find(',', 3)),
       "line 2, column 2 (subscribers): '9999999999' is not a number"},
  };
  for (const Case& c : cases) {
    try {
      ParseResultTable(c.text);
      ADD_FAILURE() << c.message;
    } catch (const EInvalidInput& e) {
      EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
    }
  }
  EXPECT_EQ(ParseResultTable(head + row + "\r\n").size(), 1u);
  Result missing = RunCli({"--summarize", TempName("no-such-file.csv")});
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.err.find("cannot read"), std::string::npos);
}

TEST(Experiment, RunsInOrderAndShards) {
  ExperimentPlan plan;
  plan.controls.seed = 100;
  plan.steps = 10;
  plan.replications = 2;
  plan.sweeps = {ParseSweep("channels=10:35:10")};
  struct Case {
    Shard shard;
    std::vector<std::pair<int, int>> runs;  // channels, seed
  };
  const Case cases[] = {
      {{0, 1}, {{10, 100}, {10, 101}, {20, 100}, {20, 101}, {30, 100}, {30, 101}}},
      {{1, 3}, {{10, 101}, {30, 100}}},
      {{5, 6}, {{30, 101}}},
      {{6, 7}, {}},
  };
  for (const Case& c : cases) {
    plan.shard = c.shard;
    std::vector<std::pair<int, int>> runs;
    for (const RunPlan& r : ExperimentRuns(plan)) {
      EXPECT_TRUE(r.controls.reseed);
      runs.push_back({r.controls.channelsPerCell, r.controls.seed});
    }
    EXPECT_EQ(runs, c.runs) << c.shard.index << "/" << c.shard.count;
  }
  EXPECT_EQ(ParseSweep("grid-side=2:2:1000").values, std::vector<std::string>{"2"});
}

TEST(Experiment, NoCallsDrawnLeaveTheProbabilitiesOpen) {
  Result r = RunCli(
      With(kSmall, {"--call-percent", "0", "--replications", "2", "--results", "-", "--summary"}));
  ASSERT_EQ(r.status, 0) << r.err;
  const RunResult run = ParseResultTable(r.out.substr(0, r.out.find("grid_side 3"))).at(0);
  EXPECT_EQ(run.attempts, 0);
  EXPECT_TRUE(std::isnan(run.blockingProbability));
  EXPECT_TRUE(std::isnan(run.droppingProbability));
  EXPECT_EQ(run.offeredErlangsPerCell, 0.0);
  EXPECT_EQ(run.erlangB, 0.0);
  // One point: every parameter above the table, none as a column.
  const std::string table = r.out.substr(r.out.find("grid_side 3"));
  EXPECT_NE(table.find("call_percent 0, steps 40, warmup 5"), std::string::npos) << table;
  EXPECT_NE(
      table.find("runs  blocking  call_congestion    engset  erlang_b  dropping   load_percent\n"
                 "   2         -                -  0.000000  0.000000         -  0.000 ± 0.000\n"),
      std::string::npos)
      << table;
}

TEST(Experiment, AResultFileAppearsOnlyWhenComplete) {
  const std::string name = TempName("kept.csv");
  std::ostringstream out;
  {
    std::FILE* f = std::fopen(name.c_str(), "wb");
    std::fputs("earlier", f);
    std::fclose(f);
  }
  {
    const auto dropped = OutputFile::Named(name, out);
    dropped->Write("half a table");
  }
  EXPECT_EQ(ReadFile(name), "earlier");
  {
    const auto done = OutputFile::Named(name, out);
    done->Write("whole");
    EXPECT_EQ(ReadFile(name), "earlier");
    done->Commit();
  }
  EXPECT_EQ(ReadFile(name), "whole");
  const auto toOutput = OutputFile::Named("-", out);
  toOutput->Write("rows");
  toOutput->Commit();
  EXPECT_EQ(out.str(), "rows");
  std::remove(name.c_str());
}

TEST(Experiment, AResultFileKeepsPipesAndLinks) {
  std::ostringstream out;
  // A pipe is written into, not replaced by a plain file.
  const std::string fifo = TempName("pipe");
  std::remove(fifo.c_str());
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  {
    const auto piped = OutputFile::Named(fifo, out);
    piped->Write("rows");
    piped->Commit();
  }
  char bytes[8] = {};
  EXPECT_EQ(read(reader, bytes, sizeof bytes), 4);
  EXPECT_STREQ(bytes, "rows");
  close(reader);
  struct stat status;
  ASSERT_EQ(stat(fifo.c_str(), &status), 0);
  EXPECT_TRUE(S_ISFIFO(status.st_mode));
  std::remove(fifo.c_str());
  // Through a link, the linked file is replaced and the link stays.
  const std::string file = TempName("linked.csv"), link = TempName("link.csv");
  std::remove(link.c_str());
  {
    std::FILE* f = std::fopen(file.c_str(), "wb");
    std::fclose(f);
  }
  ASSERT_EQ(symlink(file.c_str(), link.c_str()), 0);
  {
    const auto linked = OutputFile::Named(link, out);
    linked->Write("table");
    linked->Commit();
  }
  EXPECT_EQ(ReadFile(file), "table");
  ASSERT_EQ(lstat(link.c_str(), &status), 0);
  EXPECT_TRUE(S_ISLNK(status.st_mode));
  std::remove(link.c_str());
  std::remove(file.c_str());
}

TEST(Experiment, ProgressText) {
  EXPECT_EQ(ProgressText(3, 10, 500, 1000, 10.0), "3 of 10 runs done, about 0:10 left");
  EXPECT_EQ(ProgressText(0, 4, 100, 8000, 1.5), "0 of 4 runs done, about 1:59 left");
  EXPECT_EQ(ProgressText(0, 4, 0, 8000, 1.5), "0 of 4 runs done, about ? left");
}

}  // namespace

namespace {

// The results table's last bytes fail only when the file is finished; the per-step file,
// written before it, must not have replaced its earlier file by then.
TEST(Experiment, ALateWriteErrorReplacesNoOutput) {
  const std::string csv = TempName("late.csv"), results = TempName("late_results.csv");
  const std::vector<std::string> args = {"--steps", "2", "--csv", csv, "--results", results};
  ASSERT_EQ(RunCli(args).status, 0);
  const auto sizeOf = [](const std::string& f) { return std::ifstream(f, std::ios::ate).tellg(); };
  const std::streamoff csvSize = sizeOf(csv), resultsSize = sizeOf(results);
  ASSERT_LT(csvSize, resultsSize);
  for (const std::string& f : {csv, results}) std::ofstream(f) << "earlier\n";
  Result r;
  {
    FileSizeLimit limit(rlim_t(csvSize + resultsSize) / 2);
    r = RunCli(args);
  }
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("Stream write error (" + results + ")"), std::string::npos) << r.err;
  for (const std::string& f : {csv, results}) {
    std::ifstream in(f);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "earlier\n") << f;
    std::remove(f.c_str());
  }
}

}  // namespace

}  // namespace vadidazid
