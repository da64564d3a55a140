// Windows BMP files: the 14-byte file header, the 40-byte information header and the
// pixel rows, bottom row first, each padded with zero bytes to a multiple of 4. Pixels
// are stored blue, green, red: with an unused fourth byte at 32 bits per pixel, as 5-5-5
// bits at 16. The pixels are read from a canvas, so any bitmap the program draws on can
// be saved; depths of 8 bits and less, which need a colour table, are not written.
#pragma once

#include <string>

namespace vadidazid {

class Canvas;

enum class TPixelFormat { pfDevice, pf16bit, pf24bit, pf32bit };

// The display's depth, which a bitmap in the device format takes. The program sets it
// from its screen at start; until then, and for a depth that cannot be written, it is 32.
int DeviceBitsPerPixel();
void SetDeviceBitsPerPixel(int bitsPerPixel);
// 16, 24 or 32; pfDevice gives the display's depth.
int BitsPerPixelOf(TPixelFormat format);

// The whole file for the width x height pixels at the canvas's top left. The canvas's
// clip is lifted while its pixels are read and put back afterwards.
std::string BitmapFileBytes(Canvas& pixels, int width, int height, int bitsPerPixel);
// Writes the file safely (see safefilestream.h): EFCreateError / EWriteError. Only a
// regular file is written, as the window's log file is (sim/report.h).
void SaveBitmapFile(const std::string& fileName, Canvas& pixels, int width, int height,
                    int bitsPerPixel);

}  // namespace vadidazid
