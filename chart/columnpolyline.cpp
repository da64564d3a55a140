// Column-by-column drawing of a one-pixel polyline (see columnpolyline.h).
#include "chart/columnpolyline.h"

TColumnPolyline::TColumnPolyline(Canvas& canvas) : canvas_(canvas), clip_(canvas.ClipRect()) {}

void TColumnPolyline::StartColumn(int x, int y) {
  started_ = true;
  x_ = x;
  last_ = lo_ = hi_ = loBefore_ = hiBefore_ = y;
  moved_ = false;
}

void TColumnPolyline::NextColumn(int x, int y) {
  if (started_) {
    // The segment leaving the column starts at its last point, so the whole span the
    // walk covered is drawn.
    if (moved_) Span(lo_, hi_);
    Segment(x_, last_, x, y);
  }
  StartColumn(x, y);
}

void TColumnPolyline::Break() {
  if (started_ && moved_) {
    // The line ends here: its end point stays undrawn unless the walk passed it before.
    if (last_ >= loBefore_ && last_ <= hiBefore_) {
      Span(lo_, hi_);
    } else if (last_ == lo_) {
      Span(lo_ + 1, hi_);
    } else {
      Span(lo_, hi_ - 1);
    }
  }
  started_ = false;
}

void TColumnPolyline::Span(int y0, int y1) {
  if (clip_ && (x_ < clip_->left || x_ >= clip_->right || y1 < clip_->top ||
                y0 >= clip_->bottom))
    return;
  canvas_.MoveTo(x_, y0);
  canvas_.LineTo(x_, y1 + 1);
}

void TColumnPolyline::Segment(int x0, int y0, int x1, int y1) {
  // A line's pixels lie within the box of its two ends.
  if (clip_ && (std::max(x0, x1) < clip_->left || std::min(x0, x1) >= clip_->right ||
                std::max(y0, y1) < clip_->top || std::min(y0, y1) >= clip_->bottom))
    return;
  canvas_.MoveTo(x0, y0);
  canvas_.LineTo(x1, y1);
}
