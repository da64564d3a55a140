// The BMP writer: header fields, row order and padding at each depth it writes, pixels
// read past the canvas's clip, and the file written safely.
#include "platform/formats/bmpfile.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <stdexcept>

#include "platform/exceptions.h"
#include "platform/qt/imagecanvas.h"
#include "tests/support/files.h"

namespace vadidazid {

namespace {

uint32_t U32(const std::string& b, size_t at) {
  return uint8_t(b[at]) | uint8_t(b[at + 1]) << 8 | uint8_t(b[at + 2]) << 16 |
         uint32_t(uint8_t(b[at + 3])) << 24;
}
uint32_t U16(const std::string& b, size_t at) { return uint8_t(b[at]) | uint8_t(b[at + 1]) << 8; }

// Three pixels wide, two high: red, green, blue above a white, black, grey row.
ImageCanvas SmallPicture() {
  ImageCanvas c(3, 2);
  const TColor colours[2][3] = {{clRed, clLime, clBlue}, {clWhite, clBlack, 0x204080}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) c.SetPixel(x, y, colours[y][x]);
  return c;
}

TEST(BitmapFile, HeaderAndRowsAtEachDepth) {
  struct Case {
    int bits;
    uint32_t rowBytes;
    std::string bottomRow;  // white, black, 0x204080 (blue 0x20, green 0x40, red 0x80)
    std::string topRow;     // red, green, blue
  };
  const Case cases[] = {
      {32, 12, std::string("\xFF\xFF\xFF\0\0\0\0\0\x20\x40\x80\0", 12),
       std::string("\0\0\xFF\0\0\xFF\0\0\xFF\0\0\0", 12)},
      {24, 12, std::string("\xFF\xFF\xFF\0\0\0\x20\x40\x80\0\0\0", 12),
       std::string("\0\0\xFF\0\xFF\0\xFF\0\0\0\0\0", 12)},
      // 5-5-5: 0x204080 gives blue 4, green 8, red 16: 4 | 8 << 5 | 16 << 10 = 0x4104.
      {16, 8, std::string("\xFF\x7F\0\0\x04\x41\0\0", 8),
       std::string("\0\x7C\xE0\x03\x1F\0\0\0", 8)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bits);
    ImageCanvas canvas = SmallPicture();
    const std::string b = BitmapFileBytes(canvas, 3, 2, c.bits);
    ASSERT_EQ(b.size(), 54 + 2 * c.rowBytes);
    EXPECT_EQ(b.substr(0, 2), "BM");
    EXPECT_EQ(U32(b, 2), b.size());
    EXPECT_EQ(U32(b, 6), 0u);
    EXPECT_EQ(U32(b, 10), 54u);
    EXPECT_EQ(U32(b, 14), 40u);
    EXPECT_EQ(U32(b, 18), 3u);
    EXPECT_EQ(U32(b, 22), 2u);
    EXPECT_EQ(U16(b, 26), 1u);
    EXPECT_EQ(U16(b, 28), uint32_t(c.bits));
    EXPECT_EQ(U32(b, 30), 0u);
    EXPECT_EQ(U32(b, 34), 2 * c.rowBytes);
    for (size_t at = 38; at < 54; at += 4) EXPECT_EQ(U32(b, at), 0u) << at;
    EXPECT_EQ(b.substr(54, c.rowBytes), c.bottomRow);
    EXPECT_EQ(b.substr(54 + c.rowBytes, c.rowBytes), c.topRow);
  }
}

TEST(BitmapFile, SizesOfTheChartsPicture) {
  ImageCanvas canvas(433, 201);
  EXPECT_EQ(BitmapFileBytes(canvas, 433, 201, 32).size(), 348186u);
  EXPECT_EQ(BitmapFileBytes(canvas, 433, 201, 24).size(), 261354u);
  EXPECT_THROW(BitmapFileBytes(canvas, 433, 201, 8), std::invalid_argument);
}

TEST(BitmapFile, ReadsPastTheClipAndKeepsIt) {
  ImageCanvas canvas = SmallPicture();
  canvas.SetClipRect(TRect{1, 0, 2, 1});
  const std::string b = BitmapFileBytes(canvas, 3, 2, 24);
  EXPECT_EQ(b.substr(54 + 12, 3), std::string("\0\0\xFF", 3));  // red, outside the clip
  EXPECT_EQ(canvas.ClipRect(), (TRect{1, 0, 2, 1}));
}

TEST(BitmapFile, DeviceDepthOnlyTakesWhatCanBeWritten) {
  const int saved = DeviceBitsPerPixel();
  const int given[] = {32, 24, 16, 15, 8, 1};
  const int taken[] = {32, 24, 16, 16, 32, 32};
  for (int i = 0; i < 6; ++i) {
    SetDeviceBitsPerPixel(given[i]);
    EXPECT_EQ(BitsPerPixelOf(TPixelFormat::pfDevice), taken[i]) << given[i];
  }
  SetDeviceBitsPerPixel(saved);
}

TEST(BitmapFile, SaveReplacesTheFileOrKeepsItOnFailure) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("vdz_bmp_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const std::string name = (dir / "a.bmp").string();
  ImageCanvas canvas = SmallPicture();
  SaveBitmapFile(name, canvas, 3, 2, 32);
  EXPECT_EQ(ReadFile(name), BitmapFileBytes(canvas, 3, 2, 32));
  EXPECT_THROW(SaveBitmapFile((dir / "missing" / "a.bmp").string(), canvas, 3, 2, 32),
               EFCreateError);
  EXPECT_EQ(ReadFile(name), BitmapFileBytes(canvas, 3, 2, 32));
  fs::remove_all(dir);
}

}  // namespace

}  // namespace vadidazid
