// The chart control's panel: its size, colour, margins, border and bevels, the chart
// canvas it draws through, the rectangles of one drawing, and the repaint request that
// every change of the chart ends in.
//
// The panel has no window of its own. A widget that shows it hands it the platform
// canvas of the window (SetWindowCanvas), calls Paint when the window must be painted,
// and sets OnInvalidate to schedule a paint, so that many requests within one step
// merge into one paint. Paint copies the canvas' retained image when nothing changed
// and otherwise draws anew with Draw; a picture for a file is drawn with
// Draw(canvas, rect) on the picture's own canvas.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "chart/canvas/chartpen.h"
#include "chart/canvas/teecanvas3d.h"
#include "chart/canvas/teeshadow.h"
#include "chart/panel/storeandrepaint.h"
#include "chart/zoom/teezoom.h"
#include "platform/drawing/bitmap.h"
#include "platform/drawing/canvas.h"
#include "platform/drawing/color.h"

namespace vadidazid {

enum class TTeeUnits { muPercent, muPixels };
enum class TPanelBevel { bvNone, bvLowered, bvRaised };

class TCustomTeePanel {
 public:
  TCustomTeePanel();
  virtual ~TCustomTeePanel();

  TCustomTeePanel(const TCustomTeePanel&) = delete;
  TCustomTeePanel& operator=(const TCustomTeePanel&) = delete;

  // Asks for a repaint: the canvas' retained image becomes stale and OnInvalidate is
  // called. Ignored while AutoRepaint is off (during a drawing) or the chart is being
  // destroyed.
  virtual void Invalidate();
  // Repaint requests that got through since the panel was made.
  int InvalidateCount() const { return invalidateCount_; }
  std::function<void()> OnInvalidate;

  bool AutoRepaint() const { return autoRepaint_; }
  void SetAutoRepaint(bool value) { autoRepaint_ = value; }
  bool Destroying() const { return destroying_; }

  // Painting and drawing.
  void SetWindowCanvas(Canvas* canvas);
  Canvas* WindowCanvas() const { return windowCanvas_; }
  TCanvas3D& GetCanvas() { return *canvas_; }
  TTeeCanvas3D& Canvas3D() { return *canvas_; }
  // The window's paint: a copy of the retained image, or a new drawing.
  void Paint();
  // A new drawing onto the window canvas.
  void Draw();
  // One full drawing onto canvas within rect.
  void Draw(Canvas& canvas, const TRect& rect);

  // Pictures (teeexport.cpp). The bitmap is made by the window canvas, so a panel shows
  // no picture before it has one. The drawing goes straight onto the bitmap through the
  // same sequence as on the screen.
  void NonBufferDraw(Canvas& canvas, const TRect& rect);
  std::unique_ptr<TBitmap> TeeCreateBitmap(TColor backColor, const TRect& rect,
                                           TPixelFormat format);
  std::unique_ptr<TBitmap> TeeCreateBitmap();
  // The picture of the chart as a BMP file, replacing an earlier one only when complete.
  void SaveToBitmapFile(const std::string& fileName);
  void SaveToBitmapFile(const std::string& fileName, const TRect& rect);
  bool Printing() const { return printing_; }

  // The plot's colour behind the series: the panel colour here, the back wall's when the
  // chart has an opaque one.
  virtual TColor GetBackColor() const { return color_; }
  // The control's own rectangle, (0, 0, Width, Height).
  TRect GetRectangle() const { return {0, 0, size_.cx, size_.cy}; }

  const TRect& ChartBounds() const { return chartBounds_; }
  const TRect& ChartRect() const { return chartRect_; }
  // Layout steps change the plot rectangle during a drawing.
  void SetChartRect(const TRect& rect) { chartRect_ = rect; }
  int ChartWidth() const { return chartWidth_; }
  int ChartHeight() const { return chartHeight_; }
  int ChartXCenter() const { return chartXCenter_; }
  int ChartYCenter() const { return chartYCenter_; }
  // Repairs an empty or inverted plot rectangle and derives its size and centre.
  void ReCalcWidthHeight();

  // Stored settings.
  TColor Color() const { return color_; }
  void SetColor(TColor color) { StoreAndRepaint(color_, color); }
  int Width() const { return size_.cx; }
  int Height() const { return size_.cy; }
  void SetBounds(int width, int height) { StoreAndRepaint(size_, TSize{width, height}); }
  bool View3D() const { return view3D_; }
  void SetView3D(bool value) { StoreAndRepaint(view3D_, value); }
  const TView3DOptions& View3DOptions() const { return view3DOptions_; }

  // Margins by index: 0 left, 1 top, 2 right, 3 bottom.
  int Margin(int index) const { return margins_[index]; }
  void SetMargin(int index, int value) { StoreAndRepaint(margins_[index], value); }
  int MarginLeft() const { return margins_[0]; }
  int MarginTop() const { return margins_[1]; }
  int MarginRight() const { return margins_[2]; }
  int MarginBottom() const { return margins_[3]; }
  TTeeUnits MarginUnits() const { return marginUnits_; }
  void SetMarginUnits(TTeeUnits units) { StoreAndRepaint(marginUnits_, units); }

  TChartHiddenPen& Border() { return border_; }
  int BorderRound() const { return borderRound_; }
  void SetBorderRound(int value) { StoreAndRepaint(borderRound_, value); }
  TPanelBevel BevelInner() const { return bevelInner_; }
  void SetBevelInner(TPanelBevel value) { StoreAndRepaint(bevelInner_, value); }
  TPanelBevel BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TPanelBevel value) { StoreAndRepaint(bevelOuter_, value); }
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int value) { StoreAndRepaint(bevelWidth_, value); }
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int value) { StoreAndRepaint(borderWidth_, value); }
  TTeeShadow& Shadow() { return shadow_; }
  TTeeZoom& Zoom() { return zoom_; }

  // Width of the border, bevels and border pen together.
  int BorderSize() const;

 protected:
  // The drawing inside ChartBounds, after the plot rectangle was set from the margins.
  virtual void InternalDraw(const TRect&) {}
  // Background and bevels of the whole panel.
  virtual void PanelPaint(const TRect& rect);
  virtual void FillPanelRect(const TRect& rect);
  void DrawPanelBevels(TRect rect);

  // Marks the start of destruction: no more repaints or notices from here on.
  void BeginDestroy() { destroying_ = true; }

  template <typename T>
  bool StoreAndRepaint(T& field, const T& value) {
    return vadidazid::StoreAndRepaint(field, value, [this] { Invalidate(); });
  }

 private:
  int MarginPixels(int index) const;

  // Off until the whole chart has been constructed.
  bool autoRepaint_ = false;
  bool destroying_ = false;
  bool printing_ = false;
  int invalidateCount_ = 0;

  std::unique_ptr<TTeeCanvas3D> canvas_;
  Canvas* windowCanvas_ = nullptr;
  TRect chartBounds_;
  TRect chartRect_;
  int chartWidth_ = 0;
  int chartHeight_ = 0;
  int chartXCenter_ = 0;
  int chartYCenter_ = 0;

  TColor color_ = clBtnFace;
  TSize size_{400, 250};
  bool view3D_ = true;
  TView3DOptions view3DOptions_;
  std::array<int, 4> margins_ = {3, 4, 3, 4};
  TTeeUnits marginUnits_ = TTeeUnits::muPercent;
  TChartHiddenPen border_;
  int borderRound_ = 0;
  TPanelBevel bevelInner_ = TPanelBevel::bvNone;
  TPanelBevel bevelOuter_ = TPanelBevel::bvRaised;
  int bevelWidth_ = 1;
  int borderWidth_ = 0;
  TTeeShadow shadow_;
  TTeeZoom zoom_;
};

}  // namespace vadidazid
