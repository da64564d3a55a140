// Who is told what each step counted: once per step, after its log line and chart
// values and before its moves.
#pragma once

#include "sim/stepreport.h"

class StepObserver {
 public:
  virtual ~StepObserver() = default;
  virtual void StepCounted(const StepReport& report) = 0;
};
