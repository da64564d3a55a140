// The chart's frame of one drawing on a recording canvas: margins and the plot
// rectangle, its repair, the order of the drawing, the back wall, and paints that only
// copy the retained picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "chart/panel/chart.h"
#include "chart/series/lineseries.h"
#include "platform/drawing/recordingcanvas.h"
#include "programchart/programchart.h"

namespace vadidazid {

namespace {

// The plot rectangle as the drawing has it before titles, legend and axes take room.
TRect RectBeforeLegend(TChart& chart) {
  RecordingCanvas target;
  TRect seen;
  chart.OnBeforeDrawChart = [&] { seen = chart.ChartRect(); };
  chart.Draw(target, chart.GetRectangle());
  return seen;
}

const std::vector<std::string>& BitmapCalls(TChart& chart) {
  return static_cast<RecordingCanvas*>(chart.Canvas3D().Bitmap())->Calls();
}

int IndexOf(const std::vector<std::string>& calls, const std::string& prefix) {
  for (size_t i = 0; i < calls.size(); ++i)
    if (calls[i].rfind(prefix, 0) == 0) return int(i);
  return -1;
}

TEST(ChartLayoutTest, ProgramChartPlotBeforeLegend) {
  auto chart = CreateProgramChart();
  EXPECT_EQ(RectBeforeLegend(*chart), (TRect{5, 5, 425, 201}));
}

TEST(ChartLayoutTest, MarginsBordersAndBevels) {
  struct Case {
    TTeeUnits units;
    TPanelBevel outer;
    TPanelBevel inner;
    int borderWidth;
    TRect expected;
  };
  // 400 x 250 with the default margins 3, 4, 3, 4.
  const Case cases[] = {
      {TTeeUnits::muPercent, TPanelBevel::bvNone, TPanelBevel::bvNone, 0, {12, 10, 388, 240}},
      {TTeeUnits::muPercent, TPanelBevel::bvRaised, TPanelBevel::bvNone, 0, {13, 11, 387, 239}},
      {TTeeUnits::muPixels, TPanelBevel::bvRaised, TPanelBevel::bvLowered, 2, {7, 8, 393, 242}},
  };
  for (const Case& c : cases) {
    TChart chart;
    chart.SetMarginUnits(c.units);
    chart.SetBevelOuter(c.outer);
    chart.SetBevelInner(c.inner);
    chart.SetBorderWidth(c.borderWidth);
    EXPECT_EQ(RectBeforeLegend(chart), c.expected);
  }
}

TEST(ChartLayoutTest, InvertedOrEmptyPlotIsRepaired) {
  struct Case {
    int left, right;
    int expectedRight;
  };
  // Width 400, no bevels, margins in pixels.
  const Case cases[] = {
      {300, 300, 301},  // right edge left of the left one: one pixel wide
      {200, 200, 600},  // both edges meet: the control's width
  };
  for (const Case& c : cases) {
    TChart chart;
    chart.SetBevelOuter(TPanelBevel::bvNone);
    chart.SetMarginUnits(TTeeUnits::muPixels);
    chart.SetMargin(0, c.left);
    chart.SetMargin(2, c.right);
    const TRect r = RectBeforeLegend(chart);
    EXPECT_EQ(r.left, c.left);
    EXPECT_EQ(r.right, c.expectedRight);
  }
}

TEST(ChartLayoutTest, VisibleTitleTakesItsLineFromTheTop) {
  TChart chart;
  chart.SetBevelOuter(TPanelBevel::bvNone);
  chart.SetAxisVisible(false);
  chart.Title().SetText({"A", "B"});
  RecordingCanvas target;
  TRect afterTitles;
  chart.OnBeforeDrawSeries = [&] { afterTitles = chart.ChartRect(); };
  chart.Draw(target, chart.GetRectangle());
  EXPECT_EQ(afterTitles.top, 10 + 2 * 13);
  const auto& calls = BitmapCalls(chart);
  EXPECT_EQ(calls[IndexOf(calls, "TextOut")].rfind("TextOut 197,10 \"A\"", 0), 0u);
  chart.Title().SetVisible(false);
  chart.Draw(target, chart.GetRectangle());
  EXPECT_EQ(afterTitles.top, 10);
}

TEST(ChartLayoutTest, PanelFirstThenBackWallFrameOnThePlotEdges) {
  TChart chart;
  chart.SetBevelOuter(TPanelBevel::bvNone);
  chart.SetAxisVisible(false);
  RecordingCanvas target;
  chart.SetWindowCanvas(&target);
  chart.Paint();
  const auto& calls = BitmapCalls(chart);
  const int panel = IndexOf(calls, "FillRect");
  const int wall = IndexOf(calls, "Rectangle ");
  ASSERT_GE(panel, 0);
  EXPECT_EQ(calls[panel].rfind("FillRect 0,0,400,250 brush", 0), 0u);
  EXPECT_GT(wall, panel);
  EXPECT_EQ(calls[wall].substr(0, 22), "Rectangle 12,10,389,24");
  EXPECT_NE(calls[wall].find("pen #000000 1 brush none"), std::string::npos);
}

TEST(ChartLayoutTest, OpaqueBackWallFillsWithItsColour) {
  TChart chart;
  chart.BackWall().SetTransparent(false);
  RecordingCanvas target;
  chart.Draw(target, chart.GetRectangle());
  const auto& calls = BitmapCalls(chart);
  EXPECT_NE(calls[IndexOf(calls, "Rectangle ")].find("brush #C0C0C0"), std::string::npos);
  EXPECT_EQ(chart.GetBackColor(), clSilver);
}

TEST(ChartLayoutTest, UnchangedChartIsCopiedNotDrawn) {
  auto chart = CreateProgramChart();
  RecordingCanvas window;
  chart->SetWindowCanvas(&window);
  chart->Paint();
  const size_t drawn = BitmapCalls(*chart).size();
  EXPECT_EQ(window.Calls(), (std::vector<std::string>{"CopyFrom 0,0 0,0,433,201"}));
  window.Clear();
  chart->Paint();
  EXPECT_EQ(window.Calls(), (std::vector<std::string>{"CopyFrom 0,0 0,0,433,201"}));
  EXPECT_EQ(BitmapCalls(*chart).size(), drawn);
  // A new point makes the picture stale: the next paint draws again.
  chart->Series(0)->Add(5);
  chart->Paint();
  EXPECT_GT(BitmapCalls(*chart).size(), drawn);
}

TEST(ChartLayoutTest, ChangesWhileDrawingAskForNoRepaint) {
  TChart chart;
  auto* series = chart.AddSeries(std::make_unique<TLineSeries>());
  chart.OnBeforeDrawChart = [&] { series->Add(1); };
  const int before = chart.InvalidateCount();
  RecordingCanvas target;
  chart.Draw(target, chart.GetRectangle());
  EXPECT_EQ(chart.InvalidateCount(), before);
  EXPECT_TRUE(chart.AutoRepaint());
}

TEST(ChartLayoutTest, PartsOfTheChartRepaintOnRealChangesOnly) {
  TChart chart;
  int count = chart.InvalidateCount();
  auto changed = [&] {
    const int delta = chart.InvalidateCount() - count;
    count = chart.InvalidateCount();
    return delta;
  };
  chart.BackWall().Pen().SetColor(clRed);
  chart.Title().SetVisible(false);
  chart.Border().SetWidth(3);
  chart.SetBounds(10, 20);
  EXPECT_EQ(changed(), 4);
  chart.BackWall().Pen().SetColor(clRed);
  chart.Title().SetVisible(false);
  chart.Border().SetWidth(3);
  chart.SetBounds(10, 20);
  EXPECT_EQ(changed(), 0);
}

}  // namespace

}  // namespace vadidazid
