// The program's chart and its picture: a full drawing into an image against the paint of
// an unchanged chart, which only copies the retained picture; drawing into a new bitmap,
// turning a 433 x 201 bitmap into BMP bytes, and the whole "Zapisz wykres" save through
// a temporary file and its rename.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "chart/panel/chart.h"
#include "chart/series/chartseries.h"
#include "platform/formats/bmpfile.h"
#include "platform/qt/imagecanvas.h"
#include "programchart/programchart.h"

namespace vadidazid {

namespace {

std::unique_ptr<TChart> ChartAfter(int steps) {
  auto chart = CreateProgramChart();
  for (int s = 0; s < 4; ++s) {
    chart->Series(s)->Clear();
    for (int i = 0; i < steps; ++i) chart->Series(s)->Add((i * 37 + s * 11) % 41);
  }
  return chart;
}

void BM_ChartDraw(benchmark::State& bench) {
  auto chart = ChartAfter(100);
  ImageCanvas window(433, 201, clBtnFace);
  chart->SetWindowCanvas(&window);
  for (auto _ : bench) {
    chart->Invalidate();
    chart->Paint();
  }
  chart->SetWindowCanvas(nullptr);
}
BENCHMARK(BM_ChartDraw)->Unit(benchmark::kMicrosecond);

void BM_ChartUnchangedPaint(benchmark::State& bench) {
  auto chart = ChartAfter(100);
  ImageCanvas window(433, 201, clBtnFace);
  chart->SetWindowCanvas(&window);
  chart->Paint();
  for (auto _ : bench) chart->Paint();
  chart->SetWindowCanvas(nullptr);
}
BENCHMARK(BM_ChartUnchangedPaint)->Unit(benchmark::kMicrosecond);

void BM_CreateBitmap(benchmark::State& bench) {
  auto chart = ChartAfter(1000);
  ImageCanvas window(433, 201, clBtnFace);
  chart->SetWindowCanvas(&window);
  for (auto _ : bench)
    benchmark::DoNotOptimize(
        chart->TeeCreateBitmap(clWhite, chart->GetRectangle(), TPixelFormat::pf32bit));
  chart->SetWindowCanvas(nullptr);
}
BENCHMARK(BM_CreateBitmap)->Unit(benchmark::kMicrosecond);

void BM_BitmapFileBytes(benchmark::State& bench) {
  ImageCanvas picture(433, 201, clBtnFace);
  for (auto _ : bench) benchmark::DoNotOptimize(BitmapFileBytes(picture, 433, 201, 32));
}
BENCHMARK(BM_BitmapFileBytes)->Unit(benchmark::kMicrosecond);

void BM_SaveToBitmapFile(benchmark::State& bench) {
  auto chart = ChartAfter(1000);
  ImageCanvas window(433, 201, clBtnFace);
  chart->SetWindowCanvas(&window);
  const std::string name = "bench_wykres.bmp";
  for (auto _ : bench) chart->SaveToBitmapFile(name);
  std::remove(name.c_str());
  chart->SetWindowCanvas(nullptr);
}
BENCHMARK(BM_SaveToBitmapFile)->Unit(benchmark::kMicrosecond);

}  // namespace

}  // namespace vadidazid
