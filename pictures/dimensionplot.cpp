// Curves and chart of a dimensioning.
#include "pictures/dimensionplot.h"

#include <charconv>
#include <cmath>

#include "chart/axis/chartaxis.h"

namespace vadidazid {

namespace {

double MeanOf(const DimensionPoint& p, double RunFigures::*figure) {
  std::vector<double> values;
  for (const RunResult& r : p.rows) values.push_back(r.*figure);
  return MeanWithInterval95(values).mean;
}

std::string TargetTitle(const DimensionTarget& t) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, t.value).ptr;
  return "target " + t.measure + (t.atMost ? " <= " : " >= ") + std::string(text, end);
}

PlotCurve Curve(const std::string& title, TColor color, bool measured, TSeriesPointerStyle marker,
                TPenStyle style) {
  PlotCurve curve;
  curve.title = title;
  curve.color = color;
  curve.measured = measured;
  curve.marker = marker;
  curve.style = style;
  return curve;
}

}  // namespace

std::vector<PlotCurve> DimensionCurves(const DimensionPlan& plan, const DimensionAnswer& answer) {
  PlotCurve measured = Curve(plan.target.measure, TColor(0x008000), true,
                             TSeriesPointerStyle::psRectangle, TPenStyle::psSolid);
  PlotCurve target = Curve(TargetTitle(plan.target), TColor(0x0000C0), false,
                           TSeriesPointerStyle::psNothing, TPenStyle::psSolid);
  PlotCurve erlang =
      Curve("erlang_b", TColor(0xB05000), false, TSeriesPointerStyle::psNothing, TPenStyle::psDash);
  PlotCurve engset =
      Curve("engset", TColor(0x008000), false, TSeriesPointerStyle::psNothing, TPenStyle::psDot);
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

std::unique_ptr<TChart> CreateDimensionChart(const DimensionPlan& plan,
                                             const DimensionAnswer& answer, int width, int height) {
  PlotLook look;
  look.probabilities = plan.target.measure != "mean_load_percent";
  std::unique_ptr<TChart> chart =
      CreateStudyChart(DimensionCurves(plan, answer), plan.parameter, width, height, look);
  chart->Title().SetText({"Dimensioning " + plan.parameter + " for " + TargetTitle(plan.target)});
  if (plan.target.measure == "mean_load_percent") {
    chart->LeftAxis()->SetTitleCaption("percent");
    chart->LeftAxis()->SetAxisValuesFormat("0.##");
  }
  return chart;
}

}  // namespace vadidazid
