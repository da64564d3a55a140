// Dimensioning and the formulas' calculator through the runner's command line: what is
// refused, the calculator's answers, and a search whose report and rows are the same on
// any number of threads.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/cli/runcli.h"
#include "tests/support/files.h"

namespace vadidazid {

namespace {

using Args = std::vector<std::string>;

// Four cells of 40 subscribers: the boundary of 5 % lies near 40 channels.
const Args kSmall = {"--grid-side", "2",   "--subscribers", "160",  "--call-percent",     "40",
                     "--steps",     "300", "--warmup",      "auto", "--max-replications", "16"};

Args With(Args args, const Args& more) {
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

TEST(DimensionCommand, RefusesWhatItCannotDo) {
  struct Case {
    Args args;
    const char* message;
  };
  const Case cases[] = {
      {{"--dimension", "channels"}, "--dimension needs --target"},
      {{"--dimension", "mean", "--target", "call_congestion<=0.1"}, "'mean' is not channels"},
      {{"--dimension", "channels", "--target", "load<=0.1"}, "'load' is not call_congestion"},
      {{"--dimension", "channels", "--target", "call_congestion<0.1"}, "is not MEASURE<=VALUE"},
      {{"--dimension", "channels", "--target", "call_congestion<=0.1", "--shard", "0/2"},
       "--shard is refused with --dimension"},
      {{"--dimension", "channels", "--target", "call_congestion<=0.1", "--sweep",
        "subscribers=10,20"},
       "--sweep is refused"},
      {{"--dimension", "channels", "--target", "call_congestion<=0.1", "--max-replications", "1"},
       "outside 2 .."},
      {{"--dimension", "channels", "--target", "call_congestion<=0.1", "--seed", "32760"},
       "--max-replications: 64 runs from seed 32760 need seeds up to 32823"},
      {{"--target", "call_congestion<=0.1"}, "--target needs --dimension or --theory"},
      {{"--max-replications", "8"}, "--max-replications needs --dimension"},
      {{"--erlangs", "5"}, "--erlangs needs --theory"},
      {{"--theory", "--erlangs", "5"}, "either --channels C or --target P"},
      {{"--theory", "--erlangs", "5", "--channels", "10", "--target", "0.1"}, "either --channels"},
      {{"--theory", "--erlangs", "5", "--target", "2"}, "not a probability"},
      {{"--theory", "--erlangs", "-5", "--target", "0.1"}, "not a number of 0 or more"},
      {{"--theory", "--sources", "5", "--target", "0.1"}, "--sources and --beta go together"},
      {{"--theory", "--target", "0.1"}, "--theory needs --erlangs"},
      {{"--theory", "--erlangs", "5", "--target", "0.1", "--steps", "5"}, "takes no --steps"},
      {{"--theory", "--dimension", "channels"}, "separate commands"},
  };
  for (const Case& c : cases) {
    const CliResult r = RunCli(c.args);
    EXPECT_EQ(r.status, 2) << c.message;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
  }
}

TEST(DimensionCommand, CalculatorAnswersAsTheTables) {
  struct Case {
    Args args;
    const char* line;
  };
  const Case cases[] = {
      {{"--erlangs", "5", "--target", "0.02"}, "  Erlang B, 5 erlangs: 10 (0.0183845703366"},
      {{"--erlangs", "10", "--target", "0.02"}, "  Erlang B, 10 erlangs: 17 ("},
      {{"--erlangs", "5", "--channels", "10"}, "Erlang B, 5 erlangs on 10 channels: 0.0183845"},
      {{"--sources", "3", "--beta", "1", "--target", "0.25"},
       "  Engset call congestion, 3 sources of 1 erlangs per idle source: 2 (0.25)\n"},
      {{"--erlangs", "5", "--sources", "12.5", "--beta", "0.5", "--channels", "10"},
       "Engset call congestion, 12.5 sources of 0.5 erlangs per idle source on 10 channels: "},
      {{"--erlangs", "1e6", "--target", "0"}, "  Erlang B, 1e+06 erlangs: none up to 1000000\n"},
  };
  for (const Case& c : cases) {
    const CliResult r = RunCli(With({"--theory"}, c.args));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find(c.line), std::string::npos) << r.out;
  }
}

TEST(DimensionCommand, ReportAndRowsAreTheSameOnAnyThreads) {
  const std::string one = testing::TempDir() + "dim_rows_1.csv";
  const std::string two = testing::TempDir() + "dim_rows_2.csv";
  const Args search =
      With(kSmall, {"--dimension", "channels", "--target", "call_congestion<=0.05"});
  const CliResult a = RunCli(With(search, {"--threads", "1", "--results", one}));
  const CliResult b = RunCli(With(search, {"--threads", "2", "--results", two}));
  ASSERT_EQ(a.status, 0) << a.err;
  ASSERT_EQ(b.status, 0) << b.err;
  EXPECT_EQ(a.out, b.out);
  EXPECT_EQ(ReadFile(one), ReadFile(two));
  EXPECT_NE(a.out.find("call_congestion falls as channels rises: the answer is the smallest"),
            std::string::npos);
  EXPECT_NE(a.out.find("\nAnswer: channels = 40\n  at 40: call_congestion "), std::string::npos)
      << a.out;
  EXPECT_NE(a.out.find("\n  at 39: call_congestion "), std::string::npos);
  EXPECT_NE(a.out.find("Formulas' answers for the offered traffic at 40"), std::string::npos);
  // One row per run spent, after the header.
  const std::string rows = ReadFile(one);
  const size_t lines = size_t(std::count(rows.begin(), rows.end(), '\n'));
  const size_t spent = a.out.find("Runs spent: ");
  ASSERT_NE(spent, std::string::npos);
  EXPECT_EQ(std::to_string(lines - 1),
            a.out.substr(spent + 12, a.out.find('\n', spent) - spent - 12));
  // With the rows on standard output the report goes to standard error.
  const CliResult c = RunCli(With(search, {"--results", "-"}));
  EXPECT_EQ(c.out, rows);
  EXPECT_NE(c.err.find("Answer: channels = 40"), std::string::npos);
}

}  // namespace

}  // namespace vadidazid
