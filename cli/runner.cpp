// The headless runner. Options take the ranges and defaults of the window's controls.
#include "cli/runner.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>

#include "chart/chartseries.h"
#include "chart/programchart.h"
#include "cli/chartpicture.h"
#include "platform/cp1250.h"
#include "platform/exceptions.h"
#include "platform/safefilestream.h"
#include "platform/numtext.h"
#include "random/randomvariates.h"
#include "random/runtimerandom.h"
#include "sim/setup.h"
#include "sim/step.h"

namespace {

struct Options {
  SimControls controls;
  std::optional<int64_t> steps;
  std::optional<std::string> out;
  std::optional<std::string> picture;
  bool chart = false;
  bool help = false;
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
    } else if (a == "--help" || a == "-h") {
      o.help = true;
    } else {
      throw UsageError{"unknown option '" + a + "'"};
    }
  }
  return o;
}

// Collects the output in memory and hands it to the sink in large pieces, so a long run
// neither keeps its whole log nor writes line by line.
class OutputBuffer {
 public:
  explicit OutputBuffer(std::function<void(const std::string&)> sink) : sink_(std::move(sink)) {}
  void Add(const std::string& text) {
    buffer_ += text;
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

class HeadlessWindow : public SimWindow {
 public:
  HeadlessWindow(const Options& o, OutputBuffer& output, bool fileBytes, TChart* chart)
      : options_(o), output_(output), fileBytes_(fileBytes), chart_(chart) {}

  SimControls ReadControls() override { return options_.controls; }
  void ClearLog() override { output_.Discard(); }
  void AddLogLine(const std::string& line) override {
    if (options_.chart) return;
    output_.Add(fileBytes_ ? Utf8ToCp1250(line) + "\r\n" : line + "\n");
  }
  std::vector<std::string> LogLines() const override { return {}; }
  void ClearChartSeries(int index) override {
    if (chart_) chart_->Series(index)->Clear();
  }
  void AddChartValue(int index, double value) override {
    if (chart_) chart_->Series(index)->Add(value, "", clAutoColor);
    if (!options_.chart) return;
    char text[32];
    auto [end, ec] = std::to_chars(text, text + sizeof text, value);
    std::string item(text, end);
    item += index == 3 ? "\n" : "\t";
    output_.Add(item);
  }
  Canvas* GridCanvas() override { return nullptr; }
  void ShowMessage(const std::string&) override {}

 private:
  const Options& options_;
  OutputBuffer& output_;
  bool fileBytes_;
  TChart* chart_;
};

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
      "Numbers use the point as decimal separator.\n";
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
  options.controls.reseed = true;

  try {
    // The log goes to a temporary file that takes the name of --out only when the run
    // is complete: a refused set-up or a stopped run leaves an earlier file as it was.
    std::unique_ptr<TSafeFileStream> file;
    if (options.out) file = std::make_unique<TSafeFileStream>(*options.out);
    OutputBuffer output([&](const std::string& bytes) {
      if (file) {
        file->Write(bytes);
      } else {
        out << bytes;
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
    try {
      SetUpSimulation(state, window);
    } catch (const Exception& e) {
      err << "vadidazid-sim: " << e.what() << "\n";
      return 2;
    }
    const int64_t steps = options.steps ? *options.steps : int64_t(state.stepLimit) + 1;
    for (int64_t i = 0; i < steps; ++i) SimulationStep(state, window);
    output.Flush();
    if (file) file->Commit();
    out.flush();
    if (chart) SaveChartPicture(*chart, *options.picture);
  } catch (const Exception& e) {
    err << "vadidazid-sim: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
