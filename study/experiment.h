// An experiment: runs of the simulation at every point of a grid of sweeps, each point
// with R replications seeded seed, seed + 1, ..., every run set up as the window sets up
// with the seed ticked and measured after its warm-up. The runs go to
// worker threads and their results come back in the experiment's own order, so the
// output is the same whatever the number of threads.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "sim/controlsource.h"
#include "study/runresult.h"
#include "study/sweep.h"

namespace vadidazid {

// The most runs one experiment may have (all shards together). Its results are held
// until the last run ends, so a larger one would only exhaust the memory.
inline constexpr int64_t kMaxExperimentRuns = 1000000;

// Throws UsageError, with a message for the user, for sweeps and replications
// that make more than kMaxExperimentRuns runs.
void CheckExperimentSize(const std::vector<Sweep>& sweeps, int64_t replications);

// "I/N": the runs I, I + N, I + 2N, ... of the experiment.
struct Shard {
  int64_t index = 0;
  int64_t count = 1;
};
Shard ParseShard(const std::string& text);

struct ExperimentPlan {
  SimControls controls;
  int64_t steps = 0;  // per run
  int64_t warmup = 0;
  bool autoWarmup = false;  // each run's warm-up chosen by MSER-5 instead
  int64_t replications = 1;
  std::vector<Sweep> sweeps;  // a full grid; none for one point
  Shard shard;
};

// Throws UsageError when the plan cannot be run as asked: a warm-up not below
// the step count, or replications whose seeds would leave the seed range (the set-up
// would hold them at its end and repeat one run). Throws what the set-up throws for a
// grid point whose mean and deviation give no call duration, naming the point.
void CheckPlan(const ExperimentPlan& plan);

// Sets a run up with the controls, as a check before any output is begun, and returns
// the steps of its timed run. Throws what the set-up throws for unusable controls (a
// mean and deviation that give no call duration).
int64_t CheckedTimedRunSteps(const SimControls& controls);

// The steps of a timed run at the plan's points (they share the step limit), checked by
// setting the first point up: the swept parameters' base values do not count. Throws as
// CheckPlan does for that point.
int64_t PlanTimedRunSteps(const ExperimentPlan& plan);

// One run: the controls it is set up with.
struct RunPlan {
  SimControls controls;
  int64_t steps = 0;
  int64_t warmup = 0;
  bool autoWarmup = false;
};

// The runs of the plan's shard, in the experiment's order: the grid's points with the
// first sweep changing slowest and each sweep's values in their order, the replications
// of a point by seed.
std::vector<RunPlan> ExperimentRuns(const ExperimentPlan& plan);

// The counts of all phases of one step, with its number (1 for the first step after
// set-up). Its drops and ends are its own, which its log line shows one step later.
struct StepCounts {
  int64_t step;
  int32_t running, newCalls, blocked, fullCellOffers, dropped, handovers, ended;
  int64_t callSteps;
  double loadPercent, droppedPercent;  // of the network's channels
};

// Performs one run. onStep, when given, sees every step; stepsDone counts them for a
// progress display. Throws what the set-up throws for unusable parameters.
RunResult MeasureRun(const RunPlan& run, const std::function<void(const StepCounts&)>& onStep = {},
                     std::atomic<int64_t>* stepsDone = nullptr);

// Starts a worker thread; throws std::system_error when the system gives no more threads.
using ThreadStarter = std::function<std::thread(std::function<void()>)>;
std::thread StartThread(std::function<void()> work);

// Called on a worker thread as each run ends, with the run's index among the runs, so
// a watcher can show results before the last run is done, or keep those of runs that
// ended before an exception stopped the others.
using RunEnded = std::function<void(size_t index, const RunResult& result)>;

// All runs on `threads` worker threads; results in the order of the runs. Where a thread
// cannot be started the runs go to those that did, or to the calling thread. onStep and
// stepsDone as for MeasureRun, called on the worker threads (so onStep suits one run
// only, or a check that throws to stop every run at its next step); `watch` is called on
// the calling thread about four times a second meanwhile, and `ended` on a worker thread
// as each run ends. After the first exception of a run no further run starts; it is
// thrown again here.
std::vector<RunResult> MeasureRuns(const std::vector<RunPlan>& runs, int threads,
                                   const std::function<void(const StepCounts&)>& onStep = {},
                                   std::atomic<int64_t>* stepsDone = nullptr,
                                   const std::function<void(int64_t runsDone)>& watch = {},
                                   const ThreadStarter& start = StartThread,
                                   const RunEnded& ended = {});

// The seconds an experiment has left, estimated from the share of its steps done so far
// in `elapsedSeconds`; -1 before any step is done, when nothing can be estimated.
int64_t SecondsLeft(int64_t stepsDone, int64_t steps, double elapsedSeconds);

}  // namespace vadidazid
