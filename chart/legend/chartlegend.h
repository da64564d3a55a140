// The legend as a chart holds it; it adds nothing to TCustomChartLegend, the split only
// keeps the engine's class apart from the one a chart's layout names.
#pragma once

#include "chart/legend/customchartlegend.h"

namespace vadidazid {

class TChartLegend : public TCustomChartLegend {
 public:
  using TCustomChartLegend::TCustomChartLegend;
};

}  // namespace vadidazid
