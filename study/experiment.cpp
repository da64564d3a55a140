// Experiments: the plan's runs, one measured run, and the worker threads.
#include "study/experiment.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <exception>
#include <limits>
#include <mutex>
#include <set>
#include <stdexcept>
#include <system_error>
#include <thread>
#include <tuple>

#include "platform/exceptions.h"
#include "random/randomvariates.h"
#include "random/runtimerandom.h"
#include "sim/fixedcontrols.h"
#include "sim/runcontrol.h"
#include "sim/setup.h"
#include "study/measuredwindow.h"
#include "study/runfigures.h"
#include "study/statistics.h"

namespace vadidazid {

namespace {

bool ParseWhole(const std::string& text, int64_t& value) {
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return !text.empty() && ec == std::errc() && ptr == end;
}

// The counts of a run's measured window in its row, with the figures derived from them.
void SetCounts(RunResult& r, const RunCounts& c) {
  static_cast<PhaseCounts&>(r) = c;
  static_cast<RunFigures&>(r) = FiguresOf(c);
}

// Sets a grid point up as CheckedTimedRunSteps does; a failing point of a sweep is named.
int64_t CheckedPointSteps(const ExperimentPlan& plan, const SimControls& point) {
  try {
    return CheckedTimedRunSteps(point);
  } catch (const Exception& e) {
    if (plan.sweeps.empty()) throw;
    throw Exception("--sweep point with mean " + point.meanText + ", deviation " +
                    point.deviationText + ": " + e.what());
  }
}

// Every grid point's mean and deviation must give call durations, as the set-up checks;
// a point that fails is named, so a long experiment does not stop at it halfway.
void CheckDurations(const ExperimentPlan& plan) {
  std::set<std::tuple<std::string, std::string, bool>> checked;
  const int64_t points = GridPointCount(plan.sweeps, std::numeric_limits<int64_t>::max() / 2);
  for (int64_t point = 0; point < points; ++point) {
    SimControls c = GridPoint(plan.controls, plan.sweeps, point);
    if (!checked.insert({c.meanText, c.deviationText, c.callPercent > 0}).second) continue;
    // The smallest network: the check reads only the mean, the deviation and whether
    // calls can start.
    c.gridSide = kGridSideRange.min;
    c.subscriberCount = kSubscriberRange.min;
    CheckedPointSteps(plan, c);
  }
}

// The observer of a measured run: it passes every step on to onStep and the progress
// count, and gives it to the run's measured window.
class RunMeasurement : public StepObserver {
 public:
  RunMeasurement(const SimulationState& state, const RunPlan& run,
                 const std::function<void(const StepCounts&)>& onStep,
                 std::atomic<int64_t>* stepsDone)
      : state_(state),
        run_(run),
        onStep_(onStep),
        stepsDone_(stepsDone),
        window_(run.steps, run.autoWarmup ? std::nullopt : std::optional<int64_t>(run.warmup)) {}

  void StepCounted(const StepReport& report) override {
    if (onStep_) onStep_(CountsOf(report));
    if (stepsDone_ != nullptr) stepsDone_->fetch_add(1, std::memory_order_relaxed);
    window_.Add(report);
  }

  // The run's parameters as the set-up took them, its counts and the figures from them.
  RunResult Result() const;

 private:
  StepCounts CountsOf(const StepReport& r) const {
    const double capacity = double(state_.NetworkCapacity());
    return {r.step,
            r.recount.running,
            r.newCalls.started,
            r.newCalls.blocked,
            r.newCalls.fullCellOffers,
            r.moves.dropped,
            r.moves.handedOver,
            r.countdown.ended,
            r.newCalls.callSteps,
            r.recount.running / capacity * 100,
            r.moves.dropped / capacity * 100};
  }

  const SimulationState& state_;
  const RunPlan& run_;
  const std::function<void(const StepCounts&)>& onStep_;
  std::atomic<int64_t>* stepsDone_;
  MeasuredWindow window_;
};

RunResult RunMeasurement::Result() const {
  const SimulationState& s = state_;
  RunCounts c = window_.Counts();
  c.gridSide = s.gridSide;
  c.subscribers = s.subscriberCount;
  c.channels = s.channelsPerCell;
  c.callPercent = s.callPercent;
  RunResult r;
  r.gridSide = s.gridSide;
  r.subscribers = s.subscriberCount;
  r.channels = s.channelsPerCell;
  r.callPercent = s.callPercent;
  r.steps = run_.steps;
  r.warmup = window_.Warmup();
  r.warmupAuto = run_.autoWarmup;
  r.mean = s.callMean;
  r.deviation = s.callDeviation;
  r.seed = s.seed;
  SetCounts(r, c);
  return r;
}

}  // namespace

void CheckExperimentSize(const std::vector<Sweep>& sweeps, int64_t replications) {
  const int64_t points = GridPointCount(sweeps, kMaxExperimentRuns);
  if (points > kMaxExperimentRuns) {
    throw UsageError("the sweeps make a grid of more than " + std::to_string(kMaxExperimentRuns) +
                     " points, more runs than one experiment may have; split it "
                     "into several");
  }
  // Both factors are at most kMaxExperimentRuns here (replications are seeds), so the
  // product cannot overflow.
  const int64_t runs = points * std::min(replications, kMaxExperimentRuns + 1);
  if (runs > kMaxExperimentRuns) {
    throw UsageError("the experiment has " + std::to_string(runs) + " runs (" +
                     std::to_string(points) + " points of " + std::to_string(replications) +
                     " replications), more than the " + std::to_string(kMaxExperimentRuns) +
                     " one experiment may have; split it into several");
  }
}

Shard ParseShard(const std::string& text) {
  const size_t slash = text.find('/');
  Shard shard;
  if (slash == std::string::npos || !ParseWhole(text.substr(0, slash), shard.index) ||
      !ParseWhole(text.substr(slash + 1), shard.count) || shard.index < 0 || shard.count < 1) {
    throw UsageError("--shard: '" + text + "' is not I/N with 0 <= I < N");
  }
  if (shard.index >= shard.count) {
    throw UsageError("--shard: I " + std::to_string(shard.index) + " is not below N " +
                     std::to_string(shard.count));
  }
  return shard;
}

void CheckPlan(const ExperimentPlan& plan) {
  if (plan.steps < 1) throw UsageError("--steps: an experiment's runs need a step");
  if (!plan.autoWarmup && plan.warmup >= plan.steps) {
    throw UsageError("--warmup: " + std::to_string(plan.warmup) + " is not below the " +
                     std::to_string(plan.steps) + " steps of a run");
  }
  const int64_t lastSeed = int64_t(plan.controls.seed) + plan.replications - 1;
  if (lastSeed > kSeedRange.max) {
    throw UsageError("--replications: " + std::to_string(plan.replications) + " runs from seed " +
                     std::to_string(plan.controls.seed) + " need seeds up to " +
                     std::to_string(lastSeed) + ", above the largest seed " +
                     std::to_string(kSeedRange.max));
  }
  CheckDurations(plan);
}

int64_t PlanTimedRunSteps(const ExperimentPlan& plan) {
  // The base value of a swept parameter is no run's, so it is not the one set up.
  return CheckedPointSteps(plan, GridPoint(plan.controls, plan.sweeps, 0));
}

int64_t CheckedTimedRunSteps(const SimControls& controls) {
  RandomVariates generator(1);
  RuntimeRandom moves;
  SimulationState s(generator, moves);
  FixedControls fixed(controls);
  RunControl run(s, fixed);
  run.SetUp();
  return run.TimedRunSteps();
}

std::vector<RunPlan> ExperimentRuns(const ExperimentPlan& plan) {
  std::vector<RunPlan> runs;
  const int64_t points = GridPointCount(plan.sweeps, std::numeric_limits<int64_t>::max() / 2);
  int64_t index = 0;
  for (int64_t point = 0; point < points; ++point) {
    const SimControls controls = GridPoint(plan.controls, plan.sweeps, point);
    for (int64_t r = 0; r < plan.replications; ++r, ++index) {
      if (index % plan.shard.count != plan.shard.index) continue;
      RunPlan run{controls, plan.steps, plan.warmup, plan.autoWarmup};
      run.controls.seed = int32_t(plan.controls.seed + r);
      run.controls.reseed = true;
      runs.push_back(run);
    }
  }
  return runs;
}

RunResult MeasureRun(const RunPlan& run, const std::function<void(const StepCounts&)>& onStep,
                     std::atomic<int64_t>* stepsDone) {
  // Generators of the run's own: the set-up reseeds them, and no normal value is left
  // pending from another run, so every run is the one a fresh window would make.
  RandomVariates generator(uint32_t(run.controls.seed));
  RuntimeRandom moves;
  SimulationState s(generator, moves);
  FixedControls controls(run.controls);
  RunMeasurement measurement(s, run, onStep, stepsDone);
  SimPorts ports;
  ports.controls = &controls;
  ports.observer = &measurement;
  RunControl control(s, ports);
  control.SetUp();
  for (int64_t i = 0; i < run.steps; ++i) control.Step();
  return measurement.Result();
}

std::thread StartThread(std::function<void()> work) { return std::thread(std::move(work)); }

int64_t SecondsLeft(int64_t stepsDone, int64_t steps, double elapsedSeconds) {
  if (stepsDone <= 0) return -1;
  return std::llround(elapsedSeconds * double(steps - stepsDone) / double(stepsDone));
}

std::vector<RunResult> MeasureRuns(const std::vector<RunPlan>& runs, int threads,
                                   const std::function<void(const StepCounts&)>& onStep,
                                   std::atomic<int64_t>* stepsDone,
                                   const std::function<void(int64_t)>& watch,
                                   const ThreadStarter& start, const RunEnded& ended) {
  std::vector<RunResult> results(runs.size());
  if (runs.empty()) return results;
  std::atomic<size_t> next{0};
  std::atomic<int64_t> runsDone{0};
  std::mutex mutex;
  std::condition_variable finished;
  std::exception_ptr failure;
  const int workers = int(std::clamp<size_t>(size_t(std::max(threads, 1)), 1, runs.size()));
  int working = workers;
  // Each worker takes the next run not yet taken and puts its result in that run's
  // place, so which thread ran it leaves no trace in the output.
  auto work = [&] {
    try {
      for (size_t i; (i = next.fetch_add(1)) < runs.size();) {
        results[i] = MeasureRun(runs[i], onStep, stepsDone);
        if (ended) ended(i, results[i]);
        runsDone.fetch_add(1);
      }
    } catch (...) {
      std::lock_guard lock(mutex);
      if (!failure) failure = std::current_exception();
      next = runs.size();
    }
    std::lock_guard lock(mutex);
    --working;
    finished.notify_all();
  };
  std::vector<std::thread> pool;
  pool.reserve(size_t(workers));
  // A system out of threads (a process limit) gives fewer workers, not an abort.
  int started = 0;
  for (; started < workers; ++started) {
    try {
      pool.push_back(start(work));
    } catch (const std::system_error&) {
      break;
    }
  }
  {
    std::lock_guard lock(mutex);
    working -= workers - started;
  }
  if (pool.empty()) {
    working = 1;
    work();
  }
  {
    std::unique_lock lock(mutex);
    while (working > 0) {
      finished.wait_for(lock, std::chrono::milliseconds(250));
      if (watch && working > 0) {
        lock.unlock();
        watch(runsDone.load());
        lock.lock();
      }
    }
  }
  for (std::thread& t : pool) t.join();
  if (failure) std::rethrow_exception(failure);
  return results;
}

}  // namespace vadidazid
