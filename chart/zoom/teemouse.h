// Mouse buttons and the keys and buttons held during a mouse event, as the chart's mouse
// handling and its zoom settings name them.
#pragma once

namespace vadidazid {

enum class TMouseButton { mbLeft, mbRight, mbMiddle };
// Keys and buttons held during a mouse event, as flags.
using TShiftState = unsigned;
inline constexpr TShiftState ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16,
                             ssMiddle = 32, ssDouble = 64;

}  // namespace vadidazid
