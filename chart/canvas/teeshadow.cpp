// Shape shadows (see teeshadow.h).
#include "chart/canvas/teeshadow.h"

#include "chart/canvas/teecanvas.h"

namespace vadidazid {

void TTeeShadow::Draw(TCanvas3D& canvas, const TRect& r) const {
  if (color_ == clNone || !HasSize()) return;
  canvas.Brush().style = TBrushStyle::bsSolid;
  canvas.Brush().color = canvas.GetMonochrome() ? clWhite : color_;
  canvas.Pen().style = TPenStyle::psClear;
  const int h = horizSize_;
  const int v = vertSize_;
  // With the clear pen each rectangle loses its last column and row, so a strip of
  // size n is n pixels deep.
  if (v > 0) canvas.Rectangle(r.left + h, r.bottom, r.right + h, r.bottom + 1 + v);
  if (v < 0) canvas.Rectangle(r.left + h, r.top + v, r.right + h, r.top + 1);
  if (h > 0) canvas.Rectangle(r.right, r.top + v, r.right + 1 + h, r.bottom + v + 1);
  if (h < 0) canvas.Rectangle(r.left + h, r.top + v, r.left + 1, r.bottom + v + 1);
}

}  // namespace vadidazid
