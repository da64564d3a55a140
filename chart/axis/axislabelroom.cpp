// Room for whole labels. The share an axis takes for its labels is measured on the
// labels of the range's ends, and the labels along a horizontal axis are centred on
// their values; a label between the ends can be wider than both ("0,9" between "0" and
// "1"), and the label at the axis' end hangs half out past the plot. Where that would
// put a label's text beyond the chart's picture, cutting its first or last stroke, the
// axis takes the room the label needs. Where every label fits, nothing here changes
// the layout.
#include <algorithm>
#include <cmath>

#include "chart/axis/chartaxis.h"
#include "chart/panel/customaxispanel.h"

namespace vadidazid {

// The label step of an axis of the given length: the one Draw computes once the plot has
// its final size, while the present positions are those before the axes took their room.
double TChartAxis::IncrementFor(int axisSize) {
  const int saved = axisSize_;
  axisSize_ = axisSize;
  const double step = CalcIncrement();
  axisSize_ = saved;
  return step;
}

// The label share of a vertical axis in rect: the measured share where the widest label
// Draw will show fits between the axis and the picture's edge, else that label's width
// plus a space, as the measured share has.
int TChartAxis::WholeLabelsShare(const TRect& rect, int share) {
  if (labelsSize_ != 0 || labelsAlternate_ || CalcLabelStyle() != TAxisLabelStyle::talValue) {
    return share;
  }
  // The labels' font is the canvas' since SizeLabels measured the share.
  const int size = rect.Height();
  const int length = int(std::nearbyint(size * 0.01 * endPosition_) -
                         std::nearbyint(size * 0.01 * startPosition_));
  const double step = IncrementFor(length);
  if (!(step > 0) || scaleMaximum_ < scaleMinimum_) return share;
  int widest = 0;
  for (double v : ValueLabelValues(step)) widest = std::max(widest, LabelWidth(v));
  const TRect& bounds = chart_->ChartBounds();
  const int outside = otherSide_ ? bounds.right - rect.right : rect.left - bounds.left;
  if (widest <= share + outside) return share;
  return widest + chart_->GetCanvas().TextWidth(" ");
}

void TChartAxis::LabelsOverflow(const TRect& bounds, int& left, int& right) {
  if (!horizontal_ || !labels_ || CalcLabelStyle() != TAxisLabelStyle::talValue) return;
  TCanvas3D& canvas = chart_->GetCanvas();
  canvas.AssignFont(labelsFont_);
  const double step = CalcIncrement();
  if (!(step > 0) || scaleMaximum_ < scaleMinimum_) return;
  for (double v : ValueLabelValues(step)) {
    const int p = CalcPosValue(v);
    if (!labelsOnAxis_ && !(p > startPos_ && p < endPos_)) continue;
    // Centred as the canvas centres text: the odd pixel goes to the right.
    const int width = LabelWidth(v);
    const int x0 = p - width / 2;
    left = std::max(left, bounds.left - x0);
    right = std::max(right, x0 + width - bounds.right);
  }
}

}  // namespace vadidazid
