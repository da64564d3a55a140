// The chart's picture: drawing the program's chart with a 1000-step run into a new
// bitmap, turning a 433 x 201 bitmap into BMP bytes, and the whole "Zapisz wykres"
// save through a temporary file and its rename.
#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdio>
#include <string>

#include "chart/chart.h"
#include "chart/chartseries.h"
#include "chart/programchart.h"
#include "platform/bmpfile.h"
#include "platform/imagecanvas.h"

namespace {

std::unique_ptr<TChart> ThousandSteps() {
  auto chart = CreateProgramChart();
  for (int s = 0; s < 4; ++s) {
    chart->Series(s)->Clear();
    for (int i = 0; i < 1000; ++i) chart->Series(s)->Add((i * 37 + s * 11) % 41);
  }
  return chart;
}

void BM_CreateBitmap(benchmark::State& bench) {
  auto chart = ThousandSteps();
  ImageCanvas window(433, 201, clBtnFace);
  chart->SetWindowCanvas(&window);
  for (auto _ : bench) benchmark::DoNotOptimize(chart->TeeCreateBitmap(
      clWhite, chart->GetRectangle(), TPixelFormat::pf32bit));
  chart->SetWindowCanvas(nullptr);
}
BENCHMARK(BM_CreateBitmap)->Unit(benchmark::kMicrosecond);

void BM_BitmapFileBytes(benchmark::State& bench) {
  ImageCanvas picture(433, 201, clBtnFace);
  for (auto _ : bench) benchmark::DoNotOptimize(BitmapFileBytes(picture, 433, 201, 32));
}
BENCHMARK(BM_BitmapFileBytes)->Unit(benchmark::kMicrosecond);

void BM_SaveToBitmapFile(benchmark::State& bench) {
  auto chart = ThousandSteps();
  ImageCanvas window(433, 201, clBtnFace);
  chart->SetWindowCanvas(&window);
  const std::string name = "bench_wykres.bmp";
  for (auto _ : bench) chart->SaveToBitmapFile(name);
  std::remove(name.c_str());
  chart->SetWindowCanvas(nullptr);
}
BENCHMARK(BM_SaveToBitmapFile)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
