// The chart with its walls and titles. Its background for the free-colour rule is the
// panel colour and the back wall's colour. It draws the titles around the plot and the
// flat back wall: a frame on the plot's edges, filled only when the wall is opaque. The
// legend takes its band between the titles and the plot (DrawLegend).
#pragma once

#include "chart/charttitle.h"
#include "chart/chartwall.h"
#include "chart/customaxispanel.h"

class TCustomChart : public TCustomAxisPanel {
 public:
  TCustomChart();

  TChartWall& BackWall() { return backWall_; }
  TChartWall& LeftWall() { return leftWall_; }
  TChartWall& BottomWall() { return bottomWall_; }
  TChartWall& RightWall() { return rightWall_; }
  TChartTitle& Title() { return title_; }
  TChartTitle& SubTitle() { return subTitle_; }
  TChartTitle& Foot() { return foot_; }
  TChartTitle& SubFoot() { return subFoot_; }

  bool IsFreeSeriesColor(TColor color, bool checkBackground,
                         const TChartSeries* excluded) const override;

  // The back wall's colour when it is opaque, else the panel colour.
  TColor GetBackColor() const override;

 protected:
  void DrawTitlesAndLegend(bool beforeSeries) override;
  void DrawWalls() override;
  // The legend's band and drawing, called between the titles and the plot; the chart
  // draws no legend until a legend is given to it.
  virtual void DrawLegend() {}

 private:
  void DrawTitles(bool customPosition);
  void DrawBackWall();

  TChartWall backWall_{this, clSilver, true};
  TChartWall leftWall_{this, 0x80FFFF};
  TChartWall bottomWall_{this, clWhite};
  TChartWall rightWall_{this, clSilver, false, false};
  TChartTitle title_{this, false};
  TChartTitle subTitle_{this, false};
  TChartTitle foot_{this, true};
  TChartTitle subFoot_{this, true};
};
