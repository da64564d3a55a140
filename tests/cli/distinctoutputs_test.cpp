// Two outputs that would end in one file are refused (status 2) before anything is
// written, however their names differ: a link to a file not there yet, a linked folder,
// or standard output sent to an output's file while the run writes to standard output.
#include "cli/distinctoutputs.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "tests/cli/runcli.h"
#include "tests/support/files.h"

namespace vadidazid {

namespace {

namespace fs = std::filesystem;

TEST(DistinctOutputs, NamesThatMeetAreRefusedBeforeAnythingIsWritten) {
  ScopedWorkingDirectory dir(fs::path(testing::TempDir()) /
                             ("vdz_distinct_" + std::to_string(getpid())));
  fs::create_directory("dd");
  fs::create_directory_symlink("dd", "ll");
  fs::create_symlink("nothere.txt", "d.txt");
  struct Case {
    std::vector<std::string> args;
    const char* standardOutput;  // the file standard output goes to
    const char* refusal;         // "" for a run that goes ahead
  };
  const Case cases[] = {
      {{"--cells", "nothere.txt", "--out", "d.txt"},
       "so.txt",
       "--out and --cells write to the same file 'nothere.txt'"},
      {{"--map", "dd/x.png", "--picture", "ll/x.png"},
       "so.txt",
       "--picture and --map write to the same file 'dd/x.png'"},
      {{"--summary", "--results", "s.txt"},
       "s.txt",
       "--results and standard output write to the same file 's.txt'"},
      {{"--picture", "p.svg"}, "p.svg", "--picture and standard output write to the same file"},
      {{"--chart", "--cells", "c.csv"}, "c.csv", "--cells and standard output write to"},
      // A search reports on standard output beside its rows.
      {{"--dimension", "channels", "--target", "call_congestion<=0.05", "--results", "r.csv"},
       "r.csv",
       "--results and standard output write to the same file 'r.csv'"},
      // Nothing goes to standard output: the shell's file is simply replaced.
      {{"--results", "r.txt"}, "r.txt", ""},
      {{"--out", "o.txt"}, "o.txt", ""},
      {{"--results", "-", "--csv", "v.csv"}, "w.csv", ""},
  };
  for (const Case& c : cases) {
    { std::ofstream(c.standardOutput) << "earlier"; }
    std::vector<std::string> args = c.args;
    args.insert(args.end(), {"--steps", "2"});
    std::cout.flush();
    const pid_t child = fork();
    if (child == 0) {
      const int out = open(c.standardOutput, O_WRONLY);
      if (out < 0 || dup2(out, STDOUT_FILENO) < 0) _exit(99);
      const CliResult r = RunCli(args);
      std::ofstream("err.txt") << r.err;
      _exit(r.status);
    }
    int status = 0;
    waitpid(child, &status, 0);
    const std::string err = ReadFile("err.txt");
    EXPECT_EQ(WEXITSTATUS(status), *c.refusal ? 2 : 0) << args[0] << ": " << err;
    EXPECT_NE(err.find(c.refusal), std::string::npos) << err;
    if (*c.refusal) {
      EXPECT_EQ(ReadFile(c.standardOutput), "earlier") << args[0];
      EXPECT_FALSE(fs::exists("nothere.txt") || fs::exists("dd/x.png"));
    }
  }
}

}  // namespace

}  // namespace vadidazid
