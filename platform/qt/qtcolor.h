// Conversions between the toolkit's colour values and Qt's. System colours resolve
// through the fixed default scheme; clNone, which draws nothing, becomes a fully
// transparent colour and comes back as clNone.
#pragma once

#include <QColor>

#include "platform/drawing/color.h"

namespace vadidazid {

QColor ToQColor(TColor color);
// An invalid or fully transparent colour gives clNone; alpha is otherwise dropped.
TColor FromQColor(const QColor& color);

}  // namespace vadidazid
