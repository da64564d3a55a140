// Number texts: reals in the general format with at most 15 significant digits and the
// locale's decimal separator, integers in plain decimal. Every text the writer gives
// reads back. The decimal separator is one process-wide setting, so that every field and
// file of a session agrees on it; the program takes it from the user's locale at start.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vadidazid {

char DecimalSeparator();
void SetDecimalSeparator(char separator);
// The number conventions of the user's locale (LC_ALL / LC_NUMERIC / LANG), read without
// leaving the process's own locale changed; the point and the comma when the locale is
// unknown. The one place that asks the C library, for the separators below.
struct LocaleNumbers {
  std::string decimalPoint = ".";
  std::string thousandsSeparator = ",";
};
LocaleNumbers UserLocaleNumbers();
// The decimal separator of the user's locale, '.' when the locale is unknown or its
// separator is not a single byte.
char LocaleDecimalSeparator();

// Fixed notation with the point, whatever the decimal separator, and exactly `decimals`
// decimals (0 .. 1100), every integer digit of the value written out: 1e300 gives its
// 301 digits. For machine-readable texts; NAN, INF and -INF as the general format.
std::string FixedPointText(double value, int decimals);

// General format, 15 significant digits: 2.55, 0.0005, 5E-5, 1E15, -3, 0.
std::string FloatToStr(double value);
// Leading and trailing blanks are allowed; sign, digits, the decimal separator and an
// exponent, or the writer's INF, -INF and NAN. A value too small for a double is 0; one
// too large fails, except the largest double as the writer rounds it. Throws
// EConvertError "'<text>' is not a valid floating point value".
double StrToFloat(std::string_view text);
bool TryStrToFloat(std::string_view text, double& value);

std::string IntToStr(int64_t value);
// At least `width` characters, the sign counted: zeros between the sign and the digits
// (7, 2 -> "07"; -5, 4 -> "-005"); a wider number is written whole.
std::string ZeroPaddedInt(int64_t value, int width);
// Optional blanks before, optional sign, decimal digits (or $hex), within 32 bits.
bool TryStrToInt(std::string_view text, int32_t& value);

}  // namespace vadidazid
