// The map of a run: the network's hexagons in the window's cell geometry, scaled to fill
// the picture, each filled with the colour of its value on a scale from 0 to the largest
// value (light yellow through orange to dark red; grey for a cell without a value), with
// the scale's bar and numbers at the right and a title above.
#pragma once

#include <string>
#include <vector>

#include "platform/drawing/canvas.h"

namespace vadidazid {

// Where the hexagons go: the window's geometry with hexagon half-height h (pointy top,
// w = sqrt(3) h / 2 truncated, columns 2w + 1 apart, rows 2h - h/2 + 1, odd rows shifted
// right by w), its top-left corner at (left, top).
struct MapLayout {
  int left = 0, top = 0, h = 0, w = 0;
  TPoint CellTopLeft(int row, int column) const;
  TPoint CellCentre(int row, int column) const;
};

// The largest hexagons whose grid of side x side cells fits the picture beside the scale.
MapLayout MapLayoutOf(int width, int height, int side);

// The colour of a value at `share` (0 .. 1) of the scale; NaN gives grey.
TColor MapColor(double share);
// The scale's top: the largest finite value, or 1 when none is above 0.
double MapScaleTop(const std::vector<double>& values);

// Draws the map of the values (cell k = row * side + column) on the canvas.
void DrawCellMap(Canvas& canvas, int width, int height, int side, const std::vector<double>& values,
                 const std::string& title);

inline constexpr int kMapWidth = 720;
inline constexpr int kMapHeight = 560;

}  // namespace vadidazid
