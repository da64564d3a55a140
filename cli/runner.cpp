// The headless runner: its single runs, and the dispatch to help, experiments and summaries.
#include "cli/runner.h"

#include <charconv>
#include <cstdio>
#include <ctime>
#include <functional>
#include <iostream>
#include <memory>
#include <new>
#include <ostream>
#include <stdexcept>
#include <thread>

#include <unistd.h>

#include "chart/series/chartseries.h"
#include "cli/dimensioncommand.h"
#include "cli/distinctoutputs.h"
#include "cli/experimentcommand.h"
#include "cli/failure.h"
#include "cli/runneroptions.h"
#include "pictures/cellmap.h"
#include "pictures/chartpicture.h"
#include "platform/exceptions.h"
#include "platform/files/outputfile.h"
#include "programchart/programchart.h"
#include "random/randomvariates.h"
#include "random/runtimerandom.h"
#include "results/celltable.h"
#include "sim/report.h"
#include "sim/runcontrol.h"
#include "sim/setup.h"
#include "study/celltally.h"
#include "study/experiment.h"
#include "version/programversion.h"

namespace vadidazid {

namespace {

using Options = RunnerOptions;

// The run's log and chart, written to the runner's output as the options ask.
class HeadlessWindow : public ControlSource, public RunLog, public RunChart {
 public:
  HeadlessWindow(const Options& o, OutputFile& output, bool fileBytes, TChart* chart)
      : options_(o), output_(output), fileBytes_(fileBytes), chart_(chart) {}

  SimControls ReadControls() override { return options_.controls; }
  void ClearLog() override { output_.Discard(); }
  void AddLogLine(const std::string& line) override {
    if (options_.chart) return;
    output_.Append([&](std::string& bytes) {
      if (fileBytes_) {
        AppendLogFileLine(bytes, line);
      } else {
        bytes += line;
        bytes += '\n';
      }
    });
  }
  std::vector<std::string> LogLines() const override { return {}; }
  void ClearChartSeries(int index) override {
    if (chart_) chart_->Series(index)->Clear();
  }
  void AddChartValue(int index, double value) override {
    if (chart_) chart_->Series(index)->Add(value, "", clAutoColor);
    if (!options_.chart) return;
    output_.Append([&](std::string& bytes) {
      char text[32];
      char* end = std::to_chars(text, text + sizeof text, value).ptr;
      bytes.append(text, size_t(end - text));
      bytes += index == 3 ? '\n' : '\t';
    });
  }

 private:
  const Options& options_;
  OutputFile& output_;
  bool fileBytes_;
  TChart* chart_;
};

// The map and the cell table show one run; they take its warm-up, and one replication.
bool ShowsCells(const Options& o) { return o.map || o.cells; }

void CheckCellRun(const Options& o) {
  if (ShowsCells(o) && (o.replications.value_or(1) > 1 || !o.sweeps.empty())) {
    throw UsageError(
        "--map and --cells show one run; they take no --sweep and no --replications "
        "above 1");
  }
}

// The first steps the map and the cell table leave out: --warmup W, below the run's
// steps, or MSER-5's choice for this very run, made by running it once before (the seed
// makes it the same run); none without --warmup. Throws UsageError, and what the set-up
// throws for unusable parameters.
int64_t CellWarmup(const Options& o) {
  if (!o.warmup && !o.autoWarmup) return 0;
  RunPlan run{o.controls, 0, o.warmup.value_or(0), o.autoWarmup};
  run.controls.reseed = true;
  run.steps = o.steps ? *o.steps : CheckedTimedRunSteps(o.controls);
  if (o.autoWarmup) return MeasureRun(run).warmup;
  if (run.warmup >= run.steps) {
    throw UsageError("--warmup: " + std::to_string(run.warmup) + " is not below the " +
                     std::to_string(run.steps) + " steps of the run");
  }
  return run.warmup;
}

ExperimentPlan PlanOf(const Options& o) {
  CheckExperimentSize(o);
  ExperimentPlan plan;
  plan.controls = o.controls;
  plan.warmup = o.warmup.value_or(0);
  plan.autoWarmup = o.autoWarmup;
  plan.replications = o.replications.value_or(1);
  plan.sweeps = o.sweeps;
  plan.shard = o.shard.value_or(Shard{});
  // Without --steps, a run is as long as an uninterrupted timed run.
  plan.steps = o.steps ? *o.steps : PlanTimedRunSteps(plan);
  if (o.out || o.chart) {
    throw UsageError(
        "--out and --chart write the log of one run; an experiment writes "
        "--csv, --results or --summary");
  }
  if (o.picture || o.map || o.cells) {
    throw UsageError(
        "--picture, --map and --cells show one run; an experiment writes "
        "--csv, --results, --summary or --plot");
  }
  if (o.plot && (o.sweeps.empty() || o.sweeps.size() > 2)) {
    throw UsageError(
        "--plot needs one --sweep (its x axis) or two (one line per value of "
        "the second)");
  }
  if (o.plot && o.shard) throw UsageError("--plot draws the whole experiment; it takes no --shard");
  const bool oneRun = plan.replications == 1 && GridPointCount(o.sweeps, 1) == 1;
  if (o.outputs.csv && (!oneRun || o.shard)) {
    throw UsageError(
        "--csv writes the steps of one run; it takes no --shard, and no "
        "--replications or --sweep of more than one run");
  }
  CheckPlan(plan);
  return plan;
}

int RunExperiment(const Options& o, const ExperimentPlan& plan, std::ostream& out,
                  std::ostream& err) {
  const int cores = int(std::thread::hardware_concurrency());
  const int threads = o.threads ? int(*o.threads) : std::max(cores, 1);
  ExperimentOutputs outputs = o.outputs;
  outputs.plot = o.plot;
  outputs.plotSize = o.pictureSize;
  outputs.plotLanguage = o.plotLanguage;
  outputs.plotScale = o.plotScale.value_or(0);
  // The progress line only where a person watches the process's own standard error.
  std::ostream* progress = &err == &std::cerr && isatty(STDERR_FILENO) ? &err : nullptr;
  return RunExperimentCommand(plan, threads, outputs, out, err, progress);
}

int ExperimentCommand(const Options& options, std::ostream& out, std::ostream& err) {
  return RunExperiment(options, AsInvalidInput([&] { return PlanOf(options); }), out, err);
}

// The files of a single run, created before its first step so that an unwritable place
// shows at once. None replaces its earlier file before all are completely written.
// The log goes to standard output where no --out names its file.
struct RunFiles {
  RunFiles(const Options& o, std::ostream& out) {
    log = o.out ? std::make_unique<OutputFile>(*o.out) : std::make_unique<OutputFile>(out);
    if (o.picture) picture = CreatePictureFile(*o.picture);
    if (o.map) map = CreatePictureFile(*o.map);
    if (o.cells) cells = std::make_unique<OutputFile>(*o.cells);
  }
  void CommitAll() {
    const std::unique_ptr<OutputFile>* all[] = {&log, &picture, &map, &cells};
    for (auto* file : all) {
      if (*file) (*file)->Finish();
    }
    for (auto* file : all) {
      if (*file) (*file)->Commit();
    }
  }
  std::unique_ptr<OutputFile> log, picture, map, cells;
};

// The map and the cell table of a run's per-cell figures.
void WriteCellFiles(const Options& o, const CellTally& tally, RunFiles& files) {
  if (files.cells) files.cells->Write(CellTableText(tally));
  if (!files.map) return;
  MapData data;
  data.side = tally.GridSide();
  data.measure = o.mapMeasure.value_or(MapMeasure::CallCongestion);
  data.values = tally.Measure(data.measure);
  data.firstStep = tally.Warmup() + 1;
  data.lastStep = tally.Warmup() + tally.Steps();
  data.startRow = data.startColumn = StartRowAndColumn(data.side);
  const MapLook look{o.plotLanguage.value_or(PlotLanguageOfEnvironment()), o.plotScale.value_or(0),
                     o.mapRange};
  const PictureSize size = o.pictureSize.value_or(PictureSize{kMapWidth, kMapHeight});
  files.map->Write(PictureFileBytes(*o.map, [&] {
    return DrawnPictureBytes(
        *PictureFormatOf(*o.map), size.width, size.height,
        [&](Canvas& canvas) { DrawCellMap(canvas, size.width, size.height, data, look); });
  }));
}

// Sets the run up and makes its steps; the set-up's refusal of the parameters is input
// to mend (EInvalidInput).
void SetUpAndStep(const Options& options, HeadlessWindow& window, CellTally* tally) {
  // Generators of its own, so that every run starts as in a fresh process: a normal
  // value left pending by an earlier run would otherwise be the first one drawn.
  RandomVariates generator(static_cast<uint32_t>(std::time(nullptr)));
  RuntimeRandom moves;
  SimulationState state(generator, moves);
  SimPorts ports(window);
  ports.observer = tally;
  RunControl run(state, ports);
  AsInvalidInput([&] { run.SetUp(); });
  if (options.steps) {
    for (int64_t i = 0; i < *options.steps; ++i) run.Step();
  } else {
    run.RunToEnd();
  }
}

int SingleRun(Options options, std::ostream& out) {
  options.controls.reseed = true;
  const int64_t cellWarmup = AsInvalidInput([&] { return CellWarmup(options); });
  {
    RunFiles files(options, out);
    // The window's chart, fed as the window feeds it, when its picture is wanted.
    std::unique_ptr<TChart> chart;
    if (options.picture) chart = CreateProgramChart();
    HeadlessWindow window(options, *files.log, options.out.has_value(), chart.get());
    std::unique_ptr<CellTally> tally;
    if (options.map || options.cells) {
      tally = std::make_unique<CellTally>(options.controls.gridSide,
                                          options.controls.channelsPerCell, cellWarmup);
    }
    SetUpAndStep(options, window, tally.get());
    if (tally) WriteCellFiles(options, *tally, files);
    if (chart) {
      if (options.pictureSize)
        chart->SetBounds(options.pictureSize->width, options.pictureSize->height);
      files.picture->Write(PictureFileBytes(*options.picture, [&] {
        return ChartPictureBytes(*chart, *PictureFormatOf(*options.picture));
      }));
    }
    files.CommitAll();
  }
  return static_cast<int>(ExitStatus::kDone);
}

int RunCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const Options options = ParseRunnerOptions(args);
  if (!options.help && !options.version) {
    CheckDimensionOptions(options);
    CheckCellRun(options);
    CheckDistinctOutputs(options, options.experiment);
  }
  if (options.help) {
    out << SimulatorUsage();
    return static_cast<int>(ExitStatus::kDone);
  }
  if (options.version) {
    out << ProgramVersionText("vadidazid-sim");
    return static_cast<int>(ExitStatus::kDone);
  }
  if (options.summarize) return SummarizeCommand(options.resultFiles, out);
  if (options.theory) return TheoryCommand(options, out);
  if (options.dimension) return DimensionCommand(options, out, err);
  if (options.experiment) return ExperimentCommand(options, out, err);
  return SingleRun(options, out);
}

}  // namespace

int RunSimulator(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  try {
    return RunCommand(args, out, err);
  } catch (...) {
    // The outputs' temporary files are gone with their streams by now.
    return ReportFailure(err, std::current_exception());
  }
}

}  // namespace vadidazid
