// One step of the simulation.
//
// Channel bookkeeping: cellCalls is exact right after a recount. Between recounts only
// the new-call phase (adding the calls it starts) and the move phase (moving or
// dropping calls) change it; a call that ends keeps its channel until the next recount.
// Once a recount has been made, the step keeps per cell the channels so freed (ended
// calls and calls of no steps) and subtracts them instead of recounting over all
// subscribers; a caller that counts down on its own gets a full recount next step.
//
// The results are those of the plain form in sim/referencestep.cpp, which the
// differential test compares after every step; this form is arranged for speed:
// - the offer order is worked out only as far as the offer walk reads it, while the
//   generator moves past the whole shuffle's words at once;
// - a first pass over a chunk of subscribers (sim/movedraw.cpp, with vector code where
//   the processor has it) draws their moves, counts their calls down and lists those
//   that move, idle ones and those in a call apart; a second pass moves only those,
//   while the chunk is still in the cache: the idle ones without the hand-over's
//   bookkeeping, then those in a call in index order. The countdown may come first
//   because a subscriber's move reads only its own steps left, and the list notes the
//   one case the countdown hides (a call in its last step, now at 0);
// - cell indices come from a table built once per grid side.
#include "sim/step.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "random/lazyshuffle.h"
#include "random/randomvariates.h"
#include "random/runtimerandom.h"
#include "sim/cellgrid.h"
#include "sim/movedraw.h"
#include "sim/report.h"

namespace vadidazid {

int32_t DurationFromDraw(double draw) {
  if (draw >= 2147483647.0) return std::numeric_limits<int32_t>::max();
  if (draw <= -1.0) return -1;
  return static_cast<int32_t>(draw);
}

namespace {

// The offer walk goes through the order in blocks of this many positions, each worked
// out by the shuffle a block ahead, while the subscribers' records of the next block
// are fetched: the walk visits the records in random order, and each visit would
// otherwise wait for memory. Small enough that a walk that stops early works out little
// it does not read.
constexpr int32_t kBlock = 64;
// Below this many subscribers their records stay in the processor's caches, and working
// out a block of the order early to fetch them costs more than it saves.
constexpr int32_t kFetchAheadFrom = 8192;
// What a position of the offer order holds for the walk: a subscriber in a call, one
// idle in a full cell, one idle in a cell with a free channel.
constexpr int32_t kFullCell = 1;
constexpr int32_t kFreeChannel = kFullCell + 1;

#if defined(__GNUC__)
#define VADIDAZID_NOINLINE __attribute__((noinline))
#else
#define VADIDAZID_NOINLINE
#endif

inline void Prefetch(const void* address) {
#if defined(__GNUC__)
  __builtin_prefetch(address);
#else
  (void)address;
#endif
}

struct WalkCounts {
  int32_t started = 0;
  int32_t fullOffers = 0;
  int32_t zeroCalls = 0;
  int64_t callSteps = 0;
};

// A started call's duration. Out of the walk's loop, which mostly passes subscribers
// over: the loop then keeps its values in registers. The set-up refuses a mean and
// deviation for which this loop would take too long.
VADIDAZID_NOINLINE int32_t DrawDuration(RandomVariates& g, double mean, double deviation) {
  int32_t duration;
  do {
    duration = DurationFromDraw(g.NormalVariate(mean, deviation));
  } while (duration < 0);
  return duration;
}

// The offer walk over the order as the shuffle works it out; with kPerCell the per-cell
// counts too. It stops once `wanted` calls are started or no cell has a free channel
// (passed-over subscribers draw nothing, so the rest of the walk could not start a call).
template <bool kPerCell>
WalkCounts WalkOffers(SimulationState& s, LazyShuffle& shuffle, int32_t wanted, int32_t freeCells) {
  WalkCounts c;
  if (wanted == 0 || freeCells == 0) return c;
  RandomVariates& g = *s.generator;
  const int32_t m = s.subscriberCount;
  const int32_t* order = s.offerOrder.data();
  Subscriber* subs = s.subscribers.data();
  int32_t* cellCalls = s.cellCalls.data();
  int32_t* freed = s.cellChannelsFreed.data();
  CellCounts& cells = s.cellCounts;
  const int32_t n = s.gridSide;
  const int32_t channels = s.channelsPerCell;
  // A block at a time: first, for each position, the subscriber's cell and whether it
  // is idle with its cell full or idle with a free channel, with loads that do not wait
  // on one another; then the offers, where only the second kind needs a branch. The
  // first pass may read ahead of the offers: a subscriber's record changes only at its
  // own offer, each subscriber comes once in the order, and a full cell stays full while
  // calls only start. A cell with a free channel may fill up within the block, which the
  // offer checks again.
  int32_t cellOf[kBlock];
  uint8_t kind[kBlock];
  const bool fetchAhead = m >= kFetchAheadFrom;
  int32_t* cellFull = cells.fullCellOffers.data();
  for (int32_t lo = 0; lo < m; lo += kBlock) {
    const int32_t size = std::min(kBlock, m - lo);
    const int32_t* block = order + lo;
    shuffle.Reveal(lo + size + (fetchAhead ? kBlock : 0));
    const int32_t ahead = fetchAhead ? std::min(kBlock, std::max(0, m - lo - kBlock)) : 0;
    for (int32_t t = 0; t < ahead; ++t) Prefetch(&subs[block[kBlock + t]]);
    for (int32_t t = 0; t < size; ++t) {
      const Subscriber& sub = subs[block[t]];
      const int32_t k = sub.row * n + sub.column;
      const int32_t idle = sub.callStepsLeft == 0;
      const int32_t full = cellCalls[k] >= channels;
      cellOf[t] = k;
      kind[t] = uint8_t(idle * (kFreeChannel - full));  // arithmetic: no branch to mispredict
    }
    for (int32_t t = 0; t < size; ++t) {
      const int32_t k = cellOf[t];
      const int32_t passed = kind[t] == kFullCell;
      c.fullOffers += passed;
      if constexpr (kPerCell) cellFull[k] += passed;
      if (kind[t] != kFreeChannel) continue;
      int32_t& busy = cellCalls[k];
      if (busy >= channels) {
        ++c.fullOffers;
        if constexpr (kPerCell) ++cellFull[k];
        continue;
      }
      Subscriber& sub = subs[block[t]];
      const int32_t duration = DrawDuration(g, s.callMean, s.callDeviation);
      sub.callStepsLeft = duration;
      c.callSteps += duration;  // for the experiments' offered load
      ++c.started;
      c.zeroCalls += duration == 0;
      freed[k] += duration == 0;  // the call holds its channel only until the recount
      if constexpr (kPerCell) {
        ++cells.started[k];
        cells.zeroCalls[k] += duration == 0;
      }
      if (++busy == channels) --freeCells;
      if (c.started == wanted || freeCells == 0) return c;
    }
  }
  return c;
}

}  // namespace

void StartNewCalls(SimulationState& s) {
  RandomVariates& g = *s.generator;
  const int32_t m = s.subscriberCount;
  const int32_t idle = m - s.runningCalls;
  const double mean = s.callPercent * 0.01 * idle;
  int32_t wanted = g.PoissonVariate(mean);
  while (wanted > idle) wanted = g.PoissonVariate(mean);

  // The order is worked out only as far as the walk reads it; the generator has already
  // moved past the words of the whole shuffle, so the calls' durations draw the words
  // they would draw after a full shuffle.
  LazyShuffle shuffle(g, s.offerOrder.data(), 0, m);

  if (s.cellChannelsFreed.size() != s.cellCalls.size()) {
    s.cellChannelsFreed.assign(s.cellCalls.size(), 0);
    s.cellsCurrent = false;
  }
  s.cellCounts.Fit(s.gridSide * s.gridSide);
  int32_t freeCells = 0;
  for (int32_t busy : s.cellCalls) freeCells += busy < s.channelsPerCell;
  const WalkCounts c = s.cellCounts.kept ? WalkOffers<true>(s, shuffle, wanted, freeCells)
                                         : WalkOffers<false>(s, shuffle, wanted, freeCells);
  s.newCalls += c.started;
  // Drawn calls that found no idle subscriber in a cell with a free channel.
  s.blockedCalls = wanted - c.started;
  s.startedCalls = c.started;
  s.zeroCalls = c.zeroCalls;
  // When calls are blocked the walk may have stopped before the end of the order; the
  // recount completes the full-cell offers then.
  s.fullCellOffers = c.fullOffers;
  s.newCallSteps = c.callSteps;
  s.startedCallSteps += c.callSteps;
}

namespace {

// With calls blocked, the model's walk goes through the whole offer order, and every
// subscriber idle at its start either starts a call or is passed over for a full cell.
// The walk above stops once no cell has a free channel (the rest would all be passed
// over), so the full-cell offers are counted from the recount instead: the idle
// subscribers after the walk, less those whose call got no steps.
void CompleteFullCellOffers(SimulationState& s) {
  s.fullCellOffers = s.subscriberCount - s.runningCalls - s.zeroCalls;
  CellCounts& cells = s.cellCounts;
  const size_t count = std::min(cells.fullCellOffers.size(), s.cellSubscribers.size());
  for (size_t k = 0; k < count; ++k) {
    cells.fullCellOffers[k] = s.cellSubscribers[k] - s.cellCalls[k] - cells.zeroCalls[k];
  }
}

}  // namespace

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
  if (s.blockedCalls > 0) CompleteFullCellOffers(s);
  s.cellChannelsFreed.assign(s.cellCalls.size(), 0);
  s.cellsCurrent = true;
}

namespace {

// The recount's results without a pass over the subscribers: their counts per cell move
// with them, and the calls per cell less the channels freed since the last recount are
// the calls running now.
void BringCellsUpToDate(SimulationState& s) {
  int32_t* cellCalls = s.cellCalls.data();
  int32_t* freed = s.cellChannelsFreed.data();
  const size_t cells = s.cellCalls.size();
  int32_t running = 0;
  for (size_t k = 0; k < cells; ++k) {
    cellCalls[k] -= freed[k];
    freed[k] = 0;
    running += cellCalls[k];
  }
  s.maxCellSubscribers = *std::max_element(s.cellSubscribers.begin(), s.cellSubscribers.end());
  s.runningCalls = running;
  if (s.blockedCalls > 0) CompleteFullCellOffers(s);
}

}  // namespace

namespace {

constexpr int32_t kStay = 6;

// Row and column steps of the six directions and of staying. Directions 4 and 5 change
// the row and then pick the column by the new row's parity.
constexpr int32_t kRowStep[7] = {0, 0, +1, -1, +1, -1, 0};
constexpr int32_t kColumnStep[7] = {+1, -1, 0, 0, 0, 0, 0};
constexpr int32_t kDiagonal[7] = {0, 0, 0, 0, 1, 1, 0};

// x taken into 0 .. n-1, for x in -1 .. n.
int32_t Wrap(int32_t x, int32_t n) { return (x + n) % n; }

int32_t Key(const Subscriber& sub) { return sub.row * MoveTable::kLargestSide + sub.column; }

const MoveTable& MovesFor(SimulationState& s) {
  MoveTable& t = s.moveTable;
  const int32_t n = s.gridSide;
  if (t.gridSide == n) return t;
  if (n < 1 || n > MoveTable::kLargestSide) throw std::logic_error("grid side out of range");
  for (int32_t r = 0; r < n; ++r) {
    for (int32_t c = 0; c < n; ++c) {
      const int32_t key = r * MoveTable::kLargestSide + c;
      t.cell[key] = static_cast<uint8_t>(r * n + c);
      for (int32_t d = 0; d < 7; ++d) {
        const int32_t nr = Wrap(r + kRowStep[d], n);
        const int32_t nc = Wrap(c + kColumnStep[d] + kDiagonal[d] * (1 - 2 * (nr & 1)), n);
        t.target[key][d] = {uint8_t(nc), uint8_t(nr), uint8_t(nr * n + nc), 0};
      }
    }
  }
  t.gridSide = n;
  return t;
}

// The move phase's view of the state, held in locals: stores through the cell arrays
// could otherwise alias the state's counters, which would then be reloaded and stored
// again on every move.
struct Mover {
  const MoveTable& table;
  int32_t* cellSubs;
  int32_t* cellCalls;
  int32_t channels;
  int32_t dropped = 0;
  int32_t handovers = 0;  // calls that moved cell, the dropped ones included
  // Per cell, when kept: calls that arrived (dropped ones included), left, were dropped.
  int32_t* cellIn;
  int32_t* cellOut;
  int32_t* cellDropped;

  explicit Mover(SimulationState& s)
      : table(MovesFor(s)),
        cellSubs(s.cellSubscribers.data()),
        cellCalls(s.cellCalls.data()),
        channels(s.channelsPerCell),
        cellIn(s.cellCounts.handoversIn.data()),
        cellOut(s.cellCounts.handoversOut.data()),
        cellDropped(s.cellCounts.dropped.data()) {}

  // Moves an idle subscriber in direction 0 .. 5.
  void Relocate(Subscriber& sub, int32_t direction) {
    const int32_t key = Key(sub);
    const MoveTable::Target to = table.target[key][direction];
    --cellSubs[table.cell[key]];
    ++cellSubs[to.cell];
    sub.row = to.row;
    sub.column = to.column;
  }

  // Moves a subscriber that goes in direction 0 .. 5, with hand-over and dropping.
  // inCall and lastStep describe its call as it was before any countdown of this step;
  // a call the countdown has ended takes its channel noted in `freed` along (ended 1).
  // Branch-free: whether a subscriber is in a call is as unpredictable as its move.
  // kCells: count per cell too.
  template <bool kCells>
  void Move(Subscriber& sub, int32_t direction, int32_t inCall, int32_t lastStep,
            int32_t* freed = nullptr, int32_t ended = 0) {
    const int32_t key = Key(sub);
    const MoveTable::Target to = table.target[key][direction];
    const int32_t old = table.cell[key];
    if (freed != nullptr) {  // without a branch on ended, which is as likely as a call's end
      freed[old] -= ended;
      freed[to.cell] += ended;
    }
    sub.row = to.row;
    sub.column = to.column;
    --cellSubs[old];
    ++cellSubs[to.cell];
    // Hand-over. A call in its last step is carried even into a full cell.
    cellCalls[old] -= inCall;
    const int32_t drop = inCall & int32_t(cellCalls[to.cell] == channels) & (1 - lastStep);
    sub.callStepsLeft &= drop - 1;
    dropped += drop;
    handovers += inCall;
    cellCalls[to.cell] += inCall & (1 - drop);
    if constexpr (kCells) {
      cellOut[old] += inCall;
      cellIn[to.cell] += inCall;
      cellDropped[to.cell] += drop;
    }
  }
};

// The move phase, and with kCountDown the countdown too; with kCells the per-cell counts.
template <bool kCountDown, bool kCells>
void MoveAll(SimulationState& s) {
  Mover mover(s);
  const int32_t m = static_cast<int32_t>(s.subscribers.size());
  Subscriber* subs = s.subscribers.data();
  uint64_t state = s.moves->state();
  int32_t ended = 0;
  int32_t* freed = s.cellChannelsFreed.data();
  const MoveTable& table = mover.table;
  // The chunk's movers in a call, and its idle ones.
  uint32_t calls[kMoveChunk + kMoveListSlack], idle[kMoveChunk + kMoveListSlack];

  for (int32_t lo = 0; lo < m; lo += kMoveChunk) {
    const MoveDraws draws{subs + lo, std::min(kMoveChunk, m - lo), kCountDown, freed, table.cell};
    const MoverLists ends = DrawMoves(draws, state, {calls, idle}, ended);
    // The listed subscribers while the chunk is still in the cache; those in a call in
    // index order.
    for (const uint32_t* item = idle; item != ends.idle; ++item) {
      mover.Relocate(draws.chunk[*item >> kMoveIndexShift],
                     int32_t(*item >> kMoveDirectionShift) & 7);
    }
    for (const uint32_t* item = calls; item != ends.calls; ++item) {
      Subscriber& sub = draws.chunk[*item >> kMoveIndexShift];
      const int32_t direction = int32_t(*item >> kMoveDirectionShift) & 7;
      if constexpr (kCountDown) {
        const int32_t last = int32_t(*item & 1u);
        mover.Move<kCells>(sub, direction, 1, last, freed, last);
      } else {
        mover.Move<kCells>(sub, direction, 1, int32_t(sub.callStepsLeft == 1));
      }
    }
  }
  s.moves->SetState(state);
  s.droppedCalls += mover.dropped;
  s.handedOverCalls += mover.handovers;
  s.handovers += mover.handovers;
  s.endedCalls += ended;
}

}  // namespace

void MoveSubscriber(SimulationState& s, int32_t index) {
  RuntimeRandom& moves = *s.moves;
  const int32_t a = RandomBelow(moves, 2);
  const int32_t b = RandomBelow(moves, 7);
  if (a != 1 || b == kStay) return;
  Subscriber& sub = s.subscribers[index];
  Mover mover(s);
  const int32_t inCall = sub.callStepsLeft > 0, lastStep = sub.callStepsLeft == 1;
  if (s.cellCounts.kept) {
    mover.Move<true>(sub, b, inCall, lastStep);
  } else {
    mover.Move<false>(sub, b, inCall, lastStep);
  }
  s.droppedCalls += mover.dropped;
  s.handedOverCalls += mover.handovers;
  s.handovers += mover.handovers;
}

void MoveSubscribers(SimulationState& s) {
  if (s.cellCounts.kept) {
    MoveAll<false, true>(s);
  } else {
    MoveAll<false, false>(s);
  }
}

void CountDownCalls(SimulationState& s) {
  int32_t ended = 0;
  for (Subscriber& sub : s.subscribers) {
    ended += sub.callStepsLeft == 1;
    sub.callStepsLeft -= sub.callStepsLeft > 0;
  }
  s.endedCalls += ended;
  // The calls that ended are not noted per cell here: the next step recounts.
  s.cellsCurrent = false;
}

void SimulationStep(SimulationState& s, const SimPorts& ports) {
  if (!s.IsSetUp()) throw std::logic_error("SimulationStep before SetUpSimulation");
  StartNewCalls(s);
  if (s.cellsCurrent) {
    BringCellsUpToDate(s);
  } else {
    RecountCells(s);
  }
  ReportStep(s, ports);
  // Moves and countdown in one pass over the subscribers.
  if (s.cellCounts.kept) {
    MoveAll<true, true>(s);
  } else {
    MoveAll<true, false>(s);
  }
  ReportStepCounts(s, ports);
  ++s.stepCounter;
}

}  // namespace vadidazid
