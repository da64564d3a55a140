// The window's start where it cannot open. Without a display the toolkit would end the
// program with an abort and a page of advice about its plugins; here it says why in one
// line and ends with status 1. The toolkit still takes its own options first, on a
// platform that needs no display, so an unknown argument is refused (status 2) with or
// without a display.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace vadidazid {

// Whether the toolkit, left to choose its platform, would find no display: no platform
// named (QT_QPA_PLATFORM, -platform), no display named (-display, DISPLAY,
// WAYLAND_DISPLAY) and no Wayland session. `env` reads a variable, null when unset.
bool DisplayMissing(const std::vector<std::string>& args, const char* (*env)(const char*));

class TWindowStart {
 public:
  // Keeps the command line for the toolkit, with "-platform offscreen" added when there
  // is no display. Until Started(), the toolkit's messages are held back, and a fatal
  // one (its start failed) becomes one line on standard error and status 1.
  TWindowStart(int argc, char** argv);
  ~TWindowStart();
  TWindowStart(const TWindowStart&) = delete;
  TWindowStart& operator=(const TWindowStart&) = delete;

  // The command line to give the toolkit; it takes its own options out of it.
  int& Argc() { return argc_; }
  char** Argv() { return argv_.data(); }

  // Called once the toolkit has started: the exit status when the window is not to open
  // (2 and a usage line on `err` for an argument left over, 1 and a line when there is no
  // display), nothing when it is. The messages held back are passed on only then.
  std::optional<int> Started(std::ostream& err);

 private:
  std::vector<char*> argv_;
  int argc_ = 0;
  bool displayMissing_ = false;
  bool holding_ = true;
};

}  // namespace vadidazid
