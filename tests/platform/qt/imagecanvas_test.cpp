// Pixel rules of the image canvas, checked on small images, plus the colour and font
// conversions it draws with.
#include "platform/qt/imagecanvas.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <algorithm>
#include <functional>
#include <set>
#include <utility>

#include "platform/qt/fonts.h"
#include "platform/qt/qtcolor.h"

namespace vadidazid {

namespace {

using PixelSet = std::set<std::pair<int, int>>;

TColor At(const ImageCanvas& c, int x, int y) {
  const QRgb p = c.Image().pixel(x, y);
  return RGBColor(uint8_t(qRed(p)), uint8_t(qGreen(p)), uint8_t(qBlue(p)));
}

// Every pixel that is no longer the background colour.
PixelSet Ink(const ImageCanvas& c) {
  PixelSet s;
  for (int y = 0; y < c.Height(); ++y) {
    for (int x = 0; x < c.Width(); ++x) {
      if (At(c, x, y) != ColorToRGB(c.Background())) s.insert({x, y});
    }
  }
  return s;
}

PixelSet Box(int l, int t, int r, int b) {
  PixelSet s;
  for (int y = t; y < b; ++y) {
    for (int x = l; x < r; ++x) s.insert({x, y});
  }
  return s;
}

TEST(ImageCanvasLine, AllDirectionsIncludeStartAndExcludeEnd) {
  const TPoint ends[] = {{30, 24}, {24, 30}, {16, 30}, {10, 24}, {10, 16},
                         {16, 10}, {24, 10}, {30, 16}, {20, 5},  {35, 20}};
  for (const TPoint& e : ends) {
    ImageCanvas c(40, 40);
    c.pen.color = clRed;
    c.MoveTo(20, 20);
    c.LineTo(e.x, e.y);
    const PixelSet ink = Ink(c);
    EXPECT_EQ(int(ink.size()), std::max(std::abs(e.x - 20), std::abs(e.y - 20)));
    EXPECT_TRUE(ink.count({20, 20}));
    EXPECT_FALSE(ink.count({e.x, e.y}));
    EXPECT_EQ(At(c, 20, 20), clRed);
    EXPECT_EQ(c.PenPos(), e);
  }
}

TEST(ImageCanvasLine, HorizontalVerticalAndEmpty) {
  struct Case {
    TPoint from, to;
    PixelSet expected;
  } cases[] = {
      {{2, 3}, {7, 3}, Box(2, 3, 7, 4)},
      {{7, 3}, {2, 3}, Box(3, 3, 8, 4)},
      {{4, 1}, {4, 6}, Box(4, 1, 5, 6)},
      {{4, 6}, {4, 1}, Box(4, 2, 5, 7)},
      {{4, 4}, {4, 4}, {}},
  };
  for (const Case& k : cases) {
    ImageCanvas c(10, 10);
    c.MoveTo(k.from.x, k.from.y);
    c.LineTo(k.to.x, k.to.y);
    EXPECT_EQ(Ink(c), k.expected);
  }
}

TEST(ImageCanvasLine, PolylineLeavesOutOnlyTheLastPoint) {
  ImageCanvas c(10, 10);
  c.Polyline({{1, 1}, {5, 1}, {5, 6}});
  PixelSet expected = Box(1, 1, 5, 2);
  expected.merge(Box(5, 1, 6, 6));
  EXPECT_EQ(Ink(c), expected);
}

TEST(ImageCanvasLine, StylesAndClearPens) {
  ImageCanvas c(20, 3);
  c.pen.style = TPenStyle::psDot;
  c.MoveTo(0, 1);
  c.LineTo(12, 1);
  EXPECT_EQ(Ink(c), (PixelSet{{0, 1}, {1, 1}, {2, 1}, {6, 1}, {7, 1}, {8, 1}}));

  ImageCanvas gaps(20, 3);
  gaps.pen.style = TPenStyle::psDot;
  gaps.backMode = TBackMode::Opaque;
  gaps.brush.color = clBlue;
  gaps.MoveTo(0, 1);
  gaps.LineTo(6, 1);
  EXPECT_EQ(At(gaps, 2, 1), clBlack);
  EXPECT_EQ(At(gaps, 3, 1), clBlue);

  ImageCanvas none(10, 10);
  none.pen.style = TPenStyle::psClear;
  none.MoveTo(0, 0);
  none.LineTo(9, 9);
  none.pen = TPen{clNone, 1, TPenStyle::psSolid};
  none.LineTo(0, 5);
  none.Polyline({{0, 0}, {5, 5}});
  EXPECT_TRUE(Ink(none).empty());
  EXPECT_EQ(none.PenPos(), (TPoint{0, 5}));
}

TEST(ImageCanvasLine, WidePenIsCentredOnTheLine) {
  ImageCanvas c(30, 20);
  c.pen.width = 3;
  c.MoveTo(5, 10);
  c.LineTo(25, 10);
  for (int y : {9, 10, 11}) EXPECT_EQ(At(c, 15, y), clBlack) << y;
  EXPECT_EQ(At(c, 15, 8), clWhite);
  EXPECT_EQ(At(c, 15, 12), clWhite);
}

TEST(ImageCanvasShapes, RectangleOutlineFillAndClearParts) {
  struct Case {
    TPenStyle penStyle;
    TBrushStyle brushStyle;
    TColor edge, inside;
  } cases[] = {
      {TPenStyle::psSolid, TBrushStyle::bsSolid, clBlack, clRed},
      {TPenStyle::psSolid, TBrushStyle::bsClear, clBlack, clWhite},
      {TPenStyle::psClear, TBrushStyle::bsSolid, clRed, clRed},
  };
  for (const Case& k : cases) {
    ImageCanvas c(30, 30);
    c.pen.style = k.penStyle;
    c.brush = TBrush{clRed, k.brushStyle};
    c.Rectangle(20, 20, 10, 10);  // inverted: normalised
    for (int m : {10, 19}) {
      EXPECT_EQ(At(c, m, 15), k.edge);
      EXPECT_EQ(At(c, 15, m), k.edge);
    }
    EXPECT_EQ(At(c, 11, 11), k.inside);
    EXPECT_EQ(At(c, 18, 18), k.inside);
    EXPECT_EQ(Ink(c).size(), k.inside == clWhite ? 36u : 100u);
    const PixelSet ink = Ink(c);
    const PixelSet box = Box(10, 10, 20, 20);
    EXPECT_TRUE(std::includes(box.begin(), box.end(), ink.begin(), ink.end()));
  }
}

TEST(ImageCanvasShapes, FillRectCoversLeftTopToRightBottomMinusOne) {
  ImageCanvas c(12, 12);
  c.brush.color = clGreen;
  c.FillRect({2, 3, 7, 9});
  EXPECT_EQ(Ink(c), Box(2, 3, 7, 9));
  c.FillRect({9, 9, 8, 11});  // inverted: nothing
  EXPECT_EQ(Ink(c), Box(2, 3, 7, 9));
  EXPECT_EQ(At(c, 6, 8), clGreen);
}

TEST(ImageCanvasShapes, EllipseTouchesTheBoxMiddlesOnly) {
  ImageCanvas c(30, 30);
  c.brush.color = clYellow;
  c.Ellipse(10, 10, 20, 20);
  for (int m : {14, 15}) {
    EXPECT_EQ(At(c, 10, m), clBlack);
    EXPECT_EQ(At(c, 19, m), clBlack);
    EXPECT_EQ(At(c, m, 10), clBlack);
    EXPECT_EQ(At(c, m, 19), clBlack);
    EXPECT_EQ(At(c, 20, m), clWhite);
    EXPECT_EQ(At(c, m, 20), clWhite);
  }
  for (auto [x, y] : {std::pair{10, 10}, {19, 10}, {10, 19}, {19, 19}}) {
    EXPECT_EQ(At(c, x, y), clWhite);
  }
  EXPECT_EQ(At(c, 15, 15), clYellow);
  EXPECT_EQ(At(c, 11, 15), clYellow);
}

TEST(ImageCanvasShapes, EllipseThinAndInvertedBoxes) {
  const int x = 5, y = 6, w = 3, h = 4;
  struct Case {
    TRect box;
    PixelSet expected;
  } cases[] = {
      {{x + w + 1, y + h + 1, x + w, y + h}, Box(x + w, y + h, x + w + 1, y + h + 1)},
      {{x + w, y + h, x + w + 1, y + h + 1}, Box(x + w, y + h, x + w + 1, y + h + 1)},
      {{3, 2, 4, 9}, Box(3, 2, 4, 9)},
      {{9, 4, 2, 3}, Box(2, 3, 9, 4)},
      {{3, 2, 3, 9}, {}},
      {{3, 9, 12, 9}, {}},
  };
  for (const Case& k : cases) {
    ImageCanvas c(20, 20);
    c.pen.color = clRed;
    c.brush.color = clBlue;
    c.Ellipse(k.box.left, k.box.top, k.box.right, k.box.bottom);
    EXPECT_EQ(Ink(c), k.expected) << k.box.left << "," << k.box.top;
    for (const auto& [px, py] : k.expected) EXPECT_EQ(At(c, px, py), clRed);
  }
}

TEST(ImageCanvasShapes, PolygonStaysWithinItsVertices) {
  ImageCanvas c(30, 30);
  c.brush.color = clLime;
  c.Polygon({{10, 10}, {20, 10}, {10, 20}});
  const PixelSet ink = Ink(c);
  for (const auto& [x, y] : ink) EXPECT_TRUE(x >= 10 && x <= 20 && y >= 10 && y <= 20);
  for (auto [x, y] : {std::pair{10, 10}, {20, 10}, {10, 20}}) EXPECT_EQ(At(c, x, y), clBlack);
  EXPECT_EQ(At(c, 12, 12), clLime);
  EXPECT_EQ(At(c, 18, 18), clWhite);
}

TEST(ImageCanvasShapes, CheckBoxFrameInsideAndMark) {
  ImageCanvas off(20, 20), on(20, 20, clBlue);
  off.DrawCheckBox({2, 2, 15, 15}, false);
  on.DrawCheckBox({2, 2, 15, 15}, true);
  for (ImageCanvas* c : {&off, &on}) {
    EXPECT_EQ(At(*c, 2, 8), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(*c, 14, 14), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(*c, 3, 3), clWhite);
    EXPECT_EQ(At(*c, 15, 15), ColorToRGB(c->Background()));
  }
  EXPECT_EQ(Box(2, 2, 15, 15), Ink(on));
  int marked = 0;
  for (int y = 3; y < 14; ++y) {
    for (int x = 3; x < 14; ++x) marked += At(on, x, y) == clBlack;
  }
  EXPECT_EQ(marked, 21);
  EXPECT_EQ(At(off, 8, 8), clWhite);
}

TEST(ImageCanvasColours, SystemColoursResolveAndNoneDrawsNothing) {
  ImageCanvas c(10, 10);
  c.brush.color = clBtnFace;
  c.FillRect({0, 0, 2, 2});
  EXPECT_EQ(At(c, 1, 1), 0xF0F0F0u);

  ImageCanvas none(10, 10);
  none.pen.color = clNone;
  none.brush.color = clNone;
  none.Rectangle(1, 1, 8, 8);
  none.Ellipse(1, 1, 8, 8);
  none.Polygon({{0, 0}, {9, 0}, {9, 9}});
  none.FillRect({0, 0, 10, 10});
  none.SetPixel(4, 4, clNone);
  EXPECT_TRUE(Ink(none).empty());
}

TEST(ImageCanvasColours, QtConversions) {
  EXPECT_EQ(ToQColor(clRed), QColor(255, 0, 0));
  EXPECT_EQ(ToQColor(clBtnFace), QColor(0xF0, 0xF0, 0xF0));
  EXPECT_EQ(ToQColor(clNone).alpha(), 0);
  EXPECT_EQ(FromQColor(QColor(0x12, 0x34, 0x56)), 0x563412u);
  EXPECT_EQ(FromQColor(ToQColor(clNone)), clNone);
  EXPECT_EQ(FromQColor(QColor()), clNone);
}

TEST(ImageCanvasClip, EveryOperationStaysInsideTheClip) {
  ImageCanvas src(40, 40, clRed);
  QImage red(40, 40, QImage::Format_RGB32);
  red.fill(qRgb(255, 0, 0));
  const std::pair<const char*, std::function<void(ImageCanvas&)>> ops[] = {
      {"LineTo",
       [](ImageCanvas& c) {
         c.MoveTo(0, 0);
         c.LineTo(39, 39);
       }},
      {"WideLine",
       [](ImageCanvas& c) {
         c.pen.width = 5;
         c.MoveTo(0, 10);
         c.LineTo(39, 10);
       }},
      {"Polyline",
       [](ImageCanvas& c) {
         c.Polyline({{0, 12}, {39, 12}, {0, 13}});
       }},
      {"Rectangle", [](ImageCanvas& c) { c.Rectangle(0, 0, 40, 40); }},
      {"WideRect",
       [](ImageCanvas& c) {
         c.pen.width = 4;
         c.Rectangle(0, 0, 40, 40);
       }},
      {"FillRect",
       [](ImageCanvas& c) {
         c.FillRect({0, 0, 40, 40});
       }},
      {"Ellipse", [](ImageCanvas& c) { c.Ellipse(-5, -5, 45, 45); }},
      {"Polygon",
       [](ImageCanvas& c) {
         c.Polygon({{0, 0}, {39, 0}, {39, 39}, {0, 39}});
       }},
      {"TextOut",
       [](ImageCanvas& c) {
         c.backMode = TBackMode::Opaque;
         c.font.height = -30;
         c.TextOut(0, 0, "WWWW");
       }},
      {"SetPixel",
       [](ImageCanvas& c) {
         for (int i = 0; i < 40; ++i) c.SetPixel(i, 12, clRed);
       }},
      {"CheckBox",
       [](ImageCanvas& c) {
         c.DrawCheckBox({0, 0, 40, 40}, true);
       }},
      {"CopyRect",
       [&](ImageCanvas& c) {
         c.CopyRect({0, 0, 40, 40}, src, {0, 0, 40, 40});
       }},
      {"Draw", [&](ImageCanvas& c) { c.Draw(0, 0, red); }},
  };
  for (const auto& [name, op] : ops) {
    ImageCanvas c(40, 40);
    c.brush.color = clBlue;
    c.SetClipRect(TRect{10, 10, 20, 20});
    op(c);
    const PixelSet ink = Ink(c);
    EXPECT_FALSE(ink.empty()) << name;
    for (const auto& [x, y] : ink) {
      EXPECT_TRUE(x >= 10 && x < 20 && y >= 10 && y < 20) << name << " at " << x << "," << y;
    }
    EXPECT_EQ(c.GetPixel(5, 5), clNone) << name;
  }
}

TEST(ImageCanvasCopy, BlockCopiesStretchesAndOverlaps) {
  ImageCanvas src(4, 4);
  src.SetPixel(1, 1, clRed);
  src.SetPixel(2, 1, clBlue);

  ImageCanvas same(10, 10);
  same.CopyRect({5, 5, 8, 8}, src, {1, 1, 4, 4});
  EXPECT_EQ(At(same, 5, 5), clRed);
  EXPECT_EQ(At(same, 6, 5), clBlue);
  EXPECT_EQ(Ink(same), (PixelSet{{5, 5}, {6, 5}}));

  ImageCanvas twice(10, 10);
  twice.CopyRect({0, 0, 4, 2}, src, {1, 1, 3, 2});
  EXPECT_EQ(Ink(twice), Box(0, 0, 4, 2));
  EXPECT_EQ(At(twice, 1, 1), clRed);
  EXPECT_EQ(At(twice, 2, 0), clBlue);

  // Shifting a row right within the same canvas copies the old pixels, not smeared ones.
  ImageCanvas self(6, 1);
  self.SetPixel(0, 0, clRed);
  self.CopyRect({1, 0, 6, 1}, self, {0, 0, 5, 1});
  EXPECT_EQ(Ink(self), (PixelSet{{0, 0}, {1, 0}}));
}

TEST(ImageCanvasText, ExtentIsPositiveStableAndAdditive) {
  ImageCanvas a(10, 10), b(50, 50);
  const TSize w = a.TextExtent("W");
  EXPECT_GT(w.cx, 0);
  EXPECT_GT(w.cy, 0);
  EXPECT_EQ(b.TextExtent("W"), w);
  EXPECT_EQ(a.TextExtent("WW").cx, 2 * w.cx);
  EXPECT_EQ(a.TextExtent("W").cy, a.TextExtent("Żółć").cy);
  a.font.height = -22;
  EXPECT_GT(a.TextExtent("W").cx, w.cx);
  a.font.height = 20;
  EXPECT_LE(a.TextExtent("W").cy, 20);
  EXPECT_GE(a.TextExtent("W").cy, 19);
}

TEST(ImageCanvasText, GlyphsInTheFontColourInsideTheExtent) {
  for (TBackMode mode : {TBackMode::Transparent, TBackMode::Opaque}) {
    ImageCanvas c(120, 40);
    c.font.color = clRed;
    c.brush.color = clYellow;
    c.backMode = mode;
    c.TextOut(7, 9, "Wąż 42");
    const TSize e = c.TextExtent("Wąż 42");
    int glyph = 0;
    for (const auto& [x, y] : Ink(c)) {
      EXPECT_TRUE(x >= 7 && x < 7 + e.cx && y >= 9 && y < 9 + e.cy) << x << "," << y;
      const TColor p = At(c, x, y);
      EXPECT_TRUE(p == clRed || (mode == TBackMode::Opaque && p == clYellow));
      glyph += p == clRed;
    }
    EXPECT_GT(glyph, 10);
    EXPECT_EQ(c.PenPos(), (TPoint{7 + e.cx, 9}));
    if (mode == TBackMode::Opaque) {
      EXPECT_EQ(Ink(c), Box(7, 9, 7 + e.cx, 9 + e.cy));
    }
  }
}

TEST(ImageCanvasText, DrawingIsRepeatable) {
  ImageCanvas a(80, 20), b(80, 20);
  a.TextOut(1, 1, "Liczba 1,5");
  b.TextOut(1, 1, "Liczba 1,5");
  EXPECT_EQ(a.Image(), b.Image());
}

TEST(Fonts, ToolkitNamesAndHeights) {
  const std::pair<const char*, const char*> names[] = {
      {"MS Sans Serif", "Liberation Sans"},    {"arial", "Liberation Sans"},
      {"Tahoma", "Liberation Sans"},           {"Verdana", "Liberation Sans"},
      {"Times New Roman", "Liberation Serif"}, {"Courier New", "Liberation Mono"},
      {"Lucida Console", "Liberation Mono"},   {"Wingdings", "Liberation Sans"},
  };
  for (const auto& [name, family] : names) EXPECT_EQ(MapFontFamily(name), family) << name;

  TFont f;
  f.name = "Courier New";
  f.bold = true;
  f.underline = true;
  QFont q = ToQFont(f);
  EXPECT_EQ(q.family(), "Liberation Mono");
  EXPECT_EQ(q.pixelSize(), 11);
  EXPECT_TRUE(q.bold() && q.underline() && !q.italic() && !q.strikeOut());
  f.height = 0;
  EXPECT_EQ(ToQFont(f).pixelSize(), 11);
  f.height = 30;
  EXPECT_LT(ToQFont(f).pixelSize(), 30);
}

TEST(ImageCanvasMisc, ResizeGetPixelAndBackground) {
  ImageCanvas c(5, 5, clBtnFace);
  EXPECT_EQ(c.GetPixel(0, 0), 0xF0F0F0u);
  c.SetPixel(2, 3, clTeal);
  EXPECT_EQ(c.GetPixel(2, 3), clTeal);
  EXPECT_EQ(c.GetPixel(-1, 0), clNone);
  EXPECT_EQ(c.GetPixel(5, 0), clNone);
  c.SetClipRect(TRect{0, 0, 1, 1});
  c.Resize(8, 3);
  EXPECT_EQ(c.Width(), 8);
  EXPECT_EQ(c.Height(), 3);
  EXPECT_FALSE(c.ClipRect().has_value());
  EXPECT_TRUE(Ink(c).empty());
}

}  // namespace

namespace {

TEST(ImageCanvasBitmap, MadeBitmapIsOfTheSameKindAndCopiesBackInOneBlock) {
  ImageCanvas screen(20, 20, clWhite);
  std::unique_ptr<Canvas> bitmap = screen.CreateBitmap(4, 3);
  ASSERT_NE(dynamic_cast<ImageCanvas*>(bitmap.get()), nullptr);
  bitmap->SetPixel(0, 0, clRed);
  bitmap->SetPixel(3, 2, clBlue);
  screen.SetClipRect(TRect{0, 0, 11, 20});
  screen.CopyFrom(8, 5, *bitmap, {0, 0, 4, 3});
  EXPECT_EQ(screen.GetPixel(8, 5), clRed);
  EXPECT_EQ(screen.GetPixel(9, 5), clWhite);
  screen.SetClipRect(std::nullopt);
  // The clip kept the copy's last column out.
  EXPECT_EQ(screen.GetPixel(11, 7), clWhite);
  screen.CopyFrom(8, 5, *bitmap, {0, 0, 4, 3});
  EXPECT_EQ(screen.GetPixel(11, 7), clBlue);
}

}  // namespace

}  // namespace vadidazid
