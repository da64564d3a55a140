// The legend of the program's chart on a recording canvas whose text widths are set by
// the test: measuring, placing, drawing, the band it takes from the plot, hit tests and
// presses that switch series.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
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

// Text widths from a table (a space 3 pixels, other texts 100 unless listed), lines
// 13 pixels high.
class MeasuredCanvas : public RecordingCanvas {
 public:
  std::map<std::string, int> widths{{" ", 3}, {"Prowadzone rozmówy", 116}};
  TSize TextExtent(const std::string& text) override {
    const auto it = widths.find(text);
    return {it != widths.end() ? it->second : 100, 13};
  }
};

// Draws the chart once straight onto the canvas (no off-screen bitmap).
void DrawOn(TChart& chart, Canvas& canvas) {
  chart.Canvas3D().SetUseBuffer(false);
  chart.Draw(canvas, chart.GetRectangle());
}

std::vector<std::string> CallsStarting(const RecordingCanvas& c, const std::string& prefix) {
  std::vector<std::string> out;
  for (const std::string& call : c.Calls())
    if (call.rfind(prefix, 0) == 0) out.push_back(call);
  return out;
}

TEST(LegendTest, WorkedExampleOfTheProgramChart) {
  auto chart = CreateProgramChart();
  MeasuredCanvas canvas;
  DrawOn(*chart, canvas);
  const TChartLegend& legend = chart->Legend();
  EXPECT_EQ(legend.ItemHeight(), 15);
  EXPECT_EQ(legend.TextColumnWidth(), 121);
  EXPECT_EQ(legend.SymbolPixels(), 30);
  EXPECT_EQ(legend.ColumnCount(), 2);
  EXPECT_EQ(legend.RowCount(), 2);
  EXPECT_EQ(legend.ShapeBounds(), (TRect{36, 7, 394, 39}));
  EXPECT_EQ(chart->ChartRect().top, 43);
  EXPECT_EQ(
      CallsStarting(canvas, "CheckBox"),
      (std::vector<std::string>{"CheckBox 40,9,53,22 checked", "CheckBox 212,9,225,22 checked",
                                "CheckBox 40,24,53,37 checked", "CheckBox 212,24,225,37 checked"}));
  // Text one pixel below the row top, after box, gap and symbol; symbols at y + 8.
  ASSERT_EQ(legend.Items().size(), 4u);
  EXPECT_EQ(legend.Items()[0].textPos, (TPoint{91, 8}));
  EXPECT_EQ(legend.Items()[3].textPos, (TPoint{263, 23}));
  EXPECT_EQ(legend.Items()[1].symbolRect, (TRect{229, 9, 259, 22}));
  const std::vector<std::string> texts = CallsStarting(canvas, "TextOut 91,8 ");
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_NE(texts[0].find("\"Prowadzone rozmówy\""), std::string::npos);
  const std::vector<std::string> symbol = CallsStarting(canvas, "LineTo 259,15 pen #408000");
  EXPECT_EQ(symbol.size(), 1u);
}

TEST(LegendTest, HitTestOfTheWorkedExample) {
  auto chart = CreateProgramChart();
  MeasuredCanvas canvas;
  DrawOn(*chart, canvas);
  // Columns span 37..216 and 216..395 (179 pixels from the box width), rows 8..23 and
  // 23..38; a shared column pixel goes to the right-hand column, a shared row pixel to
  // the upper row.
  struct Case {
    int x, y, item;
  };
  const Case cases[] = {{40, 12, 0},  {150, 12, 0},  {300, 12, 1}, {100, 30, 2},
                        {300, 30, 3}, {216, 12, 1},  {215, 12, 0}, {100, 23, 0},
                        {100, 24, 2}, {37, 8, 0},    {36, 12, -1}, {395, 12, -1},
                        {100, 7, -1}, {100, 39, -1}, {394, 38, 3}, {100, 41, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
    EXPECT_EQ(chart->Legend().Clicked(c.x, c.y), c.item);
  }
}

TEST(LegendTest, PressOnAnItemSwitchesItsSeries) {
  auto chart = CreateProgramChart();
  MeasuredCanvas canvas;
  DrawOn(*chart, canvas);
  TChartSeries& third = *chart->Series(2);
  // Text, box and symbol of item 2, any button.
  EXPECT_EQ(chart->MouseDown(TMouseButton::mbLeft, 0, 100, 30), TChartClickedPart::cpLegend);
  EXPECT_FALSE(third.Active());
  chart->MouseDown(TMouseButton::mbRight, ssShift, 45, 30);
  EXPECT_TRUE(third.Active());
  chart->MouseDown(TMouseButton::mbMiddle, 0, 60, 30);
  EXPECT_FALSE(third.Active());
  // The layout stays; the box shows the state at the next drawing.
  canvas.Clear();
  DrawOn(*chart, canvas);
  EXPECT_EQ(CallsStarting(canvas, "CheckBox 40,24")[0], "CheckBox 40,24,53,37 unchecked");
  // A press beside the items is not the legend's and switches nothing.
  EXPECT_NE(chart->MouseDown(TMouseButton::mbLeft, 0, 20, 12), TChartClickedPart::cpLegend);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(chart->Series(i)->Active(), i != 2);
}

TEST(LegendTest, PartsUnderPresses) {
  auto chart = CreateProgramChart();
  MeasuredCanvas canvas;
  DrawOn(*chart, canvas);
  const TChartAxis& left = *chart->LeftAxis();
  const TChartAxis& bottom = *chart->BottomAxis();
  const TRect plot = chart->ChartRect();
  const int midY = (plot.top + plot.bottom) / 2;
  const int midX = (plot.left + plot.right) / 2;
  struct Case {
    int x, y;
    TChartClickedPart part;
  };
  const Case cases[] = {
      {100, 12, TChartClickedPart::cpLegend},
      {left.LabelsPos(), midY, TChartClickedPart::cpAxis},
      {left.AxisPos() + 3, midY, TChartClickedPart::cpAxis},
      {left.AxisPos() + 4, midY, TChartClickedPart::cpChartRect},
      {midX, bottom.AxisPos() - 3, TChartClickedPart::cpAxis},
      {midX, bottom.LabelsPos() + 1, TChartClickedPart::cpNone},
      {midX, midY, TChartClickedPart::cpChartRect},
      {1, 1, TChartClickedPart::cpNone},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
    EXPECT_EQ(chart->CalcNeedClickedPart(c.x, c.y), c.part);
  }
  // Only a press on the legend switches anything.
  for (const Case& c : cases) chart->MouseDown(TMouseButton::mbLeft, 0, c.x, c.y);
  EXPECT_FALSE(chart->Series(0)->Active());
  EXPECT_TRUE(chart->Series(1)->Active());
}

TEST(LegendTest, LayoutVariants) {
  struct Case {
    const char* name;
    int width;
    std::function<void(TChart&)> change;
    int columns;
    int rows;
    int plotTop;
  };
  const Case cases[] = {
      // 15-pixel row + 2, plus the 4-pixel gap.
      {"all four fit in one row", 900, [](TChart&) {}, 4, 1, 7 + 17 + 4},
      {"no gap set: 4 % of the plot height", 433, [](TChart& c) { c.Legend().SetVertMargin(0); }, 2,
       2, 39 + 4 * 196 / 100},
      {"a series left out of the legend", 433,
       [](TChart& c) { c.Series(1)->SetShowInLegend(false); }, 2, 2, 43},
      {"too narrow for one item: no legend, no band", 150, [](TChart&) {}, 0, 0, 5},
      {"at most one row", 433, [](TChart& c) { c.Legend().SetMaxNumRows(1); }, 2, 1, 28},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto chart = CreateProgramChart();
    chart->SetBounds(c.width, 201);
    c.change(*chart);
    MeasuredCanvas canvas;
    DrawOn(*chart, canvas);
    EXPECT_EQ(chart->Legend().ColumnCount(), c.columns);
    EXPECT_EQ(chart->Legend().RowCount(), c.rows);
    EXPECT_EQ(chart->ChartRect().top, c.plotTop);
    EXPECT_EQ(int(CallsStarting(canvas, "CheckBox").size()),
              std::min(c.columns * c.rows, chart->Legend().ItemCount()));
    if (c.columns == 0) {
      EXPECT_EQ(chart->Legend().Clicked(200, 10), -1);
    }
  }
}

TEST(LegendTest, HiddenSeriesMovesTheNextItemsUp) {
  auto chart = CreateProgramChart();
  chart->Series(1)->SetShowInLegend(false);
  MeasuredCanvas canvas;
  DrawOn(*chart, canvas);
  // Item 1 is now the third series, both drawn and pressed.
  EXPECT_EQ(chart->Legend().Items()[1].text, "Zerwane rozmowy");
  chart->MouseDown(TMouseButton::mbLeft, 0, 300, 12);
  EXPECT_FALSE(chart->Series(2)->Active());
  EXPECT_TRUE(chart->Series(1)->Active());
}

TEST(LegendTest, EverySeriesOffStillShowsFourEmptyBoxes) {
  auto chart = CreateProgramChart();
  for (int i = 0; i < 4; ++i) chart->Series(i)->SetActive(false);
  MeasuredCanvas canvas;
  DrawOn(*chart, canvas);
  const std::vector<std::string> boxes = CallsStarting(canvas, "CheckBox");
  ASSERT_EQ(boxes.size(), 4u);
  for (const std::string& b : boxes) EXPECT_NE(b.find("unchecked"), std::string::npos);
}

TEST(LegendTest, ItemTexts) {
  auto chart = CreateProgramChart();
  chart->Series(0)->SetTitle("a\x06z");
  chart->Series(1)->SetTitle("");
  chart->Series(2)->SetTitle("");
  chart->Series(2)->SetName("");
  chart->Legend().CalcLegendStyle();
  EXPECT_EQ(chart->Legend().FormattedLegend(0), "a z");
  EXPECT_EQ(chart->Legend().FormattedLegend(1), "Series2");
  EXPECT_EQ(chart->Legend().FormattedLegend(2), "Series3");
  EXPECT_EQ(chart->Legend().FormattedLegend(3), "Zakończone rozmowy");
}

}  // namespace

}  // namespace vadidazid
