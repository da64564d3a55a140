// The runner's experiment commands: running an experiment to its outputs (the steps of
// one run, the result table, the summary) and summarizing result files of shards.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "pictures/pictureoptions.h"
#include "pictures/plottext.h"
#include "study/experiment.h"

namespace vadidazid {

struct ExperimentOutputs {
  std::optional<std::string> csv;      // the steps of the one run
  std::optional<std::string> results;  // "-": standard output
  bool summary = false;                // also given when no other output is asked for
  std::optional<std::string> plot;     // the study's plot; the plan has a sweep
  std::optional<PictureSize> plotSize;
  std::optional<PlotLanguage> plotLanguage;  // else the locale's
  double plotScale = 0;                      // 0: by the picture's size
};

// The plan has passed CheckPlan and PlanTimedRunSteps. Returns ExitStatus::kDone; an
// output that cannot be written throws (EFCreateError, EWriteError). `progress`, when
// given, is the terminal for the progress line.
int RunExperimentCommand(const ExperimentPlan& plan, int threads, const ExperimentOutputs& outputs,
                         std::ostream& out, std::ostream& err, std::ostream* progress);

// The summary of the rows of result files. Throws EInvalidInput for a file that cannot be
// read or is no result table, or rows of one run given twice.
int SummarizeCommand(const std::vector<std::string>& files, std::ostream& out);

}  // namespace vadidazid
