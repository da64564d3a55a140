// A line series whose points carry an error: a vertical bar from y - error to y + error
// with short caps in the point's colour, all bars drawn before the line and its markers,
// so they lie under them.
// The errors are a third value list ("Error"), so they follow their points through
// every add, delete and reorder. The vertical axis takes the bars' ends into its range
// and keeps them a few pixels inside the plot.
// A point whose error is zero, negative or not a number has no bar. Where the line skips
// the inner points of a dense pixel column (TCustomSeries), the column's bars are drawn
// as one, from the highest reach to the lowest.
#pragma once

#include <algorithm>
#include <limits>
#include <memory>

#include "chart/series/chartvaluelist.h"
#include "chart/series/lineseries.h"

namespace vadidazid {

class TErrorBarSeries : public TLineSeries {
 public:
  TErrorBarSeries();
  ~TErrorBarSeries() override;

  int AddXYError(double x, double y, double error, const std::string& label = "",
                 TColor color = clAutoColor);
  TChartValueList& ErrorValues() { return *errors_; }
  double Error(int index) const { return errors_->Value(index); }

  // The bar's pen width in pixels (at least 1) and its caps' half width (0: no caps).
  int ErrorWidth() const { return errorWidth_; }
  void SetErrorWidth(int value) { StoreAndRepaint(errorWidth_, value < 1 ? 1 : value); }
  int CapHalfWidth() const { return capHalfWidth_; }
  void SetCapHalfWidth(int value) { StoreAndRepaint(capHalfWidth_, value < 0 ? 0 : value); }

  // The values a bar may reach: its ends are cut at these bounds (a probability's
  // interval stops at 0 and 1). Unbounded by default.
  void SetBarBounds(double low, double high) {
    barLow_ = low;
    barHigh_ = high;
  }
  double BarTop(int index) const { return std::min(YValue(index) + Error(index), barHigh_); }
  double BarBottom(int index) const { return std::max(YValue(index) - Error(index), barLow_); }

  double MinYValue() override;
  double MaxYValue() override;
  void DrawAllValues() override;
  // Room for the bars' end lines and caps, which would otherwise lie on the plot's frame.
  void CalcVerticalMargins(int& top, int& bottom) const override;
  void CalcHorizMargins(int& left, int& right) const override;

  // The bar of point `index` on the canvas of the chart, when it has one.
  void DrawErrorBar(int index);

 private:
  bool HasBar(int index) const;
  void DrawBar(int x, int top, int bottom, TColor color);
  void DrawColumnBars();

  std::unique_ptr<TChartValueList> errors_;
  int errorWidth_ = 1;
  int capHalfWidth_ = 3;
  double barLow_ = -std::numeric_limits<double>::infinity();
  double barHigh_ = std::numeric_limits<double>::infinity();
};

}  // namespace vadidazid
