// Curves of a study and the chart they are drawn in.
#include "pictures/studyplot.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <stdexcept>

#include "chart/axis/chartaxis.h"
#include "chart/series/errorbarseries.h"
#include "chart/series/lineseries.h"

namespace vadidazid {

namespace {

struct CurveKind {
  const char* title;
  TColor color;  // with one swept parameter; a grid colours by the second's value
  bool measured;
  TSeriesPointerStyle marker;
  TPenStyle style;
  MeanInterval PointSummary::*value;
};

// A measured probability and the theory it approaches share a colour; the theories'
// lines are dashed (Erlang B) and dotted (Engset).
constexpr TColor kBlockingColor = 0xB05000;
constexpr TColor kCongestionColor = 0x008000;
constexpr TColor kDroppingColor = 0x0000C0;

const CurveKind kCurves[] = {
    {"blocking_probability", kBlockingColor, true, TSeriesPointerStyle::psCircle,
     TPenStyle::psSolid, &PointSummary::blocking},
    {"call_congestion", kCongestionColor, true, TSeriesPointerStyle::psRectangle,
     TPenStyle::psSolid, &PointSummary::callCongestion},
    {"dropping_probability", kDroppingColor, true, TSeriesPointerStyle::psTriangle,
     TPenStyle::psSolid, &PointSummary::dropping},
    {"erlang_b", kBlockingColor, false, TSeriesPointerStyle::psNothing, TPenStyle::psDash,
     &PointSummary::erlangB},
    {"engset", kCongestionColor, false, TSeriesPointerStyle::psNothing, TPenStyle::psDot,
     &PointSummary::engset},
};

constexpr TColor kGroupColors[] = {0xB05000, 0x0000C0, 0x008000, 0x800080,
                                   0x008080, 0x404040, 0xFF8000, 0x0080FF};

std::string ValueText(double value) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

void AddCurve(TChart& chart, const PlotCurve& curve) {
  std::unique_ptr<TLineSeries> series;
  if (curve.measured) {
    auto bars = std::make_unique<TErrorBarSeries>();
    bars->SetCapHalfWidth(4);
    bars->LinePen().SetWidth(2);
    TSeriesPointer& pointer = bars->Pointer();
    pointer.SetVisible(true);
    pointer.SetStyle(curve.marker);
    pointer.SetHorizSize(3);
    pointer.SetVertSize(3);
    for (size_t i = 0; i < curve.x.size(); ++i) {
      // A probability of nothing breaks the line; its zero keeps the axis' range sound.
      if (std::isnan(curve.y[i])) {
        bars->AddNullXY(curve.x[i], 0);
      } else {
        bars->AddXYError(curve.x[i], curve.y[i], curve.error[i]);
      }
    }
    series = std::move(bars);
  } else {
    series = std::make_unique<TLineSeries>();
    series->LinePen().SetStyle(curve.style);
    for (size_t i = 0; i < curve.x.size(); ++i) {
      if (std::isnan(curve.y[i])) {
        series->AddNullXY(curve.x[i], 0);
      } else {
        series->AddXY(curve.x[i], curve.y[i]);
      }
    }
  }
  series->SetSeriesColor(curve.color);
  series->SetTitle(curve.title);
  series->Marks().SetVisible(false);
  chart.AddSeries(std::move(series));
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
                                   const std::vector<std::string>& sweepNames) {
  // The values of the second parameter in the order they first come.
  std::vector<double> groups;
  if (sweepNames.size() > 1) {
    for (const PointSummary& p : points) {
      const double g = SweptValue(p.point, sweepNames[1]);
      if (std::find(groups.begin(), groups.end(), g) == groups.end()) groups.push_back(g);
    }
  }
  const size_t groupCount = std::max<size_t>(groups.size(), 1);
  std::vector<PlotCurve> curves;
  for (size_t g = 0; g < groupCount; ++g) {
    for (const CurveKind& kind : kCurves) {
      PlotCurve curve{kind.title, kind.color, kind.measured, kind.marker, kind.style, {}, {}, {}};
      if (!groups.empty()) {
        curve.title += ", " + sweepNames[1] + "=" + ValueText(groups[g]);
        curve.color = kGroupColors[g % std::size(kGroupColors)];
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

std::unique_ptr<TChart> CreateStudyChart(const std::vector<PlotCurve>& curves,
                                         const std::string& xTitle, int width, int height) {
  auto chart = std::make_unique<TChart>();
  chart->SetBounds(width, height);
  chart->SetView3D(false);
  chart->SetBevelOuter(TPanelBevel::bvNone);
  chart->SetColor(clWhite);
  chart->Title().SetText({"Blocking, congestion and dropping against " + xTitle});
  chart->Title().Font().SetColor(clBlack);
  chart->Title().Font().SetSize(10);
  chart->Title().Font().SetBold(true);
  chart->Legend().SetAlignment(TLegendAlignment::laBottom);
  chart->Legend().SetCheckBoxes(false);
  TChartAxis& bottom = *chart->BottomAxis();
  bottom.SetTitleCaption(xTitle);
  TChartAxis& left = *chart->LeftAxis();
  left.SetTitleCaption("probability");
  left.SetAxisValuesFormat("0.#####");
  for (const PlotCurve& curve : curves) AddCurve(*chart, curve);
  return chart;
}

}  // namespace vadidazid
