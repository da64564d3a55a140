// Log lines, statistics, chart values and the log file of a run.
#include "sim/report.h"

#include <algorithm>
#include <charconv>

#include "platform/files/safefilestream.h"
#include "platform/text/cp1250.h"
#include "platform/text/numtext.h"
#include "sim/cellgrid.h"

namespace vadidazid {

std::string StepLogLine(const SimulationState& s) {
  const int32_t counts[4] = {s.runningCalls, s.newCalls, s.droppedCalls, s.endedCalls};
  char line[64];
  char* end = line;
  for (int i = 0; i < 4; ++i) {
    if (i > 0) *end++ = '\t';
    end = std::to_chars(end, line + sizeof line, counts[i]).ptr;
  }
  return std::string(line, end);
}

void AppendLogLine(const SimulationState& s, RunLog& log) { log.AddLogLine(StepLogLine(s)); }

void AddToTotals(SimulationState& s) {
  s.runningCallsTotal += s.runningCalls;
  s.runningCallsMax = std::max(s.runningCallsMax, s.runningCalls);
  s.droppedCallsTotal += s.droppedCalls;
  s.droppedCallsMax = std::max(s.droppedCallsMax, s.droppedCalls);
}

void ChartValues(const SimulationState& s, double values[4]) {
  const double capacity = double(s.NetworkCapacity());
  const int32_t counts[4] = {s.runningCalls, s.newCalls, s.droppedCalls, s.endedCalls};
  for (int i = 0; i < 4; ++i) values[i] = counts[i] / capacity * 100;
}

void FeedChart(const SimulationState& s, RunChart& chart) {
  double values[4];
  ChartValues(s, values);
  for (int i = 0; i < 4; ++i) chart.AddChartValue(i, values[i]);
}

std::vector<std::string> SummaryLines(const SimulationState& s) {
  const double capacity = double(s.NetworkCapacity());
  // The totals hold the stepLimit + 1 steps 0 .. stepLimit, but the averages divide by
  // stepLimit, the step count the user set ("Liczba kroków"): the log states its means
  // per set step, so they run high by a factor of (stepLimit + 1) / stepLimit. Logs
  // saved by earlier runs hold means of this kind, and the means of a new run must stay
  // comparable with them, so the divisor stays.
  const double limit = s.stepLimit;
  auto line = [](const char* text, double value) {
    return std::string(text) + FloatToStr(value) + "%";
  };
  return {
      line("średnie obciążenie sieci: ", double(s.runningCallsTotal) / limit / capacity * 100),
      line("maxymalne obciążenie sieci: ", s.runningCallsMax / capacity * 100),
      line("średnia zerwanych rozmów: ", double(s.droppedCallsTotal) / limit / capacity * 100),
      line("maximum zerwanych rozmów: ", s.droppedCallsMax / capacity * 100),
  };
}

void WriteSummary(const SimulationState& s, RunLog& log) {
  for (const std::string& line : SummaryLines(s)) log.AddLogLine(line);
}

void ReportStep(SimulationState& s, const SimPorts& ports) {
  if (ports.cells != nullptr) ShowCellGrid(s, *ports.cells);
  if (ports.log != nullptr) AppendLogLine(s, *ports.log);
  AddToTotals(s);
  if (ports.chart != nullptr) FeedChart(s, *ports.chart);
  if (ports.log != nullptr && s.stepCounter == s.stepLimit) WriteSummary(s, *ports.log);
  CellCounts& cells = s.cellCounts;
  if (cells.kept) {
    cells.subscribers = s.cellSubscribers;
    cells.calls = s.cellCalls;
  }
  s.droppedCalls = 0;
  s.newCalls = 0;
  s.endedCalls = 0;
  s.handedOverCalls = 0;
}

void ReportStepCounts(SimulationState& s, const SimPorts& ports) {
  if (ports.observer != nullptr) ports.observer->StepCounted(ReportOf(s));
  s.cellCounts.ClearStep();
}

std::string LogFileName(const SimulationState& s) { return s.fileStamp + "_dane.txt"; }

void AppendLogFileLine(std::string& bytes, std::string_view line) {
  bytes += Utf8ToCp1250(line);
  bytes += "\r\n";
}

std::string LogFileBytes(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) AppendLogFileLine(bytes, line);
  return bytes;
}

void WriteLogFile(const std::string& fileName, const std::vector<std::string>& lines) {
  const std::string bytes = LogFileBytes(lines);
  TSafeFileStream file(fileName, SaveTargets::kRegularFilesOnly);
  file.Write(bytes);
  file.Commit();
}

void SaveLogFile(const SimulationState& s, RunLog& log, MessageSink& messages) {
  const std::string name = LogFileName(s);
  WriteLogFile(name, log.LogLines());
  messages.ShowMessage("zapisano dane do pliku: " + name);
}

}  // namespace vadidazid
