// The window's canvas at device pixel ratios 1, 1.5 and 2: at 1 the image canvas' own
// pixels; above 1 lines of one even thickness, shapes and letters drawn for the device's
// pixels rather than enlarged, and a not-xor shape still undone by drawing it again.
#include <gtest/gtest.h>

#include <functional>

#include "chart/panel/chart.h"
#include "platform/qt/imagecanvas.h"
#include "programchart/programchart.h"
#include "ui/devicecanvas.h"

namespace vadidazid {

namespace {

using Drawing = std::function<void(Canvas&)>;

// A bit of everything the cell grid and the chart draw.
const Drawing kSampler = [](Canvas& c) {
  c.brush.color = clBtnFace;
  c.FillRect({0, 0, 60, 40});
  c.pen.color = clRed;
  c.MoveTo(10, 2);
  c.LineTo(20, 8);
  c.LineTo(20, 20);
  c.LineTo(10, 26);
  c.pen.style = TPenStyle::psDot;
  c.Polyline({{30, 30}, {58, 30}, {58, 38}});
  c.pen.style = TPenStyle::psSolid;
  c.pen.color = clGray;
  c.brush.color = clSkyBlue;
  c.Ellipse(25, 3, 40, 18);
  c.Rectangle(42, 4, 55, 20);
  c.pen.width = 2;
  c.Polygon({{2, 30}, {12, 36}, {2, 38}});
  c.SetPixel(59, 0, clBlue);
  c.DrawCheckBox({44, 24, 57, 37}, true);
  c.font.color = clBlack;
  c.TextOut(2, 12, "0,9");
};

// Device pixels that are not the background.
int Inked(const QImage& image, QRgb background, int x0, int y0, int x1, int y1) {
  int n = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) n += image.pixel(x, y) != background;
  return n;
}

// Whether every aligned 2 x 2 block of the region has one colour: a picture drawn at
// ratio 1 and enlarged.
bool MadeOfBlocks(const QImage& image, int x0, int y0, int x1, int y1) {
  for (int y = y0; y + 1 < y1; y += 2) {
    for (int x = x0; x + 1 < x1; x += 2) {
      const QRgb p = image.pixel(x, y);
      if (image.pixel(x + 1, y) != p || image.pixel(x, y + 1) != p ||
          image.pixel(x + 1, y + 1) != p) {
        return false;
      }
    }
  }
  return true;
}

TEST(DeviceCanvas, AtRatioOneIsTheImageCanvas) {
  ImageCanvas plain(60, 40, clWhite);
  DeviceCanvas device(60, 40, clWhite, 1.0);
  kSampler(plain);
  kSampler(device);
  EXPECT_EQ(device.Image(), plain.Image());
  EXPECT_EQ(device.GetPixel(59, 0), plain.GetPixel(59, 0));
}

struct RatioCase {
  double ratio;
  int penWidth;  // device pixels of a one-pixel logical pen
};

class AtRatio : public ::testing::TestWithParam<RatioCase> {};

TEST_P(AtRatio, LinesAreOneEvenThicknessWithTheirEndLeftOut) {
  const RatioCase& rc = GetParam();
  DeviceCanvas c(50, 50, clWhite, rc.ratio);
  EXPECT_EQ(c.DevicePenWidth(1), rc.penWidth);
  ASSERT_EQ(c.Image().width(), int(50 * rc.ratio + 0.5));
  c.pen.color = clBlack;
  c.MoveTo(3, 5);
  c.LineTo(40, 5);  // horizontal
  c.MoveTo(45, 3);
  c.LineTo(45, 40);  // vertical
  const int y = c.ToDevice(5);
  for (int x = c.ToDevice(3); x < c.ToDevice(40); ++x) {
    EXPECT_EQ(Inked(c.Image(), qRgb(255, 255, 255), x, 0, x + 1, c.Image().height() / 2),
              rc.penWidth)
        << x;
    EXPECT_EQ(QColor(c.Image().pixel(x, y + rc.penWidth - 1)), QColor(Qt::black)) << x;
  }
  for (int dy = c.ToDevice(3); dy < c.ToDevice(40); ++dy) {
    EXPECT_EQ(Inked(c.Image(), qRgb(255, 255, 255), c.ToDevice(44), dy, c.Image().width(), dy + 1),
              rc.penWidth)
        << dy;
  }
  // The end point's square is left out.
  EXPECT_EQ(c.GetPixel(40, 5), clWhite);
  EXPECT_EQ(c.GetPixel(45, 40), clWhite);
}

TEST_P(AtRatio, NotXorShapeDrawnTwiceLeavesNoTrace) {
  DeviceCanvas c(60, 40, clWhite, GetParam().ratio);
  kSampler(c);
  const QImage before = c.Image();
  c.pen = TPen{clBlack, 1, TPenStyle::psSolid, TPenCap::Round, TPenMode::pmNotXor};
  c.brush.style = TBrushStyle::bsClear;
  c.Rectangle(5, 5, 50, 33);
  EXPECT_NE(c.Image(), before);
  c.Rectangle(5, 5, 50, 33);
  EXPECT_EQ(c.Image(), before);
}

TEST_P(AtRatio, TextAndCellsAreDrawnForTheDevice) {
  const double r = GetParam().ratio;
  DeviceCanvas c(60, 40, clWhite, r);
  kSampler(c);
  ImageCanvas plain(60, 40, clWhite);
  kSampler(plain);
  // The same shapes where they were, larger: the logical pixels agree at the shapes'
  // inner points.
  for (TPoint p : std::vector<TPoint>{{32, 10}, {5, 1}, {48, 12}}) {
    EXPECT_EQ(c.GetPixel(p.x, p.y), plain.GetPixel(p.x, p.y)) << p.x << "," << p.y;
  }
  if (r != 2.0) return;
  // Neither the text nor the diagonal edge nor the circle is a ratio 1 picture enlarged.
  const QImage& image = c.Image();
  EXPECT_FALSE(MadeOfBlocks(image, 4, 24, 40, 52)) << "text";
  EXPECT_FALSE(MadeOfBlocks(image, 20, 4, 40, 16)) << "edge";
  EXPECT_FALSE(MadeOfBlocks(image, 50, 6, 80, 36)) << "circle";
  EXPECT_GT(Inked(image, qRgb(0xF0, 0xF0, 0xF0), 4, 24, 40, 52), 20);
}

TEST_P(AtRatio, ChartKeepsItsLayoutAndDrawsForTheDevice) {
  const double r = GetParam().ratio;
  auto chart = CreateProgramChart();
  ImageCanvas plain(chart->Width(), chart->Height(), clBtnFace);
  chart->SetWindowCanvas(&plain);
  chart->Paint();
  const TRect layout = chart->ChartRect();
  DeviceCanvas device(chart->Width(), chart->Height(), clBtnFace, r);
  chart->SetWindowCanvas(&device);
  // The off-screen picture is made anew, by the device canvas.
  chart->Canvas3D().SetUseBuffer(false);
  chart->Canvas3D().SetUseBuffer(true);
  chart->Paint();
  EXPECT_EQ(chart->ChartRect(), layout);
  EXPECT_EQ(device.Image().width(), device.ToDevice(chart->Width()));
  // The back wall's frame: one pen's width at the plot's left edge, all the way down
  // (at 1.5 a grid line's first dot may cover its inner half, one device pixel).
  const int w = device.DevicePenWidth(1);
  const int x = device.ToDevice(layout.left);
  int rows = 0;
  for (int y = device.ToDevice(layout.top + 1); y < device.ToDevice(layout.bottom); ++y) {
    EXPECT_EQ(QColor(device.Image().pixel(x, y)), QColor(Qt::black)) << y;
    EXPECT_NE(QColor(device.Image().pixel(x + w, y)), QColor(Qt::black)) << y;
    rows += device.Image().pixel(x + w - 1, y) == qRgb(0, 0, 0);
  }
  EXPECT_GT(rows, (device.ToDevice(layout.bottom) - device.ToDevice(layout.top)) * 9 / 10);
  if (r == 2.0) {
    // The left labels' band is drawn for the device's pixels.
    EXPECT_FALSE(
        MadeOfBlocks(device.Image(), 0, 2 * layout.top, 2 * layout.left - 4, 2 * layout.bottom));
  }
}

// A vertical axis title: turned, within its turned box, and at ratio 1 the image
// canvas' own pixels.
TEST_P(AtRatio, TextTurnedUpStandsInItsTurnedBox) {
  const double r = GetParam().ratio;
  for (double ratio : {1.0, r}) {
    DeviceCanvas c(40, 140, clWhite, ratio);
    c.font.color = clBlack;
    const TSize extent = c.TextExtent("Prawdopodobie");
    c.TextOutUp(10, 5, "Prawdopodobie");
    if (ratio == 1.0) {
      ImageCanvas plain(40, 140, clWhite);
      plain.font.color = clBlack;
      plain.TextOutUp(10, 5, "Prawdopodobie");
      EXPECT_EQ(c.Image(), plain.Image());
    }
    const QRgb white = qRgb(255, 255, 255);
    const QImage& image = c.Image();
    const int inside = Inked(image, white, c.ToDevice(10), c.ToDevice(5),
                             c.ToDevice(10 + extent.cy), c.ToDevice(5 + extent.cx));
    EXPECT_GT(inside, 30) << ratio;
    // Glyphs may reach a little past their box, as level text does.
    EXPECT_LE(Inked(image, white, 0, 0, image.width(), image.height()), inside * 21 / 20) << ratio;
  }
}

INSTANTIATE_TEST_SUITE_P(Ratios, AtRatio,
                         ::testing::Values(RatioCase{1.5, 2}, RatioCase{2.0, 2},
                                           RatioCase{1.25, 1}),
                         [](const auto& info) {
                           std::string name = "x";
                           name += std::to_string(int(info.param.ratio * 100));
                           return name;
                         });

}  // namespace

}  // namespace vadidazid
