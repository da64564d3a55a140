// Scrolling an axis: the mouse wheel moves the vertical axes by a share of their range.
#include "chart/axis/chartaxis.h"
#include "chart/panel/customaxispanel.h"

namespace vadidazid {

void TChartAxis::Scroll(double offset, bool checkLimits) {
  if (checkLimits && chart_) {
    // Nothing to scroll to beyond the data.
    if (offset > 0 && chart_->InternalMinMax(this, false, horizontal_) <= maximum_) return;
    if (offset < 0 && chart_->InternalMinMax(this, true, horizontal_) >= minimum_) return;
  }
  automatic_ = false;
  automaticMinimum_ = false;
  automaticMaximum_ = false;
  minimum_ += offset;
  maximum_ += offset;
  Repaint();
}

}  // namespace vadidazid
