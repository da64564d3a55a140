// The rules of a run in one place, for the window and the headless runner alike: set-up,
// Start / Stop with the step timer, one step, and when a timed run is over. A timed run
// from step 0 performs stepLimit + 1 steps: the last of them is the one that writes the
// summary.
#pragma once

#include <cstdint>

#include "sim/simports.h"
#include "sim/simulationstate.h"

namespace vadidazid {

// The periodic timer that steps a running simulation; the window provides it.
class StepTimer {
 public:
  virtual ~StepTimer() = default;
  virtual bool Running() const = 0;
  virtual void SetRunning(bool running) = 0;
  virtual void SetInterval(int milliseconds) = 0;
};

class RunControl {
 public:
  RunControl(SimulationState& state, const SimPorts& ports) : state_(state), ports_(ports) {}

  // Activation and Reset: a new run at step 0 with the parameters in the controls. The
  // timer is left as it is, so a Reset during a timed run goes on stepping the new run.
  void SetUp();
  // Start / Stop. At step 0 the run is set up again, its cells are shown and the timer
  // takes its interval from the run's speed; then, while the summary step is still
  // ahead, the timer is switched on or off.
  void StartStop(StepTimer& timer);
  // Krok: one step, allowed at any step count.
  void Step();
  // A tick of the timer: one step; the timer stops once the timed run is over.
  void Tick(StepTimer& timer);
  // Steps until the timed run is over, as an uninterrupted timer would.
  void RunToEnd();

  // Steps a timed run performs from step 0.
  int64_t TimedRunSteps() const { return int64_t(state_.stepLimit) + 1; }
  // The summary step is behind the run. A manual step can take the counter past the
  // end between two ticks, so this is no equality.
  bool TimedRunOver() const { return state_.stepCounter >= TimedRunSteps(); }
  // 1000 / stepsPerSecond ms, whole milliseconds.
  int TimerInterval() const { return 1000 / state_.stepsPerSecond; }

 private:
  SimulationState& state_;
  SimPorts ports_;
};

}  // namespace vadidazid
