// Entry point of the headless runner.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "cli/failure.h"
#include "cli/runner.h"
#include "platform/files/ioerror.h"
#include "platform/files/safefilestream.h"
#include "platform/text/formatfloat.h"
#include "platform/text/numtext.h"

using namespace vadidazid;

int main(int argc, char** argv) {
  // The chart picture's labels group thousands as the window's do.
  SetDecimalSeparator(LocaleDecimalSeparator());
  SetThousandSeparator(LocaleThousandSeparator());
  TSafeFileStream::RemoveTemporariesOnSignals();
  std::ios::sync_with_stdio(false);
  int status = RunSimulator(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
  // The last bytes reach standard output only here; losing them (a full disc, a closed
  // pipe) is a failed run, as a failed write of --out is.
  const bool flushed = static_cast<bool>(std::cout.flush());
  if ((!flushed || std::fclose(stdout) != 0) && status == 0) {
    status = ReportFailure(
        std::cerr, std::make_exception_ptr(EWriteError(WriteErrorMessage(kStandardOutputName))));
  }
  return status;
}
