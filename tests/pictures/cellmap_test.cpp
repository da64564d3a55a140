// The map of a run as a reader reads it: a scale over the values' range with round
// labels, the title's measure and steps, the start cell's ring, row and column numbers at
// their cells and cells that show the cell table's rows, and the warm-up the map and the
// table take from the command line.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QImage>
#include <cmath>
#include <filesystem>
#include <regex>
#include <set>
#include <sstream>

#include "pictures/cellmap.h"
#include "platform/drawing/recordingcanvas.h"
#include "platform/qt/imagecanvas.h"
#include "platform/text/numtext.h"
#include "study/celltally.h"
#include "tests/cli/runcli.h"
#include "tests/support/files.h"

namespace vadidazid {

namespace {

namespace fs = std::filesystem;

// The fields of a CSV text's lines, without the line ends.
std::vector<std::vector<std::string>> CsvFields(const std::string& text) {
  std::vector<std::vector<std::string>> rows;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string> fields;
    std::istringstream cells(line);
    for (std::string field; std::getline(cells, field, ',');) fields.push_back(field);
    rows.push_back(fields);
  }
  return rows;
}

std::string Field(const std::vector<std::vector<std::string>>& rows, size_t row,
                  const std::string& column) {
  const auto& header = rows.at(0);
  const size_t i = size_t(std::find(header.begin(), header.end(), column) - header.begin());
  return rows.at(row).at(i);
}

TEST(CellMap, ScaleCoversTheValuesWithRoundLabels) {
  struct Case {
    std::vector<double> values;
    MapMeasure measure;
    std::optional<MapRange> range;
    MapScale expected;
  };
  const MapMeasure cc = MapMeasure::CallCongestion, dropped = MapMeasure::Dropped,
                   load = MapMeasure::Load;
  const Case cases[] = {
      // A settled run's narrow band gets the whole palette.
      {{0.8017, 0.85, 0.8893}, cc, {}, {0.8, 0.89, 0.01}},
      {{0, 12, 47, NAN}, dropped, {}, {0, 50, 10}},
      // Counts are labelled in whole numbers.
      {{3, 4, 5}, dropped, {}, {3, 5, 1}},
      {{84.2, 86.9}, load, {}, {84, 87, 0.5}},
      // One value everywhere is shown against 0; no value at all as 0 .. 1.
      {{0.5, 0.5, NAN}, cc, {}, {0, 0.5, 0.1}},
      {{NAN}, cc, {}, {0, 1, 0.2}},
      {{0, 0}, dropped, {}, {0, 1, 1}},
      // A share is never labelled above 1.
      {{0.97, 0.999}, cc, {}, {0.97, 1, 0.005}},
      // A range given is kept as it is.
      {{0.5}, load, MapRange{0.2, 0.9}, {0.2, 0.9, 0.1}},
      {{7}, dropped, MapRange{0, 3}, {0, 3, 1}},
  };
  for (const Case& c : cases) {
    const MapScale s = MapScaleOf(c.values, c.measure, c.range);
    SCOPED_TRACE(testing::PrintToString(c.values));
    EXPECT_NEAR(s.low, c.expected.low, 1e-12);
    EXPECT_NEAR(s.high, c.expected.high, 1e-12);
    EXPECT_NEAR(s.step, c.expected.step, 1e-15);
    const std::vector<double> ticks = MapTicks(s);
    ASSERT_FALSE(ticks.empty());
    EXPECT_LE(ticks.size(), 10u);
    // 1, 2, 2.5 or 5 times a power of ten, and the labels its multiples.
    const double mantissa = s.step / std::pow(10.0, std::floor(std::log10(s.step) + 1e-9));
    EXPECT_TRUE(std::abs(mantissa - 1) < 1e-9 || std::abs(mantissa - 2) < 1e-9 ||
                std::abs(mantissa - 2.5) < 1e-9 || std::abs(mantissa - 5) < 1e-9)
        << s.step;
    for (double t : ticks) EXPECT_NEAR(t / s.step, std::round(t / s.step), 1e-9) << t;
    if (c.range) continue;
    // The data's own scale ends on labels and holds every value.
    EXPECT_NEAR(ticks.front(), s.low, 1e-12);
    EXPECT_NEAR(ticks.back(), s.high, 1e-12);
    for (double v : c.values) {
      if (!std::isnan(v)) {
        EXPECT_TRUE(s.low <= v && v <= s.high) << v;
      }
    }
  }
}

TEST(CellMap, TitleNamesTheMeasureAndTheSteps) {
  struct Case {
    MapMeasure measure;
    int64_t first, last;
    PlotLanguage language;
    const char* title;
  };
  const Case cases[] = {
      {MapMeasure::CallCongestion, 51, 400, PlotLanguage::English,
       "Offers to full cells, steps 51\u2013400"},
      {MapMeasure::Dropped, 1, 40, PlotLanguage::Polish,
       "Rozmowy zerwane przy wejściu do komórki, kroki 1\u201340"},
      {MapMeasure::Load, 7, 7, PlotLanguage::English, "Mean load, step 7"},
      {MapMeasure::Load, 1, 0, PlotLanguage::Polish, "Średnie obciążenie, brak kroków"},
  };
  for (const Case& c : cases) {
    MapData data{2, {0, 0, 0, 0}, c.measure, c.first, c.last};
    EXPECT_EQ(MapTitle(data, c.language), c.title);
  }
}

TEST(CellMap, StartCellIsRingedAndKeepsItsColour) {
  std::vector<double> values;
  for (int k = 0; k < 16; ++k) values.push_back(k);
  MapData data{4, values, MapMeasure::Load, 1, 10, 1, 1};
  const MapScale scale = MapScaleOf(values, MapMeasure::Load, {});
  for (const bool ringed : {true, false}) {
    if (!ringed) data.startRow = data.startColumn = -1;
    ImageCanvas canvas(kMapWidth, kMapHeight);
    DrawCellMap(canvas, kMapWidth, kMapHeight, data);
    const MapLayout l = MapLayoutOf(canvas, kMapWidth, kMapHeight, data, {});
    const int radius = l.w * 9 / 20;
    for (int k = 0; k < 16; ++k) {
      const TPoint c = l.CellCentre(k / 4, k % 4);
      const TColor colour = MapColor((values[k] - scale.low) / (scale.high - scale.low));
      EXPECT_EQ(canvas.GetPixel(c.x, c.y), colour) << k;
      const bool ring = ringed && k == 5;
      EXPECT_EQ(canvas.GetPixel(c.x + radius, c.y) == clBlack, ring) << k;
      EXPECT_EQ(canvas.GetPixel(c.x, c.y - radius) == clBlack, ring) << k;
    }
  }
}

TEST(CellMap, RowAndColumnNumbersSitAtTheirCells) {
  const int side = 6;
  MapData data{side, std::vector<double>(side * side, 0.5), MapMeasure::CallCongestion, 1, 9, 2, 2};
  data.values[7] = NAN;
  RecordingCanvas canvas;
  DrawCellMap(canvas, kMapWidth, kMapHeight, data, {PlotLanguage::English, 0, {}});
  const MapLayout l = MapLayoutOf(canvas, kMapWidth, kMapHeight, data, {});
  const std::regex text(R"re(TextOut (-?\d+),(-?\d+) "([^"]*)" font "[^"]*" (-?\d+) .*)re");
  std::vector<int> columns(side), rows(side);
  std::vector<std::string> texts;
  for (const std::string& call : canvas.Calls()) {
    std::smatch m;
    if (!std::regex_match(call, m, text)) continue;
    texts.push_back(m[3]);
    canvas.font = TFont{"Arial", std::stoi(m[4])};
    const TSize size = canvas.TextExtent(m[3]);
    const int x = std::stoi(m[1]), y = std::stoi(m[2]);
    for (int i = 0; i < side; ++i) {
      if (m[3] != IntToStr(i)) continue;
      // A column's number above the grid, over its first cell's middle; a row's left of
      // the grid, beside its first cell's middle.
      const TPoint column = l.CellCentre(0, i), row = l.CellCentre(i, 0);
      if (y + size.cy <= l.top && x <= column.x && column.x <= x + size.cx) ++columns[i];
      if (x + size.cx <= l.left && y <= row.y && row.y <= y + size.cy) ++rows[i];
    }
  }
  EXPECT_EQ(columns, std::vector<int>(side, 1));
  EXPECT_EQ(rows, std::vector<int>(side, 1));
  for (const char* words : {"start cell: row 2, column 2", "no offers", "share of offers"}) {
    EXPECT_NE(std::find(texts.begin(), texts.end(), words), texts.end()) << words;
  }
}

// Each hexagon of the map at (row, column) carries the value of the cell table's row with
// that row and column.
TEST(CellMap, MapCellsShowTheTableRowsOfTheirNumbers) {
  ScopedWorkingDirectory dir(fs::temp_directory_path() /
                             ("vdz_cellmap_" + std::to_string(getpid())));
  const CliResult r = RunCli({"--grid-side", "5", "--subscribers", "2000", "--call-percent", "40",
                              "--steps", "30", "--warmup", "5", "--map", "m.png", "--map-measure",
                              "dropped", "--cells", "c.csv", "--out", "log.txt"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto table = CsvFields(ReadFile("c.csv"));
  ASSERT_EQ(table.size(), 26u);
  MapData data{5, std::vector<double>(25), MapMeasure::Dropped, 6, 30, 1, 1};
  for (size_t i = 1; i < table.size(); ++i) {
    const int row = std::stoi(Field(table, i, "row")),
              column = std::stoi(Field(table, i, "column"));
    data.values[size_t(row * 5 + column)] = std::stod(Field(table, i, "dropped"));
  }
  const std::string png = ReadFile("m.png");
  QImage image;
  image.loadFromData(reinterpret_cast<const uchar*>(png.data()), int(png.size()));
  image = image.convertToFormat(QImage::Format_RGB32);
  ImageCanvas measure(kMapWidth, kMapHeight);
  const MapLayout l = MapLayoutOf(measure, kMapWidth, kMapHeight, data, {});
  const MapScale scale = MapScaleOf(data.values, MapMeasure::Dropped, {});
  std::set<double> distinct(data.values.begin(), data.values.end());
  EXPECT_GT(distinct.size(), 3u);  // so that rows or columns swapped would show
  for (int k = 0; k < 25; ++k) {
    const TPoint c = l.CellCentre(k / 5, k % 5);
    const QRgb p = image.pixel(c.x, c.y);
    EXPECT_EQ(RGBColor(uint8_t(qRed(p)), uint8_t(qGreen(p)), uint8_t(qBlue(p))),
              MapColor((data.values[size_t(k)] - scale.low) / (scale.high - scale.low)))
        << k;
  }
}

TEST(CellMap, MapAndCellsTakeTheWarmupOfOneRun) {
  ScopedWorkingDirectory dir(fs::temp_directory_path() /
                             ("vdz_cellwarm_" + std::to_string(getpid())));
  struct Case {
    std::vector<std::string> args;
    int status;
    const char* message;  // of a refusal
    int64_t first, last;  // of the cell table, when written
  };
  const Case cases[] = {
      {{"--cells", "c.csv"}, 0, "", 1, 40},
      {{"--cells", "c.csv", "--warmup", "10"}, 0, "", 11, 40},
      {{"--map", "m.png", "--cells", "c.csv", "--warmup", "39", "--replications", "1"},
       0,
       "",
       40,
       40},
      {{"--map", "m.svg", "--map-range", "0:1", "--lang", "pl", "--plot-scale", "2"}, 0, "", 0, 0},
      {{"--cells", "c.csv", "--warmup", "40"}, 2, "--warmup: 40 is not below the 40 steps", 0, 0},
      {{"--map", "m.png", "--replications", "2"}, 2, "--map and --cells show one run", 0, 0},
      {{"--cells", "c.csv", "--sweep", "channels=10,20"},
       2,
       "--map and --cells show one run",
       0,
       0},
      {{"--cells", "c.csv", "--warmup", "5", "--summary"}, 2, "one run", 0, 0},
      {{"--map", "m.png", "--map-range", "0.5:0.2"}, 2, "A is not below B", 0, 0},
      {{"--map", "m.png", "--map-range", "0:inf"}, 2, "neither auto nor A:B", 0, 0},
      {{"--map", "m.png", "--map-range", "-1e308:1e308"}, 2, "B - A is too large", 0, 0},
      {{"--cells", "c.csv", "--map-range", "auto"}, 2, "--map-range needs --map", 0, 0},
      {{"--cells", "c.csv", "--lang", "en"}, 2, "need --plot or --map", 0, 0},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"--steps", "40", "--out", "log.txt"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    fs::remove("c.csv");
    const CliResult r = RunCli(args);
    SCOPED_TRACE(testing::PrintToString(c.args));
    EXPECT_EQ(r.status, c.status) << r.err;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    if (c.status != 0 || c.first == 0) continue;
    const auto table = CsvFields(ReadFile("c.csv"));
    EXPECT_EQ(Field(table, 1, "first_step"), std::to_string(c.first));
    EXPECT_EQ(Field(table, 100, "last_step"), std::to_string(c.last));
  }
}

// MSER-5's warm-up for the map is the one the run's result row holds.
TEST(CellMap, AutomaticWarmupIsTheResultRowsOne) {
  ScopedWorkingDirectory dir(fs::temp_directory_path() /
                             ("vdz_cellauto_" + std::to_string(getpid())));
  const std::vector<std::string> run = {"--subscribers", "2000", "--call-percent", "20",
                                        "--steps",       "200",  "--warmup",       "auto"};
  std::vector<std::string> cells = run, results = run;
  cells.insert(cells.end(), {"--cells", "c.csv", "--out", "log.txt"});
  results.insert(results.end(), {"--results", "r.csv"});
  ASSERT_EQ(RunCli(cells).status, 0);
  ASSERT_EQ(RunCli(results).status, 0);
  const std::string warmup = Field(CsvFields(ReadFile("r.csv")), 1, "warmup");
  EXPECT_NE(warmup, "0");
  EXPECT_EQ(Field(CsvFields(ReadFile("c.csv")), 1, "first_step"),
            std::to_string(std::stoll(warmup) + 1));
}

TEST(CellMap, TallyLeavesTheWarmupOut) {
  CellTally tally(2, 10, 1);
  int32_t crowded[] = {8, 0, 0, 0}, spread[] = {2, 2, 2, 2}, none[] = {0, 0, 0, 0};
  StepReport first, later;
  first.cells = {none, none, none, none, none, crowded, none};
  later.cells = {none, none, none, none, none, spread, none};
  tally.StepCounted(first);
  tally.StepCounted(later);
  tally.StepCounted(later);
  EXPECT_EQ(tally.Steps(), 2);
  EXPECT_EQ(tally.Warmup(), 1);
  EXPECT_EQ(tally.Figures()[0].meanSubscribers, 2);
}

}  // namespace

}  // namespace vadidazid
