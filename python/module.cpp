// The Python module `vadidazid`: its functions, their documentation, and the helpers its
// parts share (parameters checked as the runner checks them, table text as arrays).
#include <pybind11/stl.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "platform/exceptions.h"
#include "platform/text/numtext.h"
#include "python/binding.h"
#include "sim/setup.h"
#include "study/statistics.h"

namespace vadidazid {

namespace {

// The names the runner's messages use, with the names a Python caller knows them by.
const std::pair<const char*, const char*> kNames[] = {{"--grid-side", "grid_side"},
                                                      {"--subscribers", "subscribers"},
                                                      {"--channels", "channels"},
                                                      {"--call-percent", "call_percent"},
                                                      {"--step-limit", "step_limit"},
                                                      {"--seed", "seed"},
                                                      {"--mean", "mean"},
                                                      {"--deviation", "deviation"},
                                                      {"--steps", "steps"},
                                                      {"--warmup", "warmup"},
                                                      {"--replications", "replications"},
                                                      {"--sweep", "sweep"},
                                                      {"grid-side", "grid_side"},
                                                      {"call-percent", "call_percent"},
                                                      {"step-limit", "step_limit"}};

void CheckRange(const char* name, int64_t value, const ParameterRange& range) {
  if (value < range.min || value > range.max) {
    throw py::value_error(std::string(name) + ": " + std::to_string(value) + " is outside " +
                          std::to_string(range.min) + " .. " + std::to_string(range.max));
  }
}

// A real parameter's text as the set-up reads it: with the decimal separator it expects.
std::string RealControl(const char* name, const py::handle& value) {
  std::string text = ValueText(value, name);
  const char sep = DecimalSeparator();
  const bool valid = sep == '.' || text.find(sep) == std::string::npos;
  std::replace(text.begin(), text.end(), '.', sep);
  double ignored;
  if (!valid || !TryStrToFloat(text, ignored)) {
    throw py::value_error(std::string(name) + ": '" + ValueText(value, name) +
                          "' is not a valid floating point value");
  }
  return text;
}

bool Swept(const std::vector<std::string>& swept, const char* name) {
  return std::find(swept.begin(), swept.end(), name) != swept.end();
}

// Whole-number column values never carry these; a field with one is a real.
bool WholeField(const std::string& field, int64_t& value) {
  const char* end = field.data() + field.size();
  auto [ptr, ec] = std::from_chars(field.data(), end, value);
  return !field.empty() && ec == std::errc() && ptr == end;
}

std::vector<std::vector<std::string>> CsvFields(const std::string& text) {
  std::vector<std::vector<std::string>> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string> fields;
    for (size_t from = 0;;) {
      const size_t comma = line.find(',', from);
      fields.push_back(line.substr(from, comma - from));
      if (comma == std::string::npos) break;
      from = comma + 1;
    }
    lines.push_back(std::move(fields));
    start = end + 1;
  }
  return lines;
}

py::array Column(const std::vector<std::vector<std::string>>& lines, size_t c, bool real) {
  const size_t rows = lines.size() - 1;
  std::vector<int64_t> whole(rows);
  for (size_t r = 0; r < rows && !real; ++r) real = !WholeField(lines[r + 1].at(c), whole[r]);
  if (!real) return py::array_t<int64_t>(py::ssize_t(rows), whole.data());
  py::array_t<double> values(static_cast<py::ssize_t>(rows));
  auto out = values.mutable_unchecked<1>();
  for (size_t r = 0; r < rows; ++r) {
    const std::string& field = lines[r + 1].at(c);
    double v = std::numeric_limits<double>::quiet_NaN();
    if (!field.empty()) std::from_chars(field.data(), field.data() + field.size(), v);
    out(py::ssize_t(r)) = v;
  }
  return values;
}

double ErlangBFunction(int64_t channels, double erlangs) {
  if (channels < 0 || channels > kChannelRange.max * int64_t(1000)) {
    throw py::value_error("channels: " + std::to_string(channels) + " is outside 0 .. " +
                          std::to_string(kChannelRange.max * int64_t(1000)));
  }
  if (!(erlangs >= 0.0) || std::isinf(erlangs)) {
    throw py::value_error("erlangs: the offered traffic must be a finite number >= 0");
  }
  return ErlangB(erlangs, channels);
}

double EngsetFunction(int64_t channels, double sources, double beta) {
  ErlangBFunction(channels, 0.0);  // the same channel range
  if (!(sources >= 0.0) || std::isinf(sources)) {
    throw py::value_error("sources: the number of sources must be a finite number >= 0");
  }
  if (!(beta >= 0.0) || std::isinf(beta)) {
    throw py::value_error("beta: the traffic per idle source must be a finite number >= 0");
  }
  return EngsetCallCongestion(sources, channels, beta);
}

}  // namespace

std::string ValueText(const py::handle& value, const std::string& name) {
  if (py::isinstance<py::bool_>(value)) throw py::type_error(name + ": a number, not a bool");
  if (py::isinstance<py::str>(value)) return value.cast<std::string>();
  if (py::isinstance<py::int_>(value)) return py::str(value).cast<std::string>();
  if (py::isinstance<py::float_>(value)) {
    char text[32];
    char* end = std::to_chars(text, text + sizeof text, value.cast<double>()).ptr;
    return std::string(text, end);
  }
  throw py::type_error(name + ": a number or a str, not " +
                       py::str(py::type::of(value).attr("__name__")).cast<std::string>());
}

SimControls ControlsOf(const RunParameters& p, const std::vector<std::string>& swept) {
  const struct {
    const char* name;
    int64_t value;
    const ParameterRange& range;
    int32_t SimControls::*control;
  } wholes[] = {
      {"grid_side", p.gridSide, kGridSideRange, &SimControls::gridSide},
      {"subscribers", p.subscribers, kSubscriberRange, &SimControls::subscriberCount},
      {"channels", p.channels, kChannelRange, &SimControls::channelsPerCell},
      {"call_percent", p.callPercent, kCallPercentRange, &SimControls::callPercent},
      {"step_limit", p.stepLimit, kStepLimitRange, &SimControls::stepLimit},
      {"seed", p.seed, kSeedRange, &SimControls::seed},
  };
  SimControls c;
  for (const auto& w : wholes) {
    // A swept parameter's base value is no run's, so it need not be one a run can use.
    if (!Swept(swept, w.name)) CheckRange(w.name, w.value, w.range);
    c.*w.control = int32_t(std::clamp<int64_t>(w.value, w.range.min, w.range.max));
  }
  c.meanText = RealControl("mean", p.mean);
  c.deviationText = RealControl("deviation", p.deviation);
  c.reseed = true;
  return c;
}

std::string PythonMessage(std::string message) {
  for (const auto& [option, name] : kNames) {
    for (size_t at; (at = message.find(option)) != std::string::npos;) {
      message.replace(at, std::string_view(option).size(), name);
    }
  }
  return message;
}

py::dict CsvColumns(const std::string& text, const std::vector<std::string>& realColumns) {
  const std::vector<std::vector<std::string>> lines = CsvFields(text);
  py::dict columns;
  if (lines.empty()) return columns;
  for (size_t c = 0; c < lines[0].size(); ++c) {
    const std::string& name = lines[0][c];
    const bool real = std::find(realColumns.begin(), realColumns.end(), name) != realColumns.end();
    columns[py::str(name)] = Column(lines, c, real);
  }
  return columns;
}

}  // namespace vadidazid

namespace py = pybind11;
using namespace vadidazid;

PYBIND11_MODULE(vadidazid, m) {
  m.doc() =
      "Call traffic in a cellular network: the runs and studies of vadidazid-sim in process.\n\n"
      "run() makes one simulation run and gives its per-step counts, log, cell table and\n"
      "chart series; study() runs replications over sweeps of parameters and gives the\n"
      "result rows; erlang_b() and engset() are the loss formulas the rows are compared to.\n"
      "Every value equals the one the runner writes for the same parameters.";
  // The library's own failures are the caller's parameters that no run can use.
  py::register_exception_translator([](std::exception_ptr failure) {
    try {
      if (failure) std::rethrow_exception(failure);
    } catch (const Exception& e) {
      PyErr_SetString(PyExc_ValueError, PythonMessage(e.what()).c_str());
    } catch (const std::invalid_argument& e) {
      PyErr_SetString(PyExc_ValueError, PythonMessage(e.what()).c_str());
    }
  });
  m.def(
      "run",
      [](int64_t grid_side, int64_t subscribers, int64_t channels, int64_t call_percent,
         py::object mean, py::object deviation, int64_t seed, std::optional<int64_t> steps,
         int64_t step_limit) {
        RunParameters p{grid_side, subscribers, channels, call_percent,
                        seed,      step_limit,  mean,     deviation};
        return RunFunction(p, steps);
      },
      py::kw_only(), py::arg("grid_side") = 10, py::arg("subscribers") = 1000,
      py::arg("channels") = 10, py::arg("call_percent") = 15, py::arg("mean") = 5,
      py::arg("deviation") = 0.01, py::arg("seed") = 12345, py::arg("steps") = py::none(),
      py::arg("step_limit") = 100,
      R"(Runs one simulation as `vadidazid-sim` does: set up with the seed ticked, then
`steps` steps, or step_limit + 1 (an uninterrupted timed run) when steps is None.

Returns a Run whose attributes are the per-step columns of the runner's --csv as numpy
arrays (step, running, new, blocked, full_cell_offers, dropped, handovers, ended,
call_steps, load_percent, dropped_percent), and
  log        the text --out writes (str, its line ends as in the file),
  log_bytes  the bytes --out writes (Windows-1250),
  cells      the --cells table, a dict of arrays by column,
  chart      the four chart series (lists of floats) by their legend titles.
Raises ValueError with the runner's message for a parameter no run can use.)");
  m.def("erlang_b", &ErlangBFunction, py::arg("channels"), py::arg("erlangs"),
        "Erlang B: the blocking of `channels` channels offered `erlangs` of Poisson traffic.");
  m.def("engset", &EngsetFunction, py::arg("channels"), py::arg("sources"), py::arg("beta"),
        "Engset call congestion: the share of attempts that find all `channels` busy, with\n"
        "`sources` subscribers each offering `beta` erlangs while idle (may be fractional).");
  DefineStudy(m);
}
