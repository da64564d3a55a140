// Series markers: size checks, canvas preparation and the marker shapes.
#include "chart/series/seriespointer.h"

#include "chart/canvas/teecanvas.h"
#include "chart/panel/chartexception.h"
#include "chart/series/chartseries.h"

namespace vadidazid {

namespace {

constexpr const char* kPointerSizeText = "Pointer size must be greater than zero";

}  // namespace

TSeriesPointer::TSeriesPointer(TChartSeries* series)
    : TTeeCustomShapeBrushPen(nullptr), series_(series) {
  Brush().SetColor(clAutoColor);
  Pen().SetColor(clAutoColor);
}

void TSeriesPointer::Repaint() const {
  if (series_) series_->Repaint();
}

void TSeriesPointer::SetHorizSize(int value) {
  if (value <= 0) throw EChartException(kPointerSizeText);
  Store(horizSize_, value);
}

void TSeriesPointer::SetVertSize(int value) {
  if (value <= 0) throw EChartException(kPointerSizeText);
  Store(vertSize_, value);
}

void TSeriesPointer::PrepareCanvas(TCanvas3D& canvas, TColor color) {
  const TColor penColor = Pen().Color() == clAutoColor ? color : Pen().Color();
  canvas.AssignVisiblePenColor(Pen(), penColor);
  TColor brushColor = Brush().Color();
  if (brushColor == clAutoColor)
    brushColor = Brush().Style() == TBrushStyle::bsSolid ? color : clBlack;
  canvas.AssignBrushColor(Brush(), brushColor, clNone);
}

void TSeriesPointer::DrawPointer(TCanvas3D& canvas, int x, int y, int hs, int vs, TColor color) {
  PrepareCanvas(canvas, color);
  const int l = x - hs, t = y - vs, r = x + hs, b = y + vs;
  switch (style_) {
    case TSeriesPointerStyle::psRectangle:
      canvas.Rectangle(l, t, r + 1, b + 1);
      break;
    case TSeriesPointerStyle::psCircle:
      canvas.Ellipse(l, t, r + 1, b + 1);
      break;
    case TSeriesPointerStyle::psTriangle:
      canvas.Polygon({{l, b}, {r, b}, {x, t}});
      break;
    case TSeriesPointerStyle::psDownTriangle:
      canvas.Polygon({{l, t}, {r, t}, {x, b}});
      break;
    case TSeriesPointerStyle::psLeftTriangle:
      canvas.Polygon({{r, t}, {r, b}, {l, y}});
      break;
    case TSeriesPointerStyle::psRightTriangle:
      canvas.Polygon({{l, t}, {l, b}, {r, y}});
      break;
    case TSeriesPointerStyle::psDiamond:
      canvas.Polygon({{x, t}, {r, y}, {x, b}, {l, y}});
      break;
    case TSeriesPointerStyle::psCross:
      canvas.Line(l, y, r + 1, y);
      canvas.Line(x, t, x, b + 1);
      break;
    case TSeriesPointerStyle::psDiagCross:
      canvas.Line(l, t, r + 1, b + 1);
      canvas.Line(l, b, r + 1, t - 1);
      break;
    case TSeriesPointerStyle::psStar:
      canvas.Line(l, y, r + 1, y);
      canvas.Line(x, t, x, b + 1);
      canvas.Line(l, t, r + 1, b + 1);
      canvas.Line(l, b, r + 1, t - 1);
      break;
    case TSeriesPointerStyle::psSmallDot:
      canvas.SetPixel(x, y, color);
      break;
    case TSeriesPointerStyle::psNothing:
      break;
  }
}

}  // namespace vadidazid
