// A wall of the chart's plot area (back, left, bottom, right). Only the colour and the
// see-through switch are kept for now; the series colour rule already needs the back
// wall's colour, and the drawing of walls builds on this.
#pragma once

#include "platform/color.h"

class TCustomAxisPanel;

class TChartWall {
 public:
  TChartWall(TCustomAxisPanel* chart, TColor color, bool transparent = false,
             bool visible = true)
      : chart_(chart), color_(color), transparent_(transparent), visible_(visible) {}

  TColor Color() const { return color_; }
  void SetColor(TColor color);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);

 private:
  TCustomAxisPanel* chart_;
  TColor color_;
  bool transparent_;
  bool visible_;
};
