// The point labels of a series. Most series have none, so the list stays empty until a
// label is given and may stay shorter than the point count; a missing entry reads as
// the empty string.
#pragma once

#include <string>
#include <vector>

namespace vadidazid {

class TLabelsList {
 public:
  int Count() const { return static_cast<int>(labels_.size()); }
  bool Empty() const { return labels_.empty(); }
  std::string Label(int index) const;
  // Whether point `index` has a non-empty label, without copying it.
  bool HasText(int index) const { return index >= 0 && index < Count() && !labels_[index].empty(); }

  // Stores a label for a point inserted at `index`. An empty label on an empty list
  // stores nothing; otherwise the list is padded up to `index` first.
  void InsertLabel(int index, const std::string& label);
  // Replaces the label of point `index`, padding as needed.
  void SetLabel(int index, const std::string& label);
  // Removes the entries of points start .. start+quantity-1 that the list holds.
  void Delete(int start, int quantity = 1);
  void Clear() { labels_.clear(); }
  void Permute(const std::vector<int>& order);

 private:
  void PadTo(int size);

  std::vector<std::string> labels_;
};

}  // namespace vadidazid
