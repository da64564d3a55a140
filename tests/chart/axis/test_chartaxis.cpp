// Axis scaling on charts without a window: text is measured by the recording canvas'
// model (6 pixels a character, 13 a line), so label sizes are known exactly.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "chart/axis/chartaxis.h"
#include "chart/panel/chart.h"
#include "chart/panel/chartexception.h"
#include "chart/series/lineseries.h"
#include "platform/drawing/recordingcanvas.h"
#include "programchart/programchart.h"

namespace vadidazid {

namespace {

// Places the plot rectangle and computes every axis' range and positions, as the
// drawing does before it measures labels.
void Scale(TChart& chart, const TRect& plot) {
  chart.SetChartRect(plot);
  chart.ReCalcWidthHeight();
  for (int i = 0; i < chart.AxisCount(); ++i) {
    chart.Axis(i)->InternalCalcPositions();
    chart.Axis(i)->AdjustMaxMin();
  }
}

TLineSeries* AddLine(TChart& chart, const std::vector<double>& values) {
  auto* s = chart.AddSeries(std::make_unique<TLineSeries>());
  for (double v : values) s->Add(v);
  return s;
}

TEST(NextStepTest, OneTwoFiveLadder) {
  const std::pair<double, double> cases[] = {
      {0.3, 0.5},
      {1, 2},
      {1.5, 2},
      {2, 5},
      {4.9, 5},
      {5, 10},
      {7, 10},
      {10, 20},
      {20, 50},
      {35, 50},
      {0.07, 0.1},
      {std::numeric_limits<double>::infinity(), 1},
      // No next step from nothing: these must end rather than recurse for ever.
      {0, 1},
      {-3, 1},
      {std::numeric_limits<double>::quiet_NaN(), 1},
  };
  for (const auto& [x, next] : cases) EXPECT_NEAR(NextStep(x), next, 1e-12) << x;
}

TEST(AxisScaleTest, WorkedExampleBottomAxisAfterHundredSteps) {
  auto chart = CreateProgramChart();
  for (int i = 0; i < 4; ++i) chart->Series(i)->Clear();
  std::vector<double> values(100, 1.0);
  chart->Series(0)->AddArray(values);
  Scale(*chart, {10, 10, 390, 180});
  TChartAxis& bottom = *chart->BottomAxis();
  EXPECT_EQ(bottom.AxisSize(), 380);
  EXPECT_EQ(bottom.ScaleMaximum(), 99);
  // Widest label "99": 12 pixels.
  EXPECT_EQ(bottom.CalcIncrement(), 10);
}

TEST(AxisScaleTest, WorkedExampleLeftAxis) {
  TChart chart;
  AddLine(chart, {0, 12, 35.2});
  Scale(chart, {0, 0, 300, 150});
  TChartAxis& left = *chart.LeftAxis();
  EXPECT_EQ(left.ScaleRange(), 35.2);
  EXPECT_EQ(left.CalcXYIncrement(13), 5);
}

TEST(AxisScaleTest, EmptyChartAndFirstPointRanges) {
  auto chart = CreateProgramChart();
  for (int i = 0; i < 4; ++i) chart->Series(i)->Clear();
  Scale(*chart, {0, 0, 400, 200});
  TChartAxis& left = *chart->LeftAxis();
  TChartAxis& bottom = *chart->BottomAxis();
  EXPECT_TRUE(left.RangeZero());
  EXPECT_TRUE(bottom.RangeZero());
  EXPECT_EQ(left.CalcIncrement(), 1);
  EXPECT_EQ(bottom.CalcIncrement(), 5);
  EXPECT_EQ(left.CalcPosValue(123), left.CenterPos());

  const double first[] = {4, 1.5, 0, 2};
  for (int i = 0; i < 4; ++i) chart->Series(i)->Add(first[i]);
  Scale(*chart, {0, 0, 400, 200});
  EXPECT_TRUE(bottom.RangeZero());
  EXPECT_EQ(bottom.CalcPosValue(0), 200);
  EXPECT_EQ(left.ScaleMinimum(), 0);
  EXPECT_EQ(left.ScaleMaximum(), 4);
  // Every series switched off: they still set the ranges.
  for (int i = 0; i < 4; ++i) chart->Series(i)->SetActive(false);
  Scale(*chart, {0, 0, 400, 200});
  EXPECT_EQ(left.ScaleMaximum(), 4);
}

TEST(AxisScaleTest, ActiveSeriesAloneSetTheRange) {
  TChart chart;
  AddLine(chart, {1, 2});
  TLineSeries* off = AddLine(chart, {-50, 80});
  off->SetActive(false);
  Scale(chart, {0, 0, 100, 100});
  EXPECT_EQ(chart.LeftAxis()->ScaleMinimum(), 1);
  EXPECT_EQ(chart.LeftAxis()->ScaleMaximum(), 2);
}

TEST(AxisScaleTest, LabelStepEdges) {
  TChart chart;
  AddLine(chart, {0, 35.2});
  Scale(chart, {0, 0, 300, 150});
  TChartAxis& left = *chart.LeftAxis();
  // Labels too big for the axis: no room for any, the smallest step.
  EXPECT_EQ(left.CalcXYIncrement(1000), MinAxisIncrement);
  // Without separation the raw step stands: 35.2 / (N + 1), N = round(150 / 13) = 12.
  left.SetLabelsSeparation(0);
  EXPECT_DOUBLE_EQ(left.CalcXYIncrement(13), 35.2 / 13);
  // A given increment climbs the ladder from itself.
  left.SetLabelsSeparation(10);
  left.SetIncrement(3);
  EXPECT_EQ(left.CalcXYIncrement(13), 5);
}

TEST(AxisScaleTest, FewPointsKeepTheStepAtLeastOne) {
  TChart chart;
  AddLine(chart, {5, 6, 7});
  Scale(chart, {0, 0, 400, 100});
  // Bottom 0 .. 2 with room for many labels: no step below one point.
  TChartAxis& bottom = *chart.BottomAxis();
  bottom.SetLabelsSeparation(0);
  EXPECT_EQ(bottom.CalcXYIncrement(6), 1);
}

TEST(AxisScaleTest, MappingsClampAndInvert) {
  TChart chart;
  AddLine(chart, {0, 100});
  Scale(chart, {10, 20, 110, 220});
  TChartAxis& left = *chart.LeftAxis();
  TChartAxis& bottom = *chart.BottomAxis();
  struct Case {
    double value;
    int y;
  };
  const Case cases[] = {{0, 220},
                        {100, 20},
                        {50, 120},
                        {0.25, 220},
                        {0.75, 218},
                        {1e300, -MaxPixelCoord},
                        {-1e300, MaxPixelCoord}};
  for (const Case& c : cases) EXPECT_EQ(left.CalcPosValue(c.value), c.y) << c.value;
  EXPECT_EQ(left.CalcPosPoint(120), 50);
  // A value that is not a number has no place; it must not become an arbitrary integer.
  EXPECT_EQ(left.CalcPosValue(std::numeric_limits<double>::quiet_NaN()), left.StartPos());
  EXPECT_EQ(bottom.CalcPosValue(1), 110);
  EXPECT_EQ(bottom.CalcPosValue(1e300), MaxPixelCoord);
  EXPECT_EQ(left.CalcSizeValue(10), 20);
  EXPECT_EQ(left.CalcSizeValue(-1), 0);
  left.SetInverted(true);
  EXPECT_EQ(left.CalcPosValue(0), 20);
  EXPECT_EQ(left.CalcPosPoint(20), 0);
}

TEST(AxisScaleTest, OffsetsWidenTheRange) {
  TChart chart;
  AddLine(chart, {0, 100});
  Scale(chart, {0, 0, 100, 100});
  TChartAxis& left = *chart.LeftAxis();
  left.SetMinimumOffset(10);
  left.SetMaximumOffset(10);
  chart.SetChartRect({0, 0, 100, 100});
  TRect margins{0, 10, 0, 10};
  left.AdjustMaxMinRect(margins);
  EXPECT_DOUBLE_EQ(left.ScaleMinimum(), -12.5);
  EXPECT_DOUBLE_EQ(left.ScaleMaximum(), 112.5);
  EXPECT_EQ(left.CalcPosValue(100), 10);
}

TEST(AxisScaleTest, MinimumAndMaximumChecksAndFixedRanges) {
  TChart chart;
  TChartAxis& axis = *chart.LeftAxis();
  axis.SetMaximum(10);
  try {
    axis.SetMinimum(11);
    FAIL();
  } catch (const EChartException& e) {
    EXPECT_STREQ(e.what(), "Axis Minimum Value must be <= Maximum");
  }
  try {
    axis.SetMaximum(-1);
    FAIL();
  } catch (const EChartException& e) {
    EXPECT_STREQ(e.what(), "Axis Maximum Value must be >= Minimum");
  }
  axis.SetMinMax(30, 20);
  EXPECT_FALSE(axis.Automatic());
  EXPECT_EQ(axis.Minimum(), 20);
  EXPECT_EQ(axis.Maximum(), 30);
  axis.SetMinMax(5, 5);
  EXPECT_DOUBLE_EQ(axis.Maximum(), 5 + 1e-10);
  axis.SetAutomaticMinimum(true);
  EXPECT_FALSE(axis.Automatic());
  axis.SetAutomaticMaximum(true);
  EXPECT_TRUE(axis.Automatic());
}

TEST(AxisScaleTest, ProgramChartPlotAfterAxes) {
  auto chart = CreateProgramChart();
  RecordingCanvas window;
  chart->Draw(window, chart->GetRectangle());
  // Design-time values 970 .. 1302.5 with step 50: widest left label "1,300" (5 chars)
  // plus a space, then two pixels for the axis line; the bottom takes a line of text
  // and the same two pixels. The legend's band (two rows of 15 pixels, 2 for the frame,
  // the 4-pixel gap) lies above.
  EXPECT_EQ(chart->ChartRect(), (TRect{5 + 36 + 2, 7 + 32 + 4, 425, 201 - 13 - 2}));
  EXPECT_EQ(chart->LeftAxis()->LabelsPos(), 5 + 36);
  EXPECT_EQ(chart->BottomAxis()->LabelsPos(), 201 - 13);
}

TEST(AxisScaleTest, AxisLeavingNoRoomTakesNone) {
  TChart chart;
  chart.SetBevelOuter(TPanelBevel::bvNone);
  chart.SetMarginUnits(TTeeUnits::muPixels);
  chart.SetBounds(40, 250);
  chart.SetMargin(0, 0);
  chart.SetMargin(2, 0);
  AddLine(chart, {1000000, 2000000});
  RecordingCanvas window;
  chart.Draw(window, chart.GetRectangle());
  // The left labels ("2,000,000" and a space: 60 pixels) would pass the right edge.
  EXPECT_EQ(chart.ChartRect().left, 0);
}

}  // namespace

}  // namespace vadidazid
