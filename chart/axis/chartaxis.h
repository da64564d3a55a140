// One axis of the chart. At every drawing the axis finds its range from the series
// that use it, places itself along the plot rectangle and takes the room of its labels
// and ticks out of it (scaling, chartaxis.cpp); it maps values to pixels and back for
// the series and the mouse; and it draws its labels, line, ticks and grid
// (chartaxisdraw.cpp). All settings follow the chart's setter rule: a real change is
// stored and the chart repainted; the range and positions computed during a drawing
// are written without a repaint.
#pragma once

#include <string>
#include <vector>

#include "chart/canvas/chartpen.h"
#include "chart/canvas/teefont.h"
#include "platform/drawing/canvas.h"

namespace vadidazid {

class TCustomAxisPanel;
class TChartSeries;

enum class TAxisLabelStyle { talAuto, talNone, talValue, talMark, talText };
enum class TAxisUnits { muPercent, muPixels };

// The smallest label step; a step this small shows no labels.
inline constexpr double MinAxisIncrement = 1e-12;
// Pixel positions are clamped to +-MaxPixelCoord, the range of 32-bit drawing
// coordinates that stays safe for the platform's line drawing.
inline constexpr int MaxPixelCoord = 67108863;

// The label step after x: the next of 1, 2, 5 times a power of ten above it; 1 when x is
// infinite or not a number.
double NextStep(double x);

// The axis line pen: black, width 2.
class TChartAxisPen : public TChartPen {
 public:
  TChartAxisPen() : TChartPen(clBlack, TPenStyle::psSolid, true, 2) {}
};

// The grid: dotted grey, optionally between the labels instead of at them.
class TAxisGridPen : public TDottedGrayPen {
 public:
  bool Centered() const { return centered_; }
  void SetCentered(bool value) { StoreAndRepaint(centered_, value); }

 private:
  bool centered_ = false;
};

class TChartAxis {
 public:
  // Axes are made by their chart, which lists them in the order they are made.
  TChartAxis(TCustomAxisPanel* chart, bool horizontal, bool otherSide, bool isDepth = false);
  TChartAxis(const TChartAxis&) = delete;
  TChartAxis& operator=(const TChartAxis&) = delete;

  TCustomAxisPanel* ParentChart() const { return chart_; }
  bool Horizontal() const { return horizontal_; }
  bool OtherSide() const { return otherSide_; }
  bool IsDepthAxis() const { return isDepth_; }

  // Range settings.
  bool Automatic() const { return automatic_; }
  void SetAutomatic(bool value);
  bool AutomaticMinimum() const { return automaticMinimum_; }
  void SetAutomaticMinimum(bool value);
  bool AutomaticMaximum() const { return automaticMaximum_; }
  void SetAutomaticMaximum(bool value);
  double Minimum() const { return minimum_; }
  // Throws EChartException when above Maximum.
  void SetMinimum(double value);
  double Maximum() const { return maximum_; }
  // Throws EChartException when below Minimum.
  void SetMaximum(double value);
  // Fixes the range (both ends no longer automatic); at least 1e-10 wide.
  void SetMinMax(double minimum, double maximum);
  // Moves the range by offset and fixes it (chartaxisscroll.cpp). With checkLimits an
  // offset that would move past the data's end is refused.
  void Scroll(double offset, bool checkLimits);
  double Increment() const { return increment_; }
  void SetIncrement(double value) { Store(increment_, value); }
  bool Inverted() const { return inverted_; }
  void SetInverted(bool value) { Store(inverted_, value); }
  double StartPosition() const { return startPosition_; }
  void SetStartPosition(double value) { Store(startPosition_, value); }
  double EndPosition() const { return endPosition_; }
  void SetEndPosition(double value) { Store(endPosition_, value); }
  double PositionPercent() const { return positionPercent_; }
  void SetPositionPercent(double value) { Store(positionPercent_, value); }
  TAxisUnits PositionUnits() const { return positionUnits_; }
  void SetPositionUnits(TAxisUnits value) { Store(positionUnits_, value); }
  int MinimumOffset() const { return minimumOffset_; }
  void SetMinimumOffset(int value) { Store(minimumOffset_, value); }
  int MaximumOffset() const { return maximumOffset_; }
  void SetMaximumOffset(int value) { Store(maximumOffset_, value); }
  bool Logarithmic() const { return logarithmic_; }
  double LogarithmicBase() const { return logarithmicBase_; }
  void SetLogarithmicBase(double value) { Store(logarithmicBase_, value); }
  bool ExactDateTime() const { return exactDateTime_; }
  void SetExactDateTime(bool value) { Store(exactDateTime_, value); }
  bool Visible() const { return visible_; }
  void SetVisible(bool value) { Store(visible_, value); }

  // Label settings.
  bool Labels() const { return labels_; }
  void SetLabels(bool value) { Store(labels_, value); }
  TAxisLabelStyle LabelStyle() const { return labelStyle_; }
  void SetLabelStyle(TAxisLabelStyle value) { Store(labelStyle_, value); }
  int LabelsSeparation() const { return labelsSeparation_; }
  void SetLabelsSeparation(int value) { Store(labelsSeparation_, value); }
  int LabelsAngle() const { return labelsAngle_; }
  bool LabelsAlternate() const { return labelsAlternate_; }
  void SetLabelsAlternate(bool value) { Store(labelsAlternate_, value); }
  bool LabelsOnAxis() const { return labelsOnAxis_; }
  void SetLabelsOnAxis(bool value) { Store(labelsOnAxis_, value); }
  int LabelsSize() const { return labelsSize_; }
  void SetLabelsSize(int value) { Store(labelsSize_, value); }
  bool RoundFirstLabel() const { return roundFirstLabel_; }
  void SetRoundFirstLabel(bool value) { Store(roundFirstLabel_, value); }
  const std::string& AxisValuesFormat() const { return axisValuesFormat_; }
  void SetAxisValuesFormat(const std::string& value) { Store(axisValuesFormat_, value); }
  TTeeFont& LabelsFont() { return labelsFont_; }

  // Title settings.
  const std::string& TitleCaption() const { return titleCaption_; }
  void SetTitleCaption(const std::string& value) { Store(titleCaption_, value); }
  bool TitleVisible() const { return titleVisible_; }
  void SetTitleVisible(bool value) { Store(titleVisible_, value); }
  // A vertical axis' title written upwards along the axis rather than across (off by
  // default: the window's chart keeps its level captions).
  bool TitleUpwards() const { return titleUpwards_; }
  void SetTitleUpwards(bool value) { Store(titleUpwards_, value); }
  int TitleAngle() const { return titleAngle_; }
  void SetTitleAngle(int value) { Store(titleAngle_, value); }
  int TitleSize() const { return titleSize_; }
  void SetTitleSize(int value) { Store(titleSize_, value); }
  TTeeFont& TitleFont() { return titleFont_; }

  // Pens and tick settings.
  TChartAxisPen& Axis() { return axis_; }
  TAxisGridPen& Grid() { return grid_; }
  TDarkGrayPen& Ticks() { return ticks_; }
  TDarkGrayPen& TicksInner() { return ticksInner_; }
  TDarkGrayPen& MinorTicks() { return minorTicks_; }
  TChartHiddenPen& MinorGrid() { return minorGrid_; }
  int TickLength() const { return tickLength_; }
  void SetTickLength(int value) { Store(tickLength_, value); }
  int TickInnerLength() const { return tickInnerLength_; }
  void SetTickInnerLength(int value) { Store(tickInnerLength_, value); }
  int MinorTickLength() const { return minorTickLength_; }
  void SetMinorTickLength(int value) { Store(minorTickLength_, value); }
  int MinorTickCount() const { return minorTickCount_; }
  void SetMinorTickCount(int value) { Store(minorTickCount_, value); }
  bool TickOnLabelsOnly() const { return tickOnLabelsOnly_; }
  void SetTickOnLabelsOnly(bool value) { Store(tickOnLabelsOnly_, value); }

  // State of the last drawing.
  int StartPos() const { return startPos_; }
  int EndPos() const { return endPos_; }
  int AxisSize() const { return axisSize_; }
  int CenterPos() const { return centerPos_; }
  double ScaleMinimum() const { return scaleMinimum_; }
  double ScaleMaximum() const { return scaleMaximum_; }
  double ScaleRange() const { return scaleRange_; }
  bool RangeZero() const { return rangeZero_; }
  double PixelsPerValue() const { return pixelsPerValue_; }
  int AxisPos() const { return axisPos_; }
  int LabelsPos() const { return labelsPos_; }
  int TitlePos() const { return titlePos_; }
  bool IsAxisVisible() const { return isAxisVisible_; }
  void SetIsAxisVisible(bool value) { isAxisVisible_ = value; }
  const std::vector<int>& TickPositions() const { return tickPositions_; }

  // Scaling.
  void AdjustMaxMin();
  void CalcMinMax(double& minimum, double& maximum) const;
  void InternalCalcRange();
  void InternalCalcPositions();
  void RecalcSizeCenter();
  // Widens the range so the data end the margins' pixels inside the axis ends.
  void AdjustMaxMinRect(const TRect& margins);
  // Value to pixel along the axis, clamped to +-MaxPixelCoord; the centre when the
  // range is zero.
  int CalcPosValue(double value) const;
  int XPosValueCheck(double value) const;
  int YPosValueCheck(double value) const;
  // The same without clamping.
  int XPosValue(double value) const;
  int YPosValue(double value) const;
  double CalcPosPoint(int pixel) const;
  int CalcSizeValue(double value) const;
  double CalcIncrement();
  double CalcXYIncrement(int labelSize) const;
  double CalcLabelsIncrement(int maxLabels) const;
  int LabelWidth(double value);
  int LabelHeight(double value);
  int SizeLabels();
  int SizeTickAxis() const;
  int MaxLabelsWidth();
  // The axis' share of rect (the working plot rectangle); shrinkChart false only
  // places the axis.
  void CalcRect(TRect& rect, bool shrinkChart);
  // How far the value labels of a horizontal axis, as its present positions place them,
  // reach past the left and right edges of bounds (0 where they do not); each of left
  // and right is raised to this axis' overflow when larger.
  void LabelsOverflow(const TRect& bounds, int& left, int& right);

  // Drawing.
  void Draw(bool computeAxisPos);
  virtual std::string LabelValue(double value) const;
  void DrawAxisLabel(int x, int y, int angle, const std::string& text);
  void DrawGrids(int tickCount);
  void DrawGridLine(int position);
  TAxisLabelStyle CalcLabelStyle() const;

  virtual ~TChartAxis() = default;

 protected:
  virtual TAxisLabelStyle InternalCalcLabelStyle() const;

 private:
  void Repaint() const;
  template <typename T>
  bool Store(T& field, const T& value) {
    return vadidazid::StoreAndRepaint(field, value, [this] { Repaint(); });
  }

  // Whether the series is drawn along this axis, and whether this is its position
  // (X) axis.
  bool IsPositionAxisOf(const TChartSeries& series) const;
  int InternalLabelSize(double value);
  int GetRectangleEdge(const TRect& rect) const;
  void InflateAxisRect(TRect& rect, int amount) const;
  int InflateAxisPos(int pos, int amount) const;
  int ApplyPosition(int pos, const TRect& rect) const;
  int TitleSizeOf();
  int PosValue(double value, bool clamp) const;
  // Room for whole labels (axislabelroom.cpp).
  double IncrementFor(int axisSize);
  int WholeLabelsShare(const TRect& rect, int share);
  // Drawing steps. The values labelled with the step, highest first.
  std::vector<double> ValueLabelValues(double step) const;
  void DrawValueLabels(double step);
  void DrawLabelOf(double value);
  void DrawAxisLine();
  void DrawTicks(const std::vector<int>& positions, TChartPen& pen, int length, int direction);
  void DrawMinor(bool grid);

  TCustomAxisPanel* chart_;
  bool horizontal_;
  bool otherSide_;
  bool isDepth_;

  bool automatic_ = true;
  bool automaticMinimum_ = true;
  bool automaticMaximum_ = true;
  double minimum_ = 0;
  double maximum_ = 0;
  double increment_ = 0;
  bool inverted_ = false;
  double startPosition_ = 0;
  double endPosition_ = 100;
  double positionPercent_ = 0;
  TAxisUnits positionUnits_ = TAxisUnits::muPercent;
  int minimumOffset_ = 0;
  int maximumOffset_ = 0;
  bool logarithmic_ = false;
  double logarithmicBase_ = 10;
  bool exactDateTime_ = true;
  bool visible_ = true;

  bool labels_ = true;
  TAxisLabelStyle labelStyle_ = TAxisLabelStyle::talAuto;
  int labelsSeparation_ = 10;
  int labelsAngle_ = 0;
  bool labelsAlternate_ = false;
  bool labelsOnAxis_ = true;
  int labelsSize_ = 0;
  bool roundFirstLabel_ = true;
  std::string axisValuesFormat_ = "#,##0.###";
  TTeeFont labelsFont_;

  std::string titleCaption_;
  bool titleVisible_ = true;
  int titleAngle_ = 0;
  bool titleUpwards_ = false;
  int titleSize_ = 0;
  TTeeFont titleFont_;

  TChartAxisPen axis_;
  TAxisGridPen grid_;
  TDarkGrayPen ticks_;
  TDarkGrayPen ticksInner_;
  TDarkGrayPen minorTicks_;
  TChartHiddenPen minorGrid_;
  int tickLength_ = 4;
  int tickInnerLength_ = 0;
  int minorTickLength_ = 2;
  int minorTickCount_ = 3;
  bool tickOnLabelsOnly_ = true;

  int startPos_ = 0;
  int endPos_ = 0;
  int axisSize_ = 0;
  int centerPos_ = 0;
  double scaleMinimum_ = 0;
  double scaleMaximum_ = 0;
  double scaleRange_ = 0;
  bool rangeZero_ = true;
  double pixelsPerValue_ = 0;
  int axisPos_ = 0;
  int labelsPos_ = 0;
  int titlePos_ = 0;
  bool isAxisVisible_ = false;
  std::vector<int> tickPositions_;
};

}  // namespace vadidazid
