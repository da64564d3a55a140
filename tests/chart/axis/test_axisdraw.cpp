// Axis drawing on a recording canvas: which labels are drawn and where, the axis line,
// grid lines, and what an axis draws without series.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "chart/axis/chartaxis.h"
#include "chart/panel/chart.h"
#include "chart/series/lineseries.h"
#include "platform/drawing/recordingcanvas.h"
#include "platform/text/formatfloat.h"

namespace vadidazid {

namespace {

// A chart with only the bottom and left axes in use, margins 5, axis lines of one pixel
// and no ticks, no legend, drawn straight onto a recording canvas.
struct AxisDrawFixture : ::testing::Test {
  TChart chart;
  RecordingCanvas canvas;
  TLineSeries* series = nullptr;

  void SetUp() override {
    chart.SetBevelOuter(TPanelBevel::bvNone);
    chart.SetMarginUnits(TTeeUnits::muPixels);
    for (int i = 0; i < 4; ++i) chart.SetMargin(i, 5);
    chart.Canvas3D().SetUseBuffer(false);
    chart.Legend().SetVisible(false);
    for (TChartAxis* axis : {chart.BottomAxis(), chart.LeftAxis()}) {
      axis->Axis().SetWidth(1);
      axis->Ticks().SetVisible(false);
    }
    series = chart.AddSeries(std::make_unique<TLineSeries>());
  }

  std::vector<std::string> Texts(const std::string& prefix = "TextOut") {
    canvas.Clear();
    chart.Draw(canvas, chart.GetRectangle());
    std::vector<std::string> out;
    for (const std::string& c : canvas.Calls())
      if (c.rfind(prefix, 0) == 0) out.push_back(c.substr(0, c.find(" font")));
    return out;
  }
};

TEST_F(AxisDrawFixture, LabelsRunDownFromTheHighestMultiple) {
  struct Case {
    double min, max;
    std::vector<std::string> labels;
  };
  chart.LeftAxis()->SetVisible(false);
  TChartAxis& bottom = *chart.BottomAxis();
  bottom.SetIncrement(10);
  bottom.SetLabelsSeparation(0);
  const Case cases[] = {
      {0, 99, {"90", "80", "70", "60", "50", "40", "30", "20", "10", "0"}},
      {0, 30, {"30", "20", "10", "0"}},
      {-35, -5, {"-10", "-20", "-30"}},
      {2.5, 2.5, {"2.5"}},
  };
  for (const Case& c : cases) {
    if (c.min == c.max) {
      // A one-point range comes from the data; fixed ranges are at least 1e-10 wide.
      bottom.SetAutomatic(true);
      series->AddXY(c.min, 1);
    } else {
      bottom.SetMinMax(c.min, c.max);
    }
    std::vector<std::string> labels;
    for (const std::string& t : Texts()) {
      const size_t open = t.find('"');
      labels.push_back(t.substr(open + 1, t.rfind('"') - open - 1));
    }
    EXPECT_EQ(labels, c.labels) << c.min << " " << c.max;
  }
}

TEST_F(AxisDrawFixture, LabelPlacesAndGridAtLabelsExceptTheEnds) {
  series->AddXY(0, 0);
  series->AddXY(100, 100);
  chart.BottomAxis()->SetIncrement(50);
  chart.BottomAxis()->SetLabelsSeparation(0);
  chart.LeftAxis()->SetIncrement(50);
  chart.LeftAxis()->SetLabelsSeparation(0);
  const std::vector<std::string> texts = Texts();
  const TRect r = chart.ChartRect();
  // Left labels: widest "100" and a space (24 pixels) plus two for the line.
  EXPECT_EQ(r.left, 5 + 24 + 2);
  EXPECT_EQ(r.bottom, 250 - 5 - 13 - 2);
  const int mid = chart.BottomAxis()->CalcPosValue(50);
  const std::vector<std::string> expected = {
      // Bottom: centred on the value, top two pixels below the axis line.
      "TextOut " + std::to_string(r.right - 9) + "," + std::to_string(r.bottom + 2) + " \"100\"",
      "TextOut " + std::to_string(mid - 6) + "," + std::to_string(r.bottom + 2) + " \"50\"",
      "TextOut " + std::to_string(r.left - 3) + "," + std::to_string(r.bottom + 2) + " \"0\"",
      // Left: right edge two pixels left of the line, centred on the value.
      "TextOut " + std::to_string(r.left - 2 - 18) + "," + std::to_string(r.top - 6) + " \"100\"",
      "TextOut " + std::to_string(r.left - 2 - 12) + "," +
          std::to_string(chart.LeftAxis()->CalcPosValue(50) - 6) + " \"50\"",
      "TextOut " + std::to_string(r.left - 2 - 6) + "," + std::to_string(r.bottom - 6) + " \"0\"",
  };
  EXPECT_EQ(texts, expected);
  // One dotted line each at 50; none on the plot's edges.
  std::vector<std::string> grid;
  for (const std::string& c : canvas.Calls())
    if (c.find("dot") != std::string::npos) grid.push_back(c);
  EXPECT_EQ(grid, (std::vector<std::string>{"LineTo " + std::to_string(mid) + "," +
                                                std::to_string(r.bottom) + " pen #808080 1 dot",
                                            "LineTo " + std::to_string(r.right) + "," +
                                                std::to_string(chart.LeftAxis()->CalcPosValue(50)) +
                                                " pen #808080 1 dot"}));
}

TEST_F(AxisDrawFixture, EmptyChartShowsZeroAtTheCentre) {
  // A series with no points: both ranges 0 .. 0.
  const std::vector<std::string> texts = Texts();
  ASSERT_EQ(texts.size(), 2u);
  const TChartAxis& bottom = *chart.BottomAxis();
  EXPECT_EQ(texts[0], "TextOut " + std::to_string(bottom.CenterPos() - 3) + "," +
                          std::to_string(chart.ChartRect().bottom + 2) + " \"0\"");
  int dotted = 0;
  for (const std::string& c : canvas.Calls()) dotted += c.find(" dot") != std::string::npos;
  EXPECT_EQ(dotted, 2);
}

TEST_F(AxisDrawFixture, NoActiveSeriesDrawsLinesOnly) {
  series->AddXY(1, 1);
  series->SetActive(false);
  EXPECT_TRUE(Texts().empty());
  int lines = 0;
  int dotted = 0;
  for (const std::string& c : canvas.Calls()) {
    lines += c.rfind("LineTo", 0) == 0;
    dotted += c.find(" dot") != std::string::npos;
  }
  EXPECT_EQ(lines, 4);  // bottom, top, left and right axis lines
  EXPECT_EQ(dotted, 0);
}

TEST_F(AxisDrawFixture, StepTooSmallDrawsTheLineButNoLabels) {
  series->AddXY(0, 0);
  series->AddXY(1, 1);
  chart.LeftAxis()->SetVisible(false);
  chart.BottomAxis()->SetIncrement(1e-5);
  chart.BottomAxis()->SetLabelsSeparation(0);
  EXPECT_TRUE(Texts().empty());
  // The axis line; the series' own segment is in its colour.
  const std::string seriesPen = "pen " + RecordingCanvas::ColorText(series->SeriesColor());
  int axisLines = 0;
  for (const std::string& line : Texts("LineTo"))
    axisLines += line.find(seriesPen) == std::string::npos;
  EXPECT_EQ(axisLines, 1);
}

TEST_F(AxisDrawFixture, LabelsFollowTheThousandsSeparator) {
  SetThousandSeparator(" ");
  series->AddXY(0, 1234.5);
  chart.BottomAxis()->SetVisible(false);
  const std::vector<std::string> texts = Texts();
  SetThousandSeparator(",");
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_NE(texts[0].find("\"1 234.5\""), std::string::npos);
}

}  // namespace

namespace {

// The bottom axis shows point labels as soon as any stored entry has text, wherever it
// lies in a list shorter than the point count, and values otherwise.
TEST_F(AxisDrawFixture, LabelStyleFollowsStoredTexts) {
  TChartAxis& bottom = *chart.BottomAxis();
  for (int i = 0; i < 5; ++i) series->Add(i, "", clAutoColor);
  EXPECT_EQ(bottom.CalcLabelStyle(), TAxisLabelStyle::talValue);
  series->SetLabel(1, "");
  EXPECT_EQ(bottom.CalcLabelStyle(), TAxisLabelStyle::talValue);
  series->SetLabel(3, "d");
  EXPECT_EQ(bottom.CalcLabelStyle(), TAxisLabelStyle::talText);
  series->SetLabel(3, "");
  series->Add(5, "f", clAutoColor);
  EXPECT_EQ(bottom.CalcLabelStyle(), TAxisLabelStyle::talText);
}

}  // namespace

}  // namespace vadidazid
