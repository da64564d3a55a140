// The study plot as a figure: its colours stay apart for a reader with deuteranopia, its
// probability axis stays within [0, 1] with at most 10 labels, its text grows with the
// picture, and its words come from the table in Polish or English.
#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <set>
#include <sstream>

#include "chart/axis/chartaxis.h"
#include "chart/series/errorbarseries.h"
#include "chart/series/lineseries.h"
#include "cli/runner.h"
#include "pictures/chartpicture.h"
#include "pictures/studyplot.h"

namespace vadidazid {

namespace {

struct Lab {
  double l, a, b;
};

double Linear(double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); }

// The colour as a deuteranope sees it (Machado, Oliveira and Fernandes 2009, severity
// 1, applied to linear RGB), in CIE L*a*b* under D65.
Lab DeuteranopeLab(TColor color) {
  const double r = Linear((color & 0xFF) / 255.0), g = Linear(((color >> 8) & 0xFF) / 255.0),
               b = Linear(((color >> 16) & 0xFF) / 255.0);
  auto clamp = [](double v) { return std::clamp(v, 0.0, 1.0); };
  const double R = clamp(0.367322 * r + 0.860646 * g - 0.227968 * b);
  const double G = clamp(0.280085 * r + 0.672501 * g + 0.047413 * b);
  const double B = clamp(-0.011820 * r + 0.042940 * g + 0.968881 * b);
  const double X = (0.4124 * R + 0.3576 * G + 0.1805 * B) / 0.95047;
  const double Y = 0.2126 * R + 0.7152 * G + 0.0722 * B;
  const double Z = (0.0193 * R + 0.1192 * G + 0.9505 * B) / 1.08883;
  auto f = [](double t) {
    return t > 216.0 / 24389 ? std::cbrt(t) : (24389.0 / 27 * t + 16) / 116;
  };
  return {116 * f(Y) - 16, 500 * (f(X) - f(Y)), 200 * (f(Y) - f(Z))};
}

double DeltaE(TColor p, TColor q) {
  const Lab a = DeuteranopeLab(p), b = DeuteranopeLab(q);
  return std::hypot(a.l - b.l, a.a - b.a, a.b - b.b);
}

// Points of `groups` channel counts against four call percentages.
std::vector<PointSummary> GridPoints(int groups, double blocking = 0.1, double error = 0.01) {
  std::vector<PointSummary> points;
  for (int g = 0; g < groups; ++g) {
    for (int c = 1; c <= 4; ++c) {
      PointSummary p;
      p.point.channels = 10 + g;
      p.point.callPercent = 10 * c;
      p.blocking = {blocking * c, error, 3};
      points.push_back(p);
    }
  }
  return points;
}

TEST(StudyPlotLook, ColoursStayApartUnderDeuteranopia) {
  // A reference check of the simulation: red and green, told apart by most readers,
  // run together for a deuteranope.
  EXPECT_LT(DeltaE(0x00A000, 0x0000C0), 25);
  for (size_t groups : {size_t(0), size_t(3), kMaxPlotGroups, kMaxPlotGroups + 3}) {
    const std::vector<std::string> sweeps =
        groups == 0 ? std::vector<std::string>{"call-percent"}
                    : std::vector<std::string>{"call-percent", "channels"};
    std::vector<double> leftOut;
    const auto curves = StudyCurves(GridPoints(int(std::max<size_t>(groups, 1))), sweeps,
                                    PlotLanguage::English, &leftOut);
    const auto chart = CreateStudyChart(curves, "call-percent", 800, 500);
    // The lines' colours and the marker fills that are neither the line's nor white.
    std::set<TColor> colours;
    for (int s = 0; s < chart->SeriesCount(); ++s) {
      colours.insert(chart->Series(s)->SeriesColor());
      if (auto* bars = dynamic_cast<TErrorBarSeries*>(chart->Series(s))) {
        const TColor fill = bars->Pointer().Brush().Color();
        if (fill != clAutoColor && fill != clWhite) colours.insert(fill);
      }
    }
    for (TColor p : colours) {
      for (TColor q : colours) {
        if (p < q) {
          EXPECT_GE(DeltaE(p, q), 10) << std::hex << p << " " << q << " " << groups;
        }
      }
    }
    EXPECT_EQ(leftOut.size(), groups > kMaxPlotGroups ? groups - kMaxPlotGroups : 0);
  }
}

TEST(StudyPlotLook, ProbabilityAxisStaysWithinItsBoundsWithFewLabels) {
  // The highest value reached -> the axis' top; steps are 1, 2, 2.5 or 5 x 10^n.
  const struct {
    double highest, top;
  } cases[] = {{0.84, 0.9}, {0.0013, 0.0014}, {1.2, 1},     {0.999, 1},  {0.3, 0.3},
               {0, 0.01},   {0.061, 0.07},    {1e-7, 1e-7}, {0.23, 0.25}};
  for (const auto& c : cases) {
    const AxisSteps steps = ProbabilitySteps(c.highest);
    EXPECT_NEAR(steps.top, c.top, 1e-12) << c.highest;
    EXPECT_GE(steps.top, std::min(c.highest, 1.0)) << c.highest;
    EXPECT_LE(std::round(steps.top / steps.step) + 1, 10) << c.highest;
    const double mantissa = steps.step / std::pow(10, std::floor(std::log10(steps.step) + 1e-9));
    EXPECT_TRUE(std::set<double>({1, 2, 2.5, 5}).count(std::round(mantissa * 10) / 10))
        << c.highest;
  }
  for (auto [low, high] : {std::pair{5.0, 50.0}, {10.0, 100000.0}, {0.01, 0.37}, {3.0, 4.0}}) {
    const double step = LabelStep(low, high);
    EXPECT_LE(std::floor(high / step + 1e-9) - std::ceil(low / step - 1e-9) + 1, 10) << high;
    EXPECT_GE(std::floor(high / step + 1e-9) - std::ceil(low / step - 1e-9) + 1, 3) << high;
  }
  // Intervals that reach below 0 and above 1 end there, and so does the axis.
  auto points = GridPoints(1, 0.24, 0.05);
  points[0].blocking = {0.001, 0.004, 3};
  const auto chart =
      CreateStudyChart(StudyCurves(points, {"call-percent"}), "call-percent", 800, 500);
  const std::string png = ChartPictureBytes(*chart, PictureFormat::Png);
  TChartAxis& left = *chart->LeftAxis();
  // The probability's title runs up the axis: its ink, left of the labels, is tall.
  QImage image;
  image.loadFromData(reinterpret_cast<const uchar*>(png.data()), int(png.size()));
  int top = 500, bottom = -1, leftmost = 800, rightmost = -1;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < left.TitlePos(); ++x) {
      if (qGray(image.pixel(x, y)) > 128) continue;
      top = std::min(top, y), bottom = std::max(bottom, y);
      leftmost = std::min(leftmost, x), rightmost = std::max(rightmost, x);
    }
  }
  EXPECT_GT(bottom - top, 5 * (rightmost - leftmost)) << leftmost << " " << rightmost;
  EXPECT_EQ(left.Minimum(), 0);
  EXPECT_EQ(left.Maximum(), 1);
  auto& bars = dynamic_cast<TErrorBarSeries&>(*chart->Series(0));
  EXPECT_EQ(bars.BarBottom(0), 0);
  EXPECT_EQ(bars.BarTop(3), 1);
  EXPECT_EQ(left.ScaleMaximum(), 1);
  // Below 0 only the few pixels that lift a curve at 0 off the bottom axis' line.
  EXPECT_NEAR(left.CalcPosValue(left.ScaleMinimum()) - left.CalcPosValue(0), 4, 1);
}

TEST(StudyPlotLook, TextAndMarksGrowWithThePicture) {
  const auto curves = StudyCurves(GridPoints(1), {"call-percent"});
  struct Case {
    int width, height;
    double scale;
    int titleSize;
  } cases[] = {{800, 500, 0, 11},
               {1600, 1000, 0, 22},
               {1600, 500, 0, 11},
               {800, 500, 3, 33},
               {400, 250, 0, 6}};
  for (const Case& c : cases) {
    PlotLook look;
    look.scale = c.scale;
    const auto chart = CreateStudyChart(curves, "call-percent", c.width, c.height, look);
    EXPECT_EQ(chart->Title().Font().Size(), c.titleSize) << c.width << " " << c.scale;
    EXPECT_EQ(chart->LeftAxis()->LabelsFont().Size(), std::lround(8 * c.titleSize / 11.0));
    auto& bars = dynamic_cast<TErrorBarSeries&>(*chart->Series(0));
    EXPECT_EQ(bars.CapHalfWidth(), std::max(1L, std::lround(4 * c.titleSize / 11.0)));
    // Dashed theory curves widen too, their dashes with them.
    const double factor = PlotScale(look, c.width, c.height);
    auto& erlang = dynamic_cast<TLineSeries&>(*chart->Series(3));
    EXPECT_EQ(erlang.LinePen().Width(), std::max(1L, std::lround(factor)));
    EXPECT_EQ(erlang.LinePen().Style(), TPenStyle::psDash);
  }
}

TEST(StudyPlotLook, MeasuresOfAGroupDifferByLineAndMarker) {
  // In a grid colour and marker name the group; within one, every measure has a line
  // style and kind of marker of its own, and every curve of it the group's colour.
  const auto curves = StudyCurves(GridPoints(3), {"call-percent", "channels"});
  ASSERT_EQ(curves.size(), 15u);
  for (size_t g = 0; g < 3; ++g) {
    std::set<std::pair<TPenStyle, MarkerKind>> looks;
    for (size_t k = 0; k < 5; ++k) {
      const PlotCurve& c = curves[5 * g + k];
      EXPECT_EQ(c.color, curves[5 * g].color) << c.title;
      if (c.measured) {
        EXPECT_EQ(c.marker, curves[5 * g].marker) << c.title;
      }
      looks.insert({c.style, c.measured ? c.markerKind : MarkerKind::Solid});
    }
    EXPECT_EQ(looks.size(), 5u) << g;
  }
  // The legend lists each measure once with its line and marker, then each group, with
  // samples long enough to show the dashes beside the marker.
  const auto chart = CreateStudyChart(curves, "call-percent", 1600, 1000);
  EXPECT_EQ(chart->Legend().Symbol().CalcWidth(100, 20), 80);
  std::vector<std::string> legend;
  for (int s = 0; s < chart->SeriesCount(); ++s) {
    if (chart->Series(s)->ShowInLegend()) legend.push_back(chart->Series(s)->Title());
  }
  EXPECT_EQ(legend, (std::vector<std::string>{"Call blocking", "Offers to full cells",
                                              "Dropping at hand-over", "Erlang B (theory)",
                                              "Engset (theory)", "channels 10", "channels 11",
                                              "channels 12"}));
}

TEST(StudyPlotLook, WordsComeFromTheTableInEitherLanguage) {
  const struct {
    const char *lcAll, *lcMessages, *lang;
    PlotLanguage language;
  } locales[] = {{nullptr, nullptr, "pl_PL.UTF-8", PlotLanguage::Polish},
                 {"", "pl_PL", "en_US", PlotLanguage::Polish},
                 {"C", "pl_PL", "pl_PL", PlotLanguage::English},
                 {nullptr, nullptr, nullptr, PlotLanguage::English},
                 {"en_GB.UTF-8", nullptr, "pl_PL", PlotLanguage::English}};
  for (const auto& l : locales) {
    EXPECT_EQ(PlotLanguageOfLocale(l.lcAll, l.lcMessages, l.lang), l.language) << l.lang;
  }
  EXPECT_EQ(ParsePlotLanguage("pl"), PlotLanguage::Polish);
  EXPECT_THROW(ParsePlotLanguage("de"), EInvalidInput);
  const auto polish = StudyCurves(GridPoints(1), {"channels"}, PlotLanguage::Polish);
  const std::vector<std::string> titles = {"Blokada wywołań", "Zgłoszenia do pełnych komórek",
                                           "Zerwania przy przejściu", "Erlang B (teoria)",
                                           "Engset (teoria)"};
  for (size_t i = 0; i < titles.size(); ++i) EXPECT_EQ(polish[i].title, titles[i]);
  PlotLook look;
  look.language = PlotLanguage::Polish;
  const auto chart = CreateStudyChart(polish, "mean", 800, 500, look);
  EXPECT_EQ(chart->BottomAxis()->TitleCaption(), "Średni czas rozmowy [kroki]");
  EXPECT_EQ(chart->LeftAxis()->TitleCaption(), "Prawdopodobieństwo");
  EXPECT_NE(chart->Title().Text().front().find(" w zależności od "), std::string::npos);
  // Every key has both texts, and the Polish ones differ from the English.
  for (const char* key : {"probability", "call-percent", "subscribers", "channels", "grid-side",
                          "deviation", "erlang_b", "engset", "title", "against"}) {
    ASSERT_TRUE(PlotText(PlotLanguage::Polish, key)) << key;
    EXPECT_NE(PlotText(PlotLanguage::Polish, key), PlotText(PlotLanguage::English, key)) << key;
  }
}

TEST(StudyPlotLook, LanguageAndScaleOptions) {
  const std::vector<std::string> base = {"--plot", "p.png", "--sweep", "channels=10:30:10"};
  const std::vector<std::vector<std::string>> bad = {
      {"--lang", "de"}, {"--plot-scale", "0.1"}, {"--plot-scale", "x"}, {"--plot-scale", "17"}};
  for (const auto& extra : bad) {
    std::vector<std::string> args = base;
    args.insert(args.end(), extra.begin(), extra.end());
    std::ostringstream out, err;
    EXPECT_EQ(RunSimulator(args, out, err), 2) << extra[1];
  }
  std::ostringstream out, err;
  EXPECT_EQ(RunSimulator({"--lang", "pl", "--sweep", "channels=10:30:10"}, out, err), 2);
  EXPECT_NE(err.str().find("--lang and --plot-scale need --plot"), std::string::npos);
}

}  // namespace

}  // namespace vadidazid
