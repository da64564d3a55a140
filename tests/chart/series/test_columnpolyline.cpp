// The column-by-column polyline against the plain one: each case draws the same point
// sequence both ways on images of the same size and compares every pixel; and the plain
// one through only the points MarkColumnPoints keeps, which must not lose a pixel.
#include "chart/series/columnpolyline.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <random>
#include <vector>

#include "platform/qt/imagecanvas.h"

namespace vadidazid {

namespace {

// A point, or a break in the line where a null point lies.
struct Step {
  bool gap = false;
  int x = 0;
  int y = 0;
};

// One Line call per segment between consecutive points on different pixels.
void DrawOneByOne(Canvas& c, const std::vector<Step>& steps) {
  std::optional<TPoint> prev;
  for (const Step& s : steps) {
    if (s.gap) {
      prev.reset();
      continue;
    }
    if (prev && !(*prev == TPoint{s.x, s.y})) {
      c.MoveTo(prev->x, prev->y);
      c.LineTo(s.x, s.y);
    }
    prev = TPoint{s.x, s.y};
  }
}

void DrawByColumns(Canvas& c, const std::vector<Step>& steps) {
  TColumnPolyline line(c);
  for (const Step& s : steps) {
    if (s.gap) {
      line.Break();
    } else {
      line.Add(s.x, s.y);
    }
  }
  line.Break();
}

// The same through AddBlock, the points between breaks cut into blocks of 1 to 40, so
// that columns and their final stretches straddle the blocks' edges.
void DrawByBlocks(Canvas& c, const std::vector<Step>& steps) {
  TColumnPolyline line(c);
  std::mt19937 gen(11);
  std::uniform_int_distribution<int> size(1, 40);
  std::vector<int> xs, ys;
  const auto flush = [&] {
    for (size_t i = 0; i < xs.size();) {
      const int n = std::min(size(gen), int(xs.size() - i));
      line.AddBlock(xs.data() + i, ys.data() + i, n);
      i += n;
    }
    xs.clear();
    ys.clear();
  };
  for (const Step& s : steps) {
    if (s.gap) {
      flush();
      line.Break();
    } else {
      xs.push_back(s.x);
      ys.push_back(s.y);
    }
  }
  flush();
  line.Break();
}

// The plain line through the points the column rule keeps; answers how many it kept.
size_t DrawKeptOneByOne(Canvas& c, const std::vector<Step>& steps) {
  std::vector<char> keep;
  MarkColumnPoints(
      0, int(steps.size()) - 1,
      [&](int i, int& x, int& y) {
        x = steps[size_t(i)].x;
        y = steps[size_t(i)].y;
        return !steps[size_t(i)].gap;
      },
      keep);
  std::vector<Step> kept;
  for (size_t i = 0; i < steps.size(); ++i) {
    if (keep[i]) kept.push_back(steps[i]);
  }
  DrawOneByOne(c, kept);
  return kept.size();
}

// n points walking right by `dx` per point on average, y jittering by up to `dy`.
std::vector<Step> Walk(unsigned seed, int n, double dx, int dy, double gapChance, int y0) {
  std::mt19937 gen(seed);
  std::uniform_int_distribution<int> jitter(-dy, dy);
  std::bernoulli_distribution gap(gapChance);
  std::vector<Step> steps;
  double x = 2;
  int y = y0;
  for (int i = 0; i < n; ++i) {
    if (gap(gen)) steps.push_back({true});
    y += jitter(gen);
    steps.push_back({false, int(x), y});
    x += dx;
  }
  return steps;
}

struct Case {
  const char* name;
  int width;
  int height;
  std::optional<TRect> clip;
  std::function<std::vector<Step>()> steps;
};

TEST(ColumnPolyline, SamePixelsAsSegmentByOne) {
  const Case cases[] = {
      {"many points per column", 120, 80, std::nullopt,
       [] { return Walk(1, 20000, 0.005, 3, 0, 40); }},
      {"a few points per column", 120, 80, std::nullopt,
       [] { return Walk(2, 400, 0.3, 4, 0, 40); }},
      {"wider than a column per point", 200, 120, std::nullopt,
       [] { return Walk(3, 40, 4.7, 9, 0, 60); }},
      {"null points", 120, 80, std::nullopt, [] { return Walk(4, 3000, 0.04, 3, 0.02, 40); }},
      {"null points in sparse data", 160, 80, std::nullopt,
       [] { return Walk(5, 60, 2.5, 6, 0.2, 40); }},
      {"off the image and clipped", 100, 60, TRect{10, 8, 90, 52},
       [] { return Walk(6, 5000, 0.03, 5, 0.01, 30); }},
      {"zoomed in: points far outside", 100, 60, TRect{10, 8, 90, 52},
       [] { return Walk(7, 300, 1.5, 40, 0.01, 30); }},
      {"flat line", 100, 40, std::nullopt, [] { return Walk(8, 1000, 0.08, 0, 0, 20); }},
      {"x going back and forth", 100, 60, std::nullopt,
       [] {
         std::vector<Step> s;
         for (int i = 0; i < 200; ++i)
           s.push_back({false, 50 + (i % 7) * (i % 2 ? 1 : -1), i % 60});
         return s;
       }},
      {"single points between gaps", 60, 40, std::nullopt,
       [] {
         return std::vector<Step>{{false, 5, 5}, {true},        {false, 6, 9}, {true},
                                  {false, 7, 7}, {false, 7, 7}, {true},        {false, 20, 20}};
       }},
      {"last point reached only at the end", 40, 40, std::nullopt,
       [] {
         return std::vector<Step>{
             {false, 3, 10}, {false, 4, 10}, {false, 4, 12}, {false, 4, 8}, {false, 4, 20}};
       }},
      {"last point reached only at the end, upwards", 40, 40, std::nullopt,
       [] {
         return std::vector<Step>{{false, 3, 10}, {false, 4, 10}, {false, 4, 12}, {false, 4, 2}};
       }},
      {"last point passed before", 40, 40, std::nullopt,
       [] {
         return std::vector<Step>{{false, 3, 10}, {false, 4, 10}, {false, 4, 20},
                                  {false, 4, 8},  {false, 4, 15}, {false, 4, 15}};
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<Step> steps = c.steps();
    ImageCanvas expected(c.width, c.height);
    ImageCanvas actual(c.width, c.height);
    ImageCanvas blocks(c.width, c.height);
    ImageCanvas kept(c.width, c.height);
    for (ImageCanvas* canvas : {&expected, &actual, &blocks, &kept}) {
      canvas->pen.color = clRed;
      canvas->SetClipRect(c.clip);
    }
    DrawOneByOne(expected, steps);
    DrawByColumns(actual, steps);
    DrawByBlocks(blocks, steps);
    // A few points a column (four, and a null that breaks the line between columns),
    // however many the column holds.
    int left = 0, right = 0;
    std::vector<bool> joined(size_t(c.width));  // nulls passed over in the column
    std::optional<Step> before;
    bool gap = false;
    for (const Step& s : steps) {
      gap = gap || s.gap;
      if (s.gap) continue;
      left = std::min(left, s.x), right = std::max(right, s.x);
      if (gap && before && before->x == s.x && s.x >= 0 && s.x < c.width)
        joined[size_t(s.x)] = true;
      before = s, gap = false;
    }
    EXPECT_LE(DrawKeptOneByOne(kept, steps), size_t(5 * (right - left + 1)));
    EXPECT_TRUE(expected.Image() == actual.Image());
    EXPECT_TRUE(expected.Image() == blocks.Image());
    // No pixel lost; more only where the line was joined across nulls.
    for (int x = 0; x < c.width; ++x) {
      for (int y = 0; y < c.height; ++y) {
        if (expected.GetPixel(x, y) == kept.GetPixel(x, y)) continue;
        EXPECT_TRUE(joined[size_t(x)] && expected.GetPixel(x, y) != clRed) << x << "," << y;
      }
    }
  }
}

}  // namespace

}  // namespace vadidazid
