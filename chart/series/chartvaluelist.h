// One dimension of a series' points (X, Y, ...): a growable array of doubles, kept in the
// list's order as values arrive, with statistics kept current as values are appended and
// otherwise recomputed on the first read after a change. The
// storage grows in fixed steps so that a long run costs few reallocations, and the
// capacity is visible so that the growth rule can be checked.
#pragma once

#include <string>
#include <vector>

#include "chart/series/chartevents.h"

namespace vadidazid {

class TChartSeries;

// Entries added whenever the storage is full.
constexpr int ValueCapacityStep = 1000;

class TChartValueList {
 public:
  TChartValueList(TChartSeries* owner, const std::string& name);
  virtual ~TChartValueList() = default;

  TChartValueList(const TChartValueList&) = delete;
  TChartValueList& operator=(const TChartValueList&) = delete;

  TChartSeries* Owner() const { return owner_; }

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name) { name_ = name; }
  TChartListOrder Order() const { return order_; }
  void SetOrder(TChartListOrder order) { order_ = order; }
  bool DateTime() const { return dateTime_; }
  void SetDateTime(bool dateTime) { dateTime_ = dateTime; }
  const std::string& ValueSource() const { return valueSource_; }
  void SetValueSource(const std::string& source) { valueSource_ = source; }

  int Count() const { return count_; }
  int Capacity() const { return static_cast<int>(values_.size()); }

  // Reads are not checked against Count; callers stay below it.
  double Value(int index) const { return values_[index]; }
  // The stored values in order; Count() of them are in use.
  const double* Data() const { return values_.data(); }
  double First() const { return values_[0]; }
  double Last() const { return values_[count_ - 1]; }
  // Stores the value and tells the series that point `index` changed.
  void SetValue(int index, double value);

  // The value the series is about to add; set by AddXY before the lists store it.
  double TempValue() const { return tempValue_; }
  void SetTempValue(double value) { tempValue_ = value; }

  // Stores the value where Order puts it (after equal values) and returns its index.
  virtual int AddChartValue(double value);
  virtual void InsertChartValue(int index, double value);
  // Count becomes 0 and the storage is released.
  virtual void ClearValues();
  virtual void Delete(int index);
  void Delete(int start, int quantity);

  double MaxValue();
  double MinValue();
  double Total();
  double TotalABS();
  double Range();

  int Locate(double value) const;
  void FillSequence();
  void Exchange(int index1, int index2);
  // Puts the series' points in this list's order; all lists of the series move along so
  // points stay whole. Does nothing for loNone.
  void Sort();
  void Scroll();

  // Reorders the stored values: entry i becomes the old entry order[i].
  void Permute(const std::vector<int>& order);

 private:
  void EnsureRoom();
  void RecalcStats();
  void AccumulateStats(double x, bool first);

  TChartSeries* owner_;
  std::string name_;
  TChartListOrder order_ = TChartListOrder::loNone;
  bool dateTime_ = false;
  std::string valueSource_;

  std::vector<double> values_;  // its size is the capacity
  int count_ = 0;
  double tempValue_ = 0;

  double maxValue_ = 0;
  double minValue_ = 0;
  double total_ = 0;
  double totalAbs_ = 0;
  bool modified_ = true;
};

}  // namespace vadidazid
