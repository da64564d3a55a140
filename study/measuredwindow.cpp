// The measured window of a run and the MSER-5 choice of its warm-up.
#include "study/measuredwindow.h"

#include <algorithm>
#include <limits>

namespace vadidazid {

int64_t MserTruncation(const std::vector<int64_t>& batches, int64_t largest) {
  const int64_t count = int64_t(batches.size());
  if (count == 0) return 0;
  largest = std::clamp<int64_t>(largest, 0, count - 1);
  // Sums of the last batches, shifted by the last one so that they stay small, and
  // exact in 128 bits: n * sum of squares - (sum)^2 is n times the squared deviation.
  const int64_t shift = batches.back();
  __int128 sum = 0, squares = 0;
  int64_t best = 0;
  double bestValue = std::numeric_limits<double>::infinity();
  for (int64_t d = count - 1; d >= 0; --d) {
    const __int128 z = batches[size_t(d)] - shift;
    sum += z;
    squares += z * z;
    if (d > largest) continue;
    const double n = double(count - d);
    const double value = double(__int128(count - d) * squares - sum * sum) / (n * n * n);
    // Walking down, an equal value moves the choice to the smaller truncation.
    if (value <= bestValue) {
      bestValue = value;
      best = d;
    }
  }
  return best;
}

namespace {

// What one step adds to each phase's count.
PhaseCounts CountsOf(const StepReport& r) {
  PhaseCounts c;
  c.attempts = r.newCalls.started + r.newCalls.blocked;
  c.blocked = r.newCalls.blocked;
  c.started = r.newCalls.started;
  c.fullCellOffers = r.newCalls.fullCellOffers;
  c.dropped = r.moves.dropped;
  c.handovers = r.moves.handedOver;
  c.ended = r.countdown.ended;
  c.callSteps = r.newCalls.callSteps;
  return c;
}

}  // namespace

MeasuredWindow::Sums& MeasuredWindow::Sums::operator+=(const StepReport& report) {
  phases += CountsOf(report);
  running += report.recount.running;
  return *this;
}

MeasuredWindow::MeasuredWindow(int64_t steps, std::optional<int64_t> warmup)
    : steps_(steps), warmup_(warmup) {
  if (!warmup_) before_.push_back(Sums{});
}

void MeasuredWindow::Add(const StepReport& report) {
  ++step_;
  if (!warmup_) {
    AddAuto(report);
  } else if (step_ > *warmup_) {
    sums_ += report;
    maxAfter_ = std::max(maxAfter_, report.recount.running);
  }
}

void MeasuredWindow::AddAuto(const StepReport& report) {
  // The warm-up is searched over the batches of the run's first half.
  const int64_t searched = steps_ / kBatch / 2;
  const int32_t running = report.recount.running;
  sums_ += report;
  batchSum_ += running;
  const int64_t batch = (step_ - 1) / kBatch;
  int32_t& largest = batch < searched ? currentMax_ : maxAfter_;
  largest = std::max(largest, running);
  if (step_ % kBatch != 0) return;
  batchLoad_.push_back(batchSum_);
  batchSum_ = 0;
  if (batch < searched) {
    batchMax_.push_back(currentMax_);
    currentMax_ = 0;
    before_.push_back(sums_);
  }
}

int64_t MeasuredWindow::Warmup() const {
  if (warmup_) return *warmup_;
  return kBatch * MserTruncation(batchLoad_, int64_t(batchMax_.size()));
}

RunCounts MeasuredWindow::Counts() const {
  Sums s = sums_;
  int32_t largest = maxAfter_;
  const int64_t warmup = Warmup();
  if (!warmup_) {
    const size_t d = size_t(warmup / kBatch);
    s.phases -= before_[d].phases;
    s.running -= before_[d].running;
    for (size_t j = d; j < batchMax_.size(); ++j) largest = std::max(largest, batchMax_[j]);
  }
  RunCounts c;
  c.measuredSteps = steps_ - warmup;
  static_cast<PhaseCounts&>(c) = s.phases;
  c.runningSum = s.running;
  c.runningMax = largest;
  return c;
}

}  // namespace vadidazid
