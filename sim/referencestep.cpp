// The straightforward step: every phase a plain loop over the subscribers, the moves
// drawn one subscriber after another and applied with a switch, and the offer order
// shuffled one UniformInt at a time. Written for clarity, not speed; keep it unchanged.
#include "sim/referencestep.h"

#include <stdexcept>

#include "random/runtimerandom.h"
#include "sim/cellgrid.h"
#include "sim/report.h"
#include "sim/step.h"

namespace vadidazid {

void ReferenceVariates::Refill() {
  if (stateUsed_ >= kStateSize) {
    for (int k = 0; k < kStateSize; ++k) {
      const uint32_t y = (state_[k] & 0x80000000u) | (state_[(k + 1) % kStateSize] & 0x7FFFFFFFu);
      state_[k] = state_[(k + 397) % kStateSize] ^ (y >> 1) ^ ((y & 1u) ? 0x9908B0DFu : 0u);
    }
    stateUsed_ = 0;
  }
  Supply(Temper(state_[stateUsed_++]));
}

void ReferenceStartNewCalls(SimulationState& s) {
  RandomVariates& g = *s.generator;
  const int32_t m = s.subscriberCount;
  const int32_t idle = m - s.runningCalls;
  const double mean = s.callPercent * 0.01 * idle;
  int32_t wanted = g.PoissonVariate(mean);
  while (wanted > idle) wanted = g.PoissonVariate(mean);

  int32_t* order = s.offerOrder.data();
  for (int32_t i = 0; i < m; ++i) order[i] = i;
  for (int32_t i = 0; i < m - 1; ++i) {
    const int32_t j = g.UniformInt(i, m - 1);
    const int32_t t = order[i];
    order[i] = order[j];
    order[j] = t;
  }

  int32_t started = 0;
  s.newCallSteps = 0;
  s.fullCellOffers = 0;
  s.zeroCalls = 0;
  CellCounts& cells = s.cellCounts;
  cells.Fit(s.gridSide * s.gridSide);
  for (int32_t i = 0; i < m && started != wanted; ++i) {
    Subscriber& sub = s.subscribers[order[i]];
    if (sub.callStepsLeft != 0) continue;
    const int32_t k = sub.row * s.gridSide + sub.column;
    int32_t& busy = s.cellCalls[k];
    if (busy >= s.channelsPerCell) {
      ++s.fullCellOffers;
      if (cells.kept) ++cells.fullCellOffers[k];
      continue;
    }
    int32_t duration;
    do {
      duration = DurationFromDraw(g.NormalVariate(s.callMean, s.callDeviation));
    } while (duration < 0);
    sub.callStepsLeft = duration;
    s.newCallSteps += duration;
    s.startedCallSteps += duration;
    ++busy;
    ++started;
    ++s.newCalls;
    if (duration == 0) ++s.zeroCalls;
    if (cells.kept) {
      ++cells.started[k];
      cells.zeroCalls[k] += duration == 0;
    }
  }
  s.blockedCalls = wanted - started;
  s.startedCalls = started;
}

void ReferenceRecountCells(SimulationState& s) {
  for (int32_t& v : s.cellSubscribers) v = 0;
  for (int32_t& v : s.cellCalls) v = 0;
  const int32_t n = s.gridSide;
  int32_t largest = 0;
  int32_t running = 0;
  for (const Subscriber& sub : s.subscribers) {
    const int32_t k = sub.row * n + sub.column;
    const int32_t here = ++s.cellSubscribers[k];
    if (sub.callStepsLeft > 0) {
      ++s.cellCalls[k];
      ++running;
    }
    if (here > largest) largest = here;
  }
  s.maxCellSubscribers = largest;
  s.runningCalls = running;
}

namespace {

int32_t WrapStep(int32_t x, int32_t n, int32_t delta) { return (x + n + delta) % n; }

}  // namespace

void ReferenceMoveSubscriber(SimulationState& s, int32_t index) {
  RuntimeRandom& moves = *s.moves;
  const int32_t a = RandomBelow(moves, 2);
  const int32_t b = RandomBelow(moves, 7);
  if (a != 1 || b == 6) return;

  const int32_t n = s.gridSide;
  Subscriber& sub = s.subscribers[index];
  const int32_t old = sub.row * n + sub.column;
  switch (b) {
    case 0:
      sub.column = WrapStep(sub.column, n, +1);
      break;
    case 1:
      sub.column = WrapStep(sub.column, n, -1);
      break;
    case 2:
      sub.row = WrapStep(sub.row, n, +1);
      break;
    case 3:
      sub.row = WrapStep(sub.row, n, -1);
      break;
    default:
      // Diagonal moves: the row changes first and the new row's parity picks the column.
      sub.row = WrapStep(sub.row, n, b == 4 ? +1 : -1);
      sub.column = WrapStep(sub.column, n, sub.row % 2 == 0 ? +1 : -1);
      break;
  }
  const int32_t now = sub.row * n + sub.column;
  --s.cellSubscribers[old];
  ++s.cellSubscribers[now];
  if (sub.callStepsLeft <= 0) return;

  // Hand-over. A call in its last step is carried even into a full cell.
  ++s.handedOverCalls;
  ++s.handovers;
  CellCounts& cells = s.cellCounts;
  if (cells.kept) {
    ++cells.handoversOut[old];
    ++cells.handoversIn[now];
  }
  --s.cellCalls[old];
  if (s.cellCalls[now] == s.channelsPerCell && sub.callStepsLeft != 1) {
    sub.callStepsLeft = 0;
    ++s.droppedCalls;
    if (cells.kept) ++cells.dropped[now];
  } else {
    ++s.cellCalls[now];
  }
}

void ReferenceCountDownCalls(SimulationState& s) {
  for (Subscriber& sub : s.subscribers) {
    if (sub.callStepsLeft > 0) {
      if (sub.callStepsLeft == 1) ++s.endedCalls;
      --sub.callStepsLeft;
    }
  }
}

void ReferenceStep(SimulationState& s, const SimPorts& ports) {
  if (!s.IsSetUp()) throw std::logic_error("ReferenceStep before SetUpSimulation");
  ReferenceStartNewCalls(s);
  ReferenceRecountCells(s);
  ReportStep(s, ports);
  for (int32_t i = 0; i < s.subscriberCount; ++i) ReferenceMoveSubscriber(s, i);
  ReferenceCountDownCalls(s);
  ReportStepCounts(s, ports);
  ++s.stepCounter;
}

}  // namespace vadidazid
