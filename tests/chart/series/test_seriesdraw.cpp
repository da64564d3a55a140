// Line series on real pixels: the column-by-column drawing against drawing every
// segment through the canvas, whole images compared; and what a user sees of a line.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "chart/axis/axismapping.h"
#include "chart/axis/chartaxis.h"
#include "chart/panel/chart.h"
#include "chart/series/lineseries.h"
#include "platform/qt/imagecanvas.h"
#include "programchart/programchart.h"

namespace vadidazid {

namespace {

TColor At(const ImageCanvas& c, int x, int y) {
  const QRgb p = c.Image().pixel(x, y);
  return RGBColor(uint8_t(qRed(p)), uint8_t(qGreen(p)), uint8_t(qBlue(p)));
}

// Pixels of the colour in the plot (edges included), away from the legend's symbols.
int CountOf(const ImageCanvas& c, TColor color, const TRect& plot) {
  int n = 0;
  for (int y = plot.top; y <= plot.bottom; ++y)
    for (int x = plot.left; x <= plot.right; ++x) n += At(c, x, y) == color;
  return n;
}

// The program's chart holding `n` points per series: random walks around 10, 30, 50 and
// 70, with null points at the chance given, and at `wildChance` a value that is not a
// number or lies far beyond any pixel.
std::unique_ptr<TChart> ChartWith(int n, double nullChance, unsigned seed, double wildChance = 0) {
  auto chart = CreateProgramChart();
  std::mt19937 gen(seed);
  std::normal_distribution<double> step(0, 1.5);
  std::bernoulli_distribution isNull(nullChance);
  std::bernoulli_distribution isWild(wildChance);
  const double wild[] = {NAN, 1e300, -1e300, 1e9, -1e9};
  for (int s = 0; s < 4; ++s) {
    TChartSeries& series = *chart->Series(s);
    series.Clear();
    double v = 10 + 20 * s;
    for (int i = 0; i < n; ++i) {
      v += step(gen);
      if (isNull(gen)) {
        series.AddNullXY(i, v);
      } else if (wildChance > 0 && isWild(gen)) {
        series.Add(wild[i % 5]);
      } else {
        series.Add(v);
      }
    }
  }
  return chart;
}

ImageCanvas Draw(TChart& chart) {
  ImageCanvas canvas(chart.Width(), chart.Height(), clBtnFace);
  chart.Draw(canvas, chart.GetRectangle());
  return canvas;
}

void SetColumnDrawing(TChart& chart, bool on) {
  for (int i = 0; i < chart.SeriesCount(); ++i)
    static_cast<TLineSeries*>(chart.Series(i))->SetColumnDrawing(on);
}

TEST(SeriesDrawTest, ColumnsGiveTheSamePictureAsSegments) {
  struct Case {
    const char* name;
    int width, height, points;
    double nullChance;
    // Fixed ranges for the bottom and left axes (a zoom), or none.
    double x0 = 0, x1 = 0, y0 = 0, y1 = 0;
    double wildChance = 0;
  };
  const Case cases[] = {
      {"the program's size, few points", 433, 201, 30, 0},
      {"the program's size, many points per column", 433, 201, 40000, 0},
      {"small", 160, 120, 5000, 0},
      {"large", 900, 500, 20000, 0},
      {"null points", 433, 201, 6000, 0.01},
      {"zoomed in on a few points", 433, 201, 5000, 0, 2000, 2012, 20, 40},
      {"zoomed in on many points", 433, 201, 40000, 0.002, 10000, 20000, 0, 60},
      {"zoomed out", 433, 201, 3000, 0, -5000, 8000, -500, 500},
      {"not numbers and values beyond the pixels", 433, 201, 50000, 0, 0, 50000, 0, 80, 0.01},
      {"a million points", 433, 201, 1000000, 0},
      {"a million points, zoomed in", 433, 201, 1000000, 0, 250000, 750000, 20, 60},
      {"a million points, zoomed, wild values", 433, 201, 1000000, 0, 1000, 900000, 0, 80, 1e-4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto chart = ChartWith(c.points, c.nullChance, 7, c.wildChance);
    chart->SetBounds(c.width, c.height);
    if (c.x1 > c.x0) {
      chart->BottomAxis()->SetMinMax(c.x0, c.x1);
      chart->LeftAxis()->SetMinMax(c.y0, c.y1);
    }
    SetColumnDrawing(*chart, false);
    const ImageCanvas segments = Draw(*chart);
    SetColumnDrawing(*chart, true);
    const ImageCanvas columns = Draw(*chart);
    EXPECT_TRUE(segments.Image() == columns.Image());
    // The lines are there at all.
    int ink = 0;
    for (int s = 0; s < 4; ++s)
      ink += CountOf(columns, chart->Series(s)->SeriesColor(), chart->ChartRect());
    EXPECT_GT(ink, c.width / 4);
  }
}

// Points far apart, so that each line keeps its own pixels between points.
std::unique_ptr<TChart> SeparateLines() {
  auto chart = CreateProgramChart();
  for (int s = 0; s < 4; ++s) {
    TChartSeries& series = *chart->Series(s);
    series.Clear();
    for (int i = 0; i < 8; ++i) series.Add(20 * s + (i % 2) * 5);
  }
  return chart;
}

TEST(SeriesDrawTest, EachSeriesColourRunsAlongItsLine) {
  auto chart = SeparateLines();
  const ImageCanvas picture = Draw(*chart);
  for (int s = 0; s < 4; ++s) {
    const TChartSeries& series = *chart->Series(s);
    SCOPED_TRACE(series.Title());
    // Every point but the last starts a segment, so its pixel is the line's colour,
    // and so is some pixel in the column half way to the next point. The plot's edges
    // are left out: the clip keeps the axis lines and the frame there.
    const TRect& r = chart->ChartRect();
    for (int i = 0; i + 1 < series.Count(); ++i) {
      const int x = series.CalcXPos(i), y = series.CalcYPos(i);
      if (x > r.left && y > r.top && y < r.bottom) {
        EXPECT_EQ(At(picture, x, y), series.SeriesColor());
      }
      const int mx = (x + series.CalcXPos(i + 1)) / 2;
      bool found = false;
      for (int my = r.top + 1; my < r.bottom; ++my)
        found = found || At(picture, mx, my) == series.SeriesColor();
      EXPECT_TRUE(found);
    }
  }
}

TEST(SeriesDrawTest, WhatIsNotDrawn) {
  struct Case {
    const char* name;
    std::function<void(TChart&)> change;
    TColor absent;  // series 0's colour, which must not show
  };
  const Case cases[] = {
      {"one point",
       [](TChart& c) {
         for (int s = 1; s < 4; ++s) c.Series(s)->Clear();
         c.Series(0)->Clear();
         c.Series(0)->Add(5);
       },
       0xFF0080},
      {"inactive series", [](TChart& c) { c.Series(0)->SetActive(false); }, 0xFF0080},
      {"two points on one pixel",
       [](TChart& c) {
         for (int s = 0; s < 4; ++s) c.Series(s)->Clear();
         c.Series(0)->AddXY(0, 1);
         c.Series(0)->AddXY(1e-9, 1 + 1e-9);
         c.Series(1)->AddXY(0, 0);
         c.Series(1)->AddXY(1, 2);
       },
       0xFF0080},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto chart = SeparateLines();
    c.change(*chart);
    for (bool columns : {false, true}) {
      SetColumnDrawing(*chart, columns);
      const ImageCanvas picture = Draw(*chart);
      EXPECT_EQ(CountOf(picture, c.absent, chart->ChartRect()), 0);
    }
  }
}

TEST(SeriesDrawTest, NullPointLeavesAGap) {
  auto chart = SeparateLines();
  TChartSeries& series = *chart->Series(0);
  series.Clear();
  for (int i = 0; i < 10; ++i) {
    if (i == 5) {
      series.AddNullXY(i, 0);
    } else {
      series.Add(i % 2 ? 10 : 0);
    }
  }
  for (bool columns : {false, true}) {
    SetColumnDrawing(*chart, columns);
    const ImageCanvas picture = Draw(*chart);
    // Columns strictly between points 4 and 6 hold none of the line; those between 2
    // and 4 do.
    const auto inColumns = [&](int from, int to) {
      int n = 0;
      for (int x = series.CalcXPos(from) + 1; x < series.CalcXPos(to); ++x)
        for (int y = chart->ChartRect().top; y <= chart->ChartRect().bottom; ++y)
          n += At(picture, x, y) == 0xFF0080;
      return n;
    };
    EXPECT_EQ(inColumns(4, 6), 0);
    EXPECT_GT(inColumns(2, 4), 0);
  }
}

TEST(SeriesDrawTest, AxisMappingTakenOutOfTheAxisAgrees) {
  auto chart = ChartWith(100, 0, 3);
  ImageCanvas canvas(433, 201);
  struct Case {
    bool inverted;
    double min, max;
  };
  const Case cases[] = {{false, 0, 99},
                        {true, 0, 99},
                        {false, 17.3, 17.3 + 1e-10},
                        {false, -3e9, 5e9},
                        {true, 1e-7, 2e-7}};
  std::mt19937 gen(5);
  std::uniform_real_distribution<double> spread(-1e4, 1e4);
  for (const Case& c : cases) {
    for (TChartAxis* axis : {chart->BottomAxis(), chart->LeftAxis()}) {
      axis->SetInverted(c.inverted);
      axis->SetMinMax(c.min, c.max);
    }
    chart->Draw(canvas, chart->GetRectangle());
    for (TChartAxis* axis : {chart->BottomAxis(), chart->LeftAxis()}) {
      const TAxisMapping mapping(*axis);
      std::vector<double> values = {c.min, c.max, (c.min + c.max) / 2, 1e300, -1e300, NAN};
      for (int i = 0; i < 2000; ++i) values.push_back(c.min + (c.max - c.min) * spread(gen) / 1e3);
      values.insert(values.end(), {INFINITY, -INFINITY, -0.0, c.max * 1e8, c.min - 1e12});
      for (double v : values) ASSERT_EQ(mapping.Pixel(v), axis->CalcPosValue(v)) << v;
      // The block mapping, at every length's tail of the vector loop.
      std::vector<int> block(values.size());
      mapping.Pixels(values.data(), int(values.size()), block.data());
      for (size_t i = 0; i < values.size(); ++i)
        ASSERT_EQ(block[i], mapping.Pixel(values[i])) << values[i];
    }
  }
}

}  // namespace

}  // namespace vadidazid
