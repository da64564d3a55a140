// Experiments: the plan's runs, one measured run, and the worker threads.
#include "cli/experiment.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <limits>
#include <mutex>
#include <stdexcept>
#include <system_error>
#include <thread>

#include "cli/statistics.h"
#include "random/randomvariates.h"
#include "random/runtimerandom.h"
#include "sim/fixedcontrols.h"
#include "sim/runcontrol.h"
#include "sim/setup.h"

namespace {

struct SweepParameter {
  const char* name;
  int32_t SimControls::*field;
  const ParameterRange* range;
};

const SweepParameter kSweepParameters[] = {
    {"call-percent", &SimControls::callPercent, &kCallPercentRange},
    {"channels", &SimControls::channelsPerCell, &kChannelRange},
    {"subscribers", &SimControls::subscriberCount, &kSubscriberRange},
    {"grid-side", &SimControls::gridSide, &kGridSideRange},
};

bool ParseWhole(const std::string& text, int64_t& value) {
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return !text.empty() && ec == std::errc() && ptr == end;
}

// The observer of a measured run: it passes every step on to onStep and the progress
// count, and sums the steps after the warm-up.
class RunMeasurement : public StepObserver {
 public:
  RunMeasurement(const SimulationState& state, const RunPlan& run,
                 const std::function<void(const StepCounts&)>& onStep,
                 std::atomic<int64_t>* stepsDone)
      : state_(state), run_(run), onStep_(onStep), stepsDone_(stepsDone) {}

  void StepCounted(const StepReport& report) override {
    if (onStep_) onStep_(CountsOf(report));
    if (stepsDone_ != nullptr) stepsDone_->fetch_add(1, std::memory_order_relaxed);
    if (report.step > run_.warmup) Add(report);
  }

  // The run's parameters as the set-up took them, the sums and the rates from them.
  RunResult Result() const;

 private:
  StepCounts CountsOf(const StepReport& report) const {
    // The chart's two values, computed as the chart computes them.
    const double capacity = double(state_.NetworkCapacity());
    return {report.step,          report.recount.running,    report.newCalls.started,
            report.newCalls.blocked, report.moves.dropped,   report.countdown.ended,
            report.recount.running / capacity * 100, report.moves.dropped / capacity * 100};
  }

  void Add(const StepReport& report) {
    sums_.attempts += report.newCalls.started + report.newCalls.blocked;
    sums_.blocked += report.newCalls.blocked;
    sums_.started += report.newCalls.started;
    // The hand-overs of the move phase whose drops this step reports.
    sums_.dropped += report.moves.dropped;
    sums_.handovers += report.moves.handedOver;
    sums_.ended += report.countdown.ended;
    runningSum_ += report.recount.running;
    runningMax_ = std::max(runningMax_, report.recount.running);
    callSteps_ += report.newCalls.callSteps;
  }

  void SetRates(RunResult& r) const;

  const SimulationState& state_;
  const RunPlan& run_;
  const std::function<void(const StepCounts&)>& onStep_;
  std::atomic<int64_t>* stepsDone_;
  RunResult sums_;
  int64_t runningSum_ = 0;
  int64_t callSteps_ = 0;
  int32_t runningMax_ = 0;
};

RunResult RunMeasurement::Result() const {
  const SimulationState& s = state_;
  RunResult r = sums_;
  r.gridSide = s.gridSide;
  r.subscribers = s.subscriberCount;
  r.channels = s.channelsPerCell;
  r.callPercent = s.callPercent;
  r.steps = run_.steps;
  r.warmup = run_.warmup;
  r.mean = s.callMean;
  r.deviation = s.callDeviation;
  r.seed = s.seed;
  SetRates(r);
  return r;
}

void RunMeasurement::SetRates(RunResult& r) const {
  const double measured = double(run_.steps - run_.warmup);
  const double capacity = double(state_.NetworkCapacity());
  const double nothing = std::numeric_limits<double>::quiet_NaN();
  r.meanLoadPercent = double(runningSum_) / measured / capacity * 100;
  r.maxLoadPercent = runningMax_ / capacity * 100;
  r.blockingProbability = r.attempts > 0 ? double(r.blocked) / double(r.attempts) : nothing;
  r.droppingProbability = r.handovers > 0 ? double(r.dropped) / double(r.handovers) : nothing;
  // No call drawn offers no traffic; calls drawn but none started leave the holding
  // time, and so the load, unknown.
  if (r.attempts == 0) {
    r.offeredErlangsPerCell = 0.0;
  } else if (r.started == 0) {
    r.offeredErlangsPerCell = nothing;
  } else {
    const double cells = double(state_.gridSide) * state_.gridSide;
    const double holding = double(callSteps_) / double(r.started);
    r.offeredErlangsPerCell = double(r.attempts) / measured / cells * holding;
  }
  r.erlangB = ErlangB(r.offeredErlangsPerCell, state_.channelsPerCell);
}

}  // namespace

Sweep ParseSweep(const std::string& text) {
  const size_t equals = text.find('=');
  const std::string name = text.substr(0, equals);
  const SweepParameter* parameter = nullptr;
  for (const SweepParameter& p : kSweepParameters) {
    if (name == p.name) parameter = &p;
  }
  if (equals == std::string::npos || parameter == nullptr) {
    throw std::invalid_argument("--sweep: '" + name +
                                "' is not a parameter to sweep; use call-percent, channels, "
                                "subscribers or grid-side");
  }
  const std::string range = text.substr(equals + 1);
  const size_t colon1 = range.find(':');
  const size_t colon2 = colon1 == std::string::npos ? colon1 : range.find(':', colon1 + 1);
  int64_t from = 0, to = 0, step = 0;
  if (colon2 == std::string::npos || !ParseWhole(range.substr(0, colon1), from) ||
      !ParseWhole(range.substr(colon1 + 1, colon2 - colon1 - 1), to) ||
      !ParseWhole(range.substr(colon2 + 1), step)) {
    throw std::invalid_argument("--sweep: '" + text + "' is not NAME=FROM:TO:STEP in whole numbers");
  }
  if (step < 1) throw std::invalid_argument("--sweep: STEP " + std::to_string(step) + " is not positive");
  if (from > to) {
    throw std::invalid_argument("--sweep: FROM " + std::to_string(from) + " is above TO " +
                                std::to_string(to));
  }
  for (int64_t value : {from, to}) {
    if (value < parameter->range->min || value > parameter->range->max) {
      throw std::invalid_argument("--sweep: " + name + " " + std::to_string(value) +
                                  " is outside " + std::to_string(parameter->range->min) +
                                  " .. " + std::to_string(parameter->range->max));
    }
  }
  // A step past TO gives the one point FROM, whatever its size.
  return {name, parameter->field, int32_t(from), int32_t(to),
          int32_t(std::min<int64_t>(step, to - from + 1))};
}

Shard ParseShard(const std::string& text) {
  const size_t slash = text.find('/');
  Shard shard;
  if (slash == std::string::npos || !ParseWhole(text.substr(0, slash), shard.index) ||
      !ParseWhole(text.substr(slash + 1), shard.count) || shard.index < 0 || shard.count < 1) {
    throw std::invalid_argument("--shard: '" + text + "' is not I/N with 0 <= I < N");
  }
  if (shard.index >= shard.count) {
    throw std::invalid_argument("--shard: I " + std::to_string(shard.index) +
                                " is not below N " + std::to_string(shard.count));
  }
  return shard;
}

void CheckPlan(const ExperimentPlan& plan) {
  if (plan.steps < 1) throw std::invalid_argument("--steps: an experiment's runs need a step");
  if (plan.warmup >= plan.steps) {
    throw std::invalid_argument("--warmup: " + std::to_string(plan.warmup) +
                                " is not below the " + std::to_string(plan.steps) +
                                " steps of a run");
  }
  const int64_t lastSeed = int64_t(plan.controls.seed) + plan.replications - 1;
  if (lastSeed > kSeedRange.max) {
    throw std::invalid_argument(
        "--replications: " + std::to_string(plan.replications) + " runs from seed " +
        std::to_string(plan.controls.seed) + " need seeds up to " + std::to_string(lastSeed) +
        ", above the largest seed " + std::to_string(kSeedRange.max));
  }
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
  const Sweep sweep = plan.sweep.value_or(Sweep{});
  int64_t index = 0;
  for (int64_t value = sweep.from; value <= sweep.to; value += sweep.step) {
    for (int64_t r = 0; r < plan.replications; ++r, ++index) {
      if (index % plan.shard.count != plan.shard.index) continue;
      RunPlan run{plan.controls, plan.steps, plan.warmup};
      if (sweep.field != nullptr) run.controls.*sweep.field = int32_t(value);
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

std::vector<RunResult> MeasureRuns(const std::vector<RunPlan>& runs, int threads,
                                   const std::function<void(const StepCounts&)>& onStep,
                                   std::atomic<int64_t>* stepsDone,
                                   const std::function<void(int64_t)>& watch,
                                   const ThreadStarter& start) {
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
