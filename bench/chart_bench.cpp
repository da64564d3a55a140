// The program's chart with a hundred points per series: a full drawing into an image,
// against the paint of an unchanged chart, which only copies the retained picture.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "chart/chart.h"
#include "chart/chartseries.h"
#include "chart/programchart.h"
#include "platform/imagecanvas.h"

namespace {

std::unique_ptr<TChart> HundredSteps() {
  auto chart = CreateProgramChart();
  for (int s = 0; s < 4; ++s) {
    chart->Series(s)->Clear();
    for (int i = 0; i < 100; ++i) chart->Series(s)->Add((i * 37 + s * 11) % 41);
  }
  return chart;
}

void BM_ChartDraw(benchmark::State& bench) {
  auto chart = HundredSteps();
  ImageCanvas window(433, 201, clBtnFace);
  chart->SetWindowCanvas(&window);
  for (auto _ : bench) {
    chart->Invalidate();
    chart->Paint();
  }
}
BENCHMARK(BM_ChartDraw)->Unit(benchmark::kMicrosecond);

void BM_ChartUnchangedPaint(benchmark::State& bench) {
  auto chart = HundredSteps();
  ImageCanvas window(433, 201, clBtnFace);
  chart->SetWindowCanvas(&window);
  chart->Paint();
  for (auto _ : bench) chart->Paint();
}
BENCHMARK(BM_ChartUnchangedPaint)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
