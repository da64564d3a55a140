// Number texts by a picture (see formatfloat.h).
#include "platform/text/formatfloat.h"

#include <cmath>

#include "platform/text/numtext.h"

namespace vadidazid {

namespace {

std::string gThousandSeparator = ",";

bool IsPictureChar(char c) { return c == '#' || c == '0' || c == ',' || c == '.'; }

}  // namespace

const std::string& ThousandSeparator() { return gThousandSeparator; }

void SetThousandSeparator(std::string separator) { gThousandSeparator = std::move(separator); }

std::string LocaleThousandSeparator() { return UserLocaleNumbers().thousandsSeparator; }

std::string FormatFloat(std::string_view picture, double value) {
  // Split into the literal text before, the digit picture, and the text after.
  size_t first = 0;
  while (first < picture.size() && !IsPictureChar(picture[first])) ++first;
  size_t last = first;
  while (last < picture.size() && IsPictureChar(picture[last])) ++last;
  const std::string_view prefix = picture.substr(0, first);
  const std::string_view digits = picture.substr(first, last - first);
  const std::string_view suffix = picture.substr(last);

  bool grouping = false;
  bool seenPoint = false;
  int minInteger = 0;
  int minDecimals = 0;
  int maxDecimals = 0;
  for (char c : digits) {
    if (c == '.') {
      seenPoint = true;
    } else if (!seenPoint) {
      if (c == ',') grouping = true;
      if (c == '0') ++minInteger;
    } else if (c == '0' || c == '#') {
      ++maxDecimals;
      if (c == '0') minDecimals = maxDecimals;
    }
  }
  if (!std::isfinite(value)) return std::string(prefix) + FloatToStr(value) + std::string(suffix);

  // The digits come with the point whatever the process's locale; the separators are
  // put in below.
  const std::string text = FixedPointText(std::fabs(value), maxDecimals);
  const size_t point = text.find('.');
  std::string integer = text.substr(0, point);
  std::string fraction = point == std::string::npos ? "" : text.substr(point + 1);
  while (int(fraction.size()) > minDecimals && fraction.back() == '0') fraction.pop_back();
  if (integer == "0" && minInteger == 0) integer.clear();
  while (int(integer.size()) < minInteger) integer.insert(integer.begin(), '0');
  // A value that rounds to zero shows no sign.
  const bool zero = integer.find_first_not_of('0') == std::string::npos &&
                    fraction.find_first_not_of('0') == std::string::npos;

  std::string out(prefix);
  if (value < 0 && !zero) out += '-';
  for (size_t i = 0; i < integer.size(); ++i) {
    if (grouping && i > 0 && (integer.size() - i) % 3 == 0) out += gThousandSeparator;
    out += integer[i];
  }
  if (!fraction.empty()) {
    out += DecimalSeparator();
    out += fraction;
  }
  out += suffix;
  return out;
}

}  // namespace vadidazid
