// The runner's failure messages and exit statuses.
#include "cli/failure.h"

#include <ostream>

#include "platform/text/messagetext.h"

namespace vadidazid {

int ReportFailure(std::ostream& err, const Exception& failure) {
  err << "vadidazid-sim: " << MessageText(failure.what(), 4096) << "\n";
  if (dynamic_cast<const UsageError*>(&failure) != nullptr) {
    err << "Try 'vadidazid-sim --help'.\n";
  }
  return static_cast<int>(failure.Status());
}

}  // namespace vadidazid
