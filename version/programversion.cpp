// The version text, from the number CMake configures and the commit found at build time.
#include "version/programversion.h"

#include "commit.h"
#include "versionnumber.h"

namespace vadidazid {

std::string ProgramVersionText(const std::string& program) {
  std::string text = program + " (Vadidazid) " VADIDAZID_VERSION "\n";
  const std::string commit = VADIDAZID_COMMIT;
  // A build from an archive of the sources has no history to name a commit from.
  text += commit.empty() ? "commit unknown (built outside a git checkout)\n"
                         : "commit " + commit + "\n";
  return text;
}

}  // namespace vadidazid
