// Where a run writes its log: the header at set-up, one line per step and the summary.
// "Zapisz dane" saves the lines it holds.
#pragma once

#include <string>
#include <vector>

namespace vadidazid {

class RunLog {
 public:
  virtual ~RunLog() = default;
  virtual void ClearLog() = 0;
  virtual void AddLogLine(const std::string& utf8) = 0;
  // The lines since the last ClearLog, for the log file; a log that streams its lines
  // elsewhere keeps none.
  virtual std::vector<std::string> LogLines() const = 0;
};

}  // namespace vadidazid
