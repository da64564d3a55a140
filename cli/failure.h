// The one place where a failure of the runner becomes what the user sees: the message
// line on standard error and the exit status. Commands only throw; none prints its own
// errors or chooses a status.
#pragma once

#include <exception>
#include <iosfwd>

#include "platform/exceptions.h"

namespace vadidazid {

// Writes "vadidazid-sim: <message>" (with outside texts escaped, so no message can move
// the cursor or forge lines on a terminal) and, for a usage error, the pointer to --help;
// returns the failure's exit status.
int ReportFailure(std::ostream& err, std::exception_ptr failure);

// What `make` gives; parameters the set-up refuses (any Exception it throws) are input
// to mend, as a bad command line is: EInvalidInput with the same message.
template <typename Make>
auto AsInvalidInput(Make&& make) {
  try {
    return make();
  } catch (const EInvalidInput&) {
    throw;
  } catch (const Exception& e) {
    throw EInvalidInput(e.what());
  }
}

}  // namespace vadidazid
