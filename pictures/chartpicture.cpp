// Drawing needs Qt's fonts, hence a GUI application; the runner makes one on Qt's
// offscreen platform, which needs no display. The chart is shown on an image of the
// window's size that stands in for the chart's window, so the picture is made exactly
// as the window makes it. An SVG picture is measured by such an image too, so its
// layout is the raster picture's.
#include "pictures/chartpicture.h"

#include <new>

#include "chart/panel/chart.h"
#include "platform/exceptions.h"
#include "platform/files/ioerror.h"
#include "platform/files/outputfile.h"

namespace vadidazid {

namespace {

const char* const kNoPictures = "built without Qt, no pictures";

}  // namespace

std::unique_ptr<OutputFile> CreatePictureFile(const std::string& fileName) {
  if (!ChartPicturesAvailable()) throw EFCreateError(CreateFileMessage(fileName, kNoPictures));
  return std::make_unique<OutputFile>(fileName);
}

std::string PictureFileBytes(const std::string& fileName,
                             const std::function<std::string()>& make) {
  std::string reason;
  try {
    return make();
  } catch (const std::bad_alloc&) {
    reason = "out of memory";
  } catch (const std::exception& e) {
    reason = e.what();
  }
  throw EFCreateError(CreateFileMessage(fileName, reason));
}

}  // namespace vadidazid

#ifdef VADIDAZID_PICTURES

#include <QGuiApplication>

#include <cstdio>
#include <memory>

#include "platform/drawing/bitmap.h"
#include "platform/drawing/svgcanvas.h"
#include "platform/formats/bmpfile.h"
#include "platform/qt/imagecanvas.h"

namespace vadidazid {

namespace {
// Qt's own notes (about the offscreen platform's settings) are no business of the
// runner's error stream.
void Quiet(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) {
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
  }
}

std::unique_ptr<QGuiApplication> EnsureApplication() {
  if (QCoreApplication::instance() != nullptr) return nullptr;
  qInstallMessageHandler(Quiet);
  static int argc = 1;
  static char name[] = "vadidazid-sim";
  static char* argv[] = {name, nullptr};
  qputenv("QT_QPA_PLATFORM", "offscreen");
  return std::make_unique<QGuiApplication>(argc, argv);
}

std::string ChartBytesOnWindow(TChart& chart, PictureFormat format, ImageCanvas& window) {
  if (format == PictureFormat::Svg) {
    SvgCanvas svg(chart.Width(), chart.Height(), &window);
    chart.NonBufferDraw(svg, chart.GetRectangle());
    return svg.Document();
  }
  // The picture "Zapisz wykres" saves: white behind the chart, the device's format.
  const std::unique_ptr<TBitmap> bitmap =
      chart.TeeCreateBitmap(clWhite, chart.GetRectangle(), TPixelFormat::pfDevice);
  if (format == PictureFormat::Png) {
    return RasterFileBytes(format, bitmap->GetCanvas(), bitmap->Width(), bitmap->Height());
  }
  return BitmapFileBytes(bitmap->GetCanvas(), bitmap->Width(), bitmap->Height(),
                         bitmap->BitsPerPixel());
}

}  // namespace

bool ChartPicturesAvailable() { return true; }

std::string ChartPictureBytes(TChart& chart, PictureFormat format) {
  const std::unique_ptr<QGuiApplication> application = EnsureApplication();
  const int depth = DeviceBitsPerPixel();
  SetDeviceBitsPerPixel(32);
  ImageCanvas window(chart.Width(), chart.Height(), clBtnFace);
  chart.SetWindowCanvas(&window);
  std::string bytes;
  try {
    bytes = ChartBytesOnWindow(chart, format, window);
  } catch (...) {
    chart.SetWindowCanvas(nullptr);
    SetDeviceBitsPerPixel(depth);
    throw;
  }
  chart.SetWindowCanvas(nullptr);
  SetDeviceBitsPerPixel(depth);
  return bytes;
}

std::string DrawnPictureBytes(PictureFormat format, int width, int height,
                              const std::function<void(Canvas&)>& draw) {
  const std::unique_ptr<QGuiApplication> application = EnsureApplication();
  ImageCanvas image(width, height, clWhite);
  if (format == PictureFormat::Svg) {
    SvgCanvas svg(width, height, &image);
    draw(svg);
    return svg.Document();
  }
  draw(image);
  return RasterFileBytes(format, image, width, height);
}

}  // namespace vadidazid

#else

namespace vadidazid {

bool ChartPicturesAvailable() { return false; }

std::string ChartPictureBytes(TChart&, PictureFormat) { throw Exception(kNoPictures); }

std::string DrawnPictureBytes(PictureFormat, int, int, const std::function<void(Canvas&)>&) {
  throw Exception(kNoPictures);
}

}  // namespace vadidazid

#endif
