// Mouse presses on the chart: which part of the chart a press falls on, and what a
// press on the legend does; a press on the plot or an axis starts a zoom or scroll drag
// (customchartzoom.cpp). The window showing the chart forwards its presses here, so
// the engine alone decides what they mean.
#include "chart/customchart.h"

#include "chart/chartseries.h"

TChartClickedPart TCustomChart::CalcNeedClickedPart(int x, int y) {
  if (legend_.Visible() && legend_.CustomPosition() && legend_.Clicked(x, y) != -1)
    return TChartClickedPart::cpLegend;
  if (legend_.Visible() && !legend_.CustomPosition() && legend_.Clicked(x, y) != -1)
    return TChartClickedPart::cpLegend;
  if (ClickedAxis(x, y) != nullptr) return TChartClickedPart::cpAxis;
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
  } else if (!cancelMouse_ && (part == TChartClickedPart::cpAxis ||
                               part == TChartClickedPart::cpChartRect)) {
    StartDrag(button, shift, x, y);
  }
  return part;
}
