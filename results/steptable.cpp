// Writing the per-step table, header and fields from one list of columns, so the two
// cannot drift apart.
#include "results/steptable.h"

#include <type_traits>
#include <variant>
#include <vector>

#include "results/csv.h"

namespace vadidazid {

namespace {

using Field = std::variant<int32_t StepCounts::*, int64_t StepCounts::*, double StepCounts::*>;

struct Column {
  const char* name;
  Field field;
};

const Column kColumns[] = {
    {"step", &StepCounts::step},
    {"running", &StepCounts::running},
    {"new", &StepCounts::newCalls},
    {"blocked", &StepCounts::blocked},
    {"full_cell_offers", &StepCounts::fullCellOffers},
    {"dropped", &StepCounts::dropped},
    {"handovers", &StepCounts::handovers},
    {"ended", &StepCounts::ended},
    {"call_steps", &StepCounts::callSteps},
    {"load_percent", &StepCounts::loadPercent},
    {"dropped_percent", &StepCounts::droppedPercent},
};

}  // namespace

std::string StepHeader() {
  std::vector<std::string> names;
  for (const Column& c : kColumns) names.push_back(c.name);
  return CsvRecord(names);
}

std::string StepRecord(const StepCounts& counts) {
  std::vector<std::string> fields;
  for (const Column& c : kColumns) {
    std::visit(
        [&](auto member) {
          using Value = std::remove_cvref_t<decltype(counts.*member)>;
          if constexpr (std::is_same_v<Value, double>) {
            fields.push_back(CsvNumber(counts.*member));
          } else {
            fields.push_back(CsvNumber(int64_t(counts.*member)));
          }
        },
        c.field);
  }
  return CsvRecord(fields);
}

}  // namespace vadidazid
