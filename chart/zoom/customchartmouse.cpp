// Mouse presses on the chart: which part of the chart a press falls on, and what a
// press on the legend does; a press on the plot or an axis starts a zoom or scroll drag
// (customchartzoom.cpp). The window showing the chart forwards its presses here, so
// the engine alone decides what they mean. The parts are tried in a fixed order: a
// hand-placed legend, the axes, the legend in its band, the plot. (Series answer no
// presses and the titles are hidden in this chart.)
#include "chart/panel/customchart.h"

#include <algorithm>

#include "chart/axis/chartaxis.h"
#include "chart/series/chartseries.h"

namespace vadidazid {

namespace {

// The axis' band: along it from its start to its end, across it from the labels' inner
// edge to 3 pixels past the axis line into the plot.
bool InAxis(const TChartAxis& axis, int x, int y) {
  const int along = axis.Horizontal() ? x : y;
  const int across = axis.Horizontal() ? y : x;
  if (along < axis.StartPos() || along > axis.EndPos()) return false;
  // The plot lies at larger coordinates than the left and top axes, at smaller ones
  // than the bottom and right axes.
  const bool plotAfter = axis.Horizontal() == axis.OtherSide();
  const int inner = plotAfter ? axis.AxisPos() + 3 : axis.AxisPos() - 3;
  return across >= std::min(axis.LabelsPos(), inner) && across <= std::max(axis.LabelsPos(), inner);
}

}  // namespace

TChartClickedPart TCustomChart::CalcNeedClickedPart(int x, int y) {
  if (legend_.Visible() && legend_.CustomPosition() && legend_.Clicked(x, y) != -1)
    return TChartClickedPart::cpLegend;
  for (int i = 0; i < AxisCount(); ++i) {
    const TChartAxis& axis = *Axis(i);
    if (!axis.IsDepthAxis() && axis.IsAxisVisible() && InAxis(axis, x, y))
      return TChartClickedPart::cpAxis;
  }
  if (legend_.Visible() && !legend_.CustomPosition() && legend_.Clicked(x, y) != -1)
    return TChartClickedPart::cpLegend;
  bool anyActive = false;
  for (int i = 0; i < SeriesCount(); ++i) anyActive = anyActive || Series(i)->Active();
  const TRect& r = ChartRect();
  if (anyActive && x >= r.left && x <= r.right && y >= r.top && y <= r.bottom)
    return TChartClickedPart::cpChartRect;
  return TChartClickedPart::cpNone;
}

TChartClickedPart TCustomChart::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  cancelMouse_ = false;
  if (OnMouseDown) OnMouseDown(button, shift, x, y);
  // A second button pressed during a drag leaves the drag as it is.
  if (Zoom().Active() || panning_.Active()) return TChartClickedPart::cpNone;
  const TChartClickedPart part = CalcNeedClickedPart(x, y);
  if (part == TChartClickedPart::cpLegend) {
    // Any button switches the series; a press on the legend never starts a drag.
    bool handled = legend_.DoMouseDown(legend_.Clicked(x, y));
    if (OnClickLegend) OnClickLegend(*this, button, shift, x, y, handled);
    if (!handled && OnClickBackground) OnClickBackground(*this, button, shift, x, y);
  } else if (!cancelMouse_ &&
             (part == TChartClickedPart::cpAxis || part == TChartClickedPart::cpChartRect)) {
    StartDrag(button, shift, x, y);
  }
  return part;
}

}  // namespace vadidazid
