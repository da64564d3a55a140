// study(): an experiment over sweeps of parameters on the engine's threads, with the
// interpreter lock released while the runs step; its rows are those of the runner's
// --results, and Ctrl+C stops it at the runs' next step.
#include <pybind11/functional.h>
#include <pybind11/stl.h>

#include <atomic>
#include <thread>

#include "python/binding.h"
#include "results/dimensionreport.h"
#include "results/resulttable.h"
#include "results/summary.h"
#include "study/dimensioning.h"
#include "study/experiment.h"

namespace vadidazid {

namespace {

// The runs an experiment may have, as the runner allows.
constexpr int64_t kMaxRuns = 1000000;

const std::vector<std::string> kRealColumns = {"mean",
                                               "deviation",
                                               "mean_load_percent",
                                               "max_load_percent",
                                               "blocking_probability",
                                               "call_congestion",
                                               "dropping_probability",
                                               "offered_erlangs_per_cell",
                                               "erlang_b",
                                               "engset"};

// Thrown on a worker thread at a run's next step once the caller asked to stop.
struct Stopped {};

class Study {
 public:
  explicit Study(std::vector<RunResult> rows) : rows_(std::move(rows)) {
    std::string text = ResultHeader();
    for (const RunResult& r : rows_) text += ResultRecord(r);
    columns_ = CsvColumns(text, kRealColumns);
  }
  py::dict Rows() const { return columns_; }
  py::object ToPandas() const { return py::module_::import("pandas").attr("DataFrame")(columns_); }
  py::dict Summary() const;

 private:
  std::vector<RunResult> rows_;
  py::dict columns_;
};

py::dict Study::Summary() const {
  const std::vector<PointSummary> points = SummarizeResults(rows_);
  std::vector<int64_t> gridSide, subscribers, channels, callPercent, runs;
  std::vector<double> mean, deviation;
  const std::pair<const char*, MeanInterval PointSummary::*> measures[] = {
      {"blocking", &PointSummary::blocking}, {"call_congestion", &PointSummary::callCongestion},
      {"engset", &PointSummary::engset},     {"erlang_b", &PointSummary::erlangB},
      {"dropping", &PointSummary::dropping}, {"load_percent", &PointSummary::load}};
  std::vector<std::vector<double>> means(6), halfWidths(6);
  for (const PointSummary& p : points) {
    gridSide.push_back(p.point.gridSide);
    subscribers.push_back(p.point.subscribers);
    channels.push_back(p.point.channels);
    callPercent.push_back(p.point.callPercent);
    mean.push_back(p.point.mean);
    deviation.push_back(p.point.deviation);
    runs.push_back(p.runs);
    for (size_t i = 0; i < 6; ++i) {
      means[i].push_back((p.*measures[i].second).mean);
      halfWidths[i].push_back((p.*measures[i].second).halfWidth);
    }
  }
  py::dict out;
  out["grid_side"] = py::array(py::cast(gridSide));
  out["subscribers"] = py::array(py::cast(subscribers));
  out["channels"] = py::array(py::cast(channels));
  out["call_percent"] = py::array(py::cast(callPercent));
  out["mean"] = py::array(py::cast(mean));
  out["deviation"] = py::array(py::cast(deviation));
  out["runs"] = py::array(py::cast(runs));
  for (size_t i = 0; i < 6; ++i) {
    out[py::str(measures[i].first)] = py::array(py::cast(means[i]));
    out[py::str(std::string(measures[i].first) + "_half_width")] =
        py::array(py::cast(halfWidths[i]));
  }
  return out;
}

int64_t WholeArgument(const py::handle& value, const char* name, int64_t min, int64_t max) {
  if (py::isinstance<py::bool_>(value) || !py::isinstance<py::int_>(value)) {
    throw py::type_error(std::string(name) + ": a whole number is needed");
  }
  const int64_t v = value.cast<int64_t>();
  if (v < min || v > max) {
    throw py::value_error(std::string(name) + ": " + std::to_string(v) + " is outside " +
                          std::to_string(min) + " .. " + std::to_string(max));
  }
  return v;
}

// The base parameters from the keyword arguments; an unknown one is a TypeError.
RunParameters BaseParameters(const py::kwargs& base) {
  RunParameters p;
  const std::pair<const char*, int64_t RunParameters::*> wholes[] = {
      {"grid_side", &RunParameters::gridSide}, {"subscribers", &RunParameters::subscribers},
      {"channels", &RunParameters::channels},  {"call_percent", &RunParameters::callPercent},
      {"seed", &RunParameters::seed},          {"step_limit", &RunParameters::stepLimit}};
  for (const auto& [key, value] : base) {
    const std::string name = py::str(key);
    bool known = false;
    for (const auto& [whole, member] : wholes) {
      if (name != whole) continue;
      p.*member = WholeArgument(value, whole, INT64_MIN, INT64_MAX);
      known = true;
    }
    if (name == "mean" || name == "deviation") {
      (name == "mean" ? p.mean : p.deviation) = py::reinterpret_borrow<py::object>(value);
      known = true;
    }
    if (!known) throw py::type_error("study() got an unexpected keyword argument '" + name + "'");
  }
  return p;
}

// One sweep from its Python name and a list of values or the runner's range text.
Sweep SweepOf(const std::string& name, const py::handle& values) {
  std::string text = name + "=";
  for (char& ch : text) ch = ch == '_' ? '-' : ch;
  if (py::isinstance<py::str>(values)) {
    text += values.cast<std::string>();
  } else {
    bool first = true;
    for (const py::handle& v : py::iter(values)) {
      text += (first ? "" : ",") + ValueText(v, "sweep: " + name);
      first = false;
    }
  }
  return ParseSweep(text);
}

}  // namespace

namespace {

ExperimentPlan PlanOf(const py::object& sweep, const py::handle& replications,
                      const py::object& steps, const py::object& warmup, const py::kwargs& base) {
  ExperimentPlan plan;
  std::vector<std::string> swept;
  if (!sweep.is_none()) {
    for (const auto& [name, values] : sweep.cast<py::dict>()) {
      plan.sweeps.push_back(SweepOf(py::str(name), values));
      swept.push_back(py::str(name));
      for (size_t i = 0; i + 1 < plan.sweeps.size(); ++i) {
        if (plan.sweeps[i].name == plan.sweeps.back().name) {
          throw py::value_error("sweep: " + swept.back() + " is swept twice");
        }
      }
    }
  }
  plan.controls = ControlsOf(BaseParameters(base), swept);
  plan.replications = WholeArgument(replications, "replications", 1, INT32_MAX);
  const int64_t points = GridPointCount(plan.sweeps, kMaxRuns);
  if (points > kMaxRuns || points * plan.replications > kMaxRuns) {
    throw py::value_error("the experiment has more than " + std::to_string(kMaxRuns) +
                          " runs, more than one experiment may have; split it into several");
  }
  if (py::isinstance<py::str>(warmup) && warmup.cast<std::string>() == "auto") {
    plan.autoWarmup = true;
  } else if (!warmup.is_none()) {
    plan.warmup = WholeArgument(warmup, "warmup", 0, INT32_MAX);
  }
  // Without steps, a run is as long as an uninterrupted timed run.
  plan.steps =
      steps.is_none() ? PlanTimedRunSteps(plan) : WholeArgument(steps, "steps", 0, INT32_MAX);
  CheckPlan(plan);
  return plan;
}

// Runs the plan with the interpreter lock released. The watcher, on this thread, calls
// `progress` and looks for a signal (Ctrl+C); either's exception stops the runs at their
// next step and is raised here once the workers are done.
std::vector<RunResult> Measure(const std::vector<RunPlan>& runs, int threads,
                               const py::object& progress) {
  std::atomic<bool> stop{false};
  std::unique_ptr<py::error_already_set> failure;
  auto watch = [&](int64_t done) {
    py::gil_scoped_acquire locked;
    try {
      if (PyErr_CheckSignals() != 0) throw py::error_already_set();
      if (!progress.is_none()) progress(done, int64_t(runs.size()));
    } catch (py::error_already_set& e) {
      if (!failure) failure = std::make_unique<py::error_already_set>(std::move(e));
      stop = true;
    }
  };
  auto onStep = [&](const StepCounts&) {
    if (stop.load(std::memory_order_relaxed)) throw Stopped{};
  };
  std::vector<RunResult> rows;
  try {
    py::gil_scoped_release unlocked;
    rows = MeasureRuns(runs, threads, onStep, nullptr, watch);
  } catch (const Stopped&) {
  }
  if (failure) throw std::move(*failure);
  if (!progress.is_none()) progress(int64_t(runs.size()), int64_t(runs.size()));
  return rows;
}

// The worker threads asked for, or all cores.
int Workers(const py::object& threads) {
  const int cores = std::max(int(std::thread::hardware_concurrency()), 1);
  return threads.is_none() ? cores : int(WholeArgument(threads, "threads", 1, 1024));
}

Study StudyFunction(const py::object& sweep, const py::handle& replications,
                    const py::object& steps, const py::object& warmup, const py::object& threads,
                    const py::object& progress, const py::kwargs& base) {
  const ExperimentPlan plan = PlanOf(sweep, replications, steps, warmup, base);
  const int workers = Workers(threads);
  if (!plan.autoWarmup && plan.warmup == 0) {
    PyErr_WarnEx(PyExc_RuntimeWarning,
                 "with warmup 0 every run's statistics begin at its set-up, with every "
                 "subscriber in one cell; see warmup=\"auto\"",
                 1);
  }
  return Study(Measure(ExperimentRuns(plan), workers, progress));
}

const char* OutcomeName(DimensionOutcome outcome) {
  switch (outcome) {
    case DimensionOutcome::Found:
      return "found";
    case DimensionOutcome::Between:
      return "between";
    case DimensionOutcome::AllMeet:
      return "all_meet";
    case DimensionOutcome::NoneMeet:
      return "none_meet";
    case DimensionOutcome::NoTrend:
      return "no_trend";
    case DimensionOutcome::NotMonotone:
      return "not_monotone";
  }
  return "";
}

// The search of the runner's --dimension, its batches run as study()'s runs are.
py::object DimensionFunction(const std::string& parameter, const std::string& target,
                             const py::handle& maxReplications, const py::object& steps,
                             const py::object& warmup, const py::object& threads,
                             const py::object& progress, const py::kwargs& base) {
  DimensionPlan plan;
  plan.base = PlanOf(py::none(), py::int_(1), steps, warmup, base);
  plan.parameter = parameter;
  for (char& ch : plan.parameter) ch = ch == '_' ? '-' : ch;
  plan.target = ParseDimensionTarget(target);
  plan.maxReplications = WholeArgument(maxReplications, "max_replications", 2, INT32_MAX);
  CheckDimensionPlan(plan);
  const int workers = Workers(threads);
  const DimensionAnswer answer = Dimension(
      plan, [&](const std::vector<RunPlan>& runs) { return Measure(runs, workers, progress); });
  py::object result = py::module_::import("types").attr("SimpleNamespace")();
  result.attr("outcome") = OutcomeName(answer.outcome);
  result.attr("answer") = answer.answer ? py::object(py::int_(*answer.answer)) : py::none();
  result.attr("beyond") = answer.beyond ? py::object(py::int_(*answer.beyond)) : py::none();
  result.attr("runs") = answer.runs;
  result.attr("report") = DimensionReport(plan, answer);
  result.attr("study") = Study(DimensionRows(answer));
  return result;
}

}  // namespace

void DefineStudy(py::module_& m) {
  py::class_<Study>(m, "Study", "The result rows of an experiment, one per run.")
      .def_property_readonly("rows", &Study::Rows,
                             "The columns of the runner's --results as numpy arrays (NaN where "
                             "the file has an empty field).")
      .def("to_pandas", &Study::ToPandas, "The rows as a pandas DataFrame.")
      .def("summary", &Study::Summary,
           "Per point: the parameters, the runs, and the means of blocking, call_congestion,\n"
           "engset, erlang_b, dropping and load_percent with the half-widths of their 95 %\n"
           "confidence intervals (NAME_half_width), as --summary prints them.");
  m.def("study", &StudyFunction, py::arg("sweep") = py::none(), py::arg("replications") = 4,
        py::arg("steps") = 300, py::arg("warmup") = "auto", py::arg("threads") = py::none(),
        py::arg("progress") = py::none(),
        R"(Runs an experiment as `vadidazid-sim --sweep ... --results` does.

sweep: {name: values}, each values a list or the runner's range text "FROM:TO:STEP";
several sweeps make a grid, the first changing slowest. replications: runs per point,
seeded seed, seed + 1, ...; steps: per run (None: step_limit + 1); warmup: the first steps
left out, or "auto" for MSER-5; threads: worker threads (None: all cores); progress: called
as progress(runs_done, runs) on the calling thread. Further keywords are the base run
parameters of run(). The runs step without the interpreter lock; Ctrl+C stops them at
their next step and raises KeyboardInterrupt. Returns a Study.)");
  m.def("dimension", &DimensionFunction, py::arg("parameter"), py::arg("target"),
        py::arg("max_replications") = 64, py::arg("steps") = 300, py::arg("warmup") = "auto",
        py::arg("threads") = py::none(), py::arg("progress") = py::none(),
        R"(Finds the boundary value of `parameter` (channels, subscribers, call_percent or
grid_side) at which the measure meets `target`, e.g. "call_congestion<=0.02", as
`vadidazid-sim --dimension` does: each value tried is replicated in batches until its
95 % interval lies on one side of the target, up to max_replications runs. steps, warmup,
threads, progress and the base parameters as for study(). Returns an object with
outcome ("found", "between", "all_meet", "none_meet", "no_trend", "not_monotone"),
answer and beyond (the meeting value and its failing neighbour, or None), runs, report
(the runner's text) and study (a Study of every run tried).)");
}

}  // namespace vadidazid
