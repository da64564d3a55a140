// The canvases' shared pixel rules (see pixelrules.h).
#include "platform/drawing/pixelrules.h"

#include <algorithm>
#include <array>

namespace vadidazid {

namespace {

constexpr std::array<int, 2> kDash = {18, 6};
constexpr std::array<int, 2> kDot = {3, 3};
constexpr std::array<int, 4> kDashDot = {9, 6, 3, 6};
constexpr std::array<int, 6> kDashDotDot = {9, 3, 3, 3, 3, 3};

// The top row of each tick column within the 7 by 7 square.
constexpr std::array<int, 7> kTickTop = {2, 3, 4, 3, 2, 1, 0};
constexpr int kTickSide = 7;
constexpr int kTickThickness = 3;

}  // namespace

bool PenVisible(const TPen& pen) { return pen.style != TPenStyle::psClear && pen.color != clNone; }

bool BrushVisible(const TBrush& brush) {
  return brush.style != TBrushStyle::bsClear && brush.color != clNone;
}

TRect Normalised(int left, int top, int right, int bottom) {
  return {std::min(left, right), std::min(top, bottom), std::max(left, right),
          std::max(top, bottom)};
}

std::span<const int> DashRuns(TPenStyle style) {
  switch (style) {
    case TPenStyle::psDash:
      return kDash;
    case TPenStyle::psDot:
      return kDot;
    case TPenStyle::psDashDot:
      return kDashDot;
    case TPenStyle::psDashDotDot:
      return kDashDotDot;
    default:
      return {};
  }
}

int DashCycle(TPenStyle style) {
  int total = 0;
  for (int n : DashRuns(style)) total += n;
  return total;
}

bool DashOn(TPenStyle style, int phase) {
  const std::span<const int> runs = DashRuns(style);
  const int total = DashCycle(style);
  if (total == 0) return true;
  int at = phase % total;
  for (size_t i = 0; i < runs.size(); ++i) {
    if (at < runs[i]) return i % 2 == 0;
    at -= runs[i];
  }
  return true;
}

std::vector<int> WideDashLengths(const TPen& pen) {
  std::vector<int> lengths;
  if (pen.width <= 1) return lengths;
  const int w = pen.width;
  const int ends = pen.cap == TPenCap::Flat ? 0 : w;
  const std::span<const int> runs = DashRuns(pen.style);
  for (size_t i = 0; i < runs.size(); ++i) {
    lengths.push_back(i % 2 == 0 ? runs[i] * w - ends : runs[i] * w + ends);
  }
  return lengths;
}

CheckBoxParts CheckBoxLayout(const TRect& box, bool checked) {
  CheckBoxParts parts;
  parts.box = Normalised(box.left, box.top, box.right, box.bottom);
  const TRect& b = parts.box;
  parts.inside = {b.left + 1, b.top + 1, b.right - 1, b.bottom - 1};
  if (b.IsEmpty() || parts.inside.IsEmpty() || !checked) return parts;
  const TRect& in = parts.inside;
  const int ox = b.left + (b.Width() - kTickSide) / 2;
  const int oy = b.top + (b.Height() - kTickSide) / 2;
  for (int i = 0; i < kTickSide; ++i) {
    const TRect column{std::max(ox + i, in.left), std::max(oy + kTickTop[i], in.top),
                       std::min(ox + i + 1, in.right),
                       std::min(oy + kTickTop[i] + kTickThickness, in.bottom)};
    if (!column.IsEmpty()) parts.tick.push_back(column);
  }
  return parts;
}

}  // namespace vadidazid
