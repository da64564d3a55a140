// Number pictures: the chart's "#,##0.###" in a point and a comma locale, rounding,
// zero and sign handling.
#include "platform/text/formatfloat.h"

#include <gtest/gtest.h>

#include "platform/text/numtext.h"

namespace vadidazid {

namespace {

class FormatFloatTest : public testing::Test {
 protected:
  void TearDown() override {
    SetDecimalSeparator('.');
    SetThousandSeparator(",");
  }
};

TEST_F(FormatFloatTest, ChartLabelPictureInBothLocales) {
  struct Case {
    double value;
    const char* point;  // '.' decimals, ',' thousands
    const char* comma;  // ',' decimals, a space for thousands
  };
  const Case cases[] = {
      {35, "35", "35"},
      {2.5, "2.5", "2,5"},
      {1234.5, "1,234.5", "1 234,5"},
      {0, "0", "0"},
      {-0.0001, "0", "0"},
      {-1234567.25, "-1,234,567.25", "-1 234 567,25"},
      {0.12345, "0.123", "0,123"},
      {2.9999, "3", "3"},
      {999.9996, "1,000", "1 000"},
  };
  for (const Case& c : cases) {
    SetDecimalSeparator('.');
    SetThousandSeparator(",");
    EXPECT_EQ(FormatFloat("#,##0.###", c.value), c.point) << c.value;
    SetDecimalSeparator(',');
    SetThousandSeparator(" ");
    EXPECT_EQ(FormatFloat("#,##0.###", c.value), c.comma) << c.value;
  }
}

TEST_F(FormatFloatTest, OtherPictures) {
  EXPECT_EQ(FormatFloat("0.00", 2.5), "2.50");
  EXPECT_EQ(FormatFloat("#.##", 0.5), ".5");
  EXPECT_EQ(FormatFloat("000", 7), "007");
  EXPECT_EQ(FormatFloat("##0.## %", 12.5), "12.5 %");
  SetThousandSeparator("\xC2\xA0");
  EXPECT_EQ(FormatFloat("#,##0", 12345),
            "12\xC2\xA0"
            "345");
}

}  // namespace

}  // namespace vadidazid
