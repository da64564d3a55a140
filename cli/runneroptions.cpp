// The runner's option table, its parser and the help built from it.
#include "cli/runneroptions.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <stdexcept>
#include <utility>

#include "cli/dimensioncommand.h"
#include "platform/text/messagetext.h"
#include "platform/text/numtext.h"
#include "sim/setup.h"

namespace vadidazid {

namespace {

const ParameterRange kStepsRange{0, std::numeric_limits<int32_t>::max()};
const ParameterRange kWarmupRange{0, std::numeric_limits<int32_t>::max()};
const ParameterRange kThreadsRange{1, 1024};
// Every replication has a seed of its own from the seed range.
const ParameterRange kReplicationRange{1, kSeedRange.max};

enum class Group { Run, Experiment, Dimension };

struct OptionSpec;
using Apply = void (*)(RunnerOptions&, const OptionSpec&, const std::string& value);

struct OptionSpec {
  const char* name;
  const char* metavar;  // empty for options without a value
  const char* help;     // '\n' starts a further help line
  Group group;
  const ParameterRange* range = nullptr;  // whole-number values
  std::string (*defaultText)(const OptionSpec&) = nullptr;
  Apply apply = nullptr;
  int32_t SimControls::*control = nullptr;  // the parameter a whole number sets
  bool repeatable = false;                  // may be given more than once
};

int64_t WholeNumber(const OptionSpec& entry, const std::string& text) {
  int64_t value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end) {
    throw UsageError{std::string(entry.name) + ": '" + MessageText(text) +
                     "' is not a whole number"};
  }
  return value;
}

// The whole number of the text, within the option's range.
int64_t WholeValue(const OptionSpec& entry, const std::string& text) {
  const int64_t value = WholeNumber(entry, text);
  if (value < entry.range->min || value > entry.range->max) {
    throw UsageError{std::string(entry.name) + ": " + text + " is outside " +
                     std::to_string(entry.range->min) + " .. " + std::to_string(entry.range->max)};
  }
  return value;
}

// Command-line reals use the point; the set-up reads texts with the locale's separator.
std::string RealText(const char* name, const std::string& text) {
  const char sep = DecimalSeparator();
  std::string local = text;
  const bool valid = sep == '.' || local.find(sep) == std::string::npos;
  std::replace(local.begin(), local.end(), '.', sep);
  double ignored;
  if (!valid || !TryStrToFloat(local, ignored)) {
    throw UsageError{std::string(name) + ": '" + MessageText(text) +
                     "' is not a valid floating point value"};
  }
  return local;
}

std::string FileName(const OptionSpec& entry, const std::string& text) {
  if (text.empty()) throw UsageError{std::string(entry.name) + ": the file name is empty"};
  return text;
}

// A picture's file name, whose extension says the kind of picture.
std::string PictureName(const OptionSpec& entry, const std::string& text) {
  try {
    ParsePictureFile(entry.name, text);
  } catch (const std::invalid_argument& e) {
    throw UsageError{e.what()};
  }
  return text;
}

// Messages of the experiment's own parsers become usage errors.
template <typename Parse>
auto Parsed(Parse parse, const std::string& text) {
  try {
    return parse(text);
  } catch (const std::invalid_argument& e) {
    throw UsageError{e.what()};
  }
}

std::string ControlDefault(const OptionSpec& entry) {
  return std::to_string(SimControls{}.*entry.control);
}

// The range is checked once all options are read: a sweep of the parameter replaces the
// value at every point, so there it need not be one a run could use.
void ApplyControl(RunnerOptions& o, const OptionSpec& entry, const std::string& value) {
  o.controls.*entry.control =
      int32_t(std::clamp<int64_t>(WholeNumber(entry, value), entry.range->min, entry.range->max));
}

// The parameters given whose values are used: those that no --sweep replaces.
void CheckUnsweptControls(const RunnerOptions& o,
                          const std::vector<std::pair<const OptionSpec*, std::string>>& given) {
  for (const auto& [entry, value] : given) {
    const std::string_view name = std::string_view(entry->name).substr(2);  // without "--"
    const bool swept = std::any_of(o.sweeps.begin(), o.sweeps.end(),
                                   [&](const Sweep& sweep) { return sweep.name == name; });
    if (!swept) WholeValue(*entry, value);
  }
}

void ApplySweep(RunnerOptions& o, const OptionSpec&, const std::string& value) {
  Sweep sweep = Parsed(ParseSweep, value);
  for (const Sweep& earlier : o.sweeps) {
    if (earlier.name == sweep.name) {
      throw UsageError{"--sweep: " + sweep.name +
                       " is swept twice; list its values in one --sweep"};
    }
  }
  o.sweeps.push_back(std::move(sweep));
}

const OptionSpec kOptions[] = {
    {"--grid-side", "N", "cells per side", Group::Run, &kGridSideRange, ControlDefault,
     ApplyControl, &SimControls::gridSide},
    {"--subscribers", "M", "subscribers", Group::Run, &kSubscriberRange, ControlDefault,
     ApplyControl, &SimControls::subscriberCount},
    {"--channels", "C", "channels per cell", Group::Run, &kChannelRange, ControlDefault,
     ApplyControl, &SimControls::channelsPerCell},
    {"--call-percent", "P", "percent of idle subscribers starting calls", Group::Run,
     &kCallPercentRange, ControlDefault, ApplyControl, &SimControls::callPercent},
    {"--step-limit", "S", "step after which the summary is written", Group::Run, &kStepLimitRange,
     ControlDefault, ApplyControl, &SimControls::stepLimit},
    {"--seed", "S", "seed of both generators", Group::Run, &kSeedRange, ControlDefault,
     ApplyControl, &SimControls::seed},
    {"--mean", "X", "mean call duration in steps", Group::Run, nullptr,
     [](const OptionSpec&) { return SimControls{}.meanText; },
     [](RunnerOptions& o, const OptionSpec& s, const std::string& v) {
       o.controls.meanText = RealText(s.name, v);
     }},
    {"--deviation", "Y", "standard deviation of the call duration", Group::Run, nullptr,
     [](const OptionSpec&) { return SimControls{}.deviationText; },
     [](RunnerOptions& o, const OptionSpec& s, const std::string& v) {
       o.controls.deviationText = RealText(s.name, v);
     }},
    {"--steps", "K", "number of steps instead of step-limit + 1", Group::Run, &kStepsRange, nullptr,
     [](RunnerOptions& o, const OptionSpec& s, const std::string& v) {
       o.steps = WholeValue(s, v);
     }},
    {"--out", "FILE",
     "write the log file's bytes (Windows-1250, CR LF) to FILE,\nwhich appears when the run "
     "has finished;\nwithout it the log goes to standard output as UTF-8",
     Group::Run, nullptr, nullptr,
     [](RunnerOptions& o, const OptionSpec& s, const std::string& v) { o.out = FileName(s, v); }},
    {"--chart", "", "write each step's four chart values instead of the log", Group::Run, nullptr,
     nullptr, [](RunnerOptions& o, const OptionSpec&, const std::string&) { o.chart = true; }},
    {"--picture", "FILE",
     "save the run's chart as \"Zapisz wykres\" does (BMP, 32 bits\nper pixel), or as "
     ".png or .svg by the extension;\nneeds no display",
     Group::Run, nullptr, nullptr,
     [](RunnerOptions& o, const OptionSpec& s, const std::string& v) {
       o.picture = PictureName(s, v);
     }},
    {"--picture-size", "WxH",
     "size of every picture asked for (sides 64 .. 8192);\nby default 433x201 for "
     "--picture, 720x560 for --map,\n800x500 for --plot",
     Group::Run, nullptr, nullptr,
     [](RunnerOptions& o, const OptionSpec& s, const std::string& v) {
       o.pictureSize = Parsed([&](const std::string& t) { return ParsePictureSize(s.name, t); }, v);
     }},
    {"--map", "FILE",
     "the cells coloured by one measure of the measured steps,\nwith its scale "
     "(.bmp, .png or .svg)",
     Group::Run, nullptr, nullptr,
     [](RunnerOptions& o, const OptionSpec& s, const std::string& v) {
       o.map = PictureName(s, v);
     }},
    {"--map-measure", "NAME", "call_congestion, dropped or load", Group::Run, nullptr,
     [](const OptionSpec&) { return std::string("call_congestion"); },
     [](RunnerOptions& o, const OptionSpec&, const std::string& v) {
       o.mapMeasure = Parsed(ParseMapMeasure, v);
     }},
    {"--cells", "FILE",
     "one CSV row per cell: row, column, mean subscribers and\ncalls, full-cell offers, "
     "started, dropped, hand-overs\nin and out",
     Group::Run, nullptr, nullptr,
     [](RunnerOptions& o, const OptionSpec& s, const std::string& v) { o.cells = FileName(s, v); }},
    {"--help", "", "this text (also -h)", Group::Run, nullptr, nullptr,
     [](RunnerOptions& o, const OptionSpec&, const std::string&) { o.help = true; }},
    {"--version", "", "the version and the git commit of the build", Group::Run, nullptr, nullptr,
     [](RunnerOptions& o, const OptionSpec&, const std::string&) { o.version = true; }},
    {"--replications", "R", "runs per point, seeds seed .. seed + R - 1", Group::Experiment,
     &kReplicationRange, [](const OptionSpec&) { return std::string("1"); },
     [](RunnerOptions& o, const OptionSpec& s, const std::string& v) {
       o.replications = WholeValue(s, v);
     }},
    {"--warmup", "W|auto",
     "steps left out of the statistics, below the steps;\nauto: each run's own, chosen by "
     "MSER-5 on its\nper-step load within its first half",
     Group::Experiment, &kWarmupRange, [](const OptionSpec&) { return std::string("0"); },
     [](RunnerOptions& o, const OptionSpec& s, const std::string& v) {
       if (v == "auto") {
         o.autoWarmup = true;
       } else {
         o.warmup = WholeValue(s, v);
       }
     }},
    {"--sweep", "NAME=FROM:TO:STEP",
     "or NAME=V1,V2,...: one point per value of call-percent,\nchannels, subscribers, "
     "grid-side, mean or deviation;\nseveral --sweep make a grid, the first changing "
     "slowest",
     Group::Experiment, nullptr, nullptr, ApplySweep, nullptr, true},
    {"--threads", "T", "runs at once; the output is the same for any T", Group::Experiment,
     &kThreadsRange, [](const OptionSpec&) { return std::string("the machine's cores"); },
     [](RunnerOptions& o, const OptionSpec& s, const std::string& v) {
       o.threads = WholeValue(s, v);
     }},
    {"--shard", "I/N", "only the runs I, I + N, I + 2N, ... of the experiment", Group::Experiment,
     nullptr, nullptr,
     [](RunnerOptions& o, const OptionSpec&, const std::string& v) {
       o.shard = Parsed(ParseShard, v);
     }},
    {"--csv", "FILE",
     "one row per step of a single run, with the step's own\nphases: step, running, new, "
     "blocked, full_cell_offers,\ndropped, handovers, ended, call_steps, load_percent,\n"
     "dropped_percent",
     Group::Experiment, nullptr, nullptr,
     [](RunnerOptions& o, const OptionSpec& s, const std::string& v) {
       o.outputs.csv = FileName(s, v);
     }},
    {"--results", "FILE",
     "one CSV row per run with its counts and the figures\nbelow ('-': standard output)",
     Group::Experiment, nullptr, nullptr,
     [](RunnerOptions& o, const OptionSpec& s, const std::string& v) {
       o.outputs.results = FileName(s, v);
     }},
    {"--plot", "FILE",
     "the measured probabilities against the swept parameter with\ntheir confidence bars "
     "and the theory's curves (.bmp, .png\nor .svg)",
     Group::Experiment, nullptr, nullptr,
     [](RunnerOptions& o, const OptionSpec& s, const std::string& v) {
       o.plot = PictureName(s, v);
     }},
    {"--lang", "pl|en", "the language of the plot's texts", Group::Experiment, nullptr,
     [](const OptionSpec&) { return std::string("pl if LC_ALL, LC_MESSAGES or LANG is pl_..."); },
     [](RunnerOptions& o, const OptionSpec&, const std::string& v) {
       o.plotLanguage = Parsed(ParsePlotLanguage, v);
     }},
    {"--plot-scale", "F",
     "the size of the plot's text, marks and lines, 0.25 .. 16;\nby default min(width / 800, "
     "height / 500)",
     Group::Experiment, nullptr, nullptr,
     [](RunnerOptions& o, const OptionSpec& s, const std::string& v) {
       o.plotScale = Parsed([&](const std::string& t) { return ParsePlotScale(s.name, t); }, v);
     }},
    {"--summary", "", "per point, means with 95 % confidence intervals", Group::Experiment, nullptr,
     nullptr,
     [](RunnerOptions& o, const OptionSpec&, const std::string&) { o.outputs.summary = true; }},
    {"--summarize", "FILE...",
     "the summary of result files (of shards), alone; the files\nmay also follow --",
     Group::Experiment, nullptr, nullptr,
     [](RunnerOptions& o, const OptionSpec&, const std::string&) { o.summarize = true; }},
#include "cli/dimensionoptions.inc"
};

const OptionSpec* FindOption(std::string_view name) {
  for (const OptionSpec& entry : kOptions) {
    if (name == entry.name) return &entry;
  }
  return nullptr;
}

bool TakesValue(const OptionSpec& entry) {
  return *entry.metavar != '\0' && std::string_view(entry.name) != "--summarize";
}

}  // namespace

namespace {

// One argument that names an option: its entry and the value written after '=', if any.
struct OptionWord {
  const OptionSpec* entry;
  std::optional<std::string> inlineValue;
};

OptionWord SplitOption(const std::string& word) {
  const std::string name = word == "-h" ? "--help" : word;
  const size_t equals = name.rfind("--", 0) == 0 ? name.find('=') : std::string::npos;
  const std::string bare = name.substr(0, equals);
  const OptionSpec* entry = FindOption(bare);
  if (entry == nullptr) throw UsageError{"unknown option '" + MessageText(bare) + "'"};
  if (equals == std::string::npos) return {entry, std::nullopt};
  if (!TakesValue(*entry)) throw UsageError{bare + " takes no value"};
  return {entry, name.substr(equals + 1)};
}

bool IsOperand(const std::string& word) { return word.empty() || word[0] != '-' || word == "-"; }

void CheckCombination(const RunnerOptions& o) {
  if (!o.summarize && !o.resultFiles.empty()) {
    throw UsageError{"unexpected argument '" + MessageText(o.resultFiles.front()) +
                     "'; only --summarize takes files"};
  }
  if (o.mapMeasure && !o.map) throw UsageError{"--map-measure needs --map"};
  if ((o.plotLanguage || o.plotScale) && !o.plot) {
    throw UsageError{"--lang and --plot-scale need --plot"};
  }
  if (o.pictureSize && !o.picture && !o.map && !o.plot) {
    throw UsageError{"--picture-size needs --picture, --map or --plot"};
  }
  if (!o.summarize) return;
  if (o.resultFiles.empty()) throw UsageError{"--summarize needs at least one result file"};
  if (o.optionCount > 0) throw UsageError{"--summarize takes no other options"};
  for (const std::string& file : o.resultFiles) {
    if (file.empty()) throw UsageError{"--summarize: a file name is empty"};
  }
}

}  // namespace

RunnerOptions ParseRunnerOptions(const std::vector<std::string>& args) {
  RunnerOptions o;
  // The window's defaults, written with the separator its edit fields use.
  o.controls.meanText = RealText("--mean", o.controls.meanText);
  o.controls.deviationText = RealText("--deviation", o.controls.deviationText);
  std::vector<const OptionSpec*> given;
  std::vector<std::pair<const OptionSpec*, std::string>> controls;  // parameters given
  bool operandsOnly = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i];
    if (operandsOnly || IsOperand(word)) {
      o.resultFiles.push_back(word);
      continue;
    }
    if (word == "--") {
      operandsOnly = true;
      continue;
    }
    const OptionWord option = SplitOption(word);
    const OptionSpec& entry = *option.entry;
    // A repeated value would silently override the first, and a repeated flag may be a
    // typing error for another option; say so instead.
    if (!entry.repeatable && std::find(given.begin(), given.end(), &entry) != given.end()) {
      throw UsageError{std::string(entry.name) + " is given more than once"};
    }
    std::string value;
    if (TakesValue(entry)) {
      if (option.inlineValue) {
        value = *option.inlineValue;
      } else if (i + 1 < args.size()) {
        value = args[++i];
      } else {
        throw UsageError{std::string(entry.name) + " needs a value"};
      }
    }
    given.push_back(&entry);
    o.given.push_back(entry.name);
    if (std::string_view(entry.name) != "--summarize") ++o.optionCount;
    entry.apply(o, entry, value);
    if (entry.control != nullptr) controls.push_back({&entry, value});
  }
  CheckUnsweptControls(o, controls);
  CheckCombination(o);
  return o;
}

std::string SimulatorUsage() {
  std::string text =
      "Usage: vadidazid-sim [options]\n"
      "       vadidazid-sim --summarize FILE...\n"
      "Runs the simulation without a window: set-up with the seed ticked, then\n"
      "step-limit + 1 steps, and writes the log as \"Zapisz dane\" saves it.\n"
      "Options take their value as --name VALUE or --name=VALUE.\n\n";
  auto list = [&](Group group) {
    for (const OptionSpec& entry : kOptions) {
      if (entry.group != group) continue;
      std::string line =
          "  " + std::string(entry.name) + (*entry.metavar ? " " : "") + entry.metavar;
      std::string help = entry.help, limits;
      if (entry.range) {
        limits = std::to_string(entry.range->min) + " .. " + std::to_string(entry.range->max);
      }
      if (entry.defaultText)
        limits += (limits.empty() ? "(" : " (") + entry.defaultText(entry) + ")";
      // The range and default end the last help line, or make one of their own.
      const size_t lastLine = help.size() - help.rfind('\n') - 1;
      const char* joint = entry.range ? ", " : " ";
      if (!limits.empty()) help += (21 + lastLine + limits.size() > 84 ? "\n" : joint) + limits;
      // The help starts in the 22nd column, on a line of its own after a long name.
      const std::string indent(21, ' ');
      line += line.size() < indent.size() ? std::string(indent.size() - line.size(), ' ')
                                          : "\n" + indent;
      for (char ch : help) line += ch == '\n' ? "\n" + indent : std::string(1, ch);
      text += line + "\n";
    }
  };
  list(Group::Run);
  text +=
      "Numbers use the point as decimal separator.\n\n"
      "Experiments: runs seeded seed, seed + 1, ..., each set up as with the seed ticked,\n"
      "measured after a warm-up; any of these options makes one (without --csv,\n"
      "--results or --plot the summary goes to standard output). An experiment has at\n"
      "most " +
      std::to_string(kMaxExperimentRuns) + " runs (points times replications).\n";
  list(Group::Experiment);
  text += kDimensionHelp;
  list(Group::Dimension);
  text +=
      "\nA result row counts every phase of the steps after the warm-up (numbered W+1 ..\n"
      "K), the moves and countdown of the last step included (a log line shows them one\n"
      "step later): attempts = calls drawn; blocked = drawn calls for which no idle\n"
      "subscriber in a cell with a free channel was found anywhere; started;\n"
      "full_cell_offers = idle subscribers passed over because their cell was full;\n"
      "dropped, handovers = calls dropped at, or moved by, a hand-over; ended;\n"
      "call_steps = the durations of the started calls. blocking_probability =\n"
      "blocked / attempts; call_congestion = full_cell_offers / (full_cell_offers +\n"
      "started); dropping_probability = dropped / handovers; offered_erlangs_per_cell =\n"
      "attempts per step and cell x call_steps / started, and erlang_b its Erlang B\n"
      "blocking on C channels; engset = Engset call congestion of M / N^2 subscribers\n"
      "on C channels, each offering call-percent / 100 x call_steps / started erlangs\n"
      "while idle. Loads are running calls after each step's recount, in percent of\n"
      "the network's channels.\n";
  text +=
      "\nExit status: 0 done, 1 an output could not be written (or the memory ran out),\n"
      "2 a bad command line, parameters or result file.\n";
  return text;
}

void CheckExperimentSize(const RunnerOptions& o) {
  try {
    vadidazid::CheckExperimentSize(o.sweeps, o.replications.value_or(1));
  } catch (const std::invalid_argument& e) {
    throw UsageError{e.what()};
  }
}

}  // namespace vadidazid
