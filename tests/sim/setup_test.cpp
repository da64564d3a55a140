// Set-up: parameters, start cell, hexagon size, log header, stamp, generators, and the
// texts it refuses.
#include "sim/setup.h"

#include <gtest/gtest.h>

#include "platform/exceptions.h"
#include "tests/sim/testrun.h"

namespace vadidazid {

namespace {

TEST(SetUp, StartCellAndHexSizeByGridSide) {
  struct Case {
    int n;
    int start;
    int hex;
  };
  for (Case c : {Case{2, 0, 97}, Case{3, 0, 65}, Case{10, 4, 20}, Case{16, 7, 13}}) {
    TestRun f;
    f.window.controls.gridSide = c.n;
    f.window.controls.subscriberCount = 1;
    f.SetUp();
    EXPECT_EQ(f.state.hexSize, c.hex) << c.n;
    ASSERT_EQ(f.state.subscribers.size(), 1u);
    EXPECT_EQ(f.state.subscribers[0].column, c.start) << c.n;
    EXPECT_EQ(f.state.subscribers[0].row, c.start) << c.n;
    EXPECT_EQ(f.state.cellCalls.size(), size_t(c.n * c.n));
  }
}

TEST(SetUp, HexSizeRoundsUpForEveryGridSide) {
  for (int n = 2; n <= 16; ++n) {
    const double exact = 360.0 / n / 1.86;
    EXPECT_GT(HexSizeFor(n), exact) << n;
    EXPECT_LT(HexSizeFor(n) - 1, exact) << n;
  }
}

TEST(SetUp, LeavesHeaderOnlyAndZeroCounters) {
  TestRun f;
  f.window.log = {"old line"};
  f.state.stepCounter = 7;
  f.state.runningCallsTotal = 99;
  f.SetUp();
  EXPECT_EQ(f.window.log, std::vector<std::string>{"lroz\tnowe\tzerw\tzak"});
  EXPECT_EQ(f.state.stepCounter, 0);
  EXPECT_EQ(f.state.runningCallsTotal, 0);
  EXPECT_EQ(f.state.runningCalls, 0);
  EXPECT_EQ(f.window.chartClears, (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(f.state.fileStamp, "2008-03-07-14-05-09");
  EXPECT_EQ(f.state.gridLeft, 248);
  EXPECT_EQ(f.state.gridTop, 4);
  EXPECT_EQ(f.state.gridWidth, 430);
  EXPECT_EQ(f.state.gridHeight, 360);
}

TEST(SetUp, ReadsTextsWithTheDecimalSeparator) {
  TestRun f;
  f.window.controls.meanText = " 7.5 ";
  f.window.controls.deviationText = "1e-1";
  f.SetUp();
  EXPECT_EQ(f.state.callMean, 7.5);
  EXPECT_EQ(f.state.callDeviation, 0.1);
}

TEST(SetUp, ClampsParametersIntoTheControlsRanges) {
  TestRun f;
  f.window.controls.gridSide = 40;
  f.window.controls.subscriberCount = 0;
  f.window.controls.channelsPerCell = 3;
  f.window.controls.callPercent = 150;
  f.SetUp();
  EXPECT_EQ(f.state.gridSide, 16);
  EXPECT_EQ(f.state.subscriberCount, 1);
  EXPECT_EQ(f.state.channelsPerCell, 10);
  EXPECT_EQ(f.state.callPercent, 100);
  EXPECT_EQ(f.state.subscribers.size(), 1u);
  EXPECT_EQ(f.state.cellSubscribers.size(), 256u);
}

TEST(SetUp, RefusedTextsLeaveTheLastRunAsItWas) {
  struct Case {
    const char* mean;
    const char* deviation;
    const char* message;
  };
  const Case cases[] = {
      {"abc", "0.01", "'abc' is not a valid floating point value"},
      {"5", "0,01", "'0,01' is not a valid floating point value"},
      {"", "0.01", "'' is not a valid floating point value"},
      {"-5", "0.01", nullptr},  // every duration negative: refused, not a hang
      {"-1", "0", nullptr},
  };
  for (const Case& c : cases) {
    TestRun f;
    f.SetUp();
    f.Steps(1);
    const auto log = f.window.log;
    const auto subscribers = f.state.subscribers;
    f.window.controls.meanText = c.mean;
    f.window.controls.deviationText = c.deviation;
    f.window.controls.gridSide = 3;
    try {
      f.SetUp();
      ADD_FAILURE() << "accepted " << c.mean << " / " << c.deviation;
    } catch (const Exception& e) {
      if (c.message) {
        EXPECT_STREQ(e.what(), c.message);
      }
    }
    EXPECT_EQ(f.window.log, log);
    EXPECT_EQ(f.state.gridSide, 10);
    EXPECT_EQ(f.state.stepCounter, 1);
    EXPECT_EQ(f.state.subscribers.size(), subscribers.size());
  }
}

TEST(SetUp, AcceptsMeansThatCanStillGiveADuration) {
  // Draws between -1 and 0 truncate to a call of 0 steps, so these runs end.
  for (auto [mean, deviation] :
       {std::pair{-0.5, 0.01}, std::pair{-5.0, 1.0}, std::pair{-5.5, 1.0}}) {
    EXPECT_FALSE(DurationCannotStart(mean, deviation)) << mean << " " << deviation;
  }
  for (auto [mean, deviation] :
       {std::pair{-5.0, 0.01}, std::pair{-20.0, 2.0}, std::pair{-1.0, 0.0}}) {
    EXPECT_TRUE(DurationCannotStart(mean, deviation)) << mean << " " << deviation;
  }
}

TEST(SetUp, TickedSeedRestartsBothGenerators) {
  TestRun f;
  f.window.controls.seed = 12345;
  f.SetUp();
  EXPECT_EQ(f.generator.NextWord(), 3607425725u);
  EXPECT_EQ(f.moves.Next(), 1220244142);
}

TEST(SetUp, UntickedSeedGoesOnFromThePresentState) {
  TestRun f;
  f.window.controls.reseed = false;
  RandomVariates copy = f.generator;
  RuntimeRandom movesCopy = f.moves;
  f.SetUp();
  EXPECT_EQ(f.generator.NextWord(), copy.NextWord());
  EXPECT_EQ(f.moves.Next(), movesCopy.Next());
}

TEST(SetUp, ControlsChangedAfterSetUpDoNotReachTheRun) {
  TestRun f;
  f.SetUp();
  f.window.controls.gridSide = 4;
  f.window.controls.callPercent = 0;
  f.Steps(1);
  EXPECT_EQ(f.state.gridSide, 10);
  EXPECT_EQ(f.state.callPercent, 15);
}

TEST(SetUp, FileStampPadsEveryField) {
  EXPECT_EQ(FormatFileStamp(LocalTime(2026, 1, 2, 3, 4, 5)), "2026-01-02-03-04-05");
  EXPECT_EQ(FormatFileStamp(LocalTime(1999, 12, 31, 23, 59, 58)), "1999-12-31-23-59-58");
}

}  // namespace

}  // namespace vadidazid
