// Series membership, palette colours and series event broadcasting of a chart.
#include "chart/panel/customaxispanel.h"

#include <cstdint>

#include "chart/axis/chartaxis.h"
#include "chart/panel/chartpalette.h"
#include "chart/series/chartseries.h"

namespace vadidazid {

TCustomAxisPanel::TCustomAxisPanel() {
  axes_.push_back(std::make_unique<TChartAxis>(this, true, false));
  axes_.push_back(std::make_unique<TChartAxis>(this, true, true));
  axes_.push_back(std::make_unique<TChartAxis>(this, false, false));
  axes_.push_back(std::make_unique<TChartAxis>(this, false, true));
  axes_.push_back(std::make_unique<TChartAxis>(this, false, false, true));
  axes_.push_back(std::make_unique<TChartAxis>(this, false, true, true));
  LeftAxis()->SetTitleAngle(90);
  RightAxis()->SetTitleAngle(270);
}

TCustomAxisPanel::~TCustomAxisPanel() {
  BeginDestroy();
  // Freed last to first, each series leaving before it goes, so that nothing a series
  // does on its way out reaches a half-emptied list.
  while (!series_.empty()) {
    std::unique_ptr<TChartSeries> series = std::move(series_.back());
    series_.pop_back();
    series->TCustomChartElement::SetParentChart(nullptr);
  }
}

int TCustomAxisPanel::IndexOfSeries(const TChartSeries* series) const {
  for (size_t i = 0; i < series_.size(); ++i)
    if (series_[i].get() == series) return static_cast<int>(i);
  return -1;
}

void TCustomAxisPanel::InternalAddSeries(std::unique_ptr<TChartSeries> series) {
  if (!series || IndexOfSeries(series.get()) >= 0) return;
  TChartSeries* raw = series.get();
  raw->SetParentChart(this);
  // The colour is chosen before the series is in the list, so it does not compete
  // with itself.
  raw->Added();
  series_.push_back(std::move(series));
  BroadcastSeriesEvent(TChartSeriesEvent::seAdd, raw);
  Invalidate();
}

std::unique_ptr<TChartSeries> TCustomAxisPanel::RemoveSeries(TChartSeries* series) {
  const int index = IndexOfSeries(series);
  if (index < 0) return nullptr;
  std::unique_ptr<TChartSeries> owned = std::move(series_[index]);
  series_.erase(series_.begin() + index);
  BroadcastSeriesEvent(TChartSeriesEvent::seRemove, owned.get());
  owned->SetParentChart(nullptr);
  Invalidate();
  return owned;
}

const std::vector<TColor>& TCustomAxisPanel::Palette() const {
  return colorPalette_.empty() ? DefaultPaletteColors() : colorPalette_;
}

bool TCustomAxisPanel::IsFreeSeriesColor(TColor color, bool checkBackground,
                                         const TChartSeries* excluded) const {
  for (const auto& series : series_)
    if (series.get() != excluded && series->SeriesColor() == color) return false;
  return !(checkBackground && color == Color());
}

TColor TCustomAxisPanel::GetFreeSeriesColor(bool checkBackground,
                                            const TChartSeries* excluded) const {
  const std::vector<TColor>& palette = Palette();
  for (TColor color : palette)
    if (IsFreeSeriesColor(color, checkBackground, excluded)) return color;
  return palette.back();
}

int TCustomAxisPanel::AddSeriesEventListener(TSeriesEventListener listener) {
  listeners_.emplace_back(nextListenerHandle_, std::move(listener));
  return nextListenerHandle_++;
}

void TCustomAxisPanel::RemoveSeriesEventListener(int handle) {
  std::erase_if(listeners_, [handle](const auto& entry) { return entry.first == handle; });
}

void TCustomAxisPanel::BroadcastSeriesEvent(TChartSeriesEvent event, TCustomChartSeries* series) {
  if (Destroying()) return;
  // A copy, so that a listener may remove itself while being told.
  const auto listeners = listeners_;
  for (const auto& entry : listeners) entry.second(event, series);
}

bool TCustomAxisPanel::ActiveSeriesUseAxis() const {
  bool anyActive = false;
  for (const auto& series : series_) {
    if (!series->Active()) continue;
    anyActive = true;
    if (series->UseAxis()) return true;
  }
  return !anyActive;
}

bool TCustomAxisPanel::DrawBackWallAfter(int z) {
  const TRect& r = ChartRect();
  TTeeCanvas3D& c = Canvas3D();
  const TPoint p0 = c.Calculate3DPosition(r.left, r.top, z);
  const TPoint p1 = c.Calculate3DPosition(r.right, r.top, z);
  const TPoint p2 = c.Calculate3DPosition(r.right, r.bottom, z);
  // The first three corners turn counter-clockwise: the wall faces away.
  const int64_t turn = int64_t(p0.x - p1.x) * (p2.y - p1.y) - int64_t(p2.x - p1.x) * (p0.y - p1.y);
  return turn >= 0;
}

void TCustomAxisPanel::InternalDraw(const TRect& bounds) {
  // Changes made while drawing (ranges, plot rectangle) must not ask for another paint.
  const bool oldAutoRepaint = AutoRepaint();
  SetAutoRepaint(false);
  PanelPaint(bounds);
  if (OnBeforeDrawChart) OnBeforeDrawChart();
  DrawTitlesAndLegend(true);
  for (const auto& series : series_)
    if (series->Active()) series->SetZOrder(0);
  CalcWallsRect();
  CalcAxisRect();
  CalcSeriesRect();
  Canvas3D().Projection(Width3D(), ChartBounds(), ChartRect());
  DrawWalls();
  if (AxisBehind()) DrawAxes();
  if (OnBeforeDrawSeries) OnBeforeDrawSeries();
  DrawAllSeries();
  if (!AxisBehind()) DrawAxes();
  DrawTitlesAndLegend(false);
  DrawZoomRectangle();
  Canvas3D().ResetState();
  if (OnAfterDraw) OnAfterDraw();
  SetAutoRepaint(oldAutoRepaint);
}

bool TCustomAxisPanel::HasActiveSeries(const TChartAxis* axis) const {
  bool anyActive = false;
  for (const auto& series : series_) {
    if (!series->Active()) continue;
    anyActive = true;
    if (!series->UseAxis()) return false;
    if (series->AssociatedToAxis(axis)) return true;
  }
  return !anyActive;
}

bool TCustomAxisPanel::CalcIsAxisVisible(TChartAxis* axis) const {
  bool visible = axisVisible_ && axis->Visible();
  if (visible) visible = axis->IsDepthAxis() ? View3D() : HasActiveSeries(axis);
  axis->SetIsAxisVisible(visible);
  return visible;
}

double TCustomAxisPanel::InternalMinMax(const TChartAxis* axis, bool isMinimum, bool isX) const {
  bool anyActiveOnAxis = false;
  for (const auto& series : series_)
    if (series->Active() && series->AssociatedToAxis(axis)) anyActiveOnAxis = true;
  double result = 0;
  bool first = true;
  for (const auto& series : series_) {
    if (anyActiveOnAxis && !series->Active()) continue;
    if (series->Count() == 0) continue;
    const bool along =
        isX ? (series->HorizAxis() == THorizAxis::aBothHorizAxis || series->GetHorizAxis() == axis)
            : (series->VertAxis() == TVertAxis::aBothVertAxis || series->GetVertAxis() == axis);
    if (!along) continue;
    double v;
    if (isX) {
      v = isMinimum ? series->MinXValue() : series->MaxXValue();
    } else {
      v = isMinimum ? series->MinYValue() : series->MaxYValue();
    }
    if (first || (isMinimum ? v < result : v > result)) result = v;
    first = false;
  }
  return result;
}

void TCustomAxisPanel::CalcAxisRect() {
  for (auto& axis : axes_) {
    CalcIsAxisVisible(axis.get());
    axis->AdjustMaxMin();
  }
  for (auto& axis : axes_) axis->InternalCalcPositions();
  TRect working = ChartRect();
  for (size_t i = 0; i < axes_.size(); ++i) {
    if (!axes_[i]->IsAxisVisible()) continue;
    TRect shrunk = working;
    axes_[i]->CalcRect(shrunk, i < 5);
    const TRect both{std::max(shrunk.left, working.left), std::max(shrunk.top, working.top),
                     std::min(shrunk.right, working.right),
                     std::min(shrunk.bottom, working.bottom)};
    // An axis that would leave no plot at all takes no room.
    if (!both.IsEmpty()) working = both;
  }
  SetChartRect(working);
  ReCalcWidthHeight();
  for (auto& axis : axes_) axis->InternalCalcPositions();
  MakeRoomForEndLabels();
}

void TCustomAxisPanel::MakeRoomForEndLabels() {
  // A narrower plot can change the label step and so the labels; a few rounds settle it.
  for (int round = 0; round < 4; ++round) {
    int left = 0;
    int right = 0;
    for (size_t i = 0; i < axes_.size() && i < 5; ++i) {
      if (axes_[i]->IsAxisVisible()) axes_[i]->LabelsOverflow(ChartBounds(), left, right);
    }
    if (left <= 0 && right <= 0) return;
    TRect narrower = ChartRect();
    narrower.left += std::max(left, 0);
    narrower.right -= std::max(right, 0);
    // A plot too narrow for its labels stays as it is, as with an axis' share.
    if (narrower.IsEmpty()) return;
    SetChartRect(narrower);
    ReCalcWidthHeight();
    for (auto& axis : axes_) axis->InternalCalcPositions();
  }
}

void TCustomAxisPanel::CalcSeriesRect() {
  for (auto& axis : axes_) {
    TRect margins;
    for (const auto& series : series_) {
      if (!series->Active() || !series->AssociatedToAxis(axis.get())) continue;
      int a = 0;
      int b = 0;
      if (axis->Horizontal()) {
        series->CalcHorizMargins(a, b);
        if (axis->AutomaticMinimum()) margins.left = std::max(margins.left, a);
        if (axis->AutomaticMaximum()) margins.right = std::max(margins.right, b);
      } else {
        series->CalcVerticalMargins(a, b);
        if (axis->AutomaticMaximum()) margins.top = std::max(margins.top, a);
        if (axis->AutomaticMinimum()) margins.bottom = std::max(margins.bottom, b);
      }
    }
    // The offsets go on the side of their end; an inverted axis has its ends swapped.
    const bool minAtStart = axis->Horizontal() != axis->Inverted();
    int& minSide = axis->Horizontal() ? (minAtStart ? margins.left : margins.right)
                                      : (minAtStart ? margins.top : margins.bottom);
    int& maxSide = axis->Horizontal() ? (minAtStart ? margins.right : margins.left)
                                      : (minAtStart ? margins.bottom : margins.top);
    minSide += axis->MinimumOffset();
    maxSide += axis->MaximumOffset();
    axis->AdjustMaxMinRect(margins);
  }
}

void TCustomAxisPanel::DrawAxes() {
  if (!axisVisible_) return;
  if (OnBeforeDrawAxes) OnBeforeDrawAxes();
  for (size_t i = 0; i < axes_.size(); ++i) {
    if (!axes_[i]->IsAxisVisible()) continue;
    if (i == 0 && DrawBackWallAfter(0)) continue;
    axes_[i]->Draw(true);
  }
}

void TCustomAxisPanel::DrawAllSeries() {
  TTeeCanvas3D& canvas = Canvas3D();
  for (const auto& series : series_) {
    if (!series->Active()) continue;
    series->CalcFirstLastVisibleIndex();
    if (series->FirstShownIndex() == -1) continue;
    series->DoBeforeDrawValues();
    // One pixel below the plot as well, where the bottom axis line lies.
    const bool clip = series->UseAxis() && ClipPoints();
    if (clip) {
      const TRect& r = ChartRect();
      canvas.ClipCube({r.left, r.top, r.right, r.bottom + 1}, 0, Width3D());
    }
    series->DrawAllValues();
    if (clip) canvas.UnClipRectangle();
    series->DoAfterDrawValues();
  }
}

std::string TCustomAxisPanel::SeriesTitleLegend(int index) const {
  const TChartSeries& series = *series_[index];
  std::string title = series.Title();
  if (title.empty()) title = series.Name();
  if (title.empty()) return "Series" + std::to_string(index + 1);
  // A title is one column: separators in it are shown as spaces.
  for (char& c : title)
    if (c == '\x06') c = ' ';
  return title;
}

}  // namespace vadidazid
