// Sparse point labels of a series.
#include "chart/series/labelslist.h"

#include <algorithm>

namespace vadidazid {

std::string TLabelsList::Label(int index) const {
  if (index < 0 || index >= Count()) return {};
  return labels_[index];
}

void TLabelsList::PadTo(int size) {
  if (Count() < size) labels_.resize(size);
}

void TLabelsList::InsertLabel(int index, const std::string& label) {
  if (label.empty() && labels_.empty()) return;
  PadTo(index);
  labels_.insert(labels_.begin() + index, label);
}

void TLabelsList::SetLabel(int index, const std::string& label) {
  PadTo(index + 1);
  labels_[index] = label;
}

void TLabelsList::Delete(int start, int quantity) {
  const int end = std::min(Count(), start + quantity);
  if (start >= end) return;
  labels_.erase(labels_.begin() + start, labels_.begin() + end);
}

void TLabelsList::Permute(const std::vector<int>& order) {
  if (labels_.empty()) return;
  std::vector<std::string> permuted(order.size());
  for (size_t i = 0; i < order.size(); ++i) permuted[i] = Label(order[i]);
  labels_ = std::move(permuted);
}

}  // namespace vadidazid
