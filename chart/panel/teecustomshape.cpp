// Chart shapes: repaint requests and the painting of the box.
#include "chart/panel/teecustomshape.h"

#include "chart/canvas/teecanvas.h"
#include "chart/panel/customteepanel.h"

namespace vadidazid {

TTeeCustomShapeBrushPen::TTeeCustomShapeBrushPen(TCustomTeePanel* parent) : parent_(parent) {
  Watch(brush_);
  Watch(pen_);
}

void TTeeCustomShapeBrushPen::Repaint() const {
  if (parent_) parent_->Invalidate();
}

TTeeCustomShape::TTeeCustomShape(TCustomTeePanel* parent) : TTeeCustomShapeBrushPen(parent) {
  Watch(shadow_);
  Watch(font_);
}

void TTeeCustomShape::DrawRectRotated(TCanvas3D& canvas, const TRect& rect) const {
  if (transparent_) return;
  shadow_.Draw(canvas, rect);
  canvas.Brush() = {color_, TBrushStyle::bsSolid};
  canvas.AssignVisiblePen(Frame());
  canvas.Rectangle(rect.left, rect.top, rect.right, rect.bottom);
  if (bevel_ != TPanelBevel::bvNone) {
    TRect inner{rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
    const bool raised = bevel_ == TPanelBevel::bvRaised;
    canvas.Frame3D(inner, raised ? clBtnHighlight : clBtnShadow,
                   raised ? clBtnShadow : clBtnHighlight, bevelWidth_);
  }
}

void TTeeCustomShapePosition::SetLeft(int value) {
  Store(left_, value);
  SetCustomPosition(true);
}

void TTeeCustomShapePosition::SetTop(int value) {
  Store(top_, value);
  SetCustomPosition(true);
}

}  // namespace vadidazid
