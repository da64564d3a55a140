// Line series construction and legend canvas.
#include "chart/series/lineseries.h"

#include "chart/canvas/teecanvas.h"
#include "chart/panel/customaxispanel.h"

namespace vadidazid {

TLineSeries::TLineSeries() {
  drawLine_ = true;
  Pointer().SetVisible(false);
}

void TLineSeries::PrepareLegendCanvas(int, TColor&, TBrushStyle& brushStyle) {
  if (ParentChart()) ParentChart()->GetCanvas().AssignVisiblePen(LinePen());
  brushStyle = LineBrush();
}

}  // namespace vadidazid
