// The chart with its walls and titles. Its background for the free-colour rule is the
// panel colour and the back wall's colour. It draws the titles around the plot and the
// flat back wall: a frame on the plot's edges, filled only when the wall is opaque. The
// legend takes its band between the titles and the plot (DrawLegend).
#pragma once

#include <functional>
#include <string>

#include "chart/chartlegend.h"
#include "chart/charttitle.h"
#include "chart/chartwall.h"
#include "chart/customaxispanel.h"

enum class TMouseButton { mbLeft, mbRight, mbMiddle };
// Keys and buttons held during a mouse event, as flags.
using TShiftState = unsigned;
inline constexpr TShiftState ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16,
                             ssMiddle = 32, ssDouble = 64;

// The part of the chart a press falls on.
enum class TChartClickedPart { cpNone, cpLegend, cpAxis, cpTitle, cpChartRect };

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

  TChartLegend& Legend() { return legend_; }
  const TChartLegend& Legend() const { return legend_; }

  // The text of a legend item: the legend's own, then OnGetLegendText's say.
  std::string InternalFormattedLegend(const TCustomChartLegend& legend, int index);

  // A mouse press at (x, y) in the chart's pixels, from the window showing it. The chart
  // decides what it means: a press on a legend item switches its series; the part the
  // press fell on is returned.
  TChartClickedPart MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  // The part of the chart under the point, in the order parts take presses.
  TChartClickedPart CalcNeedClickedPart(int x, int y);

  // Events, called only when set.
  std::function<void(TMouseButton, TShiftState, int x, int y)> OnMouseDown;
  std::function<void(TCustomChart&, int index, std::string& text)> OnGetLegendText;
  std::function<void(TCustomChart&, TRect& rect)> OnGetLegendRect;
  std::function<void(TCustomChart&, int index, int& symbolX, int& y, int& textX)> OnGetLegendPos;
  // Runs after a press on a legend item; sets `handled` to say whether the press counts.
  std::function<void(TCustomChart&, TMouseButton, TShiftState, int x, int y, bool& handled)>
      OnClickLegend;
  std::function<void(TCustomChart&, TMouseButton, TShiftState, int x, int y)> OnClickBackground;

  bool IsFreeSeriesColor(TColor color, bool checkBackground,
                         const TChartSeries* excluded) const override;

  // The back wall's colour when it is opaque, else the panel colour.
  TColor GetBackColor() const override;

 protected:
  void DrawTitlesAndLegend(bool beforeSeries) override;
  void DrawWalls() override;
  // The legend's band and drawing, between the titles and the plot.
  virtual void DrawLegend();

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
  TChartLegend legend_{this};
};
