// Tests of the Windows-1250 conversion: the Polish letters of the log, every byte of the
// code page against a table written out apart, and what happens to characters and bytes
// it cannot hold.
#include "platform/text/cp1250.h"

#include <gtest/gtest.h>

#include <string>

namespace vadidazid {

namespace {

std::string Bytes(std::initializer_list<unsigned char> list) {
  return std::string(list.begin(), list.end());
}

TEST(Cp1250Test, PolishLetters) {
  EXPECT_EQ(Utf8ToCp1250("ąćęłńóśźżĄĆĘŁŃÓŚŹŻ"),
            Bytes({0xB9, 0xE6, 0xEA, 0xB3, 0xF1, 0xF3, 0x9C, 0x9F, 0xBF, 0xA5, 0xC6, 0xCA, 0xA3,
                   0xD1, 0xD3, 0x8C, 0x8F, 0xAF}));
  EXPECT_EQ(Utf8ToCp1250("średnie obciążenie sieci: "),
            "\x9C"
            "rednie obci"
            "\xB9\xBF"
            "enie sieci: ");
  EXPECT_EQ(Cp1250ToUtf8("\x9C"
                         "rednie obci"
                         "\xB9\xBF"
                         "enie sieci: "),
            "średnie obciążenie sieci: ");
}

// The code points of the bytes 0x80 .. 0xFF, written out apart from the conversion's own
// table so that a wrong entry there cannot pass by converting both ways through it;
// 0 marks the five bytes the code page leaves undefined. Bytes below 0x80 are ASCII.
constexpr char32_t kUpperHalf[128] = {
    0x20AC, 0x0000, 0x201A, 0x0000, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x0000, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,  // 88
    0x0000, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0000, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,  // 98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,  // A0
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,  // A8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,  // B8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,  // C0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,  // C8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,  // D0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,  // D8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,  // E0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,  // E8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,  // F0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,  // F8
};

std::string Utf8Of(char32_t c) {
  if (c < 0x80) return std::string(1, char(c));
  const auto byte = [](char32_t bits) { return static_cast<unsigned char>(bits); };
  if (c < 0x800) return Bytes({byte(0xC0 | c >> 6), byte(0x80 | (c & 0x3F))});
  return Bytes({byte(0xE0 | c >> 12), byte(0x80 | (c >> 6 & 0x3F)), byte(0x80 | (c & 0x3F))});
}

TEST(Cp1250Test, EveryByteAgainstTheWrittenOutTable) {
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    const char32_t c = b < 0x80 ? char32_t(b) : kUpperHalf[b - 0x80];
    if (b >= 0x80 && c == 0) {
      EXPECT_EQ(Cp1250ToUtf8(byte), "\xEF\xBF\xBD") << b;
      EXPECT_EQ(Utf8ToCp1250("\xEF\xBF\xBD"), "?") << b;
    } else {
      EXPECT_EQ(Cp1250ToUtf8(byte), Utf8Of(c)) << b;
      EXPECT_EQ(Utf8ToCp1250(Utf8Of(c)), byte) << b;
    }
  }
}

TEST(Cp1250Test, SampleOfTheUpperHalf) {
  const struct {
    const char* utf8;
    unsigned char byte;
  } cases[] = {
      {"€", 0x80}, {"„", 0x84},        {"…", 0x85}, {"–", 0x96}, {"—", 0x97},
      {"™", 0x99}, {"\xC2\xA0", 0xA0}, {"°", 0xB0}, {"×", 0xD7}, {"ß", 0xDF},
      {"÷", 0xF7}, {"˙", 0xFF},        {"Š", 0x8A}, {"ř", 0xF8}, {"Ő", 0xD5},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf8ToCp1250(c.utf8), std::string(1, static_cast<char>(c.byte))) << c.utf8;
    EXPECT_EQ(Cp1250ToUtf8(std::string(1, static_cast<char>(c.byte))), c.utf8) << c.utf8;
  }
}

// Thousands separators of some locales that the code page lacks keep a non-breaking space.
TEST(Cp1250Test, NarrowAndFigureSpacesBecomeTheNoBreakSpace) {
  EXPECT_EQ(Utf8ToCp1250("1\xE2\x80\xAF"
                         "234,5"),
            "1\xA0"
            "234,5");
  EXPECT_EQ(Utf8ToCp1250("9\xE2\x80\x87"
                         "000"),
            "9\xA0"
            "000");
}

TEST(Cp1250Test, UnrepresentableAndMalformedInputBecomesQuestionMarks) {
  const struct {
    const char* name;
    std::string utf8;
    std::string expected;
  } cases[] = {
      {"outside the code page",
       "a\xE2\x82\xBD"
       "b",
       "a?b"},  // rouble sign
      {"four-byte character", "\xF0\x9F\x98\x80!", "?!"},
      {"C1 control", "\xC2\x80", "?"},
      {"stray continuation", "x\x80y", "x?y"},
      {"truncated at the end", "z\xC4", "z?"},
      {"truncated before ASCII",
       "\xE2\x82"
       "A",
       "?A"},
      {"overlong slash", "\xC0\xAF", "??"},
      {"overlong three bytes", "\xE0\x80\xAF", "?"},
      {"surrogate", "\xED\xA0\x80", "?"},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", "?"},
      {"invalid lead", "\xFF\xFE", "??"},
      {"embedded zero kept", std::string("a\0b", 3), std::string("a\0b", 3)},
  };
  for (const auto& c : cases) EXPECT_EQ(Utf8ToCp1250(c.utf8), c.expected) << c.name;
}

}  // namespace

}  // namespace vadidazid
