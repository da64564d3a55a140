// The spin edit: value reading and writing, stepping, the keyboard filter, and keeping
// the arrow buttons at the right end of the field.
//
// Enter and Return are refused with a beep and not passed on: a number has no use for a
// line break, and passed on, the key would reach the window's default button while the
// user is still typing the number.
#include "ui/cspinedit.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>
#include <limits>

#include "platform/qt/messages.h"
#include "platform/text/numtext.h"
#include "ui/cspinbutton.h"

namespace vadidazid {

namespace {
// The window lays every spin edit out 22 pixels high for its 11-pixel font. Installed
// fonts differ by a pixel or so in their metrics; for fonts no larger than that one the
// minimum is held at the window's height, so that no font moves the window's layout.
constexpr int kWindowFontPixels = 11;
constexpr int kWindowEditHeight = 22;
constexpr int kBorderHeight = 1;
// The field's sunken frame, two pixels on every side. The buttons sit inside it, at the
// top of the area it encloses, so that the frame is drawn whole round them.
constexpr int kFrameWidth = 2;
// The buttons' left edge lies this much short of the field's width, measured from the
// frame's inner edge, and their height this much short of the field's height.
constexpr int kButtonInset = 5;
constexpr int kTextGap = 2;

constexpr QKeySequence::StandardKey kDeletingKeys[] = {
    QKeySequence::Delete,
    QKeySequence::DeleteEndOfWord,
    QKeySequence::DeleteStartOfWord,
    QKeySequence::DeleteEndOfLine,
    QKeySequence::DeleteCompleteLine,
};

bool IsDeletingKey(const QKeyEvent* event) {
  if (event->key() == Qt::Key_Delete) return true;
  return std::any_of(std::begin(kDeletingKeys), std::end(kDeletingKeys),
                     [event](QKeySequence::StandardKey key) { return event->matches(key); });
}

// The characters a key press types, as a desktop edit field receives them: Ctrl with a
// letter gives the letter's control code (Ctrl+V is 22), other Ctrl, Alt and Meta chords
// type nothing, and Ctrl+Alt (AltGr) types its text as it stands.
QString TypedText(const QKeyEvent* event) {
  const Qt::KeyboardModifiers mods = event->modifiers();
  const bool ctrl = mods & Qt::ControlModifier;
  const bool alt = mods & Qt::AltModifier;
  if (mods & Qt::MetaModifier) return {};
  if (ctrl && alt) return event->text();
  if (alt) return {};
  if (!ctrl) return event->text();
  const QString text = event->text();
  if (text.size() != 1) return {};
  const char16_t c = text.at(0).unicode();
  if (c < 32) return text;
  if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')) return QString(QChar(c & 0x1F));
  return {};
}
}  // namespace

TCSpinEdit::TCSpinEdit(QWidget* parent) : QLineEdit(parent) {
  button_ = new TCSpinButton(this);
  button_->setFocusPolicy(Qt::NoFocus);
  // Children take over the edit's text cursor unless they have their own.
  button_->setCursor(Qt::ArrowCursor);
  button_->resize(15, 17);
  button_->SetFocusControl(this);
  button_->OnUpClick = [this](QObject* sender) { UpClick(sender); };
  button_->OnDownClick = [this](QObject* sender) { DownClick(sender); };
  button_->show();
  setText(QStringLiteral("0"));
  setMinimumHeight(GetMinHeight());
}

void TCSpinEdit::SetEditorEnabled(bool enabled) {
  editorEnabled_ = enabled;
  setAcceptDrops(enabled);
}

int32_t TCSpinEdit::GetValue() {
  const QByteArray bytes = text().toUtf8();
  int32_t value = 0;
  if (TryStrToInt(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), value))
    return value;
  setText(QString::number(minValue_));
  return minValue_;
}

void TCSpinEdit::SetValue(int32_t value) { setText(QString::number(CheckValue(value))); }

int32_t TCSpinEdit::CheckValue(int32_t value) const {
  if (maxValue_ == minValue_) return value;
  if (value < minValue_) return minValue_;
  if (value > maxValue_) return maxValue_;
  return value;
}

int TCSpinEdit::GetMinHeight() const {
  const int h = QFontMetrics(font()).height();
  const int hSystem = QFontMetrics(QApplication::font()).height();
  int minHeight = h + std::min(hSystem, h) / 4 + 4 * kBorderHeight + 2;
  if (QFontInfo(font()).pixelSize() <= kWindowFontPixels)
    minHeight = std::min(minHeight, kWindowEditHeight);
  return minHeight;
}

bool TCSpinEdit::IsValidChar(char key) {
  const auto code = static_cast<unsigned char>(key);
  const bool valid = key == DecimalSeparator() || key == '+' || key == '-' ||
                     (key >= '0' && key <= '9') || (code < 32 && key != '\r');
  // Without the editor only the control characters remain, for the clipboard
  // shortcuts and select-all; Backspace would edit the text.
  if (valid && !editorEnabled_ && (code >= 32 || key == '\b')) return false;
  return valid;
}

void TCSpinEdit::UpClick(QObject*) { Step(increment_); }
void TCSpinEdit::DownClick(QObject*) { Step(-static_cast<int64_t>(increment_)); }

void TCSpinEdit::Step(int64_t delta) {
  if (isReadOnly()) {
    SystemBeep();
    return;
  }
  // Stepping past the end of the 32-bit range (possible without limits) stops at the end
  // instead of wrapping round to the other sign.
  const int64_t next = std::clamp<int64_t>(GetValue() + delta, std::numeric_limits<int32_t>::min(),
                                           std::numeric_limits<int32_t>::max());
  SetValue(static_cast<int32_t>(next));
}

bool TCSpinEdit::RefuseKey(const QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) return !IsValidChar('\r');
  if (IsDeletingKey(event)) return !editorEnabled_;
  const QString typed = TypedText(event);
  return std::any_of(typed.begin(), typed.end(), [this](QChar ch) {
    return ch.unicode() >= 128 || !IsValidChar(static_cast<char>(ch.unicode()));
  });
}

void TCSpinEdit::keyPressEvent(QKeyEvent* event) {
  const bool arrow = event->key() == Qt::Key_Up || event->key() == Qt::Key_Down;
  if (event->key() == Qt::Key_Up) UpClick(this);
  if (event->key() == Qt::Key_Down) DownClick(this);
  if (TextChangesBlocked() &&
      (event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut))) {
    event->accept();
    return;
  }
  if (RefuseKey(event)) {
    SystemBeep();
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
  // The field has used the arrow keys; they must not go on to move focus or scroll.
  if (arrow) event->accept();
}

void TCSpinEdit::focusInEvent(QFocusEvent* event) {
  const Qt::FocusReason reason = event->reason();
  // The base class selects everything on Tab by itself; AutoSelect decides that here.
  if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
      reason == Qt::ShortcutFocusReason) {
    QFocusEvent neutral(QEvent::FocusIn, Qt::OtherFocusReason);
    QLineEdit::focusInEvent(&neutral);
  } else {
    QLineEdit::focusInEvent(event);
  }
  // A click puts the cursor where the user pointed; returning from the context menu
  // keeps the selection the menu acted on.
  if (autoSelect_ && reason != Qt::MouseFocusReason && reason != Qt::PopupFocusReason) selectAll();
}

void TCSpinEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  // A context menu takes the focus only for a moment; the user is still editing.
  if (event->reason() == Qt::PopupFocusReason) return;
  const int32_t value = GetValue();
  if (CheckValue(value) != value) SetValue(value);
}

void TCSpinEdit::resizeEvent(QResizeEvent* event) {
  QLineEdit::resizeEvent(event);
  if (height() < GetMinHeight()) {
    resize(width(), GetMinHeight());
    return;
  }
  PlaceButton();
}

void TCSpinEdit::changeEvent(QEvent* event) {
  QLineEdit::changeEvent(event);
  if (event->type() == QEvent::FontChange) setMinimumHeight(GetMinHeight());
}

void TCSpinEdit::PlaceButton() {
  const int buttonWidth = button_->width();
  button_->setGeometry(kFrameWidth + width() - buttonWidth - kButtonInset, kFrameWidth, buttonWidth,
                       height() - kButtonInset);
  // The base class draws the text inside its contents rectangle, less the margins and a
  // fixed gap; the right margin is chosen so the text stops kTextGap short of the
  // buttons.
  QStyleOptionFrame option;
  initStyleOption(&option);
  const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
  const int gapInBase = 2;
  const int right = contents.right() + 1 - gapInBase - (button_->x() - kTextGap);
  setTextMargins(0, 0, std::max(0, right), 0);
}

void TCSpinEdit::contextMenuEvent(QContextMenuEvent* event) {
  // Built as for a read-only field when the editor is off, so that the menu offers
  // nothing that would change the text.
  const bool wasReadOnly = isReadOnly();
  if (!editorEnabled_) setReadOnly(true);
  QMenu* menu = createStandardContextMenu();
  if (!editorEnabled_) setReadOnly(wasReadOnly);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(event->globalPos());
}

void TCSpinEdit::mouseReleaseEvent(QMouseEvent* event) {
  // The middle button pastes the selection on systems that have one.
  if (event->button() == Qt::MiddleButton && TextChangesBlocked()) {
    event->accept();
    return;
  }
  QLineEdit::mouseReleaseEvent(event);
}

}  // namespace vadidazid
