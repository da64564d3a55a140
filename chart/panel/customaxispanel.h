// The chart's series list and what goes with it: series join and leave here, the list
// order is the drawing and legend order, series changes are broadcast to registered
// listeners, and free palette colours are found for series without their own. This
// class also runs the drawing sequence of one paint (InternalDraw): panel, titles and
// legend, walls, axes, series, in that order, with the steps that charts with walls,
// titles, a legend or series drawing of their own fill in as virtual operations.
//
// Ownership: the chart owns the series in its list. AddSeries takes a series over,
// RemoveSeries hands it back to the caller; a series moves to another chart with
// other.AddSeries(chart.RemoveSeries(s)), so it is never in two charts at once.
// Destroying the chart frees its series without any repaint or notice.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "chart/panel/customteepanel.h"
#include "chart/series/chartevents.h"
#include "platform/drawing/color.h"

namespace vadidazid {

class TChartAxis;
class TChartSeries;
class TCustomChartSeries;

class TCustomAxisPanel : public TCustomTeePanel {
 public:
  using TSeriesEventListener = std::function<void(TChartSeriesEvent, TCustomChartSeries*)>;

  TCustomAxisPanel();
  ~TCustomAxisPanel() override;

  using TNotifyEvent = std::function<void()>;
  TNotifyEvent OnBeforeDrawChart;
  TNotifyEvent OnBeforeDrawAxes;
  TNotifyEvent OnBeforeDrawSeries;
  TNotifyEvent OnAfterDraw;

  bool AxisVisible() const { return axisVisible_; }
  void SetAxisVisible(bool value) { StoreAndRepaint(axisVisible_, value); }
  bool AxisBehind() const { return axisBehind_; }
  void SetAxisBehind(bool value) { StoreAndRepaint(axisBehind_, value); }
  bool ClipPoints() const { return clipPoints_; }
  void SetClipPoints(bool value) { StoreAndRepaint(clipPoints_, value); }
  bool View3DWalls() const { return view3DWalls_; }
  void SetView3DWalls(bool value) { StoreAndRepaint(view3DWalls_, value); }
  int Chart3DPercent() const { return chart3DPercent_; }
  void SetChart3DPercent(int value) { StoreAndRepaint(chart3DPercent_, value); }
  // Depth of the chart in pixels; 0 for flat charts.
  int Width3D() const { return 0; }
  int Height3D() const { return 0; }

  // True when there is no active series or any active series uses axes.
  bool ActiveSeriesUseAxis() const;

  // The six standard axes, in the order they are drawn.
  int AxisCount() const { return static_cast<int>(axes_.size()); }
  TChartAxis* Axis(int index) const { return axes_[index].get(); }
  TChartAxis* BottomAxis() const { return axes_[0].get(); }
  TChartAxis* TopAxis() const { return axes_[1].get(); }
  TChartAxis* LeftAxis() const { return axes_[2].get(); }
  TChartAxis* RightAxis() const { return axes_[3].get(); }
  TChartAxis* DepthAxis() const { return axes_[4].get(); }
  TChartAxis* DepthTopAxis() const { return axes_[5].get(); }

  // The automatic end of an axis: the smallest or largest value of the series along
  // it (active ones, or all when no active series uses the axis); 0 without points.
  double InternalMinMax(const TChartAxis* axis, bool isMinimum, bool isX) const;
  // Whether the axis is drawn at this drawing; stored in the axis.
  bool CalcIsAxisVisible(TChartAxis* axis) const;
  // True when an active series uses the axis, or when no series is active at all.
  bool HasActiveSeries(const TChartAxis* axis) const;

  int SeriesCount() const { return static_cast<int>(series_.size()); }
  TChartSeries* Series(int index) const { return series_[index].get(); }
  TChartSeries* GetSeries(int index) const { return Series(index); }
  // -1 when the series is not in this chart.
  int IndexOfSeries(const TChartSeries* series) const;

  // Takes the series over and lets it join at the end of the list; returns it.
  template <typename T>
  T* AddSeries(std::unique_ptr<T> series) {
    T* raw = series.get();
    InternalAddSeries(std::unique_ptr<TChartSeries>(std::move(series)));
    return raw;
  }
  // Takes the series out of the list and returns it to the caller; empty when it was
  // not in this chart.
  std::unique_ptr<TChartSeries> RemoveSeries(TChartSeries* series);

  // Colours handed out to series without their own; the default palette unless the
  // chart was given one.
  const std::vector<TColor>& Palette() const;
  void SetColorPalette(std::vector<TColor> palette) { colorPalette_ = std::move(palette); }

  // False when a series other than `excluded` already shows the colour, or, when
  // checking the background, when the chart's background has it.
  virtual bool IsFreeSeriesColor(TColor color, bool checkBackground,
                                 const TChartSeries* excluded) const;
  // The first palette colour that is free; the last palette colour when none is.
  TColor GetFreeSeriesColor(bool checkBackground, const TChartSeries* excluded) const;

  // Listeners are told about series changes; returns a handle for removing one.
  int AddSeriesEventListener(TSeriesEventListener listener);
  void RemoveSeriesEventListener(int handle);
  void BroadcastSeriesEvent(TChartSeriesEvent event, TCustomChartSeries* series);

  // The title a legend shows for the series at `index`: its Title with column
  // separators made spaces, else its name, else "Series" and its place from 1.
  std::string SeriesTitleLegend(int index) const;

  // Set by the legend while it draws, read by the series drawing their symbols: the
  // legend's colour and the pen its symbols use instead of their own (none: their own).
  TColor LegendBackColor() const { return legendBackColor_; }
  void SetLegendBackColor(TColor color) { legendBackColor_ = color; }
  const TChartPen* LegendSymbolPen() const { return legendSymbolPen_; }
  void SetLegendSymbolPen(const TChartPen* pen) { legendSymbolPen_ = pen; }

 protected:
  void InternalDraw(const TRect& bounds) override;
  // The titles and the legend, before the series (BeforeSeries) or after them.
  virtual void DrawTitlesAndLegend(bool) {}
  // Plot rectangle adjustments for walls with depth; flat charts only recompute sizes.
  virtual void CalcWallsRect() { ReCalcWidthHeight(); }
  virtual void DrawWalls() {}
  // Whether the back wall lies in front at depth z (never for a flat chart).
  virtual bool DrawBackWallAfter(int z);
  // Step 17 of the drawing: every active series in list order, clipped to the plot; a
  // later series paints over an earlier one.
  virtual void DrawAllSeries();
  // A zoom rectangle being dragged is drawn here, after everything else.
  virtual void DrawZoomRectangle() {}
  // Ranges and positions of all axes and their room in the plot rectangle.
  void CalcAxisRect();
  // Narrows the plot where the labels of a horizontal axis would reach past the chart's
  // bounds (the last label is centred on the axis' end), so that every label is whole.
  void MakeRoomForEndLabels();
  // Widens the axis ranges by the series' pixel margins.
  void CalcSeriesRect();
  void DrawAxes();

 private:
  void InternalAddSeries(std::unique_ptr<TChartSeries> series);

  std::vector<std::unique_ptr<TChartAxis>> axes_;
  std::vector<std::unique_ptr<TChartSeries>> series_;
  std::vector<TColor> colorPalette_;
  std::vector<std::pair<int, TSeriesEventListener>> listeners_;
  int nextListenerHandle_ = 1;

  bool axisVisible_ = true;
  bool axisBehind_ = true;
  bool clipPoints_ = true;
  bool view3DWalls_ = true;
  int chart3DPercent_ = 15;
  TColor legendBackColor_ = clAutoColor;
  const TChartPen* legendSymbolPen_ = nullptr;
};

}  // namespace vadidazid
