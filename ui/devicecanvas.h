// The window's canvas on a screen of any device pixel ratio. The cell grid and the chart
// are laid out in logical pixels, the pixels of a screen of ratio 1; on a screen of
// ratio 1.5 or 2 (a projector's scale, a high-density laptop) this canvas draws the same
// shapes for the device's pixels instead of drawing at ratio 1 and letting the screen
// enlarge the picture, which doubles every pixel into a block and, at 1.5, makes lines
// 1 or 2 pixels thick by turns.
//
// The rules, the same for every shape:
// - A logical coordinate v becomes the device coordinate D(v) = floor(v * ratio + 0.5).
// - A pen of logical width w draws max(1, floor(w * ratio + 0.5)) device pixels wide:
//   every pixel of the device line from D(start) to D(end) is the top-left corner of a
//   square of that size, so a line is equally thick along its whole length. The square
//   at D(end) is left out, as a line leaves out its end point.
// - Fills and boxes cover D(left) .. D(right) - 1 and D(top) .. D(bottom) - 1, so boxes
//   that share an edge still tile without overlap; outlines lie inside their box.
// - Text is measured in the logical font, so the layout is the one of ratio 1, and drawn
//   in the font scaled to the ratio.
// - Dash lengths scale with the ratio; a not-xor pen changes each pixel of a shape once,
//   so drawing the shape a second time still undoes it.
// At ratio 1 every operation is the image canvas' own, pixel for pixel.
#pragma once

#include <QImage>

#include "platform/qt/imagecanvas.h"

namespace vadidazid {

class DeviceCanvas : public Canvas {
 public:
  DeviceCanvas(int width, int height, TColor background, double ratio = 1);

  // A new picture of the logical size, in the background colour; the clip is reset.
  void Resize(int width, int height);
  // The picture at another ratio: what is there is carried over, enlarged or reduced.
  void SetRatio(double ratio);
  double Ratio() const { return ratio_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // The device pixels, D(Width()) x D(Height()), at device pixel ratio 1: the screen
  // shows them 1 : 1 after setting the ratio on a copy (ScreenImage).
  const QImage& Image() const { return device_.Image(); }
  QImage ScreenImage() const;

  int ToDevice(int v) const;
  TRect ToDevice(const TRect& r) const;
  // The device width of a pen of the logical width.
  int DevicePenWidth(int width) const;

  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Polyline(const std::vector<TPoint>& points) override;
  void Polygon(const std::vector<TPoint>& points) override;
  void FillRect(const TRect& rect) override;
  void Rectangle(int left, int top, int right, int bottom) override;
  void Ellipse(int left, int top, int right, int bottom) override;
  void TextOut(int x, int y, const std::string& utf8) override;
  // Turned a quarter anticlockwise, as a vertical axis title is: its box is the level
  // text's box turned about its bottom-left corner, which lies at (x, y + width).
  void TextOutUp(int x, int y, const std::string& utf8) override;
  TSize TextExtent(const std::string& utf8) override;
  void SetPixel(int x, int y, TColor color) override;
  TColor GetPixel(int x, int y) const override;
  void DrawCheckBox(const TRect& box, bool checked) override;
  std::unique_ptr<Canvas> CreateBitmap(int width, int height) const override;
  void CopyFrom(int x, int y, const Canvas& source, const TRect& sourceRect) override;
  void SetClipRect(std::optional<TRect> clip) override;

 private:
  bool Unscaled() const { return ratio_ == 1.0; }
  // Pen, brush, font and back mode handed to the device image.
  void Sync();
  // The device pixels of segments a -> b (logical), each with its end square left out,
  // as rows; dashes and gaps go to separate rows. The dash phase runs on from the last
  // segment until the next MoveTo.
  void StrokeSegment(TPoint a, TPoint b, std::vector<PixelSpan>& ink, std::vector<PixelSpan>& gaps);
  void Stroke(const std::vector<TPoint>& points, bool closed);
  // Puts the rows down once each, in the colour, with the pen's mode.
  void PaintSpans(std::vector<PixelSpan> spans, TColor color);

  ImageCanvas device_;
  double ratio_;
  int width_ = 0;
  int height_ = 0;
  int dashPhase_ = 0;
};

}  // namespace vadidazid
