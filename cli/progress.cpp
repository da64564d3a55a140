// Progress of an experiment on standard error.
#include "cli/progress.h"

#include <cmath>
#include <ostream>

#include "platform/text/numtext.h"
#include "study/experiment.h"

namespace vadidazid {

std::string ProgressText(int64_t runsDone, int64_t runs, int64_t stepsDone, int64_t steps,
                         double elapsedSeconds) {
  std::string left = "?";
  const int64_t seconds = SecondsLeft(stepsDone, steps, elapsedSeconds);
  if (seconds >= 0) left = std::to_string(seconds / 60) + ":" + ZeroPaddedInt(seconds % 60, 2);
  return std::to_string(runsDone) + " of " + std::to_string(runs) + " runs done, about " + left +
         " left";
}

ProgressLine::ProgressLine(std::ostream& terminal, int64_t runs, int64_t steps)
    : terminal_(terminal), runs_(runs), steps_(steps), start_(std::chrono::steady_clock::now()) {}

void ProgressLine::Show(int64_t runsDone, int64_t stepsDone) {
  const double elapsed =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
  if (elapsed < 1.0) return;
  std::string text = ProgressText(runsDone, runs_, stepsDone, steps_, elapsed);
  const size_t width = text.size();
  if (width < shown_) text += std::string(shown_ - width, ' ');
  terminal_ << '\r' << text << std::flush;
  shown_ = width;
}

void ProgressLine::Clear() {
  if (shown_ == 0) return;
  terminal_ << '\r' << std::string(shown_, ' ') << '\r' << std::flush;
  shown_ = 0;
}

}  // namespace vadidazid
