// One headless run, read back from the runner's chart output.
#include "runvalues.h"

#include <locale>
#include <sstream>
#include <string>

#include "cli/runner.h"

namespace vadidazid {

const std::vector<std::array<double, 4>>& RunChartValues(int steps) {
  static std::vector<std::array<double, 4>> rows;
  if (int(rows.size()) >= steps) return rows;
  std::ostringstream out, err;
  RunSimulator({"--chart", "--steps", std::to_string(steps)}, out, err);
  rows.clear();
  rows.reserve(steps);
  std::istringstream in(out.str());
  in.imbue(std::locale::classic());
  std::array<double, 4> row;
  while (in >> row[0] >> row[1] >> row[2] >> row[3]) rows.push_back(row);
  return rows;
}

}  // namespace vadidazid
