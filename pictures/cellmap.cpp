// Drawing of the cell map: its colour scale, its frame of title, numbers and scale
// around the grid, and the grid itself.
#include "pictures/cellmap.h"

#include <algorithm>
#include <cmath>

#include "pictures/studyplot.h"
#include "platform/text/numtext.h"

namespace vadidazid {

namespace {

int HalfWidth(int h) { return int(std::sqrt(3.0) * h * 0.5); }
int RowPitch(int h) { return 2 * h - h / 2 + 1; }
int Px(double pixels, double scale) { return std::max(1, int(std::lround(pixels * scale))); }

struct Stop {
  double at;
  int r, g, b;
};
// Nine even steps of a sequential palette whose lightness rises steadily from dark violet
// to yellow while its hue turns through blue and green: equal differences of value look
// about equally different anywhere on the scale, a reader with a common colour blindness
// still reads it as one ramp, and a grey print keeps the order.
constexpr Stop kStops[] = {{0.000, 68, 1, 84},    {0.125, 71, 44, 122},  {0.250, 59, 81, 139},
                           {0.375, 44, 113, 142}, {0.500, 33, 144, 141}, {0.625, 39, 173, 129},
                           {0.750, 92, 200, 99},  {0.875, 170, 220, 50}, {1.000, 253, 231, 37}};

// Where everything but the hexagons goes, from the picture's size and its text's extents.
struct Frame {
  double scale = 1;  // of the text and the rings' pens
  TFont title, text;
  MapScale colours;
  std::vector<double> ticks;
  int margin = 0, gap = 0, textHeight = 0;
  int numbersTop = 0;  // the column numbers' line, and the unit's above the bar
  int barLeft = 0, barWidth = 0, tickLength = 0;
  int footTop = 0;
  MapLayout layout;
};

TFont MapFont(int points, double scale, bool bold) {
  TFont font{"Arial", -11, clBlack, bold};
  font.SetSize(Px(points, scale));
  return font;
}

// The largest hexagons whose side x side grid fits the area.
MapLayout Fit(int left, int top, int areaWidth, int areaHeight, int side) {
  MapLayout layout{left, top, 2, HalfWidth(2)};
  for (int h = 3;; ++h) {
    const int w = HalfWidth(h);
    const int gridWidth = side * (2 * w + 1) + w;
    const int gridHeight = (side - 1) * RowPitch(h) + 2 * h + 1;
    if (gridWidth > areaWidth || gridHeight > areaHeight) break;
    layout.h = h;
    layout.w = w;
  }
  return layout;
}

Frame FrameOf(Canvas& c, int width, int height, const MapData& d, const MapLook& look) {
  PlotLook plot;  // the plot's rule, so a map and a plot of one size read alike
  plot.scale = look.scale;
  const double scale = PlotScale(plot, width, height);
  Frame f;
  f.scale = scale;
  f.title = MapFont(11, scale, true);
  f.text = MapFont(8, scale, false);
  f.colours = MapScaleOf(d.values, d.measure, look.range);
  f.ticks = MapTicks(f.colours);
  f.margin = Px(12, scale);
  f.gap = Px(6, scale);
  f.barWidth = Px(18, scale);
  f.tickLength = Px(5, scale);
  c.font = f.text;
  f.textHeight = c.TextHeight("0");
  int labels = 0;
  for (double t : f.ticks) labels = std::max(labels, c.TextWidth(FloatToStr(t)));
  const std::string unit =
      PlotTextOr(look.language, std::string("unit:") + MapMeasureName(d.measure));
  const int scaleWidth =
      std::max(f.barWidth + f.tickLength + f.gap / 2 + labels, c.TextWidth(unit));
  f.barLeft = width - f.margin - scaleWidth;
  const int rowNumbers = c.TextWidth(IntToStr(std::max(d.side - 1, 0))) + f.gap;
  c.font = f.title;
  f.numbersTop = f.margin + c.TextHeight(MapTitle(d, look.language)) + f.gap;
  f.footTop = height - f.margin - f.textHeight;
  const int gridLeft = f.margin + rowNumbers;
  const int gridTop = f.numbersTop + f.textHeight + f.gap / 2;
  const int areaWidth = f.barLeft - 2 * f.gap - gridLeft;
  f.layout = Fit(gridLeft, gridTop, areaWidth, f.footTop - f.gap - gridTop, d.side);
  // The room a grid held by the height leaves goes to both sides of the grid and its
  // scale together, which keeps the scale beside the cells it explains.
  const int slack = std::max(areaWidth - (d.side * (2 * f.layout.w + 1) + f.layout.w), 0);
  f.layout.left += slack / 2;
  f.barLeft -= slack - slack / 2;
  f.layout.scaleLeft = f.barLeft;
  return f;
}

int GridBottom(const MapLayout& layout, int side) {
  return layout.CellTopLeft(side - 1, 0).y + 2 * layout.h;
}

// Every how many rows or columns a number fits: 1, 2, 5, 10 or 20.
int NumberEvery(int pitch, int needed) {
  for (int k : {1, 2, 5, 10}) {
    if (k * pitch >= needed) return k;
  }
  return 20;
}

void DrawNumbers(Canvas& c, const Frame& f, int side) {
  c.font = f.text;
  const MapLayout& l = f.layout;
  const int columns = NumberEvery(2 * l.w + 1, c.TextWidth(IntToStr(side - 1)) + f.gap / 2);
  for (int col = 0; col < side; col += columns) {
    const std::string text = IntToStr(col);
    c.TextOut(l.CellCentre(0, col).x - c.TextWidth(text) / 2, f.numbersTop, text);
  }
  const int rows = NumberEvery(RowPitch(l.h), f.textHeight);
  for (int row = 0; row < side; row += rows) {
    const std::string text = IntToStr(row);
    c.TextOut(l.left - f.gap / 2 - c.TextWidth(text), l.CellCentre(row, 0).y - f.textHeight / 2,
              text);
  }
}

// A black ring with a white rim on both sides, which stands out on every colour of the
// palette and leaves the cell's own colour inside it.
void DrawRing(Canvas& c, TPoint centre, int radius, double scale) {
  c.brush.style = TBrushStyle::bsClear;
  const TPen pens[] = {TPen{clWhite, Px(4, scale)}, TPen{clBlack, Px(2, scale)}};
  for (const TPen& pen : pens) {
    c.pen = pen;
    c.Ellipse(centre.x - radius, centre.y - radius, centre.x + radius + 1, centre.y + radius + 1);
  }
  c.pen = TPen{clGray};
}

void DrawScale(Canvas& c, const Frame& f, int bottom, const std::string& unit) {
  const int x0 = f.barLeft, top = f.layout.top;
  const int span = std::max(bottom - top, 1);
  for (int y = top; y <= bottom; ++y) {
    c.brush = TBrush{MapColor(double(bottom - y) / span), TBrushStyle::bsSolid};
    c.FillRect({x0, y, x0 + f.barWidth, y + 1});
  }
  c.pen = TPen{clGray};
  c.brush.style = TBrushStyle::bsClear;
  c.Rectangle(x0 - 1, top - 1, x0 + f.barWidth + 1, bottom + 2);
  c.font = f.text;
  // Half a line above the column numbers, clear of the top label beside the bar's end.
  c.TextOut(x0, f.numbersTop - f.textHeight / 2, unit);
  const double range = f.colours.high - f.colours.low;
  c.pen = TPen{clBlack};
  for (double t : f.ticks) {
    const int y = bottom - int(std::lround((t - f.colours.low) / range * span));
    c.MoveTo(x0 + f.barWidth, y);
    c.LineTo(x0 + f.barWidth + f.tickLength, y);
    c.TextOut(x0 + f.barWidth + f.tickLength + f.gap / 2, y - f.textHeight / 2, FloatToStr(t));
  }
}

// The foot: what the ring and the grey mean.
void DrawFoot(Canvas& c, const Frame& f, const MapData& d, const MapLook& look, double scale) {
  c.font = f.text;
  int x = f.margin;
  const int middle = f.footTop + f.textHeight / 2;
  if (d.startRow >= 0 && d.startRow < d.side && d.startColumn >= 0 && d.startColumn < d.side) {
    const int radius = std::max(2, f.textHeight / 2 - 1);
    DrawRing(c, {x + radius, middle}, radius, scale);
    x += 2 * radius + f.gap;
    const PlotLanguage l = look.language;
    const std::string text = PlotTextOr(l, "start-cell") + ": " + PlotTextOr(l, "row") + " " +
                             IntToStr(d.startRow) + ", " + PlotTextOr(l, "column") + " " +
                             IntToStr(d.startColumn);
    c.TextOut(x, f.footTop, text);
    x += c.TextWidth(text) + 3 * f.gap;
  }
  if (std::none_of(d.values.begin(), d.values.end(), [](double v) { return std::isnan(v); }))
    return;
  c.pen = TPen{clGray};
  c.brush = TBrush{MapColor(NAN), TBrushStyle::bsSolid};
  c.Rectangle(x, f.footTop, x + f.textHeight, f.footTop + f.textHeight);
  const std::string none = PlotText(look.language, std::string("none:") + MapMeasureName(d.measure))
                               .value_or(PlotTextOr(look.language, "none"));
  c.TextOut(x + f.textHeight + f.gap, f.footTop, none);
}

}  // namespace

TPoint MapLayout::CellTopLeft(int row, int column) const {
  return {left + column * (2 * w + 1) + (row % 2 == 1 ? w : 0), top + row * RowPitch(h)};
}

TPoint MapLayout::CellCentre(int row, int column) const {
  const TPoint p = CellTopLeft(row, column);
  return {p.x + w, p.y + h};
}

MapScale MapScaleOf(const std::vector<double>& values, MapMeasure measure,
                    const std::optional<MapRange>& range) {
  const bool whole = measure == MapMeasure::Dropped;
  if (range) {
    const double step = LabelStep(range->low, range->high);
    return {range->low, range->high, whole ? std::max(step, 1.0) : step};
  }
  double low = INFINITY, high = -INFINITY;
  for (double v : values) {
    if (std::isfinite(v)) low = std::min(low, v), high = std::max(high, v);
  }
  if (!(low <= high)) low = high = 0;
  // One value everywhere is shown against 0, so that its label says what it is.
  if (low == high) low = std::min(low, 0.0), high = std::max(high, 0.0);
  if (low == high) high = low + 1;
  AxisSteps steps = RoundedSteps(low, high);
  if (whole && steps.step < 1) steps = {std::floor(low), std::ceil(high), 1};
  if (measure == MapMeasure::CallCongestion) {
    steps.minimum = std::max(steps.minimum, 0.0);
    steps.top = std::min(steps.top, 1.0);
  }
  return {steps.minimum, steps.top, steps.step};
}

std::vector<double> MapTicks(const MapScale& s) {
  std::vector<double> ticks;
  // Multiples of the step, so that rounding leaves no 0.30000000000000004 on the scale.
  for (double k = std::ceil(s.low / s.step - 1e-9); ticks.size() < 100; ++k) {
    const double value = k * s.step + 0.0;  // -0 becomes 0
    if (!(value <= s.high + s.step * 1e-9)) break;
    ticks.push_back(value);
  }
  return ticks;
}

TColor MapColor(double share) {
  if (std::isnan(share)) return clSilver;
  share = std::clamp(share, 0.0, 1.0);
  size_t i = 0;
  while (i + 2 < std::size(kStops) && share > kStops[i + 1].at) ++i;
  const Stop& a = kStops[i];
  const Stop& b = kStops[i + 1];
  const double t = (share - a.at) / (b.at - a.at);
  auto mix = [t](int x, int y) { return uint8_t(std::lround(x + (y - x) * t)); };
  return RGBColor(mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b));
}

std::string MapTitle(const MapData& d, PlotLanguage language) {
  std::string steps;
  if (d.lastStep < d.firstStep) {
    steps = PlotTextOr(language, "no-steps");
  } else if (d.lastStep == d.firstStep) {
    steps = PlotTextOr(language, "step") + " " + IntToStr(d.firstStep);
  } else {
    steps = PlotTextOr(language, "steps") + " " + IntToStr(d.firstStep) + "\u2013" +
            IntToStr(d.lastStep);
  }
  return PlotTextOr(language, std::string("map:") + MapMeasureName(d.measure)) + ", " + steps;
}

MapLayout MapLayoutOf(Canvas& canvas, int width, int height, const MapData& data,
                      const MapLook& look) {
  return FrameOf(canvas, width, height, data, look).layout;
}

void DrawCellMap(Canvas& c, int width, int height, const MapData& d, const MapLook& look) {
  const Frame f = FrameOf(c, width, height, d, look);
  const double scale = f.scale;
  c.brush = TBrush{clWhite, TBrushStyle::bsSolid};
  c.FillRect({0, 0, width, height});
  c.font = f.title;
  c.TextOut(f.margin, f.margin, MapTitle(d, look.language));
  const MapLayout& l = f.layout;
  const double range = f.colours.high - f.colours.low;
  c.pen = TPen{clGray};
  for (int r = 0; r < d.side; ++r) {
    for (int col = 0; col < d.side; ++col) {
      const double v = d.values[size_t(r) * size_t(d.side) + size_t(col)];
      c.brush = TBrush{MapColor((v - f.colours.low) / range), TBrushStyle::bsSolid};
      const TPoint p = l.CellTopLeft(r, col);
      const int x = p.x, y = p.y, h = l.h, w = l.w;
      c.Polygon({{x + w, y},
                 {x + 2 * w, y + h / 2},
                 {x + 2 * w, y + h + h / 2},
                 {x + w, y + 2 * h},
                 {x, y + h + h / 2},
                 {x, y + h / 2}});
    }
  }
  if (d.startRow >= 0 && d.startRow < d.side && d.startColumn >= 0 && d.startColumn < d.side) {
    DrawRing(c, l.CellCentre(d.startRow, d.startColumn), std::max(2, l.w * 9 / 20), scale);
  }
  DrawNumbers(c, f, d.side);
  DrawScale(c, f, GridBottom(l, d.side),
            PlotTextOr(look.language, std::string("unit:") + MapMeasureName(d.measure)));
  DrawFoot(c, f, d, look, scale);
}

}  // namespace vadidazid
