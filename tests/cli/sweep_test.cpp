// Sweeps: values in decimal steps and lists, refusals, the grid's order, and the runner's
// handling of several sweeps, of auto warm-ups and of means over fewer runs.
#include "study/sweep.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

#include "cli/runner.h"
#include "results/resulttable.h"
#include "study/experiment.h"
#include "tests/cli/runcli.h"

namespace vadidazid {

namespace {

using Values = std::vector<std::string>;

TEST(Sweep, ValuesLandOnDecimals) {
  struct Case {
    const char* text;
    Values values;
  };
  const Case cases[] = {
      {"mean=0.1:0.3:0.1", {"0.1", "0.2", "0.3"}},
      {"mean=1:2:0.25", {"1", "1.25", "1.5", "1.75", "2"}},
      // TO has the most decimals: the scale of the values must take it in too.
      {"mean=1:2.25:0.5", {"1", "1.5", "2"}},
      {"deviation=-0.5:0.5:0.5", {"-0.5", "0", "0.5"}},
      {"mean=2.50:3:1", {"2.5"}},
      {"channels=10:35:10", {"10", "20", "30"}},
      {"channels=40,10,20.0", {"40", "10", "20"}},
      {"mean=7,.5,1.", {"7", "0.5", "1"}},
      {"grid-side=2:2:1000", {"2"}},
      // Zeros that do not change the value do not count toward the 18 digits.
      {"mean=0.000000000000000001,00000000000000000001.5000000000000000000",
       {"0.000000000000000001", "1.5"}},
      {"mean=0:0.000000000000000002:0.000000000000000001",
       {"0", "0.000000000000000001", "0.000000000000000002"}},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseSweep(c.text).values, c.values) << c.text;
}

TEST(Sweep, Refusals) {
  const std::pair<const char*, const char*> cases[] = {
      {"mean=1:2:0", "STEP 0 is not positive"},
      {"mean=2:1:0.1", "FROM 2 is above TO 1"},
      {"channels=10:20:2.5", "'2.5' is not a whole number"},
      {"channels=10,15.5", "'15.5' is not a whole number"},
      {"grid-side=2,17", "grid-side 17 is outside 2 .. 16"},
      {"mean=1,x", "'x' is no number"},
      {"mean=1,,2", "'' is no number"},
      {"mean=1e3", "is no number"},
      {"mean=1:2", "is not NAME=FROM:TO:STEP"},
      {"mean=1.0,1", "mean 1 is listed twice"},
      // Different decimals, one double: two runs of one point.
      {"mean=0.1,0.10000000000000001", "mean 0.1 and 0.10000000000000001 are one value"},
      {"deviation=0.1:0.10000000000000002:0.00000000000000001", "deviation 0.1 and 0.1000"},
      {"mean=0.1234567890123456789", "'0.1234567890123456789' has more than 18 significant"},
      {"mean=1:2:0.0000000000000000001", "has more than 18 decimal places"},
      {"mean=0:1:0.0000001", "more than 1000000 values"},
      {"seed=1,2", "'seed' is not a parameter to sweep"},
  };
  for (const auto& [text, message] : cases) {
    try {
      ParseSweep(text);
      ADD_FAILURE() << text;
    } catch (const UsageError& e) {
      EXPECT_NE(std::string(e.what()).find(message), std::string::npos) << e.what();
    }
  }
}

TEST(Sweep, GridRunsFirstSweepSlowest) {
  ExperimentPlan plan;
  plan.steps = 10;
  plan.replications = 2;
  plan.sweeps = {ParseSweep("channels=20,10"), ParseSweep("mean=1:2:1")};
  std::vector<std::string> runs;
  for (const RunPlan& r : ExperimentRuns(plan)) {
    runs.push_back(std::to_string(r.controls.channelsPerCell) + " " + r.controls.meanText + " " +
                   std::to_string(r.controls.seed));
  }
  EXPECT_EQ(runs, (Values{"20 1 12345", "20 1 12346", "20 2 12345", "20 2 12346", "10 1 12345",
                          "10 1 12346", "10 2 12345", "10 2 12346"}));
  EXPECT_EQ(GridPointCount(plan.sweeps, 100), 4);
  EXPECT_EQ(GridPointCount(plan.sweeps, 3), 4);  // cap + 1 once above the cap
  EXPECT_EQ(GridPointCount({}, 3), 1);
}

using Result = CliResult;

TEST(Sweep, RunnerGridsAutoWarmupsAndPartialMeans) {
  const std::vector<std::string> small = {"--grid-side", "3", "--subscribers", "400"};
  auto with = [&](std::vector<std::string> more) {
    more.insert(more.begin(), small.begin(), small.end());
    return RunCli(more);
  };
  Result twice = with({"--sweep", "mean=1,2", "--sweep", "mean=3,4"});
  EXPECT_EQ(twice.status, 2);
  EXPECT_NE(twice.err.find("--sweep: mean is swept twice"), std::string::npos) << twice.err;
  Result bad = with({"--sweep", "deviation=0.01,1", "--sweep", "mean=-50,5"});
  EXPECT_EQ(bad.status, 2);
  EXPECT_NE(bad.err.find("mean -50, deviation 0.01: "), std::string::npos) << bad.err;

  // A swept parameter's base value is no run's, so it is not checked as one.
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"--mean", "-100", "--sweep", "mean=1,2"},
           {"--mean", "-100", "--sweep", "mean=1,2", "--steps", "3"},
           {"--channels", "5", "--sweep", "channels=10,20", "--steps", "3"}}) {
    const Result r = with(args);
    EXPECT_EQ(r.status, 0) << args[1] << r.err;
  }
  EXPECT_NE(with({"--channels", "5", "--sweep", "mean=1,2"}).err.find("--channels: 5 is outside"),
            std::string::npos);

  Result grid = with({"--call-percent", "5", "--steps", "30", "--sweep", "mean=2:3:0.5", "--sweep",
                      "channels=10,20", "--warmup", "auto", "--replications", "3", "--results", "-",
                      "--summary"});
  ASSERT_EQ(grid.status, 0) << grid.err;
  EXPECT_EQ(grid.err, "");
  const size_t table = grid.out.find("grid_side 3");
  const auto rows = ParseResultTable(grid.out.substr(0, table));
  ASSERT_EQ(rows.size(), 18u);
  EXPECT_EQ(rows[3].channels, 20);
  EXPECT_EQ(rows[6].mean, 2.5);
  for (const RunResult& r : rows) EXPECT_EQ(r.warmupAuto, 1);
  // One line per grid point, whatever warm-up each of its runs chose.
  const std::string summary = grid.out.substr(table);
  EXPECT_NE(summary.find("warmup auto"), std::string::npos) << summary;
  EXPECT_NE(summary.find("\n      20   2.5     3  "), std::string::npos) << summary;
  EXPECT_EQ(std::count(summary.begin(), summary.end(), '\n'), 4 + 1 + 6);

  // Few calls: some runs drop nothing of no hand-over, so their dropping is undefined
  // and the mean says how many runs it covers.
  Result few = with({"--call-percent", "1", "--steps", "3", "--replications", "6", "--summary"});
  ASSERT_EQ(few.status, 0) << few.err;
  EXPECT_NE(few.err.find("warning: with --warmup 0"), std::string::npos) << few.err;
  EXPECT_NE(few.out.find(" (", few.out.find("runs")), std::string::npos) << few.out;
}

}  // namespace

}  // namespace vadidazid
