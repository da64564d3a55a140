// The thin window that shows a chart. The chart itself is no widget: the widget owns the
// image canvas the chart paints on, forwards its paints to the chart's Paint (which
// copies the chart's retained picture or draws anew, always onto that canvas) and puts
// the canvas on the screen; it draws nothing of its own. The chart's repaint requests
// become widget updates, which Qt merges into one paint. The widget owns its chart, so
// the two go together. Mouse presses, moves, releases, wheel turns and the pointer
// leaving go to the chart as they are; the chart decides what they mean. The canvas
// draws for the screen's device pixels (devicecanvas.h), so on a high-density screen the
// chart is sharp rather than enlarged; the chart itself works in logical pixels.
#pragma once

#include <QWidget>

#include <memory>
#include <string>

#include "ui/devicecanvas.h"

namespace vadidazid {

class TChart;

class TChartWidget : public QWidget {
  Q_OBJECT

 public:
  explicit TChartWidget(std::unique_ptr<TChart> chart, QWidget* parent = nullptr);
  ~TChartWidget() override;

  TChart& Chart() { return *chart_; }
  // Shows another chart in place of this one (a plot drawn anew as results come in),
  // at the widget's size.
  void SetChart(std::unique_ptr<TChart> chart);
  // The canvas the chart paints on, as the last paint left it.
  const DeviceCanvas& WindowCanvas() const { return canvas_; }
  // Saves the chart as "Zapisz wykres" does: the picture of a screen of ratio 1, at the
  // chart's logical size, whatever the ratio of the screen the window is on.
  void SavePicture(const std::string& fileName);
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
  void Attach();
  void Detach();
  // Follows the screen's device pixel ratio; a change makes the chart draw anew.
  void FollowPixelRatio();

  std::unique_ptr<TChart> chart_;
  DeviceCanvas canvas_;
  int paintRequests_ = 0;
  int wheelRest_ = 0;  // eighths of a degree not yet a whole notch
};

}  // namespace vadidazid
