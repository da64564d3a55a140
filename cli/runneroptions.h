// The runner's command line: one table holds every option with its value, its range, its
// default and its help line, so the parser, the checks and --help cannot disagree. The
// ranges and defaults of the simulation's parameters are the set-up's own (the limits of
// the window's controls and the controls' initial values).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/experimentcommand.h"
#include "pictures/pictureoptions.h"
#include "pictures/plottext.h"
#include "platform/exceptions.h"
#include "sim/controlsource.h"
#include "study/experiment.h"

namespace vadidazid {

// A file an option writes, as given; "-" is standard output where dashIsStandardOutput.
struct GivenOutput {
  std::string option;
  std::string name;
  bool dashIsStandardOutput = false;
};

struct RunnerOptions {
  SimControls controls;
  std::optional<int64_t> steps;
  std::optional<std::string> out;
  std::optional<std::string> picture;
  bool chart = false;
  bool help = false;
  bool version = false;
  // Pictures: one size for all of them, else each kind's own.
  std::optional<PictureSize> pictureSize;
  std::optional<std::string> map, cells;
  std::optional<MapMeasure> mapMeasure;
  std::optional<MapRange> mapRange;  // none: auto, the values' own
  std::optional<std::string> plot;
  std::optional<PlotLanguage> plotLanguage;
  std::optional<double> plotScale;
  // Experiments.
  std::optional<int64_t> replications, warmup, threads;
  bool autoWarmup = false;    // --warmup auto
  std::vector<Sweep> sweeps;  // in the order given
  std::optional<Shard> shard;
  ExperimentOutputs outputs;
  bool summarize = false;
  std::vector<std::string> resultFiles;
  size_t optionCount = 0;          // options other than --summarize
  std::vector<std::string> given;  // the options' names in the order given
  bool experiment = false;         // an option of experiments was given
  // The outputs given, in the option table's order, those "-" may send to standard output
  // last.
  std::vector<GivenOutput> outputFiles;
  // Dimensioning and the formulas' calculator.
  std::optional<std::string> dimension, target;
  std::optional<int64_t> maxReplications;
  bool theory = false;
  std::optional<double> erlangs, sources, beta;
};

// Accepts "--name value", "--name=value", "-h" and "--" (the arguments after it are
// operands, the result files of --summarize). Throws UsageError for an unknown option, a
// missing or malformed value, a value outside its range (except the base value of a
// parameter that a --sweep replaces), an empty file name, an option or flag given twice
// (--sweep may be, for another parameter each time), an operand without --summarize and
// options beside --summarize.
RunnerOptions ParseRunnerOptions(const std::vector<std::string>& args);

// Throws UsageError for an experiment of more than kMaxExperimentRuns runs.
void CheckExperimentSize(const RunnerOptions& options);

std::string SimulatorUsage();

}  // namespace vadidazid
