// The plot of a study: the measured probabilities of an experiment's points against its
// swept parameter, each a line with point markers and the 95 % confidence bars of its
// replications, beside the theory's curves for the same offered load as dashed lines,
// with a legend and axis titles, drawn by the program's chart engine.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "chart/chart.h"
#include "cli/summary.h"

// One line of the plot, its points in the order of x.
struct PlotCurve {
  std::string title;
  TColor color = clBlack;
  bool measured = true;  // markers and bars; otherwise a dashed theory curve
  std::vector<double> x, y, error;  // error: half-width of the 95 % interval, NaN for none
};

// The value of the swept parameter (call-percent, channels, subscribers, grid-side) in
// a result row. Throws std::invalid_argument for another name.
int32_t SweptValue(const RunResult& point, const std::string& sweepName);

// The curves of the points (as SummarizeResults gives them) against the swept parameter.
std::vector<PlotCurve> StudyCurves(const std::vector<PointSummary>& points,
                                   const std::string& sweepName);

// The chart of the curves, width x height, x titled by the sweep's name.
std::unique_ptr<TChart> CreateStudyChart(const std::vector<PlotCurve>& curves,
                                         const std::string& xTitle, int width, int height);

inline constexpr int kPlotWidth = 800;
inline constexpr int kPlotHeight = 500;
