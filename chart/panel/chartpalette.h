// The colours a chart hands out to series that have none of their own, in the order in
// which they are tried.
#pragma once

#include <array>
#include <vector>

#include "platform/drawing/color.h"

namespace vadidazid {

inline constexpr std::array<TColor, 20> DefaultPalette = {
    clRed,  clGreen, clYellow,     clBlue,    clWhite, clGray,   clFuchsia,
    clTeal, clNavy,  clMaroon,     clLime,    clOlive, clPurple, clSilver,
    clAqua, clBlack, clMoneyGreen, clSkyBlue, clCream, clMedGray};

// DefaultPalette as a list, for code that also accepts a chart's own palette.
const std::vector<TColor>& DefaultPaletteColors();

}  // namespace vadidazid
