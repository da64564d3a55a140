// The window's client area with its retained picture.
#include "ui/clientarea.h"

#include <QPaintEvent>
#include <QPainter>

namespace vadidazid {

TClientArea::TClientArea(int width, int height, QWidget* parent)
    : QWidget(parent), canvas_(width, height, clBtnFace, devicePixelRatioF()) {
  setFixedSize(width, height);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TClientArea::paintEvent(QPaintEvent* event) {
  // A screen of another ratio gets the picture carried over until the next drawing.
  canvas_.SetRatio(devicePixelRatioF());
  QPainter painter(this);
  painter.setClipRect(event->rect());
  painter.drawImage(QPointF(0, 0), canvas_.ScreenImage());
}

}  // namespace vadidazid
