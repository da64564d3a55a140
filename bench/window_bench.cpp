// What a user of the window waits for. One full step at the default and the largest
// parameters: the simulation, the cell picture, the log line and the chart's values, and
// the window's repaint of the cells. One timer tick's chart work on a long run: a point
// added to each series and the chart repainted whole, against drawing the same chart
// segment by segment. And the memory a long run in the window takes per step.
//
// The machine's load varies, so the figures are CPU times of this thread.
#include <benchmark/benchmark.h>

#include <time.h>

#include <QApplication>
#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <fstream>
#include <utility>
#include <vector>

#include "chart/panel/chart.h"
#include "chart/series/lineseries.h"
#include "platform/qt/imagecanvas.h"
#include "platform/qt/messages.h"
#include "programchart/programchart.h"
#include "runvalues.h"
#include "sim/simulationstate.h"
#include "ui/clientarea.h"
#include "ui/cspinedit.h"
#include "ui/mainwindow.h"

namespace vadidazid {

namespace {

void BM_WindowStep(benchmark::State& bench, bool largest) {
  TForm1 form;
  form.show();
  form.activateWindow();
  if (!QTest::qWaitForWindowActive(&form)) {
    bench.SkipWithError("the window never became active");
    return;
  }
  if (largest) {
    form.CSpinEdit1->SetValue(16);
    form.CSpinEdit2->SetValue(100000);
    form.CSpinEdit3->SetValue(100);
    form.CSpinEdit4->SetValue(100);
    form.CSpinEdit5->SetValue(1000000);
    form.Edit1->setText("20");
    form.Edit2->setText("6");
  }
  form.Button3Click();
  for (int i = 0; i < 100; ++i) form.Button2Click();
  for (auto _ : bench) {
    form.Button2Click();
    form.ClientArea->repaint(kGridLeft, kGridTop, kGridWidth, kGridHeight);
  }
}

BENCHMARK_CAPTURE(BM_WindowStep, defaults, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_WindowStep, largest, true)->Unit(benchmark::kMicrosecond);

double ThreadCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// The program's chart holding the first `points` steps of a real run in every series.
std::unique_ptr<TChart> RunChart(const std::vector<std::array<double, 4>>& values, int points) {
  auto chart = CreateProgramChart();
  for (int s = 0; s < 4; ++s) {
    TChartSeries& series = *chart->Series(s);
    series.Clear();
    series.BeginUpdate();
    for (int i = 0; i < points; ++i) series.Add(values[i][s]);
    series.EndUpdate();
  }
  return chart;
}

// CPU milliseconds of one complete drawing with every segment drawn on its own (the
// median of three).
double SegmentDrawingMs(TChart& chart, Canvas& canvas) {
  for (int s = 0; s < 4; ++s) static_cast<TLineSeries&>(*chart.Series(s)).SetColumnDrawing(false);
  std::vector<double> times;
  for (int k = 0; k < 3; ++k) {
    const double start = ThreadCpuMs();
    chart.Draw(canvas, chart.GetRectangle());
    times.push_back(ThreadCpuMs() - start);
  }
  for (int s = 0; s < 4; ++s) static_cast<TLineSeries&>(*chart.Series(s)).SetColumnDrawing(true);
  std::sort(times.begin(), times.end());
  return times[1];
}

// One timer tick's chart work with N points per series: a point added to each series,
// then the repaint, which draws the whole chart into the window's picture.
void BM_ChartTick(benchmark::State& bench) {
  const int points = int(bench.range(0));
  const int ticks = int(bench.max_iterations);
  const auto& values = RunChartValues(points + ticks);
  if (int(values.size()) < points + ticks) {
    bench.SkipWithError("the run gave fewer values than asked for");
    return;
  }
  auto chart = RunChart(values, points);
  ImageCanvas window(chart->Width(), chart->Height(), clBtnFace);
  chart->SetWindowCanvas(&window);
  chart->Paint();
  int next = points;
  double tickMs = 0;
  for (auto _ : bench) {
    const double start = ThreadCpuMs();
    for (int s = 0; s < 4; ++s) chart->Series(s)->Add(values[next][s]);
    chart->Paint();
    tickMs += ThreadCpuMs() - start;
    ++next;
  }
  benchmark::DoNotOptimize(window.Image().constBits());
  chart->SetWindowCanvas(nullptr);
  tickMs /= double(bench.iterations());
  bench.counters["tick_ms"] = tickMs;
  bench.counters["segments_ratio"] = tickMs / SegmentDrawingMs(*chart, window);
}
BENCHMARK(BM_ChartTick)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Iterations(50)
    ->Unit(benchmark::kMillisecond);

long ResidentBytes() {
  long pages = 0, resident = 0;
  std::ifstream statm("/proc/self/statm");
  statm >> pages >> resident;
  return resident * 4096L;
}

// Resident memory growth of a long run in the offscreen window, per timer step. The
// window handles its events every hundred steps, as it would between ticks.
void BM_WindowMemory(benchmark::State& bench) {
  constexpr int kSteps = 100000;
  // A second run in the same process reuses the memory the first one freed, so its
  // resident set hardly grows: only the first run's figure means anything.
  static bool measured = false;
  if (std::exchange(measured, true)) {
    bench.SkipWithError("measured once per process; run it without repetitions");
    return;
  }
  for (auto _ : bench) {
    TForm1 form;
    form.show();
    (void)QTest::qWaitForWindowExposed(&form);
    form.CSpinEdit5->SetValue(1000000);
    form.Button1Click();
    form.Timer1->stop();
    QCoreApplication::processEvents();
    const long before = ResidentBytes();
    for (int i = 1; i <= kSteps; ++i) {
      form.Timer1Timer();
      if (i % 100 == 0) QCoreApplication::processEvents();
    }
    bench.counters["bytes_per_step"] = double(ResidentBytes() - before) / kSteps;
  }
}
BENCHMARK(BM_WindowMemory)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

}  // namespace vadidazid

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  vadidazid::SetMessageHook([](const std::string&) {});
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
