// The toolkit's fonts on Qt. The program names its fonts by their common desktop names;
// they map to installed metric-compatible families so that text widths, and with them
// every layout that measures text, come out the same on every machine. Glyphs are drawn
// without antialiasing or kerning so that the same text gives the same pixels each time.
#pragma once

#include <QFont>
#include <QString>

#include "platform/drawing/canvas.h"

namespace vadidazid {

// The installed family used for a toolkit font name (compared without case).
QString MapFontFamily(const std::string& toolkitName);

// A negative height is the em in pixels; a positive one is the cell (ascent plus
// descent), met by the largest em whose cell is no taller; 0 is the default em of 11
// pixels.
QFont ToQFont(const TFont& font);

// A window's font for a screen of the device pixel ratio. At 1 it is the font as it is.
// At other ratios the glyphs are drawn at the device's size while the text is laid out
// in logical pixels: hinted to whole device pixels at that size, each glyph's advance no
// longer matches the advance the layout rounded at the logical size, which opens gaps
// after wide letters. Unhinted, both come from the same design metrics and scale
// together, so the text is the text of ratio 1, larger.
QFont ForDevicePixelRatio(QFont font, double ratio);

// The character cell of a font: ascent and descent each rounded up, so that every glyph
// that keeps within the font's design metrics fits inside the cell.
struct FontCell {
  int ascent = 0;
  int descent = 0;
  int Height() const { return ascent + descent; }
};
FontCell CellOf(const QFont& font);

}  // namespace vadidazid
