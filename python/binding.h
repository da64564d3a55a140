// What the Python module's parts share: the parameters of a run as Python passes them,
// checked as the runner checks its options, and the conversion of table text to arrays.
#pragma once

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <optional>
#include <string>

#include "sim/controlsource.h"

namespace vadidazid {

namespace py = pybind11;

// The seven run parameters in Python's spelling; mean and deviation as numbers or texts.
struct RunParameters {
  int64_t gridSide = 10, subscribers = 1000, channels = 10, callPercent = 15, seed = 12345,
          stepLimit = 100;
  py::object mean = py::int_(5), deviation = py::float_(0.01);
};

// The controls of the parameters. Throws py::value_error with the runner's message, the
// parameter named as in Python, for a value outside its range or a real that is none;
// `swept` lists the parameters (Python names) whose base value no run uses.
SimControls ControlsOf(const RunParameters& p, const std::vector<std::string>& swept = {});

// The runner's text of a number given from Python: whole numbers as they are, reals in
// their shortest exact form; a str is taken as it is written.
std::string ValueText(const py::handle& value, const std::string& name);

// A message of the libraries with the runner's option names in Python's spelling.
std::string PythonMessage(std::string message);

// The columns of CSV text with a header line, one array each in the header's order:
// int64 where every field of the column is a whole number, float64 otherwise with NaN
// for an empty field; `realColumns` are float64 always.
py::dict CsvColumns(const std::string& text, const std::vector<std::string>& realColumns = {});

py::object RunFunction(const RunParameters& p, std::optional<int64_t> steps);
void DefineStudy(py::module_& m);

}  // namespace vadidazid
