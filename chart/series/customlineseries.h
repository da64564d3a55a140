// The first of the line series classes: a series whose points are joined by a line
// drawn with the element's pen (LinePen). Only the pen's visibility, width and style
// count; the line takes the series' colour.
#pragma once

#include "chart/series/chartseries.h"

namespace vadidazid {

class TCanvas3D;

class TCustomLineSeries : public TChartSeries {
 public:
  TChartPen& LinePen() { return Pen(); }
  const TChartPen& LinePen() const { return Pen(); }

  // Clear brush and LinePen in `color` on the canvas, ready for a segment. An invisible
  // LinePen gives a clear pen, so the line is drawn with nothing showing.
  void LinePrepareCanvas(TCanvas3D& canvas, TColor color) const;
};

}  // namespace vadidazid
