// Fixed-width text metrics (see fixedtextmetrics.h).
#include "platform/drawing/fixedtextmetrics.h"

#include <algorithm>

namespace vadidazid {

namespace {

constexpr int kDefaultEm = 11;
constexpr int kCharWidth = 6;
constexpr int kLineHeight = 13;

size_t CodePoints(const std::string& utf8) {
  size_t n = 0;
  for (unsigned char c : utf8) {
    if ((c & 0xC0) != 0x80) ++n;
  }
  return n;
}

}  // namespace

TSize FixedWidthTextExtent(const TFont& font, const std::string& utf8) {
  int em = kDefaultEm;
  int lineHeight = kLineHeight;
  if (font.height < 0) {
    em = -font.height;
    lineHeight = (kLineHeight * em + kDefaultEm / 2) / kDefaultEm;
  } else if (font.height > 0) {
    lineHeight = font.height;
    em = (font.height * kDefaultEm + kLineHeight / 2) / kLineHeight;
  }
  const int charWidth = std::max(1, (kCharWidth * em + kDefaultEm / 2) / kDefaultEm);
  return {int(CodePoints(utf8)) * charWidth, lineHeight};
}

}  // namespace vadidazid
