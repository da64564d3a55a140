// One step of the simulation.
//
// Channel bookkeeping: cellCalls is exact right after a recount. Between recounts only
// the new-call phase (adding the calls it starts) and the move phase (moving or
// dropping calls) change it; a call that ends keeps its channel until the next recount.
#include "sim/step.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "random/randomvariates.h"
#include "random/runtimerandom.h"
#include "sim/cellgrid.h"
#include "sim/report.h"

int32_t RandomBelow(RuntimeRandom& moves, int32_t n) {
  const int32_t r = moves.Next();
  return n == 0 ? 0 : r % n;
}

int32_t DurationFromDraw(double draw) {
  if (draw >= 2147483647.0) return std::numeric_limits<int32_t>::max();
  if (draw <= -1.0) return -1;
  return static_cast<int32_t>(draw);
}

void StartNewCalls(SimulationState& s) {
  RandomVariates& g = *s.generator;
  const int32_t m = s.subscriberCount;
  const int32_t idle = m - s.runningCalls;
  const double mean = s.callPercent * 0.01 * idle;
  int32_t wanted = g.PoissonVariate(mean);
  while (wanted > idle) wanted = g.PoissonVariate(mean);

  int32_t* order = s.offerOrder.data();
  g.FillShuffled(order, 0, m);

  const int32_t n = s.gridSide;
  const int32_t channels = s.channelsPerCell;
  Subscriber* subs = s.subscribers.data();
  int32_t* cellCalls = s.cellCalls.data();
  // Passed-over subscribers draw nothing, so the walk may stop as soon as no cell has a
  // free channel left: the rest of it could not start a call.
  int32_t freeCells = 0;
  for (int32_t busy : s.cellCalls) freeCells += busy < channels;
  int32_t started = 0;
  for (int32_t i = 0; i < m && started != wanted && freeCells > 0; ++i) {
    Subscriber& sub = subs[order[i]];
    if (sub.callStepsLeft != 0) continue;
    int32_t& busy = cellCalls[sub.row * n + sub.column];
    if (busy >= channels) continue;
    // The set-up refuses a mean and deviation for which this loop could never end.
    int32_t duration;
    do {
      duration = DurationFromDraw(g.NormalVariate(s.callMean, s.callDeviation));
    } while (duration < 0);
    sub.callStepsLeft = duration;
    if (++busy == channels) --freeCells;
    ++started;
    ++s.newCalls;
  }
}

void RecountCells(SimulationState& s) {
  std::fill(s.cellSubscribers.begin(), s.cellSubscribers.end(), 0);
  std::fill(s.cellCalls.begin(), s.cellCalls.end(), 0);
  int32_t* cellSubs = s.cellSubscribers.data();
  int32_t* cellCalls = s.cellCalls.data();
  const int32_t n = s.gridSide;
  int32_t largest = 0;
  int32_t running = 0;
  for (const Subscriber& sub : s.subscribers) {
    const int32_t k = sub.row * n + sub.column;
    const int32_t here = ++cellSubs[k];
    const int32_t inCall = sub.callStepsLeft > 0;
    cellCalls[k] += inCall;
    running += inCall;
    largest = here > largest ? here : largest;
  }
  s.maxCellSubscribers = largest;
  s.runningCalls = running;
}

namespace {

// Row and column steps of the six directions and of staying (6). Directions 4 and 5
// change the row and then pick the column by the new row's parity.
constexpr int32_t kRowStep[7] = {0, 0, +1, -1, +1, -1, 0};
constexpr int32_t kColumnStep[7] = {+1, -1, 0, 0, 0, 0, 0};
constexpr int32_t kDiagonal[7] = {0, 0, 0, 0, 1, 1, 0};

// x + delta taken into 0 .. n-1, for x in 0 .. n-1 and delta in -1 .. +1.
inline int32_t Wrap(int32_t x, int32_t n) {
  x += n & -int32_t(x < 0);
  x -= n & -int32_t(x >= n);
  return x;
}

// Written without branches on the random numbers: which way a subscriber goes is a coin
// toss the processor cannot predict.
inline void Move(SimulationState& s, Subscriber& sub, int32_t a, int32_t b) {
  const int32_t n = s.gridSide;
  const int32_t direction = (a == 1 && b != 6) ? b : 6;
  const int32_t old = sub.row * n + sub.column;
  sub.row = Wrap(sub.row + kRowStep[direction], n);
  const int32_t diagonalStep = 1 - 2 * (sub.row & 1);
  sub.column = Wrap(sub.column + kColumnStep[direction] + kDiagonal[direction] * diagonalStep, n);
  const int32_t now = sub.row * n + sub.column;
  // Staying leaves the two counts as they were.
  --s.cellSubscribers[old];
  ++s.cellSubscribers[now];
  if ((direction == 6) | (sub.callStepsLeft <= 0)) return;

  // Hand-over. A call in its last step is carried even into a full cell.
  --s.cellCalls[old];
  if (s.cellCalls[now] == s.channelsPerCell && sub.callStepsLeft != 1) {
    sub.callStepsLeft = 0;
    ++s.droppedCalls;
  } else {
    ++s.cellCalls[now];
  }
}

}  // namespace

void MoveSubscriber(SimulationState& s, int32_t index) {
  RuntimeRandom& moves = *s.moves;
  const int32_t a = RandomBelow(moves, 2);
  const int32_t b = RandomBelow(moves, 7);
  Move(s, s.subscribers[index], a, b);
}

void MoveSubscribers(SimulationState& s) {
  RuntimeRandom& moves = *s.moves;
  for (Subscriber& sub : s.subscribers) {
    const int32_t a = moves.Next() % 2;
    const int32_t b = moves.Next() % 7;
    Move(s, sub, a, b);
  }
}

void CountDownCalls(SimulationState& s) {
  int32_t ended = 0;
  for (Subscriber& sub : s.subscribers) {
    ended += sub.callStepsLeft == 1;
    sub.callStepsLeft -= sub.callStepsLeft > 0;
  }
  s.endedCalls += ended;
}

void SimulationStep(SimulationState& s, SimWindow& window) {
  if (!s.IsSetUp()) throw std::logic_error("SimulationStep before SetUpSimulation");
  StartNewCalls(s);
  RecountCells(s);
  if (Canvas* canvas = window.GridCanvas()) {
    DrawCellGrid(s, *canvas);
    window.GridDrawn();
  }
  AppendLogLine(s, window);
  AddToTotals(s);
  FeedChart(s, window);
  if (s.stepCounter == s.stepLimit) WriteSummary(s, window);
  s.droppedCalls = 0;
  s.newCalls = 0;
  s.endedCalls = 0;
  MoveSubscribers(s);
  CountDownCalls(s);
  ++s.stepCounter;
}
