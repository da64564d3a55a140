// The default series palette as a shared list.
#include "chart/panel/chartpalette.h"

namespace vadidazid {

const std::vector<TColor>& DefaultPaletteColors() {
  static const std::vector<TColor> colors(DefaultPalette.begin(), DefaultPalette.end());
  return colors;
}

}  // namespace vadidazid
