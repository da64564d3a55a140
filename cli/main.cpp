// Entry point of the headless runner.
#include <iostream>
#include <string>
#include <vector>

#include "cli/runner.h"
#include "platform/numtext.h"
#include "platform/safefilestream.h"

int main(int argc, char** argv) {
  SetDecimalSeparator(LocaleDecimalSeparator());
  TSafeFileStream::RemoveTemporariesOnSignals();
  std::ios::sync_with_stdio(false);
  return RunSimulator(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
