// The first of the line series classes. The line's pen is the element's pen, which
// comes with the drawing layer; as data a line series is a plain series.
#pragma once

#include "chart/chartseries.h"

class TCustomLineSeries : public TChartSeries {};
