// Column-by-column drawing of a one-pixel polyline (see columnpolyline.h).
#include "chart/series/columnpolyline.h"

TColumnPolyline::TColumnPolyline(Canvas& canvas) : canvas_(canvas), clip_(canvas.ClipRect()) {}

void TColumnPolyline::NextColumn(int x, int y) {
  State& s = state_;
  if (s.started) {
    // The segment leaving the column starts at its last point, so the whole span the
    // walk covered is drawn.
    if (s.moved) Span(s.lo, s.hi);
    Segment(s.x, s.last, x, y);
  }
  s = State{true, x, y, y, y, y, y, false};
}

void TColumnPolyline::Break() {
  const State& s = state_;
  if (s.started && s.moved) {
    // The line ends here: its end point stays undrawn unless the walk passed it before.
    if (s.last >= s.loBefore && s.last <= s.hiBefore) {
      Span(s.lo, s.hi);
    } else if (s.last == s.lo) {
      Span(s.lo + 1, s.hi);
    } else {
      Span(s.lo, s.hi - 1);
    }
  }
  state_.started = false;
}

void TColumnPolyline::Span(int y0, int y1) {
  const int x = state_.x;
  if (clip_ && (x < clip_->left || x >= clip_->right || y1 < clip_->top || y0 >= clip_->bottom))
    return;
  canvas_.MoveTo(x, y0);
  canvas_.LineTo(x, y1 + 1);
}

void TColumnPolyline::Segment(int x0, int y0, int x1, int y1) {
  // A line's pixels lie within the box of its two ends.
  if (clip_ && (std::max(x0, x1) < clip_->left || std::min(x0, x1) >= clip_->right ||
                std::max(y0, y1) < clip_->top || std::min(y0, y1) >= clip_->bottom))
    return;
  canvas_.MoveTo(x0, y0);
  canvas_.LineTo(x1, y1);
}
