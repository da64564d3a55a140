// Series drawn point by point along a line or area. They keep the point past the end
// of the shown range, so that the segment leaving the plot is drawn and clipped. Which
// of line and area a series draws is fixed by the concrete class.
#pragma once

#include "chart/customlineseries.h"

class TCustomSeries : public TCustomLineSeries {
 public:
  TCustomSeries() { keepPointPastEnd_ = true; }

  bool DrawLine() const { return drawLine_; }
  bool DrawArea() const { return drawArea_; }

 protected:
  bool drawLine_ = false;
  bool drawArea_ = false;
};
