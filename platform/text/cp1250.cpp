// Windows-1250 (Central European) code page both ways. Bytes below 0x80 are ASCII; the
// upper half comes from the table below. The five bytes the code page leaves undefined
// (0x81, 0x83, 0x88, 0x90, 0x98) read as U+FFFD, which in turn writes back as '?' like
// every other character outside the code page.
#include "platform/text/cp1250.h"

#include <cstdint>

namespace vadidazid {

namespace {

constexpr char32_t kUndefined = 0xFFFD;

// Unicode code points of the bytes 0x80 .. 0xFF.
constexpr char32_t kUpperHalf[128] = {
    // 0x80
    0x20AC,
    kUndefined,
    0x201A,
    kUndefined,
    0x201E,
    0x2026,
    0x2020,
    0x2021,
    kUndefined,
    0x2030,
    0x0160,
    0x2039,
    0x015A,
    0x0164,
    0x017D,
    0x0179,
    // 0x90
    kUndefined,
    0x2018,
    0x2019,
    0x201C,
    0x201D,
    0x2022,
    0x2013,
    0x2014,
    kUndefined,
    0x2122,
    0x0161,
    0x203A,
    0x015B,
    0x0165,
    0x017E,
    0x017A,
    // 0xA0
    0x00A0,
    0x02C7,
    0x02D8,
    0x0141,
    0x00A4,
    0x0104,
    0x00A6,
    0x00A7,
    0x00A8,
    0x00A9,
    0x015E,
    0x00AB,
    0x00AC,
    0x00AD,
    0x00AE,
    0x017B,
    // 0xB0
    0x00B0,
    0x00B1,
    0x02DB,
    0x0142,
    0x00B4,
    0x00B5,
    0x00B6,
    0x00B7,
    0x00B8,
    0x0105,
    0x015F,
    0x00BB,
    0x013D,
    0x02DD,
    0x013E,
    0x017C,
    // 0xC0
    0x0154,
    0x00C1,
    0x00C2,
    0x0102,
    0x00C4,
    0x0139,
    0x0106,
    0x00C7,
    0x010C,
    0x00C9,
    0x0118,
    0x00CB,
    0x011A,
    0x00CD,
    0x00CE,
    0x010E,
    // 0xD0
    0x0110,
    0x0143,
    0x0147,
    0x00D3,
    0x00D4,
    0x0150,
    0x00D6,
    0x00D7,
    0x0158,
    0x016E,
    0x00DA,
    0x0170,
    0x00DC,
    0x00DD,
    0x0162,
    0x00DF,
    // 0xE0
    0x0155,
    0x00E1,
    0x00E2,
    0x0103,
    0x00E4,
    0x013A,
    0x0107,
    0x00E7,
    0x010D,
    0x00E9,
    0x0119,
    0x00EB,
    0x011B,
    0x00ED,
    0x00EE,
    0x010F,
    // 0xF0
    0x0111,
    0x0144,
    0x0148,
    0x00F3,
    0x00F4,
    0x0151,
    0x00F6,
    0x00F7,
    0x0159,
    0x016F,
    0x00FA,
    0x0171,
    0x00FC,
    0x00FD,
    0x0163,
    0x02D9,
};

char EncodeCodePoint(char32_t cp) {
  if (cp < 0x80) return static_cast<char>(cp);
  if (cp == kUndefined) return '?';
  // The narrow and the figure space, which locales give as thousands separators, keep
  // their meaning (a space that does not break a number) as the no-break space.
  if (cp == 0x202F || cp == 0x2007) return static_cast<char>(0xA0);
  // 123 defined entries; a linear scan is cheap next to the file and message work
  // that calls this.
  for (int i = 0; i < 128; ++i) {
    if (kUpperHalf[i] == cp) return static_cast<char>(0x80 + i);
  }
  return '?';
}

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// Decodes one UTF-8 sequence at text[i]. On success returns its code point and sets
// length; on failure returns kUndefined with length covering the bad lead byte and any
// continuation bytes that belonged to it, so each malformed sequence yields one '?'.
char32_t DecodeUtf8(std::string_view text, size_t i, size_t& length) {
  const unsigned char lead = static_cast<unsigned char>(text[i]);
  length = 1;
  if (lead < 0x80) return lead;
  int expected;
  char32_t cp;
  char32_t smallest;
  if (lead >= 0xC2 && lead <= 0xDF) {
    expected = 1;
    cp = lead & 0x1F;
    smallest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    expected = 2;
    cp = lead & 0x0F;
    smallest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    expected = 3;
    cp = lead & 0x07;
    smallest = 0x10000;
  } else {
    return kUndefined;  // stray continuation byte, overlong lead C0/C1, or F5..FF
  }
  for (int k = 1; k <= expected; ++k) {
    if (i + k >= text.size() || !IsContinuation(static_cast<unsigned char>(text[i + k]))) {
      length = k;
      return kUndefined;
    }
    cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
  }
  length = expected + 1;
  // Overlong forms, surrogates and code points beyond U+10FFFF are not characters.
  if (cp < smallest || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) return kUndefined;
  return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

}  // namespace

std::string Utf8ToCp1250(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  size_t i = 0;
  while (i < utf8.size()) {
    size_t length = 1;
    const char32_t cp = DecodeUtf8(utf8, i, length);
    out.push_back(EncodeCodePoint(cp));
    i += length;
  }
  return out;
}

std::string Cp1250ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (char c : bytes) {
    const unsigned char b = static_cast<unsigned char>(c);
    AppendUtf8(out, b < 0x80 ? char32_t(b) : kUpperHalf[b - 0x80]);
  }
  return out;
}

}  // namespace vadidazid
