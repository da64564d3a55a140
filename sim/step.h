// One step of the simulation and its phases: new calls, recount, drawing and report,
// moves with hand-over and dropping, and the countdown of running calls.
#pragma once

#include <cstdint>

#include "sim/simports.h"
#include "sim/simulationstate.h"

#include "random/runtimerandom.h"

namespace vadidazid {

void SimulationStep(SimulationState& state, const SimPorts& ports);

void StartNewCalls(SimulationState& state);
void RecountCells(SimulationState& state);
void MoveSubscribers(SimulationState& state);
void MoveSubscriber(SimulationState& state, int32_t index);
void CountDownCalls(SimulationState& state);

// The runtime generator's output modulo n; 0 for n = 0.
inline int32_t RandomBelow(RuntimeRandom& moves, int32_t n) {
  const int32_t r = moves.Next();
  return n == 0 ? 0 : r % n;
}

// A normal draw as a call duration: truncated toward zero, and held at the largest
// 32-bit value when it lies beyond it. Draws at or below -1 give a negative duration.
int32_t DurationFromDraw(double draw);

}  // namespace vadidazid
