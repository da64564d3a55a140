// Seeded hostile result tables for --summarize: random bytes, and real tables with
// fields, bytes and lines changed. Every table is either summarized from rows that pass
// the row checks or refused with a message naming its line; the summary and the message
// hold no control character that could reach a terminal. VADIDAZID_FUZZ_SCALE multiplies
// the rounds.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "cli/runner.h"
#include "results/resulttable.h"
#include "results/resulttablereader.h"
#include "results/summary.h"
#include "study/experiment.h"

namespace vadidazid {

namespace {

int Rounds(int base) {
  const char* scale = std::getenv("VADIDAZID_FUZZ_SCALE");
  return base * (scale ? std::max(1, std::atoi(scale)) : 1);
}

// A real table: two points of three runs each.
std::string RealTable() {
  ExperimentPlan plan;
  plan.controls.gridSide = 3;
  plan.controls.callPercent = 60;
  plan.steps = 12;
  plan.warmup = 2;
  plan.replications = 3;
  plan.sweeps = {ParseSweep("channels=10:20:10")};
  std::string table = ResultHeader();
  for (const RunResult& r : MeasureRuns(ExperimentRuns(plan), 1)) table += ResultRecord(r);
  return table;
}

const char* const kHostileFields[] = {
    "1e57", "-1e308",   "1e309", "nan",   "inf", "-0",         "",    "9223372036854775808",
    "-1",   "0x10",     "1.5",   "\"7\"", "\"",  "2147483648", "0.5", "1e-320",
    " 1",   "\x1b[31m", "32767"};

class TableMutator {
 public:
  explicit TableMutator(uint64_t seed) : rng_(seed) {}
  size_t Below(size_t n) { return size_t(rng_() % n); }

  std::string Mutate(std::string table) {
    for (size_t edits = 1 + Below(3); edits > 0; --edits) {
      const size_t at = Below(table.size() + 1);
      switch (Below(5)) {
        case 0:
          table.insert(at, 1, char(Below(256)));
          break;
        case 1:
          if (at < table.size()) table.erase(at, 1 + Below(8));
          break;
        case 2:
          table = ReplaceField(table);
          break;
        case 3:
          table.insert(at, table.substr(at, Below(300)));
          break;  // a repeated piece
        default:
          if (at < table.size()) table[at] = ",\r\n\"0-.e"[Below(8)];
          break;
      }
    }
    return table;
  }
  std::string Bytes(size_t most) {
    std::string bytes(Below(most + 1), '\0');
    for (char& c : bytes) c = char(Below(256));
    return bytes;
  }

 private:
  std::string ReplaceField(const std::string& table) {
    const size_t comma = table.find(',', Below(table.size() + 1));
    if (comma == std::string::npos) return table;
    const size_t end = table.find_first_of(",\r", comma + 1);
    const char* value = kHostileFields[Below(std::size(kHostileFields))];
    return table.substr(0, comma + 1) + value + (end == std::string::npos ? "" : table.substr(end));
  }
  std::mt19937_64 rng_;
};

bool HasControl(const std::string& text) {
  return std::any_of(text.begin(), text.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte < 0x20 && c != '\n') || byte == 0x7F;
  });
}

TEST(FuzzSummarize, EveryTableIsSummarizedFromSoundRowsOrRefused) {
  const std::string real = RealTable();
  TableMutator f(14);
  int refused = 0;
  for (int i = 0; i < Rounds(6000); ++i) {
    const std::string table = f.Below(8) == 0 ? ResultHeader() + f.Bytes(600) : f.Mutate(real);
    std::vector<RunResult> rows;
    try {
      rows = ParseResultTable(table);
    } catch (const EInvalidInput& e) {
      ++refused;
      ASSERT_EQ(std::string(e.what()).rfind("line ", 0), 0u) << e.what();
      continue;
    }
    for (const RunResult& row : rows) CheckResultRow(row);
    try {
      const std::string summary = SummaryTable(SummarizeResults(rows));
      ASSERT_FALSE(HasControl(summary)) << summary;
    } catch (const EInvalidInput& e) {
      // A repeated line repeats a run; that is the only refusal left for the summary.
      ASSERT_NE(std::string(e.what()).find("appears twice"), std::string::npos) << e.what();
    }
  }
  EXPECT_GT(refused, 0);
}

TEST(FuzzSummarize, TheRunnersMessagesStaySafe) {
  const std::string real = RealTable();
  const std::string file = testing::TempDir() + "vdz_fuzz_table_" + std::to_string(getpid());
  TableMutator f(15);
  for (int i = 0; i < Rounds(150); ++i) {
    std::ofstream(file, std::ios::binary) << (f.Below(4) == 0 ? f.Bytes(5000) : f.Mutate(real));
    std::ostringstream out, err;
    const int status = RunSimulator({"--summarize", file}, out, err);
    ASSERT_TRUE(status == 0 || status == 2) << err.str();
    ASSERT_FALSE(HasControl(err.str())) << err.str();
    ASSERT_FALSE(HasControl(out.str()));
  }
  std::remove(file.c_str());
}

}  // namespace

}  // namespace vadidazid
