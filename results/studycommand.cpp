// The runner's arguments of a plan.
#include "results/studycommand.h"

#include "platform/exceptions.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

#include "platform/text/numtext.h"
#include "results/csv.h"

namespace vadidazid {

namespace {

bool Swept(const ExperimentPlan& plan, const char* name) {
  return std::any_of(plan.sweeps.begin(), plan.sweeps.end(),
                     [&](const Sweep& sweep) { return sweep.name == name; });
}

// A shell takes the word as it is when it holds only these; otherwise it is quoted.
std::string ShellWord(const std::string& word) {
  const bool plain = !word.empty() && word.find_first_not_of(
                                          "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                          "0123456789_.,:=/+-") == std::string::npos;
  if (plain) return word;
  std::string quoted = "'";
  for (char ch : word) quoted += ch == '\'' ? std::string("'\\''") : std::string(1, ch);
  return quoted + "'";
}

size_t Decimals(const std::string& value) {
  const size_t point = value.find('.');
  return point == std::string::npos ? 0 : value.size() - point - 1;
}

// FROM:TO:STEP where the values are that range exactly (checked by the sweep's own
// parser), else the list. The step is the difference of the first two values, rounded
// to their decimals, as the doubles' difference is not always the decimal one.
std::string SweepValuesText(const Sweep& sweep) {
  const std::vector<std::string>& v = sweep.values;
  if (v.size() >= 3) {
    double first = 0, second = 0;
    std::from_chars(v[0].data(), v[0].data() + v[0].size(), first);
    std::from_chars(v[1].data(), v[1].data() + v[1].size(), second);
    std::string step =
        FixedPointText(second - first, int(std::max(Decimals(v[0]), Decimals(v[1]))));
    if (step.find('.') != std::string::npos) {
      step.erase(step.find_last_not_of('0') + 1);
      if (step.back() == '.') step.pop_back();
    }
    const std::string range = v.front() + ":" + v.back() + ":" + step;
    try {
      if (ParseSweep(sweep.name + "=" + range).values == v) return range;
    } catch (const EInvalidInput&) {
      // No range gives these values; they are listed.
    }
  }
  std::string list;
  for (const std::string& value : v) list += (list.empty() ? "" : ",") + value;
  return list;
}

}  // namespace

std::vector<std::string> StudyCommandArguments(const ExperimentPlan& plan) {
  const SimControls& c = plan.controls;
  std::vector<std::string> args;
  const auto add = [&](const char* option, const std::string& value) {
    args.push_back(std::string("--") + option);
    args.push_back(value);
  };
  const std::pair<const char*, int32_t> wholes[] = {{"grid-side", c.gridSide},
                                                    {"subscribers", c.subscriberCount},
                                                    {"channels", c.channelsPerCell},
                                                    {"call-percent", c.callPercent}};
  for (const auto& [name, value] : wholes) {
    if (!Swept(plan, name)) add(name, std::to_string(value));
  }
  // The shortest text that reads back to the set-up's double, with the point.
  if (!Swept(plan, "mean")) add("mean", CsvNumber(StrToFloat(c.meanText)));
  if (!Swept(plan, "deviation")) add("deviation", CsvNumber(StrToFloat(c.deviationText)));
  add("seed", std::to_string(c.seed));
  for (const Sweep& sweep : plan.sweeps) add("sweep", sweep.name + "=" + SweepValuesText(sweep));
  add("replications", std::to_string(plan.replications));
  add("steps", std::to_string(plan.steps));
  add("warmup", plan.autoWarmup ? std::string("auto") : std::to_string(plan.warmup));
  if (plan.shard.count > 1) {
    add("shard", std::to_string(plan.shard.index) + "/" + std::to_string(plan.shard.count));
  }
  return args;
}

std::string StudyCommandLine(const ExperimentPlan& plan) {
  std::string line = "vadidazid-sim";
  for (const std::string& arg : StudyCommandArguments(plan)) line += " " + ShellWord(arg);
  return line;
}

}  // namespace vadidazid
