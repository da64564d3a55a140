// run(): one simulation run as the runner makes it, its per-step counts, log, cell table
// and chart series handed to Python as arrays, texts and lists.
#include <array>
#include <ctime>
#include <memory>
#include <vector>

#include <pybind11/stl.h>

#include "chart/series/chartseries.h"
#include "programchart/programchart.h"
#include "python/binding.h"
#include "random/randomvariates.h"
#include "random/runtimerandom.h"
#include "results/celltable.h"
#include "sim/report.h"
#include "sim/runcontrol.h"
#include "study/celltally.h"
#include "study/experiment.h"

namespace vadidazid {

namespace {

// The run's log as its file holds it and the chart's four series, as the window feeds them.
class RunRecorder : public ControlSource, public RunLog, public RunChart {
 public:
  explicit RunRecorder(const SimControls& controls) : controls_(controls) {}
  SimControls ReadControls() override { return controls_; }
  void ClearLog() override { logBytes.clear(); }
  void AddLogLine(const std::string& line) override { AppendLogFileLine(logBytes, line); }
  std::vector<std::string> LogLines() const override { return {}; }
  void ClearChartSeries(int index) override { series[size_t(index)].clear(); }
  void AddChartValue(int index, double value) override { series[size_t(index)].push_back(value); }

  std::string logBytes;
  std::array<std::vector<double>, 4> series;

 private:
  SimControls controls_;
};

// The per-step counts, column by column, in the order of the runner's --csv.
struct StepColumns {
  std::vector<int64_t> step, running, newCalls, blocked, fullCellOffers, dropped, handovers, ended,
      callSteps;
  std::vector<double> loadPercent, droppedPercent;
  void Add(const StepCounts& c) {
    step.push_back(c.step);
    running.push_back(c.running);
    newCalls.push_back(c.newCalls);
    blocked.push_back(c.blocked);
    fullCellOffers.push_back(c.fullCellOffers);
    dropped.push_back(c.dropped);
    handovers.push_back(c.handovers);
    ended.push_back(c.ended);
    callSteps.push_back(c.callSteps);
    loadPercent.push_back(c.loadPercent);
    droppedPercent.push_back(c.droppedPercent);
  }
};

template <typename T>
py::array Array(const std::vector<T>& values) {
  return py::array_t<T>(py::ssize_t(values.size()), values.data());
}

// The log's run: the same one the measured run makes, as the runner's single run makes it.
void LogRun(std::optional<int64_t> steps, RunRecorder& recorder, CellTally& tally) {
  // Generators of its own, so every run starts as in a fresh process; the set-up
  // reseeds them with the seed.
  RandomVariates generator(static_cast<uint32_t>(std::time(nullptr)));
  RuntimeRandom moves;
  SimulationState state(generator, moves);
  SimPorts ports(recorder);
  ports.observer = &tally;
  RunControl run(state, ports);
  run.SetUp();
  if (steps) {
    for (int64_t i = 0; i < *steps; ++i) run.Step();
  } else {
    run.RunToEnd();
  }
}

}  // namespace

py::object RunFunction(const RunParameters& p, std::optional<int64_t> steps) {
  if (steps && (*steps < 0 || *steps > std::numeric_limits<int32_t>::max())) {
    throw py::value_error("steps: " + std::to_string(*steps) + " is outside 0 .. " +
                          std::to_string(std::numeric_limits<int32_t>::max()));
  }
  const SimControls controls = ControlsOf(p);
  RunRecorder recorder(controls);
  CellTally tally(controls.gridSide, controls.channelsPerCell);
  StepColumns columns;
  std::string cellText;
  {
    py::gil_scoped_release unlocked;
    // The per-step counts come from the measured run the runner's --csv is written from.
    RunPlan plan{controls, steps ? *steps : CheckedTimedRunSteps(controls), 0, false};
    if (plan.steps > 0) MeasureRun(plan, [&](const StepCounts& c) { columns.Add(c); });
    LogRun(steps, recorder, tally);
    cellText = CellTableText(tally);
  }
  py::object result = py::module_::import("types").attr("SimpleNamespace")();
  const std::pair<const char*, py::array> arrays[] = {
      {"step", Array(columns.step)},
      {"running", Array(columns.running)},
      {"new", Array(columns.newCalls)},
      {"blocked", Array(columns.blocked)},
      {"full_cell_offers", Array(columns.fullCellOffers)},
      {"dropped", Array(columns.dropped)},
      {"handovers", Array(columns.handovers)},
      {"ended", Array(columns.ended)},
      {"call_steps", Array(columns.callSteps)},
      {"load_percent", Array(columns.loadPercent)},
      {"dropped_percent", Array(columns.droppedPercent)}};
  for (const auto& [name, array] : arrays) result.attr(name) = array;
  py::bytes logBytes(recorder.logBytes);
  result.attr("log_bytes") = logBytes;
  result.attr("log") = logBytes.attr("decode")("cp1250");
  result.attr("cells") = CsvColumns(cellText);
  const std::unique_ptr<TChart> chart = CreateProgramChart();
  py::dict series;
  for (int i = 0; i < 4; ++i) {
    series[py::str(chart->Series(i)->Title())] = py::cast(recorder.series[size_t(i)]);
  }
  result.attr("chart") = series;
  return result;
}

}  // namespace vadidazid
