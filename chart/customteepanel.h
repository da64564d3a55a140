// The chart control's panel: its size, colour, margins and 3D switch, and the repaint
// request that every change of the chart ends in. The panel has no window of its own
// here; a widget that shows the chart sets OnInvalidate and schedules a paint from it,
// so that many requests within one step merge into one paint.
#pragma once

#include <array>
#include <functional>

#include "platform/color.h"

enum class TTeeUnits { muPercent, muPixels };

class TCustomTeePanel {
 public:
  TCustomTeePanel() = default;
  virtual ~TCustomTeePanel() = default;

  TCustomTeePanel(const TCustomTeePanel&) = delete;
  TCustomTeePanel& operator=(const TCustomTeePanel&) = delete;

  // Asks for a repaint; ignored while AutoRepaint is off or the chart is being destroyed.
  virtual void Invalidate();
  // Repaint requests that got through since the panel was made.
  int InvalidateCount() const { return invalidateCount_; }
  std::function<void()> OnInvalidate;

  bool AutoRepaint() const { return autoRepaint_; }
  void SetAutoRepaint(bool value) { autoRepaint_ = value; }
  bool Destroying() const { return destroying_; }

  TColor Color() const { return color_; }
  void SetColor(TColor color);

  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetBounds(int width, int height);

  bool View3D() const { return view3D_; }
  void SetView3D(bool value);

  // Margins by index: 0 left, 1 top, 2 right, 3 bottom.
  int Margin(int index) const { return margins_[index]; }
  void SetMargin(int index, int value);
  int MarginLeft() const { return margins_[0]; }
  int MarginTop() const { return margins_[1]; }
  int MarginRight() const { return margins_[2]; }
  int MarginBottom() const { return margins_[3]; }
  TTeeUnits MarginUnits() const { return marginUnits_; }
  void SetMarginUnits(TTeeUnits units);

 protected:
  // Marks the start of destruction: no more repaints or notices from here on.
  void BeginDestroy() { destroying_ = true; }

 private:
  // Off until the whole chart has been constructed.
  bool autoRepaint_ = false;
  bool destroying_ = false;
  int invalidateCount_ = 0;

  TColor color_ = clBtnFace;
  int width_ = 400;
  int height_ = 250;
  bool view3D_ = true;
  std::array<int, 4> margins_ = {3, 4, 3, 4};
  TTeeUnits marginUnits_ = TTeeUnits::muPercent;
};
