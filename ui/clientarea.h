// The window's client area behind its controls. The cells are drawn on it; it keeps the
// last picture in an image and paints it again whenever the window is repainted, so the
// grid does not vanish behind a message box or another window. The picture is kept at the
// screen's device pixel ratio (devicecanvas.h), so the cells are drawn sharp on a
// high-density screen.
#pragma once

#include <QWidget>

#include "ui/devicecanvas.h"

namespace vadidazid {

class TClientArea : public QWidget {
  Q_OBJECT

 public:
  TClientArea(int width, int height, QWidget* parent = nullptr);

  DeviceCanvas& Canvas() { return canvas_; }
  const QImage& Picture() const { return canvas_.Image(); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  DeviceCanvas canvas_;
};

}  // namespace vadidazid
