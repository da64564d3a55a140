// Panel settings, repaint requests, margins and the frame of one drawing.
#include "chart/panel/customteepanel.h"

namespace vadidazid {

TCustomTeePanel::TCustomTeePanel() : canvas_(std::make_unique<TTeeCanvas3D>()) {
  border_.SetEndStyle(TPenEndStyle::esFlat);
  auto repaint = [this] { Invalidate(); };
  border_.OnChange = repaint;
  shadow_.OnChange = repaint;
  zoom_.OnChange = repaint;
}

TCustomTeePanel::~TCustomTeePanel() = default;

void TCustomTeePanel::Invalidate() {
  if (!autoRepaint_ || destroying_) return;
  canvas_->Invalidate();
  ++invalidateCount_;
  if (OnInvalidate) OnInvalidate();
}

void TCustomTeePanel::SetWindowCanvas(Canvas* canvas) {
  windowCanvas_ = canvas;
  canvas_->SetDefaultCanvas(canvas);
  canvas_->Invalidate();
}

void TCustomTeePanel::Paint() {
  if (printing_ || !windowCanvas_) return;
  if (canvas_->ReDrawBitmap()) return;
  Draw();
}

void TCustomTeePanel::Draw() {
  if (windowCanvas_) Draw(*windowCanvas_, GetRectangle());
}

int TCustomTeePanel::BorderSize() const {
  int size = borderWidth_;
  if (bevelInner_ != TPanelBevel::bvNone) size += bevelWidth_;
  if (bevelOuter_ != TPanelBevel::bvNone) size += bevelWidth_;
  if (border_.Visible()) size += border_.Width();
  return size;
}

int TCustomTeePanel::MarginPixels(int index) const {
  if (marginUnits_ == TTeeUnits::muPixels) return margins_[index];
  const int size = index % 2 == 0 ? chartBounds_.Width() : chartBounds_.Height();
  return margins_[index] * size / 100;
}

void TCustomTeePanel::Draw(Canvas& target, const TRect& rect) {
  chartBounds_ = canvas_->InitWindow(target, &view3DOptions_, color_, view3D_, rect);
  const int border = BorderSize();
  chartRect_ = {chartBounds_.left + border + MarginPixels(0),
                chartBounds_.top + border + MarginPixels(1),
                chartBounds_.right - border - MarginPixels(2),
                chartBounds_.bottom - border - MarginPixels(3)};
  ReCalcWidthHeight();
  InternalDraw(chartBounds_);
  canvas_->ShowImage(target, windowCanvas_ ? *windowCanvas_ : target, rect);
}

void TCustomTeePanel::ReCalcWidthHeight() {
  TRect& r = chartRect_;
  if (r.left < chartBounds_.left) r.left = chartBounds_.left;
  if (r.top < chartBounds_.top) r.top = chartBounds_.top;
  if (r.right < r.left) {
    r.right = r.left + 1;
  } else if (r.right == r.left) {
    r.right = r.left + size_.cx;
  }
  if (r.bottom < r.top) {
    r.bottom = r.top + 1;
  } else if (r.bottom == r.top) {
    r.bottom = r.top + size_.cy;
  }
  chartWidth_ = r.right - r.left;
  chartHeight_ = r.bottom - r.top;
  chartXCenter_ = (r.left + r.right) / 2;
  chartYCenter_ = (r.top + r.bottom) / 2;
}

void TCustomTeePanel::PanelPaint(const TRect& rect) {
  canvas_->FrontPlaneBegin();
  FillPanelRect(rect);
  DrawPanelBevels(rect);
  canvas_->FrontPlaneEnd();
}

void TCustomTeePanel::FillPanelRect(const TRect& rect) {
  if (printing_ || color_ == clNone) return;
  canvas_->Brush().style = TBrushStyle::bsSolid;
  canvas_->Brush().color = canvas_->GetMonochrome() ? clWhite : color_;
  canvas_->EraseBackground(rect);
}

void TCustomTeePanel::DrawPanelBevels(TRect rect) {
  TTeeCanvas3D& c = *canvas_;
  c.FrontPlaneBegin();
  c.Brush().style = TBrushStyle::bsClear;
  if (border_.Visible()) {
    c.AssignVisiblePen(border_);
    const int w = border_.Width();
    // Inset by half the pen width, so the whole pen lies inside the panel.
    const int half = w / 2;
    c.Rectangle(rect.left + half, rect.top + half, rect.right - half, rect.bottom - half);
    rect = {rect.left + w, rect.top + w, rect.right - w, rect.bottom - w};
  }
  if (!printing_) {
    auto bevel = [&](TPanelBevel kind) {
      if (kind == TPanelBevel::bvNone) return;
      const bool raised = kind == TPanelBevel::bvRaised;
      c.Frame3D(rect, raised ? clBtnHighlight : clBtnShadow, raised ? clBtnShadow : clBtnHighlight,
                bevelWidth_);
    };
    bevel(bevelOuter_);
    if (borderWidth_ != 0) c.Frame3D(rect, color_, color_, borderWidth_);
    bevel(bevelInner_);
  }
  c.FrontPlaneEnd();
}

}  // namespace vadidazid
