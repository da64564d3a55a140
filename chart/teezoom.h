// The chart's mouse-zoom settings. Only the stored switches live here; the dragging
// itself belongs to the mouse handling of the chart.
#pragma once

#include "chart/storeandrepaint.h"

class TTeeZoom : public TChartGraphic {
 public:
  bool Allow() const { return allow_; }
  void SetAllow(bool value) { StoreAndRepaint(allow_, value); }
  bool Animated() const { return animated_; }
  void SetAnimated(bool value) { StoreAndRepaint(animated_, value); }
  int AnimatedSteps() const { return animatedSteps_; }
  void SetAnimatedSteps(int value) { StoreAndRepaint(animatedSteps_, value); }
  int MinimumPixels() const { return minimumPixels_; }
  void SetMinimumPixels(int value) { StoreAndRepaint(minimumPixels_, value); }

 private:
  bool allow_ = true;
  bool animated_ = false;
  int animatedSteps_ = 8;
  int minimumPixels_ = 16;
};
