// The PNG writer: signature, IHDR, one IDAT with the zlib stream, IEND; lengths and
// CRCs big-endian, as the format has them.
#include "platform/formats/pngfile.h"

#include <zlib.h>

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <vector>

#include "platform/drawing/canvas.h"
#include "platform/exceptions.h"

namespace vadidazid {

namespace {

void Put32(std::string& out, uint32_t value) {
  out += char(value >> 24);
  out += char((value >> 16) & 0xFF);
  out += char((value >> 8) & 0xFF);
  out += char(value & 0xFF);
}

void Chunk(std::string& out, const char* type, const std::string& data) {
  Put32(out, uint32_t(data.size()));
  const size_t typeAt = out.size();
  out.append(type, 4);
  out += data;
  const auto* bytes = reinterpret_cast<const Bytef*>(out.data() + typeAt);
  Put32(out, uint32_t(crc32(0, bytes, uInt(4 + data.size()))));
}

// Each row: filter byte 1 (Sub), then red, green, blue less the pixel on the left.
std::vector<uint8_t> FilteredRows(Canvas& pixels, int width, int height) {
  std::vector<uint8_t> raw;
  raw.reserve(size_t(height) * (size_t(width) * 3 + 1));
  for (int y = 0; y < height; ++y) {
    raw.push_back(1);
    uint8_t left[3] = {0, 0, 0};
    for (int x = 0; x < width; ++x) {
      const TColor c = pixels.GetPixel(x, y);
      const uint8_t rgb[3] = {RedOf(c), GreenOf(c), BlueOf(c)};
      for (int k = 0; k < 3; ++k) {
        raw.push_back(uint8_t(rgb[k] - left[k]));
        left[k] = rgb[k];
      }
    }
  }
  return raw;
}

// zlib's reason for a failed compression, in words.
std::string CompressionFailure(int status) {
  switch (status) {
    case Z_MEM_ERROR:
      return "PNG compression failed: out of memory";
    case Z_BUF_ERROR:
      return "PNG compression failed: no room for the compressed pixels";
    default:
      return "PNG compression failed: zlib error " + std::to_string(status);
  }
}

}  // namespace

std::string PngFileBytes(Canvas& pixels, int width, int height) {
  if (width < 0 || height < 0) throw std::invalid_argument("negative PNG size");
  const std::optional<TRect> clip = pixels.ClipRect();
  pixels.SetClipRect(std::nullopt);
  const std::vector<uint8_t> raw = FilteredRows(pixels, width, height);
  pixels.SetClipRect(clip);

  uLongf packedSize = compressBound(uLong(raw.size()));
  std::string packed(packedSize, '\0');
  const int status = compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize, raw.data(),
                               uLong(raw.size()), 9);
  if (status != Z_OK) throw Exception(CompressionFailure(status));
  packed.resize(packedSize);

  std::string header;
  Put32(header, uint32_t(width));
  Put32(header, uint32_t(height));
  header += char(8);               // bits per sample
  header += char(2);               // RGB
  header += std::string(3, '\0');  // deflate, adaptive filters, no interlace

  std::string out("\x89PNG\r\n\x1a\n", 8);
  Chunk(out, "IHDR", header);
  Chunk(out, "IDAT", packed);
  Chunk(out, "IEND", "");
  return out;
}

}  // namespace vadidazid
