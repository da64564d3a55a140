// Writing and reading the result table, column by column from one list.
#include "results/resulttable.h"
#include "platform/exceptions.h"

#include <cmath>
#include <sstream>
#include <stdexcept>
#include <tuple>
#include <type_traits>
#include <variant>

#include "platform/text/messagetext.h"
#include "results/csv.h"
#include "results/resulttablereader.h"

namespace vadidazid {

namespace {

using Field = std::variant<int32_t RunResult::*, int64_t RunResult::*, double RunResult::*>;

struct Column {
  const char* name;
  Field field;
};

const Column kColumns[] = {
    {"grid_side", &RunResult::gridSide},
    {"subscribers", &RunResult::subscribers},
    {"channels", &RunResult::channels},
    {"call_percent", &RunResult::callPercent},
    {"steps", &RunResult::steps},
    {"warmup", &RunResult::warmup},
    {"warmup_auto", &RunResult::warmupAuto},
    {"mean", &RunResult::mean},
    {"deviation", &RunResult::deviation},
    {"seed", &RunResult::seed},
    {"attempts", &RunResult::attempts},
    {"blocked", &RunResult::blocked},
    {"started", &RunResult::started},
    {"full_cell_offers", &RunResult::fullCellOffers},
    {"dropped", &RunResult::dropped},
    {"handovers", &RunResult::handovers},
    {"ended", &RunResult::ended},
    {"call_steps", &RunResult::callSteps},
    {"mean_load_percent", &RunResult::meanLoadPercent},
    {"max_load_percent", &RunResult::maxLoadPercent},
    {"blocking_probability", &RunResult::blockingProbability},
    {"call_congestion", &RunResult::callCongestion},
    {"dropping_probability", &RunResult::droppingProbability},
    {"offered_erlangs_per_cell", &RunResult::offeredErlangsPerCell},
    {"erlang_b", &RunResult::erlangB},
    {"engset", &RunResult::engset},
};

// The runs of one point may each choose their own warm-up.
auto ParameterTuple(const RunResult& r) {
  return std::make_tuple(r.gridSide, r.subscribers, r.channels, r.callPercent, r.steps,
                         r.warmupAuto, r.warmupAuto ? 0 : r.warmup, r.mean, r.deviation);
}

}  // namespace

std::string ResultHeader() {
  std::vector<std::string> names;
  for (const Column& c : kColumns) names.push_back(c.name);
  return CsvRecord(names);
}

std::string ResultRecord(const RunResult& r) {
  std::vector<std::string> fields;
  for (const Column& c : kColumns) {
    std::visit(
        [&](auto member) {
          using Value = std::remove_cvref_t<decltype(r.*member)>;
          if constexpr (std::is_same_v<Value, double>) {
            fields.push_back(CsvNumber(r.*member));
          } else {
            fields.push_back(CsvNumber(int64_t(r.*member)));
          }
        },
        c.field);
  }
  return CsvRecord(fields);
}

std::string ResultColumnLabel(std::string_view name) {
  for (size_t k = 0; k < std::size(kColumns); ++k) {
    if (name == kColumns[k].name) {
      return "column " + std::to_string(k + 1) + " (" + kColumns[k].name + ")";
    }
  }
  return std::string(name);
}

RunResult ParseResultRecord(const std::vector<std::string>& fields) {
  if (fields.size() != std::size(kColumns)) {
    throw EInvalidInput(std::to_string(fields.size()) + " fields instead of " +
                        std::to_string(std::size(kColumns)));
  }
  RunResult r;
  for (size_t k = 0; k < fields.size(); ++k) {
    const Column& c = kColumns[k];
    const bool ok = std::visit(
        [&](auto member) {
          using Value = std::remove_cvref_t<decltype(r.*member)>;
          if constexpr (std::is_same_v<Value, double>) {
            // An undefined figure is written as an empty field, never as "nan".
            const auto value = CsvReal(fields[k]);
            if (!value || (!fields[k].empty() && !std::isfinite(*value))) return false;
            r.*member = *value;
          } else {
            const auto value = CsvInteger(fields[k]);
            if (!value || *value != Value(*value)) return false;
            r.*member = Value(*value);
          }
          return true;
        },
        c.field);
    if (!ok) {
      throw EInvalidInput(ResultColumnLabel(c.name) + ": '" + MessageText(fields[k]) +
                          "' is not a number");
    }
  }
  return r;
}

std::vector<RunResult> ParseResultTable(std::string_view text) {
  std::istringstream in{std::string(text)};
  ResultTableReader reader(in);
  std::vector<RunResult> results;
  for (RunResult row; reader.Next(row);) results.push_back(row);
  return results;
}

bool SamePoint(const RunResult& a, const RunResult& b) {
  return ParameterTuple(a) == ParameterTuple(b);
}

bool PointThenSeedBefore(const RunResult& a, const RunResult& b) {
  return std::tuple_cat(ParameterTuple(a), std::make_tuple(a.seed)) <
         std::tuple_cat(ParameterTuple(b), std::make_tuple(b.seed));
}

}  // namespace vadidazid
