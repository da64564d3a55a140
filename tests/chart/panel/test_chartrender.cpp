// The program's chart rendered into an image: the back wall's frame, the axis lines and
// their left-out end points, a grid line's dots and the labels' boxes, checked pixel by
// pixel against the layout the chart reports.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "chart/axis/chartaxis.h"
#include "chart/panel/chart.h"
#include "platform/qt/imagecanvas.h"
#include "programchart/programchart.h"

namespace vadidazid {

namespace {

struct RenderFixture : ::testing::Test {
  std::unique_ptr<TChart> chart = CreateProgramChart();
  ImageCanvas window{433, 201, clBtnFace};
  TColor face = ColorToRGB(clBtnFace);

  void Paint() {
    chart->SetWindowCanvas(&window);
    chart->Paint();
  }
  TColor At(int x, int y) const { return window.GetPixel(x, y); }
  // Whether any pixel in the box (right and bottom left out) differs from the panel.
  bool Inked(int left, int top, int right, int bottom) const {
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x)
        if (At(x, y) != face) return true;
    return false;
  }
  int TextWidth(TChartAxis& axis, const std::string& text) {
    chart->GetCanvas().AssignFont(axis.LabelsFont());
    return chart->GetCanvas().TextWidth(text);
  }
};

TEST_F(RenderFixture, BackWallFrameLiesOnThePlotEdges) {
  Paint();
  const TRect r = chart->ChartRect();
  for (int x = r.left; x <= r.right; ++x) {
    EXPECT_EQ(At(x, r.top), clBlack) << x;
    EXPECT_EQ(At(x, r.bottom), clBlack) << x;
  }
  for (int y = r.top; y <= r.bottom; ++y) EXPECT_EQ(At(r.right, y), clBlack) << y;
  EXPECT_EQ(At(r.right + 1, r.top + 20), face);
  // Inside, between two grid lines: the panel colour (the wall is transparent).
  const int between =
      (chart->LeftAxis()->CalcPosValue(1100) + chart->LeftAxis()->CalcPosValue(1150)) / 2;
  EXPECT_EQ(At(r.left + 5, between), face);
}

TEST_F(RenderFixture, AxisLinesLeaveTheirEndPointsOut) {
  chart->BackWall().SetVisible(false);
  Paint();
  const TRect r = chart->ChartRect();
  EXPECT_EQ(At(r.left, r.top), clBlack);
  EXPECT_EQ(At(r.left, r.bottom), clBlack);
  EXPECT_EQ(At(r.right - 1, r.bottom), clBlack);
  EXPECT_EQ(At(r.right, r.bottom), face);
  EXPECT_EQ(At(r.right, r.top), face);
}

TEST_F(RenderFixture, GridLineIsDottedThreeOnThreeOff) {
  Paint();
  const TRect r = chart->ChartRect();
  const int y = chart->LeftAxis()->CalcPosValue(1100);
  const TColor expected[] = {clGray, clGray, clGray, face, face, face,
                             clGray, clGray, clGray, face, face, face};
  for (int i = 0; i < 12; ++i) EXPECT_EQ(At(r.left + 1 + i, y), expected[i]) << i;
  // The line stops short of the right frame's column and leaves the left one alone.
  EXPECT_EQ(At(r.left, y), clBlack);
}

TEST_F(RenderFixture, LabelsSitInTheirBoxes) {
  Paint();
  const TRect r = chart->ChartRect();
  TChartAxis& bottom = *chart->BottomAxis();
  TChartAxis& left = *chart->LeftAxis();
  const int h = chart->GetCanvas().FontHeight();
  // Bottom "10": centred on its value, top edge two pixels below the axis line.
  const int w10 = TextWidth(bottom, "10");
  const int x10 = bottom.CalcPosValue(10) - w10 / 2;
  EXPECT_EQ(bottom.LabelsPos(), r.bottom + 2);
  EXPECT_TRUE(Inked(x10, r.bottom + 2, x10 + w10, r.bottom + 2 + h));
  EXPECT_FALSE(Inked(r.left + 1, r.bottom + 1, r.right, r.bottom + 2));
  EXPECT_FALSE(Inked(x10 + w10, r.bottom + 2, bottom.CalcPosValue(15) - w10 / 2, 201));
  // Left "1,100" (or as the locale writes it): right edge two pixels left of the line.
  const std::string text = left.LabelValue(1100);
  const int w = TextWidth(left, text);
  const int y = left.CalcPosValue(1100) - h / 2;
  EXPECT_EQ(left.LabelsPos(), r.left - 2);
  EXPECT_TRUE(Inked(r.left - 2 - w, y, r.left - 2, y + h));
  EXPECT_FALSE(Inked(r.left - 2, r.top, r.left, r.bottom));
}

}  // namespace

}  // namespace vadidazid
