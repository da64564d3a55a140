// The chart with its walls and titles. Its background for the free-colour rule is the
// panel colour and the back wall's colour. It draws the titles around the plot and the
// flat back wall: a frame on the plot's edges, filled only when the wall is opaque. The
// legend takes its band between the titles and the plot (DrawLegend).
#pragma once

#include <functional>
#include <string>

#include "chart/legend/chartlegend.h"
#include "chart/panel/charttitle.h"
#include "chart/panel/chartwall.h"
#include "chart/panel/customaxispanel.h"
#include "chart/zoom/axissavedscales.h"
#include "chart/zoom/teemouse.h"
#include "chart/zoom/zoompanning.h"

namespace vadidazid {

class TChartAxis;

// Which ways a scroll drag moves the axes.
enum class TPanningMode { pmNone, pmHorizontal, pmVertical, pmBoth };

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

  // Zoom and scroll (customchartzoom.cpp). The window showing the chart forwards its
  // mouse moves, releases, wheel turns and the pointer leaving it; a drag starts with a
  // press (StartDrag).
  void MouseMove(TShiftState shift, int x, int y);
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  // Positive: notches turned down, towards the user.
  void MouseWheel(int notchesDown);
  void MouseLeave();
  // Starts a zoom or scroll drag for a press on the plot or an axis; false when none.
  bool StartDrag(TMouseButton button, TShiftState shift, int x, int y);
  // Zooms the axes to the rectangle, as a drag to the right would.
  void ZoomRect(const TRect& rect);
  void DoZoom(double topMin, double topMax, double bottomMin, double bottomMax, double leftMin,
              double leftMax, double rightMin, double rightMax);
  // Gives the axes back the settings they had before the first zoom or scroll.
  void UndoZoom();
  bool Zoomed() const { return zoomed_; }
  TZoomPanning& Panning() { return panning_; }
  TPanningMode AllowPanning() const { return allowPanning_; }
  void SetAllowPanning(TPanningMode value) { allowPanning_ = value; }
  TMouseButton ScrollMouseButton() const { return scrollMouseButton_; }
  void SetScrollMouseButton(TMouseButton value) { scrollMouseButton_ = value; }
  // Set by a mouse event handler to stop the chart's own handling of that event.
  bool CancelMouse() const { return cancelMouse_; }
  void SetCancelMouse(bool value) { cancelMouse_ = value; }

  std::function<void(TShiftState, int x, int y)> OnMouseMove;
  std::function<void(TMouseButton, TShiftState, int x, int y)> OnMouseUp;
  std::function<void()> OnZoom;
  std::function<void()> OnUndoZoom;
  std::function<void()> OnScroll;
  // May change the new range of a scrolled axis, or refuse the scroll.
  std::function<void(TChartAxis&, double& minimum, double& maximum, bool& allow)> OnAllowScroll;
  // The chart drew on its window canvas outside a paint (the rubber band) or finished a
  // drawing that must be shown before the handler goes on (a zoom's frame, now = true).
  std::function<void(bool now)> OnWindowDrawn;

 protected:
  void DrawTitlesAndLegend(bool beforeSeries) override;
  void DrawWalls() override;
  // The legend's band and drawing, between the titles and the plot.
  virtual void DrawLegend();

 private:
  void DrawTitles(bool customPosition);
  void DrawBackWall();
  void DrawZoomRectangle() override;
  // The rubber band, drawn whether or not the drag is still on.
  void DrawZoomRectangleOn();
  // The same on the window outside a paint, which is then shown.
  void DrawZoomBand();
  void ZoomToDragRect();
  void RepaintNow();
  void SaveScales();
  void RestoreScales();
  // Moves the axis so that the value at pixel `from` comes to pixel `to`.
  bool ScrollAxis(TChartAxis& axis, int from, int to);

  TChartWall backWall_{this, clSilver, true};
  TChartWall leftWall_{this, 0x80FFFF};
  TChartWall bottomWall_{this, clWhite};
  TChartWall rightWall_{this, clSilver, false, false};
  TChartTitle title_{this, false};
  TChartTitle subTitle_{this, false};
  TChartTitle foot_{this, true};
  TChartTitle subFoot_{this, true};
  TChartLegend legend_{this};

  TZoomPanning panning_;
  TPanningMode allowPanning_ = TPanningMode::pmBoth;
  TMouseButton scrollMouseButton_ = TMouseButton::mbRight;
  bool cancelMouse_ = false;
  bool zoomed_ = false;
  bool nothingSaved_ = true;
  TAllAxisSavedScales savedScales_;
};

}  // namespace vadidazid
