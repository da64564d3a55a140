// PNG files of a canvas's pixels: 8-bit RGB, no interlace, every row filtered by the
// difference to the pixel on its left, compressed with zlib. The pixels are read from a
// canvas as the BMP writer reads them, so a PNG and a BMP of one picture hold the same
// colours.
#pragma once

#include <string>

namespace vadidazid {

class Canvas;

// The whole file for the width x height pixels at the canvas's top left. The canvas's
// clip is lifted while its pixels are read and put back afterwards. Throws
// std::invalid_argument for a negative size and Exception ("PNG compression failed: ...")
// when zlib fails, which a caller reports as a failed save of its file.
std::string PngFileBytes(Canvas& pixels, int width, int height);

}  // namespace vadidazid
