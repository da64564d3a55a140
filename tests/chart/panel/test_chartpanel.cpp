// The chart's side of series handling: membership and ownership, repaint requests,
// free palette colours and the series event broadcasts.
#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "chart/panel/chart.h"
#include "chart/panel/chartpalette.h"
#include "chart/series/lineseries.h"

namespace vadidazid {

namespace {

TLineSeries* AddLine(TChart& chart, TColor color = clAutoColor) {
  auto series = std::make_unique<TLineSeries>();
  if (color != clAutoColor) series->SetSeriesColor(color);
  return chart.AddSeries(std::move(series));
}

TEST(ChartPanelTest, Defaults) {
  TChart chart;
  EXPECT_EQ(chart.Color(), clBtnFace);
  EXPECT_EQ(chart.BackWall().Color(), clSilver);
  EXPECT_TRUE(chart.BackWall().Transparent());
  EXPECT_EQ(chart.GetBackColor(), clBtnFace);
  EXPECT_TRUE(chart.AutoRepaint());
  EXPECT_EQ(chart.InvalidateCount(), 0);
  EXPECT_EQ(DefaultPalette.size(), 20u);
}

TEST(ChartPanelTest, AddOnActiveSeriesRequestsOneRepaintEach) {
  TChart chart;
  TLineSeries* series = AddLine(chart);
  int hook = 0;
  chart.OnInvalidate = [&] { ++hook; };
  const int before = chart.InvalidateCount();
  series->Add(1);
  series->Add(2);
  EXPECT_EQ(chart.InvalidateCount() - before, 2);
  EXPECT_EQ(hook, 2);
}

TEST(ChartPanelTest, InactiveSeriesStoresWithoutRepaint) {
  TChart chart;
  TLineSeries* series = AddLine(chart);
  series->SetActive(false);
  const int before = chart.InvalidateCount();
  series->Add(7);
  series->Add(8);
  EXPECT_EQ(series->Count(), 2);
  EXPECT_EQ(series->YValue(1), 8);
  EXPECT_EQ(chart.InvalidateCount(), before);
  series->Clear();
  EXPECT_EQ(chart.InvalidateCount(), before);
}

TEST(ChartPanelTest, SettersRepaintOnlyOnChange) {
  TChart chart;
  TLineSeries* series = AddLine(chart, clBlue);
  int count = chart.InvalidateCount();
  auto changed = [&] {
    const int now = chart.InvalidateCount();
    const int delta = now - count;
    count = now;
    return delta;
  };
  series->SetTitle("A");
  EXPECT_EQ(changed(), 1);
  series->SetTitle("A");
  EXPECT_EQ(changed(), 0);
  series->SetActive(true);
  EXPECT_EQ(changed(), 0);
  series->SetActive(false);
  EXPECT_EQ(changed(), 1);
  series->SetSeriesColor(clBlue);
  EXPECT_EQ(changed(), 0);
  series->SetSeriesColor(clRed);
  EXPECT_EQ(changed(), 1);
  chart.SetColor(clBtnFace);
  EXPECT_EQ(changed(), 0);
  chart.BackWall().SetColor(clWhite);
  EXPECT_EQ(changed(), 1);
  series->BeginUpdate();
  series->Add(1);
  series->EndUpdate();
  EXPECT_EQ(changed(), 0);
}

TEST(ChartPanelTest, NoRepaintWhileAutoRepaintIsOff) {
  TChart chart;
  TLineSeries* series = AddLine(chart);
  chart.SetAutoRepaint(false);
  const int before = chart.InvalidateCount();
  series->Add(1);
  EXPECT_EQ(chart.InvalidateCount(), before);
}

TEST(ChartPanelTest, FreeColourSkipsTakenColoursAndBackground) {
  TChart chart;
  AddLine(chart, 0xFF0080);
  AddLine(chart, 0x408000);
  AddLine(chart, clBlue);
  TLineSeries* fourth = AddLine(chart);
  EXPECT_EQ(fourth->SeriesColor(), clRed);
  EXPECT_EQ(fourth->ExplicitColor(), clAutoColor);
  TLineSeries* fifth = AddLine(chart);
  EXPECT_EQ(fifth->SeriesColor(), clGreen);

  // The back wall's colour counts as background even when the wall is see-through.
  EXPECT_FALSE(chart.IsFreeSeriesColor(clSilver, true, nullptr));
  EXPECT_TRUE(chart.IsFreeSeriesColor(clSilver, false, nullptr));
  EXPECT_FALSE(chart.IsFreeSeriesColor(clRed, false, nullptr));
  EXPECT_TRUE(chart.IsFreeSeriesColor(clRed, false, fourth));
  chart.SetColor(clYellow);
  EXPECT_EQ(chart.GetFreeSeriesColor(true, nullptr), clWhite);
  EXPECT_EQ(chart.GetFreeSeriesColor(false, nullptr), clYellow);
}

TEST(ChartPanelTest, LastPaletteColourWhenAllAreTaken) {
  TChart chart;
  for (TColor c : DefaultPalette) AddLine(chart, c);
  TLineSeries* extra = AddLine(chart);
  EXPECT_EQ(extra->SeriesColor(), 0xA4A0A0u);
}

TEST(ChartPanelTest, OwnPaletteReplacesTheDefault) {
  TChart chart;
  chart.SetColorPalette({clRed, clLime});
  AddLine(chart);
  EXPECT_EQ(AddLine(chart)->SeriesColor(), clLime);
  TLineSeries* series = AddLine(chart);
  series->SetColorEachPoint(true);
  series->Add(0);
  series->Add(1);
  series->Add(2);
  EXPECT_EQ(series->ValueColor(2), clRed);
}

TEST(ChartPanelTest, SeriesMoveBetweenChartsWithTheirOwnership) {
  TChart first;
  TChart second;
  TLineSeries* a = AddLine(first);
  TLineSeries* b = AddLine(first);
  EXPECT_EQ(first.SeriesCount(), 2);
  EXPECT_EQ(first.Series(1), b);
  EXPECT_EQ(a->ParentChart(), &first);

  std::unique_ptr<TChartSeries> taken = first.RemoveSeries(a);
  ASSERT_EQ(taken.get(), a);
  EXPECT_EQ(a->ParentChart(), nullptr);
  EXPECT_EQ(first.SeriesCount(), 1);
  EXPECT_EQ(first.GetSeries(0), b);
  EXPECT_EQ(first.RemoveSeries(a), nullptr);

  second.AddSeries(std::move(taken));
  EXPECT_EQ(a->ParentChart(), &second);
  EXPECT_EQ(second.IndexOfSeries(a), 0);
  EXPECT_EQ(first.IndexOfSeries(a), -1);
  const int before = second.InvalidateCount();
  a->Add(1);
  EXPECT_EQ(second.InvalidateCount(), before + 1);
}

TEST(ChartPanelTest, EventsReachListenersButNotDuringDestruction) {
  std::vector<TChartSeriesEvent> events;
  {
    TChart chart;
    int handle = chart.AddSeriesEventListener(
        [&](TChartSeriesEvent e, TCustomChartSeries*) { events.push_back(e); });
    TLineSeries* series = AddLine(chart);
    series->SetTitle("x");
    series->SetActive(false);
    series->SetSeriesColor(clNavy);
    series->BeginUpdate();
    series->EndUpdate();
    std::unique_ptr<TChartSeries> removed = chart.RemoveSeries(series);
    chart.AddSeries(std::move(removed));
    const std::vector<TChartSeriesEvent> expected = {
        TChartSeriesEvent::seChangeColor, TChartSeriesEvent::seAdd,
        TChartSeriesEvent::seChangeTitle, TChartSeriesEvent::seChangeActive,
        TChartSeriesEvent::seChangeColor, TChartSeriesEvent::seDataChanged,
        TChartSeriesEvent::seRemove,      TChartSeriesEvent::seAdd};
    EXPECT_EQ(events, expected);
    chart.RemoveSeriesEventListener(handle);
    series->SetTitle("y");
    EXPECT_EQ(events.size(), expected.size());
    chart.AddSeriesEventListener(
        [&](TChartSeriesEvent e, TCustomChartSeries*) { events.push_back(e); });
    events.clear();
  }
  EXPECT_TRUE(events.empty());
}

TEST(ChartPanelTest, DestroyingTheChartFreesSeriesWithoutRepaint) {
  int hook = 0;
  std::weak_ptr<int> alive;
  {
    TChart chart;
    TLineSeries* series = AddLine(chart);
    auto token = std::make_shared<int>(0);
    alive = token;
    series->OnClearValues = [token](TChartSeries&) {};
    series->Add(1);
    chart.OnInvalidate = [&] { ++hook; };
  }
  EXPECT_EQ(hook, 0);
  EXPECT_TRUE(alive.expired());
}

}  // namespace

}  // namespace vadidazid
