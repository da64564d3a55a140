// The state of one simulated network: the parameters copied at set-up, the per-run
// arrays, the per-step counters and the run's totals. The network is an N x N torus of
// hexagonal cells; cell k = row * N + column.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "sim/cellcounts.h"

namespace vadidazid {

class RandomVariates;
class RuntimeRandom;

// The rectangle of the window's client area that the cells are drawn in: right of the
// parameter boxes, above the chart.
inline constexpr int32_t kGridLeft = 248;
inline constexpr int32_t kGridTop = 4;
inline constexpr int32_t kGridWidth = 430;
inline constexpr int32_t kGridHeight = 360;

// A subscriber's record, 8 bytes: the grid side is at most 16, so the column and row fit
// a byte each, and a cache line holds eight records, which the offer walk's visits in
// random order and the move phase's passes read. The steps left stay 32-bit at offset 4
// (the vector move draws read them as every second 32-bit word).
struct Subscriber {
  uint8_t column = 0;
  uint8_t row = 0;
  uint16_t unused = 0;
  int32_t callStepsLeft = 0;  // 0: idle

  Subscriber() = default;
  // Column and row must be below MoveTable::kLargestSide.
  Subscriber(int32_t atColumn, int32_t atRow, int32_t stepsLeft)
      : column(static_cast<uint8_t>(atColumn)),
        row(static_cast<uint8_t>(atRow)),
        callStepsLeft(stepsLeft) {}
};

// Where each of the seven move choices (the six directions and 6 for staying) leads from
// each cell, looked up by row * 16 + column. The step builds it for the grid side of the
// run and rebuilds it only when the side changes.
struct MoveTable {
  static constexpr int32_t kLargestSide = 16;
  // Column and row in the order of a subscriber's record, so that a move copies both in
  // one 16-bit store.
  struct Target {
    uint8_t column, row, cell, unused;
  };
  int32_t gridSide = 0;
  Target target[kLargestSide * kLargestSide][8];
  uint8_t cell[kLargestSide * kLargestSide];
};

// The counters of a run, reset as a whole by the set-up: a new counter needs no reset
// of its own.
struct RunCounters {
  // This step's new-call phase and recount.
  int32_t runningCalls = 0;
  int32_t maxCellSubscribers = 0;
  int32_t newCalls = 0;
  // Counted since the step's report before: the moves and countdown of the last step.
  int32_t droppedCalls = 0;
  int32_t endedCalls = 0;
  int64_t stepCounter = 0;

  // For experiments only: the log, the chart and the random draws never read these.
  // Calls the last new-call phase drew but could not start (no idle subscriber in a cell
  // with a free channel), and the durations given to the calls it started; the calls
  // handed over to another cell (dropped ones included) since the step's report before.
  int32_t blockedCalls = 0;
  int64_t newCallSteps = 0;
  // The last new-call phase's started calls (newCalls is cleared after the log line),
  // the idle subscribers it passed over because their cell had no free channel before
  // it stopped (complete once the cells are recounted), and its calls of no steps.
  int32_t startedCalls = 0;
  int32_t fullCellOffers = 0;
  int32_t zeroCalls = 0;
  int32_t handedOverCalls = 0;
  // Whether cellCalls less cellChannelsFreed is the exact count of calls per cell, so the
  // step may bring the cells up to date without a recount over all subscribers.
  bool cellsCurrent = false;
  // The same two since set-up.
  int64_t handovers = 0;
  int64_t startedCallSteps = 0;

  // Sums over all logged steps; 64-bit so that long runs of large networks cannot wrap.
  int64_t runningCallsTotal = 0;
  int32_t runningCallsMax = 0;
  int64_t droppedCallsTotal = 0;
  int32_t droppedCallsMax = 0;
};

struct SimulationState : RunCounters {
  // The generators the run draws from; by default the process-wide ones.
  SimulationState();
  SimulationState(RandomVariates& generator, RuntimeRandom& moves);

  RandomVariates* generator;
  RuntimeRandom* moves;
  // Local date and time for the file stamp; replaceable so tests get a fixed stamp.
  std::function<std::tm()> localTime;

  // Parameters, fixed from one set-up to the next.
  int32_t gridSide = 0;         // N
  int32_t subscriberCount = 0;  // M
  int32_t channelsPerCell = 0;  // C
  int32_t callPercent = 0;      // p
  int32_t stepLimit = 0;
  int32_t stepsPerSecond = 0;
  int32_t seed = 0;
  double callMean = 0.0;
  double callDeviation = 0.0;

  // Where the cells are drawn in the window's client area.
  int32_t hexSize = 0;
  int32_t gridLeft = kGridLeft;
  int32_t gridTop = kGridTop;
  int32_t gridWidth = kGridWidth;
  int32_t gridHeight = kGridHeight;

  std::vector<Subscriber> subscribers;
  std::vector<int32_t> cellSubscribers;
  std::vector<int32_t> cellCalls;
  // Per cell, the channels held by calls that ended or got no steps since the last
  // recount: still busy for the new-call walk and the drop test, freed at the next one.
  std::vector<int32_t> cellChannelsFreed;
  // The order in which idle subscribers are offered calls; reused from step to step.
  std::vector<int32_t> offerOrder;
  MoveTable moveTable;
  // The step's counts per cell, for the observer.
  CellCounts cellCounts;

  std::string fileStamp;

  int64_t NetworkCapacity() const { return int64_t(channelsPerCell) * gridSide * gridSide; }
  int32_t CellOf(const Subscriber& s) const { return s.row * gridSide + s.column; }
  bool IsSetUp() const { return !subscribers.empty(); }
};

// Local time of the system clock.
std::tm SystemLocalTime();

}  // namespace vadidazid
