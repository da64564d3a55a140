// The step's phases: first-step moves for the default seed, the direction table on the
// torus, hand-over and dropping, countdown, recount, new calls, and reproducibility.
#include "sim/step.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "tests/sim/testrun.h"

namespace vadidazid {

namespace {

// A state of one or more subscribers in a chosen cell, without a set-up.
SimulationState Network(RandomVariates& g, RuntimeRandom& m, int n, int c, int count) {
  SimulationState s(g, m);
  s.gridSide = n;
  s.channelsPerCell = c;
  s.subscriberCount = count;
  s.subscribers.assign(count, Subscriber{});
  s.cellSubscribers.assign(n * n, 0);
  s.cellCalls.assign(n * n, 0);
  s.offerOrder.assign(count, 0);
  return s;
}

// Seeds the move generator so that the next MoveSubscriber takes the direction.
void SeedForDirection(RuntimeRandom& moves, int direction) {
  for (uint32_t seed = 1;; ++seed) {
    RuntimeRandom probe;
    probe.Seed(seed);
    const int a = RandomBelow(probe, 2);
    const int b = RandomBelow(probe, 7);
    if (a == 1 && b == direction) {
      moves.Seed(seed);
      return;
    }
  }
}

int NewCallsInLog(const std::vector<std::string>& log) {
  int sum = 0;
  for (size_t i = 1; i < log.size(); ++i) {
    if (log[i].find(':') != std::string::npos) continue;
    sum += std::stoi(log[i].substr(log[i].find('\t') + 1));
  }
  return sum;
}

TEST(Step, FirstMovesForTheDefaultSeed) {
  TestRun run;
  run.SetUp();  // seed 12345, N = 10: everyone starts in column 4, row 4
  RuntimeRandom probe;
  probe.Seed(12345);
  EXPECT_EQ(probe.Next(), 1220244142);
  EXPECT_EQ(probe.Next(), 1374406965);
  EXPECT_EQ(probe.Next(), 308141128);
  EXPECT_EQ(probe.Next(), 1558318993);

  run.Steps(1);
  const std::pair<int, int> expected[8] = {{4, 4}, {4, 4}, {4, 3}, {4, 5},
                                           {4, 5}, {3, 3}, {3, 3}, {4, 4}};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(run.state.subscribers[i].column, expected[i].first) << i;
    EXPECT_EQ(run.state.subscribers[i].row, expected[i].second) << i;
  }
}

TEST(Step, DirectionsOnTheTorus) {
  struct Case {
    int n, column, row, direction, toColumn, toRow;
  };
  const Case cases[] = {
      {10, 4, 4, 0, 5, 4},
      {10, 4, 4, 1, 3, 4},
      {10, 4, 4, 2, 4, 5},
      {10, 4, 4, 3, 4, 3},
      {10, 4, 4, 4, 3, 5},
      {10, 4, 4, 5, 3, 3},
      {10, 4, 3, 4, 5, 4},
      {10, 4, 3, 5, 5, 2},
      {10, 9, 0, 0, 0, 0},
      {10, 0, 0, 1, 9, 0},
      {10, 0, 9, 2, 0, 0},
      {10, 0, 0, 3, 0, 9},
      {10, 9, 9, 4, 0, 0},
      {10, 0, 0, 5, 9, 9},
      // N = 2: both horizontal moves reach column 1, both vertical ones row 1.
      {2, 0, 0, 0, 1, 0},
      {2, 0, 0, 1, 1, 0},
      {2, 0, 0, 2, 0, 1},
      {2, 0, 0, 3, 0, 1},
      // Odd N: rows N-1 and 0 are both even, so crossing that edge uses the even rule.
      {3, 1, 2, 4, 2, 0},
      {3, 1, 0, 5, 2, 2},
  };
  RandomVariates g(1);
  for (const Case& c : cases) {
    RuntimeRandom moves;
    SimulationState s = Network(g, moves, c.n, 10, 1);
    s.subscribers[0] = {c.column, c.row, 0};
    s.cellSubscribers[c.row * c.n + c.column] = 1;
    SeedForDirection(moves, c.direction);
    MoveSubscriber(s, 0);
    EXPECT_EQ(s.subscribers[0].column, c.toColumn) << c.n << " dir " << c.direction;
    EXPECT_EQ(s.subscribers[0].row, c.toRow) << c.n << " dir " << c.direction;
    EXPECT_EQ(s.cellSubscribers[c.toRow * c.n + c.toColumn], 1);
  }
}

TEST(Step, StayingDrawsTwoNumbersAndChangesNothing) {
  RandomVariates g(1);
  RuntimeRandom moves;
  SimulationState s = Network(g, moves, 10, 10, 1);
  for (uint32_t seed = 1; seed < 200; ++seed) {
    RuntimeRandom probe;
    probe.Seed(seed);
    const int a = RandomBelow(probe, 2), b = RandomBelow(probe, 7);
    if (a == 1 && b != 6) continue;
    moves.Seed(seed);
    s.subscribers[0] = {4, 4, 3};
    MoveSubscriber(s, 0);
    EXPECT_EQ(s.subscribers[0].column, 4);
    EXPECT_EQ(s.subscribers[0].row, 4);
    EXPECT_EQ(moves.state(), probe.state());
  }
  EXPECT_EQ(s.handovers, 0);
}

TEST(Step, HandOverIntoAFullCell) {
  struct Case {
    int stepsLeft;
    int dropped;
    int callsThere;  // calls of the target cell afterwards
    int stepsAfter;
    int handovers;
  };
  // Last step: carried (C + 1 calls); two or more steps: dropped; idle: no channel.
  for (Case c :
       {Case{1, 0, 11, 1, 1}, Case{2, 1, 10, 0, 1}, Case{5, 1, 10, 0, 1}, Case{0, 0, 10, 0, 0}}) {
    RandomVariates g(1);
    RuntimeRandom moves;
    SimulationState s = Network(g, moves, 10, 10, 1);
    s.subscribers[0] = {4, 4, c.stepsLeft};
    s.cellSubscribers[44] = 1;
    s.cellCalls[44] = c.stepsLeft > 0;
    s.cellCalls[45] = 10;  // column 5, row 4: full
    SeedForDirection(moves, 0);
    MoveSubscriber(s, 0);
    EXPECT_EQ(s.droppedCalls, c.dropped) << c.stepsLeft;
    EXPECT_EQ(s.cellCalls[45], c.callsThere) << c.stepsLeft;
    EXPECT_EQ(s.cellCalls[44], 0);
    EXPECT_EQ(s.subscribers[0].column, 5);
    EXPECT_EQ(s.subscribers[0].callStepsLeft, c.stepsAfter);
    EXPECT_EQ(s.handovers, c.handovers) << c.stepsLeft;
  }
}

TEST(Step, AnOverfullCellStillAcceptsHandOvers) {
  RandomVariates g(1);
  RuntimeRandom moves;
  SimulationState s = Network(g, moves, 10, 10, 1);
  s.subscribers[0] = {4, 4, 3};
  s.cellCalls[44] = 1;
  s.cellCalls[45] = 11;
  SeedForDirection(moves, 0);
  MoveSubscriber(s, 0);
  EXPECT_EQ(s.droppedCalls, 0);
  EXPECT_EQ(s.cellCalls[45], 12);
}

TEST(Step, CountDownEndsLastStepCallsOnly) {
  RandomVariates g(1);
  RuntimeRandom moves;
  SimulationState s = Network(g, moves, 2, 10, 4);
  const int before[] = {0, 1, 2, 7};
  for (int i = 0; i < 4; ++i) s.subscribers[i].callStepsLeft = before[i];
  s.cellCalls[0] = 3;
  CountDownCalls(s);
  EXPECT_EQ(s.endedCalls, 1);
  const int after[] = {0, 0, 1, 6};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(s.subscribers[i].callStepsLeft, after[i]);
  EXPECT_EQ(s.cellCalls[0], 3);  // the channel stays counted until the next recount
}

TEST(Step, RecountCountsSubscribersCallsAndTheFullestCell) {
  RandomVariates g(1);
  RuntimeRandom moves;
  SimulationState s = Network(g, moves, 2, 10, 5);
  s.subscribers = {{0, 0, 0}, {1, 0, 3}, {1, 0, 0}, {1, 0, 1}, {1, 1, 2}};
  s.cellCalls = {9, 9, 9, 9};
  RecountCells(s);
  EXPECT_EQ(s.cellSubscribers, (std::vector<int32_t>{1, 3, 0, 1}));
  EXPECT_EQ(s.cellCalls, (std::vector<int32_t>{0, 2, 0, 1}));
  EXPECT_EQ(s.runningCalls, 3);
  EXPECT_EQ(s.maxCellSubscribers, 3);
}

TEST(Step, NewCallsNeedAnIdleSubscriberAndAFreeChannel) {
  RandomVariates g(5);
  RuntimeRandom moves;
  SimulationState s = Network(g, moves, 2, 10, 30);
  s.callPercent = 100;
  s.callMean = 5;
  s.callDeviation = 0.01;
  // 30 idle subscribers in one cell of 10 channels: at most 10 calls can start.
  for (int round = 0; round < 5; ++round) {
    s.newCalls = 0;
    RecountCells(s);
    StartNewCalls(s);
    RecountCells(s);
    EXPECT_LE(s.cellCalls[0], 10);
    EXPECT_LE(s.newCalls, 10);
  }
  EXPECT_EQ(s.cellCalls[0], 10);
}

TEST(Step, DrawnCallsThatFindNoPlaceAreBlocked) {
  struct Case {
    int percent;
    int busyChannels;  // of the one cell's 10
    int busySubscribers;
  };
  // 30 subscribers in one cell: room for 10 calls, for 3, for none; no draw at all; and
  // fewer idle subscribers than the draw may ask for.
  for (Case c :
       {Case{100, 0, 0}, Case{100, 7, 0}, Case{100, 10, 0}, Case{0, 0, 0}, Case{60, 0, 25}}) {
    RandomVariates g(5), probe(5);
    RuntimeRandom moves;
    SimulationState s = Network(g, moves, 2, 10, 30);
    s.callPercent = c.percent;
    s.callMean = 5;
    s.callDeviation = 0.01;
    for (int i = 0; i < c.busySubscribers; ++i) s.subscribers[i].callStepsLeft = 3;
    s.runningCalls = c.busySubscribers;
    s.cellCalls[0] = c.busyChannels;
    s.cellCounts.SetUp(4, true);
    const int idle = 30 - c.busySubscribers;
    int k = probe.PoissonVariate(c.percent * 0.01 * idle);
    while (k > idle) k = probe.PoissonVariate(c.percent * 0.01 * idle);
    StartNewCalls(s);
    const int started = std::min({k, 10 - c.busyChannels, idle});
    EXPECT_EQ(s.newCalls, started) << c.percent << " " << c.busyChannels;
    EXPECT_EQ(s.blockedCalls, k - started) << c.percent << " " << c.busyChannels;
    int64_t steps = 0;
    for (int i = c.busySubscribers; i < 30; ++i) steps += s.subscribers[i].callStepsLeft;
    EXPECT_EQ(s.startedCallSteps, steps);
    // With calls blocked every idle subscriber was offered one; the cell is full for
    // those that did not start. Otherwise the walk stopped before the cell filled.
    RecountCells(s);
    EXPECT_EQ(s.fullCellOffers, k > started ? idle - started : 0)
        << c.percent << " " << c.busyChannels;
    EXPECT_EQ(s.cellCounts.fullCellOffers[0], s.fullCellOffers);
    EXPECT_EQ(s.cellCounts.started[0], started);
  }
}

TEST(Step, ZeroPercentNeverStartsACall) {
  SimControls c{.callPercent = 0};
  TestRun run(c);
  run.SetUp();
  run.Steps(20);
  for (size_t i = 1; i < run.window.log.size(); ++i) {
    EXPECT_EQ(run.window.log[i], "0\t0\t0\t0") << i;
  }
}

TEST(Step, ADrawBetweenMinusOneAndZeroStartsACallOfNoSteps) {
  SimControls c{.callPercent = 100, .meanText = "-0.5", .deviationText = "0.01"};
  TestRun run(c);
  run.SetUp();
  run.Steps(2);
  EXPECT_GT(NewCallsInLog(run.window.log), 0);
  EXPECT_EQ(run.state.runningCalls, 0);
  for (const Subscriber& s : run.state.subscribers) EXPECT_EQ(s.callStepsLeft, 0);
}

TEST(Step, DurationsBeyondThirtyTwoBitsAreHeld) {
  EXPECT_EQ(DurationFromDraw(1e300), 2147483647);
  EXPECT_EQ(DurationFromDraw(2147483647.5), 2147483647);
  EXPECT_EQ(DurationFromDraw(4.99), 4);
  EXPECT_EQ(DurationFromDraw(-0.99), 0);
  EXPECT_LT(DurationFromDraw(-1.0), 0);
}

TEST(Step, FirstStepReportsNoDropsOrEnds) {
  TestRun run;
  run.SetUp();
  run.Steps(1);
  ASSERT_EQ(run.window.log.size(), 2u);
  const std::string& line = run.window.log[1];
  EXPECT_EQ(line.substr(line.size() - 4), "\t0\t0");
  EXPECT_EQ(run.state.stepCounter, 1);
}

TEST(Step, RunRepeatsAfterASecondSetUp) {
  TestRun run;
  run.SetUp();
  run.Steps(101);
  const auto first = run.window.log;
  const int64_t handovers = run.state.handovers, callSteps = run.state.startedCallSteps;
  ASSERT_GT(handovers, 0);
  // Every call of this run drew one normal value; an even count leaves none pending.
  ASSERT_EQ(NewCallsInLog(first) % 2, 0);
  run.SetUp();
  EXPECT_EQ(run.state.handovers + run.state.startedCallSteps + run.state.blockedCalls, 0);
  run.Steps(101);
  EXPECT_EQ(run.window.log, first);
  EXPECT_EQ(run.state.handovers, handovers);
  EXPECT_EQ(run.state.startedCallSteps, callSteps);
}

TEST(Step, UntickedSeedDoesNotRestartTheRun) {
  TestRun run;
  run.SetUp();
  run.Steps(30);
  const auto first = run.window.log;
  run.window.controls.reseed = false;
  run.SetUp();
  run.Steps(30);
  EXPECT_NE(run.window.log, first);
}

TEST(Step, EveryRunKeepsItsBookkeepingConsistent) {
  struct Case {
    int n, m, c, p;
    const char* mean;
    const char* deviation;
  };
  for (Case k : {Case{2, 1, 10, 100, "5", "0.01"}, Case{3, 500, 10, 60, "8", "3"},
                 Case{16, 5000, 20, 100, "20", "6"}, Case{7, 2000, 10, 40, "0.5", "2"}}) {
    SimControls c{
        .gridSide = k.n,
        .subscriberCount = k.m,
        .channelsPerCell = k.c,
        .callPercent = k.p,
        .meanText = k.mean,
        .deviationText = k.deviation,
    };
    TestRun run(c);
    run.SetUp();
    for (int step = 0; step < 40; ++step) {
      run.Steps(1);
      const auto& subs = run.state.cellSubscribers;
      EXPECT_EQ(std::accumulate(subs.begin(), subs.end(), 0), k.m);
      EXPECT_LE(run.state.runningCalls, k.m);
      EXPECT_LE(run.state.runningCalls, k.c * k.n * k.n + k.m);
      for (const Subscriber& s : run.state.subscribers) {
        ASSERT_GE(s.callStepsLeft, 0);
        ASSERT_TRUE(s.column >= 0 && s.column < k.n && s.row >= 0 && s.row < k.n);
      }
    }
  }
}

}  // namespace

}  // namespace vadidazid
