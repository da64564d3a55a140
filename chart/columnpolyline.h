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
#pragma once

#include <algorithm>
#include <optional>

#include "platform/canvas.h"

class TColumnPolyline {
 public:
  explicit TColumnPolyline(Canvas& canvas);

  // The next point of the line. A point on the same pixel as the one before adds
  // nothing, as a segment of no length is not drawn.
  void Add(int x, int y) {
    if (started_ && x == x_) {
      if (y != last_) {
        loBefore_ = lo_;
        hiBefore_ = hi_;
        lo_ = std::min(lo_, y);
        hi_ = std::max(hi_, y);
        last_ = y;
        moved_ = true;
      }
      return;
    }
    NextColumn(x, y);
  }
  // The line stops at the point before and starts afresh with the next one (a null
  // point lies between them). Also call it after the last point.
  void Break();

 private:
  void NextColumn(int x, int y);
  void StartColumn(int x, int y);
  // Draws the column's pixels from y0 to y1, both included.
  void Span(int y0, int y1);
  void Segment(int x0, int y0, int x1, int y1);

  Canvas& canvas_;
  std::optional<TRect> clip_;
  bool started_ = false;
  int x_ = 0;     // the current column
  int last_ = 0;  // the last point's y in it
  int lo_ = 0;    // the lowest and highest y visited in it
  int hi_ = 0;
  // The same before the walk last moved, to tell whether the last point was visited
  // before the walk ended there.
  int loBefore_ = 0;
  int hiBefore_ = 0;
  bool moved_ = false;  // the walk went up or down within the column
};
