// Drawing of the cell grid on the window's canvas.
#include "sim/cellgrid.h"

#include <cmath>

namespace vadidazid {

int HexHalfWidth(int hexSize) { return static_cast<int>(std::sqrt(3.0) * hexSize * 0.5); }

namespace {

int RowPitch(int h) { return 2 * h - h / 2 + 1; }

}  // namespace

TPoint CellOrigin(const SimulationState& s, int row, int column) {
  const int h = s.hexSize;
  const int w = HexHalfWidth(h);
  int x = s.gridLeft + column * (2 * w + 1) + (row % 2 == 1 ? w : 0);
  return {x, s.gridTop + row * RowPitch(h)};
}

void DrawCellGrid(const SimulationState& s, Canvas& canvas) {
  const int h = s.hexSize;
  const int w = HexHalfWidth(h);
  const int n = s.gridSide;
  const double largest = s.maxCellSubscribers;

  canvas.brush.color = clBtnFace;
  canvas.FillRect({s.gridLeft, s.gridTop, s.gridLeft + s.gridWidth, s.gridTop + s.gridHeight});

  for (int r = 0; r < n; ++r) {
    for (int c = 0; c < n; ++c) {
      const TPoint origin = CellOrigin(s, r, c);
      const int x = origin.x;
      const int y = origin.y;
      const int k = r * n + c;
      canvas.pen.color = s.cellCalls[k] == s.channelsPerCell ? clRed : clGray;
      canvas.MoveTo(x + w, y);
      canvas.LineTo(x + 2 * w, y + h / 2);
      canvas.LineTo(x + 2 * w, y + h + h / 2);
      canvas.LineTo(x + w, y + 2 * h);
      canvas.LineTo(x, y + h + h / 2);
      canvas.LineTo(x, y + h / 2);
      canvas.LineTo(x + w, y);

      canvas.pen.color = clGray;
      const double sr = w * (s.cellSubscribers[k] / largest);
      canvas.brush.color = clSkyBlue;
      canvas.Ellipse(int(x + w + 1 - sr), int(y + h + 1 - sr), int(x + w + sr), int(y + h + sr));

      // The call circle is scaled by the fullest cell's subscribers too, not by C.
      const double tr = w * (s.cellCalls[k] / largest);
      canvas.brush.color = clMoneyGreen;
      canvas.Ellipse(int(x + w - tr), int(y + h - tr), int(x + w + 1 + tr), int(y + h + 1 + tr));
    }
  }
}

void ShowCellGrid(const SimulationState& s, CellView& view) {
  if (Canvas* canvas = view.GridCanvas()) {
    DrawCellGrid(s, *canvas);
    view.GridDrawn();
  }
}

}  // namespace vadidazid
