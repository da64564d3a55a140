// A series shown as a polyline through its points.
#pragma once

#include "chart/customseries.h"

class TLineSeries : public TCustomSeries {
 public:
  TLineSeries() { drawLine_ = true; }
};
