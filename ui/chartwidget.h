// The thin window that shows a chart. The chart itself is no widget: this forwards the
// paints (and later the mouse) to it and turns its repaint requests into one paint each.
// The widget owns its chart, so the two go together.
#pragma once

#include <QWidget>

#include <memory>

class TChart;

class TChartWidget : public QWidget {
  Q_OBJECT

 public:
  explicit TChartWidget(std::unique_ptr<TChart> chart, QWidget* parent = nullptr);
  ~TChartWidget() override;

  TChart& Chart() { return *chart_; }
  // Paints requested by the chart since the widget was made.
  int PaintRequests() const { return paintRequests_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  std::unique_ptr<TChart> chart_;
  int paintRequests_ = 0;
};
