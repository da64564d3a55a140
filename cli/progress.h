// The progress line of a long experiment on a terminal: runs done, of how many, and the
// time left, estimated from the steps done so far. It stays silent for the first second,
// so short experiments print nothing, and it is removed when the experiment ends.
#pragma once

#include <chrono>
#include <cstdint>
#include <iosfwd>
#include <string>

namespace vadidazid {

// "12 of 80 runs done, about 1:05 left"; the time left is "?" before any step is done.
std::string ProgressText(int64_t runsDone, int64_t runs, int64_t stepsDone, int64_t steps,
                         double elapsedSeconds);

class ProgressLine {
 public:
  ProgressLine(std::ostream& terminal, int64_t runs, int64_t steps);
  void Show(int64_t runsDone, int64_t stepsDone);
  void Clear();

 private:
  std::ostream& terminal_;
  int64_t runs_, steps_;
  std::chrono::steady_clock::time_point start_;
  size_t shown_ = 0;  // width of the line on the terminal
};

}  // namespace vadidazid
