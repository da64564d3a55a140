// A series shown as a polyline through its points, markers hidden.
#pragma once

#include "chart/series/customseries.h"

namespace vadidazid {

class TLineSeries : public TCustomSeries {
 public:
  TLineSeries();

  // LinePen on the canvas; the symbol's brush style is LineBrush.
  void PrepareLegendCanvas(int valueIndex, TColor& backColor, TBrushStyle& brushStyle) override;
};

}  // namespace vadidazid
