// One step of the simulation.
//
// Channel bookkeeping: cellCalls is exact right after a recount. Between recounts only
// the new-call phase (adding the calls it starts) and the move phase (moving or
// dropping calls) change it; a call that ends keeps its channel until the next recount.
#include "sim/step.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "random/randomvariates.h"
#include "random/runtimerandom.h"
#include "sim/cellgrid.h"
#include "sim/report.h"

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
    s.startedCallSteps += duration;  // experiment counter: mean duration of started calls
    if (++busy == channels) --freeCells;
    ++started;
    ++s.newCalls;
  }
  // Experiment counter: the drawn calls that found no place. The walk above stops only
  // once it has started them all or no cell has a free channel left.
  s.blockedCalls = wanted - started;
}

void RecountCells(SimulationState& s) {
  std::fill(s.cellSubscribers.begin(), s.cellSubscribers.end(), 0);
  std::fill(s.cellCalls.begin(), s.cellCalls.end(), 0);
  int32_t* cellSubs = s.cellSubscribers.data();
  int32_t* cellCalls = s.cellCalls.data();
  const int32_t n = s.gridSide;
  int32_t running = 0;
  for (const Subscriber& sub : s.subscribers) {
    const int32_t k = sub.row * n + sub.column;
    const int32_t inCall = sub.callStepsLeft > 0;
    ++cellSubs[k];
    cellCalls[k] += inCall;
    running += inCall;
  }
  // The largest count reached during the walk is the largest final count.
  s.maxCellSubscribers = *std::max_element(s.cellSubscribers.begin(), s.cellSubscribers.end());
  s.runningCalls = running;
}

namespace {

// Row and column steps of the six directions and of staying (6). Directions 4 and 5
// change the row and then pick the column by the new row's parity.
constexpr int32_t kRowStep[7] = {0, 0, +1, -1, +1, -1, 0};
constexpr int32_t kColumnStep[7] = {+1, -1, 0, 0, 0, 0, 0};
constexpr int32_t kDiagonal[7] = {0, 0, 0, 0, 1, 1, 0};
constexpr int32_t kStay = 6;

// x + delta taken into 0 .. n-1, for x in 0 .. n-1 and delta in -1 .. +1.
int32_t Wrap(int32_t x, int32_t n) {
  x += n & -int32_t(x < 0);
  x -= n & -int32_t(x >= n);
  return x;
}

// The choice of a = RandomBelow(2) and b = RandomBelow(7): direction b when a is 1,
// else staying. Computed without branches: which way a subscriber goes is a coin toss
// the processor cannot predict.
inline int32_t Direction(int32_t a, int32_t b) {
  const int32_t go = int32_t(a == 1) & int32_t(b != kStay);
  return kStay + go * (b - kStay);
}

// Where each of the seven choices leads from each cell, worked out once per move phase
// so that the walk over the subscribers only looks it up.
class MoveTable {
 public:
  explicit MoveTable(int32_t n) : target_(size_t(n) * n * 7), row_(n * n), column_(n * n) {
    for (int32_t r = 0; r < n; ++r) {
      for (int32_t c = 0; c < n; ++c) {
        const int32_t k = r * n + c;
        row_[k] = r;
        column_[k] = c;
        for (int32_t d = 0; d < 7; ++d) {
          const int32_t nr = Wrap(r + kRowStep[d], n);
          const int32_t nc = Wrap(c + kColumnStep[d] + kDiagonal[d] * (1 - 2 * (nr & 1)), n);
          target_[k * 7 + d] = nr * n + nc;
        }
      }
    }
  }
  int32_t Target(int32_t cell, int32_t direction) const { return target_[cell * 7 + direction]; }
  int32_t Row(int32_t cell) const { return row_[cell]; }
  int32_t Column(int32_t cell) const { return column_[cell]; }

 private:
  std::vector<int32_t> target_;
  std::vector<int32_t> row_;
  std::vector<int32_t> column_;
};

inline void ApplyMove(SimulationState& s, Subscriber& sub, const MoveTable& table,
                      int32_t direction) {
  const int32_t old = sub.row * s.gridSide + sub.column;
  const int32_t now = table.Target(old, direction);
  sub.row = table.Row(now);
  sub.column = table.Column(now);
  // Staying leaves the two counts as they were.
  --s.cellSubscribers[old];
  ++s.cellSubscribers[now];
  if ((int32_t(direction != kStay) & int32_t(sub.callStepsLeft > 0)) == 0) return;

  // Hand-over. A call in its last step is carried even into a full cell.
  ++s.handovers;  // experiment counter: dropped calls were handed over too
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
  ApplyMove(s, s.subscribers[index], MoveTable(s.gridSide), Direction(a, b));
}

void MoveSubscribers(SimulationState& s) {
  RuntimeRandom& moves = *s.moves;
  const MoveTable table(s.gridSide);
  for (Subscriber& sub : s.subscribers) {
    const int32_t a = RandomBelow(moves, 2);
    const int32_t b = RandomBelow(moves, 7);
    ApplyMove(s, sub, table, Direction(a, b));
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
