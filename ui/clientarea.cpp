// The window's client area with its retained picture.
#include "ui/clientarea.h"

#include <QPaintEvent>
#include <QPainter>

namespace vadidazid {

TClientArea::TClientArea(int width, int height, QWidget* parent)
    : QWidget(parent), canvas_(width, height, clBtnFace) {
  setFixedSize(width, height);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TClientArea::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.drawImage(event->rect(), canvas_.Image(), event->rect());
}

}  // namespace vadidazid
