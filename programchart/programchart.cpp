// The layout of the program's chart: panel settings, then the four series with their
// stored properties, each joining the chart and then reading its stored points.
#include "programchart/programchart.h"

#include <optional>
#include <string>

#include "chart/axis/chartaxis.h"
#include "chart/series/lineseries.h"

namespace vadidazid {

namespace {

// 25 design-time points with X = 0 .. 24; each value as a little-endian double.
constexpr std::array<uint8_t, 205> kSeriesData = {
    // flags: Y values only; 25 points
    0x00, 0x19, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x50, 0x8E, 0x40,  // 970
    0x00, 0x00, 0x00, 0x00, 0x00, 0xC8, 0x8E, 0x40,                                // 985
    0x00, 0x00, 0x00, 0x00, 0x00, 0xC8, 0x8E, 0x40,                                // 985
    0x00, 0x00, 0x00, 0x00, 0x00, 0x2C, 0x8F, 0x40,                                // 997.5
    0x00, 0x00, 0x00, 0x00, 0x00, 0x40, 0x8F, 0x40,                                // 1000
    0x00, 0x00, 0x00, 0x00, 0x00, 0xCC, 0x8F, 0x40,                                // 1017.5
    0x00, 0x00, 0x00, 0x00, 0x00, 0x2C, 0x90, 0x40,                                // 1035
    0x00, 0x00, 0x00, 0x00, 0x00, 0xAE, 0x90, 0x40,                                // 1067.5
    0x00, 0x00, 0x00, 0x00, 0x00, 0xCC, 0x90, 0x40,                                // 1075
    0x00, 0x00, 0x00, 0x00, 0x00, 0x08, 0x91, 0x40,                                // 1090
    0x00, 0x00, 0x00, 0x00, 0x00, 0x62, 0x91, 0x40,                                // 1112.5
    0x00, 0x00, 0x00, 0x00, 0x00, 0x48, 0x92, 0x40,                                // 1170
    0x00, 0x00, 0x00, 0x00, 0x00, 0x5C, 0x92, 0x40,                                // 1175
    0x00, 0x00, 0x00, 0x00, 0x00, 0x70, 0x92, 0x40,                                // 1180
    0x00, 0x00, 0x00, 0x00, 0x00, 0xA2, 0x92, 0x40,                                // 1192.5
    0x00, 0x00, 0x00, 0x00, 0x00, 0xFC, 0x92, 0x40,                                // 1215
    0x00, 0x00, 0x00, 0x00, 0x00, 0xA6, 0x93, 0x40,                                // 1257.5
    0x00, 0x00, 0x00, 0x00, 0x00, 0xEC, 0x93, 0x40,                                // 1275
    0x00, 0x00, 0x00, 0x00, 0x00, 0xEC, 0x93, 0x40,                                // 1275
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x94, 0x40,                                // 1280
    0x00, 0x00, 0x00, 0x00, 0x00, 0x14, 0x94, 0x40,                                // 1285
    0x00, 0x00, 0x00, 0x00, 0x00, 0x1E, 0x94, 0x40,                                // 1287.5
    0x00, 0x00, 0x00, 0x00, 0x00, 0x32, 0x94, 0x40,                                // 1292.5
    0x00, 0x00, 0x00, 0x00, 0x00, 0x46, 0x94, 0x40,                                // 1297.5
    0x00, 0x00, 0x00, 0x00, 0x00, 0x5A, 0x94, 0x40,                                // 1302.5
};

struct SeriesLayout {
  const char* name;
  const char* title;
  std::optional<TColor> color;  // none: the chart's first free palette colour
};

constexpr SeriesLayout kSeries[] = {
    {"Series1", "Prowadzone rozmówy", 0xFF0080},
    {"Series2", "Nowe rozmowy", 0x408000},
    {"Series3", "Zerwane rozmowy", std::nullopt},
    {"Series4", "Zakończone rozmowy", clBlue},
};

}  // namespace

const std::array<uint8_t, 205>& ProgramSeriesData() { return kSeriesData; }

std::unique_ptr<TChart> CreateProgramChart() {
  auto chart = std::make_unique<TChart>();
  // Panel settings of Chart1.
  chart->SetBounds(433, 201);
  chart->SetView3D(false);
  chart->SetBevelOuter(TPanelBevel::bvNone);
  chart->SetMarginUnits(TTeeUnits::muPixels);
  chart->SetMargin(0, 5);
  chart->SetMargin(1, 5);
  chart->SetMargin(2, 8);
  chart->SetMargin(3, 0);
  chart->Title().SetText({"TChart"});
  chart->Title().SetVisible(false);
  chart->Zoom().SetAnimated(true);

  TChartAxis& bottom = *chart->BottomAxis();
  bottom.Axis().SetWidth(1);
  bottom.SetExactDateTime(false);
  bottom.SetIncrement(5);
  bottom.SetLabelsSeparation(100);
  bottom.SetMinorTickLength(0);
  bottom.Ticks().SetVisible(false);
  bottom.TicksInner().SetVisible(false);
  TChartAxis& left = *chart->LeftAxis();
  left.Axis().SetWidth(1);
  left.SetExactDateTime(false);
  left.SetLogarithmicBase(2.71828182845905);
  left.SetMinorTickLength(0);
  left.SetTickLength(0);
  left.Ticks().SetColor(0x808040);
  left.Ticks().SetVisible(false);
  left.TicksInner().SetVisible(false);

  // The legend: a band of check boxes above the plot, centred, with no box of its own.
  TChartLegend& legend = chart->Legend();
  legend.SetAlignment(TLegendAlignment::laTop);
  legend.SetCheckBoxes(true);
  legend.SetColor(clSilver);
  legend.SetColorWidth(25);
  legend.Shadow().SetSmooth(false);
  legend.Symbol().SetWidth(25);
  legend.SetTopPos(0);
  legend.SetTransparent(true);
  legend.SetVertMargin(4);
  legend.SetVertSpacing(-2);

  for (const SeriesLayout& layout : kSeries) {
    auto series = std::make_unique<TLineSeries>();
    series->SetName(layout.name);
    if (layout.color) series->SetSeriesColor(*layout.color);
    series->SetTitle(layout.title);
    series->Marks().SetVisible(false);
    TSeriesPointer& pointer = series->Pointer();
    pointer.SetVisible(false);
    pointer.SetHorizSize(1);
    pointer.SetVertSize(1);
    pointer.SetStyle(TSeriesPointerStyle::psRectangle);
    pointer.SetInflateMargins(true);
    pointer.Pen().SetColor(clDefault);
    series->XValues().SetName("X");
    series->XValues().SetOrder(TChartListOrder::loNone);
    series->YValues().SetName("Y");
    series->YValues().SetOrder(TChartListOrder::loNone);
    TLineSeries* joined = chart->AddSeries(std::move(series));
    joined->ReadData(kSeriesData.data(), kSeriesData.size());
  }
  return chart;
}

}  // namespace vadidazid
