// The window's client area behind its controls. The cells are drawn on it; it keeps the
// last picture in an image and paints it again whenever the window is repainted, so the
// grid does not vanish behind a message box or another window.
#pragma once

#include <QWidget>

#include "platform/qt/imagecanvas.h"

namespace vadidazid {

class TClientArea : public QWidget {
  Q_OBJECT

 public:
  TClientArea(int width, int height, QWidget* parent = nullptr);

  ImageCanvas& Canvas() { return canvas_; }
  const QImage& Picture() const { return canvas_.Image(); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  ImageCanvas canvas_;
};

}  // namespace vadidazid
