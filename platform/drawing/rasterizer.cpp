// Pixel sets of lines, ellipses and polygons (see rasterizer.h).
#include "platform/drawing/rasterizer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace vadidazid {

std::vector<TPoint> Rasterizer::Line(TPoint a, TPoint b) {
  std::vector<TPoint> pixels;
  int dx = std::abs(b.x - a.x);
  int dy = -std::abs(b.y - a.y);
  int sx = a.x < b.x ? 1 : -1;
  int sy = a.y < b.y ? 1 : -1;
  int err = dx + dy;
  int x = a.x;
  int y = a.y;
  pixels.reserve(size_t(std::max(dx, -dy)));
  while (x != b.x || y != b.y) {
    pixels.push_back({x, y});
    int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
  }
  return pixels;
}

namespace {

int64_t FloorDiv(int64_t a, int64_t b) {
  const int64_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

}  // namespace

int Rasterizer::LineSteps(TPoint a, TPoint b) {
  return std::max(std::abs(b.x - a.x), std::abs(b.y - a.y));
}

// Line's loop in closed form. Along the major axis every step moves one pixel; the
// minor axis has moved, after k steps, by the count of steps at which the loop's error
// term allowed it, floor((2k minor - major) / (2 major)) + 1 (the error term stays in a
// range one major-length wide, which fixes the count). The tests hold this to the loop.
TPoint Rasterizer::LinePixel(TPoint a, TPoint b, int k) {
  const int64_t dx = std::abs(int64_t(b.x) - a.x);
  const int64_t dy = std::abs(int64_t(b.y) - a.y);
  const int sx = a.x < b.x ? 1 : -1;
  const int sy = a.y < b.y ? 1 : -1;
  if (dx >= dy) {
    const int64_t m = dx == 0 ? 0 : FloorDiv(2 * k * dy - dx, 2 * dx) + 1;
    return {a.x + sx * k, int(a.y + sy * m)};
  }
  const int64_t n = FloorDiv(2 * k * dx - dy, 2 * dy) + 1;
  return {int(a.x + sx * n), a.y + sy * k};
}

void Rasterizer::LineStepRange(TPoint a, TPoint b, const TRect& box, int& first, int& end) {
  const bool xMajor = std::abs(b.x - a.x) >= std::abs(b.y - a.y);
  const int start = xMajor ? a.x : a.y;
  const bool up = xMajor ? a.x < b.x : a.y < b.y;
  const int lo = xMajor ? box.left : box.top;
  const int hi = (xMajor ? box.right : box.bottom) - 1;
  const int64_t from = up ? int64_t(lo) - start : int64_t(start) - hi;
  const int64_t to = up ? int64_t(hi) - start : int64_t(start) - lo;
  first = int(std::max<int64_t>(from, 0));
  end = int(std::min<int64_t>(to + 1, LineSteps(a, b)));
  if (end < first) end = first;
}

namespace {

// Doubled coordinates keep the test exact: a pixel centre x + 0.5 becomes 2x + 1 and
// the box centre left + w/2 becomes 2 left + w, so everything stays an integer.
bool InsideEllipse(int64_t dx2, int64_t dy2, int64_t w, int64_t h) {
  return dx2 * dx2 * h * h + dy2 * dy2 * w * w <= w * w * h * h;
}

}  // namespace

std::vector<PixelSpan> Rasterizer::EllipseSpans(const TRect& box) {
  std::vector<PixelSpan> spans;
  const int64_t w = box.Width();
  const int64_t h = box.Height();
  if (w <= 0 || h <= 0) return spans;
  const int64_t cx2 = 2 * int64_t(box.left) + w;
  const int64_t cy2 = 2 * int64_t(box.top) + h;
  spans.reserve(size_t(h));
  for (int y = box.top; y < box.bottom; ++y) {
    const int64_t dy2 = 2 * int64_t(y) + 1 - cy2;
    // Start from the floating-point estimate of the half width and settle it exactly.
    double t = 1.0 - double(dy2 * dy2) / double(h * h);
    double half = t > 0 ? double(w) * std::sqrt(t) : 0.0;
    int64_t x1 = int64_t(std::floor((double(cx2) + half - 1.0) / 2.0));
    x1 = std::min<int64_t>(x1, box.right - 1);
    while (x1 + 1 < box.right && InsideEllipse(2 * (x1 + 1) + 1 - cx2, dy2, w, h)) ++x1;
    while (x1 >= box.left && !InsideEllipse(2 * x1 + 1 - cx2, dy2, w, h)) --x1;
    if (x1 < box.left) continue;
    // The region is symmetric about the centre: 2x + 1 - cx2 mirrors to its negative.
    int64_t x0 = cx2 - 1 - x1;
    spans.push_back({y, int(x0), int(x1)});
  }
  return spans;
}

void Rasterizer::SplitOutline(const std::vector<PixelSpan>& region, std::vector<PixelSpan>& outline,
                              std::vector<PixelSpan>& inside) {
  outline.clear();
  inside.clear();
  for (size_t i = 0; i < region.size(); ++i) {
    const PixelSpan& s = region[i];
    bool hasAbove = i > 0 && region[i - 1].y == s.y - 1;
    bool hasBelow = i + 1 < region.size() && region[i + 1].y == s.y + 1;
    int in0 = s.x0 + 1;
    int in1 = s.x1 - 1;
    if (hasAbove && hasBelow) {
      in0 = std::max({in0, region[i - 1].x0, region[i + 1].x0});
      in1 = std::min({in1, region[i - 1].x1, region[i + 1].x1});
    } else {
      in1 = in0 - 1;
    }
    if (in0 > in1) {
      outline.push_back(s);
      continue;
    }
    inside.push_back({s.y, in0, in1});
    outline.push_back({s.y, s.x0, in0 - 1});
    outline.push_back({s.y, in1 + 1, s.x1});
  }
}

std::vector<PixelSpan> Rasterizer::PolygonSpans(const std::vector<TPoint>& points) {
  std::vector<PixelSpan> spans;
  if (points.size() < 3) return spans;
  int minY = points[0].y;
  int maxY = points[0].y;
  for (const TPoint& p : points) {
    minY = std::min(minY, p.y);
    maxY = std::max(maxY, p.y);
  }
  std::vector<double> crossings;
  for (int y = minY; y < maxY; ++y) {
    const double yc = y + 0.5;
    crossings.clear();
    for (size_t i = 0; i < points.size(); ++i) {
      const TPoint& a = points[i];
      const TPoint& b = points[(i + 1) % points.size()];
      if ((a.y < yc) == (b.y < yc)) continue;
      crossings.push_back(a.x + (yc - a.y) * double(b.x - a.x) / double(b.y - a.y));
    }
    std::sort(crossings.begin(), crossings.end());
    for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
      // Pixel x is inside when its centre x + 0.5 lies in [left, right).
      int x0 = int(std::ceil(crossings[i] - 0.5));
      int x1 = int(std::ceil(crossings[i + 1] - 0.5)) - 1;
      if (x0 <= x1) spans.push_back({y, x0, x1});
    }
  }
  return spans;
}

}  // namespace vadidazid
