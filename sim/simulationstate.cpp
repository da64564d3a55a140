// The simulation's state: its generators and clock.
#include "sim/simulationstate.h"

#include "random/randomvariates.h"
#include "random/runtimerandom.h"

namespace vadidazid {

SimulationState::SimulationState() : SimulationState(SimGenerator(), ProcessRuntimeRandom()) {}

SimulationState::SimulationState(RandomVariates& g, RuntimeRandom& m)
    : generator(&g), moves(&m), localTime(SystemLocalTime) {}

std::tm SystemLocalTime() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

}  // namespace vadidazid
