// Curves and chart of a dimensioning.
#include "pictures/dimensionplot.h"

#include <cmath>

#include "chart/axis/chartaxis.h"
#include "platform/text/numtext.h"

namespace vadidazid {

namespace {

double MeanOf(const DimensionPoint& p, double RunFigures::*figure) {
  std::vector<double> values;
  for (const RunResult& r : p.rows) values.push_back(r.*figure);
  return MeanWithInterval95(values).mean;
}

// "Target ≤ 0.05", the number with the locale's decimal separator as every number of
// the plot.
std::string TargetTitle(const DimensionTarget& t, PlotLanguage language) {
  return PlotTextOr(language, "target") + (t.atMost ? " \u2264 " : " \u2265 ") +
         FloatToStr(t.value);
}

}  // namespace

std::vector<PlotCurve> DimensionCurves(const DimensionPlan& plan, const DimensionAnswer& answer,
                                       PlotLanguage language) {
  PlotCurve measured = KindCurve(plan.target.measure, language);
  measured.measured = true;
  PlotCurve target;
  target.title = TargetTitle(plan.target, language);
  target.color = MarkLineColor();
  target.measured = false;
  target.marker = TSeriesPointerStyle::psNothing;
  PlotCurve erlang = KindCurve("erlang_b", language);
  PlotCurve engset = KindCurve("engset", language);
  for (const DimensionPoint& p : answer.points) {
    const double x = double(p.value);
    measured.x.push_back(x);
    measured.y.push_back(p.interval.mean);
    measured.error.push_back(p.interval.halfWidth);
    erlang.x.push_back(x);
    erlang.y.push_back(MeanOf(p, &RunFigures::erlangB));
    engset.x.push_back(x);
    engset.y.push_back(MeanOf(p, &RunFigures::engset));
  }
  if (!answer.points.empty()) {
    target.x = {double(answer.points.front().value), double(answer.points.back().value)};
    target.y = {plan.target.value, plan.target.value};
    target.error = {NAN, NAN};
  }
  std::vector<PlotCurve> curves{measured, target};
  if (plan.target.measure == "call_congestion") {
    curves.push_back(erlang);
    curves.push_back(engset);
  }
  return curves;
}

std::string DimensionSubtitle(const DimensionPlan& plan, PlotLanguage language) {
  return FixedParameters(plan.base.controls, {plan.parameter}, language) +
         PlotTextOr(language, "replications") + " " + IntToStr(kReplicationBatch) + "\u2013" +
         IntToStr(plan.maxReplications) + ", " + RunLengthText(plan.base, language);
}

std::unique_ptr<TChart> CreateDimensionChart(const DimensionPlan& plan,
                                             const DimensionAnswer& answer, int width, int height,
                                             PlotLook look) {
  look.probabilities = plan.target.measure != "mean_load_percent";
  if (look.subtitle.empty()) look.subtitle = DimensionSubtitle(plan, look.language);
  std::unique_ptr<TChart> chart = CreateStudyChart(DimensionCurves(plan, answer, look.language),
                                                   plan.parameter, width, height, look);
  chart->Title().SetText({PlotTextOr(look.language, "dimensioning") + " " +
                          PlotTextOr(look.language, "of:" + plan.parameter)});
  if (!look.probabilities) {
    chart->LeftAxis()->SetTitleCaption(PlotTextOr(look.language, plan.target.measure));
    chart->LeftAxis()->SetAxisValuesFormat("0.##");
  }
  return chart;
}

}  // namespace vadidazid
