// The chart engine's own exception class. Its texts are fixed English messages, so a
// caller can tell a chart failure from other failures of the toolkit layer.
#pragma once

#include <string>

#include "platform/exceptions.h"

namespace vadidazid {

class EChartException : public Exception {
 public:
  using Exception::Exception;
};

// Text for a point index outside 0 .. Count-1.
inline std::string ValueIndexOutOfBoundsText(int index, int count) {
  return "Series Delete: ValueIndex " + std::to_string(index) + " out of bounds (0 to " +
         std::to_string(count - 1) + ").";
}

inline const char* const kDeleteQuantityText =
    "Quantity of data to delete must be less than Count.";

}  // namespace vadidazid
