// The plot of a study: the measured probabilities of an experiment's points against its
// swept parameter, each a line with point markers and the 95 % confidence bars of its
// replications, beside the theory's curves for the same offered load as lighter dashed
// lines, with a legend, axis titles and a subtitle of the fixed parameters, in Polish or
// English, drawn by the program's chart engine. With a grid of two swept parameters
// there is one line of each kind per value of the second, told apart by colour and
// marker. The colours stay apart for a colour-blind reader, probabilities stay within
// [0, 1], and text and lines grow with the picture, so it serves as a figure for a
// lecture or a printed report.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "chart/panel/chart.h"
#include "chart/series/seriespointer.h"
#include "pictures/plottext.h"
#include "results/summary.h"
#include "study/experiment.h"

namespace vadidazid {

// How a line's markers are drawn: filled, empty (white inside) or filled at half the
// size. In a grid, where colour and shape name the value of the second sweep, this tells
// the measures of one value apart beside their dashes, in no colour of its own.
enum class MarkerKind { Solid, Hollow, Small };

// One line of the plot, its points in the order of x.
struct PlotCurve {
  std::string title;
  TColor color = clBlack;
  bool measured = true;  // markers and bars; otherwise a dashed or dotted theory curve
  TSeriesPointerStyle marker = TSeriesPointerStyle::psCircle;
  TPenStyle style = TPenStyle::psSolid;
  MarkerKind markerKind = MarkerKind::Solid;
  std::vector<double> x, y, error;  // error: half-width of the 95 % interval, NaN for none
  // In a grid: the measure and the second sweep's value the curve shows, each of which
  // the legend lists once (the title is both).
  std::string measure, group;
};

// The value of a swept parameter (call-percent, channels, subscribers, grid-side, mean,
// deviation) in a result row. Throws std::invalid_argument for another name.
double SweptValue(const RunResult& point, const std::string& sweepName);

// At most this many values of a second sweep are drawn, each in a colour of its own; the
// plot names the values it leaves out.
inline constexpr size_t kMaxPlotGroups = 8;

// The curves of the points (as SummarizeResults gives them) against the first swept
// parameter, one set per value of the second when there is one (its first
// kMaxPlotGroups values; `leftOut`, when given, receives the others).
std::vector<PlotCurve> StudyCurves(const std::vector<PointSummary>& points,
                                   const std::vector<std::string>& sweepNames,
                                   PlotLanguage language = PlotLanguage::English,
                                   std::vector<double>* leftOut = nullptr);

// A curve, without points, of the result column `key` (blocking_probability,
// call_congestion, dropping_probability, erlang_b, engset, or another measured column)
// titled from the text table, in the colour, marker and line style the plot gives it.
PlotCurve KindCurve(const std::string& key, PlotLanguage language);

// The colour of a line that marks a value rather than shows one, such as a target.
TColor MarkLineColor();

inline constexpr int kPlotWidth = 800;
inline constexpr int kPlotHeight = 500;

// How the plot reads: its language, the factor its text, marks and lines are drawn at
// (0: min(width / 800, height / 500)), the subtitle and a foot line (empty: none).
// `probabilities`: the y values are probabilities, so the axis runs within [0, 1] and
// intervals are clipped at its bounds; otherwise the axis follows the values.
struct PlotLook {
  PlotLanguage language = PlotLanguage::English;
  double scale = 0;
  bool probabilities = true;
  std::string subtitle, foot;
};

double PlotScale(const PlotLook& look, int width, int height);

// The subtitle of a plan: its fixed parameters, replications, steps and warm-up.
std::string StudySubtitle(const ExperimentPlan& plan, PlotLanguage language);
// Its parts: the parameters not in `swept`, each followed by ", "; and the steps and
// warm-up of the runs.
std::string FixedParameters(const SimControls& controls, const std::vector<std::string>& swept,
                            PlotLanguage language);
std::string RunLengthText(const ExperimentPlan& plan, PlotLanguage language);

// The probability axis: from 0 to `top` <= 1 with labels every `step` (1, 2, 2.5 or 5
// times a power of ten), at most 10 labels, holding `highest` (clipped to 1).
struct AxisSteps {
  double minimum = 0, top = 1, step = 0.1;
};
AxisSteps ProbabilitySteps(double highest);
// The step for labels of [low, high] at multiples of it, at most 10 of them.
double LabelStep(double low, double high);
// [low, high] widened to multiples of the smallest such step that labels the widened
// range with at most 10 labels, both ends among them; low < high.
AxisSteps RoundedSteps(double low, double high);

// The chart of the curves, width x height, x titled by the sweep `xName` in the look's
// language.
std::unique_ptr<TChart> CreateStudyChart(const std::vector<PlotCurve>& curves,
                                         const std::string& xName, int width, int height,
                                         const PlotLook& look = {});

// The plot of a plan's result rows, width x height, as the runner's --plot draws it: the
// curves against the first sweep, one set per value of the second, the plan's subtitle,
// and a foot naming the second sweep's values left out. The rows may be those of some
// points only (a study still running or stopped). The plan has one or two sweeps.
std::unique_ptr<TChart> CreatePlanPlot(const ExperimentPlan& plan,
                                       const std::vector<RunResult>& rows, int width, int height,
                                       PlotLanguage language, double scale = 0);

}  // namespace vadidazid
