// The recording canvas: drawing calls as text lines (see recordingcanvas.h).
#include "platform/drawing/recordingcanvas.h"

#include "platform/drawing/fixedtextmetrics.h"
#include "platform/drawing/pixelrules.h"

namespace vadidazid {

namespace {

std::string Point(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }

std::string Box(int l, int t, int r, int b) { return Point(l, t) + "," + Point(r, b); }

std::string Points(const std::vector<TPoint>& points) {
  std::string s;
  for (const TPoint& p : points) {
    if (!s.empty()) s += ' ';
    s += Point(p.x, p.y);
  }
  return s;
}

const char* StyleName(TPenStyle style) {
  switch (style) {
    case TPenStyle::psDash:
      return "dash";
    case TPenStyle::psDot:
      return "dot";
    case TPenStyle::psDashDot:
      return "dashdot";
    case TPenStyle::psDashDotDot:
      return "dashdotdot";
    default:
      return "";
  }
}

}  // namespace

std::string RecordingCanvas::ColorText(TColor color) {
  if (color == clNone) return "none";
  static constexpr char kHex[] = "0123456789ABCDEF";
  const unsigned rgb = unsigned(ColorToRGB(color) & 0xFFFFFF);
  std::string text = "#";
  for (int shift = 20; shift >= 0; shift -= 4) text += kHex[(rgb >> shift) & 0xF];
  return text;
}

std::string RecordingCanvas::PenText(const TPen& pen) {
  if (!PenVisible(pen)) return "pen none";
  std::string s = "pen " + ColorText(pen.color) + " " + std::to_string(pen.width);
  if (pen.style != TPenStyle::psSolid) s += std::string(" ") + StyleName(pen.style);
  if (pen.width > 1 && pen.cap != TPenCap::Round)
    s += pen.cap == TPenCap::Square ? " square" : " flat";
  if (pen.mode == TPenMode::pmNotXor) s += " notxor";
  return s;
}

std::string RecordingCanvas::BrushText(const TBrush& brush) {
  if (!BrushVisible(brush)) return "brush none";
  return "brush " + ColorText(brush.color);
}

void RecordingCanvas::MoveTo(int x, int y) {
  Canvas::MoveTo(x, y);
  Note("MoveTo " + Point(x, y));
}

void RecordingCanvas::LineTo(int x, int y) {
  penPos_ = {x, y};
  Note("LineTo " + Point(x, y) + " " + PenText(pen));
}

void RecordingCanvas::Polyline(const std::vector<TPoint>& points) {
  Note("Polyline " + Points(points) + " " + PenText(pen));
}

void RecordingCanvas::Polygon(const std::vector<TPoint>& points) {
  Note("Polygon " + Points(points) + " " + PenText(pen) + " " + BrushText(brush));
}

void RecordingCanvas::FillRect(const TRect& r) {
  Note("FillRect " + Box(r.left, r.top, r.right, r.bottom) + " " + BrushText(brush));
}

void RecordingCanvas::Rectangle(int left, int top, int right, int bottom) {
  Note("Rectangle " + Box(left, top, right, bottom) + " " + PenText(pen) + " " + BrushText(brush));
}

void RecordingCanvas::Ellipse(int left, int top, int right, int bottom) {
  Note("Ellipse " + Box(left, top, right, bottom) + " " + PenText(pen) + " " + BrushText(brush));
}

void RecordingCanvas::TextOut(int x, int y, const std::string& utf8) {
  std::string s = "TextOut " + Point(x, y) + " \"" + utf8 + "\" font \"" + font.name + "\" " +
                  std::to_string(font.height) + " " + ColorText(font.color);
  if (font.bold) s += " bold";
  if (font.italic) s += " italic";
  if (font.underline) s += " underline";
  if (font.strikeOut) s += " strikeout";
  if (backMode == TBackMode::Opaque) s += " opaque " + ColorText(brush.color);
  Note(std::move(s));
  // As on the image canvas, the pen ends up after the text.
  Canvas::MoveTo(x + TextExtent(utf8).cx, y);
}

TSize RecordingCanvas::TextExtent(const std::string& utf8) {
  return FixedWidthTextExtent(font, utf8);
}

void RecordingCanvas::SetPixel(int x, int y, TColor color) {
  Note("SetPixel " + Point(x, y) + " " + ColorText(color));
}

TColor RecordingCanvas::GetPixel(int, int) const { return clNone; }

void RecordingCanvas::DrawCheckBox(const TRect& r, bool checked) {
  Note("CheckBox " + Box(r.left, r.top, r.right, r.bottom) + (checked ? " checked" : " unchecked"));
}

void RecordingCanvas::SetClipRect(std::optional<TRect> clip) {
  Canvas::SetClipRect(clip);
  Note(clip ? "Clip " + Box(clip->left, clip->top, clip->right, clip->bottom) : "Clip none");
}

std::unique_ptr<Canvas> RecordingCanvas::CreateBitmap(int, int) const {
  return std::make_unique<RecordingCanvas>();
}

void RecordingCanvas::CopyFrom(int x, int y, const Canvas&, const TRect& r) {
  Note("CopyFrom " + Point(x, y) + " " + Box(r.left, r.top, r.right, r.bottom));
}

}  // namespace vadidazid
