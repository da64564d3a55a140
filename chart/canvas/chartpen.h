// The chart's pens and brush. A chart pen is a toolkit pen with a visibility switch (an
// invisible pen draws nothing, whatever its colour and width), a small-dot mode (every
// other pixel, or single dots with a chosen gap) and an end style for wide pens. The
// named variants only change the defaults. The chart canvas turns these into the
// platform pen when they are assigned (teecanvas3d.h).
#pragma once

#include "chart/panel/storeandrepaint.h"
#include "platform/drawing/canvas.h"
#include "platform/drawing/color.h"

namespace vadidazid {

enum class TPenEndStyle { esRound, esSquare, esFlat };

class TChartPen : public TChartGraphic {
 public:
  explicit TChartPen(TColor color = clBlack, TPenStyle style = TPenStyle::psSolid,
                     bool visible = true, int width = 1)
      : color_(color), width_(width), style_(style), visible_(visible) {}

  TColor Color() const { return color_; }
  void SetColor(TColor color) { StoreAndRepaint(color_, color); }
  int Width() const { return width_; }
  void SetWidth(int width) { StoreAndRepaint(width_, width); }
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle style) { StoreAndRepaint(style_, style); }
  bool Visible() const { return visible_; }
  void SetVisible(bool visible) { StoreAndRepaint(visible_, visible); }
  bool SmallDots() const { return smallDots_; }
  void SetSmallDots(bool value) { StoreAndRepaint(smallDots_, value); }
  int SmallSpace() const { return smallSpace_; }
  void SetSmallSpace(int value) { StoreAndRepaint(smallSpace_, value); }
  TPenEndStyle EndStyle() const { return endStyle_; }
  void SetEndStyle(TPenEndStyle value) { StoreAndRepaint(endStyle_, value); }
  // How the pen's pixels meet those already drawn; the zoom's rubber band draws not-xor.
  TPenMode Mode() const { return mode_; }
  void SetMode(TPenMode value) { StoreAndRepaint(mode_, value); }

 private:
  TColor color_;
  int width_;
  TPenStyle style_;
  bool visible_;
  bool smallDots_ = false;
  int smallSpace_ = 0;
  TPenEndStyle endStyle_ = TPenEndStyle::esRound;
  TPenMode mode_ = TPenMode::pmCopy;
};

class TChartHiddenPen : public TChartPen {
 public:
  TChartHiddenPen() : TChartPen(clBlack, TPenStyle::psSolid, false) {}
};

class TDottedGrayPen : public TChartPen {
 public:
  TDottedGrayPen() : TChartPen(clGray, TPenStyle::psDot) {}
};

class TDarkGrayPen : public TChartPen {
 public:
  TDarkGrayPen() : TChartPen(clGray) {}
};

class TWhitePen : public TChartPen {
 public:
  TWhitePen() : TChartPen(clWhite) {}
};

// The brush colour clAutoColor means "the owner's colour": the owner decides what to
// pass to the canvas.
class TChartBrush : public TChartGraphic {
 public:
  explicit TChartBrush(TColor color = clAutoColor, TBrushStyle style = TBrushStyle::bsSolid)
      : color_(color), style_(style) {}

  TColor Color() const { return color_; }
  void SetColor(TColor color) { StoreAndRepaint(color_, color); }
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle style) { StoreAndRepaint(style_, style); }

 private:
  TColor color_;
  TBrushStyle style_;
};

}  // namespace vadidazid
