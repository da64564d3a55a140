// The derived figures of a run.
#include "study/runfigures.h"

#include "study/statistics.h"

namespace vadidazid {

namespace {

// Applies `op` to each count of `to` with the same count of `from`: the one list of the
// counts that adding and subtracting share.
template <typename Op>
void EachCount(PhaseCounts& to, const PhaseCounts& from, Op op) {
  op(to.attempts, from.attempts);
  op(to.blocked, from.blocked);
  op(to.started, from.started);
  op(to.fullCellOffers, from.fullCellOffers);
  op(to.dropped, from.dropped);
  op(to.handovers, from.handovers);
  op(to.ended, from.ended);
  op(to.callSteps, from.callSteps);
}

double Share(int64_t part, int64_t whole) {
  return whole > 0 ? double(part) / double(whole) : kNaN;
}

}  // namespace

PhaseCounts& PhaseCounts::operator+=(const PhaseCounts& other) {
  EachCount(*this, other, [](int64_t& a, int64_t b) { a += b; });
  return *this;
}

PhaseCounts& PhaseCounts::operator-=(const PhaseCounts& other) {
  EachCount(*this, other, [](int64_t& a, int64_t b) { a -= b; });
  return *this;
}

RunFigures FiguresOf(const RunCounts& c) {
  RunFigures f;
  const double measured = double(c.measuredSteps);
  const double capacity = double(c.channels) * c.gridSide * c.gridSide;
  const double cells = double(c.gridSide) * c.gridSide;
  f.meanLoadPercent = double(c.runningSum) / measured / capacity * 100;
  f.maxLoadPercent = c.runningMax / capacity * 100;
  f.blockingProbability = Share(c.blocked, c.attempts);
  f.callCongestion = Share(c.fullCellOffers, c.fullCellOffers + c.started);
  f.droppingProbability = Share(c.dropped, c.handovers);
  // The mean duration of the started calls; unknown when none started.
  const double holding = c.started > 0 ? double(c.callSteps) / double(c.started) : kNaN;
  // No call drawn offers no traffic; calls drawn but none started leave the holding
  // time, and so the load, unknown.
  f.offeredErlangsPerCell = c.attempts == 0 ? 0.0 : double(c.attempts) / measured / cells * holding;
  f.erlangB = ErlangB(f.offeredErlangsPerCell, c.channels);
  // Each idle subscriber starts a call with probability p / 100 per step, and holds it
  // for the mean duration: that many erlangs while idle.
  const double perIdle = c.callPercent == 0 ? 0.0 : c.callPercent / 100.0 * holding;
  f.engset = EngsetCallCongestion(double(c.subscribers) / cells, c.channels, perIdle);
  return f;
}

}  // namespace vadidazid
