// Curves of a study and the chart they are drawn in.
#include "pictures/studyplot.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <utility>

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
  TPenStyle style;        // in a grid, where colour and marker name the group
  MarkerKind markerKind;  // in a grid, as the style
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
     MarkerKind::Solid, &PointSummary::blocking},
    {"call_congestion", kVermillion, true, TSeriesPointerStyle::psRectangle, TPenStyle::psDot,
     MarkerKind::Hollow, &PointSummary::callCongestion},
    {"dropping_probability", kGreen, true, TSeriesPointerStyle::psTriangle, TPenStyle::psDashDot,
     MarkerKind::Small, &PointSummary::dropping},
    {"erlang_b", kOrange, false, TSeriesPointerStyle::psNothing, TPenStyle::psDash,
     MarkerKind::Solid, &PointSummary::erlangB},
    {"engset", kPurple, false, TSeriesPointerStyle::psNothing, TPenStyle::psDashDotDot,
     MarkerKind::Solid, &PointSummary::engset},
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

void SetMarker(TSeriesPointer& pointer, const PlotCurve& curve, double scale) {
  pointer.SetVisible(true);
  pointer.SetStyle(curve.marker);
  const int half = Scaled(curve.markerKind == MarkerKind::Small ? 2 : 4, scale);
  pointer.SetHorizSize(half);
  pointer.SetVertSize(half);
  pointer.Pen().SetWidth(Scaled(1, scale));
  if (curve.markerKind == MarkerKind::Hollow) pointer.Brush().SetColor(clWhite);
}

void AddCurve(TChart& chart, const PlotCurve& curve, double scale, bool probabilities) {
  std::unique_ptr<TLineSeries> series;
  if (curve.measured) {
    auto bars = std::make_unique<TErrorBarSeries>();
    bars->SetCapHalfWidth(Scaled(4, scale));
    bars->SetErrorWidth(Scaled(1, scale));
    if (probabilities) bars->SetBarBounds(0, 1);  // an interval of a probability ends at 0 and 1
    bars->LinePen().SetWidth(Scaled(2, scale));
    SetMarker(bars->Pointer(), curve, scale);
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
    // Thinner than a measurement; its dashes grow with the pen.
    series->LinePen().SetWidth(Scaled(1, scale));
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
    PlotCurve key;
    key.title = c.measure;
    key.color = kBlack;
    key.measured = c.measured;
    key.marker = c.measured ? TSeriesPointerStyle::psCircle : TSeriesPointerStyle::psNothing;
    key.style = c.style;
    key.markerKind = c.markerKind;
    keys.push_back(key);
  }
  for (const PlotCurve& c : curves) {
    if (c.group.empty() || !c.measured ||
        listed([&](const PlotCurve& k) { return k.title == c.group; }))
      continue;
    PlotCurve key;
    key.title = c.group;
    key.color = c.color;
    key.marker = c.marker;
    keys.push_back(key);
  }
  for (const PlotCurve& key : keys) AddCurve(chart, key, scale, true);
}

// The lowest and highest values the curves reach, their intervals included; an empty
// range (low > high) without values.
std::pair<double, double> ValueRange(const std::vector<PlotCurve>& curves) {
  double low = INFINITY, high = -INFINITY;
  for (const PlotCurve& curve : curves) {
    for (size_t i = 0; i < curve.y.size(); ++i) {
      if (!std::isfinite(curve.y[i])) continue;
      const double error =
          i < curve.error.size() && std::isfinite(curve.error[i]) ? curve.error[i] : 0;
      low = std::min(low, curve.y[i] - error);
      high = std::max(high, curve.y[i] + error);
    }
  }
  return {low, high};
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

// The left axis: a probability's from 0 to at most 1 with fixed labels; any other
// measure's with an automatic range and no more labels than a probability's.
void SetValueAxis(TChartAxis& left, std::pair<double, double> range, const PlotLook& look) {
  left.SetTitleUpwards(true);
  if (look.probabilities) {
    left.SetTitleCaption(PlotTextOr(look.language, "probability"));
    left.SetAxisValuesFormat("0.#####");
    const AxisSteps steps = ProbabilitySteps(std::max(range.second, 0.0));
    FixAxis(left, steps.minimum, steps.top, steps.step);
  } else if (range.first < range.second) {
    left.SetIncrement(LabelStep(range.first, range.second));
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

PlotCurve KindCurve(const std::string& key, PlotLanguage language) {
  PlotCurve curve;
  curve.title = PlotTextOr(language, key);
  curve.color = kBlue;
  for (const CurveKind& kind : kCurves) {
    if (key != kind.key) continue;
    curve.color = kind.color;
    curve.measured = kind.measured;
    curve.marker = kind.marker;
    if (!kind.measured) curve.style = kind.style;
  }
  return curve;
}

TColor MarkLineColor() { return kBlack; }

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
      PlotCurve curve = KindCurve(kind.key, language);
      if (!groups.empty()) {
        curve.measure = curve.title;
        curve.group = PlotTextOr(language, "short:" + sweepNames[1]) + " " + ValueText(groups[g]);
        curve.title += ", " + curve.group;
        curve.color = kGroupColors[g];
        curve.marker = kind.measured ? kGroupMarkers[g] : TSeriesPointerStyle::psNothing;
        curve.style = kind.style;
        curve.markerKind = kind.markerKind;
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

AxisSteps RoundedSteps(double low, double high) {
  const auto first = [&](double s) { return std::floor(low / s + 1e-9); };
  const auto last = [&](double s) { return std::ceil(high / s - 1e-9); };
  const double step = NiceStep(high - low, [&](double s) { return last(s) - first(s) + 1; });
  // A multiple times the step, so that 0.8 is no 0.79999999999999993 widened below.
  return {first(step) * step, last(step) * step, step};
}

AxisSteps ProbabilitySteps(double highest) {
  const double top = std::clamp(highest, 0.0, 1.0);
  if (!(top > 0)) return {0, 0.01, 0.002};
  // The axis ends on a label, so the count is of the labels up to the rounded top.
  const double step = NiceStep(top, [&](double s) { return std::ceil(top / s - 1e-9) + 1; });
  return {0, std::min(1.0, std::ceil(top / step - 1e-9) * step), step};
}

std::string FixedParameters(const SimControls& c, const std::vector<std::string>& swept,
                            PlotLanguage language) {
  const std::pair<const char*, std::string> fixed[] = {{"subscribers", IntToStr(c.subscriberCount)},
                                                       {"channels", IntToStr(c.channelsPerCell)},
                                                       {"grid-side", IntToStr(c.gridSide)},
                                                       {"call-percent", IntToStr(c.callPercent)},
                                                       {"mean", c.meanText},
                                                       {"deviation", c.deviationText}};
  std::string text;
  for (const auto& [name, value] : fixed) {
    if (std::find(swept.begin(), swept.end(), name) != swept.end()) continue;
    text += PlotTextOr(language, std::string("short:") + name) + " " + value + ", ";
  }
  return text;
}

std::string RunLengthText(const ExperimentPlan& plan, PlotLanguage language) {
  return PlotTextOr(language, "steps") + " " + IntToStr(plan.steps) + ", " +
         PlotTextOr(language, "warmup") + " " +
         (plan.autoWarmup ? PlotTextOr(language, "auto") : IntToStr(plan.warmup));
}

std::string StudySubtitle(const ExperimentPlan& plan, PlotLanguage language) {
  std::vector<std::string> swept;
  for (const Sweep& sweep : plan.sweeps) swept.push_back(sweep.name);
  return FixedParameters(plan.controls, swept, language) + PlotTextOr(language, "replications") +
         " " + IntToStr(plan.replications) + ", " + RunLengthText(plan, language);
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
  // In a grid the measures differ by their dashes, which a sample needs room to show
  // beside the marker on it; a single sweep's legend keeps to one row.
  if (std::any_of(curves.begin(), curves.end(),
                  [](const PlotCurve& c) { return !c.group.empty(); })) {
    chart->Legend().Symbol().SetWidthUnits(TLegendSymbolSize::lcsPixels);
    chart->Legend().Symbol().SetWidth(Scaled(40, scale));
  }
  ScaleFonts(*chart, scale);
  TChartAxis& bottom = *chart->BottomAxis();
  bottom.SetTitleCaption(xTitle);
  double low = INFINITY, high = -INFINITY;
  for (const PlotCurve& curve : curves) {
    for (double x : curve.x) low = std::min(low, x), high = std::max(high, x);
  }
  // The range stays automatic, so the end points keep their margins off the side axes.
  if (low < high) bottom.SetIncrement(LabelStep(low, high));
  SetValueAxis(*chart->LeftAxis(), ValueRange(curves), look);
  // A curve at 0 lies a little above the bottom axis' line rather than under it.
  chart->LeftAxis()->SetMinimumOffset(Scaled(4, scale));
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
