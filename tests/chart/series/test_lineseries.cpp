// Line series on a recording canvas: which segments a drawing asks for, the range of
// points it visits, the line entering a zoomed plot, the drawing events, markers and
// margins.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "chart/axis/chartaxis.h"
#include "chart/panel/chart.h"
#include "chart/panel/chartexception.h"
#include "chart/series/lineseries.h"
#include "platform/drawing/recordingcanvas.h"
#include "programchart/programchart.h"

namespace vadidazid {

namespace {

std::vector<std::string> Draw(TChart& chart) {
  RecordingCanvas canvas;
  chart.Canvas3D().SetUseBuffer(false);
  chart.Draw(canvas, chart.GetRectangle());
  return canvas.Calls();
}

// The LineTo calls in the colour while the plot is clipped (the series' drawing, not the
// legend's symbols), each with the MoveTo before it: "x0,y0 x1,y1".
std::vector<std::string> SegmentsIn(const std::vector<std::string>& calls, TColor color) {
  std::vector<std::string> out;
  const std::string pen = " pen " + RecordingCanvas::ColorText(color);
  bool clipped = false;
  for (size_t i = 1; i < calls.size(); ++i) {
    if (calls[i].rfind("Clip", 0) == 0) clipped = calls[i] != "Clip none";
    if (clipped && calls[i].rfind("LineTo", 0) == 0 && calls[i].find(pen) != std::string::npos)
      out.push_back(calls[i - 1].substr(7) + " " + calls[i].substr(7, calls[i].find(' ', 7) - 7));
  }
  return out;
}

// A chart with one line series; the other program series are removed.
std::unique_ptr<TChart> OneSeries(TChartListOrder order) {
  auto chart = CreateProgramChart();
  while (chart->SeriesCount() > 1) chart->RemoveSeries(chart->Series(1));
  TChartSeries& s = *chart->Series(0);
  s.Clear();
  s.XValues().SetOrder(order);
  return chart;
}

TEST(LineSeriesTest, SegmentsBetweenPoints) {
  struct Point {
    double x, y;
    bool null = false;
  };
  struct Case {
    const char* name;
    std::vector<Point> points;
    int segments;
  };
  const Case cases[] = {
      {"n points, n - 1 segments", {{0, 0}, {1, 5}, {2, 2}, {3, 9}}, 3},
      {"one point", {{0, 0}}, 0},
      {"no points", {}, 0},
      {"same pixel twice", {{0, 0}, {1, 5}, {1, 5}, {2, 2}}, 2},
      {"null in the middle", {{0, 0}, {1, 5}, {2, 2, true}, {3, 9}, {4, 1}}, 2},
      {"null first and last", {{0, 0, true}, {1, 5}, {2, 2}, {3, 9, true}}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto chart = OneSeries(TChartListOrder::loNone);
    TChartSeries& s = *chart->Series(0);
    for (const Point& p : c.points) {
      if (p.null) {
        s.AddNullXY(p.x, p.y);
      } else {
        s.AddXY(p.x, p.y);
      }
    }
    for (bool columns : {false, true}) {
      static_cast<TLineSeries&>(s).SetColumnDrawing(columns);
      EXPECT_EQ(int(SegmentsIn(Draw(*chart), s.SeriesColor()).size()), c.segments);
    }
  }
}

TEST(LineSeriesTest, ShownRange) {
  struct Case {
    const char* name;
    TChartListOrder order;
    bool keepPointPastEnd;
    double min, max;
    int first, last;
  };
  // X values 0, 10, ..., 90.
  const Case cases[] = {
      {"zoomed, ordered", TChartListOrder::loAscending, true, 25, 55, 3, 6},
      {"zoomed, ordered, no point past the end", TChartListOrder::loAscending, false, 25, 55, 3, 5},
      {"edges on points", TChartListOrder::loAscending, false, 30, 60, 3, 6},
      {"wider than the data", TChartListOrder::loAscending, true, -10, 200, 0, 9},
      {"right of the data", TChartListOrder::loAscending, true, 95, 120, -1, -1},
      {"unordered: every point", TChartListOrder::loNone, true, 25, 55, 0, 9},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto chart = OneSeries(c.order);
    if (!c.keepPointPastEnd) {
      chart->RemoveSeries(chart->Series(0));
      chart->AddSeries(std::make_unique<TChartSeries>())->XValues().SetOrder(c.order);
    }
    TChartSeries& s = *chart->Series(0);
    for (int i = 0; i < 10; ++i) s.AddXY(10 * i, i % 3);
    chart->BottomAxis()->SetMinMax(c.min, c.max);
    Draw(*chart);
    EXPECT_EQ(s.FirstShownIndex(), c.first);
    EXPECT_EQ(s.LastShownIndex(), c.last);
  }
}

TEST(LineSeriesTest, ZoomedLineEntersAtThePlotEdge) {
  auto chart = OneSeries(TChartListOrder::loAscending);
  TChartSeries& s = *chart->Series(0);
  for (int i = 0; i < 10; ++i) s.AddXY(10 * i, 10 * i);
  chart->BottomAxis()->SetMinMax(25, 55);
  chart->LeftAxis()->SetMinMax(0, 90);
  for (bool columns : {false, true}) {
    static_cast<TLineSeries&>(s).SetColumnDrawing(columns);
    const std::vector<std::string> segments = SegmentsIn(Draw(*chart), s.SeriesColor());
    ASSERT_FALSE(segments.empty());
    // The line from X 20 to 30 enters at the plot's left edge at Y 25.
    const std::string start = std::to_string(chart->ChartRect().left) + "," +
                              std::to_string(chart->LeftAxis()->CalcPosValue(25));
    EXPECT_EQ(segments[0].substr(0, start.size()), start);
  }
}

TEST(LineSeriesTest, DrawingEventsOnlyForSeriesWithShownPoints) {
  auto chart = CreateProgramChart();
  chart->Series(1)->Clear();
  std::vector<std::string> seen;
  for (int i = 0; i < 2; ++i) {
    TChartSeries& s = *chart->Series(i);
    s.BeforeDrawValues = [&seen](TChartSeries& x) { seen.push_back("before " + x.Name()); };
    s.AfterDrawValues = [&seen](TChartSeries& x) { seen.push_back("after " + x.Name()); };
  }
  Draw(*chart);
  EXPECT_EQ(seen, (std::vector<std::string>{"before Series1", "after Series1"}));
}

TEST(LineSeriesTest, PointerSizesAndMargins) {
  TLineSeries s;
  EXPECT_THROW(s.Pointer().SetHorizSize(0), EChartException);
  EXPECT_THROW(s.Pointer().SetVertSize(-3), EChartException);
  try {
    s.Pointer().SetVertSize(0);
  } catch (const EChartException& e) {
    EXPECT_STREQ(e.what(), "Pointer size must be greater than zero");
  }
  EXPECT_EQ(s.Pointer().HorizSize(), 4);
  EXPECT_EQ(s.Pointer().VertSize(), 4);
  int a = -1, b = -1;
  s.CalcHorizMargins(a, b);
  EXPECT_EQ(a + b, 0);
  s.Pointer().SetVisible(true);
  s.Pointer().SetVertSize(2);
  s.CalcHorizMargins(a, b);
  EXPECT_EQ(a, 5);
  EXPECT_EQ(b, 5);
  s.CalcVerticalMargins(a, b);
  EXPECT_EQ(a, 3);
  s.Pointer().SetInflateMargins(false);
  s.CalcVerticalMargins(a, b);
  EXPECT_EQ(a, 0);
}

}  // namespace

}  // namespace vadidazid
