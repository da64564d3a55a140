// One simulation step at the window's default parameters and at the largest ones, beside
// the straightforward reference step and the time of drawing the same random numbers
// alone (the floor a step cannot go below); the twister against the standard library's;
// and the headless runner's steps per second with its log going to a file.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "cli/runner.h"
#include "random/randomvariates.h"
#include "random/runtimerandom.h"
#include "random/twistpath.h"
#include "sim/fixedcontrols.h"
#include "sim/movedraw.h"
#include "sim/referencestep.h"
#include "sim/setup.h"
#include "sim/step.h"

namespace vadidazid {

namespace {

class QuietWindow : public FixedControls, public RunLog, public RunChart {
 public:
  explicit QuietWindow(SimControls c) : FixedControls(std::move(c)) {}
  void ClearLog() override {}
  void AddLogLine(const std::string& line) override { benchmark::DoNotOptimize(line.data()); }
  std::vector<std::string> LogLines() const override { return {}; }
  void ClearChartSeries(int) override {}
  void AddChartValue(int, double value) override { benchmark::DoNotOptimize(value); }
};

SimControls Defaults() { return SimControls{}; }

SimControls Largest() {
  return SimControls{
      .gridSide = 16,
      .subscriberCount = 100000,
      .channelsPerCell = 100,
      .callPercent = 100,
      .stepLimit = 1000000,
      .meanText = "20",
      .deviationText = "6",
  };
}

// A run past its start-up, in the state it keeps from then on; with the reference
// generator and step when asked.
struct WarmRun {
  std::unique_ptr<RandomVariates> generator;
  RuntimeRandom moves;
  SimulationState state;
  QuietWindow window;
  void (*step)(SimulationState&, const SimPorts&);
  WarmRun(SimControls c, bool reference = false)
      : generator(reference ? std::make_unique<ReferenceVariates>(12345)
                            : std::make_unique<RandomVariates>(12345)),
        state(*generator, moves),
        window(std::move(c)),
        step(reference ? ReferenceStep : SimulationStep) {
    SetUpSimulation(state, window);
    for (int i = 0; i < 200; ++i) Step();
  }
  void Step() { step(state, window); }
};

void BM_Step(benchmark::State& bench, SimControls controls) {
  WarmRun run(std::move(controls));
  for (auto _ : bench) run.Step();
  bench.counters["subscribers"] = run.state.subscriberCount;
}

void BM_ReferenceStep(benchmark::State& bench, SimControls controls) {
  WarmRun run(std::move(controls), true);
  for (auto _ : bench) run.Step();
  bench.counters["subscribers"] = run.state.subscriberCount;
}

// The step with one version of the move draws forced, for comparing them on this
// processor; skipped where it lacks the version.
void BM_StepOnPath(benchmark::State& bench, SimControls controls, MoveDrawPath path) {
  if (!ForceMoveDrawPath(path)) {
    bench.SkipWithError("the processor lacks this version");
    return;
  }
  WarmRun run(std::move(controls));
  for (auto _ : bench) run.Step();
  ForceMoveDrawPath(MoveDrawPath::kBest);
}

// The thread's processor time in nanoseconds: unlike the wall clock it leaves out the
// time other processes hold the processor.
double ThreadNanoseconds() {
  timespec t;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return double(t.tv_sec) * 1e9 + double(t.tv_nsec);
}

// What a reading of the thread's clock adds to the interval it ends: the time between
// two readings in a row, the median of many. Where a reading is a system call it is not
// small: on a virtual machine it can take over a microsecond, a fifth of the default
// step, and left in it would pull the ratio of two steps towards 1.
double ClockCostNanoseconds() {
  std::vector<double> gaps(201);
  for (double& gap : gaps) {
    const double start = ThreadNanoseconds();
    gap = ThreadNanoseconds() - start;
  }
  std::nth_element(gaps.begin(), gaps.begin() + 100, gaps.end());
  return gaps[100];
}

// The two steps in turns, on runs that stay identical, so that both see the same load
// of the machine; the ratio is the fast step's time over the reference step's, each
// without the clock's own cost, which is measured in the same run.
void BM_StepOverReference(benchmark::State& bench, SimControls controls) {
  WarmRun fast(controls);
  WarmRun reference(controls, true);
  const double clock = ClockCostNanoseconds();
  double fastTime = 0, referenceTime = 0;
  for (auto _ : bench) {
    const double t0 = ThreadNanoseconds();
    fast.Step();
    const double t1 = ThreadNanoseconds();
    reference.Step();
    const double t2 = ThreadNanoseconds();
    fastTime += t1 - t0 - clock;
    referenceTime += t2 - t1 - clock;
  }
  const double n = double(bench.iterations());
  bench.counters["clock_us"] = clock / 1000;
  bench.counters["fast_us"] = fastTime / n / 1000;
  bench.counters["reference_us"] = referenceTime / n / 1000;
  bench.counters["ratio"] = fastTime / referenceTime;
}

// Words per second of the twister and of the standard library's MT19937; the time per
// word is the inverse of the rate.
//
// The words are drawn one at a time, eight to a round of the loop. A loop of one draw is
// a few instructions that either fit one 64-byte fetch block or straddle two, depending
// on where unrelated code places them: the twister's figure moved between 0.76 and
// 1.02 ns/word with that alone. With eight draws to a round it moves by a few per cent.
template <class Generator>
void BM_Words(benchmark::State& bench) {
  Generator g(12345u);
  constexpr int kWords = 1 << 16;
  constexpr int kPerRound = 8;
  static_assert(kWords % kPerRound == 0);
  uint32_t sum = 0;
  for (auto _ : bench) {
    for (int i = 0; i < kWords; i += kPerRound) {
      for (int k = 0; k < kPerRound; ++k) sum += uint32_t(g());
    }
    benchmark::DoNotOptimize(sum);
  }
  bench.counters["ns_per_word"] = benchmark::Counter(
      double(kWords) * bench.iterations(),
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert, benchmark::Counter::kIs1000);
}

// The twister on the code this processor picks, and on the baseline code that runs on
// any processor of the architecture.
struct Twister {
  RandomSource source;
  explicit Twister(uint32_t seed) : source(seed) {}
  uint32_t operator()() { return source.NextWord(); }
};
struct TwisterBaseline : Twister {
  explicit TwisterBaseline(uint32_t seed) : Twister(seed) { TwistPathAccess::UseBaseline(source); }
};

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
    const double mean =
        run.state.callPercent * 0.01 * (run.state.subscriberCount - run.state.runningCalls);
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
BENCHMARK_CAPTURE(BM_ReferenceStep, defaults, Defaults());
BENCHMARK_CAPTURE(BM_StepOverReference, defaults, Defaults());
BENCHMARK_CAPTURE(BM_RandomFloor, defaults, Defaults());
BENCHMARK_CAPTURE(BM_Step, largest, Largest());
BENCHMARK_CAPTURE(BM_ReferenceStep, largest, Largest());
BENCHMARK_CAPTURE(BM_StepOverReference, largest, Largest());
BENCHMARK_CAPTURE(BM_RandomFloor, largest, Largest());
BENCHMARK_CAPTURE(BM_StepOnPath, defaults_portable, Defaults(), MoveDrawPath::kPortable);
BENCHMARK_CAPTURE(BM_StepOnPath, defaults_wide, Defaults(), MoveDrawPath::kWide);
BENCHMARK_CAPTURE(BM_StepOnPath, defaults_widest, Defaults(), MoveDrawPath::kWidest);
BENCHMARK_CAPTURE(BM_StepOnPath, largest_portable, Largest(), MoveDrawPath::kPortable);
BENCHMARK_CAPTURE(BM_StepOnPath, largest_wide, Largest(), MoveDrawPath::kWide);
BENCHMARK_CAPTURE(BM_StepOnPath, largest_widest, Largest(), MoveDrawPath::kWidest);
BENCHMARK(BM_Words<Twister>);
BENCHMARK(BM_Words<TwisterBaseline>);
BENCHMARK(BM_Words<std::mt19937>);
BENCHMARK(BM_RunnerToFile)->Unit(benchmark::kMillisecond);

}  // namespace

}  // namespace vadidazid
