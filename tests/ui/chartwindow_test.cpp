// The chart in the real window after a run of the default parameters, pressed with Qt
// Test mouse events: the legend laid out with the installed fonts, items switched off
// and on by a click on their text, and the chart with every series off.
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

#include "chart/axis/chartaxis.h"
#include "chart/canvas/teefont.h"
#include "chart/panel/chart.h"
#include "chart/series/chartseries.h"
#include "platform/qt/imagecanvas.h"
#include "platform/qt/messages.h"
#include "random/randomvariates.h"
#include "random/runtimerandom.h"
#include "tests/ui/shownform.h"
#include "ui/chartwidget.h"
#include "ui/mainwindow.h"

namespace vadidazid {

namespace {

class ChartWindow : public SteppedForm {
 protected:
  ChartWindow() : SteppedForm(100) {}

  const TChartLegend& Legend() { return Chart().Legend(); }
  TColor At(int x, int y) {
    const QRgb p = form->Chart1->WindowCanvas().Image().pixel(x, y);
    return RGBColor(uint8_t(qRed(p)), uint8_t(qGreen(p)), uint8_t(qBlue(p)));
  }
  // A click a few pixels into the text of legend item k, then the repaint it asks for.
  void ClickItemText(int k) {
    const TPoint p = Legend().Items()[k].textPos;
    QTest::mouseClick(form->Chart1, Qt::LeftButton, {}, QPoint(p.x + 4, p.y + 5));
    Paint();
  }
  // The centre of item k's check box: the tick's middle when checked.
  bool BoxTicked(int k) {
    const TLegendItem& item = Legend().Items()[k];
    const int left = item.textPos.x - Legend().SymbolPixels() - 21;
    return At(left + 6, item.textPos.y + 7) == ColorToRGB(clWindowText);
  }
  int PlotPixelsOf(TColor color) {
    const TRect& r = Chart().ChartRect();
    int n = 0;
    for (int y = r.top; y <= r.bottom; ++y)
      for (int x = r.left; x <= r.right; ++x) n += At(x, y) == color;
    return n;
  }
};

TEST_F(ChartWindow, LegendFollowsTheLayoutRulesWithTheInstalledFont) {
  // The rules worked through with the font's own measurements.
  ImageCanvas measure(10, 10);
  measure.font = TTeeFont().Font();
  int widest = 0;
  for (int i = 0; i < 4; ++i)
    widest = std::max(widest, measure.TextWidth(Chart().Series(i)->Title()));
  const int w = 2 * measure.TextWidth(" ") - 1 + widest;
  const int cw = int(std::nearbyint(w * 0.25));
  const int columns = std::min(410 / (cw + w + 35), 4);
  const int rows = (4 + columns - 1) / columns;
  EXPECT_EQ(Legend().TextColumnWidth(), w);
  EXPECT_EQ(Legend().ColumnCount(), columns);
  EXPECT_EQ(Legend().RowCount(), rows);
  const int d = std::min(420, columns * (w + cw + 6) + 10 + columns * 13 + 8) / 2;
  EXPECT_EQ(Legend().ShapeBounds(), (TRect{215 - d, 7, 215 + d, 7 + 15 * rows + 2}));
  // Each item's text is hit as its item, and nothing left of the first column.
  for (int k = 0; k < 4; ++k) {
    const TPoint p = Legend().Items()[k].textPos;
    EXPECT_EQ(Chart().Legend().Clicked(p.x + 2, p.y + 5), k);
    EXPECT_TRUE(BoxTicked(k));
  }
  EXPECT_EQ(Chart().Legend().Clicked(Legend().ShapeBounds().left, 12), -1);
}

TEST_F(ChartWindow, ClickingAnItemSwitchesItsLineAndTheAxisFollows) {
  const TColor color = Chart().Series(0)->SeriesColor();
  const double fullMaximum = Chart().LeftAxis()->ScaleMaximum();
  ASSERT_GT(PlotPixelsOf(color), 50);
  ClickItemText(0);
  EXPECT_FALSE(Chart().Series(0)->Active());
  EXPECT_FALSE(BoxTicked(0));
  EXPECT_EQ(PlotPixelsOf(color), 0);
  // The running calls are the largest values; without them the axis ends lower.
  EXPECT_LT(Chart().LeftAxis()->ScaleMaximum(), fullMaximum);
  ClickItemText(0);
  EXPECT_TRUE(Chart().Series(0)->Active());
  EXPECT_TRUE(BoxTicked(0));
  EXPECT_GT(PlotPixelsOf(color), 50);
  EXPECT_EQ(Chart().LeftAxis()->ScaleMaximum(), fullMaximum);
}

TEST_F(ChartWindow, EverySeriesOffLeavesAxisLinesAndFourEmptyBoxes) {
  for (int k = 0; k < 4; ++k) ClickItemText(k);
  for (int k = 0; k < 4; ++k) {
    EXPECT_FALSE(Chart().Series(k)->Active());
    EXPECT_FALSE(BoxTicked(k));
  }
  EXPECT_EQ(Legend().Items().size(), 4u);
  // No labels, so no text left of the plot: the axis lines and the frame only.
  EXPECT_EQ(Chart().LeftAxis()->CalcLabelStyle(), TAxisLabelStyle::talNone);
  const TRect& r = Chart().ChartRect();
  for (int y = r.top; y < r.bottom; y += 7)
    for (int x = 0; x < r.left; ++x) EXPECT_EQ(At(x, y), ColorToRGB(clBtnFace)) << x << "," << y;
  for (int k = 0; k < 4; ++k) EXPECT_EQ(PlotPixelsOf(Chart().Series(k)->SeriesColor()), 0);
}

}  // namespace

}  // namespace vadidazid
