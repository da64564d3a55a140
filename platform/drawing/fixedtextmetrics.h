// Text measured without a font: every UTF-8 code point 6 pixels wide and a line 13
// pixels high at the default 11-pixel em, both scaled with the em (a positive font
// height is the line height itself). Close to the window's sans-serif face at that size,
// so a layout made with it is near the real one; it serves where no font engine is at
// hand (an SVG canvas given nothing to measure with, a chart laid out before it has a
// canvas) and keeps text tests independent of the fonts a machine has.
#pragma once

#include <string>
#include <vector>

#include "platform/drawing/canvas.h"

namespace vadidazid {

TSize FixedWidthTextExtent(const TFont& font, const std::string& utf8);

// A canvas that draws nothing and only measures text by the model above: what code that
// lays out before it has somewhere to draw measures with. It keeps the pen position as
// any canvas does (a text moves it to the text's end) and has no pixels (clNone).
class FixedMetricsCanvas : public Canvas {
 public:
  void LineTo(int x, int y) override { penPos_ = {x, y}; }
  void Polyline(const std::vector<TPoint>&) override {}
  void Polygon(const std::vector<TPoint>&) override {}
  void FillRect(const TRect&) override {}
  void Rectangle(int, int, int, int) override {}
  void Ellipse(int, int, int, int) override {}
  void TextOut(int x, int y, const std::string& utf8) override {
    Canvas::MoveTo(x + TextExtent(utf8).cx, y);
  }
  TSize TextExtent(const std::string& utf8) override { return FixedWidthTextExtent(font, utf8); }
  void SetPixel(int, int, TColor) override {}
  TColor GetPixel(int, int) const override { return clNone; }
  void DrawCheckBox(const TRect&, bool) override {}
};

}  // namespace vadidazid
