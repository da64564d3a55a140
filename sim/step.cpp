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
  int32_t started = 0;
  for (int32_t i = 0; i < m && started != wanted; ++i) {
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
    ++busy;
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
    if (sub.callStepsLeft > 0) {
      ++cellCalls[k];
      ++running;
    }
    if (here > largest) largest = here;
  }
  s.maxCellSubscribers = largest;
  s.runningCalls = running;
}

namespace {

inline int32_t Wrap(int32_t x, int32_t n, int32_t delta) { return (x + n + delta) % n; }

}  // namespace

void MoveSubscriber(SimulationState& s, int32_t index) {
  RuntimeRandom& moves = *s.moves;
  const int32_t a = RandomBelow(moves, 2);
  const int32_t b = RandomBelow(moves, 7);
  if (a != 1 || b == 6) return;

  const int32_t n = s.gridSide;
  Subscriber& sub = s.subscribers[index];
  const int32_t old = sub.row * n + sub.column;
  switch (b) {
    case 0: sub.column = Wrap(sub.column, n, +1); break;
    case 1: sub.column = Wrap(sub.column, n, -1); break;
    case 2: sub.row = Wrap(sub.row, n, +1); break;
    case 3: sub.row = Wrap(sub.row, n, -1); break;
    default:
      // Diagonal moves: the row changes first and the new row's parity picks the column.
      sub.row = Wrap(sub.row, n, b == 4 ? +1 : -1);
      sub.column = Wrap(sub.column, n, sub.row % 2 == 0 ? +1 : -1);
      break;
  }
  const int32_t now = sub.row * n + sub.column;
  --s.cellSubscribers[old];
  ++s.cellSubscribers[now];
  if (sub.callStepsLeft <= 0) return;

  // Hand-over. A call in its last step is carried even into a full cell.
  --s.cellCalls[old];
  if (s.cellCalls[now] == s.channelsPerCell && sub.callStepsLeft != 1) {
    sub.callStepsLeft = 0;
    ++s.droppedCalls;
  } else {
    ++s.cellCalls[now];
  }
}

void MoveSubscribers(SimulationState& s) {
  for (int32_t i = 0; i < s.subscriberCount; ++i) MoveSubscriber(s, i);
}

void CountDownCalls(SimulationState& s) {
  for (Subscriber& sub : s.subscribers) {
    if (sub.callStepsLeft > 0) {
      if (sub.callStepsLeft == 1) ++s.endedCalls;
      --sub.callStepsLeft;
    }
  }
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
