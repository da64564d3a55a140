// The SVG canvas: elements written as the drawing calls come (see svgcanvas.h).
#include "platform/drawing/svgcanvas.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "platform/drawing/fixedtextmetrics.h"
#include "platform/drawing/pixelrules.h"
#include "platform/drawing/rasterizer.h"

namespace vadidazid {

namespace {

std::string Num(double value) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

// Pixel centre of a whole coordinate.
std::string Mid(int v) { return Num(v + 0.5); }

std::string Hex(TColor color) {
  static const char kDigits[] = "0123456789ABCDEF";
  const TColor c = ColorToRGB(color);
  std::string text = "#";
  for (uint8_t part : {RedOf(c), GreenOf(c), BlueOf(c)}) {
    text += kDigits[part >> 4];
    text += kDigits[part & 15];
  }
  return text;
}

// Text content and attribute values: markup characters escaped, and control
// characters, which XML cannot hold, left out.
std::string Escaped(const std::string& text) {
  std::string out;
  for (char ch : text) {
    switch (ch) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        if (static_cast<unsigned char>(ch) >= 0x20 || ch == '\t') out += ch;
    }
  }
  return out;
}

std::string Lower(std::string text) {
  for (char& ch : text) ch = char(std::tolower(static_cast<unsigned char>(ch)));
  return text;
}

// The font's own family first, then one that any viewer has of the same kind.
std::string FamilyText(const std::string& name) {
  const std::string lower = Lower(name);
  std::string generic = "Liberation Sans, Arial, sans-serif";
  if (lower.find("courier") != std::string::npos || lower.find("mono") != std::string::npos) {
    generic = "Liberation Mono, Courier New, monospace";
  } else if (lower.find("times") != std::string::npos || lower.find("serif") == 0) {
    generic = "Liberation Serif, Times New Roman, serif";
  }
  std::string family(1, '\'');
  family += Escaped(name);
  family += "', ";
  family += generic;
  return family;
}

// The raster's dash runs (pixelrules.h) as a dash array: each dash is one shorter and
// each gap one longer, because the square caps add half a pixel at either end of a dash.
std::string DashText(TPenStyle style) {
  const std::span<const int> runs = DashRuns(style);
  std::string text;
  for (size_t i = 0; i < runs.size(); ++i) {
    if (i > 0) text += ' ';
    text += Num(i % 2 == 0 ? runs[i] - 1 : runs[i] + 1);
  }
  return text;
}

std::string PointsText(const std::vector<TPoint>& points) {
  std::string text;
  for (const TPoint& p : points) {
    if (!text.empty()) text += ' ';
    text += Mid(p.x) + "," + Mid(p.y);
  }
  return text;
}

// The last pixel a one-pixel line from a to b puts down: the end point itself is left
// out, as on every canvas.
TPoint LastPixel(TPoint a, TPoint b) {
  return Rasterizer::LinePixel(a, b, Rasterizer::LineSteps(a, b) - 1);
}

}  // namespace

SvgCanvas::SvgCanvas(int width, int height, Canvas* measure, TColor background)
    : width_(std::max(width, 0)), height_(std::max(height, 0)), measure_(measure) {
  if (background != clNone) Box({0, 0, width_, height_}, background);
}

SvgCanvas::~SvgCanvas() = default;

std::string SvgCanvas::Document() const {
  std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  text += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Num(width_) + "\" height=\"" +
          Num(height_) + "\" viewBox=\"0 0 " + Num(width_) + " " + Num(height_) + "\">\n";
  text += body_;
  if (groupOpen_) text += "</g>\n";
  text += "</svg>\n";
  return text;
}

std::string SvgCanvas::FillText() const {
  return BrushVisible(brush) ? " fill=\"" + Hex(brush.color) + "\"" : " fill=\"none\"";
}

std::string SvgCanvas::StrokeText(bool path) const {
  if (!PenVisible(pen)) return " stroke=\"none\"";
  std::string text = " stroke=\"" + Hex(pen.color) + "\"";
  text += " stroke-width=\"" + Num(std::max(pen.width, 1)) + "\"";
  // Wide pens with their ends, joins and dashes, as in the raster picture.
  if (pen.width <= 1) {
    const std::string dash = DashText(pen.style);
    if (!dash.empty()) text += " stroke-dasharray=\"" + dash + "\"";
    return text;
  }
  std::string dashes;
  for (int length : path ? WideDashLengths(pen) : std::vector<int>{}) {
    if (!dashes.empty()) dashes += ' ';
    dashes += Num(length);
  }
  if (!dashes.empty()) text += " stroke-dasharray=\"" + dashes + "\"";
  switch (pen.cap) {
    case TPenCap::Round:
      text += " stroke-linecap=\"round\" stroke-linejoin=\"round\"";
      break;
    case TPenCap::Square:
      text += " stroke-linecap=\"square\" stroke-linejoin=\"bevel\"";
      break;
    case TPenCap::Flat:
      text += " stroke-linejoin=\"miter\"";
      break;
  }
  return text;
}

void SvgCanvas::Element(const std::string& text) { body_ += text + "\n"; }

void SvgCanvas::Box(const TRect& box, TColor color) {
  if (box.IsEmpty() || color == clNone) return;
  Element("<rect x=\"" + Num(box.left) + "\" y=\"" + Num(box.top) + "\" width=\"" +
          Num(box.Width()) + "\" height=\"" + Num(box.Height()) + "\" fill=\"" + Hex(color) +
          "\"/>");
}

// One-pixel open lines end on their last drawn pixel with square caps, so they cover
// from the first pixel's edge to the last pixel's, as the raster line does.
void SvgCanvas::LineTo(int x, int y) {
  if (PenVisible(pen) && !(penPos_ == TPoint{x, y})) {
    const TPoint end = pen.width <= 1 ? LastPixel(penPos_, {x, y}) : TPoint{x, y};
    Element("<line x1=\"" + Mid(penPos_.x) + "\" y1=\"" + Mid(penPos_.y) + "\" x2=\"" + Mid(end.x) +
            "\" y2=\"" + Mid(end.y) + "\"" + StrokeText(true) + ThinCaps() + "/>");
  }
  penPos_ = {x, y};
}

void SvgCanvas::Polyline(const std::vector<TPoint>& points) {
  if (points.size() < 2 || !PenVisible(pen)) return;
  std::vector<TPoint> drawn = points;
  if (pen.width <= 1) {
    // Repeated end points draw nothing; the last segment that moves loses its end pixel.
    while (drawn.size() > 1 && drawn.back() == drawn[drawn.size() - 2]) drawn.pop_back();
    if (drawn.size() < 2) return;
    drawn.back() = LastPixel(drawn[drawn.size() - 2], drawn.back());
  }
  Element("<polyline points=\"" + PointsText(drawn) + "\" fill=\"none\"" + StrokeText(true) +
          ThinCaps() + "/>");
}

std::string SvgCanvas::ThinCaps() const {
  return pen.width <= 1 ? " stroke-linecap=\"square\" stroke-linejoin=\"miter\"" : "";
}

void SvgCanvas::Polygon(const std::vector<TPoint>& points) {
  if (points.size() < 2 || (!PenVisible(pen) && !BrushVisible(brush))) return;
  Element("<polygon points=\"" + PointsText(points) + "\"" + FillText() + StrokeText(true) + "/>");
}

void SvgCanvas::FillRect(const TRect& rect) {
  if (BrushVisible(brush)) Box(rect, brush.color);
}

void SvgCanvas::Rectangle(int left, int top, int right, int bottom) {
  const TRect box = Normalised(left, top, right, bottom);
  if (box.IsEmpty()) return;
  if (!PenVisible(pen)) {
    FillRect(box);
    return;
  }
  // The stroke's middle: the pixel centres of a one-pixel outline, and for a wide pen
  // the middle of the band it covers around the box.
  const int w = std::max(pen.width, 1);
  const double l = box.left - (w - 1) / 2 + w / 2.0;
  const double t = box.top - (w - 1) / 2 + w / 2.0;
  const double r = box.right + w / 2 - w / 2.0;
  const double b = box.bottom + w / 2 - w / 2.0;
  Element("<rect x=\"" + Num(l) + "\" y=\"" + Num(t) + "\" width=\"" + Num(std::max(r - l, 0.0)) +
          "\" height=\"" + Num(std::max(b - t, 0.0)) + "\"" + FillText() + StrokeText() + "/>");
}

void SvgCanvas::Ellipse(int left, int top, int right, int bottom) {
  const TRect box = Normalised(left, top, right, bottom);
  if (box.IsEmpty() || (!PenVisible(pen) && !BrushVisible(brush))) return;
  // A clear pen fills the whole box; a one-pixel outline runs through the centres of
  // the box's edge pixels.
  const double inset = PenVisible(pen) && pen.width <= 1 ? 0.5 : 0.0;
  const double rx = std::max(box.Width() / 2.0 - inset, 0.0);
  const double ry = std::max(box.Height() / 2.0 - inset, 0.0);
  Element("<ellipse cx=\"" + Num((box.left + box.right) / 2.0) + "\" cy=\"" +
          Num((box.top + box.bottom) / 2.0) + "\" rx=\"" + Num(rx) + "\" ry=\"" + Num(ry) + "\"" +
          FillText() + StrokeText() + "/>");
}

void SvgCanvas::TextOut(int x, int y, const std::string& utf8) {
  const TSize extent = TextExtent(utf8);
  if (backMode == TBackMode::Opaque && brush.color != clNone) {
    Box({x, y, x + extent.cx, y + extent.cy}, brush.color);
  }
  Text(x, y, utf8, false);
  Canvas::MoveTo(x + extent.cx, y);
}

void SvgCanvas::TextOutUp(int x, int y, const std::string& utf8) { Text(x, y, utf8, true); }

void SvgCanvas::Text(int x, int y, const std::string& utf8, bool up) {
  const TSize extent = TextExtent(utf8);
  if (!utf8.empty() && font.color != clNone) {
    // The baseline sits where the cell's ascent ends; the descent of sans-serif faces is
    // close to a fifth of their cell.
    const int ascent = extent.cy - int(std::ceil(extent.cy * 0.19));
    // Text read upwards starts at the box's bottom-left, its ascent reaching left.
    const int startX = up ? x + ascent : x;
    const int baseline = up ? y + extent.cx : y + ascent;
    const int em = font.height < 0 ? -font.height : font.height > 0 ? font.height * 87 / 100 : 11;
    std::string style =
        " font-family=\"" + FamilyText(font.name) + "\" font-size=\"" + Num(em) + "\"";
    if (font.bold) style += " font-weight=\"bold\"";
    if (font.italic) style += " font-style=\"italic\"";
    if (font.underline || font.strikeOut) {
      style += std::string(" text-decoration=\"") + (font.underline ? "underline" : "") +
               (font.underline && font.strikeOut ? " " : "") +
               (font.strikeOut ? "line-through" : "") + "\"";
    }
    if (up) {
      style += " transform=\"rotate(-90 " + Num(startX) + " " + Num(baseline) + ")\"";
    }
    Element("<text x=\"" + Num(startX) + "\" y=\"" + Num(baseline) + "\" textLength=\"" +
            Num(extent.cx) + "\" lengthAdjust=\"spacingAndGlyphs\" fill=\"" + Hex(font.color) +
            "\"" + style + " xml:space=\"preserve\">" + Escaped(utf8) + "</text>");
  }
}

TSize SvgCanvas::TextExtent(const std::string& utf8) {
  if (!measure_) return FixedWidthTextExtent(font, utf8);
  measure_->font = font;
  return measure_->TextExtent(utf8);
}

void SvgCanvas::SetPixel(int x, int y, TColor color) { Box({x, y, x + 1, y + 1}, color); }

TColor SvgCanvas::GetPixel(int, int) const { return clNone; }

void SvgCanvas::DrawCheckBox(const TRect& box, bool checked) {
  // The frame as the whole box with the inside over it: the same pixels as the image
  // canvas, in fewer elements.
  const CheckBoxParts parts = CheckBoxLayout(box, checked);
  if (parts.box.IsEmpty()) return;
  Box(parts.box, clBtnShadow);
  if (parts.inside.IsEmpty()) return;
  Box(parts.inside, clWindow);
  for (const TRect& column : parts.tick) Box(column, clWindowText);
}

void SvgCanvas::SetClipRect(std::optional<TRect> clip) {
  Canvas::SetClipRect(clip);
  if (groupOpen_) body_ += "</g>\n";
  groupOpen_ = false;
  if (!clip) return;
  const std::string id = "clip" + std::to_string(++clipCount_);
  const TRect c = *clip;
  Element("<clipPath id=\"" + id + "\"><rect x=\"" + Num(c.left) + "\" y=\"" + Num(c.top) +
          "\" width=\"" + Num(std::max(c.Width(), 0)) + "\" height=\"" +
          Num(std::max(c.Height(), 0)) + "\"/></clipPath>");
  Element("<g clip-path=\"url(#" + id + ")\">");
  groupOpen_ = true;
}

}  // namespace vadidazid
