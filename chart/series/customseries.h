// Series drawn point by point along a line: the segment from each point to the next in
// the series' colour, optional markers at the points, optional stairs. They keep the
// point past the end of the shown range, so that the segment leaving the plot is drawn
// and clipped.
//
// Drawing keeps the previous point's pixel and colour (PrevX, PrevY, PrevColor) from one
// DrawValue to the next; they mean something only during one drawing pass. A null
// point (colour clNone) breaks the line: no segment ends or starts at it.
//
// A long series is drawn column by column when that gives the very same pixels (a solid
// one-pixel line of one colour without markers or stairs, see columnpolyline.h); any
// other line goes point by point through DrawValue, skipping the points of a dense
// column that add nothing to the line (MarkColumnPoints: its first, lowest, highest and
// last are drawn, with their markers). ColumnDrawing switches both off, so that every
// point is drawn and the paths can be compared.
#pragma once

#include "chart/series/customlineseries.h"
#include "chart/series/seriespointer.h"

namespace vadidazid {

class TCustomSeries : public TCustomLineSeries {
 public:
  TCustomSeries();

  bool DrawLine() const { return drawLine_; }
  bool DrawArea() const { return drawArea_; }

  bool ColorEachLine() const { return colorEachLine_; }
  void SetColorEachLine(bool value) { StoreAndRepaint(colorEachLine_, value); }
  bool Stairs() const { return stairs_; }
  void SetStairs(bool value) { StoreAndRepaint(stairs_, value); }
  bool InvertedStairs() const { return invertedStairs_; }
  void SetInvertedStairs(bool value) { StoreAndRepaint(invertedStairs_, value); }
  TBrushStyle LineBrush() const { return lineBrush_; }
  void SetLineBrush(TBrushStyle value) { StoreAndRepaint(lineBrush_, value); }
  TSeriesPointer& Pointer() { return pointer_; }
  const TSeriesPointer& Pointer() const { return pointer_; }
  bool ColumnDrawing() const { return columnDrawing_; }
  void SetColumnDrawing(bool value) { columnDrawing_ = value; }

  int PrevX() const { return prevX_; }
  int PrevY() const { return prevY_; }
  TColor PrevColor() const { return prevColor_; }

  void DrawAllValues() override;
  void DrawValue(int index) override;
  void CalcHorizMargins(int& left, int& right) const override;
  void CalcVerticalMargins(int& top, int& bottom) const override;
  void DrawLegendShape(int valueIndex, const TRect& rect) override;

 protected:
  // The colour a segment ending at point `index` is drawn in.
  TColor SegmentColor(int index) const;
  // Draws the segment from (PrevX, PrevY) to (x, y) for a point of colour `color`.
  void DrawSegment(TCanvas3D& canvas, int x, int y, TColor color, int index);
  // Whether the column path gives the same pixels as DrawValue for this drawing.
  bool CanDrawByColumns() const;
  void DrawByColumns();
  // Whether a dense column's inner points may be skipped on the point-by-point path: a
  // visible line of one colour, drawn forward on a flat chart, whose walk covers them.
  bool CanThinColumns() const;
  void DrawKeptValues();

  bool drawLine_ = false;
  bool drawArea_ = false;

 private:
  void DrawPointerAt(TCanvas3D& canvas, int x, int y, TColor color);
  // PrevX and PrevY for the first shown point when points before it are not shown: where
  // the line from the point before enters the plot.
  void EnterAtEdge(int index);

  bool colorEachLine_ = true;
  bool stairs_ = false;
  bool invertedStairs_ = false;
  TBrushStyle lineBrush_ = TBrushStyle::bsSolid;
  TSeriesPointer pointer_{this};
  bool columnDrawing_ = true;

  int prevX_ = 0;
  int prevY_ = 0;
  TColor prevColor_ = clNone;
};

}  // namespace vadidazid
