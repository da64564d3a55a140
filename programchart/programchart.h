// The program's chart as its main window's layout stores it: four line series for the
// running, new, dropped and ended calls, each holding the design-time points until the
// simulation's first set-up clears them.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "chart/panel/chart.h"

namespace vadidazid {

// The stored "Data" block that each of the four series is loaded from.
const std::array<uint8_t, 205>& ProgramSeriesData();

// Builds Chart1 with Series1 .. Series4 in list order 0 .. 3.
std::unique_ptr<TChart> CreateProgramChart();

}  // namespace vadidazid
