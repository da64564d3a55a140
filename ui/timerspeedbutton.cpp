// Painting and auto-repeat of one spin button half.
#include "ui/timerspeedbutton.h"

#include <qdrawutil.h>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <QTimer>

namespace vadidazid {

TTimerSpeedButton::TTimerSpeedButton(QWidget* parent) : QAbstractButton(parent) {
  // A half never takes the keyboard focus itself: pressing it hands the focus to the
  // control it belongs to.
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_Hover);
}

void TTimerSpeedButton::SetShowFocusRect(bool show) {
  if (showFocusRect_ == show) return;
  showFocusRect_ = show;
  update();
}

void TTimerSpeedButton::SetGlyph(const QImage& glyph) {
  glyph_ = glyph;
  drawnGlyph_ = glyph.convertToFormat(QImage::Format_ARGB32);
  if (!drawnGlyph_.isNull()) {
    const QRgb background = drawnGlyph_.pixel(0, drawnGlyph_.height() - 1);
    for (int y = 0; y < drawnGlyph_.height(); ++y)
      for (int x = 0; x < drawnGlyph_.width(); ++x)
        if (drawnGlyph_.pixel(x, y) == background) drawnGlyph_.setPixel(x, y, qRgba(0, 0, 0, 0));
  }
  updateGeometry();
  update();
}

QSize TTimerSpeedButton::sizeHint() const {
  return drawnGlyph_.isNull() ? QSize(15, 10) : drawnGlyph_.size() + QSize(6, 4);
}

void TTimerSpeedButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const bool down = isDown();
  const QRect bounds = rect();
  painter.fillRect(bounds, palette().button());
  qDrawShadePanel(&painter, bounds, palette(), down, 1);

  if (!drawnGlyph_.isNull()) {
    QPoint at((width() - drawnGlyph_.width()) / 2, (height() - drawnGlyph_.height()) / 2);
    if (down) at += QPoint(1, 1);
    if (!isEnabled()) painter.setOpacity(0.4);
    painter.drawImage(at, drawnGlyph_);
    painter.setOpacity(1.0);
  }

  if (showFocusRect_) {
    QRect focus = bounds.adjusted(3, 3, -3, -3);
    if (down) focus.translate(1, 1);
    QPen pen(palette().color(QPalette::ButtonText));
    pen.setCosmetic(true);
    pen.setDashPattern({1.0, 1.0});
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(focus.adjusted(0, 0, -1, -1));
  }
}

void TTimerSpeedButton::mousePressEvent(QMouseEvent* event) {
  if (OnMouseDown) OnMouseDown(this, event->button());
  QAbstractButton::mousePressEvent(event);
  if (event->button() != Qt::LeftButton || !isDown()) return;
  holdingMouse_ = true;
  if (!repeatEnabled_) return;
  if (!repeatTimer_) {
    repeatTimer_ = new QTimer(this);
    connect(repeatTimer_, &QTimer::timeout, this, &TTimerSpeedButton::RepeatTimerExpired);
  }
  repeatTimer_->setInterval(kFirstRepeatMs);
  repeatTimer_->start();
}

void TTimerSpeedButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) holdingMouse_ = false;
  // The base class clicks when the mouse is released over the button. Should that click
  // fail, the timer still has to stop, or it would keep running with nothing to repeat.
  try {
    QAbstractButton::mouseReleaseEvent(event);
  } catch (...) {
    if (repeatTimer_) repeatTimer_->stop();
    throw;
  }
  if (repeatTimer_) repeatTimer_->stop();
}

void TTimerSpeedButton::RepeatTimerExpired() {
  if (repeatTimer_) repeatTimer_->setInterval(kNextRepeatMs);
  // The mouse may have left the button (it then shows released) or been released
  // elsewhere; only a button that is both down and held repeats.
  if (!isDown() || !holdingMouse_) return;
  try {
    emit clicked(isChecked());
  } catch (...) {
    if (repeatTimer_) repeatTimer_->stop();
    throw;
  }
}

}  // namespace vadidazid
