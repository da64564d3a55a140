// Message box and beep over Qt, with test hooks.
#include "platform/qt/messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

namespace vadidazid {

const char* const kApplicationTitle = "Vadidazid";

namespace {
std::function<void(const std::string&)>& MessageHook() {
  static std::function<void(const std::string&)> hook;
  return hook;
}
std::function<void()>& BeepHook() {
  static std::function<void()> hook;
  return hook;
}
int openBoxes = 0;

// Counts a box from its opening to its closing, also when showing it throws.
class OpenBox {
 public:
  OpenBox() { ++openBoxes; }
  ~OpenBox() { --openBoxes; }
  OpenBox(const OpenBox&) = delete;
  OpenBox& operator=(const OpenBox&) = delete;
};
}  // namespace

int OpenMessageBoxes() { return openBoxes; }

void ShowMessage(const std::string& utf8Text, QWidget* parent) {
  OpenBox open;
  if (MessageHook()) {
    MessageHook()(utf8Text);
    return;
  }
  QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kApplicationTitle),
                  QString::fromUtf8(utf8Text), QMessageBox::Ok, parent);
  box.exec();
}

void SystemBeep() {
  if (BeepHook()) {
    BeepHook()();
    return;
  }
  QApplication::beep();
}

void SetMessageHook(std::function<void(const std::string&)> hook) {
  MessageHook() = std::move(hook);
}
void SetBeepHook(std::function<void()> hook) { BeepHook() = std::move(hook); }

}  // namespace vadidazid
