// The plot of a dimensioning: the measure at every value run with its 95 % interval,
// the target as a straight line across them and, for the call congestion, the mean
// Erlang B and Engset values of the same points' offered traffic, so the distance
// between what this model measures and what the formulas promise shows at a glance.
#pragma once

#include <memory>
#include <vector>

#include "chart/panel/chart.h"
#include "pictures/studyplot.h"
#include "study/dimensioning.h"

namespace vadidazid {

std::vector<PlotCurve> DimensionCurves(const DimensionPlan& plan, const DimensionAnswer& answer);

std::unique_ptr<TChart> CreateDimensionChart(const DimensionPlan& plan,
                                             const DimensionAnswer& answer, int width, int height);

}  // namespace vadidazid
