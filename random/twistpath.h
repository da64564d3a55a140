// Which code twists a generator's state: for the benchmarks and tests, which must measure
// and check the baseline code on a processor that would otherwise run a wider one. Not
// for the program: both give the same words, and the wider code is faster.
#pragma once

#include "random/randomsource.h"

namespace vadidazid {

struct TwistPathAccess {
  // From the next twist on, this generator runs the baseline code.
  static void UseBaseline(RandomSource& generator) { generator.baselineTwist_ = true; }
};

}  // namespace vadidazid
