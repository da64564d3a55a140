// The log's lines (UTF-8), kept one after another in a single block of text. A run of a
// million steps writes a million lines of a dozen characters; a string object for each
// would take more memory than the text itself.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vadidazid {

class TLogLines {
 public:
  int Count() const { return int(ends_.size()); }
  std::string_view Line(int index) const {
    const std::size_t start = index == 0 ? 0 : ends_[index - 1];
    return std::string_view(text_).substr(start, ends_[index] - start);
  }
  void Append(std::string_view line) {
    text_.append(line);
    ends_.push_back(text_.size());
  }
  // Releases the storage, as a new run may be much shorter.
  void Clear() {
    std::string().swap(text_);
    std::vector<std::size_t>().swap(ends_);
  }
  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    lines.reserve(ends_.size());
    for (int i = 0; i < Count(); ++i) lines.emplace_back(Line(i));
    return lines;
  }

 private:
  std::string text_;
  std::vector<std::size_t> ends_;  // where each line ends in text_
};

}  // namespace vadidazid
