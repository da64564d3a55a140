// The chart canvas on a platform Canvas (see teecanvas3d.h).
#include "chart/canvas/teecanvas3d.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/drawing/fixedtextmetrics.h"
#include "platform/drawing/pixelrules.h"
#include "platform/drawing/rasterizer.h"

namespace vadidazid {

namespace {

bool IsUtf8Start(unsigned char c) { return (c & 0xC0) != 0x80; }

// The text cut into its UTF-8 characters.
std::vector<std::string> Characters(const std::string& text) {
  std::vector<std::string> chars;
  for (unsigned char c : text) {
    if (IsUtf8Start(c) || chars.empty()) chars.emplace_back();
    chars.back().push_back(char(c));
  }
  return chars;
}

TPenCap CapOf(TPenEndStyle style) {
  switch (style) {
    case TPenEndStyle::esSquare:
      return TPenCap::Square;
    case TPenEndStyle::esFlat:
      return TPenCap::Flat;
    default:
      return TPenCap::Round;
  }
}

}  // namespace

TTeeCanvas3D::TTeeCanvas3D(Canvas* defaultCanvas)
    : defaultCanvas_(defaultCanvas), canvas_(defaultCanvas) {}

TTeeCanvas3D::~TTeeCanvas3D() = default;

void TTeeCanvas3D::SetDefaultCanvas(Canvas* canvas) {
  if (canvas_ == defaultCanvas_) canvas_ = canvas;
  defaultCanvas_ = canvas;
}

Canvas& TTeeCanvas3D::ReferenceCanvas() {
  if (canvas_) return *canvas_;
  if (!fallback_) fallback_ = std::make_unique<FixedMetricsCanvas>();
  return *fallback_;
}

void TTeeCanvas3D::DeleteBitmap() {
  if (canvas_ == bitmap_.get()) canvas_ = defaultCanvas_;
  bitmap_.reset();
  bitmapSize_ = {};
}

TColor TTeeCanvas3D::GetPixel(int x, int y) { return ReferenceCanvas().GetPixel(x, y); }

void TTeeCanvas3D::SetPixel(int x, int y, TColor color) {
  ReferenceCanvas().SetPixel(x, y, monochrome_ ? clBlack : color);
}

void TTeeCanvas3D::SetBackMode(TCanvasBackMode mode) {
  backMode_ = mode;
  ReferenceCanvas().backMode =
      mode == TCanvasBackMode::cbmOpaque ? TBackMode::Opaque : TBackMode::Transparent;
}

void TTeeCanvas3D::SetUseBuffer(bool value) {
  if (useBuffer_ == value) return;
  useBuffer_ = value;
  if (!value) {
    DeleteBitmap();
    imageStale_ = true;
  }
}

void TTeeCanvas3D::AssignVisiblePenColor(const TChartPen& pen, TColor color) {
  if (monochrome_) color = clBlack;
  smallDots_ = false;
  TPen& p = ReferenceCanvas().pen;
  p.mode = pen.Mode();
  if (!pen.Visible()) {
    p.style = TPenStyle::psClear;
    return;
  }
  p.color = color;
  p.style = pen.Style();
  p.width = pen.Width();
  p.cap = TPenCap::Round;
  if (pen.SmallDots()) {
    // Drawn here pixel by pixel; the platform pen keeps the colour for anyone reading it.
    smallDots_ = true;
    smallSpace_ = pen.SmallSpace();
    p.width = 1;
    p.style = TPenStyle::psSolid;
  } else if (pen.Width() >= 2) {
    p.cap = CapOf(pen.EndStyle());
  }
}

void TTeeCanvas3D::AssignBrushColor(const TChartBrush& brush, TColor color, TColor backColor) {
  if (monochrome_) color = clWhite;
  TBrush& b = ReferenceCanvas().brush;
  b.color = color;
  b.style = brush.Style();
  if (backColor == clNone) {
    SetBackMode(TCanvasBackMode::cbmTransparent);
  } else {
    SetBackMode(TCanvasBackMode::cbmOpaque);
    backColor_ = backColor;
  }
}

void TTeeCanvas3D::AssignFont(const TTeeFont& font) {
  TFont f = font.Font();
  if (fontZoom_ != 100) {
    f.SetSize(int(std::nearbyint(f.Size() * fontZoom_ / 100.0)));
  }
  if (monochrome_) f.color = clBlack;
  ReferenceCanvas().font = f;
  interCharSize_ = font.InterCharSize();
  currentFont_ = &font;
}

bool TTeeCanvas3D::PenDraws() const { return PenVisible(canvas_ ? canvas_->pen : TPen{}); }

void TTeeCanvas3D::DottedSegment(TPoint a, TPoint b) {
  const int period = smallSpace_ <= 0 ? 2 : smallSpace_ + 2;
  const TColor color = ReferenceCanvas().pen.color;
  int i = 0;
  for (const TPoint& p : Rasterizer::Line(a, b)) {
    if (i % period == 0) ReferenceCanvas().SetPixel(p.x, p.y, color);
    ++i;
  }
}

void TTeeCanvas3D::MoveTo(int x, int y) { ReferenceCanvas().MoveTo(x, y); }

void TTeeCanvas3D::LineTo(int x, int y) {
  Canvas& c = ReferenceCanvas();
  if (!smallDots_) {
    c.LineTo(x, y);
    return;
  }
  if (PenDraws()) DottedSegment(c.PenPos(), {x, y});
  c.MoveTo(x, y);
}

void TTeeCanvas3D::Line(int x0, int y0, int x1, int y1) {
  MoveTo(x0, y0);
  LineTo(x1, y1);
}

void TTeeCanvas3D::Polyline(const std::vector<TPoint>& points) {
  if (!smallDots_) {
    ReferenceCanvas().Polyline(points);
    return;
  }
  if (!PenDraws()) return;
  for (size_t i = 0; i + 1 < points.size(); ++i) DottedSegment(points[i], points[i + 1]);
}

void TTeeCanvas3D::Polygon(const std::vector<TPoint>& points) {
  Canvas& c = ReferenceCanvas();
  if (!smallDots_) {
    c.Polygon(points);
    return;
  }
  const TPen pen = c.pen;
  c.pen.style = TPenStyle::psClear;
  c.Polygon(points);
  c.pen = pen;
  if (!PenDraws()) return;
  for (size_t i = 0; i < points.size() && points.size() > 1; ++i) {
    DottedSegment(points[i], points[(i + 1) % points.size()]);
  }
}

void TTeeCanvas3D::Rectangle(int x0, int y0, int x1, int y1) {
  Canvas& c = ReferenceCanvas();
  if (!PenDraws()) {
    // Without an outline the box loses its last column and row: the pixels a one-pixel
    // outline would have taken on the right and bottom stay untouched.
    c.FillRect({std::min(x0, x1), std::min(y0, y1), std::max(x0, x1) - 1, std::max(y0, y1) - 1});
    return;
  }
  if (!smallDots_) {
    c.Rectangle(x0, y0, x1, y1);
    return;
  }
  c.FillRect({x0 + 1, y0 + 1, x1 - 1, y1 - 1});
  Polyline({{x0, y0}, {x1 - 1, y0}, {x1 - 1, y1 - 1}, {x0, y1 - 1}, {x0, y0}});
}

void TTeeCanvas3D::RectangleWithZ(const TRect& r, int) {
  Polygon({{r.left, r.top}, {r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom}});
}

void TTeeCanvas3D::Ellipse(int x0, int y0, int x1, int y1) {
  ReferenceCanvas().Ellipse(x0, y0, x1, y1);
}

void TTeeCanvas3D::FillRect(const TRect& rect) { ReferenceCanvas().FillRect(rect); }

void TTeeCanvas3D::Frame3D(TRect& rect, TColor topLeft, TColor bottomRight, int width) {
  Canvas& c = ReferenceCanvas();
  c.pen.style = TPenStyle::psSolid;
  c.pen.width = 1;
  smallDots_ = false;
  --rect.right;
  --rect.bottom;
  for (int i = 0; i < width; ++i) {
    c.pen.color = monochrome_ ? clBlack : topLeft;
    c.Polyline({{rect.left, rect.bottom}, {rect.left, rect.top}, {rect.right, rect.top}});
    c.pen.color = monochrome_ ? clBlack : bottomRight;
    c.Polyline({{rect.right, rect.top}, {rect.right, rect.bottom}, {rect.left - 1, rect.bottom}});
    rect = {rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
  }
  ++rect.right;
  ++rect.bottom;
}

void TTeeCanvas3D::PlainText(int x, int y, const std::string& text) {
  Canvas& c = ReferenceCanvas();
  if (interCharSize_ == 0) {
    c.TextOut(x, y, text);
    return;
  }
  for (const std::string& ch : Characters(text)) {
    c.TextOut(x, y, ch);
    x += c.TextWidth(ch) + interCharSize_;
  }
}

void TTeeCanvas3D::TextOut(int x, int y, const std::string& text) {
  Canvas& c = ReferenceCanvas();
  // The platform draws from the top-left corner; the alignment moves that corner.
  const int width = TextWidth(text);
  const int height = TextHeight(text);
  const int horizontal = textAlign_ & TA_CENTER;
  if (horizontal == TA_CENTER) {
    x -= width / 2;
  } else if (horizontal == TA_RIGHT) {
    x -= width;
  }
  if (textAlign_ & TA_BOTTOM) y -= height;

  const TBackMode mode = c.backMode;
  const TColor brushColor = c.brush.color;
  // A cleared brush paints no box behind text, as it paints none inside shapes.
  if (c.brush.style == TBrushStyle::bsClear) c.backMode = TBackMode::Transparent;
  if (c.backMode == TBackMode::Opaque) c.brush.color = backColor_;
  const TTeeShadow* shadow = currentFont_ ? currentFont_->ShadowIfAny() : nullptr;
  if (shadow && shadow->HasSize()) {
    const int h = shadow->HorizSize();
    const int v = shadow->VertSize();
    // The text moves away from a negative offset, so the shadow stays on its side and
    // both fit in the measured box.
    const int sx = h < 0 ? x : x + h;
    const int sy = v < 0 ? y : y + v;
    if (h < 0) x -= h;
    if (v < 0) y -= v;
    const TColor fontColor = c.font.color;
    c.font.color = monochrome_ ? clBlack : shadow->Color();
    PlainText(sx, sy, text);
    c.font.color = fontColor;
    c.backMode = TBackMode::Transparent;
  }
  PlainText(x, y, text);
  c.backMode = mode;
  c.brush.color = brushColor;
}

int TTeeCanvas3D::TextWidth(const std::string& text) {
  int width = ReferenceCanvas().TextWidth(text);
  if (interCharSize_ != 0) width += interCharSize_ * int(Characters(text).size());
  const TTeeShadow* shadow = currentFont_ ? currentFont_->ShadowIfAny() : nullptr;
  if (shadow) width += std::abs(shadow->HorizSize());
  return width;
}

int TTeeCanvas3D::TextHeight(const std::string& text) {
  int height = ReferenceCanvas().TextHeight(text);
  const TTeeShadow* shadow = currentFont_ ? currentFont_->ShadowIfAny() : nullptr;
  if (shadow) height += std::abs(shadow->VertSize());
  return height;
}

void TTeeCanvas3D::ClipRectangle(const TRect& rect) {
  Canvas& c = ReferenceCanvas();
  savedClip_ = c.ClipRect();
  c.IntersectClipRect(rect);
}

void TTeeCanvas3D::UnClipRectangle() { ReferenceCanvas().SetClipRect(savedClip_); }

void TTeeCanvas3D::ClipCube(const TRect& rect, int, int) {
  ClipRectangle({rect.left + 1, rect.top + 1, rect.right, rect.bottom - 1});
}

TRect TTeeCanvas3D::InitWindow(Canvas& target, const TView3DOptions* options, TColor backColor,
                               bool is3D, const TRect& rect) {
  bounds_ = rect;
  fontZoom_ = options ? options->FontZoom : 100;
  // Only the flat projection is built: a chart asking for depth is drawn flat.
  (void)is3D;
  use3D_ = false;
  backColor_ = backColor;
  if (useBuffer_) {
    const TSize size{rect.Width(), rect.Height()};
    if (!bitmap_ || !(bitmapSize_ == size)) {
      bitmap_ = target.CreateBitmap(size.cx, size.cy);
      bitmapSize_ = bitmap_ ? size : TSize{};
    }
    if (bitmap_) {
      canvas_ = bitmap_.get();
      canvas_->SetClipRect(std::nullopt);
      return {0, 0, size.cx, size.cy};
    }
  }
  canvas_ = &target;
  return rect;
}

void TTeeCanvas3D::Projection(int, const TRect&, const TRect& chartRect) {
  centre_ = {(chartRect.left + chartRect.right) / 2, (chartRect.top + chartRect.bottom) / 2};
}

void TTeeCanvas3D::ShowImage(Canvas& target, Canvas& defaultCanvas, const TRect& rect) {
  if (useBuffer_ && bitmap_ && canvas_ == bitmap_.get()) {
    target.CopyFrom(rect.left, rect.top, *bitmap_, {0, 0, bitmapSize_.cx, bitmapSize_.cy});
    imageStale_ = &target != &defaultCanvas;
  }
  canvas_ = &defaultCanvas;
  defaultCanvas_ = &defaultCanvas;
}

bool TTeeCanvas3D::ReDrawBitmap() {
  if (imageStale_ || !bitmap_ || !canvas_) return false;
  canvas_->CopyFrom(0, 0, *bitmap_, {0, 0, bitmapSize_.cx, bitmapSize_.cy});
  return true;
}

void TTeeCanvas3D::ResetState() {
  Canvas& c = ReferenceCanvas();
  c.pen = TPen{};
  c.brush = TBrush{};
  TFont font;
  font.name = kTeeDefaultFontName;
  font.SetSize(kTeeDefaultFontSize);
  font.color = clBlack;
  c.font = font;
  smallDots_ = false;
  interCharSize_ = 0;
  currentFont_ = nullptr;
  backColor_ = clWhite;
  SetBackMode(TCanvasBackMode::cbmTransparent);
  textAlign_ = TA_LEFT | TA_TOP;
}

}  // namespace vadidazid
