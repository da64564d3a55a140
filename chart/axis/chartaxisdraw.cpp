// Axis drawing: value labels, the axis line, ticks, grid and minor ticks (see
// chartaxis.h). Everything goes through the chart canvas.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "chart/axis/chartaxis.h"
#include "chart/panel/customaxispanel.h"
#include "chart/series/chartseries.h"
#include "platform/text/formatfloat.h"
#include "platform/text/numtext.h"

namespace vadidazid {

namespace {

int Round(double v) { return int(std::nearbyint(v)); }

// Values whose 15-digit texts are equal cannot be told apart on a label.
bool SameText(double a, double b) { return FloatToStr(a) == FloatToStr(b); }

}  // namespace

std::string TChartAxis::LabelValue(double value) const {
  return FormatFloat(axisValuesFormat_, value);
}

TAxisLabelStyle TChartAxis::CalcLabelStyle() const {
  return labelStyle_ == TAxisLabelStyle::talAuto ? InternalCalcLabelStyle() : labelStyle_;
}

TAxisLabelStyle TChartAxis::InternalCalcLabelStyle() const {
  TAxisLabelStyle style = TAxisLabelStyle::talNone;
  for (int i = 0; i < chart_->SeriesCount(); ++i) {
    const TChartSeries& s = *chart_->Series(i);
    if (!s.Active() || !s.AssociatedToAxis(this)) continue;
    style = TAxisLabelStyle::talValue;
    if (!IsPositionAxisOf(s)) continue;
    // Only stored entries can hold text; a series without labels costs nothing here.
    const TLabelsList& labels = s.Labels();
    const int n = std::min(s.Count(), labels.Count());
    for (int j = 0; j < n; ++j)
      if (labels.HasText(j)) return TAxisLabelStyle::talText;
  }
  return style;
}

void TChartAxis::Draw(bool computeAxisPos) {
  TCanvas3D& canvas = chart_->GetCanvas();
  if (computeAxisPos)
    axisPos_ = ApplyPosition(GetRectangleEdge(chart_->ChartRect()), chart_->ChartRect());
  tickPositions_.clear();
  if (titleVisible_ && !titleCaption_.empty()) {
    canvas.AssignFont(titleFont_);
    canvas.Brush().style = TBrushStyle::bsClear;
    // The flat canvas draws no rotated text: a vertical axis' caption goes across,
    // level with the middle of the axis, its inner edge on the title band's.
    if (horizontal_) {
      canvas.SetTextAlign(otherSide_ ? TA_CENTER | TA_BOTTOM : TA_CENTER | TA_TOP);
      canvas.TextOut3D(centerPos_, titlePos_, 0, titleCaption_);
    } else if (titleUpwards_) {
      const int height = canvas.FontHeight();
      canvas.TextOutUp(otherSide_ ? titlePos_ : titlePos_ - height,
                       centerPos_ - canvas.TextWidth(titleCaption_) / 2, titleCaption_);
    } else {
      canvas.SetTextAlign(otherSide_ ? TA_LEFT | TA_TOP : TA_RIGHT | TA_TOP);
      canvas.TextOut3D(titlePos_, centerPos_ - canvas.FontHeight() / 2, 0, titleCaption_);
    }
    canvas.SetTextAlign(TA_LEFT | TA_TOP);
  }
  const TAxisLabelStyle style = CalcLabelStyle();
  if (style != TAxisLabelStyle::talNone) {
    canvas.AssignFont(labelsFont_);
    const double step = CalcIncrement();
    if (step > 0 && scaleMaximum_ >= scaleMinimum_) DrawValueLabels(step);
  }
  canvas.Brush().style = TBrushStyle::bsClear;
  canvas.SetBackMode(TCanvasBackMode::cbmTransparent);
  if (axis_.Visible()) DrawAxisLine();
  DrawTicks(tickPositions_, ticks_, tickLength_, 1);
  if (grid_.Visible()) DrawGrids(int(tickPositions_.size()));
  DrawTicks(tickPositions_, ticksInner_, -tickInnerLength_, -1);
  DrawMinor(false);
  DrawMinor(true);
  canvas.SetBackMode(TCanvasBackMode::cbmOpaque);
}

std::vector<double> TChartAxis::ValueLabelValues(double step) const {
  std::vector<double> values;
  if (std::fabs(scaleRange_ / step) >= 10000) return values;
  double v = scaleMaximum_;
  if (!SameText(scaleMinimum_, scaleMaximum_) && roundFirstLabel_) {
    v = std::trunc(scaleMaximum_ / step) * step;
  }
  while (v > scaleMaximum_) v -= step;
  if (rangeZero_ || std::fabs(scaleMaximum_ - scaleMinimum_) < 1e-10 || SameText(v, v - step)) {
    values.push_back(v);
    return values;
  }
  const double limit = scaleMinimum_ >= 0 ? (scaleMinimum_ - 1e-12) / (1 + 1e-12) : scaleMinimum_;
  while (v >= limit) {
    values.push_back(v);
    v -= step;
  }
  return values;
}

void TChartAxis::DrawValueLabels(double step) {
  for (double v : ValueLabelValues(step)) DrawLabelOf(v);
}

void TChartAxis::DrawLabelOf(double value) {
  const int p = CalcPosValue(value);
  if (!labelsOnAxis_ && !(p > startPos_ && p < endPos_)) return;
  if (!tickOnLabelsOnly_) tickPositions_.push_back(p);
  if (!labels_) return;
  const std::string text = LabelValue(value);
  if (tickOnLabelsOnly_) tickPositions_.push_back(p);
  TCanvas3D& canvas = chart_->GetCanvas();
  canvas.AssignFont(labelsFont_);
  canvas.Brush().style = TBrushStyle::bsClear;
  if (horizontal_) {
    DrawAxisLabel(p, labelsPos_, labelsAngle_, text);
  } else {
    DrawAxisLabel(labelsPos_, p, labelsAngle_, text);
  }
}

void TChartAxis::DrawAxisLabel(int x, int y, int, const std::string& text) {
  TCanvas3D& canvas = chart_->GetCanvas();
  const int h = canvas.FontHeight();
  const int half = h / 2;
  int align;
  if (horizontal_) {
    align = otherSide_ ? TA_CENTER | TA_BOTTOM : TA_CENTER | TA_TOP;
  } else {
    align = otherSide_ ? TA_LEFT | TA_TOP : TA_RIGHT | TA_TOP;
    y -= half;
  }
  std::vector<std::string> lines(1);
  for (char c : text) {
    if (c == '\n') {
      lines.emplace_back();
    } else {
      lines.back().push_back(c);
    }
  }
  const int count = int(lines.size());
  if (horizontal_) {
    y -= otherSide_ ? Round(double(h) * count) : h;
  } else {
    y -= Round(h * 0.5 * (count + 1));
  }
  canvas.SetTextAlign(align);
  for (const std::string& line : lines) {
    y += h;
    canvas.TextOut3D(x, y, 0, line);
  }
  canvas.SetTextAlign(TA_LEFT | TA_TOP);
}

void TChartAxis::DrawAxisLine() {
  TCanvas3D& canvas = chart_->GetCanvas();
  canvas.AssignVisiblePen(axis_);
  if (horizontal_) {
    canvas.HorizLine3D(startPos_, endPos_, axisPos_, 0);
  } else {
    canvas.VertLine3D(axisPos_, startPos_, endPos_, 0);
  }
}

void TChartAxis::DrawTicks(const std::vector<int>& positions, TChartPen& pen, int length,
                           int direction) {
  if (!pen.Visible() || length == 0 || positions.empty()) return;
  TCanvas3D& canvas = chart_->GetCanvas();
  canvas.AssignVisiblePen(pen);
  // Outward from the axis line, one pixel off it; inner ticks point into the plot.
  const int sign = (horizontal_ ? !otherSide_ : otherSide_) ? 1 : -1;
  const int from = axisPos_ + sign * direction;
  const int to = from + sign * direction * std::abs(length);
  for (int p : positions) {
    if (horizontal_) {
      canvas.DoVertLine(p, from, to);
    } else {
      canvas.DoHorizLine(from, to, p);
    }
  }
}

void TChartAxis::DrawGrids(int tickCount) {
  TCanvas3D& canvas = chart_->GetCanvas();
  canvas.SetBackMode(TCanvasBackMode::cbmTransparent);
  canvas.Brush().style = TBrushStyle::bsClear;
  canvas.AssignVisiblePenColor(grid_, grid_.Color() == clAutoColor ? clGray : grid_.Color());
  if (grid_.Centered()) {
    for (int i = 1; i < tickCount; ++i)
      DrawGridLine(Round((tickPositions_[i] + tickPositions_[i - 1]) * 0.5));
  } else {
    for (int i = 0; i < tickCount; ++i) DrawGridLine(tickPositions_[i]);
  }
}

void TChartAxis::DrawGridLine(int p) {
  if (!(p > startPos_ && p < endPos_)) return;
  TCanvas3D& canvas = chart_->GetCanvas();
  const TRect& r = chart_->ChartRect();
  if (horizontal_) {
    canvas.DoVertLine(p, r.top + 1, r.bottom);
  } else {
    canvas.DoHorizLine(r.left + 1, r.right, p);
  }
}

void TChartAxis::DrawMinor(bool grid) {
  TChartPen& pen = grid ? static_cast<TChartPen&>(minorGrid_) : minorTicks_;
  const std::vector<int>& t = tickPositions_;
  if (!pen.Visible() || t.empty()) return;
  std::vector<int> minor;
  if (!logarithmic_ && t.size() >= 2) {
    const double d = (t[1] - t[0]) / double(minorTickCount_ + 1);
    for (int j = 1; j <= minorTickCount_; ++j) {
      minor.push_back(t[0] - Round(j * d));
      minor.push_back(t.back() + Round(j * d));
    }
  }
  for (size_t i = 1; i < t.size(); ++i) {
    const double d = (t[i] - t[i - 1]) / double(minorTickCount_ + 1);
    for (int j = 1; j <= minorTickCount_; ++j) minor.push_back(t[i] - Round(d * j));
  }
  std::vector<int> inside;
  for (int p : minor)
    if (p > startPos_ && p < endPos_) inside.push_back(p);
  if (grid) {
    chart_->GetCanvas().AssignVisiblePen(pen);
    for (int p : inside) DrawGridLine(p);
  } else {
    // A zero length is a line from a point to itself, which leaves no mark.
    DrawTicks(inside, pen, minorTickLength_, 1);
  }
}

}  // namespace vadidazid
