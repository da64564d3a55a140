// The chart control as a window places it. It adds nothing to TCustomChart; the
// separate name keeps the split between the engine's classes and the one a layout uses.
#pragma once

#include "chart/panel/customchart.h"

namespace vadidazid {

class TChart : public TCustomChart {};

}  // namespace vadidazid
