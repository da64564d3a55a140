// Series points: automatic X, colours, labels, null points, deletion, update nesting and
// the value notices.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "chart/panel/chartexception.h"
#include "chart/series/chartseries.h"
#include "chart/series/lineseries.h"

namespace vadidazid {

namespace {

TEST(ChartSeriesTest, DefaultsOfALineSeries) {
  TLineSeries series;
  EXPECT_EQ(series.XValues().Name(), "X");
  EXPECT_EQ(series.YValues().Name(), "Y");
  EXPECT_EQ(series.XValues().Order(), TChartListOrder::loAscending);
  EXPECT_EQ(series.YValues().Order(), TChartListOrder::loNone);
  EXPECT_EQ(&series.MandatoryValues(), &series.YValues());
  EXPECT_EQ(&series.PositionValues(), &series.XValues());
  EXPECT_TRUE(series.KeepPointPastEnd());
  EXPECT_TRUE(series.DrawLine());
  EXPECT_FALSE(TChartSeries().KeepPointPastEnd());
  EXPECT_EQ(series.SeriesColor(), clAutoColor);
  EXPECT_EQ(series.MinZValue(), -1);
}

TEST(ChartSeriesTest, AddAfterClearNumbersPointsFromZero) {
  TLineSeries series;
  series.AddXY(10, 1, "old", clRed);
  series.Clear();
  std::vector<int> indices;
  for (double v : {4.0, 5.0, 6.0}) indices.push_back(series.Add(v, "", clAutoColor));
  EXPECT_EQ(indices, (std::vector<int>{0, 1, 2}));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(series.XValue(i), i);
  EXPECT_FALSE(series.HasColorList());
  EXPECT_EQ(series.Labels().Count(), 0);
}

TEST(ChartSeriesTest, AutomaticXIsTheCountNotLastXPlusOne) {
  TChartSeries series;
  series.XValues().SetOrder(TChartListOrder::loNone);
  series.AddXY(50, 1);
  EXPECT_EQ(series.XValue(series.Add(2)), 1);
  EXPECT_EQ(series.XValue(series.AddY(3)), 2);
  EXPECT_EQ(series.YValue(series.AddX(9)), 3);
}

TEST(ChartSeriesTest, YFollowsItsXIntoAnOrderedPlace) {
  TChartSeries series;  // X ascending
  series.AddXY(5, 50);
  series.AddXY(3, 30);
  EXPECT_EQ(series.AddXY(5, 51), 2);
  EXPECT_EQ(series.YValue(0), 30);
  EXPECT_EQ(series.YValue(1), 50);
  EXPECT_EQ(series.YValue(2), 51);
}

TEST(ChartSeriesTest, ColourListAppearsWithTheFirstOwnColour) {
  TChartSeries series;
  series.SetSeriesColor(clGreen);
  series.Add(1);
  series.Add(2);
  EXPECT_FALSE(series.HasColorList());
  series.Add(3, "", clNone);
  EXPECT_TRUE(series.HasColorList());
  series.Add(4);
  EXPECT_EQ(series.ValueColor(0), clGreen);
  EXPECT_EQ(series.ValueColor(2), clNone);
  EXPECT_EQ(series.ValueColor(3), clGreen);
  EXPECT_FALSE(series.IsNull(1));
  EXPECT_TRUE(series.IsNull(2));
  series.SetSeriesColor(clBlue);
  EXPECT_EQ(series.ValueColor(0), clBlue);
  EXPECT_EQ(series.ValueColor(3), clBlue);
  EXPECT_EQ(series.ValueColor(2), clNone);
}

TEST(ChartSeriesTest, AddNullVariantsMarkNullPoints) {
  TChartSeries series;
  series.XValues().SetOrder(TChartListOrder::loNone);
  series.AddNull(7.0);
  series.AddNull(std::string("gap"));
  series.AddNullXY(9, 9, "end");
  series.Add(1);
  EXPECT_TRUE(series.IsNull(0));
  EXPECT_TRUE(series.IsNull(1));
  EXPECT_TRUE(series.IsNull(2));
  EXPECT_FALSE(series.IsNull(3));
  EXPECT_EQ(series.YValue(0), 7);
  EXPECT_EQ(series.XLabel(1), "gap");
  // Null points still count for the statistics.
  EXPECT_EQ(series.MaxXValue(), 9);
}

TEST(ChartSeriesTest, ColorEachPointTakesPaletteByIndex) {
  TChartSeries series;
  series.SetSeriesColor(0x123456);
  series.SetColorEachPoint(true);
  for (int i = 0; i < 22; ++i) series.Add(i);
  series.AddXY(30, 0, "", clPurple);
  EXPECT_EQ(series.ValueColor(0), clRed);
  EXPECT_EQ(series.ValueColor(3), clBlue);
  EXPECT_EQ(series.ValueColor(21), clGreen);  // index 21 wraps to palette entry 1
  EXPECT_EQ(series.ValueColor(22), clPurple);
}

TEST(ChartSeriesTest, SetSeriesColorToPaletteColourIsNoChange) {
  TChartSeries series;
  series.SetSeriesColor(clAutoColor);
  EXPECT_EQ(series.ExplicitColor(), clAutoColor);
  series.SetSeriesColor(clTeal);
  EXPECT_EQ(series.ExplicitColor(), clTeal);
  EXPECT_EQ(series.PaletteColor(), clTeal);
}

TEST(ChartSeriesTest, LabelsStaySparse) {
  TChartSeries series;
  series.XValues().SetOrder(TChartListOrder::loNone);
  series.Add(1);
  series.Add(2);
  EXPECT_EQ(series.Labels().Count(), 0);
  series.Add(3, "third");
  EXPECT_EQ(series.Labels().Count(), 3);
  series.Add(4);
  EXPECT_EQ(series.Labels().Count(), 4);
  EXPECT_EQ(series.XLabel(0), "");
  EXPECT_EQ(series.XLabel(2), "third");
  EXPECT_EQ(series.XLabel(3), "");
  series.SetLabel(6, "far");
  EXPECT_EQ(series.XLabel(6), "far");
  EXPECT_EQ(series.XLabel(5), "");
}

TEST(ChartSeriesTest, DeleteRemovesWholePoints) {
  TChartSeries series;
  series.XValues().SetOrder(TChartListOrder::loNone);
  const char* const labels[] = {"p0", "p1", "p2", "p3", "p4"};
  for (int i = 0; i < 5; ++i) series.AddXY(i, i * 10, labels[i], clRed + i);
  series.Delete(1);
  EXPECT_EQ(series.Count(), 4);
  EXPECT_EQ(series.YValue(1), 20);
  EXPECT_EQ(series.XLabel(1), "p2");
  EXPECT_EQ(series.ValueColor(1), clRed + 2);
  series.Delete(1, 2);
  EXPECT_EQ(series.Count(), 2);
  EXPECT_EQ(series.YValue(1), 40);
  EXPECT_EQ(series.XLabel(1), "p4");
  EXPECT_EQ(series.ValueColor(1), clRed + 4);
}

struct DeleteErrorCase {
  int start;
  int quantity;  // -1: single-point Delete
  const char* message;
};

void PrintTo(const DeleteErrorCase& c, std::ostream* os) {
  *os << "from " << c.start;
  if (c.quantity >= 0) *os << " count " << c.quantity;
}

class DeleteErrorTest : public testing::TestWithParam<DeleteErrorCase> {};

TEST_P(DeleteErrorTest, RefusesWithFixedText) {
  const DeleteErrorCase& c = GetParam();
  TChartSeries series;
  for (int i = 0; i < 3; ++i) series.Add(i);
  try {
    if (c.quantity < 0)
      series.Delete(c.start);
    else
      series.Delete(c.start, c.quantity);
    FAIL() << "no exception";
  } catch (const EChartException& e) {
    EXPECT_STREQ(e.what(), c.message);
  }
  EXPECT_EQ(series.Count(), 3);
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, DeleteErrorTest,
    testing::Values(DeleteErrorCase{3, -1, "Series Delete: ValueIndex 3 out of bounds (0 to 2)."},
                    DeleteErrorCase{-1, -1, "Series Delete: ValueIndex -1 out of bounds (0 to 2)."},
                    DeleteErrorCase{1, 3, "Quantity of data to delete must be less than Count."},
                    DeleteErrorCase{0, 4, "Quantity of data to delete must be less than Count."}));

TEST(ChartSeriesTest, BeforeAddCanRefuseAPoint) {
  TChartSeries series;
  int afterCalls = 0;
  series.OnBeforeAdd = [](TChartSeries& s) { return s.YValues().TempValue() >= 0; };
  series.OnAfterAdd = [&](TChartSeries&, int) { ++afterCalls; };
  EXPECT_EQ(series.Add(-1), -1);
  EXPECT_EQ(series.Count(), 0);
  EXPECT_EQ(series.Add(1), 0);
  EXPECT_EQ(afterCalls, 1);
}

TEST(ChartSeriesTest, UpdateNestingHoldsNoticesBackUntilTheEnd) {
  TChartSeries series;
  std::vector<std::pair<TValueEvent, int>> events;
  series.AddValueListener([&](TValueEvent e, int i) { events.emplace_back(e, i); });
  series.Add(1);
  series.BeginUpdate();
  series.BeginUpdate();
  series.AddArray({2, 3});
  series.Clear();
  series.EndUpdate();
  EXPECT_EQ(series.UpdateDepth(), 1);
  series.EndUpdate();
  series.EndUpdate();  // unbalanced: stays at zero
  EXPECT_EQ(series.UpdateDepth(), 0);
  series.Add(4);
  series.YValues().SetValue(0, 9);
  series.Delete(0);
  const std::vector<std::pair<TValueEvent, int>> expected = {{TValueEvent::veAdd, 0},
                                                             {TValueEvent::veRefresh, 0},
                                                             {TValueEvent::veAdd, 0},
                                                             {TValueEvent::veModify, 0},
                                                             {TValueEvent::veDelete, 0}};
  EXPECT_EQ(events, expected);
}

TEST(ChartSeriesTest, ClearKeepsPropertiesAndRunsItsEvent) {
  TLineSeries series;
  series.SetTitle("T");
  series.SetSeriesColor(clBlue);
  series.SetActive(false);
  series.XValues().SetOrder(TChartListOrder::loNone);
  series.Add(1, "a", clRed);
  series.Marks().Positions().push_back({});
  int cleared = 0;
  series.OnClearValues = [&](TChartSeries&) { ++cleared; };
  series.Clear();
  EXPECT_EQ(cleared, 1);
  EXPECT_EQ(series.Count(), 0);
  EXPECT_EQ(series.XValues().Capacity(), 0);
  EXPECT_FALSE(series.HasColorList());
  EXPECT_TRUE(series.Marks().Positions().empty());
  EXPECT_EQ(series.Title(), "T");
  EXPECT_EQ(series.SeriesColor(), clBlue);
  EXPECT_FALSE(series.Active());
  EXPECT_EQ(series.XValues().Order(), TChartListOrder::loNone);
  EXPECT_EQ(series.FirstShownIndex(), -1);
  EXPECT_EQ(series.LastShownIndex(), -1);
}

}  // namespace

}  // namespace vadidazid
