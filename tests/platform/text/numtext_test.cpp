// Tests of the number texts: the general real format with both separators, the strict
// reader and its error text, round trips, and the integer reader's limits.
#include "platform/text/numtext.h"

#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "platform/exceptions.h"

namespace vadidazid {

namespace {

// Restores the process-wide separator whatever a test leaves behind.
class NumTextTest : public testing::Test {
 protected:
  void TearDown() override { SetDecimalSeparator('.'); }
};

struct FormatCase {
  double value;
  const char* point;  // with '.'; the same text with ',' is expected for a comma
};

const FormatCase kFormatCases[] = {
    {0.0, "0"},
    {-0.0, "0"},
    {5.0, "5"},
    {25.0, "25"},
    {-3.0, "-3"},
    {2.55, "2.55"},
    {0.0005, "0.0005"},
    {0.0001, "0.0001"},
    {0.00005, "5E-5"},
    {0.000099999999999999999, "0.0001"},  // rounds up into positional range
    {-0.000012345, "-1.2345E-5"},
    {0.01, "0.01"},
    {100.0 / 3.0, "33.3333333333333"},
    {2.0 / 3.0, "0.666666666666667"},
    {0.1 + 0.2, "0.3"},
    {1e14, "100000000000000"},
    {123456789012345.0, "123456789012345"},
    {999999999999999.0, "999999999999999"},
    {999999999999999.9, "1E15"},
    {1e15, "1E15"},
    {1.5e20, "1.5E20"},
    {-2.5e-300, "-2.5E-300"},
    {1.7976931348623157e308, "1.79769313486232E308"},
    {4.9406564584124654e-324, "4.94065645841247E-324"},
    {12345678.9, "12345678.9"},
    {-0.5, "-0.5"},
};

TEST_F(NumTextTest, FloatToStrGeneralFormat) {
  for (const FormatCase& c : kFormatCases) {
    SetDecimalSeparator('.');
    EXPECT_EQ(FloatToStr(c.value), c.point) << c.point;
    SetDecimalSeparator(',');
    std::string comma = c.point;
    for (char& ch : comma) {
      if (ch == '.') ch = ',';
    }
    EXPECT_EQ(FloatToStr(c.value), comma) << c.point;
  }
}

TEST_F(NumTextTest, FloatToStrSpecialValuesReadBack) {
  EXPECT_EQ(FloatToStr(std::numeric_limits<double>::quiet_NaN()), "NAN");
  EXPECT_EQ(FloatToStr(std::numeric_limits<double>::infinity()), "INF");
  EXPECT_EQ(FloatToStr(-std::numeric_limits<double>::infinity()), "-INF");
  EXPECT_TRUE(std::isnan(StrToFloat("NAN")));
  EXPECT_EQ(StrToFloat(" -INF"), -std::numeric_limits<double>::infinity());
}

TEST_F(NumTextTest, FormattedTextsReadBackWithTheirSeparator) {
  for (char separator : {'.', ','}) {
    SetDecimalSeparator(separator);
    for (const FormatCase& c : kFormatCases) {
      const std::string text = FloatToStr(c.value);
      const double back = StrToFloat(text);
      // 15 digits keep the value to within half a unit of the 15th digit.
      EXPECT_NEAR(back, c.value, std::fabs(c.value) * 5e-15) << text;
      EXPECT_EQ(FloatToStr(back), text);
    }
  }
}

struct ParseCase {
  char separator;
  const char* text;
  bool valid;
  double value;
};

TEST_F(NumTextTest, TryStrToFloatAcceptsOnlyTheGeneralShape) {
  const ParseCase cases[] = {
      {'.', "2.55", true, 2.55},
      {'.', "  -2.55  ", true, -2.55},
      {'.', "\t+7\t", true, 7.0},
      {'.', "5E-5", true, 5e-5},
      {'.', "5e+5", true, 5e5},
      {'.', "1.5E20", true, 1.5e20},
      {'.', ".5", true, 0.5},
      {'.', "5.", true, 5.0},
      {'.', "-0", true, 0.0},
      {'.', "0.1", true, 0.1},
      {'.', "1e-400", true, 0.0},
      {'.', "0.0000e999999999999999999999", true, 0.0},
      {'.', "123456789012345678901234567890", true, 123456789012345678901234567890.0},
      {',', "2,55", true, 2.55},
      {',', " -0,0005 ", true, -0.0005},
      {',', "2.55", false, 0},
      {'.', "2,55", false, 0},
      {'.', "", false, 0},
      {'.', "   ", false, 0},
      {'.', ".", false, 0},
      {'.', "-", false, 0},
      {'.', "e5", false, 0},
      {'.', "5e", false, 0},
      {'.', "5e+", false, 0},
      {'.', "1.2.3", false, 0},
      {'.', "1 2", false, 0},
      {'.', "12abc", false, 0},
      {'.', "--1", false, 0},
      {'.', "+-1", false, 0},
      {'.', "0x10", false, 0},
      {'.', "inf", false, 0},
      {'.', "nan", false, 0},
      {'.', "1e400", false, 0},
      {'.', "1.79769313486232E308", true, std::numeric_limits<double>::max()},
      {'.', "-1.797693134862320E308", true, -std::numeric_limits<double>::max()},
      {'.', "1.79769313486233E308", false, 0},
      {'.', "1e9223372036854775807", false, 0},
      {'.', "1e-9223372036854775808", true, 0.0},
      {'.', "0.001e-9223372036854775808", true, 0.0},
      {'.', "0.001e9223372036854775807", false, 0},
      {'.', "INF", true, std::numeric_limits<double>::infinity()},
      {'.', "+INF", true, std::numeric_limits<double>::infinity()},
      {'.', "-NAN", false, 0},
      {'.', "1.79769313486231E308", true, 1.79769313486231e308},
      {'.', "-1e99999999999999999999", false, 0},
      {'.', "1e5.5", false, 0},
  };
  for (const ParseCase& c : cases) {
    SetDecimalSeparator(c.separator);
    double value = -12345.0;
    EXPECT_EQ(TryStrToFloat(c.text, value), c.valid) << "'" << c.text << "' with " << c.separator;
    if (c.valid) {
      EXPECT_EQ(value, c.value) << "'" << c.text << "'";
    } else {
      EXPECT_EQ(value, -12345.0) << "'" << c.text << "' changed the value";
    }
  }
}

TEST_F(NumTextTest, StrToFloatErrorNamesTheTextAsTyped) {
  SetDecimalSeparator(',');
  try {
    StrToFloat(" 2.5 ");
    FAIL() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "' 2.5 ' is not a valid floating point value");
  }
  EXPECT_EQ(StrToFloat("2,5"), 2.5);
}

// Sets LC_ALL for the duration of one check and puts the old value back.
class ScopedLcAll {
 public:
  explicit ScopedLcAll(const char* value) {
    const char* old = std::getenv("LC_ALL");
    hadOld_ = old != nullptr;
    if (hadOld_) old_ = old;
    setenv("LC_ALL", value, 1);
  }
  ~ScopedLcAll() {
    if (hadOld_) {
      setenv("LC_ALL", old_.c_str(), 1);
    } else {
      unsetenv("LC_ALL");
    }
  }

 private:
  bool hadOld_ = false;
  std::string old_;
};

TEST_F(NumTextTest, LocaleSeparatorFromTheEnvironment) {
  const std::string before = std::setlocale(LC_NUMERIC, nullptr);
  {
    ScopedLcAll c("C");
    EXPECT_EQ(LocaleDecimalSeparator(), '.');
  }
  {
    ScopedLcAll unknown("xx_NOWHERE.UTF-8");
    EXPECT_EQ(LocaleDecimalSeparator(), '.');
  }
  for (const char* comma : {"pl_PL.UTF-8", "de_DE.UTF-8", "fr_FR.UTF-8"}) {
    // Only where such a locale is installed.
    if (std::setlocale(LC_NUMERIC, comma) == nullptr) continue;
    std::setlocale(LC_NUMERIC, before.c_str());
    ScopedLcAll locale(comma);
    EXPECT_EQ(LocaleDecimalSeparator(), ',') << comma;
  }
  EXPECT_EQ(std::string(std::setlocale(LC_NUMERIC, nullptr)), before);
  EXPECT_EQ(DecimalSeparator(), '.');  // asking does not change the setting
}

TEST_F(NumTextTest, FixedPointTextIsWholeAtAnyWidth) {
  SetDecimalSeparator(',');
  const struct {
    double value;
    int decimals;
    size_t length;
  } cases[] = {
      {2.345, 3, 5},
      {-0.5, 1, 4},
      {1e57, 6, 65},
      {1e300, 3, 305},
      {std::numeric_limits<double>::max(), 6, 316},
      {-std::numeric_limits<double>::max(), 1100, 1411},
  };
  for (const auto& c : cases) {
    const std::string text = FixedPointText(c.value, c.decimals);
    EXPECT_EQ(text.size(), c.length) << c.value;
    EXPECT_EQ(text.find(','), std::string::npos) << text;
    EXPECT_EQ(text.find_first_not_of("-0123456789."), std::string::npos) << text;
    double back = 0;
    std::from_chars(text.data(), text.data() + text.size(), back);
    EXPECT_EQ(back, c.value) << text;
  }
  EXPECT_EQ(FixedPointText(2.5, 2), "2.50");
  EXPECT_EQ(FixedPointText(std::numeric_limits<double>::infinity(), 2), "INF");
}

TEST_F(NumTextTest, IntToStrPlainDecimal) {
  EXPECT_EQ(IntToStr(0), "0");
  EXPECT_EQ(IntToStr(-42), "-42");
  EXPECT_EQ(IntToStr(INT64_MIN), "-9223372036854775808");
  EXPECT_EQ(IntToStr(1234567), "1234567");
}

TEST_F(NumTextTest, ZeroPaddedIntPadsAfterTheSign) {
  struct Case {
    int64_t value;
    int width;
    const char* text;
  };
  const Case cases[] = {
      {7, 2, "07"},
      {0, 4, "0000"},
      {-5, 4, "-005"},
      {-5, 1, "-5"},
      {2026, 4, "2026"},
      {12345, 2, "12345"},
      {INT64_MIN, 3, "-9223372036854775808"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ZeroPaddedInt(c.value, c.width), c.text) << c.value << " width " << c.width;
  }
}

TEST_F(NumTextTest, TryStrToIntLimitsAndForms) {
  const struct {
    const char* text;
    bool valid;
    int32_t value;
  } cases[] = {
      {"0", true, 0},
      {"12345", true, 12345},
      {"  -17", true, -17},
      {"+8", true, 8},
      {"007", true, 7},
      {"2147483647", true, INT32_MAX},
      {"-2147483648", true, INT32_MIN},
      {"2147483648", false, 0},
      {"-2147483649", false, 0},
      {"99999999999999999999999", false, 0},
      {"$1F", true, 31},
      {"$ff", true, 255},
      {"-$10", true, -16},
      {"$7FFFFFFF", true, INT32_MAX},
      {"$FFFFFFFF", true, -1},
      {"$100000000", false, 0},
      {"", false, 0},
      {"   ", false, 0},
      {"-", false, 0},
      {"$", false, 0},
      {"12 ", false, 0},
      {"12a", false, 0},
      {"1.0", false, 0},
      {"- 1", false, 0},
      {"0x10", false, 0},
  };
  for (const auto& c : cases) {
    int32_t value = 777;
    EXPECT_EQ(TryStrToInt(c.text, value), c.valid) << "'" << c.text << "'";
    EXPECT_EQ(value, c.valid ? c.value : 777) << "'" << c.text << "'";
  }
}

}  // namespace

}  // namespace vadidazid
