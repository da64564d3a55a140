// A canvas on an in-memory RGB image it owns: the bitmap the chart and the cell grid are
// drawn on before they reach the screen or a file. One-pixel pens and all the filled
// shapes are put down pixel by pixel so the results follow the pixel rules of canvas.h
// exactly (see rasterizer.h), which QPainter's own rasterising does not; only wide pens
// and text go through QPainter, without antialiasing.
//
// Choices for cases the pixel rules leave open:
// - Which pens and brushes draw, the dash runs and the check box are the shared rules of
//   pixelrules.h. A pen or brush of colour clNone draws nothing, like a clear one.
// - With a clear pen, Rectangle and Ellipse fill the whole box with the brush rather
//   than a box one pixel smaller.
// - Pens wider than one pixel are drawn with the pen's ends and joins; their lines,
//   polylines and polygons show the wide dash lengths of pixelrules.h, starting with a
//   dash at each call (gaps stay unpainted); their outlines of rectangles and ellipses
//   are solid and straddle the box edges.
// - Ellipse outlines are always solid: a dash pattern needs a path, which a pixel set
//   has not.
// - Styled one-pixel pens use the dash runs of pixelrules.h, restarted by MoveTo and at
//   each shape; in opaque back mode the gaps are filled with the brush colour, unless
//   the brush is cleared.
// - TextOut moves the pen to the end of the text, so texts written one after another
//   continue where the last ended.
// - GetPixel gives clNone outside the image or the clip rectangle.
// - The not-xor pen mode applies to lines, outlines and fills; text and copied images
//   are always put over the pixels.
#pragma once

#include <QImage>

#include "platform/drawing/canvas.h"
#include "platform/drawing/rasterizer.h"

namespace vadidazid {

class ImageCanvas : public Canvas {
 public:
  ImageCanvas(int width, int height, TColor background = clWhite);

  // A new image of the size, filled with the background colour; the clip is reset.
  void Resize(int width, int height);
  int Width() const { return image_.width(); }
  int Height() const { return image_.height(); }
  TColor Background() const { return background_; }
  const QImage& Image() const { return image_; }

  // Copies the source's pixels in sourceRect to dest, stretching by nearest pixel when
  // the sizes differ. The source may be this canvas. Respects this canvas's clip.
  void CopyRect(const TRect& dest, const ImageCanvas& source, const TRect& sourceRect);
  // Draws the image with its top-left at (x, y), blending any alpha; respects the clip.
  void Draw(int x, int y, const QImage& image);

  void MoveTo(int x, int y) override;
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
  std::unique_ptr<Canvas> CreateBitmap(int width, int height) const override;
  void CopyFrom(int x, int y, const Canvas& source, const TRect& sourceRect) override;

 private:
  // The image bounds narrowed by the clip rectangle.
  TRect Writable() const;
  void Plot(int x, int y, uint32_t rgb);
  void Span(int y, int x0, int x1, uint32_t rgb);
  void Spans(const std::vector<PixelSpan>& spans, uint32_t rgb);
  void FillBox(const TRect& box, uint32_t rgb);
  // One segment with a one-pixel pen, carrying the dash pattern on from the last one.
  void ThinSegment(TPoint a, TPoint b);
  void WideLines(const std::vector<TPoint>& points, bool closed);
  // The box of a shape's one-pixel outline grown for a wide pen, so that the pen's middle
  // runs along that outline and a wide frame stays centred on the thin one.
  TRect PenOuterBox(const TRect& box) const;

  QImage image_;
  TColor background_;
  int dashPhase_ = 0;
};

}  // namespace vadidazid
