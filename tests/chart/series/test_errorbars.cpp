// Error bars on real pixels: a bar spans y - error to y + error with its caps at the
// pixels the axis maps them to; points without an error have none; the errors follow
// their points; the axis makes room for the bars.
#include <gtest/gtest.h>

#include <cmath>

#include "chart/axis/chartaxis.h"
#include "chart/panel/chart.h"
#include "chart/series/errorbarseries.h"
#include "platform/qt/imagecanvas.h"

namespace vadidazid {

namespace {

constexpr TColor kInk = 0x2060C0;

struct Drawn {
  std::unique_ptr<TChart> chart;
  TErrorBarSeries* series;
  ImageCanvas canvas{300, 200};
};

// A flat white chart with one error-bar series of the points (x, y, error).
std::unique_ptr<Drawn> DrawBars(const std::vector<std::array<double, 3>>& points) {
  auto d = std::make_unique<Drawn>();
  d->chart = std::make_unique<TChart>();
  d->chart->SetBounds(300, 200);
  d->chart->SetView3D(false);
  d->chart->Legend().SetVisible(false);
  auto series = std::make_unique<TErrorBarSeries>();
  series->SetSeriesColor(kInk);
  for (const auto& p : points) series->AddXYError(p[0], p[1], p[2]);
  d->series = d->chart->AddSeries(std::move(series));
  d->chart->Draw(d->canvas, d->chart->GetRectangle());
  return d;
}

TEST(ErrorBars, BarsAndCapsSitAtTheirValuesPixels) {
  // Out of x order on purpose: the errors must travel with their points. The bars'
  // points lie inside the plot, with level lines beside them that cross no cap.
  const auto d = DrawBars({{3, 5, 1.5}, {0, 2, 0}, {1, 2, 0.5}, {2, 2, 0}, {5, 5, 0}, {4, 5, NAN}});
  TErrorBarSeries& s = *d->series;
  ASSERT_EQ(s.Count(), 6);
  EXPECT_EQ(s.XValue(1), 1);
  EXPECT_EQ(s.Error(1), 0.5);
  EXPECT_EQ(s.Error(3), 1.5);
  // The axis holds the bars' ends, not only the points.
  EXPECT_EQ(s.MinYValue(), 1.5);
  EXPECT_EQ(s.MaxYValue(), 6.5);
  EXPECT_LE(d->chart->LeftAxis()->ScaleMinimum(), 1.5);
  EXPECT_GE(d->chart->LeftAxis()->ScaleMaximum(), 6.5);
  for (int i : {1, 3}) {
    const int x = s.CalcXPos(i);
    const int top = s.CalcYPosValue(s.YValue(i) + s.Error(i));
    const int bottom = s.CalcYPosValue(s.YValue(i) - s.Error(i));
    ASSERT_GT(bottom - top, 8) << i;
    for (int y = top; y <= bottom; ++y) EXPECT_EQ(d->canvas.GetPixel(x, y), kInk) << i << " " << y;
    for (int y : {top, bottom}) {
      EXPECT_EQ(d->canvas.GetPixel(x - s.CapHalfWidth(), y), kInk);
      EXPECT_EQ(d->canvas.GetPixel(x + s.CapHalfWidth(), y), kInk);
      EXPECT_NE(d->canvas.GetPixel(x + s.CapHalfWidth() + 1, y), kInk);
    }
    EXPECT_NE(d->canvas.GetPixel(x, top - 1), kInk);
    EXPECT_NE(d->canvas.GetPixel(x, bottom + 1), kInk);
  }
  // No error, or none that is a number: nothing beyond the marker above the point.
  for (int i : {2, 4}) {
    const int x = s.CalcXPos(i), y = s.CalcYPos(i);
    EXPECT_NE(d->canvas.GetPixel(x, y - s.Pointer().VertSize() - 2), kInk) << i;
  }
  s.Delete(0);
  EXPECT_EQ(s.Error(0), 0.5);
  EXPECT_EQ(s.Error(2), 1.5);
}

}  // namespace

}  // namespace vadidazid
