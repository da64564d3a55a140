// The two halves of a spin button: their layout, their pictures, and how pressing one
// moves the keyboard focus.
#include "ui/cspinbutton.h"

#include <QKeyEvent>
#include <QResizeEvent>

#include <algorithm>

#include "ui/timerspeedbutton.h"

namespace vadidazid {

namespace {
constexpr QRgb kGlyphBackground = qRgb(0x80, 0x80, 0x00);
constexpr int kGlyphWidth = 9;
constexpr int kGlyphHeight = 6;

// Whether the widget would accept the focus from the keyboard now.
bool CanTakeFocus(const QWidget* widget) {
  return (widget->focusPolicy() & Qt::TabFocus) && widget->isEnabled() && widget->isVisible();
}
}  // namespace

TCSpinButton::TCSpinButton(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::TabFocus);
  setAutoFillBackground(true);
  upButton_ = CreateButton(true);
  downButton_ = CreateButton(false);
  focusedButton_ = upButton_;
  resize(sizeHint());
  AdjustSize(width(), height());
}

QImage TCSpinButton::DefaultGlyph(bool up) {
  QImage glyph(kGlyphWidth, kGlyphHeight, QImage::Format_RGB32);
  glyph.fill(kGlyphBackground);
  // Rows 1 to 4 hold the triangle, 1, 3, 5 and 7 pixels wide around the middle column.
  for (int row = 0; row < 4; ++row) {
    const int y = up ? 1 + row : kGlyphHeight - 2 - row;
    for (int x = kGlyphWidth / 2 - row; x <= kGlyphWidth / 2 + row; ++x)
      glyph.setPixel(x, y, qRgb(0, 0, 0));
  }
  return glyph;
}

TTimerSpeedButton* TCSpinButton::CreateButton(bool up) {
  auto* button = new TTimerSpeedButton(this);
  button->SetRepeatEnabled(true);
  button->SetGlyph(DefaultGlyph(up));
  connect(button, &QAbstractButton::clicked, this, [this, button] { BtnClick(button); });
  button->OnMouseDown = [this](TTimerSpeedButton* sender, Qt::MouseButton mouseButton) {
    BtnMouseDown(sender, mouseButton);
  };
  button->show();
  return button;
}

QImage TCSpinButton::GetUpGlyph() const { return upButton_->GetGlyph(); }
void TCSpinButton::SetUpGlyph(const QImage& glyph) { upButton_->SetGlyph(glyph); }
QImage TCSpinButton::GetDownGlyph() const { return downButton_->GetGlyph(); }
void TCSpinButton::SetDownGlyph(const QImage& glyph) { downButton_->SetGlyph(glyph); }

QSize TCSpinButton::AdjustSize(int width, int height) {
  width = std::max(width, kMinWidth);
  // The halves overlap by one pixel so that their borders meet in a single line.
  const int upHeight = height / 2;
  upButton_->setGeometry(0, 0, width, upHeight);
  downButton_->setGeometry(0, upHeight - 1, width, height - upHeight + 1);
  return QSize(width, height);
}

void TCSpinButton::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const QSize adjusted = AdjustSize(width(), height());
  if (adjusted != size()) resize(adjusted);
}

void TCSpinButton::BtnClick(QObject* sender) {
  if (sender == upButton_) {
    if (OnUpClick) OnUpClick(this);
  } else if (OnDownClick) {
    OnDownClick(this);
  }
}

void TCSpinButton::BtnMouseDown(TTimerSpeedButton* sender, Qt::MouseButton button) {
  if (button != Qt::LeftButton) return;
  SetFocusBtn(sender);
  if (focusControl_ && CanTakeFocus(focusControl_) && !focusControl_->hasFocus())
    focusControl_->setFocus(Qt::MouseFocusReason);
  else if (!hasFocus() && CanTakeFocus(this))
    setFocus(Qt::MouseFocusReason);
}

void TCSpinButton::SetFocusBtn(TTimerSpeedButton* button) {
  if (!CanTakeFocus(this) || button == focusedButton_) return;
  focusedButton_->SetShowFocusRect(false);
  focusedButton_ = button;
  if (hasFocus()) focusedButton_->SetShowFocusRect(true);
}

void TCSpinButton::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Space:
      focusedButton_->click();
      break;
    case Qt::Key_Up:
      SetFocusBtn(upButton_);
      upButton_->click();
      break;
    case Qt::Key_Down:
      SetFocusBtn(downButton_);
      downButton_->click();
      break;
    default:
      QWidget::keyPressEvent(event);
  }
}

void TCSpinButton::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  focusedButton_->SetShowFocusRect(true);
}

void TCSpinButton::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  focusedButton_->SetShowFocusRect(false);
}

}  // namespace vadidazid
