// The window on a screen of device pixel ratio 1.5 (run with QT_SCALE_FACTOR=1.5): the
// cell grid and the chart keep the layout of ratio 1 and are drawn for the device's
// pixels, with lines of one even thickness.
#include "chart/panel/chart.h"
#include "chart/series/chartseries.h"
#include "chart/series/chartvaluelist.h"
#include "programchart/programchart.h"
#include "sim/cellgrid.h"
#include "tests/support/files.h"
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

TEST_F(HiDpiWindow, SavedChartIsThePictureOfRatioOne) {
  ASSERT_EQ(form->devicePixelRatioF(), 1.5) << "run with QT_SCALE_FACTOR=1.5";
  for (int i = 0; i < 12; ++i) form->Button2Click();
  ScopedWorkingDirectory dir(std::filesystem::temp_directory_path() / "vdz-hidpi-save");
  form->SaveChartPicture("screen.bmp");
  // The same chart on a canvas of ratio 1, saved as a screen of ratio 1 saves it.
  TChart& shown = form->Chart1->Chart();
  auto same = CreateProgramChart();
  for (int i = 0; i < 4; ++i) {
    same->Series(i)->Clear();
    for (int j = 0; j < shown.Series(i)->Count(); ++j) {
      same->Series(i)->Add(shown.Series(i)->YValues().Value(j));
    }
  }
  ImageCanvas plain(shown.Width(), shown.Height(), clBtnFace);
  same->SetWindowCanvas(&plain);
  same->SaveToBitmapFile("plain.bmp");
  EXPECT_EQ(ReadFile("screen.bmp").size(), 54u + 433 * 4 * 201);
  EXPECT_TRUE(ReadFile("screen.bmp") == ReadFile("plain.bmp"));
  // The window shows its chart at the device's ratio again.
  form->Chart1->repaint();
  EXPECT_EQ(form->Chart1->WindowCanvas().Ratio(), 1.5);
}

}  // namespace

}  // namespace vadidazid
