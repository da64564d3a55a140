// The window on a screen of device pixel ratio 1.5 (run with QT_SCALE_FACTOR=1.5): the
// cell grid and the chart keep the layout of ratio 1 and are drawn for the device's
// pixels, with lines of one even thickness.
#include "chart/panel/chart.h"
#include "sim/cellgrid.h"
#include "tests/ui/shownform.h"
#include "ui/clientarea.h"

namespace vadidazid {

namespace {

using HiDpiWindow = ShownForm;

TEST_F(HiDpiWindow, CellsAndChartAreDrawnForTheDevicePixels) {
  ASSERT_EQ(form->devicePixelRatioF(), 1.5) << "run with QT_SCALE_FACTOR=1.5";
  for (int i = 0; i < 3; ++i) form->Button2Click();
  const DeviceCanvas& grid = form->ClientArea->Canvas();
  ASSERT_EQ(grid.Ratio(), 1.5);
  EXPECT_EQ(grid.Image().width(), grid.ToDevice(grid.Width()));
  // Cell (0, 0) is still empty after three steps from cell (4, 4): its left side is
  // two device pixels wide all the way down, with the panel on both sides (short of the
  // corners, where the slanted sides meet it).
  const SimulationState& s = form->State();
  const TPoint cell = CellOrigin(s, 0, 0);
  const int h = s.hexSize;
  const int x = grid.ToDevice(cell.x);
  const QRgb gray = qRgb(0x80, 0x80, 0x80);
  for (int y = grid.ToDevice(cell.y + h / 2) + 2; y < grid.ToDevice(cell.y + h + h / 2) - 2; ++y) {
    EXPECT_NE(grid.Image().pixel(x - 1, y), gray) << y;
    EXPECT_EQ(grid.Image().pixel(x, y), gray) << y;
    EXPECT_EQ(grid.Image().pixel(x + 1, y), gray) << y;
    EXPECT_NE(grid.Image().pixel(x + 2, y), gray) << y;
  }
  form->Chart1->repaint();
  const DeviceCanvas& chart = form->Chart1->WindowCanvas();
  EXPECT_EQ(chart.Ratio(), 1.5);
  EXPECT_EQ(chart.Image().width(), chart.ToDevice(form->Chart1->width()));
  // The plot's bottom edge: two device rows of black under the whole plot.
  const TRect plot = form->Chart1->Chart().ChartRect();
  const int y = chart.ToDevice(plot.bottom);
  for (int px = chart.ToDevice(plot.left); px < chart.ToDevice(plot.right); ++px) {
    EXPECT_EQ(chart.Image().pixel(px, y), qRgb(0, 0, 0)) << px;
    EXPECT_EQ(chart.Image().pixel(px, y + 1), qRgb(0, 0, 0)) << px;
  }
}

}  // namespace

}  // namespace vadidazid
