// The BMP writer. The header fields are written byte by byte in little-endian order, so
// the file is the same whatever the machine's byte order.
#include "platform/formats/bmpfile.h"

#include <cstdint>
#include <optional>
#include <stdexcept>

#include "platform/drawing/canvas.h"
#include "platform/files/safefilestream.h"

namespace vadidazid {

namespace {

int deviceBits = 32;

void Put16(std::string& out, uint32_t value) {
  out += char(value & 0xFF);
  out += char((value >> 8) & 0xFF);
}

void Put32(std::string& out, uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

bool Writable(int bitsPerPixel) {
  return bitsPerPixel == 16 || bitsPerPixel == 24 || bitsPerPixel == 32;
}

}  // namespace

int DeviceBitsPerPixel() { return deviceBits; }

void SetDeviceBitsPerPixel(int bitsPerPixel) {
  // A 15-bit display stores its pixels in 16 bits, as the file does.
  if (bitsPerPixel == 15) bitsPerPixel = 16;
  deviceBits = Writable(bitsPerPixel) ? bitsPerPixel : 32;
}

int BitsPerPixelOf(TPixelFormat format) {
  switch (format) {
    case TPixelFormat::pf16bit:
      return 16;
    case TPixelFormat::pf24bit:
      return 24;
    case TPixelFormat::pf32bit:
      return 32;
    case TPixelFormat::pfDevice:
      break;
  }
  return deviceBits;
}

std::string BitmapFileBytes(Canvas& pixels, int width, int height, int bitsPerPixel) {
  if (!Writable(bitsPerPixel)) {
    throw std::invalid_argument("BMP depth " + std::to_string(bitsPerPixel) + " not written");
  }
  if (width < 0 || height < 0) throw std::invalid_argument("negative BMP size");
  const uint32_t rowBytes = (uint32_t(width) * bitsPerPixel + 31) / 32 * 4;
  const uint32_t imageSize = rowBytes * uint32_t(height);
  constexpr uint32_t kHeaders = 14 + 40;

  std::string out;
  out.reserve(kHeaders + imageSize);
  out += "BM";
  Put32(out, kHeaders + imageSize);
  Put32(out, 0);
  Put32(out, kHeaders);
  Put32(out, 40);
  Put32(out, uint32_t(width));
  Put32(out, uint32_t(height));
  Put16(out, 1);
  Put16(out, uint32_t(bitsPerPixel));
  Put32(out, 0);  // uncompressed
  Put32(out, imageSize);
  Put32(out, 0);  // resolutions
  Put32(out, 0);
  Put32(out, 0);  // no colour table above 8 bits per pixel
  Put32(out, 0);

  const std::optional<TRect> clip = pixels.ClipRect();
  pixels.SetClipRect(std::nullopt);
  for (int y = height - 1; y >= 0; --y) {
    const size_t rowStart = out.size();
    for (int x = 0; x < width; ++x) {
      const TColor c = pixels.GetPixel(x, y);
      const uint8_t r = RedOf(c), g = GreenOf(c), b = BlueOf(c);
      if (bitsPerPixel == 16) {
        Put16(out, uint32_t(b >> 3) | uint32_t(g >> 3) << 5 | uint32_t(r >> 3) << 10);
      } else {
        out += char(b);
        out += char(g);
        out += char(r);
        if (bitsPerPixel == 32) out += '\0';
      }
    }
    out.append(rowStart + rowBytes - out.size(), '\0');
  }
  pixels.SetClipRect(clip);
  return out;
}

void SaveBitmapFile(const std::string& fileName, Canvas& pixels, int width, int height,
                    int bitsPerPixel) {
  const std::string bytes = BitmapFileBytes(pixels, width, height, bitsPerPixel);
  TSafeFileStream file(fileName, SaveTargets::kRegularFilesOnly);
  file.Write(bytes);
  file.Commit();
}

}  // namespace vadidazid
