// The runner's failure messages and exit statuses.
#include "cli/failure.h"

#include <ostream>

#include "platform/text/messagetext.h"

namespace vadidazid {

int ReportFailure(std::ostream& err, std::exception_ptr failure) {
  const FailureReport report = DescribeFailure(failure);
  err << "vadidazid-sim: " << MessageText(report.message, 4096) << "\n";
  if (report.usage) err << "Try 'vadidazid-sim --help'.\n";
  return static_cast<int>(report.status);
}

}  // namespace vadidazid
