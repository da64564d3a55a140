// Tests of the colour conversion: the fixed system scheme, plain colours, and the
// markers that carry no colour.
#include "platform/drawing/color.h"

#include <gtest/gtest.h>

namespace vadidazid {

namespace {

TEST(ColorTest, SystemColoursFromTheFixedScheme) {
  const struct {
    TColor system;
    TColor rgb;
  } cases[] = {
      {clBtnFace, 0xF0F0F0},       {clWindowText, 0x000000},   {clWindow, 0xFFFFFF},
      {clBtnShadow, 0xA0A0A0},     {clBtnHighlight, 0xFFFFFF}, {clHighlight, RGBColor(0, 120, 215)},
      {clHighlightText, 0xFFFFFF}, {clBtnText, 0x000000},      {clInfoBk, RGBColor(255, 255, 225)},
  };
  for (const auto& c : cases) EXPECT_EQ(ColorToRGB(c.system), c.rgb) << std::hex << c.system;
}

TEST(ColorTest, EverySystemIndexGivesAPlainColour) {
  for (TColor index = 0; index <= 24; ++index) {
    const TColor rgb = ColorToRGB(0x80000000u | index);
    EXPECT_EQ(rgb & 0xFF000000u, 0u) << index;
  }
  EXPECT_EQ(ColorToRGB(0x80000019u), clBlack);  // past the scheme
  EXPECT_EQ(ColorToRGB(0x80FFFFFFu), clBlack);
}

TEST(ColorTest, PlainColoursLoseOnlyTheHighByte) {
  const struct {
    TColor in;
    TColor out;
  } cases[] = {
      {clRed, 0x0000FF},       {clSkyBlue, 0xF0CAA6},   {clMoneyGreen, 0xC0DCC0},
      {0x02123456u, 0x123456}, {0xFF00FF00u, 0x00FF00}, {clNone, clBlack},
      {clAutoColor, clBlack},
  };
  for (const auto& c : cases) EXPECT_EQ(ColorToRGB(c.in), c.out) << std::hex << c.in;
  EXPECT_EQ(RedOf(RGBColor(1, 2, 3)), 1);
  EXPECT_EQ(BlueOf(ColorToRGB(clHighlight)), 215);
}

}  // namespace

}  // namespace vadidazid
