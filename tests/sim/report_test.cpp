// Log lines, chart values, summary and the log file's bytes.
#include "sim/report.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <numeric>
#include <sstream>

#include "platform/exceptions.h"
#include "platform/text/numtext.h"
#include "random/randomvariates.h"
#include "random/runtimerandom.h"
#include "tests/sim/testrun.h"
#include "tests/support/files.h"

namespace vadidazid {

namespace {

SimulationState Counts(int n, int c, int running, int fresh, int dropped, int ended) {
  static RandomVariates g(1);
  static RuntimeRandom m;
  SimulationState s(g, m);
  s.gridSide = n;
  s.channelsPerCell = c;
  s.runningCalls = running;
  s.newCalls = fresh;
  s.droppedCalls = dropped;
  s.endedCalls = ended;
  return s;
}

TEST(Report, StepLineIsFourTabSeparatedCounts) {
  EXPECT_EQ(StepLogLine(Counts(10, 10, 3, 1, 0, 2)), "3\t1\t0\t2");
  EXPECT_EQ(StepLogLine(Counts(10, 10, 100000, 25600, 999, 0)), "100000\t25600\t999\t0");
}

TEST(Report, ChartValuesArePercentagesOfTheNetworksChannels) {
  double v[4];
  ChartValues(Counts(10, 10, 250, 0, 0, 0), v);
  EXPECT_EQ(v[0], 25.0);
  ChartValues(Counts(2, 10, 0, 0, 1, 0), v);
  EXPECT_EQ(v[2], 2.5);
  ChartValues(Counts(3, 10, 1, 2, 3, 4), v);
  EXPECT_EQ(v[0], 1 / 90.0 * 100);
  EXPECT_EQ(v[3], 4 / 90.0 * 100);
}

TEST(Report, SummaryNumbersInTheGeneralFormat) {
  SimulationState s = Counts(10, 10, 0, 0, 0, 0);
  s.stepLimit = 100;
  s.runningCallsTotal = 2550;
  s.runningCallsMax = 40;
  const auto lines = SummaryLines(s);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "średnie obciążenie sieci: 2.55%");
  EXPECT_EQ(lines[1], "maxymalne obciążenie sieci: 4%");
  EXPECT_EQ(lines[2], "średnia zerwanych rozmów: 0%");
  EXPECT_EQ(lines[3], "maximum zerwanych rozmów: 0%");

  SetDecimalSeparator(',');
  EXPECT_EQ(SummaryLines(s)[0], "średnie obciążenie sieci: 2,55%");
  SetDecimalSeparator('.');
}

TEST(Report, TotalsSurviveBeyondThirtyTwoBits) {
  SimulationState s = Counts(16, 100000, 100000, 0, 0, 0);
  s.stepLimit = 1000000;
  for (int i = 0; i < 30000; ++i) AddToTotals(s);
  EXPECT_EQ(s.runningCallsTotal, int64_t(3000000000));
  EXPECT_EQ(SummaryLines(s)[0],
            "średnie obciążenie sieci: " + FloatToStr(3e9 / 1e6 / 25600000.0 * 100) + "%");
}

TEST(Report, StepLimitOneWritesTheSummaryInTheSecondStep) {
  SimControls c{.callPercent = 100, .stepLimit = 1};
  TestRun run(c);
  const std::vector<std::string>& log = run.window.log;
  run.SetUp().Steps(1);
  EXPECT_EQ(log.size(), 2u);
  run.Steps(1);
  ASSERT_EQ(log.size(), 7u);
  int first = std::stoi(log[1]), second = std::stoi(log[2]);
  EXPECT_EQ(log[3], "średnie obciążenie sieci: " +
                        FloatToStr(double(first + second) / 1 / 1000 * 100) + "%");
  EXPECT_EQ(log[4], "maxymalne obciążenie sieci: " +
                        FloatToStr(std::max(first, second) / 1000.0 * 100) + "%");
  run.Steps(2);
  EXPECT_EQ(log.size(), 9u);  // later steps: step lines, no second summary
  for (int i = 0; i < 4; ++i) EXPECT_EQ(run.window.chart[i].size(), 4u);
}

// Each report holds its own step's phases, the moves and countdown included, which the
// log shows one step later; the per-cell counts add up to the network's.
TEST(Report, ObserverSeesEachStepsOwnPhases) {
  TestRun run;
  run.window.wantsCells = true;
  run.SetUp();
  const std::vector<StepReport>& reports = run.window.reports;
  int64_t handedOver = 0, callSteps = 0, fullCellOffers = 0;
  auto sum = [](const std::vector<int32_t>& v) { return std::accumulate(v.begin(), v.end(), 0); };
  for (size_t i = 0; i < 60; ++i) {
    run.Steps(1);
    ASSERT_EQ(reports.size(), i + 1);
    const StepReport& r = reports[i];
    EXPECT_EQ(r.step, int64_t(i) + 1);
    const StepReport before = i > 0 ? reports[i - 1] : StepReport{};
    const std::string counts =
        std::to_string(r.recount.running) + "\t" + std::to_string(r.newCalls.started) + "\t" +
        std::to_string(before.moves.dropped) + "\t" + std::to_string(before.countdown.ended);
    EXPECT_EQ(run.window.log[i + 1], counts) << "step " << r.step;
    EXPECT_GE(r.moves.handedOver, r.moves.dropped);
    handedOver += r.moves.handedOver;
    callSteps += r.newCalls.callSteps;
    fullCellOffers += r.newCalls.fullCellOffers;
    const auto& cells = run.window.lastCells;
    ASSERT_EQ(cells.size(), 7u);
    const int64_t sums[7] = {
        r.newCalls.fullCellOffers, r.newCalls.started,        r.moves.dropped,  r.moves.handedOver,
        r.moves.handedOver,        run.state.subscriberCount, r.recount.running};
    for (int k = 0; k < 7; ++k) EXPECT_EQ(sum(cells[k]), sums[k]) << "step " << r.step << " " << k;
  }
  EXPECT_GT(fullCellOffers, 0);  // everyone starts in one cell of 10 channels
  EXPECT_EQ(handedOver, run.state.handovers);
  EXPECT_EQ(callSteps, run.state.startedCallSteps);
  // Without the observer's asking there are no per-cell counts.
  TestRun plain;
  plain.SetUp().Steps(2);
  EXPECT_TRUE(plain.window.lastCells.at(0).empty());
  EXPECT_EQ(plain.window.reports[1].newCalls.started, reports[1].newCalls.started);
}

TEST(Report, LogFileBytesAreWindows1250WithCrLf) {
  EXPECT_EQ(LogFileBytes({"lroz\tnowe\tzerw\tzak"}), "lroz\tnowe\tzerw\tzak\r\n");
  EXPECT_EQ(LogFileBytes({"1\t2\t3\t4", "średnia zerwanych rozmów: 0%"}),
            "1\t2\t3\t4\r\n\x9C"
            "rednia zerwanych rozm\xF3w: 0%\r\n");
  EXPECT_EQ(LogFileBytes({}), "");
}

TEST(Report, SaveWritesUnderTheStampAndConfirms) {
  TestRun run;
  run.SetUp();
  const std::string name = "2008-03-07-14-05-09_dane.txt";
  std::remove(name.c_str());
  SaveLogFile(run.state, run.window, run.window);
  EXPECT_EQ(ReadFile(name), "lroz\tnowe\tzerw\tzak\r\n");
  EXPECT_EQ(run.window.messages, std::vector<std::string>{"zapisano dane do pliku: " + name});
  run.Steps(1);
  SaveLogFile(run.state, run.window, run.window);  // the same name again: replaced
  EXPECT_EQ(ReadFile(name), LogFileBytes(run.window.log));
  std::remove(name.c_str());
}

TEST(Report, SaveThatCannotCreateTheFileConfirmsNothing) {
  TestRun run;
  run.SetUp();
  run.state.fileStamp = "/nonexistent-directory/stamp";
  try {
    SaveLogFile(run.state, run.window, run.window);
    FAIL() << "saved into a missing directory";
  } catch (const EFCreateError& e) {
    EXPECT_STREQ(e.what(),
                 "Cannot create file /nonexistent-directory/stamp_dane.txt: no such directory");
  }
  EXPECT_TRUE(run.window.messages.empty());
}

}  // namespace

}  // namespace vadidazid
