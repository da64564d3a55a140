// The marker a series can draw at each of its points: a small shape in the point's
// colour, given by its style and half sizes. Changes repaint the owning series. The
// half sizes must stay positive; a marker of no size has no centre to draw around.
#pragma once

#include "chart/panel/teecustomshape.h"

namespace vadidazid {

class TChartSeries;
class TCanvas3D;

enum class TSeriesPointerStyle {
  psRectangle,
  psCircle,
  psTriangle,
  psDownTriangle,
  psCross,
  psDiagCross,
  psStar,
  psDiamond,
  psSmallDot,
  psNothing,
  psLeftTriangle,
  psRightTriangle
};

class TSeriesPointer : public TTeeCustomShapeBrushPen {
 public:
  explicit TSeriesPointer(TChartSeries* series);

  TSeriesPointerStyle Style() const { return style_; }
  void SetStyle(TSeriesPointerStyle value) { Store(style_, value); }
  int HorizSize() const { return horizSize_; }
  // Sizes of 0 or less raise EChartException and keep the old size.
  void SetHorizSize(int value);
  int VertSize() const { return vertSize_; }
  void SetVertSize(int value);
  bool InflateMargins() const { return inflateMargins_; }
  void SetInflateMargins(bool value) { Store(inflateMargins_, value); }
  bool Dark3D() const { return dark3D_; }
  void SetDark3D(bool value) { Store(dark3D_, value); }
  bool Draw3D() const { return draw3D_; }
  void SetDraw3D(bool value) { Store(draw3D_, value); }
  int Transparency() const { return transparency_; }
  void SetTransparency(int value) { Store(transparency_, value); }

  void Repaint() const override;

  // Pen and brush for a marker in `color`: an automatic pen or solid brush colour takes
  // the point's colour, an automatic brush of another style black.
  void PrepareCanvas(TCanvas3D& canvas, TColor color);
  // The marker centred on (x, y) with half sizes hs and vs.
  void DrawPointer(TCanvas3D& canvas, int x, int y, int hs, int vs, TColor color);

 private:
  TChartSeries* series_;
  TSeriesPointerStyle style_ = TSeriesPointerStyle::psRectangle;
  int horizSize_ = 4;
  int vertSize_ = 4;
  bool inflateMargins_ = true;
  bool dark3D_ = true;
  bool draw3D_ = true;
  int transparency_ = 0;
};

}  // namespace vadidazid
