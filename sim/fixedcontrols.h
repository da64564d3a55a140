// Controls fixed when a run is planned: what the headless runner, the experiments and the
// benchmarks set a run up with.
#pragma once

#include <utility>

#include "sim/controlsource.h"

namespace vadidazid {

class FixedControls : public ControlSource {
 public:
  explicit FixedControls(SimControls controls) : controls_(std::move(controls)) {}
  SimControls ReadControls() override { return controls_; }

 private:
  SimControls controls_;
};

}  // namespace vadidazid
