// Zoom and scroll on the program's chart drawn on a recording canvas: which drags count
// and what they do, the animated frames, the value under a scrolling pointer, the saved
// scales that an undo gives back, the wheel, and the rubber band's not-xor pen.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "chart/axis/chartaxis.h"
#include "chart/panel/chart.h"
#include "chart/series/chartseries.h"
#include "platform/drawing/recordingcanvas.h"
#include "programchart/programchart.h"

namespace vadidazid {

namespace {

struct Range {
  bool automatic;
  double minimum, maximum;
};

Range RangeOf(const TChartAxis& a) { return {a.Automatic(), a.Minimum(), a.Maximum()}; }

// The program's chart with 20 points a series, drawn once so its axes have their scales.
class ChartZoom : public testing::Test {
 protected:
  void SetUp() override {
    chart = CreateProgramChart();
    chart->SetWindowCanvas(&window);
    for (int s = 0; s < 4; ++s) {
      chart->Series(s)->Clear();
      for (int i = 0; i < 20; ++i) chart->Series(s)->Add(10 + s * 5 + i % 7, "", clAutoColor);
    }
    chart->Paint();
  }
  void TearDown() override { chart->SetWindowCanvas(nullptr); }

  void Drag(TMouseButton button, int x0, int y0, int x1, int y1) {
    chart->StartDrag(button, 0, x0, y0);
    chart->MouseMove(0, (x0 + x1) / 2, (y0 + y1) / 2);
    chart->MouseMove(0, x1, y1);
    chart->MouseUp(button, 0, x1, y1);
  }
  bool AllAutomatic() const {
    for (int i = 0; i < 4; ++i)
      if (!chart->Axis(i)->Automatic()) return false;
    return true;
  }

  std::unique_ptr<TChart> chart;
  RecordingCanvas window;
};

TEST_F(ChartZoom, WhichDragsCountAndWhatTheyDo) {
  struct Case {
    TZoomDirection direction;
    bool upLeftZooms;
    int dx, dy;
    enum { kNothing, kZoom, kUndo } result;
  };
  const Case cases[] = {
      {TZoomDirection::tzdBoth, false, 100, 10, Case::kNothing},
      {TZoomDirection::tzdBoth, false, 17, 17, Case::kZoom},
      {TZoomDirection::tzdBoth, false, 16, 50, Case::kNothing},
      {TZoomDirection::tzdBoth, false, 50, -50, Case::kZoom},
      {TZoomDirection::tzdBoth, false, -50, 50, Case::kUndo},
      {TZoomDirection::tzdBoth, true, -50, -50, Case::kZoom},
      {TZoomDirection::tzdHorizontal, false, 50, 0, Case::kZoom},
      {TZoomDirection::tzdVertical, false, 0, 50, Case::kZoom},
      {TZoomDirection::tzdVertical, false, 0, -50, Case::kUndo},
  };
  // Counted across the cases: the handler outlives each of them.
  int undos = 0;
  chart->OnUndoZoom = [&] { ++undos; };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << int(c.direction) << " " << c.dx << "," << c.dy);
    chart->UndoZoom();
    chart->Paint();
    chart->Zoom().SetDirection(c.direction);
    chart->Zoom().SetUpLeftZooms(c.upLeftZooms);
    chart->Zoom().SetAnimated(false);
    undos = 0;
    Drag(TMouseButton::mbLeft, 200, 100, 200 + c.dx, 100 + c.dy);
    EXPECT_FALSE(chart->Zoom().Active());
    EXPECT_EQ(chart->Zoomed(), c.result == Case::kZoom);
    EXPECT_EQ(AllAutomatic(), c.result != Case::kZoom);
    EXPECT_EQ(undos, c.result == Case::kUndo ? 1 : 0);
  }
}

TEST_F(ChartZoom, ADragRightZoomsToTheRectangleInSevenFrames) {
  const TChartAxis& left = *chart->LeftAxis();
  const TChartAxis& bottom = *chart->BottomAxis();
  const double targetLeft[2] = {left.CalcPosPoint(150), left.CalcPosPoint(60)};
  const double targetBottom[2] = {bottom.CalcPosPoint(100), bottom.CalcPosPoint(300)};
  const double start = left.Minimum();
  std::vector<double> frames;
  chart->OnAfterDraw = [&] { frames.push_back(left.Minimum()); };
  Drag(TMouseButton::mbLeft, 100, 60, 300, 150);
  ASSERT_EQ(frames.size(), 7u);
  for (int k = 0; k < 7; ++k) {
    // Each frame closes a third of the distance left.
    const double expected = targetLeft[0] + (start - targetLeft[0]) * std::pow(2.0 / 3, k + 1);
    EXPECT_NEAR(frames[k], expected, 1e-9) << k;
  }
  EXPECT_DOUBLE_EQ(left.Minimum(), targetLeft[0]);
  EXPECT_DOUBLE_EQ(left.Maximum(), targetLeft[1]);
  EXPECT_DOUBLE_EQ(bottom.Minimum(), targetBottom[0]);
  EXPECT_DOUBLE_EQ(bottom.Maximum(), targetBottom[1]);
  EXPECT_TRUE(chart->Zoomed());
  // New points do not move a zoomed chart.
  chart->Series(0)->Add(500, "", clAutoColor);
  chart->Paint();
  EXPECT_DOUBLE_EQ(left.Maximum(), targetLeft[1]);
}

TEST_F(ChartZoom, AScrollKeepsTheValueUnderThePointer) {
  const TChartAxis& left = *chart->LeftAxis();
  const TChartAxis& bottom = *chart->BottomAxis();
  const double x = bottom.CalcPosPoint(200), y = left.CalcPosPoint(100);
  chart->StartDrag(TMouseButton::mbRight, 0, 200, 100);
  const TRect r = chart->ChartRect();
  const TPoint path[] = {
      {260, 100}, {260, r.top + 2}, {r.left + 95, r.bottom - 2}, {r.left + 5, r.top + 5}};
  for (const TPoint& p : path) {
    chart->MouseMove(0, p.x, p.y);
    chart->Paint();
    EXPECT_NEAR(bottom.CalcPosPoint(p.x), x, 0.05) << p.x;
    EXPECT_NEAR(left.CalcPosPoint(p.y), y, 0.15) << p.y;
  }
  chart->MouseMove(0, 430, 30);  // out of the plot: the scroll ends
  EXPECT_FALSE(chart->Panning().Active());
  chart->MouseUp(TMouseButton::mbRight, 0, 430, 30);
  EXPECT_FALSE(AllAutomatic());
  EXPECT_FALSE(chart->Zoomed());
}

TEST_F(ChartZoom, UndoGivesBackTheAxesBeforeTheFirstChange) {
  chart->Zoom().SetAnimated(false);
  Drag(TMouseButton::mbLeft, 100, 60, 300, 150);  // zoom
  chart->Paint();
  Drag(TMouseButton::mbRight, 200, 100, 150, 120);  // scroll
  chart->Paint();
  Drag(TMouseButton::mbLeft, 300, 150, 100, 60);  // undo
  EXPECT_TRUE(AllAutomatic());

  chart->Paint();
  const Range before = RangeOf(*chart->LeftAxis());
  chart->MouseWheel(2);  // not saved: the undo keeps it
  EXPECT_FALSE(chart->LeftAxis()->Automatic());
  const double wheeled = chart->LeftAxis()->Minimum();
  // Two notches down, 3 % of the range each: the lines move down.
  EXPECT_NEAR(wheeled, before.minimum + 2 * 0.03 * (before.maximum - before.minimum), 1e-9);
  chart->Paint();
  Drag(TMouseButton::mbRight, 200, 100, 250, 100);
  chart->Paint();
  Drag(TMouseButton::mbLeft, 100, 60, 300, 150);
  Drag(TMouseButton::mbLeft, 300, 150, 100, 60);
  EXPECT_FALSE(chart->LeftAxis()->Automatic());
  EXPECT_DOUBLE_EQ(chart->LeftAxis()->Minimum(), wheeled);
  EXPECT_TRUE(chart->BottomAxis()->Automatic());
}

TEST_F(ChartZoom, TheRubberBandIsDrawnNotXorAndOnlyWhilePressed) {
  window.Clear();
  int shown = 0;
  chart->OnWindowDrawn = [&](bool) { ++shown; };
  chart->StartDrag(TMouseButton::mbLeft, 0, 100, 60);
  chart->MouseMove(0, 140, 90);
  chart->MouseMove(0, 140, 90);  // no move: nothing drawn
  chart->MouseUp(TMouseButton::mbLeft, 0, 105, 65);
  // The panel colour's complement inks the band: the panel turns white under it.
  const std::vector<std::string> expected = {
      "Rectangle 100,60,100,60 pen #F0F0F0 1 notxor brush none",
      "Rectangle 100,60,100,60 pen #F0F0F0 1 notxor brush none",
      "Rectangle 100,60,140,90 pen #F0F0F0 1 notxor brush none",
      "Rectangle 100,60,140,90 pen #F0F0F0 1 notxor brush none",
  };
  EXPECT_EQ(window.Calls(), expected);
  EXPECT_EQ(shown, 4);
  EXPECT_EQ(window.pen.mode, TPenMode::pmCopy);
}

TEST(ChartAxisScroll, OffsetsAndTheirLimits) {
  auto chart = CreateProgramChart();
  RecordingCanvas window;
  chart->SetWindowCanvas(&window);
  for (int s = 0; s < 4; ++s) chart->Series(s)->Clear();
  chart->Series(0)->Add(10, "", clAutoColor);
  chart->Series(0)->Add(30, "", clAutoColor);
  TChartAxis& left = *chart->LeftAxis();
  struct Case {
    double minimum, maximum, offset;
    bool checkLimits, moves;
  };
  const Case cases[] = {
      {0, 20, 5, false, true},  {0, 20, 5, true, true},    {0, 30, 5, true, false},
      {15, 40, -5, true, true}, {10, 40, -5, true, false}, {10, 40, -5, false, true},
  };
  for (const Case& c : cases) {
    left.SetMinMax(c.minimum, c.maximum);
    left.SetAutomatic(true);
    left.Scroll(c.offset, c.checkLimits);
    const double shift = c.moves ? c.offset : 0;
    EXPECT_EQ(left.Minimum(), c.minimum + shift) << c.minimum << " " << c.offset;
    EXPECT_EQ(left.Maximum(), c.maximum + shift);
    EXPECT_EQ(left.Automatic(), !c.moves);
  }
  chart->SetWindowCanvas(nullptr);
}

}  // namespace

}  // namespace vadidazid
