// Number texts under real locales, switched the way the toolkit switches the process:
// chart labels, the window's fields, the spin edit's keys and the log's summary lines
// take the locale's separators; every machine-readable output keeps the same bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <sstream>

#include "chart/axis/chartaxis.h"
#include "chart/canvas/teefont.h"
#include "chart/series/chartseries.h"
#include "cli/runner.h"
#include "platform/qt/imagecanvas.h"
#include "platform/text/formatfloat.h"
#include "platform/text/numtext.h"
#include "programchart/programchart.h"
#include "tests/support/files.h"
#include "ui/cspinedit.h"

namespace vadidazid {

namespace {

struct LocaleCase {
  const char* name;
  char decimal;
  const char* thousands;
};
void PrintTo(const LocaleCase& c, std::ostream* os) { *os << c.name; }

const std::string kNarrowSpace = "\xE2\x80\xAF";  // U+202F
const LocaleCase kLocales[] = {{"C", '.', ""},
                               {"en_US.UTF-8", '.', ","},
                               {"de_DE.UTF-8", ',', "."},
                               {"pl_PL.UTF-8", ',', kNarrowSpace.c_str()}};

// The user's locale while it lives: in the environment, in the process (as the toolkit
// sets it) and in the program's separators (as the entry points take them).
class UserLocale {
 public:
  explicit UserLocale(const char* name) {
    setenv("LOCPATH", VADIDAZID_LOCALE_DIR, 0);
    setenv("LC_ALL", name, 1);
    available_ = std::setlocale(LC_ALL, "") != nullptr;
    SetDecimalSeparator(LocaleDecimalSeparator());
    SetThousandSeparator(LocaleThousandSeparator());
  }
  ~UserLocale() {
    setenv("LC_ALL", "C", 1);
    std::setlocale(LC_ALL, "C");
    SetDecimalSeparator('.');
    SetThousandSeparator(",");
  }
  bool available_ = false;
};

#define USE_LOCALE(name)                                                        \
  UserLocale locale(name);                                                      \
  if (!locale.available_)                                                       \
  GTEST_SKIP() << name << " is missing from LOCPATH=" << std::getenv("LOCPATH") \
               << ": localedef is needed to generate it (scripts/setup.sh installs it)"

class LocaleTexts : public ::testing::TestWithParam<LocaleCase> {
 protected:
  // '.' becomes the locale's decimal separator and '_' its thousands separator.
  std::string L(const std::string& pattern) const {
    std::string out;
    for (char c : pattern) {
      out += c == '.'   ? std::string(1, GetParam().decimal)
             : c == '_' ? GetParam().thousands
                        : std::string(1, c);
    }
    return out;
  }
};

TEST_P(LocaleTexts, LabelsFieldsAndKeysUseTheLocaleSeparators) {
  USE_LOCALE(GetParam().name);
  const struct {
    double value;
    const char* label;
  } labels[] = {{35, "35"},
                {2.5, "2.5"},
                {1234.5, "1_234.5"},
                {-0.0004, "0"},
                {0.1236, "0.124"},
                {-1234567, "-1_234_567"},
                {1e21, "1_000_000_000_000_000_000_000"}};
  for (const auto& c : labels) EXPECT_EQ(FormatFloat("#,##0.###", c.value), L(c.label)) << c.value;
  EXPECT_EQ(FloatToStr(5.0), "5");
  EXPECT_EQ(FloatToStr(0.01), L("0.01"));
  EXPECT_EQ(FloatToStr(-2.5e-5), L("-2.5E-5"));
  EXPECT_EQ(StrToFloat(L(" 4.75 ")), 4.75);
  const char other = GetParam().decimal == '.' ? ',' : '.';
  double ignored;
  EXPECT_FALSE(TryStrToFloat(std::string("4") + other + "75", ignored));
  TCSpinEdit edit(nullptr);
  EXPECT_TRUE(edit.IsValidChar(GetParam().decimal));
  EXPECT_FALSE(edit.IsValidChar(other));
}

// Beside the log, whose summary lines alone take the locale's separator, every output
// is the same bytes under each locale.
TEST_P(LocaleTexts, OnlyTheSummaryLinesFollowTheLocale) {
  const std::string csv = testing::TempDir() + "locale_run.csv";
  const std::string results = testing::TempDir() + "locale_results.csv";
  const std::vector<std::vector<std::string>> runs = {
      {"--step-limit", "20", "--mean", "3.5"},
      {"--steps", "30", "--chart", "--mean", "4.5", "--deviation", "0.25"},
      {"--steps", "30", "--csv", csv, "--mean", "2.5"},
      {"--replications", "2", "--steps", "20", "--warmup", "5", "--results", results},
      {"--replications", "3", "--steps", "20", "--deviation", "1.5", "--summary"},
      {"--summarize", results}};
  auto outputs = [&] {
    std::vector<std::string> all;
    for (const auto& args : runs) {
      std::ostringstream out, err;
      EXPECT_EQ(RunSimulator(args, out, err), 0) << args[0] << ": " << err.str();
      all.push_back(out.str());
    }
    return std::vector<std::string>{all[0], all[1],        all[4],
                                    all[5], ReadFile(csv), ReadFile(results)};
  };
  const std::vector<std::string> plain = outputs();
  USE_LOCALE(GetParam().name);
  const std::vector<std::string> local = outputs();
  for (size_t i = 1; i < plain.size(); ++i) EXPECT_EQ(local[i], plain[i]) << i;
  std::istringstream a(plain[0]), b(local[0]);
  int summaryLines = 0;
  for (std::string x, y; std::getline(a, x) && std::getline(b, y);) {
    summaryLines += x.back() == '%';
    EXPECT_EQ(y, x.back() == '%' ? L(x) : x);
  }
  EXPECT_EQ(summaryLines, 4);
}

INSTANTIATE_TEST_SUITE_P(Locales, LocaleTexts, ::testing::ValuesIn(kLocales), [](const auto& info) {
  const std::string name = info.param.name;
  return name.substr(0, name.find('.'));
});

// An image canvas that keeps the texts drawn on it.
struct TextKeepingCanvas : ImageCanvas {
  using ImageCanvas::ImageCanvas;
  void TextOut(int x, int y, const std::string& utf8) override {
    texts.push_back(utf8);
    ImageCanvas::TextOut(x, y, utf8);
  }
  std::vector<std::string> texts;
};

// The program's chart with running calls up to 2500 %, so the left labels are grouped;
// its texts, its plot's left edge and the width of its widest left label.
struct Layout {
  std::vector<std::string> texts;
  int plotLeft = 0, widestLabel = 0;
};
Layout DrawProgramChart() {
  auto chart = CreateProgramChart();
  for (int i = 0; i < 4; ++i) chart->Series(i)->Clear();
  for (double v : {0.0, 1250.5, 2500.0}) {
    for (int i = 0; i < 4; ++i) chart->Series(i)->Add(i == 0 ? v : v / 1000, "", clAutoColor);
  }
  TextKeepingCanvas canvas(chart->Width(), chart->Height(), clBtnFace);
  chart->Canvas3D().SetUseBuffer(false);
  chart->Draw(canvas, chart->GetRectangle());
  canvas.font = TTeeFont().Font();
  Layout layout{canvas.texts, chart->ChartRect().left};
  for (const std::string& t : canvas.texts) {
    if (t.find_first_of("0123456789") == 0) {
      layout.widestLabel = std::max(layout.widestLabel, canvas.TextWidth(t));
    }
  }
  return layout;
}

TEST(LocalePicture, PolishLabelsAndThePlotEdgeTheirWidthsGive) {
  Layout plain;
  {
    UserLocale c("C");
    plain = DrawProgramChart();
  }
  USE_LOCALE("pl_PL.UTF-8");
  const Layout polish = DrawProgramChart();
  auto has = [](const Layout& l, const std::string& text) {
    return std::find(l.texts.begin(), l.texts.end(), text) != l.texts.end();
  };
  for (std::string label : {"2500", "1500", "500"}) EXPECT_TRUE(has(plain, label)) << label;
  for (std::string label :
       {"2" + kNarrowSpace + "500", "1" + kNarrowSpace + "500", std::string("500")}) {
    EXPECT_TRUE(has(polish, label)) << label;
  }
  EXPECT_GT(polish.widestLabel, plain.widestLabel);
  EXPECT_EQ(polish.plotLeft - plain.plotLeft, polish.widestLabel - plain.widestLabel);
}

// Every axis label whole: the ink of each label the chart draws lies inside its
// picture, for ranges whose middle labels are wider than their ends ("0,9" between "0"
// and "1"), a last bottom label at the axis' end ("100" after 101 steps), grouped
// thousands, a single point and zoomed views.
struct PlacingCanvas : ImageCanvas {
  using ImageCanvas::ImageCanvas;
  void TextOut(int x, int y, const std::string& utf8) override {
    placed.push_back({x, y, utf8, font});
    ImageCanvas::TextOut(x, y, utf8);
  }
  struct Text {
    int x, y;
    std::string text;
    TFont font;
  };
  std::vector<Text> placed;
};

// The ink of a text drawn alone, relative to the top-left corner it is drawn at.
TRect InkOf(const PlacingCanvas::Text& t) {
  ImageCanvas scratch(300, 100, clWhite);
  scratch.font = t.font;
  scratch.font.color = clBlack;
  scratch.TextOut(100, 40, t.text);
  TRect ink{300, 100, -1, -1};
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 300; ++x) {
      if (scratch.GetPixel(x, y) == clWhite) continue;
      ink = {std::min(ink.left, x - 100), std::min(ink.top, y - 40), std::max(ink.right, x - 100),
             std::max(ink.bottom, y - 40)};
    }
  }
  return ink;
}

struct RangeCase {
  const char* name;
  std::vector<double> running;  // the first series' values; the others are 0
  double bottomMin = 0, bottomMax = 0, leftMin = 0, leftMax = 0;  // a zoom when max > min
};

std::vector<double> Steps(int n, double top) {
  std::vector<double> v;
  for (int i = 0; i < n; ++i) v.push_back(top * (i % 7) / 6);
  return v;
}

const RangeCase kRanges[] = {
    {"one step, 0 to 1 by 0.1", {1}},
    {"101 steps", Steps(101, 35.2)},
    {"0 to 101", Steps(102, 101)},
    {"0 to 20000", Steps(30, 20000)},
    {"0 to 0.25", Steps(12, 0.25)},
    {"one point", {5}},
    {"zoomed", Steps(101, 35.2), 13.7, 58.2, 0.05, 0.95},
    {"zoomed to the end", Steps(101, 35.2), 40, 100, 2.5, 12.5},
};

class WholeLabels : public ::testing::TestWithParam<const char*> {};

TEST_P(WholeLabels, EveryLabelsInkLiesInsideThePicture) {
  USE_LOCALE(GetParam());
  for (const RangeCase& range : kRanges) {
    SCOPED_TRACE(range.name);
    auto chart = CreateProgramChart();
    for (int i = 0; i < 4; ++i) chart->Series(i)->Clear();
    for (double v : range.running) {
      for (int i = 0; i < 4; ++i) chart->Series(i)->Add(i == 0 ? v : 0);
    }
    if (range.bottomMax > range.bottomMin) {
      chart->BottomAxis()->SetMinMax(range.bottomMin, range.bottomMax);
      chart->LeftAxis()->SetMinMax(range.leftMin, range.leftMax);
    }
    PlacingCanvas canvas(chart->Width(), chart->Height(), clBtnFace);
    chart->Canvas3D().SetUseBuffer(false);
    chart->Draw(canvas, chart->GetRectangle());
    int labels = 0;
    for (const PlacingCanvas::Text& t : canvas.placed) {
      if (t.text.find_first_of("-0123456789") != 0) continue;  // the legend's texts
      ++labels;
      const TRect ink = InkOf(t);
      EXPECT_GE(t.x + ink.left, 0) << t.text;
      EXPECT_LT(t.x + ink.right, chart->Width()) << t.text;
      EXPECT_GE(t.y + ink.top, 0) << t.text;
      EXPECT_LT(t.y + ink.bottom, chart->Height()) << t.text;
    }
    EXPECT_GE(labels, 2);
  }
}

INSTANTIATE_TEST_SUITE_P(Locales, WholeLabels, ::testing::Values("C", "pl_PL.UTF-8"),
                         [](const auto& info) {
                           const std::string name = info.param;
                           return name.substr(0, name.find('.'));
                         });

}  // namespace

}  // namespace vadidazid
