// The off-screen picture and its file.
#include "platform/drawing/bitmap.h"

#include <stdexcept>

namespace vadidazid {

TBitmap::TBitmap(std::unique_ptr<Canvas> canvas, int width, int height, TPixelFormat format)
    : canvas_(std::move(canvas)), width_(width), height_(height), format_(format) {
  if (!canvas_) throw std::invalid_argument("a bitmap needs a canvas");
  // Whatever background the canvas it came from had, a new picture starts white.
  const TBrush brush = canvas_->brush;
  canvas_->brush = TBrush{clWhite, TBrushStyle::bsSolid};
  canvas_->SetClipRect(std::nullopt);
  canvas_->FillRect({0, 0, width, height});
  canvas_->brush = brush;
}

void TBitmap::SaveToFile(const std::string& fileName) {
  SaveBitmapFile(fileName, *canvas_, width_, height_, BitsPerPixel());
}

}  // namespace vadidazid
