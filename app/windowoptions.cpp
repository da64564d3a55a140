// The window reads no settings from its command line: everything it needs is in the
// window. It answers the two questions every program answers and refuses the rest, so
// that a mistyped option is not silently ignored.
#include "app/windowoptions.h"

#include <ostream>

#include "platform/text/messagetext.h"
#include "version/programversion.h"

namespace vadidazid {

namespace {
const char* const kUsageLine = "Usage: vadidazid [--help] [--version] [toolkit options]\n";
}

std::string WindowUsage() {
  return std::string(kUsageLine) +
         "Opens the window of Vadidazid, the simulator of call traffic in a hexagonal\n"
         "cellular network; its parameters are set in the window.\n"
         "\n"
         "  -h, --help         this text\n"
         "  --version          the version and the git commit of the build\n"
         "\n"
         "The toolkit's own options are accepted, such as -platform NAME, -display DISPLAY,\n"
         "-geometry WxH+X+Y, -style NAME and -reverse.\n"
         "The runner without a window is vadidazid-sim; see vadidazid-sim --help.\n";
}

std::optional<int> AnswerInformationOptions(const std::vector<std::string>& args,
                                            std::ostream& out) {
  for (const std::string& a : args) {
    if (a == "--help" || a == "-h") {
      out << WindowUsage();
    } else if (a == "--version") {
      out << ProgramVersionText("vadidazid");
    } else {
      continue;
    }
    return out.flush() ? 0 : 1;
  }
  return std::nullopt;
}

std::optional<int> RefuseLeftArguments(const std::vector<std::string>& args, std::ostream& err) {
  if (args.empty()) return std::nullopt;
  const std::string& a = args.front();
  // Escaped: an argument's control characters would reach the terminal as commands.
  err << "vadidazid: " << (a.rfind('-', 0) == 0 ? "unknown option '" : "unexpected argument '")
      << MessageText(a) << "'\n"
      << kUsageLine << "Try 'vadidazid --help'.\n";
  return 2;
}

}  // namespace vadidazid
