// "Zapisz wykres": the chart's picture next to the log file, under the run's stamp.
#pragma once

#include <string>

#include "sim/messagesink.h"
#include "sim/runchart.h"
#include "sim/simulationstate.h"

namespace vadidazid {

std::string ChartFileName(const SimulationState& state);  // fileStamp + "_wykres.bmp"
// Saves the chart under the run's stamp and confirms. A failure leaves before the
// confirmation, with the earlier picture of that name kept.
void SaveChartFile(const SimulationState& state, RunChart& chart, MessageSink& messages);

}  // namespace vadidazid
