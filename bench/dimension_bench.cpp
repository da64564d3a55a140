// One dimensioning of the channels: 2,000 subscribers on the window's default grid,
// call_congestion <= 0.05, runs of 3,000 steps with each run's own warm-up, on two
// threads. Reports the runs the search spent beside its wall-clock time.
#include <benchmark/benchmark.h>

#include "study/dimensioning.h"

namespace vadidazid {

namespace {

void BM_DimensionChannels(benchmark::State& bench) {
  DimensionPlan plan;
  plan.base.controls.subscriberCount = 2000;
  plan.base.steps = int64_t(bench.range(0));
  plan.base.autoWarmup = true;
  plan.parameter = "channels";
  plan.target = ParseDimensionTarget("call_congestion<=0.05");
  int64_t runs = 0, answer = 0;
  for (auto _ : bench) {
    const DimensionAnswer a =
        Dimension(plan, [](const std::vector<RunPlan>& batch) { return MeasureRuns(batch, 2); });
    runs = a.runs;
    answer = a.answer.value_or(-1);
  }
  bench.counters["runs"] = double(runs);
  bench.counters["answer"] = double(answer);
}

BENCHMARK(BM_DimensionChannels)
    ->ArgName("steps")
    ->Arg(3000)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace

}  // namespace vadidazid

BENCHMARK_MAIN();
