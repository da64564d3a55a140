// The plot of a dimensioning: its curves (the measured points with their intervals, the
// target across them, the formulas only beside the call congestion) in the study plot's
// words, colours and scale, and the picture the runner writes for --plot.
#include "pictures/dimensionplot.h"

#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cmath>

#include "chart/axis/chartaxis.h"
#include "cli/runner.h"
#include "pictures/chartpicture.h"
#include "tests/support/files.h"

namespace vadidazid {

namespace {

DimensionAnswer TwoPoints() {
  DimensionAnswer a;
  for (int64_t value : {12, 20}) {
    DimensionPoint p;
    p.value = value;
    p.interval = {10.0 / double(value), 0.01, 4};
    RunResult row;
    row.erlangB = 1.0 / double(value);
    row.engset = 0.5 / double(value);
    p.rows = {row, row};
    a.points.push_back(p);
  }
  return a;
}

TEST(DimensionPlot, CurvesShowPointsTargetAndFormulas) {
  DimensionPlan plan;
  plan.parameter = "channels";
  plan.target = ParseDimensionTarget("call_congestion<=0.6");
  const std::vector<PlotCurve> curves = DimensionCurves(plan, TwoPoints());
  ASSERT_EQ(curves.size(), 4u);
  EXPECT_TRUE(curves[0].measured);
  EXPECT_EQ(curves[0].x, (std::vector<double>{12, 20}));
  EXPECT_EQ(curves[0].y, (std::vector<double>{10.0 / 12, 0.5}));
  EXPECT_EQ(curves[0].error, (std::vector<double>{0.01, 0.01}));
  EXPECT_EQ(curves[1].title, "Target \u2264 0.6");
  EXPECT_EQ(curves[1].x, (std::vector<double>{12, 20}));
  EXPECT_EQ(curves[1].y, (std::vector<double>{0.6, 0.6}));
  EXPECT_EQ(curves[2].y, (std::vector<double>{1.0 / 12, 0.05}));
  EXPECT_EQ(curves[3].y, (std::vector<double>{0.5 / 12, 0.025}));
  plan.target = ParseDimensionTarget("dropping_probability>=0.1");
  EXPECT_EQ(DimensionCurves(plan, TwoPoints()).size(), 2u);  // no formula for dropping
}

TEST(DimensionPlot, OnlyProbabilitiesKeepTheAxisWithinZeroAndOne) {
  DimensionPlan plan;
  plan.parameter = "channels";
  plan.target = ParseDimensionTarget("call_congestion<=0.6");
  const auto probability = CreateDimensionChart(plan, TwoPoints(), 400, 300);
  EXPECT_FALSE(probability->LeftAxis()->AutomaticMaximum());
  EXPECT_LE(probability->LeftAxis()->Maximum(), 1);
  plan.target = ParseDimensionTarget("mean_load_percent<=60");
  const auto percent = CreateDimensionChart(plan, TwoPoints(), 400, 300);
  EXPECT_TRUE(percent->LeftAxis()->AutomaticMaximum());
  EXPECT_EQ(percent->LeftAxis()->TitleCaption(), "Mean load of the channels [%]");
  // A load's axis keeps its automatic range with at most 10 labels.
  ChartPictureBytes(*percent, PictureFormat::Png);
  const TChartAxis& load = *percent->LeftAxis();
  EXPECT_LE(std::floor(load.ScaleMaximum() / load.Increment() + 1e-9) -
                std::ceil(load.ScaleMinimum() / load.Increment() - 1e-9) + 1,
            10);
}

TEST(DimensionPlot, ReadsAsTheStudyPlotDoesInEitherLanguageAndSize) {
  // The words, colours and scale of the study plot: a dimensioning is shown in the same
  // lecture as the sweep it answers.
  DimensionPlan plan;
  plan.parameter = "channels";
  plan.target = ParseDimensionTarget("call_congestion<=0.05");
  plan.base.steps = 300;
  plan.base.warmup = 50;
  const struct {
    PlotLanguage language;
    int width, height;
    const char *title, *target, *subtitleStart;
    int titleSize;
  } cases[] = {
      {PlotLanguage::English, 800, 500, "Dimensioning the channels per base station",
       "Target \u2264 0.05", "subscribers 1000, grid side 10,", 11},
      {PlotLanguage::Polish, 1600, 1000, "Wymiarowanie liczby kanałów na stację bazową",
       "Cel \u2264 0.05", "abonenci 1000, bok sieci 10,", 22},
  };
  for (const auto& c : cases) {
    PlotLook look;
    look.language = c.language;
    const auto chart = CreateDimensionChart(plan, TwoPoints(), c.width, c.height, look);
    EXPECT_EQ(chart->Title().Text().front(), c.title);
    EXPECT_EQ(chart->SubTitle().Text().front().rfind(c.subtitleStart, 0), 0u)
        << chart->SubTitle().Text().front();
    EXPECT_NE(chart->SubTitle().Text().front().find("4\u201364"), std::string::npos);
    EXPECT_EQ(chart->Title().Font().Size(), c.titleSize);
    EXPECT_EQ(chart->LeftAxis()->TitleCaption(), *PlotText(c.language, "probability"));
    const auto curves = DimensionCurves(plan, TwoPoints(), c.language);
    EXPECT_EQ(curves[1].title, c.target);
    for (const char* key : {"call_congestion", "erlang_b", "engset"}) {
      const PlotCurve kind = KindCurve(key, c.language);
      const auto same = [&](const PlotCurve& p) {
        return p.title == kind.title && p.color == kind.color && p.style == kind.style;
      };
      EXPECT_TRUE(std::any_of(curves.begin(), curves.end(), same)) << key;
    }
    EXPECT_EQ(curves[1].color, MarkLineColor());
  }
}

TEST(DimensionPlot, RunnerWritesThePicture) {
  const std::string file = testing::TempDir() + "dimension_plot.png";
  std::ostringstream out, err;
  const int status =
      RunSimulator({"--grid-side", "2", "--subscribers", "160", "--call-percent", "40", "--steps",
                    "200", "--warmup", "auto", "--dimension", "channels", "--target",
                    "call_congestion<=0.05", "--plot", file, "--picture-size", "400x300"},
                   out, err);
  ASSERT_EQ(status, 0) << err.str();
  const std::string bytes = ReadFile(file);
  QImage image;
  ASSERT_TRUE(image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), int(bytes.size())));
  EXPECT_EQ(image.size(), QSize(400, 300));
}

}  // namespace

}  // namespace vadidazid
