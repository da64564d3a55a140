// Colour values to plain RGB. System colours come from a fixed scheme, the default
// light scheme of current desktop Windows (button face 240,240,240, highlight
// 0,120,215), so the window and the exported chart look the same on every platform.
#include "platform/drawing/color.h"

namespace vadidazid {

namespace {

// Indexed by the low byte of a system colour, clScrollBar (0) .. clInfoBk (24).
constexpr TColor kSystemColors[] = {
    RGBColor(200, 200, 200),  // clScrollBar
    RGBColor(0, 0, 0),        // clBackground
    RGBColor(153, 180, 209),  // clActiveCaption
    RGBColor(191, 205, 219),  // clInactiveCaption
    RGBColor(240, 240, 240),  // clMenu
    RGBColor(255, 255, 255),  // clWindow
    RGBColor(100, 100, 100),  // clWindowFrame
    RGBColor(0, 0, 0),        // clMenuText
    RGBColor(0, 0, 0),        // clWindowText
    RGBColor(0, 0, 0),        // clCaptionText
    RGBColor(180, 180, 180),  // clActiveBorder
    RGBColor(244, 247, 252),  // clInactiveBorder
    RGBColor(171, 171, 171),  // clAppWorkSpace
    RGBColor(0, 120, 215),    // clHighlight
    RGBColor(255, 255, 255),  // clHighlightText
    RGBColor(240, 240, 240),  // clBtnFace
    RGBColor(160, 160, 160),  // clBtnShadow
    RGBColor(109, 109, 109),  // clGrayText
    RGBColor(0, 0, 0),        // clBtnText
    RGBColor(0, 0, 0),        // clInactiveCaptionText
    RGBColor(255, 255, 255),  // clBtnHighlight
    RGBColor(105, 105, 105),  // cl3DDkShadow
    RGBColor(227, 227, 227),  // cl3DLight
    RGBColor(0, 0, 0),        // clInfoText
    RGBColor(255, 255, 225),  // clInfoBk
};
constexpr TColor kSystemColorCount = sizeof kSystemColors / sizeof kSystemColors[0];

}  // namespace

TColor ColorToRGB(TColor color) {
  // clNone and clAutoColor stand for "no colour"; whoever draws them anyway gets black
  // rather than the white that masking clNone would give.
  if (color == clNone || color == clAutoColor) return clBlack;
  if (IsSystemColor(color)) {
    const TColor index = color & 0x00FFFFFFu;
    // An index beyond the scheme names no colour; black like the markers above.
    return index < kSystemColorCount ? kSystemColors[index] : clBlack;
  }
  return color & 0x00FFFFFFu;
}

}  // namespace vadidazid
