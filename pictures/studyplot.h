// The plot of a study: the measured probabilities of an experiment's points against its
// swept parameter, each a line with point markers and the 95 % confidence bars of its
// replications, beside the theory's curves for the same offered load as dashed lines,
// with a legend and axis titles, drawn by the program's chart engine. With a grid of two
// swept parameters there is one line of each kind per value of the second.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "chart/panel/chart.h"
#include "chart/series/seriespointer.h"
#include "results/summary.h"

namespace vadidazid {

// One line of the plot, its points in the order of x.
struct PlotCurve {
  std::string title;
  TColor color = clBlack;
  bool measured = true;  // markers and bars; otherwise a dashed or dotted theory curve
  TSeriesPointerStyle marker = TSeriesPointerStyle::psCircle;
  TPenStyle style = TPenStyle::psSolid;
  std::vector<double> x, y, error;  // error: half-width of the 95 % interval, NaN for none
};

// The value of a swept parameter (call-percent, channels, subscribers, grid-side, mean,
// deviation) in a result row. Throws std::invalid_argument for another name.
double SweptValue(const RunResult& point, const std::string& sweepName);

// The curves of the points (as SummarizeResults gives them) against the first swept
// parameter, one set per value of the second when there is one.
std::vector<PlotCurve> StudyCurves(const std::vector<PointSummary>& points,
                                   const std::vector<std::string>& sweepNames);

// The chart of the curves, width x height, x titled by the sweep's name.
std::unique_ptr<TChart> CreateStudyChart(const std::vector<PlotCurve>& curves,
                                         const std::string& xTitle, int width, int height);

inline constexpr int kPlotWidth = 800;
inline constexpr int kPlotHeight = 500;

}  // namespace vadidazid
