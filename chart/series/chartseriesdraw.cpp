// The drawing side of a series: its axes and value-to-pixel mapping, the range of
// points a drawing visits, the point loop and the legend symbol.
#include "chart/series/chartseries.h"

#include "chart/axis/chartaxis.h"
#include "chart/canvas/teecanvas.h"
#include "chart/panel/customaxispanel.h"

namespace vadidazid {

int TChartSeries::CalcXPosValue(double value) const {
  return GetHorizAxis()->XPosValueCheck(value);
}

int TChartSeries::CalcYPosValue(double value) const { return GetVertAxis()->YPosValueCheck(value); }

double TChartSeries::XScreenToValue(int pixel) const { return GetHorizAxis()->CalcPosPoint(pixel); }

double TChartSeries::YScreenToValue(int pixel) const { return GetVertAxis()->CalcPosPoint(pixel); }

void TChartSeries::CalcFirstLastVisibleIndex() {
  firstShownIndex_ = lastShownIndex_ = -1;
  const int last = Count() - 1;
  if (last < 0) return;
  const TChartValueList& position = isVertical_ ? *xValues_ : *yValues_;
  if (!showVisibleOnly_ || position.Order() == TChartListOrder::loNone) {
    firstShownIndex_ = 0;
    lastShownIndex_ = last;
    return;
  }
  // The values at the two edges of the plot along the position axis.
  const TChartAxis* axis = isVertical_ ? GetHorizAxis() : GetVertAxis();
  const TRect& rect = ParentChart()->ChartRect();
  const int lowEdge = isVertical_ ? (axis->Inverted() ? rect.right : rect.left)
                                  : (axis->Inverted() ? rect.top : rect.bottom);
  const int highEdge = isVertical_ ? (axis->Inverted() ? rect.left : rect.right)
                                   : (axis->Inverted() ? rect.bottom : rect.top);
  const double min = axis->CalcPosPoint(lowEdge);
  const double max = axis->CalcPosPoint(highEdge);
  int first = 0;
  while (first <= last && position.Value(first) < min) ++first;
  if (first > last) return;
  firstShownIndex_ = first;
  if (position.Value(last) <= max) {
    lastShownIndex_ = last;
    return;
  }
  int end = first;
  while (end <= last && position.Value(end) < max) ++end;
  if (end > last) end = last;
  // Without the point past the end the segment leaving the plot would be missing.
  if (!keepPointPastEnd_ && position.Value(end) > max) --end;
  lastShownIndex_ = end;
}

bool TChartSeries::DrawValuesForward() const {
  return isVertical_ ? !GetHorizAxis()->Inverted() : !GetVertAxis()->Inverted();
}

void TChartSeries::DrawAllValues() {
  if (firstShownIndex_ < 0) return;
  if (DrawValuesForward()) {
    for (int i = firstShownIndex_; i <= lastShownIndex_; ++i) DrawValue(i);
  } else {
    for (int i = lastShownIndex_; i >= firstShownIndex_; --i) DrawValue(i);
  }
}

void TChartSeries::DoBeforeDrawValues() {
  if (BeforeDrawValues) BeforeDrawValues(*this);
}

void TChartSeries::DoAfterDrawValues() {
  if (AfterDrawValues) AfterDrawValues(*this);
}

void TChartSeries::DrawLegend(int valueIndex, const TRect& rect) {
  if (ColorEachPoint() && valueIndex == -1) return;
  TCustomAxisPanel& chart = *ParentChart();
  // Setting up the symbol's pen and brush must not ask for a repaint.
  const bool oldAutoRepaint = chart.AutoRepaint();
  chart.SetAutoRepaint(false);
  TCanvas3D& canvas = chart.GetCanvas();
  const TColor color = valueIndex == -1 ? SeriesColor() : LegendItemColor(valueIndex);
  canvas.Brush().color = color;
  if (color != clNone) {
    canvas.AssignVisiblePen(Pen());
    TColor backColor = chart.LegendBackColor();
    if (backColor == clAutoColor) backColor = chart.Color();
    TBrushStyle brushStyle = Brush().Style();
    PrepareLegendCanvas(valueIndex, backColor, brushStyle);
    if (chart.LegendSymbolPen()) canvas.AssignVisiblePen(*chart.LegendSymbolPen());
    TChartBrush brush(color, brushStyle);
    canvas.AssignBrushColor(brush, color, backColor);
    DrawLegendShape(valueIndex, rect);
  }
  chart.SetAutoRepaint(oldAutoRepaint);
}

void TChartSeries::DrawLegendShape(int, const TRect& rect) {
  ParentChart()->GetCanvas().Rectangle(rect.left, rect.top, rect.right, rect.bottom);
}

}  // namespace vadidazid
