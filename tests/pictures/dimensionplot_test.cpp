// The plot of a dimensioning: its curves (the measured points with their intervals, the
// target across them, the formulas only beside the call congestion) and the picture the
// runner writes for --plot.
#include "pictures/dimensionplot.h"

#include <gtest/gtest.h>

#include <QImage>
#include <cmath>

#include "chart/axis/chartaxis.h"
#include "cli/runner.h"
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
  EXPECT_EQ(curves[1].title, "target call_congestion <= 0.6");
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
  EXPECT_EQ(percent->LeftAxis()->TitleCaption(), "percent");
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
