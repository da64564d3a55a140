// Reading a result table row by row, so a table of millions of rows never has to be held
// as text, and refusing what no run can have written: lines past a bound (a file with no
// line ends, such as a device of zeros), a last line without its line end (a file cut
// off), fields that are no numbers, parameters outside the set-up's ranges, counts that
// contradict each other, and loads, probabilities and traffic figures other than the
// counts give.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <vector>

#include "results/resulttable.h"

namespace vadidazid {

// A written row is well under a kilobyte; this leaves room for longer number texts. The
// line end (LF or CR LF) is not counted.
inline constexpr size_t kMaxResultLineBytes = 4096;

class ResultTableReader {
 public:
  // Reads the header at the first Next.
  explicit ResultTableReader(std::istream& in);
  // The next row; false at the table's end. Throws EInvalidInput beginning
  // "line N: " or "line N, column K (name): " for a line that is no row of a run.
  bool Next(RunResult& row);

 private:
  // The next line without its line end; false at the end of the input.
  bool ReadLine();
  std::istream& in_;
  std::vector<char> line_;
  size_t length_ = 0;
  int64_t number_ = 0;  // of the line read last
};

// Throws EInvalidInput "column K (name): ..." for a row no run can produce.
void CheckResultRow(const RunResult& row);

}  // namespace vadidazid
