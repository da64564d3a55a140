// The kinds of picture file the program writes, told apart by the file name's
// extension, and the bytes of a raster picture in either raster kind.
#pragma once

#include <optional>
#include <string>

namespace vadidazid {

class Canvas;

enum class PictureFormat { Bmp, Png, Svg };

// By the extension after the last dot of the name's last component, in any case:
// .bmp, .png or .svg; none for another extension or none at all.
std::optional<PictureFormat> PictureFormatOf(const std::string& fileName);

// The file for the width x height pixels at the canvas's top left: a BMP at 32 bits per
// pixel or a PNG. Not for Svg, which is drawn rather than read from pixels.
std::string RasterFileBytes(PictureFormat format, Canvas& pixels, int width, int height);

}  // namespace vadidazid
