// Where a run shows its cells: a canvas the step draws the network on, and the notice
// that the picture is complete.
#pragma once

namespace vadidazid {

class Canvas;

class CellView {
 public:
  virtual ~CellView() = default;
  // The canvas the cells are drawn on, or nullptr while nothing is shown.
  virtual Canvas* GridCanvas() = 0;
  // Called after the cells have been drawn on GridCanvas().
  virtual void GridDrawn() {}
};

}  // namespace vadidazid
