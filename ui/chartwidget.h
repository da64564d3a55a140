// The thin window that shows a chart. The chart itself is no widget: the widget owns the
// image canvas the chart paints on, forwards its paints to the chart's Paint (which
// copies the chart's retained picture or draws anew, always onto that canvas) and puts
// the canvas on the screen; it draws nothing of its own. The chart's repaint requests
// become widget updates, which Qt merges into one paint. The widget owns its chart, so
// the two go together. Mouse presses, moves, releases, wheel turns and the pointer
// leaving go to the chart as they are; the chart decides what they mean.
#pragma once

#include <QWidget>

#include <memory>

#include "platform/qt/imagecanvas.h"

namespace vadidazid {

class TChart;

class TChartWidget : public QWidget {
  Q_OBJECT

 public:
  explicit TChartWidget(std::unique_ptr<TChart> chart, QWidget* parent = nullptr);
  ~TChartWidget() override;

  TChart& Chart() { return *chart_; }
  // The canvas the chart paints on, as the last paint left it.
  const ImageCanvas& WindowCanvas() const { return canvas_; }
  // Paints requested by the chart since the widget was made.
  int PaintRequests() const { return paintRequests_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  std::unique_ptr<TChart> chart_;
  ImageCanvas canvas_;
  int paintRequests_ = 0;
  int wheelRest_ = 0;  // eighths of a degree not yet a whole notch
};

}  // namespace vadidazid
