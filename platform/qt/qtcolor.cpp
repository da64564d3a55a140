// Colour conversions between the toolkit's 0x00BBGGRR values and QColor.
#include "platform/qt/qtcolor.h"

namespace vadidazid {

QColor ToQColor(TColor color) {
  if (color == clNone) return QColor(0, 0, 0, 0);
  TColor rgb = ColorToRGB(color);
  return QColor(RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
}

TColor FromQColor(const QColor& color) {
  if (!color.isValid() || color.alpha() == 0) return clNone;
  QColor c = color.toRgb();
  return RGBColor(uint8_t(c.red()), uint8_t(c.green()), uint8_t(c.blue()));
}

}  // namespace vadidazid
