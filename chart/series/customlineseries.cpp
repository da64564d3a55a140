// Canvas set-up for line segments.
#include "chart/series/customlineseries.h"

#include "chart/canvas/teecanvas.h"

namespace vadidazid {

void TCustomLineSeries::LinePrepareCanvas(TCanvas3D& canvas, TColor color) const {
  canvas.Brush().style = TBrushStyle::bsClear;
  canvas.AssignVisiblePenColor(LinePen(), color);
}

}  // namespace vadidazid
