// The image canvas: pixel-exact shapes on a QImage (see imagecanvas.h).
#include "platform/qt/imagecanvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>

#include "platform/drawing/pixelrules.h"
#include "platform/qt/fonts.h"
#include "platform/qt/qtcolor.h"

namespace vadidazid {

namespace {

uint32_t ToRgb32(TColor color) {
  TColor c = ColorToRGB(color);
  return qRgb(RedOf(c), GreenOf(c), BlueOf(c));
}

QRgb NotXor(QRgb ink, QRgb pixel) { return 0xFF000000u | (~(ink ^ pixel) & 0xFFFFFFu); }

TRect Shrunk(const TRect& r, int by) {
  return {r.left + by, r.top + by, r.right - by, r.bottom - by};
}

// The parts of the outer rows not covered by the inner rows (both sorted by y, the inner
// rows inside the outer ones).
std::vector<PixelSpan> RingSpans(const std::vector<PixelSpan>& outer,
                                 const std::vector<PixelSpan>& inner) {
  std::vector<PixelSpan> ring;
  size_t j = 0;
  for (const PixelSpan& o : outer) {
    while (j < inner.size() && inner[j].y < o.y) ++j;
    if (j < inner.size() && inner[j].y == o.y) {
      ring.push_back({o.y, o.x0, inner[j].x0 - 1});
      ring.push_back({o.y, inner[j].x1 + 1, o.x1});
    } else {
      ring.push_back(o);
    }
  }
  return ring;
}

QRect ToQRect(const TRect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

}  // namespace

ImageCanvas::ImageCanvas(int width, int height, TColor background) : background_(background) {
  Resize(width, height);
}

void ImageCanvas::Resize(int width, int height) {
  image_ = QImage(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
  image_.fill(background_ == clNone ? qRgb(0, 0, 0) : ToRgb32(background_));
  clip_.reset();
}

TRect ImageCanvas::Writable() const {
  TRect r{0, 0, image_.width(), image_.height()};
  if (clip_) {
    r.left = std::max(r.left, clip_->left);
    r.top = std::max(r.top, clip_->top);
    r.right = std::min(r.right, clip_->right);
    r.bottom = std::min(r.bottom, clip_->bottom);
  }
  return r;
}

void ImageCanvas::Plot(int x, int y, uint32_t rgb) {
  TRect w = Writable();
  if (x < w.left || x >= w.right || y < w.top || y >= w.bottom) return;
  QRgb& pixel = reinterpret_cast<QRgb*>(image_.scanLine(y))[x];
  pixel = pen.mode == TPenMode::pmNotXor ? NotXor(rgb, pixel) : rgb;
}

void ImageCanvas::Span(int y, int x0, int x1, uint32_t rgb) {
  TRect w = Writable();
  if (y < w.top || y >= w.bottom) return;
  x0 = std::max(x0, w.left);
  x1 = std::min(x1, w.right - 1);
  if (x0 > x1) return;
  QRgb* row = reinterpret_cast<QRgb*>(image_.scanLine(y));
  if (pen.mode == TPenMode::pmNotXor) {
    for (int x = x0; x <= x1; ++x) row[x] = NotXor(rgb, row[x]);
    return;
  }
  std::fill(row + x0, row + x1 + 1, rgb);
}

void ImageCanvas::Spans(const std::vector<PixelSpan>& spans, uint32_t rgb) {
  for (const PixelSpan& s : spans) Span(s.y, s.x0, s.x1, rgb);
}

void ImageCanvas::FillBox(const TRect& box, uint32_t rgb) {
  for (int y = box.top; y < box.bottom; ++y) Span(y, box.left, box.right - 1, rgb);
}

void ImageCanvas::ThinSegment(TPoint a, TPoint b) {
  const uint32_t ink = ToRgb32(pen.color);
  // Only the steps that can reach the image are visited, so a line from far outside
  // costs no more than its visible part.
  int first = 0;
  int end = 0;
  Rasterizer::LineStepRange(a, b, Writable(), first, end);
  if (pen.style == TPenStyle::psSolid) {
    for (int k = first; k < end; ++k) {
      const TPoint p = Rasterizer::LinePixel(a, b, k);
      Plot(p.x, p.y, ink);
    }
    return;
  }
  // A cleared brush fills no gaps: a dashed line drawn with one must show its dashes.
  const bool fillGaps = backMode == TBackMode::Opaque && BrushVisible(brush);
  const uint32_t gap = fillGaps ? ToRgb32(brush.color) : 0;
  for (int k = first; k < end; ++k) {
    const TPoint p = Rasterizer::LinePixel(a, b, k);
    if (DashOn(pen.style, dashPhase_ + k)) {
      Plot(p.x, p.y, ink);
    } else if (fillGaps) {
      Plot(p.x, p.y, gap);
    }
  }
  // Kept within one pattern length, which long lines would otherwise overflow.
  dashPhase_ = int((int64_t(dashPhase_) + Rasterizer::LineSteps(a, b)) % DashCycle(pen.style));
}

void ImageCanvas::WideLines(const std::vector<TPoint>& points, bool closed) {
  if (Writable().IsEmpty()) return;
  QPainter p(&image_);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setClipRect(ToQRect(Writable()));
  if (pen.mode == TPenMode::pmNotXor) {
    p.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
  }
  Qt::PenCapStyle cap = Qt::RoundCap;
  Qt::PenJoinStyle join = Qt::RoundJoin;
  if (pen.cap == TPenCap::Square) {
    cap = Qt::SquareCap;
    join = Qt::BevelJoin;
  } else if (pen.cap == TPenCap::Flat) {
    cap = Qt::FlatCap;
    join = Qt::MiterJoin;
  }
  QPen wide(ToQColor(pen.color), pen.width, Qt::SolidLine, cap, join);
  // A styled wide pen shows its pattern at the pen's scale; each call starts with a dash.
  const std::vector<int> dashes = WideDashLengths(pen);
  if (!dashes.empty()) {
    QList<qreal> pattern;  // in pen widths
    for (int length : dashes) pattern << qreal(length) / pen.width;
    wide.setDashPattern(pattern);
  }
  p.setPen(wide);
  p.setBrush(Qt::NoBrush);
  // Through the pixel centres, so the pen spreads evenly to both sides of the line.
  QPolygonF path;
  for (const TPoint& pt : points) path << QPointF(pt.x + 0.5, pt.y + 0.5);
  if (closed) {
    p.drawPolygon(path);
  } else {
    p.drawPolyline(path);
  }
}

TRect ImageCanvas::PenOuterBox(const TRect& box) const {
  const int w = std::max(pen.width, 1);
  return {box.left - (w - 1) / 2, box.top - (w - 1) / 2, box.right + w / 2, box.bottom + w / 2};
}

void ImageCanvas::MoveTo(int x, int y) {
  Canvas::MoveTo(x, y);
  dashPhase_ = 0;
}

void ImageCanvas::LineTo(int x, int y) {
  const TPoint end{x, y};
  if (PenVisible(pen) && !(penPos_ == end)) {
    if (pen.width <= 1) {
      ThinSegment(penPos_, end);
    } else {
      WideLines({penPos_, end}, false);
    }
  }
  penPos_ = end;
}

void ImageCanvas::Polyline(const std::vector<TPoint>& points) {
  if (points.size() < 2 || !PenVisible(pen)) return;
  if (pen.width > 1) {
    WideLines(points, false);
    return;
  }
  dashPhase_ = 0;
  for (size_t i = 0; i + 1 < points.size(); ++i) ThinSegment(points[i], points[i + 1]);
}

void ImageCanvas::Polygon(const std::vector<TPoint>& points) {
  if (points.size() < 2) return;
  if (BrushVisible(brush)) Spans(Rasterizer::PolygonSpans(points), ToRgb32(brush.color));
  if (!PenVisible(pen)) return;
  if (pen.width > 1) {
    WideLines(points, true);
    return;
  }
  dashPhase_ = 0;
  for (size_t i = 0; i < points.size(); ++i) {
    ThinSegment(points[i], points[(i + 1) % points.size()]);
  }
}

void ImageCanvas::FillRect(const TRect& rect) {
  if (BrushVisible(brush)) FillBox(rect, ToRgb32(brush.color));
}

void ImageCanvas::Rectangle(int left, int top, int right, int bottom) {
  const TRect box = Normalised(left, top, right, bottom);
  if (box.IsEmpty()) return;
  if (!PenVisible(pen)) {
    FillRect(box);
    return;
  }
  const uint32_t ink = ToRgb32(pen.color);
  if (pen.width > 1) {
    const TRect outer = PenOuterBox(box);
    const TRect inner = Shrunk(outer, pen.width);
    if (BrushVisible(brush)) FillBox(inner, ToRgb32(brush.color));
    const int top2 = std::min(inner.top, outer.bottom);
    const int bottom2 = std::max(inner.bottom, top2);
    FillBox({outer.left, outer.top, outer.right, top2}, ink);
    FillBox({outer.left, bottom2, outer.right, outer.bottom}, ink);
    FillBox({outer.left, top2, std::min(inner.left, outer.right), bottom2}, ink);
    FillBox({std::max(inner.right, outer.left), top2, outer.right, bottom2}, ink);
    return;
  }
  if (BrushVisible(brush)) FillBox(Shrunk(box, 1), ToRgb32(brush.color));
  const int r = box.right - 1;
  const int b = box.bottom - 1;
  if (box.Width() == 1 && box.Height() == 1) {
    Plot(box.left, box.top, ink);
    return;
  }
  // Once round the box; each corner is the start of one side and so drawn once.
  dashPhase_ = 0;
  ThinSegment({box.left, box.top}, {r, box.top});
  ThinSegment({r, box.top}, {r, b});
  ThinSegment({r, b}, {box.left, b});
  ThinSegment({box.left, b}, {box.left, box.top});
}

void ImageCanvas::Ellipse(int left, int top, int right, int bottom) {
  const TRect box = Normalised(left, top, right, bottom);
  if (box.IsEmpty()) return;
  const bool fill = BrushVisible(brush);
  if (!PenVisible(pen)) {
    if (fill) Spans(Rasterizer::EllipseSpans(box), ToRgb32(brush.color));
    return;
  }
  const uint32_t ink = ToRgb32(pen.color);
  if (pen.width > 1) {
    const TRect outer = PenOuterBox(box);
    const std::vector<PixelSpan> inner = Rasterizer::EllipseSpans(Shrunk(outer, pen.width));
    if (fill) Spans(inner, ToRgb32(brush.color));
    Spans(RingSpans(Rasterizer::EllipseSpans(outer), inner), ink);
    return;
  }
  std::vector<PixelSpan> outline;
  std::vector<PixelSpan> inside;
  Rasterizer::SplitOutline(Rasterizer::EllipseSpans(box), outline, inside);
  if (fill) Spans(inside, ToRgb32(brush.color));
  Spans(outline, ink);
}

namespace {

// Text is drawn without smoothing, in the font's colour, inside the writable area, so
// its pixels are the same on every screen and in every saved picture.
void PrepareTextPainter(QPainter& p, const QRect& clip, const QFont& qfont, const QColor& color) {
  p.setRenderHint(QPainter::TextAntialiasing, false);
  p.setClipRect(clip);
  p.setFont(qfont);
  p.setPen(color);
}

}  // namespace

void ImageCanvas::TextOut(int x, int y, const std::string& utf8) {
  const TSize extent = TextExtent(utf8);
  if (backMode == TBackMode::Opaque && brush.color != clNone) {
    FillBox({x, y, x + extent.cx, y + extent.cy}, ToRgb32(brush.color));
  }
  if (!utf8.empty() && font.color != clNone && !Writable().IsEmpty()) {
    const QFont qfont = ToQFont(font);
    QPainter p(&image_);
    PrepareTextPainter(p, ToQRect(Writable()), qfont, ToQColor(font.color));
    p.drawText(QPoint(x, y + CellOf(qfont).ascent), QString::fromStdString(utf8));
  }
  Canvas::MoveTo(x + extent.cx, y);
}

void ImageCanvas::TextOutUp(int x, int y, const std::string& utf8) {
  if (utf8.empty() || font.color == clNone || Writable().IsEmpty()) return;
  const QFont qfont = ToQFont(font);
  QPainter p(&image_);
  PrepareTextPainter(p, ToQRect(Writable()), qfont, ToQColor(font.color));
  // The text's start is the box's bottom-left corner; turned a quarter anticlockwise,
  // its ascent reaches left to the box's left edge.
  p.translate(x, y + TextExtent(utf8).cx);
  p.rotate(-90);
  p.drawText(QPoint(0, CellOf(qfont).ascent), QString::fromStdString(utf8));
}

TSize ImageCanvas::TextExtent(const std::string& utf8) {
  const QFont qfont = ToQFont(font);
  const QFontMetrics metrics(qfont, &image_);
  return {metrics.horizontalAdvance(QString::fromStdString(utf8)), CellOf(qfont).Height()};
}

void ImageCanvas::SetPixel(int x, int y, TColor color) {
  if (color != clNone) Plot(x, y, ToRgb32(color));
}

TColor ImageCanvas::GetPixel(int x, int y) const {
  const TRect w = Writable();
  if (x < w.left || x >= w.right || y < w.top || y >= w.bottom) return clNone;
  const QRgb px = reinterpret_cast<const QRgb*>(image_.constScanLine(y))[x];
  return RGBColor(uint8_t(qRed(px)), uint8_t(qGreen(px)), uint8_t(qBlue(px)));
}

void ImageCanvas::DrawCheckBox(const TRect& box, bool checked) {
  // The frame as four strips, so that under the not-xor mode no pixel is drawn twice.
  const CheckBoxParts parts = CheckBoxLayout(box, checked);
  const TRect& b = parts.box;
  if (b.IsEmpty()) return;
  const uint32_t frame = ToRgb32(clBtnShadow);
  FillBox({b.left, b.top, b.right, b.top + 1}, frame);
  FillBox({b.left, b.bottom - 1, b.right, b.bottom}, frame);
  FillBox({b.left, b.top, b.left + 1, b.bottom}, frame);
  FillBox({b.right - 1, b.top, b.right, b.bottom}, frame);
  if (parts.inside.IsEmpty()) return;
  FillBox(parts.inside, ToRgb32(clWindow));
  for (const TRect& column : parts.tick) FillBox(column, ToRgb32(clWindowText));
}

void ImageCanvas::CopyRect(const TRect& dest, const ImageCanvas& source, const TRect& sourceRect) {
  if (dest.IsEmpty() || sourceRect.IsEmpty()) return;
  // Sharing the pixel data keeps the source as it was when this canvas is the source:
  // the first write below detaches this canvas's image.
  const QImage src = source.image_;
  const TRect w = Writable();
  const int y0 = std::max(dest.top, w.top);
  const int y1 = std::min(dest.bottom, w.bottom);
  const int x0 = std::max(dest.left, w.left);
  const int x1 = std::min(dest.right, w.right);
  const bool unscaled = dest.Width() == sourceRect.Width() && dest.Height() == sourceRect.Height();
  for (int y = y0; y < y1; ++y) {
    const int sy =
        sourceRect.top + int(int64_t(y - dest.top) * sourceRect.Height() / dest.Height());
    if (sy < 0 || sy >= src.height()) continue;
    const QRgb* from = reinterpret_cast<const QRgb*>(src.constScanLine(sy));
    QRgb* to = reinterpret_cast<QRgb*>(image_.scanLine(y));
    if (unscaled) {
      // A plain block copy, row by row, of the part inside both images.
      const int sx0 = std::max(x0, dest.left - sourceRect.left);
      const int sx1 = std::min(x1, dest.left - sourceRect.left + src.width());
      if (sx0 < sx1) {
        std::copy(from + sx0 - dest.left + sourceRect.left,
                  from + sx1 - dest.left + sourceRect.left, to + sx0);
      }
      continue;
    }
    for (int x = x0; x < x1; ++x) {
      const int sx =
          sourceRect.left + int(int64_t(x - dest.left) * sourceRect.Width() / dest.Width());
      if (sx >= 0 && sx < src.width()) to[x] = from[sx];
    }
  }
}

void ImageCanvas::Draw(int x, int y, const QImage& image) {
  if (Writable().IsEmpty() || image.isNull()) return;
  QPainter p(&image_);
  p.setClipRect(ToQRect(Writable()));
  p.drawImage(QPoint(x, y), image);
}

std::unique_ptr<Canvas> ImageCanvas::CreateBitmap(int width, int height) const {
  return std::make_unique<ImageCanvas>(width, height, background_);
}

void ImageCanvas::CopyFrom(int x, int y, const Canvas& source, const TRect& sourceRect) {
  const auto* image = dynamic_cast<const ImageCanvas*>(&source);
  if (!image) {
    Canvas::CopyFrom(x, y, source, sourceRect);
    return;
  }
  CopyRect({x, y, x + sourceRect.Width(), y + sourceRect.Height()}, *image, sourceRect);
}

}  // namespace vadidazid
