// Number texts under real locales, switched the way the toolkit switches the process:
// chart labels, the window's fields, the spin edit's keys and the log's summary lines
// take the locale's separators; every machine-readable output of the runner keeps the
// point and the same bytes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "chart/chartseries.h"
#include "chart/programchart.h"
#include "chart/teefont.h"
#include "cli/runner.h"
#include "platform/formatfloat.h"
#include "platform/imagecanvas.h"
#include "platform/numtext.h"
#include "ui/cspinedit.h"

namespace {

namespace fs = std::filesystem;

struct LocaleCase {
  const char* name;
  char decimal;
  const char* thousands;
};

void PrintTo(const LocaleCase& c, std::ostream* os) { *os << c.name; }

const LocaleCase kLocales[] = {
    {"C", '.', ""},
    {"en_US.UTF-8", '.', ","},
    {"de_DE.UTF-8", ',', "."},
    {"pl_PL.UTF-8", ',', "\xE2\x80\xAF"},  // U+202F, the narrow no-break space
};

// The user's locale for as long as it lives: in the environment, in the process (as the
// toolkit sets it) and in the program's separators (as the entry points take them).
class UserLocale {
 public:
  explicit UserLocale(const char* name) {
    // The locales the set-up test generated, unless the caller names other ones.
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
  bool Available() const { return available_; }

 private:
  bool available_ = false;
};

#define USE_LOCALE(locale, name)                                                         \
  UserLocale locale(name);                                                               \
  if (!locale.Available())                                                               \
  GTEST_SKIP() << name << " is missing from LOCPATH=" << std::getenv("LOCPATH")         \
               << ": localedef is needed to generate it (scripts/setup.sh installs it)"

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

fs::path TempDir(const std::string& tag) {
  const fs::path dir = fs::temp_directory_path() / ("vdz_locale_" + tag + std::to_string(getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

class LocaleTexts : public ::testing::TestWithParam<LocaleCase> {
 protected:
  // '.' becomes the locale's decimal separator and '_' its thousands separator.
  std::string L(const std::string& pattern) const {
    std::string out;
    for (char c : pattern) {
      if (c == '.') out += GetParam().decimal;
      else if (c == '_') out += GetParam().thousands;
      else out += c;
    }
    return out;
  }
};

TEST_P(LocaleTexts, LabelsFieldsAndKeysUseTheLocaleSeparators) {
  USE_LOCALE(locale, GetParam().name);
  ASSERT_EQ(DecimalSeparator(), GetParam().decimal);
  ASSERT_EQ(ThousandSeparator(), GetParam().thousands);
  const struct {
    double value;
    const char* label;
  } labels[] = {{35, "35"},     {2.5, "2.5"},          {1234.5, "1_234.5"},   {40, "40"},
                {-0.0004, "0"}, {0.1236, "0.124"},     {-1234567, "-1_234_567"},
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

// The log is the same under every locale except the separator in its summary lines.
TEST_P(LocaleTexts, LogDiffersOnlyInTheSummarySeparator) {
  std::ostringstream plain, err;
  ASSERT_EQ(RunSimulator({"--step-limit", "20", "--mean", "3.5"}, plain, err), 0) << err.str();
  USE_LOCALE(locale, GetParam().name);
  std::ostringstream local;
  ASSERT_EQ(RunSimulator({"--step-limit", "20", "--mean", "3.5"}, local, err), 0) << err.str();
  std::istringstream a(plain.str()), b(local.str());
  int summaryLines = 0;
  for (std::string x, y; std::getline(a, x) && std::getline(b, y);) {
    if (x.back() == '%') {
      ++summaryLines;
      EXPECT_EQ(y, L(x));
    } else {
      EXPECT_EQ(y, x);
    }
  }
  EXPECT_EQ(summaryLines, 4);
}

TEST_P(LocaleTexts, MachineReadableOutputsAreTheSameBytes) {
  const fs::path dir = TempDir("out");
  const std::string csv = (dir / "run.csv").string(), results = (dir / "results.csv").string();
  const std::vector<std::vector<std::string>> runs = {
      {"--steps", "30", "--chart", "--mean", "4.5", "--deviation", "0.25"},
      {"--steps", "30", "--csv", csv, "--mean", "2.5"},
      {"--replications", "2", "--steps", "20", "--warmup", "5", "--results", results},
      {"--replications", "3", "--steps", "20", "--deviation", "1.5", "--summary"},
      {"--summarize", results},
  };
  auto outputs = [&] {
    std::vector<std::string> all;
    for (const auto& args : runs) {
      std::ostringstream out, err;
      EXPECT_EQ(RunSimulator(args, out, err), 0) << args[0] << ": " << err.str();
      all.push_back(out.str());
    }
    all.push_back(ReadAll(csv));
    all.push_back(ReadAll(results));
    return all;
  };
  const std::vector<std::string> plain = outputs();
  USE_LOCALE(locale, GetParam().name);
  const std::vector<std::string> local = outputs();
  ASSERT_EQ(local.size(), plain.size());
  for (size_t i = 0; i < plain.size(); ++i) {
    // The runs that write files print nothing.
    EXPECT_EQ(plain[i].empty(), i == 1 || i == 2) << i;
    EXPECT_EQ(local[i], plain[i]) << i;
  }
  fs::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(Locales, LocaleTexts, ::testing::ValuesIn(kLocales),
                         [](const auto& info) {
                           std::string name = info.param.name;
                           return name.substr(0, name.find('.'));
                         });

// An image canvas that also keeps the texts drawn on it.
class TextKeepingCanvas : public ImageCanvas {
 public:
  using ImageCanvas::ImageCanvas;
  void TextOut(int x, int y, const std::string& utf8) override {
    texts.push_back(utf8);
    ImageCanvas::TextOut(x, y, utf8);
  }
  std::vector<std::string> texts;
};

struct PictureLayout {
  std::vector<std::string> texts;
  int plotLeft = 0;
};

// The program's chart with a running-calls line up to 2500 % (grouped left labels).
PictureLayout DrawProgramChart() {
  auto chart = CreateProgramChart();
  for (int i = 0; i < 4; ++i) chart->Series(i)->Clear();
  for (double v : {0.0, 1250.5, 2500.0}) {
    chart->Series(0)->Add(v, "", clAutoColor);
    for (int i = 1; i < 4; ++i) chart->Series(i)->Add(v / 1000, "", clAutoColor);
  }
  TextKeepingCanvas canvas(chart->Width(), chart->Height(), clBtnFace);
  chart->Canvas3D().SetUseBuffer(false);
  chart->Draw(canvas, chart->GetRectangle());
  return {canvas.texts, chart->ChartRect().left};
}

int WidestLabel(const std::vector<std::string>& texts) {
  ImageCanvas measure(10, 10);
  measure.font = TTeeFont().Font();
  int widest = 0;
  for (const std::string& t : texts) {
    if (t.find_first_of("0123456789") == 0) widest = std::max(widest, measure.TextWidth(t));
  }
  return widest;
}

TEST(LocalePicture, PolishLabelsAndThePlotEdgeTheirWidthsGive) {
  PictureLayout plain;
  {
    UserLocale c("C");
    plain = DrawProgramChart();
  }
  USE_LOCALE(locale, "pl_PL.UTF-8");
  const PictureLayout polish = DrawProgramChart();
  const std::string nnbsp = "\xE2\x80\xAF";
  for (const char* label : {"2500", "1500", "500", "0"}) {
    EXPECT_NE(std::find(plain.texts.begin(), plain.texts.end(), label), plain.texts.end()) << label;
  }
  for (std::string label : {"2" + nnbsp + "500", "1" + nnbsp + "500", std::string("500")}) {
    EXPECT_NE(std::find(polish.texts.begin(), polish.texts.end(), label), polish.texts.end()) << label;
  }
  // The widest left label decides where the plot starts.
  EXPECT_EQ(polish.plotLeft - plain.plotLeft, WidestLabel(polish.texts) - WidestLabel(plain.texts));
  EXPECT_NE(polish.plotLeft, plain.plotLeft);
}

}  // namespace
