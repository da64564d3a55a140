// Number texts: the general real format with 15 significant digits, a strict reader for
// it, and plain integers. The decimal separator is a process-wide setting.
#include "platform/numtext.h"

#include <atomic>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <system_error>

#include "platform/exceptions.h"

namespace {

constexpr int kSignificantDigits = 15;
// Positional notation is used for decimal exponents in [-4, 14], i.e. 1e-4 <= |v| < 1e15
// after rounding to 15 digits.
constexpr int kSmallestPositionalExponent = -4;
// The largest double written with 15 significant digits, 1.79769313486232E308, as the
// digits of 0.179769313486232 times ten to the exponent.
constexpr std::string_view kLargestWrittenDigits = "179769313486232";
constexpr long long kLargestWrittenExponent = 309;

std::atomic<char> gDecimalSeparator{'.'};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

char DecimalSeparator() { return gDecimalSeparator.load(std::memory_order_relaxed); }

void SetDecimalSeparator(char separator) { gDecimalSeparator.store(separator, std::memory_order_relaxed); }

char LocaleDecimalSeparator() {
  // setlocale returns a pointer into storage that the next call may overwrite, so the
  // previous name is copied before switching.
  const char* current = std::setlocale(LC_NUMERIC, nullptr);
  const std::string previous = current ? current : "C";
  char separator = '.';
  if (std::setlocale(LC_NUMERIC, "") != nullptr) {
    const std::lconv* conv = std::localeconv();
    if (conv && conv->decimal_point && conv->decimal_point[0] != '\0' && conv->decimal_point[1] == '\0') {
      separator = conv->decimal_point[0];
    }
  }
  std::setlocale(LC_NUMERIC, previous.c_str());
  return separator;
}

std::string FloatToStr(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0.0) return "0";

  // Let the C library round to 15 significant digits: "d.dddddddddddddde[+-]x". The
  // rounded exponent decides the notation, so 999999999999999.9 becomes 1E15.
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.*e", kSignificantDigits - 1, std::fabs(value));
  std::string digits;
  const char* p = buffer;
  for (; *p && *p != 'e'; ++p) {
    if (IsDigit(*p)) digits.push_back(*p);
  }
  const int exponent = std::atoi(p + 1);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  const char separator = DecimalSeparator();
  std::string out = value < 0 ? "-" : "";
  if (exponent >= kSmallestPositionalExponent && exponent < kSignificantDigits) {
    if (exponent < 0) {
      out += '0';
      out += separator;
      out.append(static_cast<size_t>(-exponent - 1), '0');
      out += digits;
    } else {
      const size_t integerDigits = static_cast<size_t>(exponent) + 1;
      if (digits.size() <= integerDigits) {
        out += digits;
        out.append(integerDigits - digits.size(), '0');
      } else {
        out.append(digits, 0, integerDigits);
        out += separator;
        out.append(digits, integerDigits, std::string::npos);
      }
    }
  } else {
    out += digits[0];
    if (digits.size() > 1) {
      out += separator;
      out.append(digits, 1, std::string::npos);
    }
    out += 'E';
    out += std::to_string(exponent);
  }
  return out;
}

bool TryStrToFloat(std::string_view text, double& value) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;

  // Validate the whole shape first and build a copy with '.' for from_chars, which
  // takes neither a '+' nor a locale's separator.
  const char separator = DecimalSeparator();
  std::string normal;
  size_t i = begin;
  bool negative = false;
  if (i < end && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  // The writer's texts for the values that are not numbers read back as those values.
  const std::string_view body = text.substr(i, end - i);
  if (body == "INF") {
    value = negative ? -std::numeric_limits<double>::infinity()
                     : std::numeric_limits<double>::infinity();
    return true;
  }
  if (body == "NAN" && i == begin) {
    value = std::numeric_limits<double>::quiet_NaN();
    return true;
  }
  size_t mantissaDigits = 0;
  // Position of the first non-zero digit relative to the separator, to tell an
  // underflow from an overflow when the conversion is out of range.
  long long magnitude = 0;
  // The mantissa's digits from the first non-zero one.
  std::string significant;
  bool seenSeparator = false;
  bool seenNonZero = false;
  for (; i < end; ++i) {
    const char c = text[i];
    if (IsDigit(c)) {
      ++mantissaDigits;
      if (c != '0' && !seenNonZero) seenNonZero = true;
      if (seenNonZero && !seenSeparator) ++magnitude;
      if (!seenNonZero && seenSeparator) --magnitude;
      if (seenNonZero) significant.push_back(c);
      normal.push_back(c);
    } else if (c == separator && !seenSeparator) {
      seenSeparator = true;
      normal.push_back('.');
    } else {
      break;
    }
  }
  if (mantissaDigits == 0) return false;
  if (i < end) {
    if (text[i] != 'e' && text[i] != 'E') return false;
    normal.push_back('e');
    ++i;
    if (i < end && (text[i] == '+' || text[i] == '-')) {
      if (text[i] == '-') normal.push_back('-');
      ++i;
    }
    if (i == end) return false;
    for (; i < end; ++i) {
      if (!IsDigit(text[i])) return false;
      normal.push_back(text[i]);
    }
  }

  double result = 0.0;
  const auto [ptr, ec] = std::from_chars(normal.data(), normal.data() + normal.size(), result);
  if (ptr != normal.data() + normal.size()) return false;
  if (ec == std::errc::result_out_of_range) {
    // Too small to represent is zero; too large is not a value.
    const size_t e = normal.find('e');
    long long exponent = 0;
    if (e != std::string::npos) {
      const char* first = normal.data() + e + 1;
      const auto parsed = std::from_chars(first, normal.data() + normal.size(), exponent);
      // Of an exponent this far out only the sign matters. Holding it at 2^62 keeps the
      // sum with the mantissa's magnitude (bounded by the text's length) inside 64 bits.
      constexpr long long kFar = 1LL << 62;
      if (parsed.ec == std::errc::result_out_of_range || exponent > kFar || exponent < -kFar) {
        exponent = *first == '-' ? -kFar : kFar;
      }
    }
    while (!significant.empty() && significant.back() == '0') significant.pop_back();
    if (!seenNonZero || exponent + magnitude < 0) {
      result = 0.0;
    } else if (exponent + magnitude == kLargestWrittenExponent &&
               significant <= kLargestWrittenDigits) {
      // Rounded to 15 digits the largest doubles lie just beyond the largest double;
      // what the writer gives must read back.
      result = std::numeric_limits<double>::max();
    } else {
      return false;
    }
  } else if (ec != std::errc()) {
    return false;
  }
  value = negative ? -result : result;
  return true;
}

double StrToFloat(std::string_view text) {
  double value = 0.0;
  if (!TryStrToFloat(text, value)) {
    throw EConvertError("'" + std::string(text) + "' is not a valid floating point value");
  }
  return value;
}

std::string IntToStr(int64_t value) { return std::to_string(value); }

bool TryStrToInt(std::string_view text, int32_t& value) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  bool hex = false;
  if (i < text.size() && text[i] == '$') {
    hex = true;
    ++i;
  }
  if (i == text.size()) return false;
  uint64_t magnitude = 0;
  const auto [ptr, ec] = std::from_chars(text.data() + i, text.data() + text.size(), magnitude, hex ? 16 : 10);
  if (ec != std::errc() || ptr != text.data() + text.size()) return false;
  int64_t result;
  if (hex) {
    // A hexadecimal text is a 32-bit pattern: $FFFFFFFF is -1.
    if (magnitude > 0xFFFFFFFFull) return false;
    result = static_cast<int32_t>(static_cast<uint32_t>(magnitude));
    if (negative) result = -result;
    if (result > std::numeric_limits<int32_t>::max()) return false;
  } else {
    if (magnitude > 0x80000000ull) return false;
    result = negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
    if (result > std::numeric_limits<int32_t>::max()) return false;
  }
  value = static_cast<int32_t>(result);
  return true;
}
