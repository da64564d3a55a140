// Tests of the Windows-1250 conversion: the Polish letters of the log, a full round trip
// of the code page, and what happens to characters and bytes it cannot hold.
#include "platform/cp1250.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Bytes(std::initializer_list<unsigned char> list) { return std::string(list.begin(), list.end()); }

TEST(Cp1250Test, PolishLetters) {
  EXPECT_EQ(Utf8ToCp1250("ąćęłńóśźżĄĆĘŁŃÓŚŹŻ"),
            Bytes({0xB9, 0xE6, 0xEA, 0xB3, 0xF1, 0xF3, 0x9C, 0x9F, 0xBF,
                   0xA5, 0xC6, 0xCA, 0xA3, 0xD1, 0xD3, 0x8C, 0x8F, 0xAF}));
  EXPECT_EQ(Utf8ToCp1250("średnie obciążenie sieci: "),
            "\x9C" "rednie obci" "\xB9\xBF" "enie sieci: ");
  EXPECT_EQ(Cp1250ToUtf8("\x9C" "rednie obci" "\xB9\xBF" "enie sieci: "), "średnie obciążenie sieci: ");
}

TEST(Cp1250Test, EveryDefinedByteRoundTrips) {
  const unsigned char undefined[] = {0x81, 0x83, 0x88, 0x90, 0x98};
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    const std::string utf8 = Cp1250ToUtf8(byte);
    bool isUndefined = false;
    for (unsigned char u : undefined) isUndefined = isUndefined || u == b;
    if (isUndefined) {
      EXPECT_EQ(utf8, "\xEF\xBF\xBD") << b;
      EXPECT_EQ(Utf8ToCp1250(utf8), "?") << b;
    } else {
      if (b < 0x80) {
        EXPECT_EQ(utf8, byte) << b;
      }
      EXPECT_EQ(Utf8ToCp1250(utf8), byte) << b;
    }
  }
}

TEST(Cp1250Test, SampleOfTheUpperHalf) {
  const struct {
    const char* utf8;
    unsigned char byte;
  } cases[] = {
      {"€", 0x80}, {"„", 0x84}, {"…", 0x85}, {"–", 0x96}, {"—", 0x97}, {"™", 0x99},
      {"\xC2\xA0", 0xA0}, {"°", 0xB0}, {"×", 0xD7}, {"ß", 0xDF}, {"÷", 0xF7}, {"˙", 0xFF},
      {"Š", 0x8A}, {"ř", 0xF8}, {"Ő", 0xD5},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf8ToCp1250(c.utf8), std::string(1, static_cast<char>(c.byte))) << c.utf8;
    EXPECT_EQ(Cp1250ToUtf8(std::string(1, static_cast<char>(c.byte))), c.utf8) << c.utf8;
  }
}

// Thousands separators of some locales that the code page lacks keep a non-breaking space.
TEST(Cp1250Test, NarrowAndFigureSpacesBecomeTheNoBreakSpace) {
  EXPECT_EQ(Utf8ToCp1250("1\xE2\x80\xAF" "234,5"), "1\xA0" "234,5");
  EXPECT_EQ(Utf8ToCp1250("9\xE2\x80\x87" "000"), "9\xA0" "000");
}

TEST(Cp1250Test, UnrepresentableAndMalformedInputBecomesQuestionMarks) {
  const struct {
    const char* name;
    std::string utf8;
    std::string expected;
  } cases[] = {
      {"outside the code page", "a\xE2\x82\xBD" "b", "a?b"},  // rouble sign
      {"four-byte character", "\xF0\x9F\x98\x80!", "?!"},
      {"C1 control", "\xC2\x80", "?"},
      {"stray continuation", "x\x80y", "x?y"},
      {"truncated at the end", "z\xC4", "z?"},
      {"truncated before ASCII", "\xE2\x82" "A", "?A"},
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
