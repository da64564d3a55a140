// The chart's mouse-zoom settings and the drag rectangle of a zoom going on. The
// dragging itself belongs to the mouse handling of the chart (customchartzoom.cpp). The
// rubber band's pen and brush are made when first asked for: most charts never show one.
#pragma once

#include <memory>

#include "chart/canvas/chartpen.h"
#include "chart/panel/storeandrepaint.h"
#include "chart/zoom/teemouse.h"
#include "chart/zoom/zoompanning.h"

namespace vadidazid {

enum class TZoomDirection { tzdHorizontal, tzdVertical, tzdBoth };

// The rubber band's pen: white, solid, one pixel, drawing not-xor so that a second band
// over the first takes it away.
class TTeeZoomPen : public TChartPen {
 public:
  TTeeZoomPen() : TChartPen(clWhite) { SetMode(TPenMode::pmNotXor); }
};

// The rubber band's fill: none unless its style is changed.
class TTeeZoomBrush : public TChartBrush {
 public:
  TTeeZoomBrush() : TChartBrush(clWhite, TBrushStyle::bsClear) {}
};

class TTeeZoom : public TChartGraphic, public TZoomPanning {
 public:
  bool Allow() const { return allow_; }
  void SetAllow(bool value) { StoreAndRepaint(allow_, value); }
  bool Animated() const { return animated_; }
  void SetAnimated(bool value) { StoreAndRepaint(animated_, value); }
  int AnimatedSteps() const { return animatedSteps_; }
  void SetAnimatedSteps(int value) { StoreAndRepaint(animatedSteps_, value); }
  int MinimumPixels() const { return minimumPixels_; }
  void SetMinimumPixels(int value) { StoreAndRepaint(minimumPixels_, value); }
  TZoomDirection Direction() const { return direction_; }
  void SetDirection(TZoomDirection value) { StoreAndRepaint(direction_, value); }
  // Keys that must be held for a press to start a zoom.
  TShiftState KeyShift() const { return keyShift_; }
  void SetKeyShift(TShiftState value) { StoreAndRepaint(keyShift_, value); }
  TMouseButton MouseButton() const { return mouseButton_; }
  void SetMouseButton(TMouseButton value) { StoreAndRepaint(mouseButton_, value); }
  // Whether a drag to the left or upwards zooms too, instead of undoing the zoom.
  bool UpLeftZooms() const { return upLeftZooms_; }
  void SetUpLeftZooms(bool value) { StoreAndRepaint(upLeftZooms_, value); }

  // A change of the band's pen or brush is a change of the zoom settings.
  TTeeZoomPen& Pen() {
    if (!pen_) {
      pen_ = std::make_unique<TTeeZoomPen>();
      pen_->OnChange = [this] { Changed(); };
    }
    return *pen_;
  }
  bool HasBrush() const { return brush_ != nullptr; }
  TTeeZoomBrush& Brush() {
    if (!brush_) {
      brush_ = std::make_unique<TTeeZoomBrush>();
      brush_->OnChange = [this] { Changed(); };
    }
    return *brush_;
  }

 private:
  bool allow_ = true;
  bool animated_ = false;
  int animatedSteps_ = 8;
  int minimumPixels_ = 16;
  TZoomDirection direction_ = TZoomDirection::tzdBoth;
  TShiftState keyShift_ = 0;
  TMouseButton mouseButton_ = TMouseButton::mbLeft;
  bool upLeftZooms_ = false;
  std::unique_ptr<TTeeZoomPen> pen_;
  std::unique_ptr<TTeeZoomBrush> brush_;
};

}  // namespace vadidazid
