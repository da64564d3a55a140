// Drawing of the cell map.
#include "pictures/cellmap.h"

#include <algorithm>
#include <cmath>

#include "platform/text/formatfloat.h"

namespace vadidazid {

namespace {

constexpr int kMargin = 12;
constexpr int kScaleWidth = 110;  // the bar, its ticks and numbers
constexpr int kTitleHeight = 28;

int HalfWidth(int h) { return int(std::sqrt(3.0) * h * 0.5); }
int RowPitch(int h) { return 2 * h - h / 2 + 1; }

struct Stop {
  double at;
  int r, g, b;
};
constexpr Stop kStops[] = {{0, 255, 255, 204}, {0.5, 253, 141, 60}, {1, 189, 0, 38}};

void DrawScale(Canvas& c, const MapLayout& layout, int right, int bottom, double top) {
  const int x0 = right - kScaleWidth + 10, barWidth = 22;
  const int y0 = layout.top, y1 = bottom;
  for (int y = y0; y < y1; ++y) {
    c.brush = TBrush{MapColor(double(y1 - 1 - y) / std::max(y1 - y0 - 1, 1)), TBrushStyle::bsSolid};
    c.FillRect({x0, y, x0 + barWidth, y + 1});
  }
  c.pen = TPen{clGray};
  c.brush.style = TBrushStyle::bsClear;
  c.Rectangle(x0 - 1, y0 - 1, x0 + barWidth + 1, y1 + 1);
  c.font = TFont{"Arial", -12, clBlack};
  for (int i = 0; i <= 4; ++i) {
    const int y = y1 - 1 - (y1 - y0 - 1) * i / 4;
    c.MoveTo(x0 + barWidth, y);
    c.LineTo(x0 + barWidth + 5, y);
    const std::string text = FormatFloat("0.###", top * i / 4);
    c.TextOut(x0 + barWidth + 8, y - c.TextHeight(text) / 2, text);
  }
}

}  // namespace

TPoint MapLayout::CellTopLeft(int row, int column) const {
  return {left + column * (2 * w + 1) + (row % 2 == 1 ? w : 0), top + row * RowPitch(h)};
}

TPoint MapLayout::CellCentre(int row, int column) const {
  const TPoint p = CellTopLeft(row, column);
  return {p.x + w, p.y + h};
}

MapLayout MapLayoutOf(int width, int height, int side) {
  const int areaWidth = width - 2 * kMargin - kScaleWidth;
  const int areaHeight = height - 2 * kMargin - kTitleHeight;
  MapLayout layout{kMargin, kMargin + kTitleHeight, 2, HalfWidth(2)};
  for (int h = 2;; ++h) {
    const int w = HalfWidth(h);
    const int gridWidth = side * (2 * w + 1) + w;
    const int gridHeight = (side - 1) * RowPitch(h) + 2 * h + 1;
    if (gridWidth > areaWidth || gridHeight > areaHeight) break;
    layout.h = h;
    layout.w = w;
  }
  return layout;
}

TColor MapColor(double share) {
  if (std::isnan(share)) return clSilver;
  share = std::clamp(share, 0.0, 1.0);
  int i = 0;
  while (i + 2 < int(std::size(kStops)) && share > kStops[i + 1].at) ++i;
  const Stop& a = kStops[i];
  const Stop& b = kStops[i + 1];
  const double t = (share - a.at) / (b.at - a.at);
  auto mix = [t](int x, int y) { return uint8_t(std::lround(x + (y - x) * t)); };
  return RGBColor(mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b));
}

double MapScaleTop(const std::vector<double>& values) {
  double top = 0;
  for (double v : values) {
    if (std::isfinite(v)) top = std::max(top, v);
  }
  return top > 0 ? top : 1;
}

void DrawCellMap(Canvas& c, int width, int height, int side, const std::vector<double>& values,
                 const std::string& title) {
  c.brush = TBrush{clWhite, TBrushStyle::bsSolid};
  c.FillRect({0, 0, width, height});
  c.font = TFont{"Arial", -15, clBlack, true};
  c.TextOut(kMargin, kMargin, title);
  const MapLayout layout = MapLayoutOf(width, height, side);
  const double top = MapScaleTop(values);
  c.pen = TPen{clGray};
  for (int r = 0; r < side; ++r) {
    for (int col = 0; col < side; ++col) {
      const double v = values[size_t(r) * size_t(side) + size_t(col)];
      c.brush = TBrush{MapColor(v / top), TBrushStyle::bsSolid};
      const TPoint p = layout.CellTopLeft(r, col);
      const int x = p.x, y = p.y, h = layout.h, w = layout.w;
      c.Polygon({{x + w, y},
                 {x + 2 * w, y + h / 2},
                 {x + 2 * w, y + h + h / 2},
                 {x + w, y + 2 * h},
                 {x, y + h + h / 2},
                 {x, y + h / 2}});
    }
  }
  const int gridBottom = layout.CellTopLeft(side - 1, 0).y + 2 * layout.h + 1;
  DrawScale(c, layout, width - kMargin, gridBottom, top);
}

}  // namespace vadidazid
