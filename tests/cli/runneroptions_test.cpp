// The runner's command line: the spellings of an option, the refusals that name what is
// wrong, and the help built from the option table.
#include "cli/runner.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/text/messagetext.h"
#include "tests/cli/runcli.h"

namespace vadidazid {

namespace {

using Result = CliResult;

TEST(RunnerOptions, EverySpellingOfAnOptionGivesTheSameRun) {
  const Result spaced = RunCli({"--steps", "3", "--seed", "77", "--mean", "2.5", "--chart"});
  ASSERT_EQ(spaced.status, 0) << spaced.err;
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"--steps=3", "--seed=77", "--mean=2.5", "--chart"},
           {"--chart", "--seed", "77", "--steps=3", "--mean", "2.5", "--"},
       }) {
    const Result r = RunCli(args);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, spaced.out) << args[0];
  }
  EXPECT_EQ(RunCli({"-h"}).out, RunCli({"--help"}).out);
}

TEST(RunnerOptions, RefusalsNameTheOptionAndQuoteSafely) {
  const std::string dir = testing::TempDir() + "vdz_options_" + std::to_string(getpid());
  std::filesystem::create_directories(dir);
  const std::string results = dir + "/r.csv";
  std::ofstream(results) << "earlier";
  const std::string longText(5000, 'x');
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const Case cases[] = {
      {{"--out", ""}, "--out: the file name is empty"},
      {{"--out="}, "--out: the file name is empty"},
      {{"--results", "", "--summary"}, "--results: the file name is empty"},
      {{"--summarize", ""}, "--summarize: a file name is empty"},
      {{"--mean", "abc"}, "--mean: 'abc' is not a valid floating point value"},
      {{"--deviation=1,5"}, "--deviation: '1,5' is not a valid"},
      {{"--seed", "1\x1b[2J"}, "--seed: '1\\x1B[2J' is not a whole number"},
      {{"--mean", "1\n2"}, "--mean: '1\\n2' is not"},
      {{"--mean", longText}, "--mean: '" + std::string(80, 'x') + "...' is not"},
      {{"--seed", "5", "--seed", "6"}, "--seed is given more than once"},
      {{"--out", "a", "--out=b"}, "--out is given more than once"},
      {{"--chart=yes"}, "--chart takes no value"},
      {{"--chart", "--steps", "2", "--chart"}, "--chart is given more than once"},
      {{"-h", "--help"}, "--help is given more than once"},
      {{"--sweep", "mean=0.1,0.10000000000000001", "--steps", "20", "--warmup", "5", "--results",
        results, "--summary"},
       "--sweep: mean 0.1 and 0.10000000000000001 are one value"},
      {{"--colour=red"}, "unknown option '--colour'"},
      {{"-x"}, "unknown option '-x'"},
      {{"stray"}, "unexpected argument 'stray'"},
      {{"--", "--steps"}, "unexpected argument '--steps'"},
      {{"--results", results, "--csv", results}, "--csv and --results write to the same file"},
      {{"--results", results, "--csv", dir + "/./sub/../r.csv"}, "write to the same file"},
      {{"--out", dir + "/r.png", "--picture", dir + "//r.png"}, "--out and --picture write to"},
  };
  for (const Case& c : cases) {
    const Result r = RunCli(c.args);
    EXPECT_EQ(r.status, 2) << c.message;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find('\x1b'), std::string::npos);
    EXPECT_LT(r.err.size(), 300u);
  }
  std::ifstream in(results);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "earlier");
  // The same file through a link of another name.
  const std::string link = dir + "/link.csv";
  std::filesystem::create_symlink(results, link);
  EXPECT_EQ(RunCli({"--results", results, "--csv", link}).status, 2);
  std::filesystem::remove_all(dir);
}

TEST(RunnerOptions, MessageTextEscapesAndCutsAtACharacter) {
  EXPECT_EQ(MessageText("a\tb\x7f\x01"), "a\\tb\\x7F\\x01");
  EXPECT_EQ(MessageText("zażółć", 3), "za...");  // never half of 'ż'
  EXPECT_EQ(MessageText("plain text"), "plain text");
}

// C1 controls (CSI is C2 9B) and bytes that are no character are escaped byte by byte;
// every valid character else, Polish letters and four-byte ones alike, is kept.
TEST(RunnerOptions, MessageTextEscapesC1AndInvalidUtf8) {
  const struct {
    std::string text, shown;
    size_t limit = 80;
  } cases[] = {
      {"a\xC2\x9BK", "a\\xC2\\x9BK"},
      {"\xC2\x80\xC2\x9F\xC2\xA0", "\\xC2\\x80\\xC2\\x9F\xC2\xA0"},  // A0 is a space
      {"Łódź ąę €😀", "Łódź ąę €😀"},
      {"\x9BK", "\\x9BK"},                                    // a lone C1 byte
      {"\xC0\x9B\xE0\x80\x9B", "\\xC0\\x9B\\xE0\\x80\\x9B"},  // overlong forms
      {"\xED\xA0\x80", "\\xED\\xA0\\x80"},                    // a surrogate
      {"\xF4\x90\x80\x80", "\\xF4\\x90\\x80\\x80"},           // past U+10FFFF
      {"ż\xC5", "ż\\xC5"},                                    // a character cut short
      {std::string(200, '\x9B'), "\\x9B...", 1},
      {"ab€", "ab...", 4},
  };
  for (const auto& c : cases) EXPECT_EQ(MessageText(c.text, c.limit), c.shown) << c.shown;
  const Result r = RunCli({"--mean", "1\xC2\x9BK"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("'1\\xC2\\x9BK'"), std::string::npos) << r.err;
}

TEST(RunnerOptions, HelpShowsTheSetUpsRangesAndDefaults) {
  const std::string help = RunCli({"--help"}).out;
  for (const char* line : {"  --grid-side N      cells per side, 2 .. 16 (10)\n",
                           "  --seed S           seed of both generators, 1 .. 32766 (12345)\n",
                           "  --deviation Y      standard deviation of the call duration (0.01)\n",
                           "1 .. 1024 (the machine's cores)\n", "1000000 runs"}) {
    EXPECT_NE(help.find(line), std::string::npos) << line;
  }
}

}  // namespace

}  // namespace vadidazid
