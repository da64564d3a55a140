// A series of points: X and Y value lists, optional per-point colours and labels, the
// series colour, and the notifications that follow a change. Adding a point to an
// active series asks the chart to repaint; BeginUpdate/EndUpdate hold the per-point
// notices back while many points are added. The stored "Data" form of the points is
// read and written here too (chartseriesdata.cpp).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "chart/series/chartevents.h"
#include "chart/series/chartvaluelist.h"
#include "chart/series/customchartseries.h"
#include "chart/series/labelslist.h"
#include "chart/series/seriesmarks.h"
#include "platform/drawing/canvas.h"
#include "platform/drawing/color.h"

namespace vadidazid {

class TChartAxis;
class TCanvas3D;

enum class THorizAxis { aTopAxis, aBottomAxis, aBothHorizAxis, aCustomHorizAxis };
enum class TVertAxis { aLeftAxis, aRightAxis, aBothVertAxis, aCustomVertAxis };

class TChartSeries : public TCustomChartSeries {
 public:
  // Returning false refuses the point about to be added.
  using TSeriesOnBeforeAdd = std::function<bool(TChartSeries&)>;
  using TSeriesOnAfterAdd = std::function<void(TChartSeries&, int valueIndex)>;
  using TSeriesNotifyEvent = std::function<void(TChartSeries&)>;
  // Receives the value events that dependent users of the data would get.
  using TValueListener = std::function<void(TValueEvent, int valueIndex)>;

  TChartSeries();
  ~TChartSeries() override;

  // Values.
  TChartValueList& XValues() { return *xValues_; }
  TChartValueList& YValues() { return *yValues_; }
  const TChartValueList& XValues() const { return *xValues_; }
  const TChartValueList& YValues() const { return *yValues_; }
  int ValuesListCount() const { return static_cast<int>(valuesList_.size()); }
  TChartValueList& ValuesList(int index) { return *valuesList_[index]; }
  bool IsVertical() const { return isVertical_; }
  void SetHorizontal();
  TChartValueList& MandatoryValues() { return isVertical_ ? *yValues_ : *xValues_; }
  TChartValueList& PositionValues() { return isVertical_ ? *xValues_ : *yValues_; }

  int Count() const { return xValues_->Count(); }
  int VisibleCount() const { return lastShownIndex_ - firstShownIndex_ + 1; }
  double XValue(int index) const { return xValues_->Value(index); }
  double YValue(int index) const { return yValues_->Value(index); }

  int Add(double value, const std::string& label = "", TColor color = clAutoColor);
  virtual int AddXY(double x, double y, const std::string& label = "", TColor color = clAutoColor);
  int AddX(double x, const std::string& label = "", TColor color = clAutoColor);
  int AddY(double y, const std::string& label = "", TColor color = clAutoColor);
  int AddNull(double value);
  int AddNull(const std::string& label);
  int AddNullXY(double x, double y, const std::string& label = "");
  void AddArray(const std::vector<double>& values);
  virtual void Clear();
  virtual void Delete(int index);
  virtual void Delete(int start, int quantity);

  virtual double MinXValue() { return xValues_->MinValue(); }
  virtual double MaxXValue() { return xValues_->MaxValue(); }
  virtual double MinYValue() { return yValues_->MinValue(); }
  virtual double MaxYValue() { return yValues_->MaxValue(); }
  virtual double MinZValue() const { return zOrder_; }
  // Whether the series is drawn along the chart's axes (all point series are).
  virtual bool UseAxis() const { return true; }
  // The chart's axes the series is drawn along (null outside a chart); with both axes of
  // a direction, the bottom or left one.
  TChartAxis* GetHorizAxis() const;
  TChartAxis* GetVertAxis() const;
  bool AssociatedToAxis(const TChartAxis* axis) const;
  // Pixels the series needs beyond its first and last values along each axis (for
  // markers, bars and the like); none by default.
  virtual void CalcHorizMargins(int& left, int& right) const { left = right = 0; }
  virtual void CalcVerticalMargins(int& top, int& bottom) const { top = bottom = 0; }
  virtual double MaxZValue() const { return zOrder_; }

  // Colours.
  TColor SeriesColor() const;
  virtual void SetSeriesColor(TColor color);
  TColor ExplicitColor() const { return color_; }
  TColor PaletteColor() const { return paletteColor_; }
  bool ColorEachPoint() const { return colorEachPoint_; }
  virtual void SetColorEachPoint(bool value) { StoreAndRepaint(colorEachPoint_, value); }
  bool HasColorList() const { return colors_.has_value(); }
  TColor ValueColor(int index) const { return GetValueColor(index); }
  bool IsNull(int index) const { return ValueColor(index) == clNone; }

  // Labels.
  std::string XLabel(int index) const { return labels_.Label(index); }
  void SetLabel(int index, const std::string& label);
  const TLabelsList& Labels() const { return labels_; }

  TSeriesMarks& Marks() { return marks_; }

  // Formats and placement.
  const std::string& ValueFormat() const { return valueFormat_; }
  void SetValueFormat(const std::string& format) { StoreAndRepaint(valueFormat_, format); }
  const std::string& PercentFormat() const { return percentFormat_; }
  void SetPercentFormat(const std::string& format) { StoreAndRepaint(percentFormat_, format); }
  THorizAxis HorizAxis() const { return horizAxis_; }
  void SetHorizAxis(THorizAxis axis) { StoreAndRepaint(horizAxis_, axis); }
  TVertAxis VertAxis() const { return vertAxis_; }
  void SetVertAxis(TVertAxis axis) { StoreAndRepaint(vertAxis_, axis); }
  int Depth() const { return depth_; }
  void SetDepth(int depth) { StoreAndRepaint(depth_, depth); }
  int ZOrder() const { return zOrder_; }
  void SetZOrder(int zOrder) { zOrder_ = zOrder; }
  bool ShowVisibleOnly() const { return showVisibleOnly_; }
  bool KeepPointPastEnd() const { return keepPointPastEnd_; }

  // Range of points shown by the last drawing pass; -1 when none.
  int FirstShownIndex() const { return firstShownIndex_; }
  int LastShownIndex() const { return lastShownIndex_; }

  // Drawing (chartseriesdraw.cpp). The horizontal and vertical axes of the series map
  // its values to pixels; both need the series to be in a chart.
  int CalcXPosValue(double value) const;
  int CalcYPosValue(double value) const;
  double XScreenToValue(int pixel) const;
  double YScreenToValue(int pixel) const;
  virtual int CalcXPos(int index) const { return CalcXPosValue(XValue(index)); }
  virtual int CalcYPos(int index) const { return CalcYPosValue(YValue(index)); }
  // Sets FirstShownIndex and LastShownIndex: every point for an unordered position list,
  // else the points inside the horizontal range plus the one just past each end.
  virtual void CalcFirstLastVisibleIndex();
  // True when the points are drawn from the first shown to the last shown.
  virtual bool DrawValuesForward() const;
  // DrawValue for every shown point, in the drawing direction.
  virtual void DrawAllValues();
  virtual void DrawValue(int) {}
  void DoBeforeDrawValues();
  void DoAfterDrawValues();
  TSeriesNotifyEvent BeforeDrawValues;
  TSeriesNotifyEvent AfterDrawValues;

  // Legend symbol: index -1 stands for the whole series.
  TColor LegendItemColor(int index) const { return ValueColor(index); }
  virtual void DrawLegend(int valueIndex, const TRect& rect);
  virtual void PrepareLegendCanvas(int, TColor&, TBrushStyle&) {}
  // The plain symbol: the rectangle in the brush colour.
  virtual void DrawLegendShape(int valueIndex, const TRect& rect);

  // Update nesting.
  int UpdateDepth() const { return updateDepth_; }
  void BeginUpdate() { ++updateDepth_; }
  void EndUpdate();
  void RefreshSeries();

  // Notices.
  virtual void NotifyValue(TValueEvent event, int valueIndex);
  void AddValueListener(TValueListener listener);

  // Stored data.
  bool DataEntered() const { return dataEntered_; }
  // Replaces the points by those of a stored "Data" block. A short or malformed block
  // raises EChartException; the update nesting is restored either way.
  void ReadData(const uint8_t* bytes, size_t size);
  std::vector<uint8_t> WriteData();

  // Moves whole points: point i becomes the old point order[i] in every list.
  void PermutePoints(const std::vector<int>& order);

  TSeriesOnBeforeAdd OnBeforeAdd;
  TSeriesOnAfterAdd OnAfterAdd;
  TSeriesNotifyEvent OnClearValues;

 protected:
  // Runs as the series joins a chart: a series without a colour of its own takes the
  // chart's first free palette colour.
  virtual void Added();
  virtual void ClearLists();
  virtual TColor GetValueColor(int index) const;
  // The per-point colours, or null when no point has a colour of its own.
  const std::vector<TColor>* ColorList() const { return colors_ ? &*colors_ : nullptr; }
  virtual void NotifyNewValue(int valueIndex);
  // A further list of one value per point, owned by the derived series and kept in step
  // with X and Y by every add, delete, clear and reorder; an add takes its TempValue.
  void AddValuesList(TChartValueList* list) { valuesList_.push_back(list); }

  int firstShownIndex_ = -1;
  int lastShownIndex_ = -1;
  bool showVisibleOnly_ = true;
  bool keepPointPastEnd_ = false;

 private:
  friend class TCustomAxisPanel;

  std::unique_ptr<TChartValueList> xValues_;
  std::unique_ptr<TChartValueList> yValues_;
  std::vector<TChartValueList*> valuesList_;
  bool isVertical_ = true;

  TColor color_ = clAutoColor;
  TColor paletteColor_ = clAutoColor;
  bool colorEachPoint_ = false;
  // Exists only once a point has been given a colour of its own.
  std::optional<std::vector<TColor>> colors_;
  TLabelsList labels_;
  TSeriesMarks marks_;

  THorizAxis horizAxis_ = THorizAxis::aBottomAxis;
  TVertAxis vertAxis_ = TVertAxis::aLeftAxis;
  int depth_ = -1;
  int zOrder_ = -1;
  std::string valueFormat_ = "#,##0.###";
  std::string percentFormat_ = "##0.## %";

  int updateDepth_ = 0;
  bool dataEntered_ = false;
  std::vector<TValueListener> valueListeners_;
};

}  // namespace vadidazid
