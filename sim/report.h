// What a run reports: the log lines, the totals and maxima, the four chart values of a
// step, the summary after the last counted step, the step's counts to its observer, and
// the log file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sim/simports.h"
#include "sim/simulationstate.h"

namespace vadidazid {

// "running\tnew\tdropped\tended".
std::string StepLogLine(const SimulationState& state);
void AppendLogLine(const SimulationState& state, RunLog& log);
void AddToTotals(SimulationState& state);
// The step's four counts as percentages of the network's channels, series 0 to 3.
void ChartValues(const SimulationState& state, double values[4]);
void FeedChart(const SimulationState& state, RunChart& chart);
std::vector<std::string> SummaryLines(const SimulationState& state);
void WriteSummary(const SimulationState& state, RunLog& log);
// A step's reports once its cells are recounted, to the ports there are: the cells, the
// log line, the totals, the chart values and the summary after the last counted step.
// Then clears the counts that the moves and the next new calls count anew.
void ReportStep(SimulationState& state, const SimPorts& ports);
// A step's counts, all its phases, to the observer once its countdown is over; then
// clears the per-cell counts for the next step.
void ReportStepCounts(SimulationState& state, const SimPorts& ports);

std::string LogFileName(const SimulationState& state);  // fileStamp + "_dane.txt"
// The file's bytes: every line in Windows-1250 followed by CR LF.
std::string LogFileBytes(const std::vector<std::string>& lines);
// Appends one line's bytes as the log file holds them, for writers that stream the log.
void AppendLogFileLine(std::string& bytes, std::string_view line);
// Creates (or replaces) the file; EFCreateError / EWriteError on failure, which leave an
// earlier file of that name as it was. Only a regular file is written: the window's
// names are predictable, and a FIFO put there would block it.
void WriteLogFile(const std::string& fileName, const std::vector<std::string>& lines);
// "Zapisz dane": writes the log's lines under the run's stamp and confirms.
void SaveLogFile(const SimulationState& state, RunLog& log, MessageSink& messages);

}  // namespace vadidazid
