// A window for the simulation tests: controls set by the test, the log and the chart
// kept in vectors, an optional canvas, the messages it was asked to show and the steps'
// reports.
#pragma once

#include <ctime>
#include <string>
#include <vector>

#include "sim/simports.h"

namespace vadidazid {

class FakeWindow : public ControlSource,
                   public RunLog,
                   public RunChart,
                   public CellView,
                   public MessageSink,
                   public StepObserver {
 public:
  SimControls controls;
  std::vector<std::string> log;
  std::vector<double> chart[4];
  std::vector<int> chartClears;
  std::vector<std::string> messages;
  Canvas* canvas = nullptr;
  int gridDrawn = 0;
  std::vector<StepReport> reports;
  // Whether the reports carry per-cell counts, and copies of the last report's arrays.
  bool wantsCells = false;
  std::vector<std::vector<int32_t>> lastCells;

  SimControls ReadControls() override { return controls; }
  void ClearLog() override { log.clear(); }
  void AddLogLine(const std::string& line) override { log.push_back(line); }
  std::vector<std::string> LogLines() const override { return log; }
  void ClearChartSeries(int index) override {
    chart[index].clear();
    chartClears.push_back(index);
  }
  void AddChartValue(int index, double value) override { chart[index].push_back(value); }
  Canvas* GridCanvas() override { return canvas; }
  void GridDrawn() override { ++gridDrawn; }
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  void StepCounted(const StepReport& report) override {
    reports.push_back(report);
    reports.back().cells = {};  // the arrays are the step's, valid only during this call
    const CellReport& c = report.cells;
    lastCells.clear();
    for (std::span<const int32_t> a : {c.fullCellOffers, c.started, c.dropped, c.handoversIn,
                                       c.handoversOut, c.subscribers, c.calls}) {
      lastCells.emplace_back(a.begin(), a.end());
    }
  }
  bool WantsCellCounts() const override { return wantsCells; }
};

// A local time for the file stamp, from its six fields.
inline std::tm LocalTime(int year, int month, int day, int hour, int minute, int second) {
  std::tm t{};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = hour;
  t.tm_min = minute;
  t.tm_sec = second;
  return t;
}

}  // namespace vadidazid
