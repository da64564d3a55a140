// Zooming and scrolling with the mouse. A left drag draws a rubber band and on release
// zooms the axes to it (dragged right) or undoes every zoom and scroll (dragged left); a
// right drag moves the axes so the value under the pointer stays under it; the wheel
// moves the vertical axes. Zooms and scrolls fix the axes' ranges, so a zoomed chart
// stands still while the run adds points; the settings before the first change are kept
// so that an undo gives back the automatic axes.
#include <cstdlib>

#include "chart/axis/chartaxis.h"
#include "chart/panel/customchart.h"

namespace vadidazid {

namespace {

// Each frame of an animated zoom closes a third of the way still left, so the view
// slows down as it nears the rectangle.
constexpr double kAnimatedZoomDivisor = 3.0;
// A wheel notch moves the vertical axes by this share of their range.
constexpr double kWheelStep = 3 * 0.01;
// Keys that must be held for a scroll drag: none.
constexpr TShiftState kScrollKeys = 0;

bool Inside(const TRect& r, int x, int y) {
  return x >= r.left && x <= r.right && y >= r.top && y <= r.bottom;
}

}  // namespace

bool TCustomChart::StartDrag(TMouseButton button, TShiftState shift, int x, int y) {
  if (!ActiveSeriesUseAxis()) return false;
  TTeeZoom& zoom = Zoom();
  bool started = false;
  if (zoom.Allow() && button == zoom.MouseButton() &&
      (shift & zoom.KeyShift()) == zoom.KeyShift()) {
    const TRect& r = ChartRect();
    const TZoomDirection direction = zoom.Direction();
    zoom.Activate(direction == TZoomDirection::tzdVertical ? r.left : x,
                  direction == TZoomDirection::tzdHorizontal ? r.top : y);
    if (direction == TZoomDirection::tzdVertical) zoom.X1 = r.right;
    if (direction == TZoomDirection::tzdHorizontal) zoom.Y1 = r.bottom;
    DrawZoomBand();
    started = true;
  }
  if (allowPanning_ != TPanningMode::pmNone && button == scrollMouseButton_ &&
      (shift & kScrollKeys) == kScrollKeys) {
    panning_.Activate(x, y);
    started = true;
  }
  return started;
}

void TCustomChart::MouseMove(TShiftState shift, int x, int y) {
  cancelMouse_ = false;
  if (OnMouseMove) OnMouseMove(shift, x, y);
  if (cancelMouse_) return;
  TTeeZoom& zoom = Zoom();
  if (zoom.Active()) {
    if (zoom.Direction() == TZoomDirection::tzdVertical) x = ChartRect().right;
    if (zoom.Direction() == TZoomDirection::tzdHorizontal) y = ChartRect().bottom;
    if (x == zoom.X1 && y == zoom.Y1) return;
    DrawZoomBand();  // drawn again, the old band goes
    zoom.X1 = x;
    zoom.Y1 = y;
    DrawZoomBand();
  } else if (panning_.Active()) {
    if (!Inside(ChartRect(), x, y)) {
      panning_.SetActive(false);
      return;
    }
    if (x == panning_.X1 && y == panning_.Y1) return;
    if (nothingSaved_) SaveScales();
    bool scrolled = false;
    const bool horizontally =
        allowPanning_ == TPanningMode::pmHorizontal || allowPanning_ == TPanningMode::pmBoth;
    const bool vertically =
        allowPanning_ == TPanningMode::pmVertical || allowPanning_ == TPanningMode::pmBoth;
    for (int i = 0; i < AxisCount(); ++i) {
      TChartAxis& axis = *Axis(i);
      if (axis.IsDepthAxis()) continue;
      if (axis.Horizontal() && horizontally && x != panning_.X1) {
        scrolled = ScrollAxis(axis, panning_.X1, x) || scrolled;
      } else if (!axis.Horizontal() && vertically && y != panning_.Y1) {
        scrolled = ScrollAxis(axis, panning_.Y1, y) || scrolled;
      }
    }
    panning_.X1 = x;
    panning_.Y1 = y;
    if (scrolled) {
      if (OnScroll) OnScroll();
      Invalidate();
    }
  }
}

void TCustomChart::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  cancelMouse_ = false;
  if (OnMouseUp) OnMouseUp(button, shift, x, y);
  TTeeZoom& zoom = Zoom();
  if (!cancelMouse_ && zoom.Active() && button == zoom.MouseButton()) {
    zoom.SetActive(false);
    DrawZoomBand();  // the last band goes
    Canvas3D().Pen().mode = TPenMode::pmCopy;
    const TZoomDirection direction = zoom.Direction();
    if (direction != TZoomDirection::tzdVertical) zoom.X1 = x;
    if (direction != TZoomDirection::tzdHorizontal) zoom.Y1 = y;
    const int minimum = zoom.MinimumPixels();
    const bool wideEnough =
        direction == TZoomDirection::tzdVertical || std::abs(zoom.X1 - zoom.X0) > minimum;
    const bool highEnough =
        direction == TZoomDirection::tzdHorizontal || std::abs(zoom.Y1 - zoom.Y0) > minimum;
    if (wideEnough && highEnough) {
      const bool forward =
          direction == TZoomDirection::tzdVertical ? zoom.Y1 > zoom.Y0 : zoom.X1 > zoom.X0;
      if (zoom.UpLeftZooms() || forward) {
        ZoomToDragRect();
      } else {
        UndoZoom();
      }
      Invalidate();
    }
  }
  panning_.SetActive(false);
}

void TCustomChart::MouseWheel(int notchesDown) {
  for (int i = 0; i < AxisCount(); ++i) {
    TChartAxis& axis = *Axis(i);
    if (axis.IsDepthAxis() || axis.Horizontal()) continue;
    for (int n = 0; n < std::abs(notchesDown); ++n) {
      const double offset = (axis.Maximum() - axis.Minimum()) * kWheelStep;
      axis.Scroll(notchesDown > 0 ? offset : -offset, false);
    }
  }
}

void TCustomChart::MouseLeave() { panning_.SetActive(false); }

void TCustomChart::DrawZoomRectangle() {
  // At the end of a drawing: the band of a drag going on is part of the picture.
  if (Zoom().Active()) DrawZoomRectangleOn();
}

void TCustomChart::DrawZoomRectangleOn() {
  TTeeCanvas3D& canvas = Canvas3D();
  TTeeZoom& zoom = Zoom();
  // Inked with the background's complement, the not-xor pen turns the background white
  // and everything else to its own complement, and a second band gives it all back.
  const TColor back = ColorToRGB(GetBackColor());
  const TColor invert = 0xFFFFFF - back;
  if (zoom.HasBrush()) {
    canvas.Brush().color = zoom.Brush().Color() ^ invert;
    canvas.Brush().style = zoom.Brush().Style();
  } else {
    canvas.Brush().style = TBrushStyle::bsClear;
  }
  zoom.Pen().SetMode(TPenMode::pmNotXor);
  canvas.AssignVisiblePenColor(zoom.Pen(), zoom.Pen().Color() ^ invert);
  if (!zoom.HasBrush() || zoom.Brush().Style() == TBrushStyle::bsClear) {
    canvas.SetBackMode(TCanvasBackMode::cbmTransparent);
  }
  canvas.Rectangle(zoom.X0, zoom.Y0, zoom.X1, zoom.Y1);
}

void TCustomChart::DrawZoomBand() {
  DrawZoomRectangleOn();
  if (OnWindowDrawn) OnWindowDrawn(false);
}

void TCustomChart::ZoomRect(const TRect& rect) {
  TTeeZoom& zoom = Zoom();
  zoom.X0 = rect.left;
  zoom.Y0 = rect.top;
  zoom.X1 = rect.right;
  zoom.Y1 = rect.bottom;
  ZoomToDragRect();
}

void TCustomChart::ZoomToDragRect() {
  TTeeZoom& zoom = Zoom();
  zoom.Check();
  // Each axis maps the pixels with its own range; the vertical ones grow upwards.
  DoZoom(TopAxis()->CalcPosPoint(zoom.X0), TopAxis()->CalcPosPoint(zoom.X1),
         BottomAxis()->CalcPosPoint(zoom.X0), BottomAxis()->CalcPosPoint(zoom.X1),
         LeftAxis()->CalcPosPoint(zoom.Y1), LeftAxis()->CalcPosPoint(zoom.Y0),
         RightAxis()->CalcPosPoint(zoom.Y1), RightAxis()->CalcPosPoint(zoom.Y0));
}

void TCustomChart::DoZoom(double topMin, double topMax, double bottomMin, double bottomMax,
                          double leftMin, double leftMax, double rightMin, double rightMax) {
  if (nothingSaved_) SaveScales();
  TChartAxis* const axes[4] = {LeftAxis(), RightAxis(), TopAxis(), BottomAxis()};
  const double targets[4][2] = {
      {leftMin, leftMax}, {rightMin, rightMax}, {topMin, topMax}, {bottomMin, bottomMax}};
  if (Zoom().Animated()) {
    for (int frame = 1; frame < Zoom().AnimatedSteps(); ++frame) {
      for (int i = 0; i < 4; ++i) {
        TChartAxis& a = *axes[i];
        a.SetMinMax(a.Minimum() + (targets[i][0] - a.Minimum()) / kAnimatedZoomDivisor,
                    a.Maximum() - (a.Maximum() - targets[i][1]) / kAnimatedZoomDivisor);
      }
      RepaintNow();
    }
  }
  for (int i = 0; i < 4; ++i) axes[i]->SetMinMax(targets[i][0], targets[i][1]);
  zoomed_ = true;
  if (OnZoom) OnZoom();
}

void TCustomChart::UndoZoom() {
  if (!nothingSaved_) {
    RestoreScales();
    savedScales_.clear();
    nothingSaved_ = true;
  }
  if (OnUndoZoom) OnUndoZoom();
  Invalidate();
  zoomed_ = false;
}

void TCustomChart::RepaintNow() {
  Invalidate();
  Draw();
  if (OnWindowDrawn) OnWindowDrawn(true);
}

void TCustomChart::SaveScales() {
  savedScales_.clear();
  for (int i = 0; i < AxisCount(); ++i) {
    const TChartAxis& a = *Axis(i);
    if (a.IsDepthAxis()) continue;
    savedScales_.push_back(
        {a.Automatic(), a.AutomaticMinimum(), a.AutomaticMaximum(), a.Minimum(), a.Maximum()});
  }
  nothingSaved_ = false;
}

void TCustomChart::RestoreScales() {
  size_t next = 0;
  for (int i = 0; i < AxisCount() && next < savedScales_.size(); ++i) {
    TChartAxis& a = *Axis(i);
    if (a.IsDepthAxis()) continue;
    const TAxisSavedScales& s = savedScales_[next++];
    a.SetAutomatic(s.Automatic);
    a.SetAutomaticMinimum(s.AutomaticMinimum);
    a.SetAutomaticMaximum(s.AutomaticMaximum);
    // The ends one at a time, in the order that keeps minimum <= maximum on the way.
    if (s.Minimum > a.Maximum()) {
      a.SetMaximum(s.Maximum);
      a.SetMinimum(s.Minimum);
    } else {
      a.SetMinimum(s.Minimum);
      a.SetMaximum(s.Maximum);
    }
  }
}

bool TCustomChart::ScrollAxis(TChartAxis& axis, int from, int to) {
  const double d = axis.CalcPosPoint(from) - axis.CalcPosPoint(to);
  double minimum = axis.Minimum() + d;
  double maximum = axis.Maximum() + d;
  bool allow = true;
  if (OnAllowScroll) OnAllowScroll(axis, minimum, maximum, allow);
  if (!allow) return false;
  axis.SetMinMax(minimum, maximum);
  return true;
}

}  // namespace vadidazid
