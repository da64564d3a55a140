// The shadow of a chart shape or text: a colour and an offset in pixels to the right
// and down (negative sizes put it left or up). A shape's shadow is two strips along the
// far sides of the shape; text draws its own shadow (teecanvas3d.h).
#pragma once

#include "chart/panel/storeandrepaint.h"
#include "platform/drawing/canvas.h"
#include "platform/drawing/color.h"

namespace vadidazid {

class TCanvas3D;

class TTeeShadow : public TChartGraphic {
 public:
  TColor Color() const { return color_; }
  void SetColor(TColor color) { StoreAndRepaint(color_, color); }
  int HorizSize() const { return horizSize_; }
  void SetHorizSize(int size) { StoreAndRepaint(horizSize_, size); }
  int VertSize() const { return vertSize_; }
  void SetVertSize(int size) { StoreAndRepaint(vertSize_, size); }
  void SetSize(int size) {
    SetHorizSize(size);
    SetVertSize(size);
  }
  bool Smooth() const { return smooth_; }
  void SetSmooth(bool smooth) { StoreAndRepaint(smooth_, smooth); }
  int Transparency() const { return transparency_; }
  void SetTransparency(int percent) { StoreAndRepaint(transparency_, percent); }

  bool HasSize() const { return horizSize_ != 0 || vertSize_ != 0; }

  // The strips below and right of (or above and left of) rect, in the shadow colour with
  // a clear pen; nothing when the colour is clNone or both sizes are 0. Smooth shadows
  // are drawn as the plain strips: the chart draws no fading ramp.
  void Draw(TCanvas3D& canvas, const TRect& rect) const;

 private:
  TColor color_ = clSilver;
  int horizSize_ = 0;
  int vertSize_ = 0;
  bool smooth_ = true;
  int transparency_ = 0;
};

}  // namespace vadidazid
