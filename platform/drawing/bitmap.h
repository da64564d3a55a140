// An off-screen picture: a canvas of a given size that the program draws on, with the
// pixel format its file takes. The canvas comes from another canvas (Canvas::CreateBitmap),
// so code without a platform of its own can make one; a new bitmap is white.
#pragma once

#include <memory>
#include <string>

#include "platform/drawing/canvas.h"
#include "platform/formats/bmpfile.h"

namespace vadidazid {

class TBitmap {
 public:
  // Takes the canvas and paints it white.
  TBitmap(std::unique_ptr<Canvas> canvas, int width, int height, TPixelFormat format);

  Canvas& GetCanvas() { return *canvas_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  TPixelFormat PixelFormat() const { return format_; }
  int BitsPerPixel() const { return BitsPerPixelOf(format_); }

  // The BMP file of the picture at its pixel format, written safely: EFCreateError or
  // EWriteError, and an earlier file of the name is kept.
  void SaveToFile(const std::string& fileName);

 private:
  std::unique_ptr<Canvas> canvas_;
  int width_;
  int height_;
  TPixelFormat format_;
};

}  // namespace vadidazid
