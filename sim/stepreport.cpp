// The step's report, read off the state's counters.
#include "sim/stepreport.h"

#include "sim/simulationstate.h"

namespace vadidazid {

StepReport ReportOf(const SimulationState& s) {
  StepReport r;
  r.step = s.stepCounter + 1;
  r.newCalls = {s.startedCalls, s.blockedCalls, s.fullCellOffers, s.newCallSteps};
  r.recount = {s.runningCalls, s.maxCellSubscribers};
  r.moves = {s.handedOverCalls, s.droppedCalls};
  r.countdown = {s.endedCalls};
  const CellCounts& c = s.cellCounts;
  if (c.kept) {
    r.cells = {c.fullCellOffers, c.started,     c.dropped, c.handoversIn,
               c.handoversOut,   c.subscribers, c.calls};
  }
  return r;
}

}  // namespace vadidazid
