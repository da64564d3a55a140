// The chart's window: paints forwarded to the chart, its picture put on the screen.
#include "ui/chartwidget.h"

#include <QPainter>

#include "chart/chart.h"

TChartWidget::TChartWidget(std::unique_ptr<TChart> chart, QWidget* parent)
    : QWidget(parent), chart_(std::move(chart)), canvas_(0, 0, clBtnFace) {
  // The chart paints every pixel of its area, so Qt need not erase it first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  canvas_.Resize(chart_->Width(), chart_->Height());
  chart_->SetWindowCanvas(&canvas_);
  chart_->OnInvalidate = [this] {
    ++paintRequests_;
    update();
  };
}

TChartWidget::~TChartWidget() {
  chart_->OnInvalidate = nullptr;
  chart_->SetWindowCanvas(nullptr);
}

void TChartWidget::paintEvent(QPaintEvent*) {
  chart_->Paint();
  QPainter painter(this);
  painter.drawImage(0, 0, canvas_.Image());
}

void TChartWidget::resizeEvent(QResizeEvent*) {
  if (canvas_.Width() != width() || canvas_.Height() != height()) {
    canvas_.Resize(width(), height());
  }
  chart_->SetBounds(width(), height());
}
