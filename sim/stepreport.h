// What one step counted, phase by phase, as it reports it once per step: a plain record
// for whoever measures runs (the experiments, the tests), so they need not read the
// counts off the log or the chart. A new count is a new field here and one line in
// ReportOf.
#pragma once

#include <cstdint>

struct SimulationState;

// The new-call phase of this step.
struct NewCallCounts {
  int32_t started = 0;
  // Drawn calls that found no idle subscriber in a cell with a free channel.
  int32_t blocked = 0;
  // The durations given to the started calls, summed.
  int64_t callSteps = 0;
};

// The recount of the cells after the new calls.
struct RecountCounts {
  int32_t running = 0;
  int32_t largestCell = 0;  // subscribers in the fullest cell
};

// The move phase and the countdown are those between the previous report and this one,
// that is of the previous step (none before the first): the log line of a step shows
// its drops and ends the same way.
struct MoveCounts {
  int32_t handedOver = 0;  // calls that moved to another cell, dropped ones included
  int32_t dropped = 0;
};
struct CountdownCounts {
  int32_t ended = 0;
};

struct StepReport {
  int64_t step = 0;  // 1 for the first step after set-up
  NewCallCounts newCalls;
  RecountCounts recount;
  MoveCounts moves;
  CountdownCounts countdown;
};

// The report of the step being made, read once its cells are recounted and before its
// moves begin.
StepReport ReportOf(const SimulationState& state);
