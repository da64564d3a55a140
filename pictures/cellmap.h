// The map of a run: the network's hexagons in the window's cell geometry, scaled to fill
// the picture, each filled with the colour of its value on a perceptually uniform
// sequential palette (dark violet through blue and green to yellow) over the values' own
// range or a range given, grey for a cell without a value. A reader finds what a colour
// means on the scale's bar, labelled at round values with the measure's unit, finds a
// cell's line of the cell table by the row and column numbers, the start cell by its ring,
// and the measure and the steps it covers in the title. The words come from the plots'
// table in Polish or English, and text grows with the picture as a plot's does.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "pictures/pictureoptions.h"
#include "pictures/plottext.h"
#include "platform/drawing/canvas.h"
#include "study/cellmeasure.h"

namespace vadidazid {

// Where the hexagons go: the window's geometry with hexagon half-height h (pointy top,
// w = sqrt(3) h / 2 truncated, columns 2w + 1 apart, rows 2h - h/2 + 1, odd rows shifted
// right by w), its top-left corner at (left, top); the colour scale's bar begins at
// x = scaleLeft.
struct MapLayout {
  int left = 0, top = 0, h = 0, w = 0;
  int scaleLeft = 0;
  TPoint CellTopLeft(int row, int column) const;
  TPoint CellCentre(int row, int column) const;
};

// What a map shows: one value per cell of a side x side grid (cell k = row * side +
// column, NaN for none), the measure they are of, the steps they cover (none when last
// < first) and the cell every subscriber started in (none: -1).
struct MapData {
  int side = 0;
  std::vector<double> values;
  MapMeasure measure = MapMeasure::CallCongestion;
  int64_t firstStep = 1, lastStep = 0;
  int startRow = -1, startColumn = -1;
};

// How a map reads: its language, the factor its text is drawn at (0: min(width / 800,
// height / 500), as a plot's) and the values its colours run over (none: the values').
struct MapLook {
  PlotLanguage language = PlotLanguage::English;
  double scale = 0;
  std::optional<MapRange> range;
};

// The colour scale: from low to high, labelled at the multiples of step between them.
struct MapScale {
  double low = 0, high = 1, step = 0.25;
};

// A range given is kept. Otherwise the finite values' lowest to highest, widened to the
// multiples of a step of 1, 2, 2.5 or 5 x 10^n with at most 10 labels; a share stays
// within 0 .. 1, counts are labelled in whole numbers, and equal values are shown against
// 0 (all 0, or none: 0 .. 1).
MapScale MapScaleOf(const std::vector<double>& values, MapMeasure measure,
                    const std::optional<MapRange>& range);
// The labelled values of the scale, low to high.
std::vector<double> MapTicks(const MapScale& scale);

// The colour of a value at `share` (0 .. 1, clamped) of the scale; NaN gives grey.
TColor MapColor(double share);

// "Offers to full cells, steps 51–400" in the language.
std::string MapTitle(const MapData& data, PlotLanguage language);

// The largest hexagons whose grid fits the picture beside its title, numbers and scale.
MapLayout MapLayoutOf(Canvas& canvas, int width, int height, const MapData& data,
                      const MapLook& look);

// Draws the map on the canvas, width x height.
void DrawCellMap(Canvas& canvas, int width, int height, const MapData& data,
                 const MapLook& look = {});

inline constexpr int kMapWidth = 720;
inline constexpr int kMapHeight = 560;

}  // namespace vadidazid
