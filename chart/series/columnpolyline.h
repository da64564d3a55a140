// A long one-pixel polyline of one colour, drawn column by column. A run of a million
// points squeezed into a few hundred pixel columns would cost a million canvas calls if
// every segment were drawn; here each column costs at most two, with exactly the same
// pixels as drawing the segments one by one with Line(previous, current).
//
// Why the pixels are the same. Consecutive points in one pixel column are joined by
// vertical segments, and a walk up and down one column covers every pixel between the
// lowest and the highest point it visits; the one pixel a segment leaves out (its end)
// is the start of the next segment, so only the very last point of the whole line can
// stay undrawn, and only when the walk reached it for the first time at its end. The
// segment that leaves a column for the next starts at the column's last point and ends
// at the next column's first point; it is drawn as it stands, in the same direction,
// so it takes the same pixels. Pixels are only ever set in the one colour, so the order
// of drawing does not matter. This holds for solid one-pixel pens only: a dash pattern
// or a wide pen's ends depend on the individual segments.
//
// Segments and column spans lying wholly outside the canvas's clip rectangle are left
// out, which keeps points far off a zoomed-in plot cheap.
//
// The same rule serves lines drawn point by point (markers, dashes, wide pens, bars):
// MarkColumnPoints keeps only the points the column walk needs, so a dense line costs a
// few drawing calls per column there too (and a vector picture a few elements).
#pragma once

#include <algorithm>
#include <optional>
#include <vector>

#include "platform/drawing/canvas.h"

namespace vadidazid {

// Marks in keep[i - first] the points among first .. last that a line's walk needs to
// cover its pixels; point(i, x, y) sets point i's pixel and answers false for a null
// point. Of a run of consecutive points in one pixel column only the first, the lowest,
// the highest and the last are kept (the earliest where several share a y): walking
// through them covers the same span of the column, entering and leaving it at the same
// points. A line with no two neighbours in one column keeps every point.
//
// A null point breaks the line. Between two columns the break shows, so the first null
// of the stretch is kept. Nulls with points of one column on both sides are passed
// over and the column's points make one run: the walk then joins the pieces the nulls
// cut, at worst inking the column between them, which keeps a column of many nulls to a
// few points as well. Without such nulls, the kept points draw exactly the pixels of
// all the points.
template <typename PointAt>
void MarkColumnPoints(int first, int last, PointAt point, std::vector<char>& keep) {
  keep.assign(size_t(std::max(last - first + 1, 0)), 0);
  int start = -1;   // the run's first point, -1 while there is no run
  int nullAt = -1;  // the first null since the last point, -1 for none
  int column = 0, low = 0, high = 0, lowAt = 0, highAt = 0, end = 0;
  auto closeRun = [&] {
    if (start >= 0) {
      for (int i : {start, lowAt, highAt, end}) keep[size_t(i - first)] = 1;
    }
    if (nullAt >= 0) keep[size_t(nullAt - first)] = 1;
    start = nullAt = -1;
  };
  for (int i = first; i <= last; ++i) {
    int x = 0;
    int y = 0;
    if (!point(i, x, y)) {
      if (nullAt < 0) nullAt = i;
      continue;
    }
    if (start >= 0 && x == column) {
      nullAt = -1;
      if (y < low) low = y, lowAt = i;
      if (y > high) high = y, highAt = i;
    } else {
      closeRun();
      start = lowAt = highAt = i;
      column = x;
      low = high = y;
    }
    end = i;
  }
  closeRun();
}

class TColumnPolyline {
 public:
  explicit TColumnPolyline(Canvas& canvas);

  // The next point of the line. A point on the same pixel as the one before adds
  // nothing, as a segment of no length is not drawn.
  void Add(int x, int y) {
    State s = state_;
    s.Add(*this, x, y);
    state_ = s;
  }
  // Points first .. last, where point(i, x, y) sets point i's pixel and answers false
  // for a null point (a break in the line). The loop keeps the column's state in
  // locals, which matters when a column holds thousands of points.
  template <typename PointAt>
  void AddPoints(int first, int last, PointAt point) {
    State s = state_;
    for (int i = first; i <= last; ++i) {
      int x = 0;
      int y = 0;
      if (point(i, x, y)) {
        s.Add(*this, x, y);
      } else {
        state_ = s;
        Break();
        s = state_;
      }
    }
    state_ = s;
  }
  // Points given as pixels, none of them null: xs[0 .. n-1] and ys[0 .. n-1]. A stretch
  // of points in the current column is taken at once: only its lowest and highest y,
  // its last y and where the walk last moved matter, and those come from vector code.
  void AddBlock(const int* xs, const int* ys, int n);
  // The line stops at the point before and starts afresh with the next one (a null
  // point lies between them). Also call it after the last point.
  void Break();

 private:
  struct State {
    bool started = false;
    int x = 0;     // the current column
    int last = 0;  // the last point's y in it
    int lo = 0;    // the lowest and highest y visited in it
    int hi = 0;
    // The same before the walk last moved, to tell whether the last point was visited
    // before the walk ended there.
    int loBefore = 0;
    int hiBefore = 0;
    bool moved = false;  // the walk went up or down within the column

    void Add(TColumnPolyline& line, int px, int py) {
      if (started && px == x) {
        // Without branches on y: in a dense column y changes from point to point at
        // random, and mispredicted branches would cost more than these few moves.
        const bool moves = py != last;
        loBefore = moves ? lo : loBefore;
        hiBefore = moves ? hi : hiBefore;
        lo = std::min(lo, py);
        hi = std::max(hi, py);
        last = py;
        moved = moved || moves;
        return;
      }
      line.state_ = *this;
      line.NextColumn(px, py);
      *this = line.state_;
    }
    // Add() of ys[0 .. n-1] (n > 0), all in the current column.
    void AddRun(const int* ys, int n);
  };

  void NextColumn(int x, int y);
  // Draws the column's pixels from y0 to y1, both included.
  void Span(int y0, int y1);
  void Segment(int x0, int y0, int x1, int y1);

  Canvas& canvas_;
  std::optional<TRect> clip_;
  State state_;
};

}  // namespace vadidazid
