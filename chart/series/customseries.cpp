// Drawing of line series: point by point (DrawValue) and, for long plain lines, column
// by column.
#include "chart/series/customseries.h"

#include <algorithm>
#include <cmath>

#include "chart/axis/axismapping.h"
#include "chart/axis/chartaxis.h"
#include "chart/canvas/teecanvas.h"
#include "chart/panel/customaxispanel.h"
#include "chart/series/columnpolyline.h"

namespace vadidazid {

TCustomSeries::TCustomSeries() { keepPointPastEnd_ = true; }

TColor TCustomSeries::SegmentColor(int index) const {
  return ColorEachPoint() && colorEachLine_ ? ValueColor(index) : SeriesColor();
}

void TCustomSeries::DrawPointerAt(TCanvas3D& canvas, int x, int y, TColor color) {
  pointer_.DrawPointer(canvas, x, y, pointer_.HorizSize(), pointer_.VertSize(), color);
}

void TCustomSeries::DrawSegment(TCanvas3D& canvas, int x, int y, TColor color, int index) {
  if ((x == prevX_ && y == prevY_) || color == clNone) return;
  LinePrepareCanvas(canvas, SegmentColor(index));
  if (!stairs_) {
    canvas.Line(prevX_, prevY_, x, y);
  } else if (invertedStairs_) {
    canvas.Line(prevX_, prevY_, prevX_, y);
    canvas.LineTo(x, y);
  } else {
    canvas.Line(prevX_, prevY_, x, prevY_);
    canvas.LineTo(x, y);
  }
}

void TCustomSeries::EnterAtEdge(int index) {
  // The line from the point before, which is not drawn, enters at the plot's edge.
  const TRect& rect = ParentChart()->ChartRect();
  prevX_ = GetHorizAxis()->Inverted() ? rect.right : rect.left;
  const double x0 = XValue(index - 1);
  const double x1 = XValue(index);
  if (x1 == x0) {
    prevY_ = CalcYPos(index - 1);
    return;
  }
  const double edge = XScreenToValue(prevX_);
  const double y0 = YValue(index - 1);
  const double y1 = YValue(index);
  if (GetVertAxis()->Logarithmic() && y0 > 0 && y1 > 0) {
    const double l0 = std::log(y0);
    prevY_ = CalcYPosValue(std::exp(l0 + (edge - x0) * (std::log(y1) - l0) / (x1 - x0)));
  } else {
    prevY_ = CalcYPosValue(y0 + (edge - x0) * (y1 - y0) / (x1 - x0));
  }
}

void TCustomSeries::DrawValue(int index) {
  TCanvas3D& canvas = ParentChart()->GetCanvas();
  const TColor color = ValueColor(index);
  const int x = CalcXPos(index);
  const int y = CalcYPos(index);
  canvas.Brush().color = color;
  if (prevColor_ == clNone) {
    prevX_ = x;
    prevY_ = y;
  }
  const bool forward = DrawValuesForward();
  const int firstDrawn = forward ? firstShownIndex_ : lastShownIndex_;
  const int lastDrawn = forward ? lastShownIndex_ : firstShownIndex_;
  if (index == firstDrawn) {
    if (index > 0) {
      EnterAtEdge(index);
      if (!IsNull(index - 1)) DrawSegment(canvas, x, y, color, index);
    }
    if (index == lastDrawn && pointer_.Visible()) DrawPointerAt(canvas, x, y, color);
  } else {
    DrawSegment(canvas, x, y, color, index);
    if (pointer_.Visible()) {
      if (prevColor_ != clNone) DrawPointerAt(canvas, prevX_, prevY_, prevColor_);
      if (index == lastDrawn && color != clNone) DrawPointerAt(canvas, x, y, color);
    }
  }
  prevX_ = x;
  prevY_ = y;
  prevColor_ = color;
}

void TCustomSeries::DrawAllValues() {
  if (CanDrawByColumns()) {
    DrawByColumns();
  } else if (CanThinColumns() && firstShownIndex_ >= 0) {
    DrawKeptValues();
  } else {
    TCustomLineSeries::DrawAllValues();
  }
}

bool TCustomSeries::CanThinColumns() const {
  // Markers of their own colour, an area's edge or stairs turning at every point would
  // show the skipped points; a line is needed to cover the markers it skips.
  return columnDrawing_ && drawLine_ && LinePen().Visible() && SeriesColor() != clNone &&
         !drawArea_ && !stairs_ && !ColorEachPoint() && DrawValuesForward() &&
         !ParentChart()->View3D();
}

void TCustomSeries::DrawKeptValues() {
  std::vector<char> keep;
  MarkColumnPoints(
      firstShownIndex_, lastShownIndex_,
      [&](int i, int& x, int& y) {
        if (IsNull(i)) return false;
        x = CalcXPos(i);
        y = CalcYPos(i);
        return true;
      },
      keep);
  for (int i = firstShownIndex_; i <= lastShownIndex_; ++i) {
    if (keep[size_t(i - firstShownIndex_)]) DrawValue(i);
  }
}

bool TCustomSeries::CanDrawByColumns() const {
  const TChartPen& pen = LinePen();
  return columnDrawing_ && drawLine_ && !drawArea_ && !stairs_ && !pointer_.Visible() &&
         !(ColorEachPoint() && colorEachLine_) && pen.Width() <= 1 &&
         pen.Style() == TPenStyle::psSolid && !pen.SmallDots() && DrawValuesForward() &&
         !ParentChart()->View3D();
}

void TCustomSeries::DrawByColumns() {
  TCanvas3D& canvas = ParentChart()->GetCanvas();
  LinePrepareCanvas(canvas, SeriesColor());
  // Nothing would show: the pen draws nothing.
  if (!LinePen().Visible() || SeriesColor() == clNone) return;
  const int first = firstShownIndex_;
  const int last = lastShownIndex_;
  TColumnPolyline line(canvas.ReferenceCanvas());
  // Only points with a colour of their own can be null.
  const bool mayBeNull = ColorList() != nullptr;
  if (first > 0 && !IsNull(first - 1)) {
    EnterAtEdge(first);
    line.Add(prevX_, prevY_);
  }
  const TAxisMapping mx(*GetHorizAxis());
  const TAxisMapping my(*GetVertAxis());
  const double* xs = XValues().Data();
  const double* ys = YValues().Data();
  if (mayBeNull) {
    line.AddPoints(first, last, [&](int i, int& x, int& y) {
      x = mx.Pixel(xs[i]);
      y = my.Pixel(ys[i]);
      return !IsNull(i);
    });
  } else {
    // Mapped a block at a time, so that both the mapping and the column walk run as
    // vector code; the block stays in the first-level cache.
    constexpr int kBlock = 512;
    int px[kBlock];
    int py[kBlock];
    for (int i = first; i <= last; i += kBlock) {
      const int n = std::min(kBlock, last - i + 1);
      mx.Pixels(xs + i, n, px);
      my.Pixels(ys + i, n, py);
      line.AddBlock(px, py, n);
    }
  }
  line.Break();
  prevX_ = CalcXPos(last);
  prevY_ = CalcYPos(last);
  prevColor_ = ValueColor(last);
  canvas.Brush().color = prevColor_;
}

void TCustomSeries::CalcHorizMargins(int& left, int& right) const {
  left = right = 0;
  if (pointer_.Visible() && pointer_.InflateMargins()) left = right = pointer_.HorizSize() + 1;
  if (drawLine_ && stairs_) {
    left = std::max(left, LinePen().Width());
    right = std::max(right, LinePen().Width());
  }
}

void TCustomSeries::CalcVerticalMargins(int& top, int& bottom) const {
  top = bottom = 0;
  if (pointer_.Visible() && pointer_.InflateMargins()) top = bottom = pointer_.VertSize() + 1;
  if (drawLine_ && stairs_) {
    top = std::max(top, LinePen().Width());
    bottom = std::max(bottom, LinePen().Width());
  }
}

void TCustomSeries::DrawLegendShape(int valueIndex, const TRect& rect) {
  TCustomAxisPanel& chart = *ParentChart();
  TCanvas3D& canvas = chart.GetCanvas();
  const TColor color = valueIndex == -1 ? SeriesColor() : LegendItemColor(valueIndex);
  if (drawLine_) {
    if (!chart.LegendSymbolPen()) LinePrepareCanvas(canvas, color);
    if (chart.View3D()) {
      canvas.Rectangle(rect.left, rect.top, rect.right, rect.bottom);
    } else {
      canvas.DoHorizLine(rect.left, rect.right, (rect.top + rect.bottom) / 2);
    }
  } else {
    TCustomLineSeries::DrawLegendShape(valueIndex, rect);
  }
  if (pointer_.Visible()) {
    // The marker fits inside the symbol, smaller where the line would hide it less.
    const bool line = drawLine_ && LinePen().Visible();
    const int hs = line ? std::min(pointer_.HorizSize(), rect.Width() / 3)
                        : std::min(pointer_.HorizSize(), rect.Width() / 2 + 1);
    const int vs = line ? std::min(pointer_.VertSize(), rect.Height() / 3)
                        : std::min(pointer_.VertSize(), rect.Height() / 2 + 1);
    pointer_.DrawPointer(canvas, (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2, hs, vs,
                         color);
  }
}

}  // namespace vadidazid
