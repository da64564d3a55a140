// Full drawing of the program's chart (433 x 201) holding a real run's four chart
// values, at 10,000, 100,000 and 1,000,000 points per series: once as the window draws
// it (long lines column by column) and once drawing every segment through the canvas,
// which is what the column drawing must match pixel for pixel.
//
// The values come from one headless run of the default parameters with as many steps
// as the largest case needs; the run is made once, before the first measurement.
#include <benchmark/benchmark.h>

#include <array>
#include <sstream>
#include <string>
#include <vector>

#include "chart/panel/chart.h"
#include "chart/series/lineseries.h"
#include "cli/runner.h"
#include "platform/qt/imagecanvas.h"
#include "programchart/programchart.h"

namespace vadidazid {

namespace {

constexpr int kMostPoints = 1000000;

// The four chart values of each step of one run, in step order.
const std::vector<std::array<double, 4>>& RunValues() {
  static const std::vector<std::array<double, 4>> values = [] {
    std::ostringstream out, err;
    RunSimulator({"--chart", "--steps", std::to_string(kMostPoints)}, out, err);
    std::vector<std::array<double, 4>> rows;
    rows.reserve(kMostPoints);
    std::istringstream in(out.str());
    std::array<double, 4> row;
    while (in >> row[0] >> row[1] >> row[2] >> row[3]) rows.push_back(row);
    return rows;
  }();
  return values;
}

void BM_DrawChart(benchmark::State& state, bool columns) {
  const int points = int(state.range(0));
  const auto& values = RunValues();
  if (int(values.size()) < points) {
    state.SkipWithError("the run gave fewer values than asked for");
    return;
  }
  auto chart = CreateProgramChart();
  for (int s = 0; s < 4; ++s) {
    auto& series = static_cast<TLineSeries&>(*chart->Series(s));
    series.Clear();
    series.SetColumnDrawing(columns);
    series.BeginUpdate();
    for (int i = 0; i < points; ++i) series.Add(values[i][s]);
    series.EndUpdate();
  }
  ImageCanvas canvas(chart->Width(), chart->Height(), clBtnFace);
  // The first drawing fills the series' cached minimum and maximum, as the first paint
  // after a step does.
  chart->Draw(canvas, chart->GetRectangle());
  for (auto _ : state) {
    chart->Draw(canvas, chart->GetRectangle());
    benchmark::DoNotOptimize(canvas.Image().constBits());
  }
  state.SetItemsProcessed(state.iterations() * 4 * int64_t(points));
}

}  // namespace

BENCHMARK_CAPTURE(BM_DrawChart, columns, true)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DrawChart, segments, false)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);

}  // namespace vadidazid
