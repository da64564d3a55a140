// The step with an observer that asks for the per-cell counts (as a map of a run does),
// beside the same step with an observer that does not, at the window's default
// parameters and at the largest ones.
#include <benchmark/benchmark.h>

#include "random/randomvariates.h"
#include "random/runtimerandom.h"
#include "sim/fixedcontrols.h"
#include "sim/setup.h"
#include "sim/step.h"

namespace vadidazid {

namespace {

class Observer : public FixedControls, public StepObserver {
 public:
  Observer(SimControls c, bool cells) : FixedControls(std::move(c)), cells_(cells) {}
  void StepCounted(const StepReport& r) override {
    benchmark::DoNotOptimize(r.newCalls.fullCellOffers);
    benchmark::DoNotOptimize(r.cells.dropped.data());
  }
  bool WantsCellCounts() const override { return cells_; }

 private:
  bool cells_;
};

SimControls Largest() {
  SimControls c;
  c.gridSide = 16;
  c.subscriberCount = 100000;
  c.channelsPerCell = 100;
  c.callPercent = 100;
  c.stepLimit = 1000000;
  c.meanText = "20";
  c.deviationText = "6";
  return c;
}

void BM_ObservedStep(benchmark::State& bench, SimControls controls, bool cells) {
  RandomVariates generator(12345);
  RuntimeRandom moves;
  SimulationState state(generator, moves);
  Observer observer(std::move(controls), cells);
  SetUpSimulation(state, observer);
  for (int i = 0; i < 200; ++i) SimulationStep(state, observer);
  for (auto _ : bench) SimulationStep(state, observer);
}

BENCHMARK_CAPTURE(BM_ObservedStep, defaults, SimControls{}, false);
BENCHMARK_CAPTURE(BM_ObservedStep, defaults_cells, SimControls{}, true);
BENCHMARK_CAPTURE(BM_ObservedStep, largest, Largest(), false);
BENCHMARK_CAPTURE(BM_ObservedStep, largest_cells, Largest(), true);

}  // namespace

}  // namespace vadidazid
