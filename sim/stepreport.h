// What one step counted, phase by phase, as it reports it once per step: a plain record
// for whoever measures runs (the experiments, the tests), so they need not read the
// counts off the log or the chart. A new count is a new field here and one line in
// ReportOf.
#pragma once

#include <cstdint>
#include <span>

namespace vadidazid {

struct SimulationState;

// The new-call phase of this step.
struct NewCallCounts {
  int32_t started = 0;
  // Drawn calls that found no idle subscriber in a cell with a free channel.
  int32_t blocked = 0;
  // Idle subscribers the walk over the offer order passed over because their cell had no
  // free channel, before it stopped (at the last drawn call started, or at its end).
  int32_t fullCellOffers = 0;
  // The durations given to the started calls, summed.
  int64_t callSteps = 0;
};

// The recount of the cells after the new calls.
struct RecountCounts {
  int32_t running = 0;
  int32_t largestCell = 0;  // subscribers in the fullest cell
};

// The move phase and the countdown of this same step. The log line shows them one step
// later: a step's log line holds the drops and ends of the step before it.
struct MoveCounts {
  int32_t handedOver = 0;  // calls that moved to another cell, dropped ones included
  int32_t dropped = 0;
};
struct CountdownCounts {
  int32_t ended = 0;
};

// The same counts per cell (k = row * N + column), there only when the observer asked
// for them (StepObserver::WantsCellCounts); empty otherwise.
struct CellReport {
  std::span<const int32_t> fullCellOffers, started, dropped, handoversIn, handoversOut;
  // After the recount, before the moves.
  std::span<const int32_t> subscribers, calls;
};

struct StepReport {
  int64_t step = 0;  // 1 for the first step after set-up
  NewCallCounts newCalls;
  RecountCounts recount;
  MoveCounts moves;
  CountdownCounts countdown;
  CellReport cells;  // valid during the observer's call only
};

// The report of the step being made, read once its countdown is over.
StepReport ReportOf(const SimulationState& state);

}  // namespace vadidazid
