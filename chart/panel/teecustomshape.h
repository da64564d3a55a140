// A box the chart draws over its panel (the legend, later titles): its brush and frame
// pen, background colour, shadow, bevel and font, and whether it is placed by the chart
// or by hand. The three classes build on one another as the chart's shapes need more:
// TTeeCustomShapeBrushPen holds brush, pen and the on/off switch; TTeeCustomShape adds
// the look and the bounds; TTeeCustomShapePosition adds the hand-set position.
// Every change asks the parent chart to repaint.
#pragma once

#include "chart/canvas/chartpen.h"
#include "chart/canvas/teefont.h"
#include "chart/canvas/teeshadow.h"
#include "chart/panel/customteepanel.h"
#include "platform/drawing/canvas.h"

namespace vadidazid {

class TTeeCustomShapeBrushPen {
 public:
  explicit TTeeCustomShapeBrushPen(TCustomTeePanel* parent);
  virtual ~TTeeCustomShapeBrushPen() = default;
  TTeeCustomShapeBrushPen(const TTeeCustomShapeBrushPen&) = delete;
  TTeeCustomShapeBrushPen& operator=(const TTeeCustomShapeBrushPen&) = delete;

  TCustomTeePanel* Parent() const { return parent_; }
  virtual void SetParent(TCustomTeePanel* parent) { parent_ = parent; }

  TChartBrush& Brush() { return brush_; }
  TChartPen& Pen() { return pen_; }
  const TChartPen& Pen() const { return pen_; }
  bool Visible() const { return visible_; }
  void SetVisible(bool value) { Store(visible_, value); }

  // Asks the parent chart, if any, to repaint.
  virtual void Repaint() const;

 protected:
  template <typename T>
  void Store(T& field, const T& value) {
    StoreAndRepaint(field, value, [this] { Repaint(); });
  }
  // Lets a pen, brush, font or shadow of the shape ask for the repaint.
  void Watch(TChartGraphic& graphic) {
    graphic.OnChange = [this] { Repaint(); };
  }

 private:
  TCustomTeePanel* parent_;
  TChartBrush brush_{clWhite};
  TChartPen pen_;
  bool visible_ = true;
};

class TTeeCustomShape : public TTeeCustomShapeBrushPen {
 public:
  explicit TTeeCustomShape(TCustomTeePanel* parent);

  TColor Color() const { return color_; }
  void SetColor(TColor value) { Store(color_, value); }
  // The frame is the shape's pen.
  TChartPen& Frame() { return Pen(); }
  const TChartPen& Frame() const { return Pen(); }
  TTeeShadow& Shadow() { return shadow_; }
  TTeeFont& Font() { return font_; }
  const TTeeFont& Font() const { return font_; }
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value) { Store(transparent_, value); }
  TPanelBevel Bevel() const { return bevel_; }
  void SetBevel(TPanelBevel value) { Store(bevel_, value); }
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int value) { Store(bevelWidth_, value); }

  // The box as placed by the last drawing.
  const TRect& ShapeBounds() const { return shapeBounds_; }
  TRect& ShapeBounds() { return shapeBounds_; }

  // Paints the box: shadow, background, frame and bevel; nothing when transparent.
  void DrawRectRotated(TCanvas3D& canvas, const TRect& rect) const;

 private:
  TColor color_ = clWhite;
  TTeeShadow shadow_;
  TTeeFont font_;
  bool transparent_ = false;
  TPanelBevel bevel_ = TPanelBevel::bvNone;
  int bevelWidth_ = 2;
  TRect shapeBounds_;
};

class TTeeCustomShapePosition : public TTeeCustomShape {
 public:
  using TTeeCustomShape::TTeeCustomShape;

  bool CustomPosition() const { return customPosition_; }
  void SetCustomPosition(bool value) { Store(customPosition_, value); }
  int Left() const { return left_; }
  void SetLeft(int value);
  int Top() const { return top_; }
  void SetTop(int value);

 private:
  bool customPosition_ = false;
  int left_ = 0;
  int top_ = 0;
};

}  // namespace vadidazid
