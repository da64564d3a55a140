// The inputs of a run: the parameter controls as the set-up reads them, and the source
// that gives them (the window's controls, the runner's options, an experiment's plan).
#pragma once

#include <cstdint>
#include <string>

namespace vadidazid {

// The controls as the set-up reads them: the seven spin edits in their order, the two
// edit fields' texts and the seed check box.
struct SimControls {
  int32_t gridSide = 10;
  int32_t subscriberCount = 1000;
  int32_t channelsPerCell = 10;
  int32_t callPercent = 15;
  int32_t stepLimit = 100;
  int32_t stepsPerSecond = 5;
  int32_t seed = 12345;
  std::string meanText = "5";
  std::string deviationText = "0.01";
  bool reseed = true;
};

class ControlSource {
 public:
  virtual ~ControlSource() = default;
  // Read at every set-up, so a run starts with the controls as they are then.
  virtual SimControls ReadControls() = 0;
};

}  // namespace vadidazid
