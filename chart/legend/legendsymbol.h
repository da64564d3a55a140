// The settings of the small picture a legend item shows for its series: whether it is
// shown, on which side of the text, how wide (in pixels or as a share of the text
// column) and with which pen. The series draws the picture itself.
#pragma once

#include <functional>

#include "chart/canvas/chartpen.h"
#include "chart/panel/storeandrepaint.h"
#include "platform/drawing/canvas.h"

namespace vadidazid {

enum class TLegendSymbolPosition { spLeft, spRight };
enum class TLegendSymbolSize { lcsPercent, lcsPixels };

class TLegendSymbol : public TChartGraphic {
 public:
  TLegendSymbol();

  bool Continuous() const { return continuous_; }
  void SetContinuous(bool value) { StoreAndRepaint(continuous_, value); }
  // True: the series draws its symbol with its own pen; false: with Pen below.
  bool DefaultPen() const { return defaultPen_; }
  void SetDefaultPen(bool value) { StoreAndRepaint(defaultPen_, value); }
  TChartPen& Pen() { return pen_; }
  const TChartPen& Pen() const { return pen_; }
  TLegendSymbolPosition Position() const { return position_; }
  void SetPosition(TLegendSymbolPosition value) { StoreAndRepaint(position_, value); }
  bool Squared() const { return squared_; }
  void SetSquared(bool value) { StoreAndRepaint(squared_, value); }
  bool Visible() const { return visible_; }
  void SetVisible(bool value) { StoreAndRepaint(visible_, value); }
  int Width() const { return width_; }
  void SetWidth(int value) { StoreAndRepaint(width_, value); }
  TLegendSymbolSize WidthUnits() const { return widthUnits_; }
  void SetWidthUnits(TLegendSymbolSize value) { StoreAndRepaint(widthUnits_, value); }

  // The symbol's width in pixels for a text column `reference` pixels wide with rows
  // `itemHeight` high.
  int CalcWidth(int reference, int itemHeight) const;

  // Runs after the series has drawn its symbol: series index and symbol rectangle.
  std::function<void(int seriesIndex, const TRect& rect)> OnDraw;

 private:
  bool continuous_ = false;
  bool defaultPen_ = true;
  TChartPen pen_;
  TLegendSymbolPosition position_ = TLegendSymbolPosition::spLeft;
  bool squared_ = false;
  bool visible_ = true;
  int width_ = 20;
  TLegendSymbolSize widthUnits_ = TLegendSymbolSize::lcsPercent;
};

}  // namespace vadidazid
