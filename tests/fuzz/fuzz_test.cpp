// Seeded random and mutated inputs for the readers of outside data: the number texts,
// the Windows-1250 conversions and the stored series data. Each check is a property that
// must hold for every input (a written text reads back, a conversion is stable, a damaged
// block is refused with the chart's exception), and the inputs include the extremes that
// broke these readers before. VADIDAZID_FUZZ_SCALE multiplies the number of inputs for a
// longer search; the seeds are fixed, so a failure repeats.
#include <gtest/gtest.h>

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "chart/panel/chartexception.h"
#include "chart/series/chartseries.h"
#include "platform/text/cp1250.h"
#include "platform/text/numtext.h"
#include "programchart/programchart.h"

namespace vadidazid {

namespace {

int Rounds(int base) {
  const char* scale = std::getenv("VADIDAZID_FUZZ_SCALE");
  return base * (scale ? std::max(1, std::atoi(scale)) : 1);
}

class Fuzzer {
 public:
  explicit Fuzzer(uint64_t seed) : rng_(seed) {}

  uint64_t Bits() { return rng_(); }
  int Below(int n) { return static_cast<int>(rng_() % static_cast<uint64_t>(n)); }
  bool OneIn(int n) { return Below(n) == 0; }

  std::string Text(std::string_view alphabet, int maxLength) {
    std::string text(static_cast<size_t>(Below(maxLength + 1)), ' ');
    for (char& c : text) c = alphabet[static_cast<size_t>(Below(int(alphabet.size())))];
    return text;
  }
  std::string Bytes(int maxLength) {
    std::string bytes(static_cast<size_t>(Below(maxLength + 1)), '\0');
    for (char& c : bytes) c = static_cast<char>(Below(256));
    return bytes;
  }
  // One to four edits: insert, delete, replace, or repeat a piece.
  std::string Mutate(std::string text, std::string_view alphabet) {
    for (int edits = 1 + Below(4); edits > 0; --edits) {
      const size_t at = text.empty() ? 0 : static_cast<size_t>(Below(int(text.size()) + 1));
      const char c = alphabet[static_cast<size_t>(Below(int(alphabet.size())))];
      switch (Below(4)) {
        case 0:
          text.insert(at, 1, c);
          break;
        case 1:
          if (at < text.size()) text.erase(at, 1);
          break;
        case 2:
          if (at < text.size()) text[at] = c;
          break;
        default:
          text.insert(at, text.substr(at, static_cast<size_t>(Below(20))));
          break;
      }
    }
    return text;
  }
  // Any bit pattern now and then, else a value of ordinary or extreme size.
  double Double() {
    const uint64_t bits = Bits();
    if (OneIn(3)) {
      double d;
      std::memcpy(&d, &bits, sizeof d);
      return d;
    }
    const double extremes[] = {DBL_MAX, DBL_MIN,    DBL_TRUE_MIN, 1e15, 999999999999999.5,
                               1e-4,    0.99995e-4, 0.0,          5.0,  0.01};
    if (OneIn(4)) return extremes[Below(10)] * (OneIn(2) ? -1 : 1);
    return std::ldexp(double(bits >> 11) / double(1ULL << 53), Below(2100) - 1074) *
           (OneIn(2) ? -1 : 1);
  }

 private:
  std::mt19937_64 rng_;
};

constexpr std::string_view kNumberAlphabet = "0123456789.,+-eE $\tINFA";
constexpr std::string_view kIntegerAlphabet = "0123456789+- $aAfF\t";

// strtod's reading of a text the reader accepted, with the point as separator.
double Reference(const std::string& text) {
  errno = 0;
  return std::strtod(text.c_str(), nullptr);
}

TEST(Fuzz, EveryWrittenRealReadsBack) {
  Fuzzer f(1);
  for (int i = 0; i < Rounds(60000); ++i) {
    SetDecimalSeparator(f.OneIn(2) ? '.' : ',');
    const double value = f.Double();
    const std::string text = FloatToStr(value);
    double back = 0;
    ASSERT_TRUE(TryStrToFloat(text, back)) << text;
    ASSERT_EQ(FloatToStr(back), text);
    // Off by at most half a unit of the 15th digit, and the reading's own rounding.
    if (std::isfinite(value)) {
      ASSERT_LE(std::fabs(back - value), std::fabs(value) * (5e-15 + DBL_EPSILON) + DBL_TRUE_MIN)
          << text;
    }
  }
  SetDecimalSeparator('.');
}

TEST(Fuzz, RealTextsReadAsStrtodReadsThemOrFailCleanly) {
  Fuzzer f(2);
  std::vector<std::string> seeds = {"1e9223372036854775807",
                                    "-1e-9223372036854775808",
                                    "1.79769313486232E308",
                                    "4.94065645841247E-324",
                                    "123456789012345678901234567890",
                                    " +0.5e-3 ",
                                    "INF"};
  SetDecimalSeparator('.');
  for (int i = 0; i < Rounds(150000); ++i) {
    const std::string text =
        f.OneIn(3) ? f.Text(kNumberAlphabet, 30)
                   : f.Mutate(seeds[size_t(f.Below(int(seeds.size())))], kNumberAlphabet);
    double value = -12345.0;
    if (!TryStrToFloat(text, value)) {
      ASSERT_EQ(value, -12345.0) << text;
      continue;
    }
    if (f.OneIn(50) && text.size() < 40) seeds.push_back(text);
    if (std::isnan(value)) continue;
    const double reference = Reference(text);
    // Only the texts the writer gives for the largest doubles read as the largest double
    // where strtod overflows.
    if (std::fabs(value) == DBL_MAX && std::isinf(reference)) continue;
    ASSERT_EQ(value, reference) << "'" << text << "'";
    // What was read writes a text that reads back to it.
    double again = 0;
    ASSERT_TRUE(TryStrToFloat(FloatToStr(value), again)) << text;
  }
}

TEST(Fuzz, IntegerTextsReadOrFailCleanly) {
  Fuzzer f(3);
  const std::string seeds[] = {"-2147483648", "2147483647",           "$FFFFFFFF",
                               "-$80000000",  "99999999999999999999", " +0"};
  for (int i = 0; i < Rounds(100000); ++i) {
    const int64_t wide = static_cast<int64_t>(f.Bits()) >> f.Below(64);
    int32_t value = 0;
    const bool inRange = wide >= INT32_MIN && wide <= INT32_MAX;
    ASSERT_EQ(TryStrToInt(IntToStr(wide), value), inRange) << wide;
    if (inRange) {
      ASSERT_EQ(value, wide);
    }

    const std::string text =
        f.OneIn(2) ? f.Text(kIntegerAlphabet, 14) : f.Mutate(seeds[f.Below(6)], kIntegerAlphabet);
    value = 77;
    if (!TryStrToInt(text, value)) {
      ASSERT_EQ(value, 77) << text;
      continue;
    }
    if (text.find('$') == std::string::npos) {
      ASSERT_EQ(value, std::strtoll(text.c_str(), nullptr, 10)) << "'" << text << "'";
    }
    int32_t again = 0;
    ASSERT_TRUE(TryStrToInt(IntToStr(value), again));
    ASSERT_EQ(again, value);
  }
}

TEST(Fuzz, Windows1250BytesSurviveTheWayThroughUtf8) {
  Fuzzer f(4);
  for (int i = 0; i < Rounds(20000); ++i) {
    const std::string bytes = f.Bytes(64);
    std::string expected = bytes;
    for (char& c : expected) {
      const auto b = static_cast<unsigned char>(c);
      // The five bytes the code page leaves undefined come back as '?'.
      if (b == 0x81 || b == 0x83 || b == 0x88 || b == 0x90 || b == 0x98) c = '?';
    }
    ASSERT_EQ(Utf8ToCp1250(Cp1250ToUtf8(bytes)), expected);
  }
}

TEST(Fuzz, AnyUtf8ConvertsToStableWindows1250) {
  Fuzzer f(5);
  const std::string polish = "średnie obciążenie sieci: Zakończone rozmowy ŁŚŻŹĆŃĄĘÓ €";
  for (int i = 0; i < Rounds(20000); ++i) {
    const std::string utf8 =
        f.OneIn(2) ? f.Bytes(64) : f.Mutate(polish, "\xC4\x85\xE2\x82\xAC\xF0\x80");
    const std::string cp1250 = Utf8ToCp1250(utf8);
    ASSERT_LE(cp1250.size(), utf8.size());
    ASSERT_EQ(Utf8ToCp1250(Cp1250ToUtf8(cp1250)), cp1250);
  }
}

// A series with a random mix of the parts the stored block can hold.
void FillSeries(Fuzzer& f, TChartSeries& series) {
  if (f.OneIn(2)) series.XValues().SetOrder(TChartListOrder::loNone);
  const int count = f.Below(40);
  const bool sequence = f.OneIn(2);
  for (int k = 0; k < count; ++k) {
    const double x = sequence ? k : f.Double();
    const TColor color = f.OneIn(3) ? static_cast<TColor>(f.Bits() & 0xFFFFFF) : clAutoColor;
    const std::string label = f.OneIn(4) ? Cp1250ToUtf8(f.Bytes(8)) : "";
    series.AddXY(x, f.Double(), label, color);
  }
  if (count > 0 && f.OneIn(4)) {
    TSeriesMarkPosition mark;
    mark.custom = true;
    mark.width = static_cast<int32_t>(f.Bits());
    series.Marks().Positions().push_back(mark);
  }
}

TEST(Fuzz, StoredSeriesDataRoundTripsAndDamageIsRefused) {
  Fuzzer f(6);
  const auto& program = ProgramSeriesData();
  for (int i = 0; i < Rounds(4000); ++i) {
    TChartSeries source;
    FillSeries(f, source);
    const std::vector<uint8_t> written = source.WriteData();
    TChartSeries copy;
    copy.XValues().SetOrder(source.XValues().Order());
    copy.ReadData(written.data(), written.size());
    ASSERT_EQ(copy.WriteData(), written);

    // Damaged copies of that block, of the program's block, or bytes at random.
    std::vector<uint8_t> bytes;
    switch (f.Below(3)) {
      case 0:
        bytes = written;
        break;
      case 1:
        bytes.assign(program.begin(), program.end());
        break;
      default: {
        const std::string random = f.Bytes(80);
        bytes.assign(random.begin(), random.end());
      }
    }
    for (int edits = f.Below(4); edits >= 0 && !bytes.empty(); --edits) {
      const size_t at = static_cast<size_t>(f.Below(int(bytes.size())));
      switch (f.Below(3)) {
        case 0:
          bytes[at] = static_cast<uint8_t>(f.Bits());
          break;
        case 1:
          bytes.erase(bytes.begin() + long(at));
          break;
        default:
          bytes.insert(bytes.begin() + long(at), static_cast<uint8_t>(f.Bits()));
      }
    }
    TChartSeries target;
    try {
      target.ReadData(bytes.data(), bytes.size());
    } catch (const EChartException&) {
      ASSERT_EQ(target.UpdateDepth(), 0);
      ASSERT_FALSE(target.DataEntered());
      continue;
    }
    // Whatever was read writes a block that reads back the same.
    const std::vector<uint8_t> again = target.WriteData();
    TChartSeries last;
    last.ReadData(again.data(), again.size());
    ASSERT_EQ(last.WriteData(), again);
  }
}

}  // namespace

}  // namespace vadidazid
