// The table of --cells: a header and one CSV row per cell with the cell tally's figures,
// each row ending in the first and last step they cover, so that a table read on its own
// says which part of the run it describes.
#pragma once

#include <string>

#include "study/celltally.h"

namespace vadidazid {

// Header and one row per cell, row by row.
std::string CellTableText(const CellTally& tally);

}  // namespace vadidazid
