// A mouse drag over the chart: whether it is going on, and the rectangle from the press
// (X0, Y0) to the latest pointer position (X1, Y1), in the chart's pixels. The chart
// keeps one for scrolling; its zoom settings carry the zoom's own.
#pragma once

#include <utility>

namespace vadidazid {

class TZoomPanning {
 public:
  bool Active() const { return active_; }
  void SetActive(bool value) { active_ = value; }
  // Starts a drag at the point.
  void Activate(int x, int y) {
    active_ = true;
    X0 = X1 = x;
    Y0 = Y1 = y;
  }
  // Orders the corners: X0 <= X1, Y0 <= Y1.
  void Check() {
    if (X0 > X1) std::swap(X0, X1);
    if (Y0 > Y1) std::swap(Y0, Y1);
  }

  int X0 = 0, Y0 = 0, X1 = 0, Y1 = 0;

 private:
  bool active_ = false;
};

}  // namespace vadidazid
