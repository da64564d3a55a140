// Walls and the background part of the free-colour rule.
#include "chart/customchart.h"

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
