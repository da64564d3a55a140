// The picture of the network: one pointy-top hexagon per cell, outlined in red when all
// its channels are busy, with a circle for its subscribers and one for its calls, both
// scaled to the fullest cell.
#pragma once

#include "platform/drawing/canvas.h"
#include "sim/cellview.h"
#include "sim/simulationstate.h"

namespace vadidazid {

// Precondition: a recount since set-up (maxCellSubscribers >= 1).
void DrawCellGrid(const SimulationState& state, Canvas& canvas);
// Draws the cells on the view's canvas, when it has one, and tells the view.
void ShowCellGrid(const SimulationState& state, CellView& view);

// Half the hexagon's width: sqrt(3) * h / 2, truncated.
int HexHalfWidth(int hexSize);
// Top-left corner of the cell's box (2w wide, 2h tall).
TPoint CellOrigin(const SimulationState& state, int row, int column);

}  // namespace vadidazid
