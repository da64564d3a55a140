// CSV records and numbers read back as written.
#include "results/csv.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

namespace vadidazid {

namespace {

TEST(Csv, RecordsReadBackAsWritten) {
  const std::vector<std::string> fields = {"plain", "a,b", "say \"hi\"", "two\r\nlines", ""};
  const std::string text = CsvRecord(fields) + "x,y\n" + CsvRecord({"last"});
  EXPECT_EQ(CsvRecord(fields), "plain,\"a,b\",\"say \"\"hi\"\"\",\"two\r\nlines\",\r\n");
  const auto records = ParseCsv(text);
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0], fields);
  EXPECT_EQ(records[1], (std::vector<std::string>{"x", "y"}));
  EXPECT_EQ(records[2], (std::vector<std::string>{"last"}));
  EXPECT_THROW(ParseCsv("a,\"open\r\n"), EInvalidInput);
  EXPECT_THROW(ParseCsv("\"closed\"then\r\n"), EInvalidInput);
}

TEST(Csv, NumbersAreShortestAndExact) {
  for (double v : {0.1, 1.0 / 3.0, 84.83760000000001, 1e-300, 25.0, 0.0}) {
    EXPECT_EQ(*CsvReal(CsvNumber(v)), v) << CsvNumber(v);
  }
  EXPECT_EQ(CsvNumber(0.1), "0.1");
  EXPECT_EQ(CsvNumber(25.0), "25");
  EXPECT_EQ(CsvNumber(std::numeric_limits<double>::quiet_NaN()), "");
  EXPECT_TRUE(std::isnan(*CsvReal("")));
  EXPECT_FALSE(CsvReal("1,5"));
  EXPECT_FALSE(CsvInteger("12.0"));
  EXPECT_FALSE(CsvInteger(""));
}

}  // namespace

}  // namespace vadidazid
