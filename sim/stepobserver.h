// Who is told what each step counted: once per step, after its countdown, with the
// counts of all its phases.
#pragma once

#include "sim/stepreport.h"

namespace vadidazid {

class StepObserver {
 public:
  virtual ~StepObserver() = default;
  virtual void StepCounted(const StepReport& report) = 0;
  // Whether the reports should carry the per-cell counts; read at set-up. They cost the
  // move phase a little, so they are counted only for an observer that wants them.
  virtual bool WantsCellCounts() const { return false; }
};

}  // namespace vadidazid
