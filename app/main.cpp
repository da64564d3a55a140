// The program's entry: the application with its title, the decimal and thousands
// separators of the user's locale, the simulation's generator, and the main window.
#include <QApplication>

#include <exception>

#include "platform/formatfloat.h"
#include "platform/messages.h"
#include "platform/numtext.h"
#include "random/randomvariates.h"
#include "ui/mainwindow.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromUtf8(kApplicationTitle));
  SetDecimalSeparator(LocaleDecimalSeparator());
  SetThousandSeparator(LocaleThousandSeparator());
  SimGenerator();  // seeded from the clock before the window exists
  try {
    TForm1 form;
    form.show();
    return app.exec();
  } catch (const std::exception& e) {
    ShowMessage(e.what());
    return 1;
  }
}
