// The dialog's fields as an experiment plan.
#include "ui/studyplan.h"

#include <algorithm>
#include <stdexcept>

#include "platform/exceptions.h"
#include "platform/text/numtext.h"

namespace vadidazid {

namespace {

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

const char* SweepName(const std::string& label) {
  for (const StudyParameter& p : StudyParameters()) {
    if (label == p.label) return p.name;
  }
  throw EInvalidInput("'" + label + "' is not a parameter to sweep");
}

bool IsReal(const std::string& name) { return name == "mean" || name == "deviation"; }

// "name=v1,v2,..." of a list whose values are separated by ';'.
std::string ListSweep(const std::string& name, const std::string& list) {
  std::string text = name + "=";
  size_t start = 0;
  for (bool first = true;; first = false) {
    const size_t end = list.find(';', start);
    text += (first ? "" : ",") + PointValueText(name, list.substr(start, end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return text;
}

Sweep SweepOf(const std::string& name, const StudyFields& f) {
  if (!Trimmed(f.list).empty()) return ParseSweep(ListSweep(name, f.list));
  return ParseSweep(name + "=" + PointValueText(name, f.from) + ":" + PointValueText(name, f.to) +
                    ":" + PointValueText(name, f.step));
}

}  // namespace

const std::vector<StudyParameter>& StudyParameters() {
  static const std::vector<StudyParameter> parameters = {
      {"Prawdopodobieństwo", "call-percent"},
      {"Ilość kanałów / BS", "channels"},
      {"Ilość abonentów", "subscribers"},
      {"Rozmiar sieci (bok)", "grid-side"},
      {"Średnia", "mean"},
      {"Odchylenie standardowe", "deviation"},
  };
  return parameters;
}

std::string PointValueText(const std::string& name, const std::string& text) {
  const std::string value = Trimmed(text);
  if (IsReal(name)) {
    double ignored = 0;
    if (!TryStrToFloat(value, ignored)) {
      throw EConvertError("'" + value + "' is not a valid floating point value");
    }
    std::string point = value;
    std::replace(point.begin(), point.end(), DecimalSeparator(), '.');
    return point;
  }
  // Whole numbers in plain decimal only: the sweep reads no hexadecimal.
  int32_t ignored = 0;
  const bool digits =
      !value.empty() && value.find_first_not_of("+-0123456789") == std::string::npos;
  if (!digits || !TryStrToInt(value, ignored)) {
    throw EConvertError("'" + value + "' is not a valid integer value");
  }
  return value;
}

ExperimentPlan StudyPlanOf(const StudyFields& f, const SimControls& base) {
  ExperimentPlan plan;
  plan.controls = base;
  const std::string name = SweepName(f.parameter);
  plan.sweeps.push_back(SweepOf(name, f));
  if (!f.groupParameter.empty()) {
    const std::string group = SweepName(f.groupParameter);
    if (group == name) {
      throw EInvalidInput("--sweep: " + name + " is swept twice; list its values in one --sweep");
    }
    plan.sweeps.push_back(ParseSweep(ListSweep(group, f.groupList)));
  }
  plan.replications = f.replications;
  plan.steps = f.steps;
  const std::string warmup = Trimmed(f.warmup);
  if (warmup == "auto") {
    plan.autoWarmup = true;
  } else {
    int32_t steps = 0;
    TryStrToInt(PointValueText("warmup", warmup), steps);
    if (steps < 0) {
      throw EInvalidInput("--warmup: " + warmup + " is outside 0 .. 2147483647");
    }
    plan.warmup = steps;
  }
  CheckExperimentSize(plan.sweeps, plan.replications);
  // The base value of a swept text is no run's, so a bad one there does not matter; one
  // that is used gets the message its field gives in the main window.
  const auto swept = [&](const char* sweepName) {
    return std::any_of(plan.sweeps.begin(), plan.sweeps.end(),
                       [&](const Sweep& s) { return s.name == sweepName; });
  };
  if (!swept("mean")) StrToFloat(base.meanText);
  if (!swept("deviation")) StrToFloat(base.deviationText);
  CheckPlan(plan);
  return plan;
}

}  // namespace vadidazid
