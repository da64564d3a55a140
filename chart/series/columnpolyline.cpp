// Column-by-column drawing of a one-pixel polyline (see columnpolyline.h).
#include "chart/series/columnpolyline.h"

namespace vadidazid {

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

#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && defined(__linux__)
#define VADIDAZID_RUN_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define VADIDAZID_RUN_CLONES
#endif

namespace {

// How many of xs[0 .. n-1] lead equal to x. Whole chunks are compared without an early
// exit, which the compiler turns into vector compares; the chunk that differs is then
// searched point by point.
VADIDAZID_RUN_CLONES
int LeadingEqual(const int* xs, int n, int x) {
  constexpr int kChunk = 16;
  int i = 0;
  for (; i + kChunk <= n; i += kChunk) {
    int differ = 0;
    for (int k = 0; k < kChunk; ++k) differ |= xs[i + k] ^ x;
    if (differ != 0) break;
  }
  while (i < n && xs[i] == x) ++i;
  return i;
}

VADIDAZID_RUN_CLONES
void LowHigh(const int* ys, int n, int& low, int& high) {
  int lo = ys[0];
  int hi = ys[0];
  for (int i = 1; i < n; ++i) {
    lo = std::min(lo, ys[i]);
    hi = std::max(hi, ys[i]);
  }
  low = lo;
  high = hi;
}

}  // namespace

void TColumnPolyline::AddBlock(const int* xs, const int* ys, int n) {
  State s = state_;
  int i = 0;
  while (i < n) {
    if (!s.started || xs[i] != s.x) {
      s.Add(*this, xs[i], ys[i]);
      ++i;
      continue;
    }
    const int run = LeadingEqual(xs + i, n - i, s.x);
    s.AddRun(ys + i, run);
    i += run;
  }
  state_ = s;
}

void TColumnPolyline::State::AddRun(const int* ys, int n) {
  // The run ends in a stretch of points on its last y, from index t on. The walk last
  // moved at t if t > 0 (ys[t - 1] differs), else perhaps at the run's first point.
  const int end = ys[n - 1];
  int t = n - 1;
  while (t > 0 && ys[t - 1] == end) --t;
  if (t == 0) {
    if (end == last) return;
    loBefore = lo;
    hiBefore = hi;
  } else {
    int low = 0;
    int high = 0;
    LowHigh(ys, t, low, high);
    loBefore = std::min(lo, low);
    hiBefore = std::max(hi, high);
  }
  lo = std::min(loBefore, end);
  hi = std::max(hiBefore, end);
  last = end;
  moved = true;
}

}  // namespace vadidazid
