// The measured window of a run: the counts of every phase of the steps after the
// warm-up, W + 1 .. K by step number (steps W .. K-1 counted from 0), the moves and the
// countdown of each of those steps included. The warm-up is given, or chosen once the run
// is over by the MSER-5 rule on the per-step load, searched over the first half of the
// run.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "sim/stepreport.h"
#include "study/runfigures.h"

namespace vadidazid {

// The truncation, in batches, that MSER minimises: the d in 0 .. largest for which the
// batch values after the first d have the least squared deviation from their mean over
// the square of their count. Ties go to the smallest d; no batches give 0.
int64_t MserTruncation(const std::vector<int64_t>& batches, int64_t largest);

class MeasuredWindow {
 public:
  static constexpr int64_t kBatch = 5;

  // A run of `steps` steps; `warmup` steps left out, or none given for MSER-5.
  MeasuredWindow(int64_t steps, std::optional<int64_t> warmup);

  void Add(const StepReport& report);

  // Once every step is added: the warm-up, and the sums over the steps after it (the
  // parameters of RunCounts are left to the caller).
  int64_t Warmup() const;
  RunCounts Counts() const;

 private:
  // The phase counts with the running calls summed over the same steps.
  struct Sums {
    PhaseCounts phases;
    int64_t running = 0;
    Sums& operator+=(const StepReport& report);
  };
  void AddAuto(const StepReport& report);

  int64_t steps_;
  std::optional<int64_t> warmup_;
  int64_t step_ = 0;
  Sums sums_;             // every step after a given warm-up, or every step
  int32_t maxAfter_ = 0;  // largest load after the given warm-up, or after the searched half
  // MSER-5 only: load per batch of five steps; the sums before each batch of the
  // searched first half, and each such batch's largest load.
  std::vector<int64_t> batchLoad_;
  std::vector<Sums> before_;
  std::vector<int32_t> batchMax_;
  int64_t batchSum_ = 0;
  int32_t currentMax_ = 0;
};

}  // namespace vadidazid
