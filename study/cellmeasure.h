// What a map colours the cells by: a measure the cell tally computes per cell.
#pragma once

namespace vadidazid {

enum class MapMeasure { CallCongestion, Dropped, Load };

}  // namespace vadidazid
