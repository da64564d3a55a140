// Panel settings and repaint requests.
#include "chart/customteepanel.h"

void TCustomTeePanel::Invalidate() {
  if (!autoRepaint_ || destroying_) return;
  ++invalidateCount_;
  if (OnInvalidate) OnInvalidate();
}

void TCustomTeePanel::SetColor(TColor color) {
  if (color_ == color) return;
  color_ = color;
  Invalidate();
}

void TCustomTeePanel::SetBounds(int width, int height) {
  if (width_ == width && height_ == height) return;
  width_ = width;
  height_ = height;
  Invalidate();
}

void TCustomTeePanel::SetView3D(bool value) {
  if (view3D_ == value) return;
  view3D_ = value;
  Invalidate();
}

void TCustomTeePanel::SetMargin(int index, int value) {
  if (margins_[index] == value) return;
  margins_[index] = value;
  Invalidate();
}

void TCustomTeePanel::SetMarginUnits(TTeeUnits units) {
  if (marginUnits_ == units) return;
  marginUnits_ = units;
  Invalidate();
}
