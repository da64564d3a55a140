// The chart canvas on a platform Canvas, flat charts only.
//
// Buffering: with UseBuffer (the default) a drawing goes to an off-screen bitmap that
// the canvas asks the drawing's target for (Canvas::CreateBitmap, see
// platform/drawing/canvas.h), so the engine never names a platform class; ShowImage puts the
// bitmap onto the target with one Canvas::CopyFrom block copy, and a later paint with no
// Invalidate in between copies the retained bitmap again instead of drawing. When the
// target cannot make bitmaps the canvas draws on the target directly. The bitmap is made
// anew whenever a drawing asks for another size. A drawing shown on a canvas other than
// the default one (a picture for a file) leaves the retained image stale, so the window
// never gets a copy of a picture made for somewhere else.
//
// Pens: a chart pen of width below 2 becomes the platform pen as it is; a small-dot pen
// is drawn by the canvas itself, one pixel at a time along the shared line rasterizer,
// every other pixel (or dots SmallSpace + 1 pixels apart); a wider pen keeps its end
// style. The small-dot state lasts until the next pen assignment or ResetState.
//
// Clipping: each canvas remembers one clip, the one in force before its last
// ClipRectangle; UnClipRectangle restores it, so a second ClipRectangle before the
// UnClipRectangle overwrites what is remembered.
//
// Text: alignment by the TA_ flags (the baseline flag aligns like the bottom one, since
// platform canvases give no ascent), the current font's shadow drawn first and its extra
// character spacing applied by placing characters one by one. The box behind the text
// is painted, in the back colour, only in the opaque back mode with a brush that is not
// cleared.
#pragma once

#include <memory>
#include <optional>

#include "chart/canvas/teecanvas.h"

namespace vadidazid {

class TTeeCanvas3D : public TCanvas3D {
 public:
  // Draws on defaultCanvas when not in a drawing. Without one, text is measured by the
  // recording canvas' fixed model and drawing goes nowhere.
  explicit TTeeCanvas3D(Canvas* defaultCanvas = nullptr);
  ~TTeeCanvas3D() override;

  void SetDefaultCanvas(Canvas* canvas);
  Canvas& ReferenceCanvas() override;

  bool ImageStale() const { return imageStale_; }
  // The off-screen bitmap, or null before the first buffered drawing.
  Canvas* Bitmap() const { return bitmap_.get(); }
  void DeleteBitmap();
  int FrontPlaneDepth() const { return frontPlane_; }
  bool Use3D() const { return use3D_; }

  TColor GetBackColor() const override { return backColor_; }
  TCanvasBackMode GetBackMode() const override { return backMode_; }
  bool GetMonochrome() const override { return monochrome_; }
  TColor GetPixel(int x, int y) override;
  bool GetSupportsFullRotation() const override { return false; }
  int GetTextAlign() const override { return textAlign_; }
  bool GetUseBuffer() const override { return useBuffer_; }
  void SetBackColor(TColor color) override { backColor_ = color; }
  void SetBackMode(TCanvasBackMode mode) override;
  void SetMonochrome(bool value) override { monochrome_ = value; }
  void SetPixel(int x, int y, TColor color) override;
  void SetTextAlign(int align) override { textAlign_ = align; }
  void SetUseBuffer(bool value) override;
  void AssignVisiblePenColor(const TChartPen& pen, TColor color) override;
  void AssignBrushColor(const TChartBrush& brush, TColor color, TColor backColor) override;
  void AssignFont(const TTeeFont& font) override;
  void Ellipse(int x0, int y0, int x1, int y1) override;
  void FillRect(const TRect& rect) override;
  void Frame3D(TRect& rect, TColor topLeft, TColor bottomRight, int width) override;
  void LineTo(int x, int y) override;
  void MoveTo(int x, int y) override;
  void Rectangle(int x0, int y0, int x1, int y1) override;
  void TextOut(int x, int y, const std::string& text) override;
  void TextOutUp(int x, int y, const std::string& text) override {
    ReferenceCanvas().TextOutUp(x, y, text);
  }
  int TextWidth(const std::string& text) override;
  int TextHeight(const std::string& text) override;
  void ClipRectangle(const TRect& rect) override;
  void DoHorizLine(int x0, int x1, int y) override { Line(x0, y, x1, y); }
  void DoVertLine(int x, int y0, int y1) override { Line(x, y0, x, y1); }
  void EraseBackground(const TRect& rect) override { FillRect(rect); }
  void Invalidate() override { imageStale_ = true; }
  void Line(int x0, int y0, int x1, int y1) override;
  void Polyline(const std::vector<TPoint>& points) override;
  void Polygon(const std::vector<TPoint>& points) override;
  void UnClipRectangle() override;

  TPoint Calculate3DPosition(int x, int y, int) const override { return {x, y}; }
  TPoint Calculate2DPosition(int x, int y, int) const override { return {x, y}; }
  TRect InitWindow(Canvas& target, const TView3DOptions* options, TColor backColor, bool is3D,
                   const TRect& rect) override;
  void Projection(int depth, const TRect& bounds, const TRect& chartRect) override;
  TPoint ProjectionCentre() const { return centre_; }
  void ShowImage(Canvas& target, Canvas& defaultCanvas, const TRect& rect) override;
  bool ReDrawBitmap() override;
  // Flat charts: the clip is the box less its left column and top and bottom rows.
  void ClipCube(const TRect& rect, int z0, int z1) override;
  void FrontPlaneBegin() override { ++frontPlane_; }
  void FrontPlaneEnd() override { --frontPlane_; }
  void HorizLine3D(int x0, int x1, int y, int) override { DoHorizLine(x0, x1, y); }
  void VertLine3D(int x, int y0, int y1, int) override { DoVertLine(x, y0, y1); }
  void LineWithZ(int x0, int y0, int x1, int y1, int) override { Line(x0, y0, x1, y1); }
  void MoveTo3D(int x, int y, int) override { MoveTo(x, y); }
  void LineTo3D(int x, int y, int) override { LineTo(x, y); }
  void RectangleWithZ(const TRect& rect, int z) override;
  void PolygonWithZ(const std::vector<TPoint>& points, int) override { Polygon(points); }
  void TextOut3D(int x, int y, int, const std::string& text) override { TextOut(x, y, text); }
  void ResetState() override;

 private:
  bool PenDraws() const;
  // One segment in small dots, the end point left out.
  void DottedSegment(TPoint a, TPoint b);
  // The text at its top-left corner, with the font's extra character spacing.
  void PlainText(int x, int y, const std::string& text);

  Canvas* defaultCanvas_;
  Canvas* canvas_;
  std::unique_ptr<Canvas> bitmap_;
  TSize bitmapSize_;
  bool useBuffer_ = true;
  bool imageStale_ = true;
  bool monochrome_ = false;
  bool use3D_ = false;
  TPoint centre_;
  int frontPlane_ = 0;
  int textAlign_ = TA_LEFT | TA_TOP;
  TColor backColor_ = clWhite;
  TCanvasBackMode backMode_ = TCanvasBackMode::cbmTransparent;
  bool smallDots_ = false;
  int smallSpace_ = 0;
  int interCharSize_ = 0;
  // The clip before the last ClipRectangle (none: no clip).
  std::optional<TRect> savedClip_;
  // Measures text while the canvas has no platform canvas to draw on.
  std::unique_ptr<Canvas> fallback_;
};

}  // namespace vadidazid
