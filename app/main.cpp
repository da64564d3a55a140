// The program's entry: --help and --version, the application with its title, the
// decimal and thousands separators of the user's locale, the screen's depth for
// pictures, the simulation's generator, the removal of a save's temporary file when a
// signal ends the program, and the main window.
#include <QApplication>
#include <QScreen>

#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "app/windowoptions.h"
#include "platform/files/safefilestream.h"
#include "platform/formats/bmpfile.h"
#include "platform/qt/messages.h"
#include "platform/text/formatfloat.h"
#include "platform/text/numtext.h"
#include "random/randomvariates.h"
#include "ui/mainwindow.h"

using namespace vadidazid;

int main(int argc, char** argv) {
  if (auto status = AnswerInformationOptions({argv + 1, argv + argc}, std::cout)) return *status;
  QApplication app(argc, argv);  // takes the toolkit's own options out of argv
  if (auto status = RefuseLeftArguments({argv + 1, argv + argc}, std::cerr)) return *status;
  QApplication::setApplicationName(QString::fromUtf8(kApplicationTitle));
  SetDecimalSeparator(LocaleDecimalSeparator());
  SetThousandSeparator(LocaleThousandSeparator());
  // A picture of the chart takes the screen's pixel size. 24-bit colour is kept in
  // 32-bit pixels by the display, so such a screen gives 32-bit pictures.
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    SetDeviceBitsPerPixel(screen->depth() == 24 ? 32 : screen->depth());
  }
  SimGenerator();  // seeded from the clock before the window exists
  // A session that ends (logout, kill) during "Zapisz dane" or "Zapisz wykres" leaves
  // no half-written temporary file beside the user's.
  TSafeFileStream::RemoveTemporariesOnSignals();
  try {
    TForm1 form;
    form.show();
    return app.exec();
  } catch (const std::exception& e) {
    ShowMessage(e.what());
    return 1;
  }
}
