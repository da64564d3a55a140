// A study as the window's "Badanie" dialog states it: the swept parameter by the name
// the main window gives it, its range or list of values, an optional second parameter
// for groups, the replications, the steps and the warm-up, over the main window's
// parameters. The dialog's texts use the locale's decimal separator; the plan's sweeps
// are decimal texts with the point, as the runner's, so the same study run by the runner
// makes the same rows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sim/controlsource.h"
#include "study/experiment.h"

namespace vadidazid {

// A parameter a study may sweep: its label in the main window and its name in a sweep.
struct StudyParameter {
  const char* label;  // "Prawdopodobieństwo", "Ilość kanałów / BS", ...
  const char* name;   // "call-percent", "channels", ...
};
const std::vector<StudyParameter>& StudyParameters();

struct StudyFields {
  std::string parameter;       // a label of StudyParameters()
  std::string from, to, step;  // the range, used when `list` is blank
  std::string list;            // values separated by ';'
  std::string groupParameter;  // empty: no groups
  std::string groupList;       // the second parameter's values, separated by ';'
  int64_t replications = 1;
  int64_t steps = 1;
  std::string warmup = "auto";  // or a whole number of steps
};

// The plan of the fields over the main window's parameters `base` (its seed is the first
// replication's). Throws EConvertError for a field that holds no number (the message the
// main window's fields give), EInvalidInput with the runner's message for a
// study the runner refuses (a value out of range, too many runs, a warm-up not below the
// steps, seeds past the largest), and what the set-up throws for unusable parameters.
ExperimentPlan StudyPlanOf(const StudyFields& fields, const SimControls& base);

// The number text of a field with the point: blanks around it removed and the locale's
// decimal separator replaced. Throws EConvertError when it is no number, whole or real
// as the parameter `name` needs.
std::string PointValueText(const std::string& name, const std::string& text);

}  // namespace vadidazid
