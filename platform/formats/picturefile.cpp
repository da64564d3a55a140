// Picture kinds by extension, and the raster writers behind them.
#include "platform/formats/picturefile.h"

#include <stdexcept>

#include "platform/formats/bmpfile.h"
#include "platform/formats/pngfile.h"

namespace vadidazid {

std::optional<PictureFormat> PictureFormatOf(const std::string& fileName) {
  const size_t slash = fileName.find_last_of('/');
  const std::string base = slash == std::string::npos ? fileName : fileName.substr(slash + 1);
  const size_t dot = base.find_last_of('.');
  if (dot == std::string::npos || dot == 0) return std::nullopt;
  std::string ext = base.substr(dot + 1);
  for (char& ch : ext) ch = char(std::tolower(static_cast<unsigned char>(ch)));
  if (ext == "bmp") return PictureFormat::Bmp;
  if (ext == "png") return PictureFormat::Png;
  if (ext == "svg") return PictureFormat::Svg;
  return std::nullopt;
}

std::string RasterFileBytes(PictureFormat format, Canvas& pixels, int width, int height) {
  switch (format) {
    case PictureFormat::Bmp:
      return BitmapFileBytes(pixels, width, height, 32);
    case PictureFormat::Png:
      return PngFileBytes(pixels, width, height);
    case PictureFormat::Svg:
      break;
  }
  throw std::invalid_argument("an SVG picture is drawn, not read from pixels");
}

}  // namespace vadidazid
