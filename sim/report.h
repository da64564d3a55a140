// What a run reports: the log lines, the totals and maxima, the four chart values of a
// step, the summary after the last counted step, and the log file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sim/simulationstate.h"
#include "sim/simwindow.h"

// "running\tnew\tdropped\tended".
std::string StepLogLine(const SimulationState& state);
void AppendLogLine(const SimulationState& state, SimWindow& window);
void AddToTotals(SimulationState& state);
// The step's four counts as percentages of the network's channels, series 0 to 3.
void ChartValues(const SimulationState& state, double values[4]);
void FeedChart(const SimulationState& state, SimWindow& window);
std::vector<std::string> SummaryLines(const SimulationState& state);
void WriteSummary(const SimulationState& state, SimWindow& window);

std::string LogFileName(const SimulationState& state);  // fileStamp + "_dane.txt"
// The file's bytes: every line in Windows-1250 followed by CR LF.
std::string LogFileBytes(const std::vector<std::string>& lines);
// Appends one line's bytes as the log file holds them, for writers that stream the log.
void AppendLogFileLine(std::string& bytes, std::string_view line);
// Creates (or replaces) the file; EFCreateError / EWriteError on failure, which leave an
// earlier file of that name as it was.
void WriteLogFile(const std::string& fileName, const std::vector<std::string>& lines);
// "Zapisz dane": writes the window's log under the run's stamp and confirms.
void SaveLogFile(const SimulationState& state, SimWindow& window);
