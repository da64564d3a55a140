// The SVG canvas against the image canvas: each shape covers the same pixels in both,
// text is measured alike and written safely, clips become clip groups, wide dashed pens ask
// for the lengths the raster draws; and PNG files decode to the pixels they were written
// from, as BMP files of them do.
#include "platform/drawing/svgcanvas.h"

#include <gtest/gtest.h>

#include <QImage>
#include <functional>
#include <random>

#include "platform/drawing/pixelrules.h"
#include "platform/formats/bmpfile.h"
#include "platform/formats/picturefile.h"
#include "platform/formats/pngfile.h"
#include "platform/qt/imagecanvas.h"
#include "tests/support/svgelements.h"

namespace vadidazid {

namespace {

// The box of the pixels that are not white.
TRect PaintedBox(const ImageCanvas& c) {
  TRect box{1 << 20, 1 << 20, -1, -1};
  for (int y = 0; y < c.Height(); ++y)
    for (int x = 0; x < c.Width(); ++x) {
      if (c.GetPixel(x, y) == clWhite) continue;
      box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
             std::max(box.bottom, y + 1)};
    }
  return box;
}

TRect Union(const std::vector<SvgElement>& elements) {
  TRect box{1 << 20, 1 << 20, -1, -1};
  for (const SvgElement& e : elements) {
    const TRect r = SvgElementBox(e);
    box = {std::min(box.left, r.left), std::min(box.top, r.top), std::max(box.right, r.right),
           std::max(box.bottom, r.bottom)};
  }
  return box;
}

TEST(SvgCanvas, ShapesCoverTheRasterPixels) {
  struct Case {
    const char* name;
    std::function<void(Canvas&)> draw;
  };
  auto line = [](int x0, int y0, int x1, int y1, TPenStyle style = TPenStyle::psSolid) {
    return [=](Canvas& c) {
      c.pen.style = style;
      c.MoveTo(x0, y0);
      c.LineTo(x1, y1);
    };
  };
  const Case cases[] = {
      {"horizontal line, end left out", line(5, 7, 30, 7)},
      {"vertical line upwards", line(9, 30, 9, 4)},
      {"diagonal line", line(3, 3, 40, 21)},
      {"dashed line ending in a dash", line(2, 10, 36, 10, TPenStyle::psDash)},
      {"polyline",
       [](Canvas& c) {
         c.Polyline({{4, 4}, {20, 30}, {44, 12}, {44, 12}});
       }},
      {"polygon",
       [](Canvas& c) {
         c.Polygon({{10, 5}, {40, 30}, {5, 25}});
       }},
      {"fill",
       [](Canvas& c) {
         c.brush.color = clRed;
         c.FillRect({3, 4, 17, 9});
       }},
      {"rectangle",
       [](Canvas& c) {
         c.brush.color = clLime;
         c.Rectangle(30, 20, 6, 3);
       }},
      {"rectangle, clear pen",
       [](Canvas& c) {
         c.pen.style = TPenStyle::psClear;
         c.brush.color = clBlue;
         c.Rectangle(6, 3, 30, 20);
       }},
      {"rectangle, pen of 3",
       [](Canvas& c) {
         c.pen.width = 3;
         c.brush.style = TBrushStyle::bsClear;
         c.Rectangle(10, 10, 30, 25);
       }},
      {"rectangle, pen of 4",
       [](Canvas& c) {
         c.pen.width = 4;
         c.Rectangle(10, 10, 30, 25);
       }},
      {"ellipse",
       [](Canvas& c) {
         c.brush.color = clSkyBlue;
         c.Ellipse(5, 6, 26, 19);
       }},
      {"ellipse, clear pen",
       [](Canvas& c) {
         c.pen.style = TPenStyle::psClear;
         c.brush.color = clRed;
         c.Ellipse(5, 6, 26, 19);
       }},
      {"pixel", [](Canvas& c) { c.SetPixel(12, 13, clRed); }},
      {"check box",
       [](Canvas& c) {
         c.DrawCheckBox({20, 10, 33, 23}, true);
       }},
  };
  for (const Case& k : cases) {
    ImageCanvas image(60, 40);
    k.draw(image);
    ImageCanvas measure(1, 1);
    SvgCanvas svg(60, 40, &measure, clNone);
    k.draw(svg);
    EXPECT_EQ(Union(SvgElements(svg.Document())), PaintedBox(image)) << k.name;
  }
}

TEST(SvgCanvas, TextIsMeasuredAsTheRasterAndEscaped) {
  ImageCanvas image(200, 40);
  SvgCanvas svg(200, 40, &image);
  for (Canvas* c : {static_cast<Canvas*>(&image), static_cast<Canvas*>(&svg)}) {
    c->font.name = "Arial";
    c->font.height = -15;
    c->font.bold = true;
  }
  const std::string text = "Oś <x> & \"y\"\x01";
  EXPECT_EQ(svg.TextExtent(text), image.TextExtent(text));
  svg.TextOut(10, 5, text);
  EXPECT_EQ(svg.PenPos(), (TPoint{10 + image.TextExtent(text).cx, 5}));
  const std::string doc = svg.Document();
  EXPECT_NE(doc.find(">Oś &lt;x&gt; &amp; &quot;y&quot;</text>"), std::string::npos) << doc;
  EXPECT_NE(doc.find("font-weight=\"bold\""), std::string::npos);
  // Without a measuring canvas, the fixed-width model of 6 pixels a character.
  SvgCanvas plain(10, 10);
  EXPECT_EQ(plain.TextExtent("abc"), (TSize{18, 13}));
}

// Where the raster picture puts a text's ink, the SVG text must stand: its x at the
// text's left and its baseline at the bottom of capital letters (which have no
// descent), within a pixel of the raster font's own baseline.
TEST(SvgCanvas, TextStandsWhereTheRasterDrawsIt) {
  struct Case {
    const char* font;
    int height;
    bool bold;
    TPoint at;
  };
  const Case cases[] = {
      {"Arial", -11, false, {4, 3}},           {"Arial", -15, true, {30, 20}},
      {"Courier New", -13, false, {7, 9}},     {"Times New Roman", 16, false, {0, 0}},
      {"MS Sans Serif", -11, false, {50, 40}},
  };
  const std::string text = "HEIH";
  for (const Case& k : cases) {
    ImageCanvas image(160, 80);
    SvgCanvas svg(160, 80, &image, clNone);
    for (Canvas* c : {static_cast<Canvas*>(&image), static_cast<Canvas*>(&svg)}) {
      c->font.name = k.font;
      c->font.height = k.height;
      c->font.bold = k.bold;
      c->TextOut(k.at.x, k.at.y, text);
    }
    const TRect ink = PaintedBox(image);
    const std::vector<SvgElement> elements = SvgElements(svg.Document());
    ASSERT_EQ(elements.size(), 1u) << k.font;
    const SvgElement& e = elements[0];
    EXPECT_EQ(e.Number("x"), k.at.x) << k.font;
    EXPECT_LE(std::abs(e.Number("y") - ink.bottom), 1)
        << k.font << " ink " << ink.top << ".." << ink.bottom;
    EXPECT_LE(k.at.x, ink.left) << k.font;
  }
}

TEST(SvgCanvas, ClipsGroupTheElementsDrawnUnderThem) {
  SvgCanvas svg(50, 50, nullptr, clNone);
  svg.SetClipRect(TRect{5, 6, 20, 30});
  svg.FillRect({0, 0, 50, 50});
  svg.SetClipRect(std::nullopt);
  svg.FillRect({1, 1, 2, 2});
  const std::string doc = svg.Document();
  const size_t group = doc.find("<g clip-path=\"url(#clip1)\">");
  ASSERT_NE(group, std::string::npos) << doc;
  EXPECT_NE(doc.find("<clipPath id=\"clip1\"><rect x=\"5\" y=\"6\" width=\"15\" height=\"24\"/>"),
            std::string::npos);
  const size_t end = doc.find("</g>", group);
  EXPECT_LT(doc.find("width=\"50\"", group), end);
  EXPECT_GT(doc.find("x=\"1\" y=\"1\""), end);
}

// The lengths of the runs of ink and gap along row y, from the first ink on.
std::vector<int> RowRuns(const ImageCanvas& c, int y) {
  std::vector<int> runs;
  bool ink = true;
  int x = 0;
  while (x < c.Width() && c.GetPixel(x, y) == clWhite) ++x;
  for (; x < c.Width(); ++x) {
    if ((c.GetPixel(x, y) != clWhite) != ink) ink = !ink, runs.push_back(0);
    if (runs.empty()) runs.push_back(0);
    ++runs.back();
  }
  return runs;
}

TEST(WideDashes, PatternsGrowWithThePenAlikeInBothPictures) {
  // A styled pen wider than one pixel shows the one-pixel runs times its width,
  // whatever its ends, and the SVG asks for the same lengths the raster draws.
  const struct {
    TPenStyle style;
    int width;
    TPenCap cap;
  } cases[] = {
      {TPenStyle::psDash, 2, TPenCap::Round},     {TPenStyle::psDot, 3, TPenCap::Round},
      {TPenStyle::psDashDot, 2, TPenCap::Square}, {TPenStyle::psDashDotDot, 4, TPenCap::Flat},
      {TPenStyle::psDot, 2, TPenCap::Flat},       {TPenStyle::psDash, 5, TPenCap::Square}};
  for (const auto& k : cases) {
    auto draw = [&](Canvas& c) {
      c.pen = {clBlack, k.width, k.style, k.cap};
      c.MoveTo(10, 20);
      c.LineTo(390, 20);
    };
    ImageCanvas image(400, 40);
    draw(image);
    const std::vector<int> runs = RowRuns(image, 20);
    const std::span<const int> one = DashRuns(k.style);
    ASSERT_GE(runs.size(), 2 * one.size() + 2) << k.width;
    // Inner runs only: the line's own ends are capped and its last dash may be cut.
    for (size_t i = 1; i + 2 < runs.size(); ++i) {
      EXPECT_NEAR(runs[i], one[i % one.size()] * k.width, 1) << int(k.style) << " " << k.width;
    }
    ImageCanvas measure(1, 1);
    SvgCanvas svg(400, 40, &measure, clNone);
    draw(svg);
    const std::vector<SvgElement> elements = SvgElements(svg.Document());
    ASSERT_EQ(elements.size(), 1u);
    std::string lengths;
    for (int n : WideDashLengths({clBlack, k.width, k.style, k.cap})) {
      if (!lengths.empty()) lengths += ' ';
      lengths += std::to_string(n);
    }
    EXPECT_EQ(elements[0].Text("stroke-dasharray"), lengths);
  }
  // Box outlines stay solid in both; solid and one-pixel pens keep their old rules.
  TPen solid{clBlack, 3, TPenStyle::psSolid};
  EXPECT_TRUE(WideDashLengths(solid).empty());
  EXPECT_TRUE(WideDashLengths({clBlack, 1, TPenStyle::psDash}).empty());
  ImageCanvas measure(1, 1);
  SvgCanvas svg(60, 40, &measure, clNone);
  svg.pen = {clBlack, 3, TPenStyle::psDash};
  svg.Rectangle(5, 5, 50, 30);
  EXPECT_FALSE(SvgElements(svg.Document())[0].Has("stroke-dasharray"));
}

TEST(PictureFiles, PngAndBmpDecodeToTheCanvasPixels) {
  // Odd widths pad the BMP's rows; random pixels defeat any filter shortcut.
  for (const TSize size : {TSize{1, 1}, TSize{7, 3}, TSize{64, 33}}) {
    ImageCanvas c(size.cx, size.cy);
    std::mt19937 gen(size.cx);
    for (int y = 0; y < size.cy; ++y)
      for (int x = 0; x < size.cx; ++x) c.SetPixel(x, y, gen() & 0xFFFFFF);
    const std::string png = PngFileBytes(c, size.cx, size.cy);
    const std::string bmp = RasterFileBytes(PictureFormat::Bmp, c, size.cx, size.cy);
    for (const std::string* file : {&png, &bmp}) {
      QImage decoded;
      ASSERT_TRUE(
          decoded.loadFromData(reinterpret_cast<const uchar*>(file->data()), int(file->size())));
      ASSERT_EQ(decoded.size(), QSize(size.cx, size.cy));
      for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x)
          ASSERT_EQ(decoded.pixel(x, y) & 0xFFFFFF, c.Image().pixel(x, y) & 0xFFFFFF)
              << size.cx << "x" << size.cy << " at " << x << "," << y;
    }
  }
}

TEST(PictureFiles, KindByExtension) {
  const std::pair<const char*, std::optional<PictureFormat>> cases[] = {
      {"a.bmp", PictureFormat::Bmp},   {"dir.x/a.PNG", PictureFormat::Png},
      {"a.b.Svg", PictureFormat::Svg}, {"a.gif", std::nullopt},
      {"png", std::nullopt},           {".png", std::nullopt},
      {"dir.png/a", std::nullopt},     {"a.png.", std::nullopt},
  };
  for (const auto& [name, format] : cases) EXPECT_EQ(PictureFormatOf(name), format) << name;
}

}  // namespace

}  // namespace vadidazid
