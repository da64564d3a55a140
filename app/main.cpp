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

#include "app/windowicon.h"
#include "app/windowoptions.h"
#include "app/windowstart.h"
#include "platform/exceptions.h"
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
  TWindowStart start(argc, argv);  // without a display: one line and status 1, not an abort
  QApplication app(start.Argc(), start.Argv());  // takes the toolkit's own options out
  if (auto status = start.Started(std::cerr)) return *status;
  QApplication::setApplicationName(QString::fromUtf8(kApplicationTitle));
  // The window is its desktop entry's: a dock groups it with the launcher (the entry's
  // StartupWMClass is this name) and shows the launcher's icon for it.
  QGuiApplication::setDesktopFileName(QStringLiteral("pl.vadidazid.Vadidazid"));
  QApplication::setWindowIcon(WindowIcon(QCoreApplication::applicationDirPath().toStdString()));
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
  } catch (...) {
    const FailureReport report = DescribeFailure(std::current_exception());
    ShowMessage(report.message);
    return static_cast<int>(report.status);
  }
}
