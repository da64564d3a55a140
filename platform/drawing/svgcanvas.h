// A canvas that writes an SVG document: every drawing call becomes one vector element
// with the geometry the image canvas gives it in pixels, so a picture drawn here lines
// up with the raster picture of the same drawing. It has no Qt in it; text is measured
// by a canvas given for it (the image canvas in the program, so the layout is the one the
// raster picture has) or, without one, by the fixed-width model (fixedtextmetrics.h).
//
// Geometry: pixel (x, y) is the unit square from (x, y) to (x + 1, y + 1). One-pixel
// strokes run through the pixel centres, and open lines stop at the last pixel the
// raster line draws, so a line covers the pixels the raster line covers; fills cover
// their boxes exactly, right and bottom edges left out as on every canvas. A wide pen's
// stroke straddles the one-pixel outline, as the image canvas draws it.
//
// Choices where a vector picture cannot follow the pixels:
// - The not-xor pen mode draws as a plain copy (it serves rubber bands on the screen).
// - Text takes the font's family with sans-serif, serif or monospace fallbacks, and is
//   stretched to the measured width (textLength) so the layout's gaps stay.
// - GetPixel gives clNone and CreateBitmap none, so buffered drawing goes straight here.
#pragma once

#include <memory>
#include <string>

#include "platform/drawing/canvas.h"

namespace vadidazid {

class SvgCanvas : public Canvas {
 public:
  // A white (or `background`) page of width x height; `measure`, when given, must live
  // as long as this canvas.
  SvgCanvas(int width, int height, Canvas* measure = nullptr, TColor background = clWhite);
  ~SvgCanvas() override;

  int Width() const { return width_; }
  int Height() const { return height_; }
  // The complete document, UTF-8.
  std::string Document() const;

  void LineTo(int x, int y) override;
  void Polyline(const std::vector<TPoint>& points) override;
  void Polygon(const std::vector<TPoint>& points) override;
  void FillRect(const TRect& rect) override;
  void Rectangle(int left, int top, int right, int bottom) override;
  void Ellipse(int left, int top, int right, int bottom) override;
  void TextOut(int x, int y, const std::string& utf8) override;
  void TextOutUp(int x, int y, const std::string& utf8) override;
  TSize TextExtent(const std::string& utf8) override;
  void SetPixel(int x, int y, TColor color) override;
  TColor GetPixel(int x, int y) const override;
  void DrawCheckBox(const TRect& box, bool checked) override;
  void SetClipRect(std::optional<TRect> clip) override;

 private:
  // fill="..." for the brush, or "none".
  std::string FillText() const;
  // stroke, width, dashes and joins of the pen; a wide pen is dashed only along a path
  // (`path`), its box and ellipse outlines staying solid as in the raster picture.
  std::string StrokeText(bool path = false) const;
  // Square ends for one-pixel open lines, which end on their last drawn pixel.
  std::string ThinCaps() const;
  void Box(const TRect& box, TColor color);
  // A <text> element with its cell's top-left at (x, y), level or read upwards.
  void Text(int x, int y, const std::string& utf8, bool up);
  void Element(const std::string& text);

  int width_;
  int height_;
  std::string body_;
  bool groupOpen_ = false;
  int clipCount_ = 0;
  Canvas* measure_;  // none: the fixed-width model of fixedtextmetrics.h
};

}  // namespace vadidazid
