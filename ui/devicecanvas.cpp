// The window's canvas at the screen's device pixel ratio (see devicecanvas.h).
#include "ui/devicecanvas.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "platform/drawing/pixelrules.h"
#include "platform/drawing/rasterizer.h"
#include "platform/qt/fonts.h"
#include "platform/qt/qtcolor.h"

namespace vadidazid {

namespace {

// Whether a step draws in the dash runs scaled to the device.
bool DashOn(const std::vector<int>& pattern, int total, int phase) {
  int at = phase % total;
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (at < pattern[i]) return i % 2 == 0;
    at -= pattern[i];
  }
  return true;
}

void AddBox(std::vector<PixelSpan>& spans, int x, int y, int size) {
  for (int row = y; row < y + size; ++row) spans.push_back({row, x, x + size - 1});
}

// The rows sorted and merged, so that no pixel appears twice.
std::vector<PixelSpan> Merged(std::vector<PixelSpan> spans) {
  std::sort(spans.begin(), spans.end(), [](const PixelSpan& a, const PixelSpan& b) {
    return a.y != b.y ? a.y < b.y : a.x0 < b.x0;
  });
  std::vector<PixelSpan> out;
  for (const PixelSpan& s : spans) {
    if (!out.empty() && out.back().y == s.y && s.x0 <= out.back().x1 + 1) {
      out.back().x1 = std::max(out.back().x1, s.x1);
    } else {
      out.push_back(s);
    }
  }
  return out;
}

// The rows without the pixels of the box.
std::vector<PixelSpan> Without(const std::vector<PixelSpan>& spans, const TRect& box) {
  std::vector<PixelSpan> out;
  for (const PixelSpan& s : spans) {
    if (s.y < box.top || s.y >= box.bottom || s.x1 < box.left || s.x0 >= box.right) {
      out.push_back(s);
      continue;
    }
    if (s.x0 < box.left) out.push_back({s.y, s.x0, box.left - 1});
    if (s.x1 >= box.right) out.push_back({s.y, box.right, s.x1});
  }
  return out;
}

// The rows of outer that inner (merged, inside outer) does not cover.
std::vector<PixelSpan> Ring(const std::vector<PixelSpan>& outer,
                            const std::vector<PixelSpan>& inner) {
  std::vector<PixelSpan> out;
  size_t j = 0;
  for (const PixelSpan& o : outer) {
    while (j < inner.size() && inner[j].y < o.y) ++j;
    if (j < inner.size() && inner[j].y == o.y) {
      if (inner[j].x0 > o.x0) out.push_back({o.y, o.x0, inner[j].x0 - 1});
      if (inner[j].x1 < o.x1) out.push_back({o.y, inner[j].x1 + 1, o.x1});
    } else {
      out.push_back(o);
    }
  }
  return out;
}

}  // namespace

DeviceCanvas::DeviceCanvas(int width, int height, TColor background, double ratio)
    : device_(0, 0, background), ratio_(ratio > 0 ? ratio : 1) {
  Resize(width, height);
}

int DeviceCanvas::ToDevice(int v) const {
  const double d = std::floor(v * ratio_ + 0.5);
  return int(std::clamp(d, -2.0e9, 2.0e9));
}

TRect DeviceCanvas::ToDevice(const TRect& r) const {
  return {ToDevice(r.left), ToDevice(r.top), ToDevice(r.right), ToDevice(r.bottom)};
}

int DeviceCanvas::DevicePenWidth(int width) const {
  return std::max(1, int(std::floor(std::max(width, 1) * ratio_ + 0.5)));
}

void DeviceCanvas::Resize(int width, int height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  device_.Resize(ToDevice(width_), ToDevice(height_));
  clip_.reset();
}

void DeviceCanvas::SetRatio(double ratio) {
  if (!(ratio > 0) || ratio == ratio_) return;
  const ImageCanvas old = device_;
  ratio_ = ratio;
  Resize(width_, height_);
  device_.CopyRect({0, 0, device_.Width(), device_.Height()}, old,
                   {0, 0, old.Width(), old.Height()});
}

QImage DeviceCanvas::ScreenImage() const {
  QImage image = device_.Image();
  image.setDevicePixelRatio(ratio_);
  return image;
}

void DeviceCanvas::Sync() {
  device_.pen = pen;
  device_.brush = brush;
  device_.font = font;
  device_.backMode = backMode;
}

void DeviceCanvas::SetClipRect(std::optional<TRect> clip) {
  Canvas::SetClipRect(clip);
  device_.SetClipRect(clip ? std::optional<TRect>(ToDevice(*clip)) : std::nullopt);
}

void DeviceCanvas::PaintSpans(std::vector<PixelSpan> spans, TColor color) {
  device_.pen.mode = pen.mode;
  device_.brush = {color, TBrushStyle::bsSolid};
  for (const PixelSpan& s : Merged(std::move(spans)))
    device_.FillRect({s.x0, s.y, s.x1 + 1, s.y + 1});
}

void DeviceCanvas::StrokeSegment(TPoint a, TPoint b, std::vector<PixelSpan>& ink,
                                 std::vector<PixelSpan>& gaps) {
  const TPoint from{ToDevice(a.x), ToDevice(a.y)};
  const TPoint to{ToDevice(b.x), ToDevice(b.y)};
  const int w = DevicePenWidth(pen.width);
  const std::span<const int> runs = DashRuns(pen.style);
  std::vector<int> pattern(runs.begin(), runs.end());
  int total = 0;
  for (int& n : pattern) total += n = std::max(1, int(std::floor(n * ratio_ + 0.5)));
  // Only the steps whose squares can reach the image are visited: a zoomed-in chart
  // clamps far points to coordinates in the tens of millions.
  const TRect image{0, 0, device_.Width(), device_.Height()};
  int first = 0;
  int end = 0;
  Rasterizer::LineStepRange(from, to, {image.left - w, image.top - w, image.right, image.bottom},
                            first, end);
  std::vector<PixelSpan> ink1;
  std::vector<PixelSpan> gaps1;
  for (int k = first; k < end; ++k) {
    const TPoint p = Rasterizer::LinePixel(from, to, k);
    if (p.x + w <= 0 || p.y + w <= 0 || p.x >= image.right || p.y >= image.bottom) continue;
    const bool on = pattern.empty() || DashOn(pattern, total, dashPhase_ + k);
    AddBox(on ? ink1 : gaps1, p.x, p.y, w);
  }
  if (!pattern.empty()) {
    dashPhase_ = int((int64_t(dashPhase_) + Rasterizer::LineSteps(from, to)) % total);
  }
  const TRect last{to.x, to.y, to.x + w, to.y + w};
  for (const PixelSpan& s : Without(ink1, last)) ink.push_back(s);
  for (const PixelSpan& s : Without(gaps1, last)) gaps.push_back(s);
}

void DeviceCanvas::Stroke(const std::vector<TPoint>& points, bool closed) {
  std::vector<PixelSpan> ink;
  std::vector<PixelSpan> gaps;
  const size_t n = points.size();
  for (size_t i = 0; i + 1 < n + (closed ? 1 : 0); ++i) {
    if (!(points[i] == points[(i + 1) % n]))
      StrokeSegment(points[i], points[(i + 1) % n], ink, gaps);
  }
  // A cleared brush fills no gaps: a dashed line drawn with one must show its dashes.
  if (backMode == TBackMode::Opaque && BrushVisible(brush) && !gaps.empty()) {
    PaintSpans(std::move(gaps), brush.color);
  }
  PaintSpans(std::move(ink), pen.color);
}

void DeviceCanvas::MoveTo(int x, int y) {
  Canvas::MoveTo(x, y);
  dashPhase_ = 0;
  device_.MoveTo(x, y);
}

void DeviceCanvas::LineTo(int x, int y) {
  if (Unscaled()) {
    Sync();
    device_.LineTo(x, y);
  } else if (PenVisible(pen) && !(penPos_ == TPoint{x, y})) {
    std::vector<PixelSpan> ink;
    std::vector<PixelSpan> gaps;
    StrokeSegment(penPos_, {x, y}, ink, gaps);
    if (backMode == TBackMode::Opaque && BrushVisible(brush))
      PaintSpans(std::move(gaps), brush.color);
    PaintSpans(std::move(ink), pen.color);
  }
  penPos_ = {x, y};
}

void DeviceCanvas::Polyline(const std::vector<TPoint>& points) {
  if (Unscaled()) {
    Sync();
    device_.Polyline(points);
    return;
  }
  if (points.size() < 2 || !PenVisible(pen)) return;
  dashPhase_ = 0;
  Stroke(points, false);
}

void DeviceCanvas::Polygon(const std::vector<TPoint>& points) {
  if (Unscaled()) {
    Sync();
    device_.Polygon(points);
    return;
  }
  if (points.size() < 2) return;
  if (BrushVisible(brush)) {
    std::vector<TPoint> corners;
    for (const TPoint& p : points) corners.push_back({ToDevice(p.x), ToDevice(p.y)});
    PaintSpans(Rasterizer::PolygonSpans(corners), brush.color);
  }
  if (!PenVisible(pen)) return;
  dashPhase_ = 0;
  Stroke(points, true);
}

void DeviceCanvas::FillRect(const TRect& rect) {
  Sync();
  device_.FillRect(Unscaled() ? rect : ToDevice(rect));
}

void DeviceCanvas::Rectangle(int left, int top, int right, int bottom) {
  Sync();
  if (Unscaled()) {
    device_.Rectangle(left, top, right, bottom);
    return;
  }
  const TRect box = Normalised(left, top, right, bottom);
  if (box.IsEmpty()) return;
  if (!PenVisible(pen)) {
    device_.FillRect(ToDevice(box));
    return;
  }
  // The outline is the line along the box's outer pixels, as LineTo would draw it.
  const int w = DevicePenWidth(pen.width);
  if (BrushVisible(brush)) {
    device_.FillRect({ToDevice(box.left) + w, ToDevice(box.top) + w, ToDevice(box.right - 1),
                      ToDevice(box.bottom - 1)});
  }
  const int r = box.right - 1;
  const int b = box.bottom - 1;
  dashPhase_ = 0;
  if (r == box.left || b == box.top) {
    // A box one pixel wide or high is all outline.
    std::vector<PixelSpan> ink;
    for (int y = ToDevice(box.top); y < ToDevice(b) + w; ++y) {
      ink.push_back({y, ToDevice(box.left), ToDevice(r) + w - 1});
    }
    PaintSpans(std::move(ink), pen.color);
    return;
  }
  Stroke({{box.left, box.top}, {r, box.top}, {r, b}, {box.left, b}}, true);
}

void DeviceCanvas::Ellipse(int left, int top, int right, int bottom) {
  Sync();
  if (Unscaled()) {
    device_.Ellipse(left, top, right, bottom);
    return;
  }
  const TRect box = ToDevice(Normalised(left, top, right, bottom));
  if (box.IsEmpty()) return;
  const std::vector<PixelSpan> outer = Rasterizer::EllipseSpans(box);
  if (!PenVisible(pen)) {
    if (BrushVisible(brush)) PaintSpans(outer, brush.color);
    return;
  }
  const int w = DevicePenWidth(pen.width);
  const TRect innerBox{box.left + w, box.top + w, box.right - w, box.bottom - w};
  const std::vector<PixelSpan> inner =
      innerBox.IsEmpty() ? std::vector<PixelSpan>{} : Rasterizer::EllipseSpans(innerBox);
  if (BrushVisible(brush)) PaintSpans(inner, brush.color);
  PaintSpans(Ring(outer, inner), pen.color);
}

TSize DeviceCanvas::TextExtent(const std::string& utf8) {
  Sync();
  return device_.TextExtent(utf8);
}

namespace {

// The text drawn level in the device's font, `width` pixels of advance with a margin of
// the font's pixel size all round for glyphs that reach past their box; the text starts
// at (margin, margin + ascent).
QImage LevelGlyphs(const QFont& scaled, int width, const QString& text, const QColor& color) {
  const int pad = scaled.pixelSize();
  const FontCell cell = CellOf(scaled);
  QImage glyphs(width + 2 * pad, cell.Height() + 2 * pad, QImage::Format_ARGB32_Premultiplied);
  glyphs.fill(Qt::transparent);
  {
    QPainter p(&glyphs);  // ends before the picture is handed on
    p.setRenderHint(QPainter::TextAntialiasing, false);
    p.setFont(scaled);
    p.setPen(color);
    p.drawText(QPoint(pad, pad + cell.ascent), text);
  }
  return glyphs;
}

}  // namespace

void DeviceCanvas::TextOut(int x, int y, const std::string& utf8) {
  Sync();
  if (Unscaled()) {
    device_.TextOut(x, y, utf8);
    penPos_ = device_.PenPos();
    return;
  }
  const TSize extent = device_.TextExtent(utf8);
  if (backMode == TBackMode::Opaque && brush.color != clNone) {
    device_.brush = {brush.color, TBrushStyle::bsSolid};
    device_.pen.mode = TPenMode::pmCopy;
    device_.FillRect(ToDevice(TRect{x, y, x + extent.cx, y + extent.cy}));
  }
  if (!utf8.empty() && font.color != clNone) {
    QFont scaled = ToQFont(font);
    scaled.setPixelSize(std::max(1, int(std::floor(scaled.pixelSize() * ratio_ + 0.5))));
    const int pad = scaled.pixelSize();
    device_.Draw(ToDevice(x) - pad, ToDevice(y) - pad,
                 LevelGlyphs(scaled, ToDevice(x + extent.cx) - ToDevice(x),
                             QString::fromStdString(utf8), ToQColor(font.color)));
  }
  penPos_ = {x + extent.cx, y};
}

void DeviceCanvas::TextOutUp(int x, int y, const std::string& utf8) {
  Sync();
  if (Unscaled()) {
    device_.TextOutUp(x, y, utf8);
    return;
  }
  if (utf8.empty() || font.color == clNone) return;
  const TSize extent = device_.TextExtent(utf8);
  QFont scaled = ToQFont(font);
  scaled.setPixelSize(std::max(1, int(std::floor(scaled.pixelSize() * ratio_ + 0.5))));
  const int pad = scaled.pixelSize();
  // Drawn level with room round it, then turned: the level picture's top-left corner
  // (pad, pad) goes to the turned one's (pad, pad) as well.
  const QImage glyphs = LevelGlyphs(scaled, ToDevice(x + extent.cx) - ToDevice(x),
                                    QString::fromStdString(utf8), ToQColor(font.color));
  device_.Draw(ToDevice(x) - pad, ToDevice(y) - pad, glyphs.transformed(QTransform().rotate(-90)));
}

void DeviceCanvas::SetPixel(int x, int y, TColor color) {
  if (color == clNone) return;
  if (Unscaled()) {
    Sync();
    device_.SetPixel(x, y, color);
    return;
  }
  std::vector<PixelSpan> box;
  AddBox(box, ToDevice(x), ToDevice(y), DevicePenWidth(1));
  PaintSpans(std::move(box), color);
}

TColor DeviceCanvas::GetPixel(int x, int y) const {
  if (Unscaled()) return device_.GetPixel(x, y);
  if (clip_ && (x < clip_->left || x >= clip_->right || y < clip_->top || y >= clip_->bottom)) {
    return clNone;
  }
  return device_.GetPixel(ToDevice(x), ToDevice(y));
}

void DeviceCanvas::DrawCheckBox(const TRect& box, bool checked) {
  Sync();
  if (Unscaled()) {
    device_.DrawCheckBox(box, checked);
    return;
  }
  // The box of ratio 1 drawn for the device: a frame one pen wide, and the tick as the
  // band its 7 columns of 3 pixels make, followed at the device's resolution.
  const TRect b = Normalised(box.left, box.top, box.right, box.bottom);
  if (b.IsEmpty()) return;
  const TRect d = ToDevice(b);
  const int w = DevicePenWidth(1);
  device_.pen.mode = TPenMode::pmCopy;
  device_.brush = {clBtnShadow, TBrushStyle::bsSolid};
  device_.FillRect(d);
  const TRect inside{d.left + w, d.top + w, d.right - w, d.bottom - w};
  if (inside.IsEmpty()) return;
  device_.brush.color = clWindow;
  device_.FillRect(inside);
  if (!checked) return;
  const double ox = b.left + (b.Width() - 7) / 2;
  const double oy = b.top + (b.Height() - 7) / 2;
  std::vector<PixelSpan> tick;
  for (int dx = ToDevice(int(ox)); dx < ToDevice(int(ox) + 7); ++dx) {
    const double u = (dx + 0.5) / ratio_ - ox;
    const double top = u <= 2.5 ? 1.5 + u : 6.5 - u;
    for (int dy = ToDevice(int(oy)); dy < ToDevice(int(oy) + 7); ++dy) {
      const double v = (dy + 0.5) / ratio_ - oy;
      if (v >= top && v < top + 3) tick.push_back({dy, dx, dx});
    }
  }
  std::vector<PixelSpan> kept;
  for (const PixelSpan& s : tick) {
    if (s.x0 >= inside.left && s.x0 < inside.right && s.y >= inside.top && s.y < inside.bottom) {
      kept.push_back(s);
    }
  }
  const TPenMode mode = pen.mode;
  pen.mode = TPenMode::pmCopy;
  PaintSpans(std::move(kept), clWindowText);
  pen.mode = mode;
}

std::unique_ptr<Canvas> DeviceCanvas::CreateBitmap(int width, int height) const {
  return std::make_unique<DeviceCanvas>(width, height, device_.Background(), ratio_);
}

void DeviceCanvas::CopyFrom(int x, int y, const Canvas& source, const TRect& sourceRect) {
  const auto* same = dynamic_cast<const DeviceCanvas*>(&source);
  if (same && same->ratio_ == ratio_) {
    // Unscaled, as a block: the source's device pixels with their top-left at D(x, y).
    const TRect from = ToDevice(sourceRect);
    device_.CopyRect(
        {ToDevice(x), ToDevice(y), ToDevice(x) + from.Width(), ToDevice(y) + from.Height()},
        same->device_, from);
    return;
  }
  if (Unscaled()) {
    device_.CopyFrom(x, y, source, sourceRect);
    return;
  }
  Canvas::CopyFrom(x, y, source, sourceRect);
}

}  // namespace vadidazid
