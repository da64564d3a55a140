// The headless runner. Options take the ranges and defaults of the window's controls.
#include "cli/runner.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <thread>

#include <unistd.h>

#include "chart/series/chartseries.h"
#include "programchart/programchart.h"
#include "cli/chartpicture.h"
#include "cli/experimentcommand.h"
#include "platform/exceptions.h"
#include "platform/safefilestream.h"
#include "platform/numtext.h"
#include "random/randomvariates.h"
#include "random/runtimerandom.h"
#include "sim/report.h"
#include "sim/runcontrol.h"
#include "sim/setup.h"

namespace {

const char* const kStandardOutputError = "Stream write error (standard output)";

struct Options {
  SimControls controls;
  std::optional<int64_t> steps;
  std::optional<std::string> out;
  std::optional<std::string> picture;
  bool chart = false;
  bool help = false;
  // Experiments.
  std::optional<int64_t> replications, warmup, threads;
  std::optional<Sweep> sweep;
  std::optional<Shard> shard;
  ExperimentOutputs outputs;
  bool summarize = false;
  std::vector<std::string> resultFiles;
  size_t optionCount = 0;
};

struct UsageError {
  std::string message;
};

struct IntOption {
  const char* flag;
  const ParameterRange* range;
  int32_t SimControls::*field;
};

const IntOption kIntOptions[] = {
    {"--grid-side", &kGridSideRange, &SimControls::gridSide},
    {"--subscribers", &kSubscriberRange, &SimControls::subscriberCount},
    {"--channels", &kChannelRange, &SimControls::channelsPerCell},
    {"--call-percent", &kCallPercentRange, &SimControls::callPercent},
    {"--step-limit", &kStepLimitRange, &SimControls::stepLimit},
    {"--seed", &kSeedRange, &SimControls::seed},
};

int64_t ParseInteger(const std::string& flag, const std::string& text, int64_t min, int64_t max) {
  int64_t value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end) {
    throw UsageError{flag + ": '" + text + "' is not a whole number"};
  }
  if (value < min || value > max) {
    throw UsageError{flag + ": " + text + " is outside " + std::to_string(min) + " .. " +
                     std::to_string(max)};
  }
  return value;
}

// Command-line reals use the point; the set-up reads texts with the locale's separator.
std::string RealText(const std::string& text) {
  const char sep = DecimalSeparator();
  std::string local = text;
  bool valid = sep == '.' || local.find(sep) == std::string::npos;
  for (char& ch : local) {
    if (ch == '.') ch = sep;
  }
  double ignored;
  if (!valid || !TryStrToFloat(local, ignored)) {
    throw UsageError{"'" + text + "' is not a valid floating point value"};
  }
  return local;
}

Options ParseOptions(const std::vector<std::string>& args) {
  Options o;
  // The window's defaults, written as its edit fields show them.
  o.controls.meanText = FloatToStr(5.0);
  o.controls.deviationText = FloatToStr(0.01);
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&]() -> const std::string& {
      if (i + 1 >= args.size()) throw UsageError{a + " needs a value"};
      return args[++i];
    };
    ++o.optionCount;
    // Messages of the experiment's own parsers become usage errors.
    auto parsed = [](auto parse, const std::string& text) {
      try {
        return parse(text);
      } catch (const std::invalid_argument& e) {
        throw UsageError{e.what()};
      }
    };
    bool matched = false;
    for (const IntOption& opt : kIntOptions) {
      if (a == opt.flag) {
        o.controls.*opt.field =
            int32_t(ParseInteger(a, value(), opt.range->min, opt.range->max));
        matched = true;
      }
    }
    if (matched) continue;
    if (a == "--mean") {
      o.controls.meanText = RealText(value());
    } else if (a == "--deviation") {
      o.controls.deviationText = RealText(value());
    } else if (a == "--steps") {
      o.steps = ParseInteger(a, value(), 0, 2147483647);
    } else if (a == "--out") {
      o.out = value();
    } else if (a == "--picture") {
      o.picture = value();
    } else if (a == "--chart") {
      o.chart = true;
    } else if (a == "--replications") {
      o.replications = ParseInteger(a, value(), 1, kSeedRange.max);
    } else if (a == "--warmup") {
      o.warmup = ParseInteger(a, value(), 0, 2147483647);
    } else if (a == "--threads") {
      o.threads = ParseInteger(a, value(), 1, 1024);
    } else if (a == "--sweep") {
      o.sweep = parsed(ParseSweep, value());
    } else if (a == "--shard") {
      o.shard = parsed(ParseShard, value());
    } else if (a == "--csv") {
      o.outputs.csv = value();
    } else if (a == "--results") {
      o.outputs.results = value();
    } else if (a == "--summary") {
      o.outputs.summary = true;
    } else if (a == "--summarize") {
      // The arguments after it up to the next option name result files.
      o.summarize = true;
      while (i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0) {
        o.resultFiles.push_back(args[++i]);
      }
      if (o.resultFiles.empty()) throw UsageError{a + " needs at least one result file"};
    } else if (a == "--help" || a == "-h") {
      o.help = true;
    } else {
      throw UsageError{"unknown option '" + a + "'"};
    }
  }
  if (o.summarize && o.optionCount > 1) throw UsageError{"--summarize takes no other options"};
  return o;
}

// Collects the output in memory and hands it to the sink in large pieces, so a long run
// neither keeps its whole log nor writes line by line.
class OutputBuffer {
 public:
  explicit OutputBuffer(std::function<void(const std::string&)> sink) : sink_(std::move(sink)) {}
  // Lets the writer append to the pending bytes, then passes them on once there are many.
  template <typename Writer>
  void Append(Writer&& write) {
    write(buffer_);
    if (buffer_.size() >= 1 << 16) Flush();
  }
  void Discard() { buffer_.clear(); }
  void Flush() {
    if (!buffer_.empty()) sink_(buffer_);
    buffer_.clear();
  }

 private:
  std::function<void(const std::string&)> sink_;
  std::string buffer_;
};

// The run's log and chart, written to the runner's output as the options ask.
class HeadlessWindow : public ControlSource, public RunLog, public RunChart {
 public:
  HeadlessWindow(const Options& o, OutputBuffer& output, bool fileBytes, TChart* chart)
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
  OutputBuffer& output_;
  bool fileBytes_;
  TChart* chart_;
};

bool IsExperiment(const Options& o) {
  return o.replications || o.warmup || o.threads || o.sweep || o.shard || o.outputs.csv ||
         o.outputs.results || o.outputs.summary;
}

ExperimentPlan PlanOf(const Options& o) {
  ExperimentPlan plan;
  plan.controls = o.controls;
  // Without --steps, a run is as long as an uninterrupted timed run.
  plan.steps = o.steps.value_or(CheckedTimedRunSteps(o.controls));
  plan.warmup = o.warmup.value_or(0);
  plan.replications = o.replications.value_or(1);
  plan.sweep = o.sweep;
  plan.shard = o.shard.value_or(Shard{});
  if (o.out || o.chart) {
    throw UsageError{"--out and --chart write the log of one run; an experiment writes "
                     "--csv, --results or --summary"};
  }
  if (o.picture) {
    throw UsageError{"--picture draws the chart of one run; an experiment writes --csv, "
                     "--results or --summary"};
  }
  const bool oneRun = plan.replications == 1 && (!o.sweep || o.sweep->from == o.sweep->to);
  if (o.outputs.csv && (!oneRun || o.shard)) {
    throw UsageError{"--csv writes the steps of one run; it takes no --shard, and no "
                     "--replications or --sweep of more than one run"};
  }
  try {
    CheckPlan(plan);
  } catch (const std::invalid_argument& e) {
    throw UsageError{e.what()};
  }
  return plan;
}

int RunExperiment(const Options& o, const ExperimentPlan& plan, std::ostream& out,
                  std::ostream& err) {
  const int cores = int(std::thread::hardware_concurrency());
  const int threads = o.threads ? int(*o.threads) : std::max(cores, 1);
  // The progress line only where a person watches the process's own standard error.
  std::ostream* progress = &err == &std::cerr && isatty(STDERR_FILENO) ? &err : nullptr;
  return RunExperimentCommand(plan, threads, o.outputs, out, err, progress);
}

}  // namespace

std::string SimulatorUsage() {
  return
      "Usage: vadidazid-sim [options]\n"
      "Runs the simulation without a window: set-up with the seed ticked, then\n"
      "step-limit + 1 steps, and writes the log as \"Zapisz dane\" saves it.\n"
      "\n"
      "  --grid-side N      cells per side, 2 .. 16 (10)\n"
      "  --subscribers M    subscribers, 1 .. 100000 (1000)\n"
      "  --channels C       channels per cell, 10 .. 100000 (10)\n"
      "  --call-percent P   percent of idle subscribers starting calls, 0 .. 100 (15)\n"
      "  --step-limit S     step after which the summary is written, 1 .. 1000000 (100)\n"
      "  --seed S           seed of both generators, 1 .. 32766 (12345)\n"
      "  --mean X           mean call duration in steps (5)\n"
      "  --deviation Y      standard deviation of the call duration (0.01)\n"
      "  --steps K          number of steps instead of step-limit + 1\n"
      "  --out FILE         write the log file's bytes (Windows-1250, CR LF) to FILE,\n"
      "                     which appears when the run has finished;\n"
      "                     without it the log goes to standard output as UTF-8\n"
      "  --chart            write each step's four chart values instead of the log\n"
      "  --picture FILE     save the run's chart as \"Zapisz wykres\" does (BMP, 32 bits\n"
      "                     per pixel); needs no display\n"
      "  --help             this text\n"
      "Numbers use the point as decimal separator.\n"
      "\n"
      "Experiments: runs seeded seed, seed + 1, ..., each set up as with the seed ticked,\n"
      "measured after a warm-up; any of these options makes one (without --csv or\n"
      "--results the summary goes to standard output):\n"
      "  --replications R   runs per point, seeds seed .. seed + R - 1 (1)\n"
      "  --warmup W         steps left out of the statistics, below the steps (0)\n"
      "  --sweep NAME=FROM:TO:STEP\n"
      "                     one point per value of call-percent, channels,\n"
      "                     subscribers or grid-side\n"
      "  --threads T        runs at once, 1 .. 1024 (the machine's cores); the output\n"
      "                     is the same for any T\n"
      "  --shard I/N        only the runs I, I + N, I + 2N, ... of the experiment\n"
      "  --csv FILE         one row per step of a single run: step, running, new,\n"
      "                     blocked, dropped, ended, load_percent, dropped_percent\n"
      "  --results FILE     one CSV row per run with its counts, probabilities and\n"
      "                     the Erlang B blocking of its offered load ('-': standard output)\n"
      "  --summary          per point, means with 95 % confidence intervals\n"
      "  --summarize FILE...\n"
      "                     the summary of result files (of shards), alone\n";
}

int RunSimulator(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  Options options;
  try {
    options = ParseOptions(args);
  } catch (const UsageError& e) {
    err << "vadidazid-sim: " << e.message << "\n" << "Try 'vadidazid-sim --help'.\n";
    return 2;
  }
  if (options.help) {
    out << SimulatorUsage();
    return 0;
  }
  if (options.summarize) return SummarizeCommand(options.resultFiles, out, err);
  if (IsExperiment(options)) {
    ExperimentPlan plan;
    try {
      plan = PlanOf(options);
    } catch (const UsageError& e) {
      err << "vadidazid-sim: " << e.message << "\n" << "Try 'vadidazid-sim --help'.\n";
      return 2;
    } catch (const Exception& e) {
      err << "vadidazid-sim: " << e.what() << "\n";
      return 2;
    }
    return RunExperiment(options, plan, out, err);
  }
  options.controls.reseed = true;

  try {
    // The log goes to a temporary file that takes the name of --out only when the run
    // is complete: a refused set-up or a stopped run leaves an earlier file as it was.
    std::unique_ptr<TSafeFileStream> file;
    if (options.out) file = std::make_unique<TSafeFileStream>(*options.out);
    OutputBuffer output([&](const std::string& bytes) {
      if (file) {
        file->Write(bytes);
      } else if (!out.write(bytes.data(), std::streamsize(bytes.size()))) {
        throw EWriteError(kStandardOutputError);
      }
    });
    // The window's chart, fed as the window feeds it, when its picture is wanted.
    std::unique_ptr<TChart> chart;
    if (options.picture) chart = CreateProgramChart();
    HeadlessWindow window(options, output, file != nullptr, chart.get());
    // Generators of its own, so that every run starts as in a fresh process: a normal
    // value left pending by an earlier run would otherwise be the first one drawn.
    RandomVariates generator(static_cast<uint32_t>(std::time(nullptr)));
    RuntimeRandom moves;
    SimulationState state(generator, moves);
    RunControl run(state, window);
    try {
      run.SetUp();
    } catch (const Exception& e) {
      err << "vadidazid-sim: " << e.what() << "\n";
      return 2;
    }
    if (options.steps) {
      for (int64_t i = 0; i < *options.steps; ++i) run.Step();
    } else {
      run.RunToEnd();
    }
    output.Flush();
    if (file) file->Commit();
    if (!out.flush()) throw EWriteError(kStandardOutputError);
    if (chart) SaveChartPicture(*chart, *options.picture);
  } catch (const Exception& e) {
    err << "vadidazid-sim: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
