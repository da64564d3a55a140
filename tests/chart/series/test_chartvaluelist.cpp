// Value lists: placement by order, storage growth, cached statistics and the small
// list operations.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <limits>
#include <ostream>
#include <vector>

#include "chart/panel/chartexception.h"
#include "chart/series/chartseries.h"
#include "chart/series/chartvaluelist.h"

namespace vadidazid {

namespace {

std::vector<double> Values(const TChartValueList& list) {
  std::vector<double> v;
  for (int i = 0; i < list.Count(); ++i) v.push_back(list.Value(i));
  return v;
}

struct OrderCase {
  TChartListOrder order;
  std::vector<double> added;
  std::vector<double> stored;
  std::vector<int> indices;  // returned by each AddChartValue
};

// The values in a test's name, "5 3 5", so that CTest's names read and stay the same.
void PrintValues(const std::vector<double>& values, std::ostream* os) {
  if (values.empty()) *os << "none";
  for (size_t i = 0; i < values.size(); ++i) *os << (i ? " " : "") << values[i];
}

void PrintTo(const OrderCase& c, std::ostream* os) {
  static const char* const kOrders[] = {"none", "ascending", "descending"};
  *os << kOrders[int(c.order)] << " of ";
  PrintValues(c.added, os);
}

class OrderTest : public testing::TestWithParam<OrderCase> {};

TEST_P(OrderTest, PlacesValuesAfterEqualOnes) {
  const OrderCase& c = GetParam();
  TChartValueList list(nullptr, "X");
  list.SetOrder(c.order);
  std::vector<int> indices;
  for (double v : c.added) indices.push_back(list.AddChartValue(v));
  EXPECT_EQ(Values(list), c.stored);
  EXPECT_EQ(indices, c.indices);
}

INSTANTIATE_TEST_SUITE_P(
    Orders, OrderTest,
    testing::Values(
        OrderCase{TChartListOrder::loNone, {5, 3, 5}, {5, 3, 5}, {0, 1, 2}},
        OrderCase{TChartListOrder::loAscending, {5, 3, 5}, {3, 5, 5}, {0, 0, 2}},
        OrderCase{TChartListOrder::loAscending, {4, 2, 2, 1, 3}, {1, 2, 2, 3, 4}, {0, 0, 1, 0, 3}},
        OrderCase{TChartListOrder::loDescending, {3, 5, 3}, {5, 3, 3}, {0, 0, 2}},
        OrderCase{
            TChartListOrder::loDescending, {1, 4, 2, 4, 0}, {4, 4, 2, 1, 0}, {0, 0, 1, 1, 4}}));

TEST(ValueListTest, GrowsInStepsAndReleasesOnClear) {
  TChartValueList list(nullptr, "Y");
  EXPECT_EQ(list.Capacity(), 0);
  list.AddChartValue(1);
  EXPECT_EQ(list.Capacity(), 1000);
  for (int i = 1; i < 1000; ++i) list.AddChartValue(i);
  EXPECT_EQ(list.Capacity(), 1000);
  list.AddChartValue(1000);
  EXPECT_EQ(list.Capacity(), 2000);
  EXPECT_EQ(list.Count(), 1001);
  EXPECT_EQ(list.Last(), 1000);
  list.ClearValues();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Capacity(), 0);
}

struct StatsCase {
  std::vector<double> values;
  double min, max, total, totalAbs;
};

void PrintTo(const StatsCase& c, std::ostream* os) { PrintValues(c.values, os); }

class StatsTest : public testing::TestWithParam<StatsCase> {};

TEST_P(StatsTest, ScansAllValues) {
  const StatsCase& c = GetParam();
  TChartValueList list(nullptr, "Y");
  for (double v : c.values) list.AddChartValue(v);
  EXPECT_EQ(list.MinValue(), c.min);
  EXPECT_EQ(list.MaxValue(), c.max);
  EXPECT_EQ(list.Total(), c.total);
  EXPECT_EQ(list.TotalABS(), c.totalAbs);
  EXPECT_EQ(list.Range(), c.max - c.min);
}

INSTANTIATE_TEST_SUITE_P(Lists, StatsTest,
                         testing::Values(StatsCase{{}, 0, 0, 0, 0}, StatsCase{{-2, 3}, -2, 3, 1, 5},
                                         StatsCase{{4}, 4, 4, 4, 4},
                                         StatsCase{{1, -5, 7, -5}, -5, 7, -2, 18}));

TEST(ValueListTest, StatisticsFollowEveryKindOfChange) {
  TChartValueList list(nullptr, "Y");
  for (double v : {1.0, 2.0, 3.0}) list.AddChartValue(v);
  EXPECT_EQ(list.MaxValue(), 3);
  list.SetValue(0, 10);
  EXPECT_EQ(list.MaxValue(), 10);
  list.Delete(0);
  EXPECT_EQ(list.MaxValue(), 3);
  list.InsertChartValue(1, -4);
  EXPECT_EQ(list.MinValue(), -4);
  list.FillSequence();
  EXPECT_EQ(list.Total(), 0 + 1 + 2);
  list.ClearValues();
  EXPECT_EQ(list.MaxValue(), 0);
}

TEST(ValueListTest, DeleteClosesTheGapAndChecksBounds) {
  TChartValueList list(nullptr, "Y");
  for (double v : {0.0, 1.0, 2.0, 3.0, 4.0}) list.AddChartValue(v);
  list.Delete(1, 2);
  EXPECT_EQ(Values(list), (std::vector<double>{0, 3, 4}));
  list.Delete(2);
  EXPECT_EQ(Values(list), (std::vector<double>{0, 3}));
  EXPECT_THROW(list.Delete(2), EChartException);
  EXPECT_THROW(list.Delete(-1), EChartException);
  EXPECT_THROW(list.Delete(1, 2), EChartException);
  EXPECT_EQ(list.Count(), 2);
}

TEST(ValueListTest, LocateExchangeScroll) {
  TChartValueList list(nullptr, "Y");
  for (double v : {7.0, 8.0, 7.0, 9.0}) list.AddChartValue(v);
  EXPECT_EQ(list.Locate(7), 0);
  EXPECT_EQ(list.Locate(9), 3);
  EXPECT_EQ(list.Locate(1), -1);
  list.Exchange(0, 3);
  EXPECT_EQ(Values(list), (std::vector<double>{9, 8, 7, 7}));
  list.Scroll();
  EXPECT_EQ(Values(list), (std::vector<double>{8, 7, 7, 9}));
  EXPECT_EQ(list.MaxValue(), 9);
}

TEST(ValueListTest, SortMovesWholePointsOfTheSeries) {
  TChartSeries series;
  series.XValues().SetOrder(TChartListOrder::loNone);
  series.AddXY(3, 30, "c");
  series.AddXY(1, 10, "a", clRed);
  series.AddXY(2, 20, "b");
  series.AddXY(1, 11, "a2");
  series.XValues().SetOrder(TChartListOrder::loAscending);
  series.XValues().Sort();
  EXPECT_EQ(Values(series.XValues()), (std::vector<double>{1, 1, 2, 3}));
  EXPECT_EQ(Values(series.YValues()), (std::vector<double>{10, 11, 20, 30}));
  EXPECT_EQ(series.XLabel(0), "a");
  EXPECT_EQ(series.XLabel(1), "a2");
  EXPECT_EQ(series.XLabel(3), "c");
  EXPECT_EQ(series.ValueColor(0), clRed);
  EXPECT_NE(series.ValueColor(3), clRed);
}

TEST(ValueListTest, SortLeavesUnorderedListAlone) {
  TChartValueList list(nullptr, "Y");
  for (double v : {3.0, 1.0, 2.0}) list.AddChartValue(v);
  list.Sort();
  EXPECT_EQ(Values(list), (std::vector<double>{3, 1, 2}));
}

}  // namespace

// Statistics read after every append (kept current) must have the same bits as one scan
// over the finished list, whatever the values: rounding order, NaN, signed zeros.
TEST(ValueListTest, AppendedStatisticsEqualOneScanBitForBit) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const std::vector<std::vector<double>> cases = {{0.1, 0.2, 0.3, 1e16, -1e16, 0.7},
                                                  {nan, 1, -3},
                                                  {2, nan, -5, 9},
                                                  {-0.0, 0.0, -0.0},
                                                  {5, 5, -1e-300, 3}};
  auto bits = [](double v) { return std::bit_cast<std::uint64_t>(v); };
  for (const auto& values : cases) {
    TChartValueList current(nullptr, "Y"), scanned(nullptr, "Y");
    current.ClearValues();
    for (double v : values) {
      current.AddChartValue(v);
      current.Total();
      scanned.AddChartValue(v);
    }
    EXPECT_EQ(bits(current.MinValue()), bits(scanned.MinValue()));
    EXPECT_EQ(bits(current.MaxValue()), bits(scanned.MaxValue()));
    EXPECT_EQ(bits(current.Total()), bits(scanned.Total()));
    EXPECT_EQ(bits(current.TotalABS()), bits(scanned.TotalABS()));
  }
}

TEST(ValueListTest, ChangesOtherThanAppendsStillRescan) {
  TChartValueList list(nullptr, "X");
  list.SetOrder(TChartListOrder::loAscending);
  for (double v : {1.0, 4.0}) list.AddChartValue(v);
  EXPECT_EQ(list.MinValue(), 1);
  list.AddChartValue(-2);  // sorted in front of the others
  EXPECT_EQ(list.MinValue(), -2);
  list.AddChartValue(8);
  EXPECT_EQ(list.MaxValue(), 8);
  EXPECT_EQ(list.Total(), 11);
}

}  // namespace vadidazid
