// The chart canvas interface: everything the chart draws goes through a TCanvas3D. The
// interface is written for charts with depth; the program's charts are flat, so every
// operation with a depth argument draws its flat counterpart at the given x and y and
// ignores z. TTeeCanvas holds the state and the flat operations, TCanvas3D adds the
// operations with depth and the buffered-drawing steps, and TTeeCanvas3D (teecanvas3d.h)
// implements both on a platform Canvas.
//
// Pens, brushes and fonts reach the platform canvas only through the Assign operations,
// which apply the chart's rules (invisible pens, monochrome output, font zoom, text
// shadows); the platform pen, brush and font remain reachable for plain settings.
#pragma once

#include <string>
#include <vector>

#include "chart/canvas/chartpen.h"
#include "chart/canvas/teefont.h"
#include "platform/drawing/canvas.h"

namespace vadidazid {

enum class TCanvasBackMode { cbmNone = 0, cbmTransparent = 1, cbmOpaque = 2 };

// Text alignment flags, added together: one horizontal and one vertical.
inline constexpr int TA_LEFT = 0;
inline constexpr int TA_RIGHT = 2;
inline constexpr int TA_CENTER = 6;
inline constexpr int TA_TOP = 0;
inline constexpr int TA_BOTTOM = 8;
inline constexpr int TA_BASELINE = 24;

// The drawing options a chart hands to its canvas for one drawing.
struct TView3DOptions {
  double FontZoom = 100;  // percent applied to every font size
  int HorizOffset = 0;
  int VertOffset = 0;
  int Zoom = 100;
};

class TTeeCanvas {
 public:
  virtual ~TTeeCanvas() = default;

  // The platform canvas drawn on now, and its pen, brush and font.
  virtual Canvas& ReferenceCanvas() = 0;
  TPen& Pen() { return ReferenceCanvas().pen; }
  TBrush& Brush() { return ReferenceCanvas().brush; }
  TFont& Font() { return ReferenceCanvas().font; }

  double FontZoom() const { return fontZoom_; }
  void SetFontZoom(double percent) { fontZoom_ = percent; }
  // The font last given to AssignFont, or null.
  const TTeeFont* CurrentFont() const { return currentFont_; }
  const TRect& Bounds() const { return bounds_; }

  virtual TColor GetBackColor() const = 0;
  virtual TCanvasBackMode GetBackMode() const = 0;
  virtual bool GetMonochrome() const = 0;
  virtual TColor GetPixel(int x, int y) = 0;
  virtual bool GetSupportsFullRotation() const = 0;
  virtual int GetTextAlign() const = 0;
  virtual bool GetUseBuffer() const = 0;
  virtual void SetBackColor(TColor color) = 0;
  virtual void SetBackMode(TCanvasBackMode mode) = 0;
  virtual void SetMonochrome(bool value) = 0;
  virtual void SetPixel(int x, int y, TColor color) = 0;
  virtual void SetTextAlign(int align) = 0;
  virtual void SetUseBuffer(bool value) = 0;
  virtual void AssignVisiblePenColor(const TChartPen& pen, TColor color) = 0;
  virtual void Ellipse(int x0, int y0, int x1, int y1) = 0;
  virtual void FillRect(const TRect& rect) = 0;
  // A bevel frame of `width` one-pixel rings: top-left in c1, bottom-right in c2. On
  // return rect is the box inside the frame.
  virtual void Frame3D(TRect& rect, TColor topLeft, TColor bottomRight, int width) = 0;
  virtual void LineTo(int x, int y) = 0;
  virtual void MoveTo(int x, int y) = 0;
  // Outline with the pen, inside with the brush; (x1, y1) lies outside. With an
  // invisible pen only x0 .. x1 - 2, y0 .. y1 - 2 are filled (the box less the outline's
  // right column and bottom row).
  virtual void Rectangle(int x0, int y0, int x1, int y1) = 0;
  virtual void TextOut(int x, int y, const std::string& text) = 0;
  // Text read upwards in the box TextHeight wide and TextWidth high at (x, y), with no
  // background, alignment or shadow: a vertical axis' title.
  virtual void TextOutUp(int x, int y, const std::string& text) { TextOut(x, y, text); }
  virtual int TextWidth(const std::string& text) = 0;
  virtual int TextHeight(const std::string& text) = 0;
  // Narrows the clip to rect, remembering the clip before; clips do not nest.
  virtual void ClipRectangle(const TRect& rect) = 0;
  virtual void DoHorizLine(int x0, int x1, int y) = 0;
  virtual void DoVertLine(int x, int y0, int y1) = 0;
  virtual void EraseBackground(const TRect& rect) = 0;
  // The retained image no longer shows the chart: the next paint draws anew.
  virtual void Invalidate() = 0;
  virtual void Line(int x0, int y0, int x1, int y1) = 0;
  virtual void Polyline(const std::vector<TPoint>& points) = 0;
  virtual void Polygon(const std::vector<TPoint>& points) = 0;
  // Back to the clip remembered by the last ClipRectangle.
  virtual void UnClipRectangle() = 0;

  void AssignVisiblePen(const TChartPen& pen) { AssignVisiblePenColor(pen, pen.Color()); }
  void AssignBrush(const TChartBrush& brush, TColor backColor) {
    AssignBrushColor(brush, brush.Color(), backColor);
  }
  virtual void AssignBrushColor(const TChartBrush& brush, TColor color, TColor backColor) = 0;
  virtual void AssignFont(const TTeeFont& font) = 0;
  // Font height used for layout: the height of "W".
  int FontHeight() { return TextHeight("W"); }

 protected:
  double fontZoom_ = 100;
  const TTeeFont* currentFont_ = nullptr;
  TRect bounds_;
};

class TCanvas3D : public TTeeCanvas {
 public:
  virtual TPoint Calculate3DPosition(int x, int y, int z) const = 0;
  virtual TPoint Calculate2DPosition(int x, int y, int z) const = 0;
  // Prepares one drawing onto target; returns the rectangle to draw into (the bitmap's
  // own when buffering).
  virtual TRect InitWindow(Canvas& target, const TView3DOptions* options, TColor backColor,
                           bool is3D, const TRect& rect) = 0;
  virtual void Projection(int depth, const TRect& bounds, const TRect& chartRect) = 0;
  // Copies the finished drawing to target at rect's top-left and goes back to drawing
  // on defaultCanvas.
  virtual void ShowImage(Canvas& target, Canvas& defaultCanvas, const TRect& rect) = 0;
  // Copies the retained image to the current canvas; false when there is none to copy
  // and the caller must draw anew.
  virtual bool ReDrawBitmap() = 0;
  virtual void ClipCube(const TRect& rect, int z0, int z1) = 0;
  virtual void FrontPlaneBegin() = 0;
  virtual void FrontPlaneEnd() = 0;
  virtual void HorizLine3D(int x0, int x1, int y, int z) = 0;
  virtual void VertLine3D(int x, int y0, int y1, int z) = 0;
  virtual void LineWithZ(int x0, int y0, int x1, int y1, int z) = 0;
  virtual void MoveTo3D(int x, int y, int z) = 0;
  virtual void LineTo3D(int x, int y, int z) = 0;
  virtual void RectangleWithZ(const TRect& rect, int z) = 0;
  virtual void PolygonWithZ(const std::vector<TPoint>& points, int z) = 0;
  virtual void TextOut3D(int x, int y, int z, const std::string& text) = 0;
  virtual void ResetState() = 0;
};

}  // namespace vadidazid
