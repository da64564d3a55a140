// Storage, ordering and statistics of one value list of a series.
#include "chart/series/chartvaluelist.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <utility>

#include "chart/panel/chartexception.h"
#include "chart/series/chartseries.h"

namespace vadidazid {

TChartValueList::TChartValueList(TChartSeries* owner, const std::string& name)
    : owner_(owner), name_(name) {}

void TChartValueList::EnsureRoom() {
  if (count_ >= Capacity()) values_.resize(values_.size() + ValueCapacityStep);
}

void TChartValueList::SetValue(int index, double value) {
  values_[index] = value;
  modified_ = true;
  if (owner_) owner_->NotifyValue(TValueEvent::veModify, index);
}

int TChartValueList::AddChartValue(double value) {
  if (order_ == TChartListOrder::loNone || count_ == 0) {
    InsertChartValue(count_, value);
    return count_ - 1;
  }
  const bool ascending = order_ == TChartListOrder::loAscending;
  const double last = Last();
  if (ascending ? value >= last : value <= last) {
    InsertChartValue(count_, value);
    return count_ - 1;
  }
  // Walk down past every stored value that must come after the new one; equal values stay
  // in front, so a new value lands after the ones equal to it.
  int i = count_ - 1;
  while (i >= 0 && (ascending ? values_[i] > value : value > values_[i])) --i;
  InsertChartValue(i + 1, value);
  return i + 1;
}

void TChartValueList::InsertChartValue(int index, double value) {
  EnsureRoom();
  std::move_backward(values_.begin() + index, values_.begin() + count_,
                     values_.begin() + count_ + 1);
  values_[index] = value;
  ++count_;
  // A value appended at the end extends current statistics by the scan's own step, so a
  // timer tick on a long series costs no rescan; one put in front of others changes the
  // order of the sums and leaves them to the next full scan.
  if (modified_ || index != count_ - 1)
    modified_ = true;
  else
    AccumulateStats(value, count_ == 1);
}

void TChartValueList::ClearValues() {
  std::vector<double>().swap(values_);
  count_ = 0;
  // An empty list's statistics are all 0, so appends after a clear start from current ones.
  minValue_ = maxValue_ = total_ = totalAbs_ = 0;
  modified_ = false;
}

void TChartValueList::Delete(int index) {
  if (index < 0 || index >= count_) throw EChartException(ValueIndexOutOfBoundsText(index, count_));
  std::move(values_.begin() + index + 1, values_.begin() + count_, values_.begin() + index);
  --count_;
  modified_ = true;
}

void TChartValueList::Delete(int start, int quantity) {
  if (start < 0 || start >= count_) throw EChartException(ValueIndexOutOfBoundsText(start, count_));
  if (quantity < 0 || quantity > count_ - start) throw EChartException(kDeleteQuantityText);
  std::move(values_.begin() + start + quantity, values_.begin() + count_, values_.begin() + start);
  count_ -= quantity;
  modified_ = true;
}

// The scan's step for the next value, shared by the full scan and by appends so that
// both give the same bits, NaN included.
void TChartValueList::AccumulateStats(double x, bool first) {
  if (first) {
    minValue_ = maxValue_ = total_ = x;
    totalAbs_ = std::fabs(x);
    return;
  }
  if (x < minValue_)
    minValue_ = x;
  else if (x > maxValue_)
    maxValue_ = x;
  total_ += x;
  totalAbs_ += std::fabs(x);
}

void TChartValueList::RecalcStats() {
  if (!modified_) return;
  minValue_ = maxValue_ = total_ = totalAbs_ = 0;
  for (int i = 0; i < count_; ++i) AccumulateStats(values_[i], i == 0);
  modified_ = false;
}

double TChartValueList::MaxValue() {
  RecalcStats();
  return maxValue_;
}

double TChartValueList::MinValue() {
  RecalcStats();
  return minValue_;
}

double TChartValueList::Total() {
  RecalcStats();
  return total_;
}

double TChartValueList::TotalABS() {
  RecalcStats();
  return totalAbs_;
}

double TChartValueList::Range() {
  RecalcStats();
  return maxValue_ - minValue_;
}

int TChartValueList::Locate(double value) const {
  for (int i = 0; i < count_; ++i)
    if (values_[i] == value) return i;
  return -1;
}

void TChartValueList::FillSequence() {
  for (int i = 0; i < count_; ++i) values_[i] = i;
  modified_ = true;
}

void TChartValueList::Exchange(int index1, int index2) {
  std::swap(values_[index1], values_[index2]);
  modified_ = true;
}

void TChartValueList::Sort() {
  if (order_ == TChartListOrder::loNone || count_ < 2) return;
  std::vector<int> order(count_);
  std::iota(order.begin(), order.end(), 0);
  const bool ascending = order_ == TChartListOrder::loAscending;
  // Stable, so that equal values keep the order in which they were added.
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return ascending ? values_[a] < values_[b] : values_[a] > values_[b];
  });
  if (owner_)
    owner_->PermutePoints(order);
  else
    Permute(order);
}

void TChartValueList::Scroll() {
  if (count_ < 2) return;
  std::rotate(values_.begin(), values_.begin() + 1, values_.begin() + count_);
  modified_ = true;
}

void TChartValueList::Permute(const std::vector<int>& order) {
  std::vector<double> old(values_.begin(), values_.begin() + count_);
  for (int i = 0; i < count_ && i < static_cast<int>(order.size()); ++i) values_[i] = old[order[i]];
  modified_ = true;
}

}  // namespace vadidazid
