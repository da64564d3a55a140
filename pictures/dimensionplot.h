// The plot of a dimensioning: the measure at every value run with its 95 % interval,
// the target as a straight line across them and, for the call congestion, the mean
// Erlang B and Engset values of the same points' offered traffic, so the distance
// between what this model measures and what the formulas promise shows at a glance.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "chart/panel/chart.h"
#include "pictures/studyplot.h"
#include "study/dimensioning.h"

namespace vadidazid {

// The curves in the plot's colours, titled in the language.
std::vector<PlotCurve> DimensionCurves(const DimensionPlan& plan, const DimensionAnswer& answer,
                                       PlotLanguage language = PlotLanguage::English);

// The parameters the search kept, the runs a point may take, steps and warm-up.
std::string DimensionSubtitle(const DimensionPlan& plan, PlotLanguage language);

// The chart in the look's language and scale; its subtitle, when the look has none, is
// DimensionSubtitle's, and the axis holds probabilities unless the measure is a load.
std::unique_ptr<TChart> CreateDimensionChart(const DimensionPlan& plan,
                                             const DimensionAnswer& answer, int width, int height,
                                             PlotLook look = {});

}  // namespace vadidazid
