// Number texts by a picture such as "#,##0.###": '0' is a digit always shown, '#' a
// digit shown only when it matters, ',' anywhere in the integer part groups the integer
// digits by three with the thousands separator, '.' places the decimal separator; the
// value is rounded to the picture's decimals, trailing optional zeros are dropped and
// so is a bare decimal separator. Other characters are copied where they stand, before
// or after the digits. Both separators are process-wide settings, taken from the
// user's locale at start, like the decimal separator of numtext.h.
#pragma once

#include <string>
#include <string_view>

namespace vadidazid {

// UTF-8; "," until set. May be empty (no grouping mark).
const std::string& ThousandSeparator();
void SetThousandSeparator(std::string separator);
// The thousands separator of the user's locale, "," when the locale is unknown.
std::string LocaleThousandSeparator();

std::string FormatFloat(std::string_view picture, double value);

}  // namespace vadidazid
