// The drawing interface everything in the program paints through, with fixed pixel
// rules: a line leaves out its end point; rectangles, fills and ellipses leave out their
// right and bottom edges. So a polyline puts each joint down once (which a not-xor
// rubber band needs to erase itself), boxes that share an edge tile without overlap,
// and the cell picture and the saved chart are the same pixels on every platform. Pen,
// brush and font are plain state read by every operation, so a drawing sets them once
// for many shapes. This header has no Qt in it: the simulation
// and the chart engine draw through it, an image canvas (imagecanvas.h) puts the pixels
// on a Qt image and a recording canvas (recordingcanvas.h) notes the calls for tests.
//
// Off-screen drawing: a canvas is also the factory of its own kind of bitmap.
// CreateBitmap gives a new off-screen canvas of a size (an image canvas gives an image
// canvas, a recording canvas a recording one), and CopyFrom puts a rectangle of another
// canvas onto this one in a single block copy. Code that must not know the platform (the
// chart engine) buffers its drawing with these two and nothing else: it asks the canvas
// it is to paint on for a bitmap, draws there, and copies the result back. A canvas that
// cannot make bitmaps answers none, and such code then draws on it directly.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/drawing/color.h"

namespace vadidazid {

struct TPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

struct TSize {
  int cx = 0;
  int cy = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};

enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear };
enum class TBrushStyle { bsSolid, bsClear };
enum class TBackMode { Transparent, Opaque };
// Ends and joins of pens wider than one pixel: round, square ends with bevelled joins,
// flat ends with mitred joins.
enum class TPenCap { Round, Square, Flat };

// How drawn pixels meet the ones already there: put over them, or combined as
// NOT(ink XOR pixel), which drawing the same shape a second time undoes. The mode holds
// for everything drawn while the pen carries it, fills included.
enum class TPenMode { pmCopy, pmNotXor };

struct TPen {
  TColor color = clBlack;
  int width = 1;
  TPenStyle style = TPenStyle::psSolid;
  TPenCap cap = TPenCap::Round;
  TPenMode mode = TPenMode::pmCopy;
};

struct TBrush {
  TColor color = clWhite;
  TBrushStyle style = TBrushStyle::bsSolid;
};

struct TFont {
  std::string name = "MS Sans Serif";
  // Negative: character height in pixels (the em, without internal leading); positive:
  // cell height in pixels. 8 points at the 96 dpi the layout is made for is -11.
  int height = -11;
  TColor color = clWindowText;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  // Points = -height * 72 / 96.
  int Size() const { return height < 0 ? (-height * 72 + 48) / 96 : height; }
  void SetSize(int points) { height = -(points * 96 + 36) / 72; }
  friend bool operator==(const TFont&, const TFont&) = default;
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  TPen pen;
  TBrush brush;
  TFont font;

  virtual void MoveTo(int x, int y) { penPos_ = {x, y}; }
  // A line from the pen position to (x, y), leaving (x, y) out; (x, y) becomes the pen
  // position.
  virtual void LineTo(int x, int y) = 0;
  // Lines through the points in order; the last point is left out.
  virtual void Polyline(const std::vector<TPoint>& points) = 0;
  // Closed outline with the pen, filled with the brush.
  virtual void Polygon(const std::vector<TPoint>& points) = 0;
  // Brush only; right and bottom edges left out.
  virtual void FillRect(const TRect& rect) = 0;
  // Outlined with the pen and filled with the brush, right and bottom edges left out.
  virtual void Rectangle(int left, int top, int right, int bottom) = 0;
  // Inscribed in the box, right and bottom edges left out; an inverted box is normalised.
  virtual void Ellipse(int left, int top, int right, int bottom) = 0;
  // Text with its top-left at (x, y) in the font colour; the background box is filled
  // with the brush colour when the back mode is opaque.
  virtual void TextOut(int x, int y, const std::string& utf8) = 0;
  // Text read from the bottom up, in a box TextHeight wide and TextWidth high whose
  // top-left is (x, y); no background. A canvas that cannot turn text writes it level.
  virtual void TextOutUp(int x, int y, const std::string& utf8) { TextOut(x, y, utf8); }
  virtual TSize TextExtent(const std::string& utf8) = 0;
  int TextWidth(const std::string& utf8) { return TextExtent(utf8).cx; }
  int TextHeight(const std::string& utf8) { return TextExtent(utf8).cy; }
  virtual void SetPixel(int x, int y, TColor color) = 0;
  virtual TColor GetPixel(int x, int y) const = 0;
  // The system's check-box frame (flat), checked or not, in the box.
  virtual void DrawCheckBox(const TRect& box, bool checked) = 0;

  // A new off-screen canvas of this kind, width x height, or none when this canvas
  // cannot make one.
  virtual std::unique_ptr<Canvas> CreateBitmap(int width, int height) const;
  // Copies the pixels of source in sourceRect with their top-left at (x, y), unscaled;
  // respects this canvas's clip. This default goes pixel by pixel; canvases that hold
  // images do it in one block.
  virtual void CopyFrom(int x, int y, const Canvas& source, const TRect& sourceRect);

  // Clipping: none, or one rectangle. IntersectClipRect narrows the present one.
  virtual void SetClipRect(std::optional<TRect> clip) { clip_ = clip; }
  std::optional<TRect> ClipRect() const { return clip_; }
  void IntersectClipRect(const TRect& rect);

  TBackMode backMode = TBackMode::Transparent;
  TPoint PenPos() const { return penPos_; }

 protected:
  TPoint penPos_;
  std::optional<TRect> clip_;
};

inline std::unique_ptr<Canvas> Canvas::CreateBitmap(int, int) const { return nullptr; }

inline void Canvas::CopyFrom(int x, int y, const Canvas& source, const TRect& r) {
  for (int sy = r.top; sy < r.bottom; ++sy) {
    for (int sx = r.left; sx < r.right; ++sx) {
      const TColor c = source.GetPixel(sx, sy);
      if (c != clNone) SetPixel(x + sx - r.left, y + sy - r.top, c);
    }
  }
}

inline void Canvas::IntersectClipRect(const TRect& r) {
  if (!clip_) {
    SetClipRect(r);
    return;
  }
  TRect c = *clip_;
  TRect n{c.left > r.left ? c.left : r.left, c.top > r.top ? c.top : r.top,
          c.right < r.right ? c.right : r.right, c.bottom < r.bottom ? c.bottom : r.bottom};
  if (n.right < n.left) n.right = n.left;
  if (n.bottom < n.top) n.bottom = n.top;
  SetClipRect(n);
}

}  // namespace vadidazid
