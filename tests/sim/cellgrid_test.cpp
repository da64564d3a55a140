// The cell picture's geometry and colours, checked on the calls it makes.
#include "sim/cellgrid.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "sim/step.h"
#include "tests/sim/testrun.h"

namespace vadidazid {

namespace {

// Notes the drawing calls with the pen and brush colours in force.
struct Drawn {
  enum Kind { Fill, Move, Line, Ellipse } kind;
  TRect box;  // Move / Line: left, top = the point
  TColor pen, brush;
};

class CallCanvas : public Canvas {
 public:
  std::vector<Drawn> calls;
  void MoveTo(int x, int y) override {
    Canvas::MoveTo(x, y);
    calls.push_back({Drawn::Move, {x, y, 0, 0}, pen.color, brush.color});
  }
  void LineTo(int x, int y) override {
    penPos_ = {x, y};
    calls.push_back({Drawn::Line, {x, y, 0, 0}, pen.color, brush.color});
  }
  void FillRect(const TRect& r) override {
    calls.push_back({Drawn::Fill, r, pen.color, brush.color});
  }
  void Ellipse(int l, int t, int r, int b) override {
    calls.push_back({Drawn::Ellipse, {l, t, r, b}, pen.color, brush.color});
  }
  void Polyline(const std::vector<TPoint>&) override { ADD_FAILURE(); }
  void Polygon(const std::vector<TPoint>&) override { ADD_FAILURE(); }
  void Rectangle(int, int, int, int) override { ADD_FAILURE(); }
  void TextOut(int, int, const std::string&) override { ADD_FAILURE(); }
  TSize TextExtent(const std::string&) override { return {}; }
  void SetPixel(int, int, TColor) override {}
  TColor GetPixel(int, int) const override { return clNone; }
  void DrawCheckBox(const TRect&, bool) override {}

  // The calls of cell k: 1 move, 6 lines, 2 ellipses after the background fill.
  std::vector<Drawn> Cell(int k) const {
    auto first = calls.begin() + 1 + 9 * k;
    return {first, first + 9};
  }
};

struct Grid : TestRun {
  CallCanvas canvas;
  explicit Grid(int n, int subscribers = 1000) {
    window.controls.gridSide = n;
    window.controls.subscriberCount = subscribers;
    SetUp();
    RecountCells(state);
  }
  void Draw() {
    canvas.calls.clear();
    DrawCellGrid(state, canvas);
  }
};

TEST(CellGrid, FirstHexagonOfTheDefaultGrid) {
  Grid grid(10);
  grid.Draw();
  ASSERT_EQ(grid.canvas.calls.size(), 1u + 100 * 9);
  const Drawn& fill = grid.canvas.calls[0];
  EXPECT_EQ(fill.kind, Drawn::Fill);
  EXPECT_EQ(fill.box, (TRect{248, 4, 678, 364}));
  EXPECT_EQ(fill.brush, clBtnFace);

  const auto cell = grid.canvas.Cell(0);
  const TPoint outline[] = {{265, 4},  {282, 14}, {282, 34}, {265, 44},
                            {248, 34}, {248, 14}, {265, 4}};
  EXPECT_EQ(cell[0].kind, Drawn::Move);
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ((TPoint{cell[i].box.left, cell[i].box.top}), outline[i]) << i;
    EXPECT_EQ(cell[i].pen, clGray);
  }
  EXPECT_EQ(grid.canvas.Cell(10)[0].box.left, 265 + 17);  // row 1 starts at x 265
  EXPECT_EQ(grid.canvas.Cell(10)[0].box.top, 35);
}

TEST(CellGrid, CirclesOfFullEmptyAndHalfCells) {
  Grid grid(10, 4);
  // Cell (4, 4) holds the fullest count, cell (5, 4) half of it with one call,
  // cell (0, 0) nothing.
  grid.state.cellSubscribers.assign(100, 0);
  grid.state.cellCalls.assign(100, 0);
  grid.state.cellSubscribers[44] = 4;
  grid.state.cellSubscribers[45] = 2;
  grid.state.cellCalls[45] = 1;
  grid.state.maxCellSubscribers = 4;
  grid.Draw();
  const int w = 17, h = 20;

  const auto full = grid.canvas.Cell(44);
  const int x = 388, y = 128;
  EXPECT_EQ(full[0].box.left, x + w);
  EXPECT_EQ(full[0].box.top, y);
  EXPECT_EQ(full[7].box, (TRect{x + 1, y + h + 1 - w, x + 2 * w, y + h + w}));
  EXPECT_EQ(full[7].brush, clSkyBlue);
  EXPECT_EQ(full[7].pen, clGray);
  EXPECT_EQ(full[8].box, (TRect{x + w, y + h, x + w + 1, y + h + 1}));
  EXPECT_EQ(full[8].brush, clMoneyGreen);

  const auto half = grid.canvas.Cell(45);
  const int hx = x + 35;
  // Radii 8.5 and 4.25: every coordinate truncated on its own.
  EXPECT_EQ(half[7].box, (TRect{hx + 9, y + 12, hx + 25, y + 28}));
  EXPECT_EQ(half[8].box, (TRect{hx + 12, y + 15, hx + 22, y + 25}));

  // Empty: the subscriber box is inverted by one pixel and passed on unchanged.
  const auto empty = grid.canvas.Cell(0);
  EXPECT_EQ(empty[7].box, (TRect{248 + w + 1, 4 + h + 1, 248 + w, 4 + h}));
  EXPECT_EQ(empty[8].box, (TRect{248 + w, 4 + h, 248 + w + 1, 4 + h + 1}));
}

TEST(CellGrid, FullCellsAreOutlinedInRed) {
  Grid grid(10);
  grid.state.cellCalls[7] = 10;
  grid.state.cellCalls[8] = 9;
  grid.state.cellCalls[9] = 11;
  grid.Draw();
  for (int k : {7, 8, 9}) {
    const auto cell = grid.canvas.Cell(k);
    const TColor outline = k == 7 ? clRed : clGray;
    for (int i = 0; i < 7; ++i) EXPECT_EQ(cell[i].pen, outline) << k;
    EXPECT_EQ(cell[7].pen, clGray);
  }
}

TEST(CellGrid, EveryGridSideFitsTheDrawingRectangle) {
  struct Pitch {
    int n, h, w, column, row;
  };
  for (Pitch p :
       {Pitch{2, 97, 84, 169, 147}, Pitch{10, 20, 17, 35, 31}, Pitch{16, 13, 11, 23, 21}}) {
    Grid grid(p.n);
    EXPECT_EQ(grid.state.hexSize, p.h);
    EXPECT_EQ(HexHalfWidth(p.h), p.w);
    EXPECT_EQ(CellOrigin(grid.state, 0, 1).x - CellOrigin(grid.state, 0, 0).x, p.column);
    EXPECT_EQ(CellOrigin(grid.state, 1, 0).y - CellOrigin(grid.state, 0, 0).y, p.row);
  }
  for (int n = 2; n <= 16; ++n) {
    Grid grid(n);
    grid.Draw();
    int right = 0, bottom = 0;
    for (const Drawn& d : grid.canvas.calls) {
      if (d.kind == Drawn::Line || d.kind == Drawn::Move) {
        right = std::max(right, d.box.left);
        bottom = std::max(bottom, d.box.top);
      }
    }
    EXPECT_LE(right, 669) << n;
    EXPECT_LE(bottom, 345) << n;
  }
}

}  // namespace

}  // namespace vadidazid
