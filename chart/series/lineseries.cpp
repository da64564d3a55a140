// Line series construction and legend canvas.
#include "chart/lineseries.h"

#include "chart/customaxispanel.h"
#include "chart/teecanvas.h"

TLineSeries::TLineSeries() {
  drawLine_ = true;
  Pointer().SetVisible(false);
}

void TLineSeries::PrepareLegendCanvas(int, TColor&, TBrushStyle& brushStyle) {
  if (ParentChart()) ParentChart()->GetCanvas().AssignVisiblePen(LinePen());
  brushStyle = LineBrush();
}
