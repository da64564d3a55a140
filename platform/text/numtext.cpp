// Number texts: the general real format with 15 significant digits, a strict reader for
// it, and plain integers. The decimal separator is a process-wide setting.
#include "platform/text/numtext.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <clocale>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <system_error>

#include "platform/exceptions.h"

namespace vadidazid {

namespace {

constexpr int kSignificantDigits = 15;
// Positional notation is used for decimal exponents in [-4, 14], i.e. 1e-4 <= |v| < 1e15
// after rounding to 15 digits.
constexpr int kSmallestPositionalExponent = -4;
// The largest double written with 15 significant digits, 1.79769313486232E308, as the
// digits of 0.179769313486232 times ten to the exponent.
constexpr std::string_view kLargestWrittenDigits = "179769313486232";
constexpr long long kLargestWrittenExponent = 309;
// Integer digits of the largest double, and a bound on the decimals a fixed text asks
// for (beyond it every double's digits are exact zeros anyway).
constexpr size_t kMaxIntegerDigits = 309;
constexpr int kMaxFixedDecimals = 1100;

std::atomic<char> gDecimalSeparator{'.'};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

char DecimalSeparator() { return gDecimalSeparator.load(std::memory_order_relaxed); }

void SetDecimalSeparator(char separator) {
  gDecimalSeparator.store(separator, std::memory_order_relaxed);
}

LocaleNumbers UserLocaleNumbers() {
  // setlocale returns a pointer into storage that the next call may overwrite, so the
  // previous name is copied before switching, and the conventions before switching back.
  const char* current = std::setlocale(LC_NUMERIC, nullptr);
  const std::string previous = current ? current : "C";
  LocaleNumbers numbers;
  if (std::setlocale(LC_NUMERIC, "") != nullptr) {
    const std::lconv* conv = std::localeconv();
    if (conv && conv->decimal_point) numbers.decimalPoint = conv->decimal_point;
    if (conv && conv->thousands_sep) numbers.thousandsSeparator = conv->thousands_sep;
  }
  std::setlocale(LC_NUMERIC, previous.c_str());
  return numbers;
}

char LocaleDecimalSeparator() {
  const std::string point = UserLocaleNumbers().decimalPoint;
  return point.size() == 1 ? point[0] : '.';
}

std::string FixedPointText(double value, int decimals) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  decimals = std::clamp(decimals, 0, kMaxFixedDecimals);
  // The largest double has 309 integer digits; with a sign, the point and the decimals
  // this is the widest text there is, so the conversion always has room for all of it.
  std::string text(kMaxIntegerDigits + 2 + size_t(decimals), '\0');
  const auto [end, ec] = std::to_chars(text.data(), text.data() + text.size(), value,
                                       std::chars_format::fixed, decimals);
  if (ec != std::errc()) throw std::length_error("fixed-point text does not fit");
  text.resize(size_t(end - text.data()));
  return text;
}

namespace {

// The digits of |value| rounded to 15 significant ones, trailing zeros dropped, and the
// decimal exponent of the first digit (after rounding, so 999999999999999.9 gives 1E15).
struct RoundedDigits {
  std::string digits;
  int exponent = 0;
};

RoundedDigits RoundTo15Digits(double magnitude) {
  char buffer[32];  // "d.dddddddddddddde+ddd"
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                       std::chars_format::scientific, kSignificantDigits - 1);
  RoundedDigits r;
  const char* p = buffer;
  for (; p != end && *p != 'e'; ++p) {
    if (IsDigit(*p)) r.digits.push_back(*p);
  }
  if (p != end && p[1] == '+') ++p;  // from_chars takes a '-' but no '+'
  if (p != end) std::from_chars(p + 1, end, r.exponent);
  while (r.digits.size() > 1 && r.digits.back() == '0') r.digits.pop_back();
  return r;
}

std::string Positional(const RoundedDigits& r, char separator) {
  std::string out;
  if (r.exponent < 0) {
    out += '0';
    out += separator;
    out.append(static_cast<size_t>(-r.exponent - 1), '0');
    out += r.digits;
    return out;
  }
  const size_t integerDigits = static_cast<size_t>(r.exponent) + 1;
  if (r.digits.size() <= integerDigits) {
    out += r.digits;
    out.append(integerDigits - r.digits.size(), '0');
  } else {
    out.append(r.digits, 0, integerDigits);
    out += separator;
    out.append(r.digits, integerDigits, std::string::npos);
  }
  return out;
}

std::string Scientific(const RoundedDigits& r, char separator) {
  std::string out(1, r.digits[0]);
  if (r.digits.size() > 1) {
    out += separator;
    out.append(r.digits, 1, std::string::npos);
  }
  return out + 'E' + std::to_string(r.exponent);
}

}  // namespace

std::string FloatToStr(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0.0) return "0";
  const RoundedDigits r = RoundTo15Digits(std::fabs(value));
  const char separator = DecimalSeparator();
  const bool positional =
      r.exponent >= kSmallestPositionalExponent && r.exponent < kSignificantDigits;
  std::string out = value < 0 ? "-" : "";
  out += positional ? Positional(r, separator) : Scientific(r, separator);
  return out;
}

namespace {

// The shape of a real's text without its sign: the mantissa's digits with the separator
// as '.', an optional exponent, and what an out-of-range conversion needs to tell an
// underflow from an overflow.
struct ScannedReal {
  std::string normal;       // for from_chars: digits, '.', 'e', '-'
  std::string significant;  // the mantissa's digits from the first non-zero one
  long long magnitude = 0;  // position of the first non-zero digit relative to the point
  bool nonZero = false;
};

// Reads digits with at most one separator from text[i]; false when there is no digit.
bool ScanMantissa(std::string_view text, size_t& i, char separator, ScannedReal& s) {
  size_t digits = 0;
  bool seenSeparator = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (IsDigit(c)) {
      ++digits;
      if (c != '0') s.nonZero = true;
      if (s.nonZero && !seenSeparator) ++s.magnitude;
      if (!s.nonZero && seenSeparator) --s.magnitude;
      if (s.nonZero) s.significant.push_back(c);
      s.normal.push_back(c);
    } else if (c == separator && !seenSeparator) {
      seenSeparator = true;
      s.normal.push_back('.');
    } else {
      break;
    }
  }
  return digits > 0;
}

// The rest of the text, from text[i]: nothing, or 'e'/'E', an optional sign and digits.
bool ScanExponent(std::string_view text, size_t i, ScannedReal& s) {
  if (i == text.size()) return true;
  if (text[i] != 'e' && text[i] != 'E') return false;
  s.normal.push_back('e');
  ++i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') s.normal.push_back('-');
    ++i;
  }
  if (i == text.size()) return false;
  for (; i < text.size(); ++i) {
    if (!IsDigit(text[i])) return false;
    s.normal.push_back(text[i]);
  }
  return true;
}

// A text whose value lies outside the doubles: too small to represent is zero, too
// large is not a value, except the largest doubles as the writer rounds them.
bool OutOfRangeValue(ScannedReal s, double& result) {
  const size_t e = s.normal.find('e');
  long long exponent = 0;
  if (e != std::string::npos) {
    const char* first = s.normal.data() + e + 1;
    const auto parsed = std::from_chars(first, s.normal.data() + s.normal.size(), exponent);
    // Of an exponent this far out only the sign matters. Holding it at 2^62 keeps the
    // sum with the mantissa's magnitude (bounded by the text's length) inside 64 bits.
    constexpr long long kFar = 1LL << 62;
    if (parsed.ec == std::errc::result_out_of_range || exponent > kFar || exponent < -kFar) {
      exponent = *first == '-' ? -kFar : kFar;
    }
  }
  while (!s.significant.empty() && s.significant.back() == '0') s.significant.pop_back();
  if (!s.nonZero || exponent + s.magnitude < 0) {
    result = 0.0;
    return true;
  }
  if (exponent + s.magnitude == kLargestWrittenExponent && s.significant <= kLargestWrittenDigits) {
    result = std::numeric_limits<double>::max();
    return true;
  }
  return false;
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The writer's texts for the values that are not numbers read back as those values.
bool ReadNonFinite(std::string_view body, bool signed_, bool negative, double& value) {
  if (body == "INF") {
    value = negative ? -std::numeric_limits<double>::infinity()
                     : std::numeric_limits<double>::infinity();
    return true;
  }
  if (body == "NAN" && !signed_) {
    value = std::numeric_limits<double>::quiet_NaN();
    return true;
  }
  return false;
}

}  // namespace

bool TryStrToFloat(std::string_view text, double& value) {
  text = TrimBlanks(text);
  const bool signed_ = !text.empty() && (text[0] == '+' || text[0] == '-');
  const bool negative = signed_ && text[0] == '-';
  const std::string_view body = text.substr(signed_ ? 1 : 0);
  if (ReadNonFinite(body, signed_, negative, value)) return true;

  ScannedReal s;
  size_t i = 0;
  if (!ScanMantissa(body, i, DecimalSeparator(), s) || !ScanExponent(body, i, s)) return false;
  double result = 0.0;
  const auto [ptr, ec] =
      std::from_chars(s.normal.data(), s.normal.data() + s.normal.size(), result);
  if (ptr != s.normal.data() + s.normal.size()) return false;
  if (ec == std::errc::result_out_of_range) {
    if (!OutOfRangeValue(std::move(s), result)) return false;
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

std::string ZeroPaddedInt(int64_t value, int width) {
  char digits[24];
  // The magnitude as unsigned, so that INT64_MIN has one too.
  const uint64_t magnitude = value < 0 ? 0 - uint64_t(value) : uint64_t(value);
  char* end = std::to_chars(digits, digits + sizeof digits, magnitude).ptr;
  const int length = int(end - digits) + (value < 0);
  std::string text = value < 0 ? "-" : "";
  if (width > length) text.append(size_t(width - length), '0');
  return text.append(digits, size_t(end - digits));
}

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
  const auto [ptr, ec] =
      std::from_chars(text.data() + i, text.data() + text.size(), magnitude, hex ? 16 : 10);
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

}  // namespace vadidazid
