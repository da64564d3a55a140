// The straightforward form of the step and of the twister, kept beside the fast ones:
// the golden logs were written by this form, the differential test holds the fast step
// to it after every step, and the benchmark measures the fast step against it.
#pragma once

#include <cstdint>

#include "random/randomvariates.h"
#include "sim/simports.h"
#include "sim/simulationstate.h"

namespace vadidazid {

// A RandomVariates whose words come one at a time through a virtual call, each from the
// state twisted with wrap-around indices and tempered on its own. Its outputs are those
// of RandomVariates with the same seed.
class ReferenceVariates : public RandomVariates {
 public:
  explicit ReferenceVariates(uint32_t seed) : RandomVariates(seed) {}

 protected:
  void Refill() override;
};

// One step as the straightforward first form makes it, drawing from state.generator
// (which must be a ReferenceVariates for a fair comparison) and state.moves.
void ReferenceStep(SimulationState& state, const SimPorts& ports);

// Its phases.
void ReferenceStartNewCalls(SimulationState& state);
void ReferenceRecountCells(SimulationState& state);
void ReferenceMoveSubscriber(SimulationState& state, int32_t index);
void ReferenceCountDownCalls(SimulationState& state);

}  // namespace vadidazid
