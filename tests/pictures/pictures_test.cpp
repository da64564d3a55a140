// The runner's pictures: PNG and BMP of a chart hold the same pixels, the default size
// is the window's picture, the SVG's elements lie on the raster's pixels, the study plot
// puts its points, bars and curves where their values map (a dense one with a few
// elements a pixel column, reaching as far), and bad picture options are usage errors.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QImage>
#include <cmath>
#include <filesystem>
#include <sstream>

#include "chart/axis/chartaxis.h"
#include "chart/series/errorbarseries.h"
#include "cli/runner.h"
#include "pictures/cellmap.h"
#include "pictures/chartpicture.h"
#include "pictures/studyplot.h"
#include "platform/qt/imagecanvas.h"
#include "programchart/programchart.h"
#include "results/celltable.h"
#include "study/celltally.h"
#include "tests/support/files.h"
#include "tests/support/svgelements.h"

namespace vadidazid {

namespace {

namespace fs = std::filesystem;

QImage Decoded(const std::string& file) {
  QImage image;
  image.loadFromData(reinterpret_cast<const uchar*>(file.data()), int(file.size()));
  return image.convertToFormat(QImage::Format_RGB32);
}

TColor At(const QImage& image, int x, int y) {
  const QRgb p = image.pixel(x, y);
  return RGBColor(uint8_t(qRed(p)), uint8_t(qGreen(p)), uint8_t(qBlue(p)));
}

// The program's chart after a few steps' values.
std::unique_ptr<TChart> SteppedChart(int width, int height) {
  auto chart = CreateProgramChart();
  for (int s = 0; s < 4; ++s) {
    chart->Series(s)->Clear();
    for (int i = 0; i < 30; ++i) chart->Series(s)->Add(10 + 20 * s + 8 * std::sin(i * 0.4 + s));
  }
  chart->SetBounds(width, height);
  return chart;
}

TEST(RunnerPictures, PngHoldsTheBmpPixelsAtAnySize) {
  for (const auto& [w, h] : {std::pair{433, 201}, std::pair{300, 150}, std::pair{811, 407}}) {
    auto chart = SteppedChart(w, h);
    const QImage bmp = Decoded(ChartPictureBytes(*chart, PictureFormat::Bmp));
    const QImage png = Decoded(ChartPictureBytes(*chart, PictureFormat::Png));
    ASSERT_EQ(bmp.size(), QSize(w, h));
    EXPECT_TRUE(bmp == png) << w << "x" << h;
  }
}

TEST(RunnerPictures, DefaultSizeIsTheWindowsPicture) {
  ScopedWorkingDirectory dir(fs::temp_directory_path() /
                             ("vdz_pictures_" + std::to_string(getpid())));
  std::ostringstream out, err;
  ASSERT_EQ(RunSimulator({"--step-limit", "20", "--picture", "a.bmp"}, out, err), 0) << err.str();
  ASSERT_EQ(RunSimulator({"--step-limit", "20", "--picture", "b.bmp", "--picture-size", "433x201"},
                         out, err),
            0);
  ASSERT_EQ(RunSimulator({"--step-limit", "20", "--picture", "c.PNG", "--picture-size", "600X300"},
                         out, err),
            0);
  EXPECT_EQ(ReadFile("a.bmp"), ReadFile("b.bmp"));
  EXPECT_EQ(Decoded(ReadFile("c.PNG")).size(), QSize(600, 300));
}

TEST(RunnerPictures, SvgLinesAndFillsLieOnTheRasterPixels) {
  auto chart = SteppedChart(433, 201);
  const QImage raster = Decoded(ChartPictureBytes(*chart, PictureFormat::Bmp));
  const std::vector<SvgElement> elements =
      SvgElements(ChartPictureBytes(*chart, PictureFormat::Svg));
  auto covered = [&](size_t from, int x, int y) {
    for (size_t k = from; k < elements.size(); ++k) {
      const TRect box = SvgElementBox(elements[k]);
      if (elements[k].tag != "text" && x >= box.left && x < box.right && y >= box.top &&
          y < box.bottom) {
        return true;
      }
    }
    return false;
  };
  int checked = 0;
  for (size_t i = 0; i < elements.size(); ++i) {
    const SvgElement& e = elements[i];
    // Solid one-pixel lines by their first pixel, fills by their top-left one, where no
    // later element may have drawn over them.
    std::string colour;
    int x = 0, y = 0;
    if (e.tag == "line" && e.Number("stroke-width") == 1 && !e.Has("stroke-dasharray")) {
      x = int(e.Number("x1")), y = int(e.Number("y1")), colour = e.Text("stroke");
    } else if (e.tag == "rect" && e.Has("fill") && !e.Has("stroke")) {
      x = int(e.Number("x")), y = int(e.Number("y")), colour = e.Text("fill");
    } else {
      continue;
    }
    const TRect clip = e.clip.value_or(TRect{0, 0, 433, 201});
    if (x < clip.left || x >= clip.right || y < clip.top || y >= clip.bottom) continue;
    if (covered(i + 1, x, y)) continue;
    const uint32_t v = std::stoul(colour.substr(1), nullptr, 16);
    ++checked;
    EXPECT_EQ(At(raster, x, y), RGBColor(uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)))
        << e.tag << " at " << x << "," << y;
  }
  EXPECT_GT(checked, 100);
}

TEST(StudyPlot, PointsBarsAndCurvesSitWhereTheirValuesMap) {
  const std::vector<PlotCurve> curves = {
      {"measured",
       0xC00000,
       true,
       TSeriesPointerStyle::psCircle,
       TPenStyle::psSolid,
       MarkerKind::Solid,
       {5, 10, 15, 20},
       {0.05, 0.2, 0.3, NAN},
       {0.01, 0.04, 0.03, 0},
       {},
       {}},
      {"theory",
       0x00A000,
       false,
       TSeriesPointerStyle::psNothing,
       TPenStyle::psDash,
       MarkerKind::Solid,
       {5, 10, 15, 20},
       {0.1, 0.25, 0.4, 0.5},
       {NAN, NAN, NAN, NAN},
       {},
       {}},
  };
  auto chart = CreateStudyChart(curves, "channels", 640, 400);
  const QImage image = Decoded(ChartPictureBytes(*chart, PictureFormat::Png));
  ASSERT_EQ(image.size(), QSize(640, 400));
  auto* measured = dynamic_cast<TErrorBarSeries*>(chart->Series(0));
  ASSERT_NE(measured, nullptr);
  EXPECT_TRUE(measured->IsNull(3));
  for (int i = 0; i < 3; ++i) {
    const int x = measured->CalcXPos(i), y = measured->CalcYPos(i);
    EXPECT_EQ(At(image, x, y), 0xC00000u) << i;
    const int top = measured->CalcYPosValue(curves[0].y[i] + curves[0].error[i]);
    const int cap = measured->CapHalfWidth();
    EXPECT_EQ(At(image, x - cap, top), 0xC00000u) << i;
    EXPECT_EQ(At(image, x + cap, top), 0xC00000u) << i;
  }
  // The dashed theory curve: ink along the segment, with gaps.
  TChartSeries* theory = chart->Series(1);
  int ink = 0, span = 0;
  for (int x = theory->CalcXPos(0) + 2; x < theory->CalcXPos(1) - 2; ++x, ++span) {
    const double v = theory->GetHorizAxis()->CalcPosPoint(x);
    const double y = 0.1 + (v - 5) / 5 * 0.15;
    for (int dy = -1; dy <= 1; ++dy) {
      if (At(image, x, theory->CalcYPosValue(y) + dy) == 0x00A000u) {
        ++ink;
        break;
      }
    }
  }
  EXPECT_GT(ink, span / 2);
  EXPECT_LT(ink, span);
  EXPECT_EQ(chart->BottomAxis()->TitleCaption(), "Channels per base station");
}

// The first and last rows of each plot column that hold the colour, or -1.
std::vector<std::pair<int, int>> ColumnReach(const QImage& image, TColor color) {
  std::vector<std::pair<int, int>> reach(size_t(image.width()), {-1, -1});
  for (int x = 0; x < image.width(); ++x) {
    for (int y = 0; y < image.height(); ++y) {
      if (At(image, x, y) != color) continue;
      if (reach[size_t(x)].first < 0) reach[size_t(x)].first = y;
      reach[size_t(x)].second = y;
    }
  }
  return reach;
}

TEST(StudyPlot, DenseCurvesDrawOnlyWhatTheirColumnsShow) {
  // 100,000 noisy points with bars, and a dashed theory curve: hundreds a pixel column.
  PlotCurve measured{"measured",
                     0xC00000,
                     true,
                     TSeriesPointerStyle::psCircle,
                     TPenStyle::psSolid,
                     MarkerKind::Solid,
                     {},
                     {},
                     {},
                     {},
                     {}};
  PlotCurve theory{"theory",
                   0x00A000,
                   false,
                   TSeriesPointerStyle::psNothing,
                   TPenStyle::psDash,
                   MarkerKind::Solid,
                   {},
                   {},
                   {},
                   {},
                   {}};
  for (int i = 0; i < 100000; ++i) {
    measured.x.push_back(i);
    measured.y.push_back(i % 977 == 0 ? NAN : 0.5 + 0.3 * std::sin(i * 0.37) * (i % 13) / 13);
    measured.error.push_back(0.01 * (i % 7));
    theory.x.push_back(i);
    theory.y.push_back(0.2 + 0.1 * std::sin(i * 0.001));
    theory.error.push_back(NAN);
  }
  auto chart = CreateStudyChart({measured, theory}, "mean", 800, 500);
  const std::string svg = ChartPictureBytes(*chart, PictureFormat::Svg);
  EXPECT_LT(svg.size(), 1500000u);  // a few elements a pixel column
  // Every point drawn, for comparison: each column reaches as far up and down.
  const QImage thinned = Decoded(ChartPictureBytes(*chart, PictureFormat::Png));
  for (int s = 0; s < chart->SeriesCount(); ++s)
    static_cast<TCustomSeries*>(chart->Series(s))->SetColumnDrawing(false);
  const QImage full = Decoded(ChartPictureBytes(*chart, PictureFormat::Png));
  EXPECT_EQ(ColumnReach(thinned, 0xC00000), ColumnReach(full, 0xC00000));
}

TEST(StudyPlot, CurvesOfASweepAndOfAGrid) {
  // Two channel counts for each of two call percentages, as a grid lists them.
  std::vector<PointSummary> points(4);
  for (int i = 0; i < 4; ++i) {
    points[i].point.channels = 5 + 2 * (i % 2);
    points[i].point.callPercent = 10 * (1 + i / 2);
    points[i].blocking = {0.1 * i, 0.01 * i, 3};
  }
  const auto grid = StudyCurves(points, {"channels", "call-percent"});
  ASSERT_EQ(grid.size(), 10u);
  EXPECT_EQ(grid[0].title, "Call blocking, call start [%] 10");
  EXPECT_EQ(grid[5].title, "Call blocking, call start [%] 20");
  EXPECT_EQ(grid[5].y, (std::vector<double>{0.2, 0.30000000000000004}));
  EXPECT_NE(grid[0].color, grid[5].color);
  EXPECT_EQ(grid[0].error, (std::vector<double>{0, 0.01}));
  EXPECT_FALSE(grid[3].measured);
  EXPECT_THROW(SweptValue(points[0].point, "seed"), std::invalid_argument);
}

TEST(CellMap, CellsCarryTheColoursOfTheirValues) {
  const std::vector<double> values = {0, 1, 2, 3, NAN, 5, 6, 7, 8};
  for (const auto& [w, h] : {std::pair{720, 560}, std::pair{300, 200}}) {
    ImageCanvas canvas(w, h);
    const MapData data{3, values, MapMeasure::Load};
    DrawCellMap(canvas, w, h, data);
    const MapLayout layout = MapLayoutOf(canvas, w, h, data, {});
    ASSERT_GE(layout.h, 10);
    for (int k = 0; k < 9; ++k) {
      const TPoint c = layout.CellCentre(k / 3, k % 3);
      EXPECT_EQ(canvas.GetPixel(c.x, c.y), MapColor(values[k] / 8)) << k;
    }
    // The grid stays left of the scale and inside the picture.
    const TPoint last = layout.CellTopLeft(2, 2);
    EXPECT_LT(last.x + 2 * layout.w, layout.scaleLeft);
    EXPECT_LT(layout.scaleLeft, w);
    EXPECT_LT(last.y + 2 * layout.h, h);
  }
  EXPECT_EQ(MapColor(0), RGBColor(68, 1, 84));
  EXPECT_EQ(MapColor(1), RGBColor(253, 231, 37));
  EXPECT_EQ(MapColor(NAN), clSilver);
  EXPECT_EQ(MapScaleOf({NAN, 0}, MapMeasure::Load, {}).high, 1);
}

TEST(CellMap, TallyOfThePerCellCounts) {
  CellTally tally(2, 10);
  const int32_t subscribers[] = {4, 0, 2, 0}, calls[] = {3, 0, 1, 0}, offers[] = {2, 0, 0, 0},
                started[] = {2, 0, 1, 0}, dropped[] = {0, 1, 0, 0}, in[] = {0, 1, 1, 0},
                out[] = {2, 0, 0, 0};
  StepReport report;
  report.cells = {offers, started, dropped, in, out, subscribers, calls};
  tally.StepCounted(report);
  tally.StepCounted(report);
  tally.StepCounted(StepReport{});  // no per-cell counts: not a step of the tally
  EXPECT_EQ(tally.Steps(), 2);
  const std::vector<double> congestion = tally.Measure(MapMeasure::CallCongestion);
  EXPECT_EQ(congestion[0], 0.5);
  EXPECT_TRUE(std::isnan(congestion[1]));
  EXPECT_EQ(tally.Measure(MapMeasure::Load)[0], 30);
  EXPECT_EQ(tally.Measure(MapMeasure::Dropped)[1], 2);
  const std::string csv = CellTableText(tally);
  EXPECT_EQ(csv.substr(0, csv.find('\n') + 1),
            "row,column,mean_subscribers,mean_calls,full_cell_offers,started,dropped,"
            "handovers_in,handovers_out,first_step,last_step\r\n");
  EXPECT_NE(csv.find("\n0,0,4,3,4,4,0,0,4,1,2\r\n"), std::string::npos) << csv;
  EXPECT_NE(csv.find("\n1,0,2,1,0,2,0,2,0,1,2\r\n"), std::string::npos) << csv;
}

TEST(CellMap, RunnerWritesTheMapAndTheCells) {
  ScopedWorkingDirectory dir(fs::temp_directory_path() / ("vdz_map_" + std::to_string(getpid())));
  std::ostringstream out, err;
  ASSERT_EQ(RunSimulator({"--grid-side", "4", "--steps", "20", "--map", "m.png", "--map-measure",
                          "load", "--cells", "c.csv", "--out", "log.txt"},
                         out, err),
            0)
      << err.str();
  EXPECT_EQ(Decoded(ReadFile("m.png")).size(), QSize(kMapWidth, kMapHeight));
  const std::string csv = ReadFile("c.csv");
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 17);
}

TEST(RunnerPictures, BadPictureOptionsAreUsageErrors) {
  const std::vector<std::vector<std::string>> cases = {
      {"--picture", "a.gif"},
      {"--picture", "a"},
      {"--picture", "a.png", "--picture-size", "10x10"},
      {"--picture", "a.png", "--picture-size", "100x"},
      {"--picture", "a.png", "--picture-size", "x100"},
      {"--picture", "a.png", "--picture-size", "9000x100"},
      {"--picture", "a.png", "--picture-size", "-100x100"},
      {"--picture", "a.png", "--picture-size", "100x100x3"},
      {"--picture", "a.png", "--picture-size", "100 x 100"},
      {"--picture-size", "100x100"},
      {"--map-measure", "load"},
      {"--map", "m.png", "--map-measure", "blocked"},
      {"--map", "m.jpg"},
      {"--plot", "p.png"},
      {"--plot", "p.png", "--sweep", "channels=10:20:10", "--sweep", "call-percent=5,10", "--sweep",
       "subscribers=100,200"},
      {"--plot", "p.txt", "--sweep", "channels=10:30:10"},
      {"--plot", "p.png", "--sweep", "channels=10:30:10", "--shard", "0/2"},
      {"--map", "m.png", "--replications", "2"},
      {"--plot", "p.png", "--sweep", "channels=10:30:10", "--results", "p.png"},
  };
  for (const auto& args : cases) {
    std::ostringstream out, err;
    EXPECT_EQ(RunSimulator(args, out, err), 2) << args[0] << " " << args[1];
    EXPECT_NE(err.str().find("Try 'vadidazid-sim --help'"), std::string::npos) << err.str();
  }
}

}  // namespace

}  // namespace vadidazid
