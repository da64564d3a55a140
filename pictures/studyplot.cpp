// Curves of a study and the chart they are drawn in.
#include "pictures/studyplot.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "chart/axis/chartaxis.h"
#include "chart/series/errorbarseries.h"
#include "chart/series/lineseries.h"
#include "platform/text/numtext.h"

namespace vadidazid {

namespace {

struct CurveKind {
  const char* key;  // of the text table
  TColor color;     // with one swept parameter; a grid colours by the second's value
  bool measured;
  TSeriesPointerStyle marker;
  TPenStyle style;  // in a grid, where colour and marker name the group
  MeanInterval PointSummary::*value;
};

// A qualitative palette whose colours a reader with any common colour blindness tells
// apart (TColor is 0xBBGGRR). Measured series take the dark ones; the theory curves are
// lighter, dashed and thinner, so none reads as the measurement it is compared with.
constexpr TColor kBlue = 0xB27200, kVermillion = 0x005ED5, kGreen = 0x739E00;
constexpr TColor kOrange = 0x009FE6, kPurple = 0xA779CC, kSky = 0xE9B456;
constexpr TColor kBlack = 0x000000, kYellow = 0x42E4F0;

const CurveKind kCurves[] = {
    {"blocking_probability", kBlue, true, TSeriesPointerStyle::psCircle, TPenStyle::psSolid,
     &PointSummary::blocking},
    {"call_congestion", kVermillion, true, TSeriesPointerStyle::psRectangle, TPenStyle::psDot,
     &PointSummary::callCongestion},
    {"dropping_probability", kGreen, true, TSeriesPointerStyle::psTriangle, TPenStyle::psDashDotDot,
     &PointSummary::dropping},
    {"erlang_b", kOrange, false, TSeriesPointerStyle::psNothing, TPenStyle::psDash,
     &PointSummary::erlangB},
    {"engset", kPurple, false, TSeriesPointerStyle::psNothing, TPenStyle::psDashDot,
     &PointSummary::engset},
};

// The groups of a grid: colour and marker together, so either tells a group.
constexpr TColor kGroupColors[kMaxPlotGroups] = {kBlue,   kVermillion, kGreen, kPurple,
                                                 kOrange, kSky,        kBlack, kYellow};
constexpr TSeriesPointerStyle kGroupMarkers[kMaxPlotGroups] = {
    TSeriesPointerStyle::psCircle,       TSeriesPointerStyle::psRectangle,
    TSeriesPointerStyle::psTriangle,     TSeriesPointerStyle::psDiamond,
    TSeriesPointerStyle::psDownTriangle, TSeriesPointerStyle::psCross,
    TSeriesPointerStyle::psDiagCross,    TSeriesPointerStyle::psStar};

// A number as the window writes it: the locale's decimal separator.
std::string ValueText(double value) { return FloatToStr(value); }

int Scaled(int pixels, double scale) { return std::max(1, int(std::lround(pixels * scale))); }

void AddCurve(TChart& chart, const PlotCurve& curve, double scale, bool probabilities) {
  std::unique_ptr<TLineSeries> series;
  if (curve.measured) {
    auto bars = std::make_unique<TErrorBarSeries>();
    bars->SetCapHalfWidth(Scaled(4, scale));
    bars->SetErrorWidth(Scaled(1, scale));
    if (probabilities) bars->SetBarBounds(0, 1);  // an interval of a probability ends at 0 and 1
    // The canvas draws a wider pen solid, so a dashed line keeps one pixel.
    bars->LinePen().SetWidth(curve.style == TPenStyle::psSolid ? Scaled(2, scale) : 1);
    TSeriesPointer& pointer = bars->Pointer();
    pointer.SetVisible(true);
    pointer.SetStyle(curve.marker);
    pointer.SetHorizSize(Scaled(4, scale));
    pointer.SetVertSize(Scaled(4, scale));
    for (size_t i = 0; i < curve.x.size(); ++i) {
      // A probability of nothing breaks the line; its zero keeps the axis' range sound.
      if (std::isnan(curve.y[i])) {
        bars->AddNullXY(curve.x[i], 0);
      } else {
        bars->AddXYError(curve.x[i], curve.y[i], i < curve.error.size() ? curve.error[i] : NAN);
      }
    }
    series = std::move(bars);
  } else {
    series = std::make_unique<TLineSeries>();
    for (size_t i = 0; i < curve.x.size(); ++i) {
      if (std::isnan(curve.y[i])) {
        series->AddNullXY(curve.x[i], 0);
      } else {
        series->AddXY(curve.x[i], curve.y[i]);
      }
    }
  }
  series->LinePen().SetStyle(curve.style);
  series->SetSeriesColor(curve.color);
  series->SetTitle(curve.title);
  series->Marks().SetVisible(false);
  series->SetShowInLegend(curve.group.empty());
  chart.AddSeries(std::move(series));
}

// A grid's legend: each measure once, in black with its line and no marker, then each
// value of the second sweep once, in its colour with its marker; 5 + G entries rather
// than 5 x G. The keys are series without points.
void AddGridLegend(TChart& chart, const std::vector<PlotCurve>& curves, double scale) {
  std::vector<PlotCurve> keys;
  auto listed = [&](auto same) { return std::any_of(keys.begin(), keys.end(), same); };
  for (const PlotCurve& c : curves) {
    if (c.measure.empty() || listed([&](const PlotCurve& k) { return k.title == c.measure; }))
      continue;
    keys.push_back({c.measure,
                    kBlack,
                    c.measured,
                    TSeriesPointerStyle::psNothing,
                    c.style,
                    {},
                    {},
                    {},
                    {},
                    {}});
  }
  for (const PlotCurve& c : curves) {
    if (c.group.empty() || !c.measured ||
        listed([&](const PlotCurve& k) { return k.title == c.group; }))
      continue;
    keys.push_back({c.group, c.color, true, c.marker, TPenStyle::psSolid, {}, {}, {}, {}, {}});
  }
  for (const PlotCurve& key : keys) AddCurve(chart, key, scale, true);
}

// The highest value the curves reach, their intervals' tops included.
double Highest(const std::vector<PlotCurve>& curves) {
  double highest = 0;
  for (const PlotCurve& curve : curves) {
    for (size_t i = 0; i < curve.y.size(); ++i) {
      const double error =
          i < curve.error.size() && std::isfinite(curve.error[i]) ? curve.error[i] : 0;
      if (std::isfinite(curve.y[i])) highest = std::max(highest, curve.y[i] + error);
    }
  }
  return highest;
}

void FixAxis(TChartAxis& axis, double low, double high, double step) {
  axis.SetAutomatic(false);
  axis.SetMinMax(low, high);
  axis.SetIncrement(step);
}

void ScaleFonts(TChart& chart, double scale) {
  chart.Title().Font().SetSize(Scaled(11, scale));
  chart.SubTitle().Font().SetSize(Scaled(8, scale));
  chart.Foot().Font().SetSize(Scaled(8, scale));
  chart.Legend().Font().SetSize(Scaled(8, scale));
  for (TChartAxis* axis : {chart.LeftAxis(), chart.BottomAxis()}) {
    axis->LabelsFont().SetSize(Scaled(8, scale));
    axis->TitleFont().SetSize(Scaled(9, scale));
    axis->SetTickLength(Scaled(4, scale));
  }
}

}  // namespace

double SweptValue(const RunResult& point, const std::string& sweepName) {
  if (sweepName == "call-percent") return point.callPercent;
  if (sweepName == "channels") return point.channels;
  if (sweepName == "subscribers") return point.subscribers;
  if (sweepName == "grid-side") return point.gridSide;
  if (sweepName == "mean") return point.mean;
  if (sweepName == "deviation") return point.deviation;
  throw std::invalid_argument("no swept parameter '" + sweepName + "'");
}

std::vector<PlotCurve> StudyCurves(const std::vector<PointSummary>& points,
                                   const std::vector<std::string>& sweepNames,
                                   PlotLanguage language, std::vector<double>* leftOut) {
  // The values of the second parameter in the order they first come.
  std::vector<double> groups;
  if (sweepNames.size() > 1) {
    for (const PointSummary& p : points) {
      const double g = SweptValue(p.point, sweepNames[1]);
      if (std::find(groups.begin(), groups.end(), g) == groups.end()) groups.push_back(g);
    }
  }
  if (groups.size() > kMaxPlotGroups) {
    if (leftOut != nullptr) leftOut->assign(groups.begin() + kMaxPlotGroups, groups.end());
    groups.resize(kMaxPlotGroups);
  }
  const size_t groupCount = std::max<size_t>(groups.size(), 1);
  std::vector<PlotCurve> curves;
  for (size_t g = 0; g < groupCount; ++g) {
    for (const CurveKind& kind : kCurves) {
      PlotCurve curve{PlotTextOr(language, kind.key),
                      kind.color,
                      kind.measured,
                      kind.marker,
                      TPenStyle::psSolid,
                      {},
                      {},
                      {},
                      {},
                      {}};
      if (!kind.measured) curve.style = kind.style;
      if (!groups.empty()) {
        curve.measure = curve.title;
        curve.group = PlotTextOr(language, "short:" + sweepNames[1]) + " " + ValueText(groups[g]);
        curve.title += ", " + curve.group;
        curve.color = kGroupColors[g];
        curve.marker = kind.measured ? kGroupMarkers[g] : TSeriesPointerStyle::psNothing;
        curve.style = kind.style;
      }
      for (const PointSummary& p : points) {
        if (!groups.empty() && SweptValue(p.point, sweepNames[1]) != groups[g]) continue;
        const MeanInterval& v = p.*kind.value;
        curve.x.push_back(SweptValue(p.point, sweepNames[0]));
        curve.y.push_back(v.mean);
        curve.error.push_back(kind.measured ? v.halfWidth : NAN);
      }
      curves.push_back(std::move(curve));
    }
  }
  return curves;
}

double PlotScale(const PlotLook& look, int width, int height) {
  if (look.scale > 0) return look.scale;
  return std::min(width / double(kPlotWidth), height / double(kPlotHeight));
}

namespace {

// The smallest step of 1, 2, 2.5 or 5 x 10^n for which `labels` counts at most 10.
template <typename Count>
double NiceStep(double span, Count labels) {
  double power = std::pow(10.0, std::floor(std::log10(span / 9)) - 1);
  for (;; power *= 10) {
    for (double m : {1.0, 2.0, 2.5, 5.0}) {
      if (labels(m * power) <= 10) return m * power;
    }
  }
}

}  // namespace

double LabelStep(double low, double high) {
  if (!(high > low)) return 1;
  return NiceStep(high - low, [&](double step) {
    return std::floor(high / step + 1e-9) - std::ceil(low / step - 1e-9) + 1;
  });
}

AxisSteps ProbabilitySteps(double highest) {
  const double top = std::clamp(highest, 0.0, 1.0);
  if (!(top > 0)) return {0, 0.01, 0.002};
  // The axis ends on a label, so the count is of the labels up to the rounded top.
  const double step = NiceStep(top, [&](double s) { return std::ceil(top / s - 1e-9) + 1; });
  return {0, std::min(1.0, std::ceil(top / step - 1e-9) * step), step};
}

std::string StudySubtitle(const ExperimentPlan& plan, PlotLanguage language) {
  const SimControls& c = plan.controls;
  const std::pair<const char*, std::string> fixed[] = {{"subscribers", IntToStr(c.subscriberCount)},
                                                       {"channels", IntToStr(c.channelsPerCell)},
                                                       {"grid-side", IntToStr(c.gridSide)},
                                                       {"call-percent", IntToStr(c.callPercent)},
                                                       {"mean", c.meanText},
                                                       {"deviation", c.deviationText}};
  std::string text;
  for (const auto& [name, value] : fixed) {
    const bool swept = std::any_of(plan.sweeps.begin(), plan.sweeps.end(),
                                   [&](const Sweep& s) { return s.name == name; });
    if (!swept) text += PlotTextOr(language, std::string("short:") + name) + " " + value + ", ";
  }
  text += PlotTextOr(language, "replications") + " " + IntToStr(plan.replications) + ", " +
          PlotTextOr(language, "steps") + " " + IntToStr(plan.steps) + ", " +
          PlotTextOr(language, "warmup") + " " +
          (plan.autoWarmup ? PlotTextOr(language, "auto") : IntToStr(plan.warmup));
  return text;
}

std::unique_ptr<TChart> CreateStudyChart(const std::vector<PlotCurve>& curves,
                                         const std::string& xName, int width, int height,
                                         const PlotLook& look) {
  const double scale = PlotScale(look, width, height);
  const std::string xTitle = PlotTextOr(look.language, xName);
  auto chart = std::make_unique<TChart>();
  chart->SetBounds(width, height);
  chart->SetView3D(false);
  chart->SetBevelOuter(TPanelBevel::bvNone);
  chart->SetColor(clWhite);
  chart->Title().SetText({PlotTextOr(look.language, "title") + " " +
                          PlotTextOr(look.language, "against") + " " +
                          PlotTextOr(look.language, "of:" + xName)});
  chart->Title().Font().SetColor(clBlack);
  chart->Title().Font().SetBold(true);
  if (!look.subtitle.empty()) {
    chart->SubTitle().SetText({look.subtitle});
    chart->SubTitle().Font().SetColor(clBlack);
  }
  if (!look.foot.empty()) {
    chart->Foot().SetText({look.foot});
    chart->Foot().Font().SetColor(clBlack);
  }
  chart->Legend().SetAlignment(TLegendAlignment::laBottom);
  chart->Legend().SetCheckBoxes(false);
  ScaleFonts(*chart, scale);
  TChartAxis& bottom = *chart->BottomAxis();
  bottom.SetTitleCaption(xTitle);
  double low = INFINITY, high = -INFINITY;
  for (const PlotCurve& curve : curves) {
    for (double x : curve.x) low = std::min(low, x), high = std::max(high, x);
  }
  // The range stays automatic, so the end points keep their margins off the side axes.
  if (low < high) bottom.SetIncrement(LabelStep(low, high));
  TChartAxis& left = *chart->LeftAxis();
  left.SetTitleUpwards(true);
  if (look.probabilities) {
    left.SetTitleCaption(PlotTextOr(look.language, "probability"));
    left.SetAxisValuesFormat("0.#####");
    const AxisSteps steps = ProbabilitySteps(Highest(curves));
    FixAxis(left, steps.minimum, steps.top, steps.step);
  }
  // A curve at 0 lies a little above the bottom axis' line rather than under it.
  left.SetMinimumOffset(Scaled(4, scale));
  for (const PlotCurve& curve : curves) AddCurve(*chart, curve, scale, look.probabilities);
  AddGridLegend(*chart, curves, scale);
  chart->Legend().SetLegendStyle(TLegendStyle::lsSeries);
  return chart;
}

std::unique_ptr<TChart> CreatePlanPlot(const ExperimentPlan& plan,
                                       const std::vector<RunResult>& rows, int width, int height,
                                       PlotLanguage language, double scale) {
  std::vector<std::string> swept;
  for (const Sweep& sweep : plan.sweeps) swept.push_back(sweep.name);
  PlotLook look;
  look.language = language;
  look.scale = scale;
  look.subtitle = StudySubtitle(plan, look.language);
  std::vector<double> leftOut;
  const std::vector<PlotCurve> curves =
      StudyCurves(SummarizeResults(rows), swept, look.language, &leftOut);
  if (!leftOut.empty()) {
    // Never cut silently: the values of the second sweep not drawn are named.
    look.foot = PlotTextOr(look.language, "left-out") + " (" +
                PlotTextOr(look.language, "short:" + swept[1]) + "):";
    for (double value : leftOut) look.foot += " " + FloatToStr(value);
  }
  return CreateStudyChart(curves, swept.front(), width, height, look);
}

}  // namespace vadidazid
