// Curves of a study and the chart they are drawn in.
#include "cli/studyplot.h"

#include <cmath>
#include <stdexcept>

#include "chart/chartaxis.h"
#include "chart/errorbarseries.h"
#include "chart/lineseries.h"

namespace {

struct CurveKind {
  const char* title;
  TColor color;
  bool measured;
  MeanInterval PointSummary::*value;
};

// A measured probability and its theory share a colour; the theory's line is dashed.
constexpr TColor kBlockingColor = 0xB05000;
constexpr TColor kDroppingColor = 0x0000C0;

const CurveKind kCurves[] = {
    {"blocking_probability", kBlockingColor, true, &PointSummary::blocking},
    {"dropping_probability", kDroppingColor, true, &PointSummary::dropping},
    {"erlang_b", kBlockingColor, false, &PointSummary::erlangB},
};

void AddCurve(TChart& chart, const PlotCurve& curve) {
  std::unique_ptr<TLineSeries> series;
  if (curve.measured) {
    auto bars = std::make_unique<TErrorBarSeries>();
    bars->SetCapHalfWidth(4);
    bars->LinePen().SetWidth(2);
    TSeriesPointer& pointer = bars->Pointer();
    pointer.SetVisible(true);
    pointer.SetStyle(TSeriesPointerStyle::psCircle);
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
    series->LinePen().SetStyle(TPenStyle::psDash);
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

int32_t SweptValue(const RunResult& point, const std::string& sweepName) {
  if (sweepName == "call-percent") return point.callPercent;
  if (sweepName == "channels") return point.channels;
  if (sweepName == "subscribers") return point.subscribers;
  if (sweepName == "grid-side") return point.gridSide;
  throw std::invalid_argument("no swept parameter '" + sweepName + "'");
}

std::vector<PlotCurve> StudyCurves(const std::vector<PointSummary>& points,
                                   const std::string& sweepName) {
  std::vector<PlotCurve> curves;
  for (const CurveKind& kind : kCurves) {
    PlotCurve curve{kind.title, kind.color, kind.measured, {}, {}, {}};
    for (const PointSummary& p : points) {
      const MeanInterval& v = p.*kind.value;
      curve.x.push_back(SweptValue(p.point, sweepName));
      curve.y.push_back(v.mean);
      curve.error.push_back(kind.measured ? v.halfWidth : NAN);
    }
    curves.push_back(std::move(curve));
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
  chart->Title().SetText({"Blocking and dropping against " + xTitle});
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
