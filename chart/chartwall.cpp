// Wall settings; every real change asks the chart to repaint.
#include "chart/chartwall.h"

#include "chart/customaxispanel.h"

void TChartWall::SetColor(TColor color) {
  if (color_ == color) return;
  color_ = color;
  chart_->Invalidate();
}

void TChartWall::SetTransparent(bool transparent) {
  if (transparent_ == transparent) return;
  transparent_ = transparent;
  chart_->Invalidate();
}

void TChartWall::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  chart_->Invalidate();
}
