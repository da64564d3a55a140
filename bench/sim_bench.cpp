// One simulation step at the window's default parameters and at the largest ones, beside
// the time of drawing the same random numbers alone (the floor a step cannot go below),
// and the headless runner's steps per second with its log going to a file.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "cli/runner.h"
#include "random/randomvariates.h"
#include "random/runtimerandom.h"
#include "sim/setup.h"
#include "sim/step.h"

namespace {

class QuietWindow : public SimWindow {
 public:
  explicit QuietWindow(SimControls c) : controls_(std::move(c)) {}
  SimControls ReadControls() override { return controls_; }
  void ClearLog() override {}
  void AddLogLine(const std::string& line) override { benchmark::DoNotOptimize(line.data()); }
  std::vector<std::string> LogLines() const override { return {}; }
  void ClearChartSeries(int) override {}
  void AddChartValue(int, double value) override { benchmark::DoNotOptimize(value); }
  Canvas* GridCanvas() override { return nullptr; }
  void ShowMessage(const std::string&) override {}

 private:
  SimControls controls_;
};

SimControls Defaults() { return SimControls{}; }

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

// A run past its start-up, in the state it keeps from then on.
struct WarmRun {
  RandomVariates generator{12345};
  RuntimeRandom moves;
  SimulationState state{generator, moves};
  QuietWindow window;
  explicit WarmRun(SimControls c) : window(std::move(c)) {
    SetUpSimulation(state, window);
    for (int i = 0; i < 200; ++i) SimulationStep(state, window);
  }
};

void BM_Step(benchmark::State& bench, SimControls controls) {
  WarmRun run(std::move(controls));
  for (auto _ : bench) SimulationStep(run.state, run.window);
  bench.counters["subscribers"] = run.state.subscriberCount;
}

// What a step draws: its Poisson count, the offer order, one normal value per started
// call and two move numbers per subscriber, replayed from a recorded stretch of the run.
void BM_RandomFloor(benchmark::State& bench, SimControls controls) {
  WarmRun run(std::move(controls));
  struct Draws {
    double mean;
    int normals;
  };
  std::vector<Draws> steps;
  for (int i = 0; i < 300; ++i) {
    const double mean = run.state.callPercent * 0.01 * (run.state.subscriberCount - run.state.runningCalls);
    StartNewCalls(run.state);
    steps.push_back({mean, run.state.newCalls});
    RecountCells(run.state);
    run.state.newCalls = run.state.droppedCalls = run.state.endedCalls = 0;
    MoveSubscribers(run.state);
    CountDownCalls(run.state);
  }
  RandomVariates g(777);
  RuntimeRandom moves;
  const int m = run.state.subscriberCount;
  std::vector<int32_t> order(m);
  size_t next = 0;
  for (auto _ : bench) {
    const Draws& d = steps[next++ % steps.size()];
    benchmark::DoNotOptimize(g.PoissonVariate(d.mean));
    g.FillShuffled(order.data(), 0, m);
    for (int i = 0; i < d.normals; ++i) benchmark::DoNotOptimize(g.NormalVariate(20, 6));
    int32_t sum = 0;
    for (int i = 0; i < m; ++i) sum += RandomBelow(moves, 2) + RandomBelow(moves, 7);
    benchmark::DoNotOptimize(sum);
    benchmark::ClobberMemory();
  }
}

void BM_RunnerToFile(benchmark::State& bench) {
  const std::string name = "/tmp/vadidazid-bench-log.txt";
  const int steps = 100000;
  for (auto _ : bench) {
    std::ostringstream out, err;
    RunSimulator({"--steps", std::to_string(steps), "--out", name}, out, err);
  }
  bench.counters["steps_per_second"] =
      benchmark::Counter(double(steps) * bench.iterations(), benchmark::Counter::kIsRate);
  std::remove(name.c_str());
}

BENCHMARK_CAPTURE(BM_Step, defaults, Defaults());
BENCHMARK_CAPTURE(BM_RandomFloor, defaults, Defaults());
BENCHMARK_CAPTURE(BM_Step, largest, Largest());
BENCHMARK_CAPTURE(BM_RandomFloor, largest, Largest());
BENCHMARK(BM_RunnerToFile)->Unit(benchmark::kMillisecond);

}  // namespace
