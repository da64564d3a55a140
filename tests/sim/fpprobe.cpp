// The probe's numbers; see fpprobe.h.
#include "tests/sim/fpprobe.h"

#include <cstdio>

#include "random/randomvariates.h"
#include "random/runtimerandom.h"
#include "sim/setup.h"
#include "sim/step.h"
#include "tests/sim/fakewindow.h"

namespace vadidazid {

namespace {

void AppendBits(std::string& out, double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%a\n", value);
  out += text;
}

struct ProbeRun {
  int n, m, c, p, steps;
  const char* mean;
  const char* deviation;
};

}  // namespace

std::string FloatingPointProbe() {
  std::string out;
  RandomVariates g(12345);
  for (int i = 0; i < 4000; ++i) AppendBits(out, g.NormalVariate(20, 6));
  for (double mean : {0.5, 5.0, 16.9, 17.0, 50.5, 1000.25, 99999.5}) {
    for (int i = 0; i < 300; ++i) out += std::to_string(g.PoissonVariate(mean)) + "\n";
  }
  for (int n : {1023, 1024, 1025, 5000, 100000}) AppendBits(out, LnFac(n));

  const ProbeRun runs[] = {
      {16, 100000, 100, 100, 25, "20", "6"},
      {7, 20000, 30, 100, 40, "0.3", "2"},
      {10, 1000, 10, 15, 101, "5", "0.01"},
  };
  for (const ProbeRun& r : runs) {
    RandomVariates generator(1);
    RuntimeRandom moves;
    SimulationState state(generator, moves);
    FakeWindow window;
    window.controls.gridSide = r.n;
    window.controls.subscriberCount = r.m;
    window.controls.channelsPerCell = r.c;
    window.controls.callPercent = r.p;
    window.controls.stepLimit = r.steps - 1;
    window.controls.meanText = r.mean;
    window.controls.deviationText = r.deviation;
    SetUpSimulation(state, window);
    for (int i = 0; i < r.steps; ++i) SimulationStep(state, window);
    for (const std::string& line : window.log) {
      out += line;
      out += '\n';
    }
    for (const auto& series : window.chart) {
      for (double v : series) AppendBits(out, v);
    }
  }
  return out;
}

}  // namespace vadidazid
