// The stored "Data" block: the program's chart as its layout builds it, the writer's
// choice of parts, round trips, and damaged blocks.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "chart/panel/chartexception.h"
#include "chart/series/lineseries.h"
#include "programchart/programchart.h"

namespace vadidazid {

namespace {

const std::vector<double> kStoredY = {
    970,  985,    985,  997.5,  1000, 1017.5, 1035, 1067.5, 1075,   1090,   1112.5, 1170,  1175,
    1180, 1192.5, 1215, 1257.5, 1275, 1275,   1280, 1285,   1287.5, 1292.5, 1297.5, 1302.5};

std::vector<uint8_t> ProgramBytes() {
  const auto& data = ProgramSeriesData();
  return std::vector<uint8_t>(data.begin(), data.end());
}

TEST(ProgramChartTest, FourSeriesAsTheLayoutStoresThem) {
  std::unique_ptr<TChart> chart = CreateProgramChart();
  ASSERT_EQ(chart->SeriesCount(), 4);
  struct Expected {
    const char* name;
    const char* title;
    TColor color;
    TColor explicitColor;
  };
  const Expected expected[] = {
      {"Series1", "Prowadzone rozmówy", 0xFF0080, 0xFF0080},
      {"Series2", "Nowe rozmowy", 0x408000, 0x408000},
      {"Series3", "Zerwane rozmowy", clRed, clAutoColor},
      {"Series4", "Zakończone rozmowy", clBlue, clBlue},
  };
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    TChartSeries* s = chart->Series(i);
    EXPECT_NE(dynamic_cast<TLineSeries*>(s), nullptr);
    EXPECT_EQ(s->Name(), expected[i].name);
    EXPECT_EQ(s->Title(), expected[i].title);
    EXPECT_EQ(s->SeriesColor(), expected[i].color);
    EXPECT_EQ(s->ExplicitColor(), expected[i].explicitColor);
    EXPECT_EQ(s->XValues().Order(), TChartListOrder::loNone);
    EXPECT_EQ(s->YValues().Order(), TChartListOrder::loNone);
    EXPECT_FALSE(s->Marks().Visible());
    EXPECT_TRUE(s->DataEntered());
    EXPECT_EQ(s->UpdateDepth(), 0);
    ASSERT_EQ(s->Count(), 25);
    for (int k = 0; k < 25; ++k) {
      EXPECT_EQ(s->XValue(k), k);
      EXPECT_EQ(s->YValue(k), kStoredY[k]);
    }
    EXPECT_FALSE(s->HasColorList());
    EXPECT_EQ(s->Labels().Count(), 0);
  }
  EXPECT_EQ(chart->Width(), 433);
  EXPECT_EQ(chart->Height(), 201);
  EXPECT_FALSE(chart->View3D());
  EXPECT_EQ(chart->MarginUnits(), TTeeUnits::muPixels);
  EXPECT_EQ(chart->MarginRight(), 8);
  EXPECT_EQ(chart->MarginBottom(), 0);
}

TEST(ProgramChartTest, StoredBlockIsWhatTheWriterProduces) {
  const std::vector<uint8_t> bytes = ProgramBytes();
  ASSERT_EQ(bytes.size(), 205u);
  EXPECT_EQ(bytes[0], 0);  // no X, colours, labels or mark positions
  int32_t count = 0;
  std::memcpy(&count, &bytes[1], 4);
  EXPECT_EQ(count, 25);
  std::unique_ptr<TChart> chart = CreateProgramChart();
  for (int i = 0; i < 4; ++i) EXPECT_EQ(chart->Series(i)->WriteData(), bytes);
  TLineSeries series;
  for (double y : kStoredY) series.Add(y);
  EXPECT_EQ(series.WriteData(), bytes);
}

TEST(SeriesDataTest, WriterStoresOnlyTheNeededParts) {
  struct Case {
    const char* what;
    void (*fill)(TChartSeries&);
    uint8_t flags;
    size_t size;
  };
  const Case cases[] = {
      {"empty", [](TChartSeries&) {}, 0, 5},
      {"x not from zero", [](TChartSeries& s) { s.AddXY(1, 2); }, 1, 5 + 16},
      {"x out of sequence",
       [](TChartSeries& s) {
         s.XValues().SetOrder(TChartListOrder::loNone);
         s.AddXY(0, 1);
         s.AddXY(2, 1);
         s.AddXY(1, 1);
       },
       1, 5 + 3 * 16},
      {"own colour", [](TChartSeries& s) { s.Add(1, "", clRed); }, 2, 5 + 8 + 4},
      {"colour equal to series colour",
       [](TChartSeries& s) {
         s.SetSeriesColor(clRed);
         s.Add(1, "", clRed);
       },
       0, 5 + 8},
      {"label", [](TChartSeries& s) { s.Add(1, "ab"); }, 4, 5 + 8 + 1 + 2},
      {"hand-placed mark",
       [](TChartSeries& s) {
         s.Add(1);
         TSeriesMarkPosition p;
         p.custom = true;
         s.Marks().Positions().push_back(p);
       },
       8, 5 + 8 + 34},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TChartSeries series;
    c.fill(series);
    const std::vector<uint8_t> bytes = series.WriteData();
    ASSERT_EQ(bytes.size(), c.size);
    EXPECT_EQ(bytes[0], c.flags);
  }
}

TEST(SeriesDataTest, RoundTripKeepsEveryPart) {
  TChartSeries source;
  source.XValues().SetOrder(TChartListOrder::loNone);
  source.AddXY(2.5, -1, "Zakończone", clRed);
  source.AddXY(-7, 3e10, "", clAutoColor);
  source.AddXY(4, 0.125, "x");
  TSeriesMarkPosition mark{{1, -2}, true, {3, 4}, true, 17, {-5, 6}, 40};
  source.Marks().Positions() = {mark, {}, {}};
  const std::vector<uint8_t> bytes = source.WriteData();
  EXPECT_EQ(bytes[0], 1 | 2 | 4 | 8);
  // The label travels as one Windows-1250 byte per letter.
  EXPECT_EQ(bytes.size(), 5u + 3 * (16 + 4 + 34) + 1 + 10 + 1 + 1 + 1);

  TChartSeries copy;
  copy.XValues().SetOrder(TChartListOrder::loNone);
  copy.Add(99);
  copy.ReadData(bytes.data(), bytes.size());
  ASSERT_EQ(copy.Count(), 3);
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(copy.XValue(k), source.XValue(k));
    EXPECT_EQ(copy.YValue(k), source.YValue(k));
    EXPECT_EQ(copy.XLabel(k), source.XLabel(k));
    EXPECT_EQ(copy.ValueColor(k), source.ValueColor(k));
  }
  EXPECT_EQ(copy.Marks().Positions().size(), 3u);
  EXPECT_EQ(copy.Marks().Positions()[0], mark);
  EXPECT_EQ(copy.WriteData(), bytes);
}

TEST(SeriesDataTest, ReadingPlacesPointsByTheXOrder) {
  TChartSeries source;
  source.XValues().SetOrder(TChartListOrder::loNone);
  source.AddXY(3, 30);
  source.AddXY(1, 10);
  const std::vector<uint8_t> bytes = source.WriteData();
  TChartSeries ordered;  // X ascending
  ordered.ReadData(bytes.data(), bytes.size());
  EXPECT_EQ(ordered.XValue(0), 1);
  EXPECT_EQ(ordered.YValue(1), 30);
}

TEST(SeriesDataTest, ReadingDoesNotRepaintPerPoint) {
  TChart chart;
  TLineSeries* series = chart.AddSeries(std::make_unique<TLineSeries>());
  const int before = chart.InvalidateCount();
  const std::vector<uint8_t> bytes = ProgramBytes();
  series->ReadData(bytes.data(), bytes.size());
  EXPECT_EQ(series->Count(), 25);
  EXPECT_EQ(chart.InvalidateCount() - before, 1);  // the Clear only
}

TEST(SeriesDataTest, DamagedBlocksAreRefused) {
  const std::vector<uint8_t> good = ProgramBytes();
  std::vector<std::vector<uint8_t>> damaged = {
      {},
      {0},
      {0, 1, 0, 0},
      std::vector<uint8_t>(good.begin(), good.end() - 1),
      std::vector<uint8_t>(good.begin(), good.begin() + 12),
      {0, 0xFE, 0xFF, 0xFF, 0xFF, 0},                   // negative count, then stray bytes
      {0, 0xFF, 0xFF, 0xFF, 0x7F, 0, 0, 0, 0},          // count far beyond the block
      {4, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5, 'a'},  // label longer than the block
      {0, 0, 0, 0, 0, 42},                              // bytes after the last point
  };
  std::vector<uint8_t> extra = good;
  extra.push_back(0);
  damaged.push_back(extra);
  for (size_t i = 0; i < damaged.size(); ++i) {
    SCOPED_TRACE(i);
    TChartSeries series;
    const std::vector<uint8_t>& bytes = damaged[i];
    EXPECT_THROW(series.ReadData(bytes.data(), bytes.size()), EChartException);
    EXPECT_EQ(series.UpdateDepth(), 0);
    EXPECT_FALSE(series.DataEntered());
  }
}

TEST(SeriesDataTest, NegativeCountReadsAsNoPoints) {
  const std::vector<uint8_t> good = ProgramBytes();
  TChartSeries series;
  series.ReadData(good.data(), good.size());
  const std::vector<uint8_t> negative = {0, 0xFF, 0xFF, 0xFF, 0xFF};
  series.ReadData(negative.data(), negative.size());
  EXPECT_EQ(series.Count(), 0);
  EXPECT_TRUE(series.DataEntered());
  EXPECT_EQ(series.UpdateDepth(), 0);
}

TEST(SeriesDataTest, FailedReadStillEndsTheUpdate) {
  TChartSeries series;
  int refreshes = 0;
  series.AddValueListener([&](TValueEvent e, int) { refreshes += e == TValueEvent::veRefresh; });
  const std::vector<uint8_t> good = ProgramBytes();
  EXPECT_THROW(series.ReadData(good.data(), 100), EChartException);
  EXPECT_EQ(refreshes, 1);
  EXPECT_GT(series.Count(), 0);  // the points read before the damage stay
  series.Add(1);                 // and notices flow again
  EXPECT_EQ(series.UpdateDepth(), 0);
}

}  // namespace

}  // namespace vadidazid
