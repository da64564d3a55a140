// The step's report, read off the state's counters.
#include "sim/stepreport.h"

#include "sim/simulationstate.h"

StepReport ReportOf(const SimulationState& s) {
  StepReport r;
  r.step = s.stepCounter + 1;
  r.newCalls = {s.newCalls, s.blockedCalls, s.newCallSteps};
  r.recount = {s.runningCalls, s.maxCellSubscribers};
  r.moves = {s.handedOverCalls, s.droppedCalls};
  r.countdown = {s.endedCalls};
  return r;
}
