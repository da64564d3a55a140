// Legend symbol settings and width.
#include "chart/legend/legendsymbol.h"

#include <cmath>

namespace vadidazid {

TLegendSymbol::TLegendSymbol() {
  pen_.OnChange = [this] { Changed(); };
}

int TLegendSymbol::CalcWidth(int reference, int itemHeight) const {
  if (!visible_) return 0;
  if (squared_) return itemHeight - 5;
  if (widthUnits_ == TLegendSymbolSize::lcsPixels) return width_;
  // Halves go to the even neighbour, as everywhere in the chart's geometry.
  return int(std::nearbyint(reference * width_ * 0.01));
}

}  // namespace vadidazid
