// Set-up of a run: reads the controls, rebuilds the state, seeds the generators when
// asked to, clears the log and the chart and takes the file stamp.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

#include "sim/simports.h"
#include "sim/simulationstate.h"

namespace vadidazid {

// Throws EConvertError for an edit text that is not a number, and Exception for a mean
// and deviation that would need over a million draws for one call duration when calls
// can start at all, or too many draws for the durations of one whole step (see
// StepDrawsTooMany). Nothing changes then.
void SetUpSimulation(SimulationState& state, const SimPorts& ports);

// The row, and the column, of the cell every subscriber starts in: the cell just above
// and left of the grid's middle.
inline int32_t StartRowAndColumn(int32_t gridSide) { return gridSide / 2 - 1; }

// Half the hexagon's height in pixels for N cells per side.
int32_t HexSizeFor(int32_t gridSide, int32_t gridHeight = kGridHeight);

// "yyyy-mm-dd-hh-nn-ss".
std::string FormatFileStamp(const std::tm& time);

// The limits of the parameter controls; the set-up brings every value into them.
struct ParameterRange {
  int32_t min;
  int32_t max;
};
extern const ParameterRange kGridSideRange, kSubscriberRange, kChannelRange, kCallPercentRange,
    kStepLimitRange, kSpeedRange, kSeedRange;

// True when a duration draw comes out non-negative with probability one in a million or
// less, so that starting a call would redraw for an unreasonable time.
bool DurationCannotStart(double mean, double deviation);

// The expected number of normal draws for one call duration: a draw is repeated until it
// lies above -1. Infinity when no draw can get there.
double ExpectedDrawsPerCall(double mean, double deviation);

// The calls one step can start at most on average: the Poisson mean with every
// subscriber idle, and no more than the network has channels.
double CallsPerStepBound(int32_t gridSide, int32_t subscriberCount, int32_t channelsPerCell,
                         int32_t callPercent);

// The most duration draws one step may be expected to take; see setup.cpp for why.
constexpr double kMaxExpectedDrawsPerStep = 1e8;

// True when the calls a step can start, each with its expected redraws, would need more
// than kMaxExpectedDrawsPerStep draws: such a step would keep the window or the runner busy
// for minutes or hours. Parameters are taken in their ranges.
bool StepDrawsTooMany(const SimControls& controls, double mean, double deviation);

}  // namespace vadidazid
