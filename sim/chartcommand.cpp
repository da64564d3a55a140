// The chart picture command. It reads the state only for the stamp, so it can run at
// any moment of a run without changing it.
#include "sim/chartcommand.h"

namespace vadidazid {

std::string ChartFileName(const SimulationState& s) { return s.fileStamp + "_wykres.bmp"; }

void SaveChartFile(const SimulationState& s, RunChart& chart, MessageSink& messages) {
  const std::string name = ChartFileName(s);
  chart.SaveChartPicture(name);
  messages.ShowMessage("zapisano wykres do pliku: " + name);
}

}  // namespace vadidazid
