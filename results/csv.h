// Comma-separated values as RFC 4180 has them: records ended by CR LF, fields quoted
// when they hold a comma, a quote or a line break, quotes inside doubled. Numbers are
// written with the point and the fewest digits that read back to the same double, so a
// table read back gives exactly the values that were written.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/exceptions.h"

namespace vadidazid {

// Shortest round-trip text of a double; NaN (an undefined value) gives the empty field.
std::string CsvNumber(double value);
std::string CsvNumber(int64_t value);

// One record: the fields, quoted where needed, joined by commas, then CR LF.
std::string CsvRecord(const std::vector<std::string>& fields);

// Splits text into records of fields. Accepts CR LF or LF line ends and quoted fields
// spanning lines; an empty last line is no record. Throws EInvalidInput, naming
// the line, for a quote that is never closed or text after a closing quote.
std::vector<std::vector<std::string>> ParseCsv(std::string_view text);

// The whole field as a number; nothing for any other text. An empty field is NaN.
std::optional<double> CsvReal(const std::string& field);
std::optional<int64_t> CsvInteger(const std::string& field);

}  // namespace vadidazid
