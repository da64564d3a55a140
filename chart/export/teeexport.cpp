// The panel's pictures: a bitmap of the chart drawn afresh, and its BMP file. These
// operations of TCustomTeePanel live apart from its drawing because they only wrap it:
// a picture is one more drawing with the buffer switched off, onto a canvas of its own.
#include "chart/panel/chartexception.h"
#include "chart/panel/customteepanel.h"

namespace vadidazid {

void TCustomTeePanel::NonBufferDraw(Canvas& canvas, const TRect& rect) {
  // Without the buffer the drawing lands on the picture itself; the screen's retained
  // image is dropped on the way, so the next paint on screen draws anew.
  const bool buffered = canvas_->GetUseBuffer();
  canvas_->SetUseBuffer(false);
  try {
    Draw(canvas, rect);
  } catch (...) {
    canvas_->SetUseBuffer(buffered);
    throw;
  }
  canvas_->SetUseBuffer(buffered);
}

std::unique_ptr<TBitmap> TCustomTeePanel::TeeCreateBitmap(TColor backColor, const TRect& rect,
                                                          TPixelFormat format) {
  if (!windowCanvas_) throw EChartException("Chart has no window to draw a picture for");
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  std::unique_ptr<Canvas> canvas = windowCanvas_->CreateBitmap(width, height);
  if (!canvas) throw EChartException("Chart window cannot make pictures");
  if (canvas_->GetSupportsFullRotation()) format = TPixelFormat::pf24bit;
  auto bitmap = std::make_unique<TBitmap>(std::move(canvas), width, height, format);
  if (backColor != clWhite) {
    Canvas& c = bitmap->GetCanvas();
    c.brush = TBrush{backColor, TBrushStyle::bsSolid};
    c.FillRect(rect);
  }
  NonBufferDraw(bitmap->GetCanvas(), rect);
  return bitmap;
}

std::unique_ptr<TBitmap> TCustomTeePanel::TeeCreateBitmap() {
  return TeeCreateBitmap(color_, GetRectangle(), TPixelFormat::pfDevice);
}

void TCustomTeePanel::SaveToBitmapFile(const std::string& fileName) {
  SaveToBitmapFile(fileName, GetRectangle());
}

void TCustomTeePanel::SaveToBitmapFile(const std::string& fileName, const TRect& rect) {
  // The bitmap goes when this returns, also when the file fails.
  const std::unique_ptr<TBitmap> bitmap = TeeCreateBitmap(clWhite, rect, TPixelFormat::pfDevice);
  bitmap->SaveToFile(fileName);
}

}  // namespace vadidazid
