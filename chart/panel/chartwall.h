// A wall of the chart's plot area (back, left, bottom, right): a colour, a see-through
// switch and a frame pen. A flat chart draws only the back wall: its frame around the
// plot and, when opaque, its colour inside.
#pragma once

#include "chart/canvas/chartpen.h"
#include "platform/drawing/color.h"

namespace vadidazid {

class TCustomAxisPanel;

class TChartWall {
 public:
  TChartWall(TCustomAxisPanel* chart, TColor color, bool transparent = false, bool visible = true);
  TChartWall(const TChartWall&) = delete;
  TChartWall& operator=(const TChartWall&) = delete;

  TColor Color() const { return color_; }
  void SetColor(TColor color) { StoreAndRepaint(color_, color); }
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent) { StoreAndRepaint(transparent_, transparent); }
  bool Visible() const { return visible_; }
  void SetVisible(bool visible) { StoreAndRepaint(visible_, visible); }
  int Size() const { return size_; }
  void SetSize(int size) { StoreAndRepaint(size_, size); }
  bool Dark3D() const { return dark3D_; }
  void SetDark3D(bool value) { StoreAndRepaint(dark3D_, value); }
  TChartPen& Pen() { return pen_; }
  const TChartPen& Pen() const { return pen_; }

 private:
  template <typename T>
  bool StoreAndRepaint(T& field, const T& value);

  TCustomAxisPanel* chart_;
  TColor color_;
  bool transparent_;
  bool visible_;
  int size_ = 0;
  bool dark3D_ = true;
  TChartPen pen_;
};

}  // namespace vadidazid
