// An axis' range settings as they were before the first zoom or scroll, so that undoing
// the zoom can give them back; one per axis in the chart's axis order, depth axes
// skipped.
#pragma once

#include <vector>

namespace vadidazid {

struct TAxisSavedScales {
  bool Automatic = true;
  bool AutomaticMinimum = true;
  bool AutomaticMaximum = true;
  double Minimum = 0;
  double Maximum = 0;
};

using TAllAxisSavedScales = std::vector<TAxisSavedScales>;

}  // namespace vadidazid
