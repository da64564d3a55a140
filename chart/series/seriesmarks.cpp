// Stored mark positions and texts of a series.
#include "chart/series/seriesmarks.h"

#include <algorithm>

namespace vadidazid {

bool TSeriesMarks::HasCustomPositions() const {
  return std::any_of(positions_.begin(), positions_.end(),
                     [](const TSeriesMarkPosition& p) { return p.custom; });
}

void TSeriesMarks::Clear() {
  positions_.clear();
  texts_.clear();
}

}  // namespace vadidazid
