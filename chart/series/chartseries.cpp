// Point storage, colours, labels and change notices of a series.
#include "chart/series/chartseries.h"

#include <algorithm>

#include "chart/panel/chartexception.h"
#include "chart/panel/chartpalette.h"
#include "chart/panel/customaxispanel.h"

namespace vadidazid {

TChartSeries::TChartSeries()
    : xValues_(std::make_unique<TChartValueList>(this, "X")),
      yValues_(std::make_unique<TChartValueList>(this, "Y")) {
  xValues_->SetOrder(TChartListOrder::loAscending);
  valuesList_ = {xValues_.get(), yValues_.get()};
}

TChartSeries::~TChartSeries() = default;

void TChartSeries::SetHorizontal() { isVertical_ = false; }

int TChartSeries::Add(double value, const std::string& label, TColor color) {
  if (isVertical_) return AddXY(xValues_->Count(), value, label, color);
  return AddXY(value, yValues_->Count(), label, color);
}

int TChartSeries::AddXY(double x, double y, const std::string& label, TColor color) {
  xValues_->SetTempValue(x);
  yValues_->SetTempValue(y);
  if (OnBeforeAdd && !OnBeforeAdd(*this)) return -1;

  const int index = xValues_->AddChartValue(x);
  yValues_->InsertChartValue(index, y);
  for (size_t i = 2; i < valuesList_.size(); ++i)
    valuesList_[i]->InsertChartValue(index, valuesList_[i]->TempValue());

  if (colors_) {
    if (static_cast<int>(colors_->size()) < index) colors_->resize(index, clAutoColor);
    colors_->insert(colors_->begin() + index, color);
  } else if (color != clAutoColor) {
    // The points before this one had no colour of their own.
    colors_.emplace(static_cast<size_t>(Count() - 1), clAutoColor);
    colors_->insert(colors_->begin() + index, color);
  }

  if (!label.empty() || !labels_.Empty()) labels_.InsertLabel(index, label);

  if (updateDepth_ == 0) NotifyNewValue(index);
  return index;
}

int TChartSeries::AddX(double x, const std::string& label, TColor color) {
  return AddXY(x, xValues_->Count(), label, color);
}

int TChartSeries::AddY(double y, const std::string& label, TColor color) {
  return AddXY(xValues_->Count(), y, label, color);
}

int TChartSeries::AddNull(double value) { return Add(value, "", clNone); }

int TChartSeries::AddNull(const std::string& label) { return Add(0, label, clNone); }

int TChartSeries::AddNullXY(double x, double y, const std::string& label) {
  return AddXY(x, y, label, clNone);
}

void TChartSeries::AddArray(const std::vector<double>& values) {
  BeginUpdate();
  for (double v : values) Add(v);
  EndUpdate();
}

void TChartSeries::ClearLists() {
  for (TChartValueList* list : valuesList_) list->ClearValues();
  colors_.reset();
  labels_.Clear();
  marks_.Clear();
}

void TChartSeries::Clear() {
  firstShownIndex_ = -1;
  lastShownIndex_ = -1;
  ClearLists();
  if (OnClearValues) OnClearValues(*this);
  NotifyValue(TValueEvent::veClear, 0);
  if (Active() && ParentChart() && !ParentChart()->Destroying()) Repaint();
}

void TChartSeries::Delete(int index) {
  if (index < 0 || index >= Count())
    throw EChartException(ValueIndexOutOfBoundsText(index, Count()));
  for (TChartValueList* list : valuesList_) list->Delete(index);
  if (colors_ && index < static_cast<int>(colors_->size()))
    colors_->erase(colors_->begin() + index);
  labels_.Delete(index);
  NotifyValue(TValueEvent::veDelete, index);
  if (Active()) Repaint();
}

void TChartSeries::Delete(int start, int quantity) {
  if (start < 0 || start >= Count())
    throw EChartException(ValueIndexOutOfBoundsText(start, Count()));
  if (quantity < 0 || quantity > Count() - start) throw EChartException(kDeleteQuantityText);
  if (quantity == 0) return;
  for (TChartValueList* list : valuesList_) list->Delete(start, quantity);
  if (colors_) {
    const int end = std::min(static_cast<int>(colors_->size()), start + quantity);
    if (start < end) colors_->erase(colors_->begin() + start, colors_->begin() + end);
  }
  labels_.Delete(start, quantity);
  NotifyValue(TValueEvent::veDelete, start);
  if (Active()) Repaint();
}

TColor TChartSeries::SeriesColor() const { return color_ != clAutoColor ? color_ : paletteColor_; }

void TChartSeries::SetSeriesColor(TColor color) {
  if (color_ == clAutoColor && color == paletteColor_) return;
  StoreAndRepaint(color_, color);
  paletteColor_ = color_;
  BroadcastSeriesEvent(TChartSeriesEvent::seChangeColor);
}

void TChartSeries::Added() {
  if (color_ != clAutoColor) return;
  paletteColor_ = ParentChart()->GetFreeSeriesColor(true, nullptr);
  BroadcastSeriesEvent(TChartSeriesEvent::seChangeColor);
}

TColor TChartSeries::GetValueColor(int index) const {
  if (colors_ && index >= 0 && index < static_cast<int>(colors_->size())) {
    const TColor c = (*colors_)[index];
    if (c != clAutoColor) return c;
  }
  if (!colorEachPoint_) return SeriesColor();
  const std::vector<TColor>& palette =
      ParentChart() ? ParentChart()->Palette() : DefaultPaletteColors();
  return palette[static_cast<size_t>(index) % palette.size()];
}

void TChartSeries::SetLabel(int index, const std::string& label) {
  labels_.SetLabel(index, label);
  Repaint();
}

void TChartSeries::EndUpdate() {
  if (updateDepth_ == 0) return;
  if (--updateDepth_ == 0) RefreshSeries();
}

void TChartSeries::RefreshSeries() {
  NotifyValue(TValueEvent::veRefresh, 0);
  BroadcastSeriesEvent(TChartSeriesEvent::seDataChanged);
}

void TChartSeries::NotifyNewValue(int valueIndex) {
  if (OnAfterAdd) OnAfterAdd(*this, valueIndex);
  NotifyValue(TValueEvent::veAdd, valueIndex);
  if (Active()) Repaint();
}

void TChartSeries::NotifyValue(TValueEvent event, int valueIndex) {
  if (updateDepth_ > 0) return;
  for (const TValueListener& listener : valueListeners_) listener(event, valueIndex);
}

void TChartSeries::AddValueListener(TValueListener listener) {
  valueListeners_.push_back(std::move(listener));
}

void TChartSeries::PermutePoints(const std::vector<int>& order) {
  for (TChartValueList* list : valuesList_) list->Permute(order);
  if (colors_) {
    colors_->resize(order.size(), clAutoColor);
    const std::vector<TColor> old = *colors_;
    for (size_t i = 0; i < order.size(); ++i) (*colors_)[i] = old[order[i]];
  }
  labels_.Permute(order);
  NotifyValue(TValueEvent::veRefresh, 0);
  if (Active()) Repaint();
}

TChartAxis* TChartSeries::GetHorizAxis() const {
  if (!ParentChart()) return nullptr;
  return horizAxis_ == THorizAxis::aTopAxis ? ParentChart()->TopAxis()
                                            : ParentChart()->BottomAxis();
}

TChartAxis* TChartSeries::GetVertAxis() const {
  if (!ParentChart()) return nullptr;
  return vertAxis_ == TVertAxis::aRightAxis ? ParentChart()->RightAxis()
                                            : ParentChart()->LeftAxis();
}

bool TChartSeries::AssociatedToAxis(const TChartAxis* axis) const {
  if (!axis || !ParentChart()) return false;
  if (axis == GetHorizAxis() || axis == GetVertAxis()) return true;
  const TCustomAxisPanel* chart = ParentChart();
  return (horizAxis_ == THorizAxis::aBothHorizAxis && axis == chart->TopAxis()) ||
         (vertAxis_ == TVertAxis::aBothVertAxis && axis == chart->RightAxis());
}

}  // namespace vadidazid
