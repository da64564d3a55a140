// Summaries of result rows and their table.
#include "results/summary.h"
#include "platform/exceptions.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "platform/text/numtext.h"
#include "results/csv.h"

namespace vadidazid {

namespace {

// Zero is shown without a sign, also where a row held -0.
double Unsigned0(double value) { return value == 0.0 ? 0.0 : value; }

std::string Fixed(double value, int decimals) {
  if (std::isnan(value)) return "-";
  return FixedPointText(Unsigned0(value), decimals);
}

// The runs a mean covers, where fewer than the point's.
std::string Covered(const MeanInterval& m, int64_t runs) {
  return m.count < runs && m.count > 0 ? " (" + std::to_string(m.count) + ")" : "";
}

std::string WithInterval(const MeanInterval& m, int decimals, int64_t runs) {
  if (std::isnan(m.mean)) return "-";
  return Fixed(m.mean, decimals) + " ± " + Fixed(m.halfWidth, decimals) + Covered(m, runs);
}

std::string MeanOnly(const MeanInterval& m, int decimals, int64_t runs) {
  return Fixed(m.mean, decimals) + Covered(m, runs);
}

// Characters as a terminal shows them: UTF-8 continuation bytes take no column.
size_t Width(const std::string& text) {
  return size_t(std::count_if(text.begin(), text.end(), [](char ch) {
    return (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
  }));
}

struct Parameter {
  const char* name;
  std::string (*text)(const RunResult&);
};

const Parameter kParameters[] = {
    {"grid_side", [](const RunResult& r) { return CsvNumber(int64_t(r.gridSide)); }},
    {"subscribers", [](const RunResult& r) { return CsvNumber(int64_t(r.subscribers)); }},
    {"channels", [](const RunResult& r) { return CsvNumber(int64_t(r.channels)); }},
    {"call_percent", [](const RunResult& r) { return CsvNumber(int64_t(r.callPercent)); }},
    {"steps", [](const RunResult& r) { return CsvNumber(r.steps); }},
    {"warmup",
     [](const RunResult& r) { return r.warmupAuto ? std::string("auto") : CsvNumber(r.warmup); }},
    {"mean", [](const RunResult& r) { return CsvNumber(Unsigned0(r.mean)); }},
    {"deviation", [](const RunResult& r) { return CsvNumber(Unsigned0(r.deviation)); }},
};

}  // namespace

std::vector<PointSummary> SummarizeResults(std::vector<RunResult> results) {
  // Sorted, every point's replications are together and in seed order, so the sums
  // add in the same order however the rows arrived.
  std::sort(results.begin(), results.end(), PointThenSeedBefore);
  std::vector<PointSummary> points;
  for (size_t first = 0; first < results.size();) {
    size_t last = first;
    while (last < results.size() && SamePoint(results[first], results[last])) {
      if (last > first && results[last].seed == results[last - 1].seed) {
        throw EInvalidInput("the run with seed " + std::to_string(results[last].seed) +
                            " of one point appears twice");
      }
      ++last;
    }
    std::vector<double> blocking, congestion, engset, erlangB, dropping, load;
    for (size_t i = first; i < last; ++i) {
      blocking.push_back(results[i].blockingProbability);
      congestion.push_back(results[i].callCongestion);
      engset.push_back(results[i].engset);
      erlangB.push_back(results[i].erlangB);
      dropping.push_back(results[i].droppingProbability);
      load.push_back(results[i].meanLoadPercent);
    }
    points.push_back({results[first], int64_t(last - first), MeanWithInterval95(blocking),
                      MeanWithInterval95(congestion), MeanWithInterval95(engset),
                      MeanWithInterval95(erlangB), MeanWithInterval95(dropping),
                      MeanWithInterval95(load)});
    first = last;
  }
  return points;
}

std::vector<std::vector<std::string>> SummaryCells(const std::vector<PointSummary>& points,
                                                   std::string* common) {
  // Parameters that all points share go in one line above the table; the others
  // are the table's first columns.
  std::vector<const Parameter*> varying;
  for (const Parameter& p : kParameters) {
    const std::string value = points.empty() ? "" : p.text(points[0].point);
    const bool same = std::all_of(points.begin(), points.end(),
                                  [&](const PointSummary& s) { return p.text(s.point) == value; });
    if (!same) {
      varying.push_back(&p);
    } else if (common != nullptr && !points.empty()) {
      *common += (common->empty() ? "" : ", ") + std::string(p.name) + " " + value;
    }
  }
  std::vector<std::vector<std::string>> rows;
  std::vector<std::string> header;
  for (const Parameter* p : varying) header.push_back(p->name);
  for (const char* name :
       {"runs", "blocking", "call_congestion", "engset", "erlang_b", "dropping", "load_percent"}) {
    header.push_back(name);
  }
  rows.push_back(header);
  for (const PointSummary& s : points) {
    std::vector<std::string> row;
    for (const Parameter* p : varying) row.push_back(p->text(s.point));
    row.push_back(std::to_string(s.runs));
    row.push_back(WithInterval(s.blocking, 6, s.runs));
    row.push_back(WithInterval(s.callCongestion, 6, s.runs));
    row.push_back(MeanOnly(s.engset, 6, s.runs));
    row.push_back(MeanOnly(s.erlangB, 6, s.runs));
    row.push_back(WithInterval(s.dropping, 6, s.runs));
    row.push_back(WithInterval(s.load, 3, s.runs));
    rows.push_back(row);
  }
  return rows;
}

std::string SummaryTable(const std::vector<PointSummary>& points) {
  if (points.empty()) return "No runs to summarize.\n";
  std::string common;
  const std::vector<std::vector<std::string>> rows = SummaryCells(points, &common);
  const std::vector<std::string>& header = rows.front();
  std::vector<size_t> widths(header.size(), 0);
  for (const auto& row : rows) {
    for (size_t k = 0; k < row.size(); ++k) widths[k] = std::max(widths[k], Width(row[k]));
  }
  std::string table = common + "\n" +
                      "Means over the runs of each point, ± the half-width of their 95 % "
                      "confidence interval (Student's t);\n(n): the runs a mean covers where "
                      "the others' value is undefined.\n\n";
  for (const auto& row : rows) {
    std::string line;
    for (size_t k = 0; k < row.size(); ++k) {
      line +=
          std::string(k == 0 ? 0 : 2, ' ') + std::string(widths[k] - Width(row[k]), ' ') + row[k];
    }
    table += line + "\n";
  }
  return table;
}

}  // namespace vadidazid
