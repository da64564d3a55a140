// Walls, titles and the background part of the free-colour rule.
#include "chart/panel/customchart.h"

namespace vadidazid {

TCustomChart::TCustomChart() {
  // Construction is over: from now on changes ask for a repaint.
  SetAutoRepaint(true);
}

bool TCustomChart::IsFreeSeriesColor(TColor color, bool checkBackground,
                                     const TChartSeries* excluded) const {
  if (!TCustomAxisPanel::IsFreeSeriesColor(color, checkBackground, excluded)) return false;
  return !(checkBackground && color == backWall_.Color());
}

TColor TCustomChart::GetBackColor() const {
  return backWall_.Transparent() ? Color() : backWall_.Color();
}

void TCustomChart::DrawTitles(bool customPosition) {
  for (TChartTitle* t : {&title_, &subTitle_, &foot_, &subFoot_}) {
    if (t->CustomPosition() == customPosition) t->DrawTitle();
  }
}

void TCustomChart::DrawTitlesAndLegend(bool beforeSeries) {
  TCanvas3D& canvas = GetCanvas();
  canvas.FrontPlaneBegin();
  const bool placedLegend = !legend_.CustomPosition() && legend_.ShouldDraw();
  if (!beforeSeries) {
    if (legend_.CustomPosition() && legend_.ShouldDraw()) DrawLegend();
    DrawTitles(true);
  } else if (!placedLegend) {
    DrawTitles(false);
  } else if (legend_.GetVertical()) {
    // A side legend runs the plot's full height, beside the titles.
    DrawLegend();
    DrawTitles(false);
  } else {
    // Titles first, so the legend's band lies between them and the plot.
    DrawTitles(false);
    DrawLegend();
  }
  canvas.FrontPlaneEnd();
}

void TCustomChart::DrawLegend() { legend_.DrawLegend(); }

std::string TCustomChart::InternalFormattedLegend(const TCustomChartLegend& legend, int index) {
  std::string text = legend.FormattedLegend(index);
  if (OnGetLegendText) OnGetLegendText(*this, index, text);
  return text;
}

void TCustomChart::DrawWalls() {
  if (!ActiveSeriesUseAxis()) return;
  if (View3DWalls() && backWall_.Visible() && !DrawBackWallAfter(Width3D())) DrawBackWall();
}

void TCustomChart::DrawBackWall() {
  TCanvas3D& canvas = GetCanvas();
  canvas.AssignVisiblePen(backWall_.Pen());
  if (backWall_.Transparent()) {
    canvas.Brush().style = TBrushStyle::bsClear;
  } else {
    canvas.Brush().style = TBrushStyle::bsSolid;
    canvas.Brush().color = canvas.GetMonochrome() ? clWhite : backWall_.Color();
  }
  // One past the plot on the right and bottom, so the frame lies on the plot's edges.
  const TRect& r = ChartRect();
  canvas.Rectangle(r.left, r.top, r.right + 1, r.bottom + 1);
}

}  // namespace vadidazid
