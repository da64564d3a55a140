// Run control: the set-up, Start / Stop, the step and the timer's end of a run.
#include "sim/runcontrol.h"

#include "sim/cellgrid.h"
#include "sim/setup.h"
#include "sim/step.h"

namespace vadidazid {

void RunControl::SetUp() { SetUpSimulation(state_, ports_); }

void RunControl::StartStop(StepTimer& timer) {
  if (state_.stepCounter == 0) {
    SetUp();
    // The set-up leaves the cells uncounted; the picture of the fresh run needs them.
    RecountCells(state_);
    if (ports_.cells != nullptr) ShowCellGrid(state_, *ports_.cells);
    timer.SetInterval(TimerInterval());
  }
  // Once the summary step is due, Start / Stop neither pauses nor resumes.
  if (state_.stepCounter < state_.stepLimit) timer.SetRunning(!timer.Running());
}

void RunControl::Step() { SimulationStep(state_, ports_); }

void RunControl::Tick(StepTimer& timer) {
  Step();
  if (TimedRunOver()) timer.SetRunning(false);
}

void RunControl::RunToEnd() {
  while (!TimedRunOver()) Step();
}

}  // namespace vadidazid
