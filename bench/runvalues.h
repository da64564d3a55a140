// The four chart values of every step of one headless run at the default parameters,
// for benchmarks that draw a real run's chart. The run is made on first use and kept.
#pragma once

#include <array>
#include <vector>

namespace vadidazid {

// At least `steps` rows (one per step, series 1 to 4), fewer only if the run failed.
const std::vector<std::array<double, 4>>& RunChartValues(int steps);

}  // namespace vadidazid
