// Pixel sets of lines, ellipses and polygons, checked by their geometric properties.
#include "platform/drawing/rasterizer.h"

#include <gtest/gtest.h>

#include <random>

#include <cmath>
#include <cstdlib>
#include <set>
#include <utility>

namespace vadidazid {

namespace {

using PixelSet = std::set<std::pair<int, int>>;

PixelSet ToSet(const std::vector<PixelSpan>& spans) {
  PixelSet s;
  for (const PixelSpan& sp : spans) {
    for (int x = sp.x0; x <= sp.x1; ++x) s.insert({x, sp.y});
  }
  return s;
}

TEST(RasterizerLine, EveryOctantStartsAtTheStartAndStopsBeforeTheEnd) {
  const TPoint a{50, 50};
  const TPoint ends[] = {{60, 53}, {53, 60}, {47, 60}, {40, 53}, {40, 47}, {47, 40},
                         {53, 40}, {60, 47}, {60, 50}, {50, 60}, {40, 50}, {50, 40},
                         {57, 57}, {43, 57}, {43, 43}, {57, 43}, {51, 50}, {50, 49}};
  for (const TPoint& b : ends) {
    SCOPED_TRACE(testing::Message() << "to " << b.x << "," << b.y);
    const std::vector<TPoint> px = Rasterizer::Line(a, b);
    const int dx = b.x - a.x;
    const int dy = b.y - a.y;
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    ASSERT_EQ(int(px.size()), std::max(std::abs(dx), std::abs(dy)));
    EXPECT_EQ(px.front(), a);
    TPoint prev = px.front();
    for (size_t i = 0; i < px.size(); ++i) {
      const TPoint& p = px[i];
      EXPECT_FALSE(p == b);
      // One step along the major axis each time, at most one along the other.
      if (i > 0) {
        EXPECT_EQ(std::abs(xMajor ? p.x - prev.x : p.y - prev.y), 1);
        EXPECT_LE(std::abs(xMajor ? p.y - prev.y : p.x - prev.x), 1);
      }
      // Never more than half a pixel from the ideal line.
      const double ideal =
          xMajor ? a.y + double(p.x - a.x) * dy / dx : a.x + double(p.y - a.y) * dx / dy;
      EXPECT_LE(std::abs((xMajor ? p.y : p.x) - ideal), 0.5);
      prev = p;
    }
  }
}

TEST(RasterizerLine, ZeroLengthIsEmpty) { EXPECT_TRUE(Rasterizer::Line({3, 4}, {3, 4}).empty()); }

TEST(RasterizerLine, StepByStepAndClippedAgreeWithTheLoop) {
  std::mt19937 gen(11);
  std::uniform_int_distribution<int> coord(-40, 40);
  const TRect box{-7, -5, 12, 9};
  for (int i = 0; i < 3000; ++i) {
    const TPoint a{coord(gen), coord(gen)};
    // Every third line exactly diagonal or on an axis, where the error term ties.
    TPoint b{coord(gen), coord(gen)};
    if (i % 3 == 0) b.y = a.y + (b.x - a.x) * (i % 2 ? 1 : -1);
    if (i % 5 == 0) b.x = a.x;
    const std::vector<TPoint> loop = Rasterizer::Line(a, b);
    ASSERT_EQ(Rasterizer::LineSteps(a, b), int(loop.size()));
    int first = 0, end = 0;
    Rasterizer::LineStepRange(a, b, box, first, end);
    for (int k = 0; k < int(loop.size()); ++k) {
      ASSERT_EQ(Rasterizer::LinePixel(a, b, k), loop[k]) << i << " step " << k;
      const bool inside = loop[k].x >= box.left && loop[k].x < box.right && loop[k].y >= box.top &&
                          loop[k].y < box.bottom;
      if (inside) {
        ASSERT_TRUE(k >= first && k < end) << i << " step " << k;
      }
    }
  }
  // A line clamped far off the image still has its pixels where it crosses it.
  const TPoint far0{-67108863, 3}, far1{67108863, 5};
  int first = 0, end = 0;
  Rasterizer::LineStepRange(far0, far1, {0, 0, 10, 10}, first, end);
  EXPECT_EQ(end - first, 10);
  EXPECT_EQ(Rasterizer::LinePixel(far0, far1, first), (TPoint{0, 4}));
}

TEST(RasterizerEllipse, TenByTenBoxTouchesItsEdgesOnlyAtTheMiddles) {
  const PixelSet s = ToSet(Rasterizer::EllipseSpans({10, 10, 20, 20}));
  for (int m : {14, 15}) {
    EXPECT_TRUE(s.count({10, m}));
    EXPECT_TRUE(s.count({19, m}));
    EXPECT_TRUE(s.count({m, 10}));
    EXPECT_TRUE(s.count({m, 19}));
  }
  for (auto corner : {std::pair{10, 10}, {19, 10}, {10, 19}, {19, 19}}) {
    EXPECT_FALSE(s.count(corner));
  }
  for (const auto& [x, y] : s) {
    EXPECT_TRUE(x >= 10 && x <= 19 && y >= 10 && y <= 19);
    EXPECT_TRUE(s.count({29 - x, y}) && s.count({x, 29 - y})) << x << "," << y;
  }
}

TEST(RasterizerEllipse, ThinAndEmptyBoxes) {
  struct Case {
    TRect box;
    size_t pixels;
  } cases[] = {
      {{5, 5, 6, 12}, 7}, {{5, 5, 12, 6}, 7}, {{5, 5, 6, 6}, 1},
      {{5, 5, 5, 12}, 0}, {{5, 5, 12, 5}, 0}, {{5, 5, 7, 7}, 4},
  };
  for (const Case& c : cases) {
    const PixelSet s = ToSet(Rasterizer::EllipseSpans(c.box));
    EXPECT_EQ(s.size(), c.pixels) << c.box.left << "," << c.box.top << "," << c.box.right << ","
                                  << c.box.bottom;
    for (const auto& [x, y] : s) {
      EXPECT_TRUE(x >= c.box.left && x < c.box.right && y >= c.box.top && y < c.box.bottom);
    }
  }
}

TEST(RasterizerEllipse, OutlineAndInsidePartitionTheRegion) {
  for (TRect box : {TRect{0, 0, 10, 10}, TRect{3, 1, 40, 12}, TRect{0, 0, 3, 30}}) {
    const std::vector<PixelSpan> region = Rasterizer::EllipseSpans(box);
    std::vector<PixelSpan> outline, inside;
    Rasterizer::SplitOutline(region, outline, inside);
    const PixelSet all = ToSet(region);
    const PixelSet out = ToSet(outline);
    const PixelSet in = ToSet(inside);
    EXPECT_EQ(out.size() + in.size(), all.size());
    auto inRegion = [&](int x, int y) { return all.count({x, y}) > 0; };
    for (const auto& [x, y] : in) {
      EXPECT_FALSE(out.count({x, y}));
      EXPECT_TRUE(inRegion(x - 1, y) && inRegion(x + 1, y) && inRegion(x, y - 1) &&
                  inRegion(x, y + 1));
    }
    for (const auto& [x, y] : out) {
      EXPECT_TRUE(all.count({x, y}));
      EXPECT_FALSE(inRegion(x - 1, y) && inRegion(x + 1, y) && inRegion(x, y - 1) &&
                   inRegion(x, y + 1));
    }
  }
}

TEST(RasterizerPolygon, RectangleLeavesOutRightAndBottom) {
  const PixelSet s = ToSet(Rasterizer::PolygonSpans({{2, 1}, {8, 1}, {8, 5}, {2, 5}}));
  EXPECT_EQ(s.size(), 6u * 4u);
  EXPECT_TRUE(s.count({2, 1}) && s.count({7, 4}));
  EXPECT_FALSE(s.count({8, 1}) || s.count({2, 5}));
}

TEST(RasterizerPolygon, EvenOddLeavesTheStarsMiddleEmpty) {
  // A five-pointed star drawn in one stroke: its centre is crossed twice.
  const std::vector<TPoint> star = {{50, 0}, {79, 90}, {2, 34}, {98, 34}, {21, 90}};
  const PixelSet s = ToSet(Rasterizer::PolygonSpans(star));
  EXPECT_FALSE(s.count({50, 50}));
  EXPECT_TRUE(s.count({50, 10}));
  for (const auto& [x, y] : s) EXPECT_TRUE(x >= 2 && x < 98 && y >= 0 && y < 90);
}

TEST(RasterizerPolygon, DegenerateIsEmpty) {
  EXPECT_TRUE(Rasterizer::PolygonSpans({{0, 0}, {5, 5}}).empty());
  EXPECT_TRUE(Rasterizer::PolygonSpans({{0, 3}, {5, 3}, {9, 3}}).empty());
}

}  // namespace

}  // namespace vadidazid
