// Drawing needs Qt's fonts, hence a GUI application; the runner makes one on Qt's
// offscreen platform, which needs no display. The chart is shown on an image of the
// window's size that stands in for the chart's window, so the picture is made exactly
// as the window makes it.
#include "cli/chartpicture.h"

#include "chart/panel/chart.h"
#include "platform/exceptions.h"

#ifdef VADIDAZID_PICTURES

#include <QGuiApplication>

#include <cstdio>
#include <memory>

#include "platform/bitmap.h"
#include "platform/bmpfile.h"
#include "platform/imagecanvas.h"

namespace {
// Qt's own notes (about the offscreen platform's settings) are no business of the
// runner's error stream.
void Quiet(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) {
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
  }
}
}  // namespace

bool ChartPicturesAvailable() { return true; }

std::string ChartPictureBytes(TChart& chart) {
  std::unique_ptr<QGuiApplication> application;
  if (QCoreApplication::instance() == nullptr) {
    qInstallMessageHandler(Quiet);
    static int argc = 1;
    static char name[] = "vadidazid-sim";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    application = std::make_unique<QGuiApplication>(argc, argv);
  }
  const int depth = DeviceBitsPerPixel();
  SetDeviceBitsPerPixel(32);
  ImageCanvas window(chart.Width(), chart.Height(), clBtnFace);
  chart.SetWindowCanvas(&window);
  std::string bytes;
  try {
    // The picture "Zapisz wykres" saves: white behind the chart, the device's format.
    const std::unique_ptr<TBitmap> bitmap =
        chart.TeeCreateBitmap(clWhite, chart.GetRectangle(), TPixelFormat::pfDevice);
    bytes = BitmapFileBytes(bitmap->GetCanvas(), bitmap->Width(), bitmap->Height(),
                            bitmap->BitsPerPixel());
  } catch (...) {
    chart.SetWindowCanvas(nullptr);
    SetDeviceBitsPerPixel(depth);
    throw;
  }
  chart.SetWindowCanvas(nullptr);
  SetDeviceBitsPerPixel(depth);
  return bytes;
}

#else

bool ChartPicturesAvailable() { return false; }

std::string ChartPictureBytes(TChart&) {
  throw Exception("built without Qt, no pictures");
}

#endif
