// Integer pixel geometry shared by the canvases that put pixels on images: the line,
// ellipse and polygon shapes as pixel sets, with the pixel rules of canvas.h (a line
// leaves out its end point, boxes leave out their right and bottom edges). Kept apart from the
// drawing so the shapes can be checked without painting.
#pragma once

#include <vector>

#include "platform/drawing/canvas.h"

namespace vadidazid {

// One row of pixels, x0..x1 inclusive.
struct PixelSpan {
  int y = 0;
  int x0 = 0;
  int x1 = 0;
  friend bool operator==(const PixelSpan&, const PixelSpan&) = default;
};

class Rasterizer {
 public:
  // The pixels of the Bresenham line from a towards b, a first, b left out; empty when
  // a == b. Exactly max(|dx|, |dy|) pixels, one per step along the major axis.
  static std::vector<TPoint> Line(TPoint a, TPoint b);
  // The same line a step at a time, for lines mostly outside the image (a zoomed-in
  // chart clamps far points to coordinates in the tens of millions): LineSteps is the
  // number of pixels, LinePixel(k) the k-th of Line(a, b) (0 is a), and
  // LineStepRange the steps whose pixels can lie in the box (along the line's major
  // axis; the minor coordinate still needs checking), as first .. end - 1.
  static int LineSteps(TPoint a, TPoint b);
  static TPoint LinePixel(TPoint a, TPoint b, int k);
  static void LineStepRange(TPoint a, TPoint b, const TRect& box, int& first, int& end);

  // The pixels whose centres lie inside (or on) the ellipse inscribed in the box
  // left..right-1 x top..bottom-1, one span per row; rows without pixels are absent.
  // The box must be normalised; an empty box gives nothing.
  static std::vector<PixelSpan> EllipseSpans(const TRect& box);

  // The spans of an ellipse region that touch the outside through a side (the
  // one-pixel outline), and the rest (the inside), from EllipseSpans' result.
  static void SplitOutline(const std::vector<PixelSpan>& region, std::vector<PixelSpan>& outline,
                           std::vector<PixelSpan>& inside);

  // The pixels whose centres lie inside the polygon by the even-odd rule. A pixel
  // centre exactly on an edge counts as inside for a left edge and outside for a right
  // one, so the fill never passes the vertices' largest x or y.
  static std::vector<PixelSpan> PolygonSpans(const std::vector<TPoint>& points);
};

}  // namespace vadidazid
