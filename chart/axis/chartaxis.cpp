// Axis settings and scaling: range, positions, value-pixel mappings, the label step and
// the axis' room in the plot rectangle (see chartaxis.h).
#include "chart/axis/chartaxis.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "chart/panel/chartexception.h"
#include "chart/panel/customaxispanel.h"
#include "chart/series/chartseries.h"

namespace vadidazid {

namespace {

// Nearest integer, halves to the even neighbour (the default rounding mode).
int64_t Round(double v) { return int64_t(std::nearbyint(v)); }

int LineCount(const std::string& text) {
  return 1 + int(std::count(text.begin(), text.end(), '\n'));
}

int WidestLine(TCanvas3D& canvas, const std::string& text) {
  int widest = 0;
  size_t start = 0;
  while (start <= text.size()) {
    const size_t end = std::min(text.find('\n', start), text.size());
    widest = std::max(widest, canvas.TextWidth(text.substr(start, end - start)));
    start = end + 1;
  }
  return widest;
}

}  // namespace

double NextStep(double x) {
  if (std::isinf(x) || std::isnan(x)) return 1;
  if (x >= 10) return NextStep(x * 0.1) * 10;
  if (x >= 5) return 10;
  if (x >= 2) return 5;
  if (x >= 1) return 2;
  // Zero and below have no next step on the 1-2-5 scale.
  if (x <= 0) return 1;
  return NextStep(x * 10) * 0.1;
}

TChartAxis::TChartAxis(TCustomAxisPanel* chart, bool horizontal, bool otherSide, bool isDepth)
    : chart_(chart), horizontal_(horizontal), otherSide_(otherSide), isDepth_(isDepth) {
  auto repaint = [this] { Repaint(); };
  for (TChartGraphic* g :
       std::initializer_list<TChartGraphic*>{&labelsFont_, &titleFont_, &axis_, &grid_, &ticks_,
                                             &ticksInner_, &minorTicks_, &minorGrid_})
    g->OnChange = repaint;
  if (isDepth) visible_ = false;
}

void TChartAxis::Repaint() const {
  if (chart_) chart_->Invalidate();
}

void TChartAxis::SetAutomatic(bool value) {
  if (!Store(automatic_, value)) return;
  if (value) {
    automaticMinimum_ = true;
    automaticMaximum_ = true;
  }
}

void TChartAxis::SetAutomaticMinimum(bool value) {
  if (!Store(automaticMinimum_, value)) return;
  automatic_ = value && automaticMaximum_;
}

void TChartAxis::SetAutomaticMaximum(bool value) {
  if (!Store(automaticMaximum_, value)) return;
  automatic_ = value && automaticMinimum_;
}

void TChartAxis::SetMinimum(double value) {
  if (value > maximum_) throw EChartException("Axis Minimum Value must be <= Maximum");
  Store(minimum_, value);
}

void TChartAxis::SetMaximum(double value) {
  if (value < minimum_) throw EChartException("Axis Maximum Value must be >= Minimum");
  Store(maximum_, value);
}

void TChartAxis::SetMinMax(double minimum, double maximum) {
  automatic_ = false;
  automaticMinimum_ = false;
  automaticMaximum_ = false;
  if (minimum > maximum) std::swap(minimum, maximum);
  // Written past the one-at-a-time check: the new range may lie wholly outside the old.
  Store(minimum_, minimum);
  Store(maximum_, maximum);
  if (maximum_ - minimum_ < 1e-10) Store(maximum_, minimum_ + 1e-10);
}

bool TChartAxis::IsPositionAxisOf(const TChartSeries& series) const {
  return series.IsVertical() ? series.GetHorizAxis() == this : series.GetVertAxis() == this;
}

// Range.

void TChartAxis::CalcMinMax(double& minimum, double& maximum) const {
  if (automatic_ || automaticMaximum_) maximum = chart_->InternalMinMax(this, false, horizontal_);
  if (automatic_ || automaticMinimum_) minimum = chart_->InternalMinMax(this, true, horizontal_);
}

void TChartAxis::AdjustMaxMin() {
  CalcMinMax(minimum_, maximum_);
  scaleMaximum_ = maximum_;
  scaleMinimum_ = minimum_;
  InternalCalcRange();
}

void TChartAxis::InternalCalcRange() {
  scaleRange_ = scaleMaximum_ - scaleMinimum_;
  rangeZero_ = scaleRange_ == 0;
  pixelsPerValue_ = rangeZero_ ? 0 : axisSize_ / scaleRange_;
}

void TChartAxis::InternalCalcPositions() {
  const TRect& r = chart_->ChartRect();
  const int origin = horizontal_ ? r.left : r.top;
  const int size = horizontal_ ? chart_->ChartWidth() : chart_->ChartHeight();
  startPos_ = origin + int(Round(size * 0.01 * startPosition_));
  endPos_ = origin + int(Round(size * 0.01 * endPosition_));
  RecalcSizeCenter();
}

void TChartAxis::RecalcSizeCenter() {
  axisSize_ = endPos_ - startPos_;
  centerPos_ = (startPos_ + endPos_) / 2;
  InternalCalcRange();
}

void TChartAxis::AdjustMaxMinRect(const TRect& margins) {
  const int oldStart = startPos_;
  const int oldEnd = endPos_;
  startPos_ += horizontal_ ? margins.left : margins.top;
  endPos_ -= horizontal_ ? margins.right : margins.bottom;
  axisSize_ = endPos_ - startPos_;
  InternalCalcRange();
  const double startValue = CalcPosPoint(oldStart);
  const double endValue = CalcPosPoint(oldEnd);
  InternalCalcPositions();
  scaleMaximum_ = endValue;
  scaleMinimum_ = startValue;
  if (scaleMinimum_ > scaleMaximum_) std::swap(scaleMinimum_, scaleMaximum_);
  InternalCalcRange();
}

// Mappings.

int TChartAxis::PosValue(double value, bool clamp) const {
  if (rangeZero_) return centerPos_;
  const double d = (value - scaleMinimum_) * pixelsPerValue_;
  if (!clamp) {
    const int r = int(std::clamp<double>(Round(d), -MaxPixelCoord, MaxPixelCoord));
    if (horizontal_) return inverted_ ? endPos_ - r : startPos_ + r;
    return inverted_ ? startPos_ + r : endPos_ - r;
  }
  double p;
  if (horizontal_) {
    p = inverted_ ? endPos_ - d : startPos_ + d;
  } else {
    p = inverted_ ? startPos_ + d : endPos_ - d;
  }
  if (p > MaxPixelCoord) return MaxPixelCoord;
  if (p < -MaxPixelCoord) return -MaxPixelCoord;
  // Not a number (a value of NaN) has no position; it goes to the axis start.
  if (std::isnan(p)) return startPos_;
  return int(Round(p));
}

int TChartAxis::CalcPosValue(double value) const { return PosValue(value, true); }
int TChartAxis::XPosValueCheck(double value) const { return PosValue(value, true); }
int TChartAxis::YPosValueCheck(double value) const { return PosValue(value, true); }
int TChartAxis::XPosValue(double value) const { return PosValue(value, false); }
int TChartAxis::YPosValue(double value) const { return PosValue(value, false); }

double TChartAxis::CalcPosPoint(int pixel) const {
  if (axisSize_ < 1) return 0;
  double t = inverted_ ? endPos_ - pixel : pixel - startPos_;
  t = t * scaleRange_ / axisSize_;
  return horizontal_ ? scaleMinimum_ + t : scaleMaximum_ - t;
}

int TChartAxis::CalcSizeValue(double value) const {
  if (value <= 0 || rangeZero_) return 0;
  return int(Round(value * pixelsPerValue_));
}

// Label step.

int TChartAxis::InternalLabelSize(double value) {
  TCanvas3D& canvas = chart_->GetCanvas();
  const std::string text = LabelValue(value);
  const bool across = labelsAngle_ == 90 || labelsAngle_ == 270;
  if (horizontal_ != across) return WidestLine(canvas, text);
  return canvas.FontHeight() * LineCount(text);
}

int TChartAxis::LabelWidth(double value) {
  return chart_->GetCanvas().TextWidth(LabelValue(value));
}

int TChartAxis::LabelHeight(double value) {
  return chart_->GetCanvas().FontHeight() * LineCount(LabelValue(value));
}

double TChartAxis::CalcIncrement() {
  int size = std::max(InternalLabelSize(scaleMaximum_), InternalLabelSize(scaleMinimum_));
  if (increment_ == 0) {
    size = std::max(size, InternalLabelSize((scaleMaximum_ + scaleMinimum_) * 0.5));
  } else {
    size = std::max(size, InternalLabelSize(scaleMaximum_ - increment_));
    size = std::max(size, InternalLabelSize(scaleMinimum_ + increment_));
  }
  double step = CalcXYIncrement(size);
  if (labelsAlternate_) step /= logarithmic_ ? logarithmicBase_ : 2.0;
  return step;
}

double TChartAxis::CalcXYIncrement(int labelSize) const {
  int64_t n = 1;
  if (labelSize > 0) {
    int64_t s = labelSize;
    if (labelsSeparation_ > 0) s += Round(labelsSeparation_ * 0.01 * s);
    n = Round(axisSize_ * 1.0 / s);
  }
  return CalcLabelsIncrement(int(std::clamp<int64_t>(n, -1, 1 << 30)));
}

double TChartAxis::CalcLabelsIncrement(int maxLabels) const {
  if (maxLabels < 1) return MinAxisIncrement;
  double step;
  if (increment_ > 0) {
    step = increment_;
  } else if (rangeZero_) {
    step = 1;
  } else {
    step = std::fabs(scaleRange_) / (maxLabels + 1);
    if (scaleRange_ >= 1) {
      // A series with no more points than labels: no step below one point.
      for (int i = 0; i < chart_->SeriesCount(); ++i) {
        const TChartSeries& s = *chart_->Series(i);
        if (s.Active() && s.AssociatedToAxis(this) && IsPositionAxisOf(s) &&
            s.Count() <= maxLabels) {
          step = std::max(step, 1.0);
          break;
        }
      }
    }
  }
  if (labelsSeparation_ >= 1) {
    int64_t b = int64_t(maxLabels) + 1;
    // Each pass at least doubles the step, so this ends once the step passes the range.
    while (true) {
      const double q = scaleRange_ / step;
      if (std::fabs(q) < 2147483647.0) {
        b = Round(q);
        if (b > maxLabels) step = NextStep(step);
      } else {
        step = NextStep(step);
      }
      if (b <= maxLabels || step > scaleRange_ || std::isinf(step)) break;
    }
  }
  if (std::isinf(step)) return scaleRange_;
  return std::max(MinAxisIncrement, step);
}

// Room in the plot rectangle.

int TChartAxis::SizeTickAxis() const {
  int size = axis_.Visible() ? axis_.Width() + 1 : 0;
  if (ticks_.Visible()) size += tickLength_;
  if (minorTicks_.Visible()) size = std::max(size, minorTickLength_);
  return size;
}

int TChartAxis::MaxLabelsWidth() {
  TCanvas3D& canvas = chart_->GetCanvas();
  const TAxisLabelStyle style = CalcLabelStyle();
  if (style == TAxisLabelStyle::talText || style == TAxisLabelStyle::talMark) {
    int widest = 0;
    for (int i = 0; i < chart_->SeriesCount(); ++i) {
      const TChartSeries& s = *chart_->Series(i);
      if (!s.Active() || !s.AssociatedToAxis(this)) continue;
      for (int j = 0; j < s.Count(); ++j) widest = std::max(widest, canvas.TextWidth(s.XLabel(j)));
    }
    return widest + canvas.TextWidth(" ");
  }
  double lo = scaleMinimum_;
  double hi = scaleMaximum_;
  if (roundFirstLabel_) {
    const double step = CalcIncrement();
    lo = std::trunc(scaleMinimum_ / step) * step;
    hi = std::trunc(scaleMaximum_ / step) * step;
  }
  return std::max(WidestLine(canvas, LabelValue(hi)), WidestLine(canvas, LabelValue(lo))) +
         canvas.TextWidth(" ");
}

int TChartAxis::SizeLabels() {
  int size = labelsSize_;
  if (size == 0) {
    TCanvas3D& canvas = chart_->GetCanvas();
    canvas.AssignFont(labelsFont_);
    const bool flat = labelsAngle_ == 0 || labelsAngle_ == 180;
    if (horizontal_ == flat) {
      size = canvas.FontHeight();
    } else {
      size = MaxLabelsWidth();
    }
  }
  return labelsAlternate_ ? 2 * size : size;
}

int TChartAxis::GetRectangleEdge(const TRect& r) const {
  if (horizontal_) return otherSide_ ? r.top : r.bottom;
  return otherSide_ ? r.right : r.left;
}

void TChartAxis::InflateAxisRect(TRect& r, int amount) const {
  if (horizontal_) {
    if (otherSide_) {
      r.top += amount;
    } else {
      r.bottom -= amount;
    }
  } else if (otherSide_) {
    r.right -= amount;
  } else {
    r.left += amount;
  }
}

int TChartAxis::InflateAxisPos(int pos, int amount) const {
  // Outward: up for the top axis, left for the left axis, else down or right.
  const bool backwards = horizontal_ ? otherSide_ : !otherSide_;
  return backwards ? pos - amount : pos + amount;
}

int TChartAxis::ApplyPosition(int pos, const TRect& r) const {
  if (positionPercent_ == 0) return pos;
  double d = positionPercent_;
  if (positionUnits_ == TAxisUnits::muPercent) {
    d = d * 0.01 * (horizontal_ ? r.Height() : r.Width());
  }
  int distance = int(Round(d));
  if (otherSide_) distance = -distance;
  return horizontal_ ? pos - distance : pos + distance;
}

int TChartAxis::TitleSizeOf() {
  if (titleSize_ != 0) return titleSize_;
  TCanvas3D& canvas = chart_->GetCanvas();
  canvas.AssignFont(titleFont_);
  // The flat canvas draws every caption across (see Draw), so a vertical axis' title
  // takes its text's width whatever its angle, and a horizontal one its height.
  if (horizontal_ || titleUpwards_) return canvas.FontHeight();
  return canvas.TextWidth(titleCaption_);
}

void TChartAxis::CalcRect(TRect& r, bool shrinkChart) {
  if (!shrinkChart) {
    axisPos_ = ApplyPosition(GetRectangleEdge(r), r);
    labelsPos_ = InflateAxisPos(axisPos_, SizeTickAxis());
    titlePos_ = InflateAxisPos(labelsPos_, SizeLabels());
    return;
  }
  if (titleVisible_ && !titleCaption_.empty()) {
    InflateAxisRect(r, TitleSizeOf());
    titlePos_ = GetRectangleEdge(r);
  }
  if (labels_) {
    InflateAxisRect(r, horizontal_ ? SizeLabels() : WholeLabelsShare(r, SizeLabels()));
    labelsPos_ = GetRectangleEdge(r);
  }
  // Flat charts have walls without depth.
  const int ticks = SizeTickAxis();
  if (ticks > 0) InflateAxisRect(r, ticks);
  titlePos_ = ApplyPosition(titlePos_, r);
  labelsPos_ = ApplyPosition(labelsPos_, r);
}

}  // namespace vadidazid
