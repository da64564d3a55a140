// Error bars under a line series.
#include "chart/series/errorbarseries.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "chart/canvas/teecanvas.h"
#include "chart/panel/customaxispanel.h"

namespace vadidazid {

TErrorBarSeries::TErrorBarSeries() : errors_(std::make_unique<TChartValueList>(this, "Error")) {
  AddValuesList(errors_.get());
}

TErrorBarSeries::~TErrorBarSeries() = default;

int TErrorBarSeries::AddXYError(double x, double y, double error, const std::string& label,
                                TColor color) {
  errors_->SetTempValue(error);
  const int index = AddXY(x, y, label, color);
  errors_->SetTempValue(0);
  return index;
}

bool TErrorBarSeries::HasBar(int index) const {
  const double e = Error(index);
  return std::isfinite(e) && e > 0 && !IsNull(index);
}

// The bars' ends count as data, so the automatic axis shows them whole.
double TErrorBarSeries::MinYValue() {
  double low = TLineSeries::MinYValue();
  for (int i = 0; i < Count(); ++i) {
    if (HasBar(i)) low = std::min(low, BarBottom(i));
  }
  return low;
}

double TErrorBarSeries::MaxYValue() {
  double high = TLineSeries::MaxYValue();
  for (int i = 0; i < Count(); ++i) {
    if (HasBar(i)) high = std::max(high, BarTop(i));
  }
  return high;
}

void TErrorBarSeries::DrawErrorBar(int index) {
  if (!HasBar(index)) return;
  DrawBar(CalcXPos(index), CalcYPosValue(BarTop(index)), CalcYPosValue(BarBottom(index)),
          ValueColor(index));
}

void TErrorBarSeries::DrawBar(int x, int top, int bottom, TColor color) {
  TCanvas3D& canvas = ParentChart()->GetCanvas();
  TChartPen pen(color, TPenStyle::psSolid, true, errorWidth_);
  canvas.Brush().style = TBrushStyle::bsClear;
  canvas.AssignVisiblePenColor(pen, color);
  // Each line takes in its end pixel, so the bar covers both ends.
  canvas.Line(x, top, x, bottom + 1);
  if (capHalfWidth_ > 0) {
    canvas.Line(x - capHalfWidth_, top, x + capHalfWidth_ + 1, top);
    canvas.Line(x - capHalfWidth_, bottom, x + capHalfWidth_ + 1, bottom);
  }
}

void TErrorBarSeries::DrawColumnBars() {
  // Consecutive bars in one pixel column: one bar from the highest reach to the lowest.
  // Each bar holds its point, and the line covers the points' span in the column (see
  // MarkColumnPoints), so the column's pixels between the two ends are inked either way;
  // only the caps inside the span are left out.
  int count = 0, column = 0, top = 0, bottom = 0, only = 0;
  auto drawColumn = [&] {
    if (count == 1) DrawErrorBar(only);
    if (count > 1) DrawBar(column, top, bottom, ValueColor(only));
    count = 0;
  };
  for (int i = firstShownIndex_; i <= lastShownIndex_; ++i) {
    if (!HasBar(i)) continue;
    const int x = CalcXPos(i);
    const int t = CalcYPosValue(BarTop(i));
    const int b = CalcYPosValue(BarBottom(i));
    if (count > 0 && x == column) {
      top = std::min(top, t);
      bottom = std::max(bottom, b);
      ++count;
      continue;
    }
    drawColumn();
    count = 1, column = x, top = t, bottom = b, only = i;
  }
  drawColumn();
}

void TErrorBarSeries::DrawAllValues() {
  if (firstShownIndex_ >= 0) {
    if (CanThinColumns()) {
      DrawColumnBars();
    } else {
      for (int i = firstShownIndex_; i <= lastShownIndex_; ++i) DrawErrorBar(i);
    }
  }
  TLineSeries::DrawAllValues();
}

void TErrorBarSeries::CalcVerticalMargins(int& top, int& bottom) const {
  TLineSeries::CalcVerticalMargins(top, bottom);
  top = std::max(top, errorWidth_ + 2);
  bottom = std::max(bottom, errorWidth_ + 2);
}

void TErrorBarSeries::CalcHorizMargins(int& left, int& right) const {
  TLineSeries::CalcHorizMargins(left, right);
  left = std::max(left, capHalfWidth_ + errorWidth_ + 1);
  right = std::max(right, capHalfWidth_ + errorWidth_ + 1);
}

}  // namespace vadidazid
