// The chart with its walls. Its background for the free-colour rule is the panel
// colour and the back wall's colour. Titles, legend and axes join this class as the
// drawing is built.
#pragma once

#include "chart/chartwall.h"
#include "chart/customaxispanel.h"

class TCustomChart : public TCustomAxisPanel {
 public:
  TCustomChart();

  TChartWall& BackWall() { return backWall_; }
  TChartWall& LeftWall() { return leftWall_; }
  TChartWall& BottomWall() { return bottomWall_; }
  TChartWall& RightWall() { return rightWall_; }

  bool IsFreeSeriesColor(TColor color, bool checkBackground,
                         const TChartSeries* excluded) const override;

  // The back wall's colour when it is opaque, else the panel colour.
  TColor GetBackColor() const;

 private:
  TChartWall backWall_{this, clSilver, true};
  TChartWall leftWall_{this, 0x80FFFF};
  TChartWall bottomWall_{this, clWhite};
  TChartWall rightWall_{this, clSilver, false, false};
};
