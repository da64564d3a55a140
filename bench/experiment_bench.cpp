// An experiment of the runner on one and on two threads: a sweep of the call percentage
// from 5 to 50 in steps of 5, 8 replications of 1,000 steps each at the window's default
// network (80 runs). Wall-clock time, since the point is what the threads save.
#include <benchmark/benchmark.h>

#include "study/experiment.h"

namespace vadidazid {

namespace {

void BM_CallPercentSweep(benchmark::State& bench) {
  ExperimentPlan plan;
  plan.steps = 1000;
  plan.replications = 8;
  plan.sweeps = {ParseSweep("call-percent=5:50:5")};
  const std::vector<RunPlan> runs = ExperimentRuns(plan);
  for (auto _ : bench) {
    benchmark::DoNotOptimize(MeasureRuns(runs, int(bench.range(0))).data());
  }
  bench.counters["runs"] = double(runs.size());
  bench.counters["steps_per_second"] = benchmark::Counter(
      double(runs.size()) * plan.steps * double(bench.iterations()), benchmark::Counter::kIsRate);
}

BENCHMARK(BM_CallPercentSweep)
    ->ArgName("threads")
    ->Arg(1)
    ->Arg(2)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace

}  // namespace vadidazid

BENCHMARK_MAIN();
