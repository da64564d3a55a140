// The runner's option table, its parser and the help built from it.
#include "cli/runneroptions.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <utility>

#include "cli/dimensioncommand.h"
#include "platform/exceptions.h"
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

// What the parser, the checks and the help need to know of an option besides its value.
// A row's traits are these or-ed together; the parser and the runner test them, so a new
// option is one new row.
enum Trait : unsigned {
  kRun = 0,                         // belongs to a single run (the help's first list)
  kExperiment = 1u << 0,            // any of these makes the command an experiment
  kFlag = 1u << 1,                  // takes no value (its metavar is empty)
  kOutput = 1u << 2,                // names a file it writes: no two outputs may meet
  kDashIsStandardOutput = 1u << 3,  // with kOutput: "-" is standard output
  kAlone = 1u << 4,                 // takes the operands and no other option
  kRepeatable = 1u << 5,            // may be given more than once
  kDimension = 1u << 6,             // dimensioning or the formulas (the help's last list)
  kAlsoSingleRun = 1u << 7,         // with kExperiment: a single run of --map or --cells
                                    // takes it too, and stays a single run
};

struct OptionSpec;
using Apply = void (*)(RunnerOptions&, const OptionSpec&, const std::string& value);

// One row: name, metavar (shown in the help; empty for a flag), help ('\n' starts a
// further help line), traits, then what each option needs of the rest.
struct OptionSpec {
  const char* name;
  const char* metavar;
  const char* help;
  unsigned traits;
  const ParameterRange* range = nullptr;  // whole-number values
  std::string (*defaultText)(const OptionSpec&) = nullptr;
  Apply apply = nullptr;
  int32_t SimControls::*control = nullptr;  // the parameter a whole number sets
  bool Has(Trait trait) const { return (traits & trait) != 0; }
};

int64_t WholeNumber(const OptionSpec& entry, const std::string& text) {
  int64_t value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end) {
    throw UsageError(std::string(entry.name) + ": '" + MessageText(text) +
                     "' is not a whole number");
  }
  return value;
}

// The whole number of the text, within the option's range.
int64_t WholeValue(const OptionSpec& entry, const std::string& text) {
  const int64_t value = WholeNumber(entry, text);
  if (value < entry.range->min || value > entry.range->max) {
    throw UsageError(std::string(entry.name) + ": " + text + " is outside " +
                     std::to_string(entry.range->min) + " .. " + std::to_string(entry.range->max));
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
    throw UsageError(std::string(name) + ": '" + MessageText(text) +
                     "' is not a valid floating point value");
  }
  return local;
}

std::string FileName(const OptionSpec& entry, const std::string& text) {
  if (text.empty()) throw UsageError(std::string(entry.name) + ": the file name is empty");
  return text;
}

// A picture's file name, whose extension says the kind of picture.
std::string PictureName(const OptionSpec& entry, const std::string& text) {
  ParsePictureFile(entry.name, text);
  return text;
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
  Sweep sweep = ParseSweep(value);
  for (const Sweep& earlier : o.sweeps) {
    if (earlier.name == sweep.name) {
      throw UsageError("--sweep: " + sweep.name +
                       " is swept twice; list its values in one --sweep");
    }
  }
  o.sweeps.push_back(std::move(sweep));
}

const OptionSpec kOptions[] = {
    {"--grid-side", "N", "cells per side", kRun, &kGridSideRange, ControlDefault, ApplyControl,
     &SimControls::gridSide},
    {"--subscribers", "M", "subscribers", kRun, &kSubscriberRange, ControlDefault, ApplyControl,
     &SimControls::subscriberCount},
    {"--channels", "C", "channels per cell", kRun, &kChannelRange, ControlDefault, ApplyControl,
     &SimControls::channelsPerCell},
    {"--call-percent", "P", "percent of idle subscribers starting calls", kRun, &kCallPercentRange,
     ControlDefault, ApplyControl, &SimControls::callPercent},
    {"--step-limit", "S", "step after which the summary is written", kRun, &kStepLimitRange,
     ControlDefault, ApplyControl, &SimControls::stepLimit},
    {"--seed", "S", "seed of both generators", kRun, &kSeedRange, ControlDefault, ApplyControl,
     &SimControls::seed},
    {"--mean", "X", "mean call duration in steps", kRun, nullptr,
     [](const OptionSpec&) { return SimControls{}.meanText; },
     [](RunnerOptions& o, const OptionSpec& s, const std::string& v) {
       o.controls.meanText = RealText(s.name, v);
     }},
    {"--deviation", "Y", "standard deviation of the call duration", kRun, nullptr,
     [](const OptionSpec&) { return SimControls{}.deviationText; },
     [](RunnerOptions& o, const OptionSpec& s, const std::string& v) {
       o.controls.deviationText = RealText(s.name, v);
     }},
    {"--steps", "K", "number of steps instead of step-limit + 1", kRun, &kStepsRange, nullptr,
     [](RunnerOptions& o, const OptionSpec& s, const std::string& v) {
       o.steps = WholeValue(s, v);
     }},
    {"--out", "FILE",
     "write the log file's bytes (Windows-1250, CR LF) to FILE,\nwhich appears when the run "
     "has finished;\nwithout it the log goes to standard output as UTF-8",
     kOutput, nullptr, nullptr,
     [](RunnerOptions& o, const OptionSpec& s, const std::string& v) { o.out = FileName(s, v); }},
    {"--chart", "", "write each step's four chart values instead of the log", kFlag, nullptr,
     nullptr, [](RunnerOptions& o, const OptionSpec&, const std::string&) { o.chart = true; }},
    {"--picture", "FILE",
     "save the run's chart as \"Zapisz wykres\" does (BMP, 32 bits\nper pixel), or as "
     ".png or .svg by the extension;\nneeds no display",
     kOutput, nullptr, nullptr,
     [](RunnerOptions& o, const OptionSpec& s, const std::string& v) {
       o.picture = PictureName(s, v);
     }},
    {"--picture-size", "WxH",
     "size of every picture asked for (sides 64 .. 8192);\nby default 433x201 for "
     "--picture, 720x560 for --map,\n800x500 for --plot",
     kRun, nullptr, nullptr,
     [](RunnerOptions& o, const OptionSpec& s, const std::string& v) {
       o.pictureSize = ParsePictureSize(s.name, v);
     }},
    {"--map", "FILE",
     "the cells coloured by one measure of the steps after\n--warmup, with its scale, "
     "the rows' and columns' numbers\nand the start cell ringed (.bmp, .png or .svg)",
     kOutput, nullptr, nullptr,
     [](RunnerOptions& o, const OptionSpec& s, const std::string& v) {
       o.map = PictureName(s, v);
     }},
    {"--map-measure", "NAME", "call_congestion, dropped or load", kRun, nullptr,
     [](const OptionSpec&) { return std::string("call_congestion"); },
     [](RunnerOptions& o, const OptionSpec&, const std::string& v) {
       o.mapMeasure = ParseMapMeasure(v);
     }},
    {"--map-range", "auto|A:B",
     "the values the map's colours run from and to (values\nbeyond take the end colours); "
     "auto: the lowest to\nthe highest value, widened to labelled ends",
     kRun, nullptr, [](const OptionSpec&) { return std::string("auto"); },
     [](RunnerOptions& o, const OptionSpec&, const std::string& v) {
       o.mapRange = ParseMapRange(v);
     }},
    {"--cells", "FILE",
     "one CSV row per cell: row, column, mean subscribers and\ncalls, full-cell offers, "
     "started, dropped, hand-overs\nin and out, and the first and last step they cover",
     kOutput, nullptr, nullptr,
     [](RunnerOptions& o, const OptionSpec& s, const std::string& v) { o.cells = FileName(s, v); }},
    {"--help", "", "this text (also -h)", kFlag, nullptr, nullptr,
     [](RunnerOptions& o, const OptionSpec&, const std::string&) { o.help = true; }},
    {"--version", "", "the version and the git commit of the build", kFlag, nullptr, nullptr,
     [](RunnerOptions& o, const OptionSpec&, const std::string&) { o.version = true; }},
    {"--replications", "R", "runs per point, seeds seed .. seed + R - 1",
     kExperiment | kAlsoSingleRun, &kReplicationRange,
     [](const OptionSpec&) { return std::string("1"); },
     [](RunnerOptions& o, const OptionSpec& s, const std::string& v) {
       o.replications = WholeValue(s, v);
     }},
    {"--warmup", "W|auto",
     "steps left out of the statistics, below the steps;\nauto: each run's own, chosen by "
     "MSER-5 on its\nper-step load within its first half; also of the\nsingle run of --map "
     "and --cells",
     kExperiment | kAlsoSingleRun, &kWarmupRange,
     [](const OptionSpec&) { return std::string("0"); },
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
     kExperiment | kRepeatable, nullptr, nullptr, ApplySweep},
    {"--threads", "T", "runs at once; the output is the same for any T", kExperiment,
     &kThreadsRange, [](const OptionSpec&) { return std::string("the machine's cores"); },
     [](RunnerOptions& o, const OptionSpec& s, const std::string& v) {
       o.threads = WholeValue(s, v);
     }},
    {"--shard", "I/N", "only the runs I, I + N, I + 2N, ... of the experiment", kExperiment,
     nullptr, nullptr,
     [](RunnerOptions& o, const OptionSpec&, const std::string& v) { o.shard = ParseShard(v); }},
    {"--csv", "FILE",
     "one row per step of a single run, with the step's own\nphases: step, running, new, "
     "blocked, full_cell_offers,\ndropped, handovers, ended, call_steps, load_percent,\n"
     "dropped_percent",
     kExperiment | kOutput | kDashIsStandardOutput, nullptr, nullptr,
     [](RunnerOptions& o, const OptionSpec& s, const std::string& v) {
       o.outputs.csv = FileName(s, v);
     }},
    {"--results", "FILE",
     "one CSV row per run with its counts and the figures\nbelow ('-': standard output)",
     kExperiment | kOutput | kDashIsStandardOutput, nullptr, nullptr,
     [](RunnerOptions& o, const OptionSpec& s, const std::string& v) {
       o.outputs.results = FileName(s, v);
     }},
    {"--plot", "FILE",
     "the measured probabilities against the swept parameter with\ntheir confidence bars "
     "and the theory's curves (.bmp, .png\nor .svg)",
     kExperiment | kOutput, nullptr, nullptr,
     [](RunnerOptions& o, const OptionSpec& s, const std::string& v) {
       o.plot = PictureName(s, v);
     }},
    {"--lang", "pl|en", "the language of the plot's and the map's texts",
     kExperiment | kAlsoSingleRun, nullptr,
     [](const OptionSpec&) { return std::string("pl if LC_ALL, LC_MESSAGES or LANG is pl_..."); },
     [](RunnerOptions& o, const OptionSpec&, const std::string& v) {
       o.plotLanguage = ParsePlotLanguage(v);
     }},
    {"--plot-scale", "F",
     "the size of the plot's text, marks and lines, and of the\nmap's text, 0.25 .. 16; by "
     "default\nmin(width / 800, height / 500)",
     kExperiment | kAlsoSingleRun, nullptr, nullptr,
     [](RunnerOptions& o, const OptionSpec& s, const std::string& v) {
       o.plotScale = ParsePlotScale(s.name, v);
     }},
    {"--summary", "", "per point, means with 95 % confidence intervals", kExperiment | kFlag,
     nullptr, nullptr,
     [](RunnerOptions& o, const OptionSpec&, const std::string&) { o.outputs.summary = true; }},
    {"--summarize", "FILE...",
     "the summary of result files (of shards), alone; the files\nmay also follow --",
     kExperiment | kAlone, nullptr, nullptr,
     [](RunnerOptions& o, const OptionSpec&, const std::string&) { o.summarize = true; }},
#include "cli/dimensionoptions.inc"
};

const OptionSpec* FindOption(std::string_view name) {
  for (const OptionSpec& entry : kOptions) {
    if (name == entry.name) return &entry;
  }
  return nullptr;
}

bool TakesValue(const OptionSpec& entry) { return !entry.Has(kFlag) && !entry.Has(kAlone); }

// The option that stands alone and takes the operands.
const OptionSpec& AloneOption() {
  return *std::find_if(std::begin(kOptions), std::end(kOptions),
                       [](const OptionSpec& entry) { return entry.Has(kAlone); });
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
  if (entry == nullptr) throw UsageError("unknown option '" + MessageText(bare) + "'");
  if (equals == std::string::npos) return {entry, std::nullopt};
  if (!TakesValue(*entry)) throw UsageError(bare + " takes no value");
  return {entry, name.substr(equals + 1)};
}

bool IsOperand(const std::string& word) { return word.empty() || word[0] != '-' || word == "-"; }

// The outputs in the table's order, those that "-" may send to standard output last, so
// that a message about two of them names them in one order however they were given.
void SortOutputs(std::vector<GivenOutput>& outputs) {
  const auto rank = [](const GivenOutput& output) {
    const auto row = std::find_if(std::begin(kOptions), std::end(kOptions),
                                  [&](const OptionSpec& e) { return output.option == e.name; });
    return std::pair(output.dashIsStandardOutput, row - std::begin(kOptions));
  };
  std::sort(outputs.begin(), outputs.end(),
            [&](const GivenOutput& a, const GivenOutput& b) { return rank(a) < rank(b); });
}

void CheckCombination(const RunnerOptions& o) {
  const std::string alone = AloneOption().name;
  if (!o.summarize && !o.resultFiles.empty()) {
    throw UsageError("unexpected argument '" + MessageText(o.resultFiles.front()) + "'; only " +
                     alone + " takes files");
  }
  if (o.mapMeasure && !o.map) throw UsageError("--map-measure needs --map");
  if (!o.map && std::find(o.given.begin(), o.given.end(), "--map-range") != o.given.end()) {
    throw UsageError("--map-range needs --map");
  }
  if ((o.plotLanguage || o.plotScale) && !o.plot && !o.map) {
    throw UsageError("--lang and --plot-scale need --plot or --map");
  }
  if (o.pictureSize && !o.picture && !o.map && !o.plot) {
    throw UsageError("--picture-size needs --picture, --map or --plot");
  }
  if (!o.summarize) return;
  if (o.resultFiles.empty()) throw UsageError(alone + " needs at least one result file");
  if (o.optionCount > 0) throw UsageError(alone + " takes no other options");
  for (const std::string& file : o.resultFiles) {
    if (file.empty()) throw UsageError(alone + ": a file name is empty");
  }
}

}  // namespace

RunnerOptions ParseRunnerOptions(const std::vector<std::string>& args) {
  RunnerOptions o;
  // The window's defaults, written with the separator its edit fields use.
  o.controls.meanText = RealText("--mean", o.controls.meanText);
  o.controls.deviationText = RealText("--deviation", o.controls.deviationText);
  std::vector<const OptionSpec*> given;
  bool alsoSingleRun = false;  // an option of experiments that a single run may take
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
    if (!entry.Has(kRepeatable) && std::find(given.begin(), given.end(), &entry) != given.end()) {
      throw UsageError(std::string(entry.name) + " is given more than once");
    }
    std::string value;
    if (TakesValue(entry)) {
      if (option.inlineValue) {
        value = *option.inlineValue;
      } else if (i + 1 < args.size()) {
        value = args[++i];
      } else {
        throw UsageError(std::string(entry.name) + " needs a value");
      }
    }
    given.push_back(&entry);
    o.given.push_back(entry.name);
    if (!entry.Has(kAlone)) ++o.optionCount;
    if (entry.Has(kExperiment) && !entry.Has(kAlone)) {
      (entry.Has(kAlsoSingleRun) ? alsoSingleRun : o.experiment) = true;
    }
    entry.apply(o, entry, value);
    if (entry.control != nullptr) controls.push_back({&entry, value});
    if (entry.Has(kOutput)) {
      o.outputFiles.push_back({entry.name, value, entry.Has(kDashIsStandardOutput)});
    }
  }
  // The map and the cell table show one run, measured after its warm-up; without them
  // such an option makes an experiment.
  if (alsoSingleRun && !o.map && !o.cells) o.experiment = true;
  CheckUnsweptControls(o, controls);
  CheckCombination(o);
  SortOutputs(o.outputFiles);
  return o;
}

namespace {

// The help's layout: a label ("  --name VALUE") of at most kLabelBesideHelp characters
// keeps its help beside it, which starts one space after the widest such label; help
// lines end by kHelpLineEnd.
constexpr size_t kLabelBesideHelp = 20;
constexpr size_t kHelpLineEnd = 84;

std::string Label(const OptionSpec& entry) {
  return "  " + std::string(entry.name) + (*entry.metavar ? " " : "") + entry.metavar;
}

size_t HelpColumn() {
  size_t widest = 0;
  for (const OptionSpec& entry : kOptions) {
    const size_t width = Label(entry).size();
    if (width <= kLabelBesideHelp) widest = std::max(widest, width);
  }
  return widest + 1;
}

// The option's label and help lines, the help starting at the column (on a line of its
// own after a long label).
std::string HelpEntry(const OptionSpec& entry, size_t column) {
  std::string line = Label(entry);
  std::string help = entry.help, limits;
  if (entry.range) {
    limits = std::to_string(entry.range->min) + " .. " + std::to_string(entry.range->max);
  }
  if (entry.defaultText) limits += (limits.empty() ? "(" : " (") + entry.defaultText(entry) + ")";
  // The range and default end the last help line, or make one of their own.
  const size_t lastLine = help.size() - help.rfind('\n') - 1;
  const char* joint = entry.range ? ", " : " ";
  if (!limits.empty()) {
    help += (column + lastLine + limits.size() > kHelpLineEnd ? "\n" : joint) + limits;
  }
  const std::string indent(column, ' ');
  line += line.size() < column ? std::string(column - line.size(), ' ') : "\n" + indent;
  for (char ch : help) line += ch == '\n' ? "\n" + indent : std::string(1, ch);
  return line + "\n";
}

}  // namespace

std::string SimulatorUsage() {
  std::string text =
      "Usage: vadidazid-sim [options]\n"
      "       vadidazid-sim --summarize FILE...\n"
      "Runs the simulation without a window: set-up with the seed ticked, then\n"
      "step-limit + 1 steps, and writes the log as \"Zapisz dane\" saves it.\n"
      "Options take their value as --name VALUE or --name=VALUE.\n\n";
  const size_t column = HelpColumn();
  // Each option in one list: dimensioning's, else the experiments', else a run's.
  auto list = [&](Trait section) {
    for (const OptionSpec& entry : kOptions) {
      const Trait own = entry.Has(kDimension)    ? kDimension
                        : entry.Has(kExperiment) ? kExperiment
                                                 : kRun;
      if (own == section) text += HelpEntry(entry, column);
    }
  };
  list(kRun);
  text +=
      "Numbers use the point as decimal separator.\n\n"
      "Experiments: runs seeded seed, seed + 1, ..., each set up as with the seed ticked,\n"
      "measured after a warm-up; any of these options makes one (without --csv,\n"
      "--results or --plot the summary goes to standard output). An experiment has at\n"
      "most " +
      std::to_string(kMaxExperimentRuns) + " runs (points times replications).\n";
  list(kExperiment);
  text += kDimensionHelp;
  list(kDimension);
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
  vadidazid::CheckExperimentSize(o.sweeps, o.replications.value_or(1));
}

}  // namespace vadidazid
