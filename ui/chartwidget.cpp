// The chart's window. Until the chart draws its axes, legend and lines, a paint shows
// the chart's panel colour.
#include "ui/chartwidget.h"

#include <QPainter>

#include "chart/chart.h"
#include "platform/qtcolor.h"

TChartWidget::TChartWidget(std::unique_ptr<TChart> chart, QWidget* parent)
    : QWidget(parent), chart_(std::move(chart)) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  chart_->OnInvalidate = [this] {
    ++paintRequests_;
    update();
  };
}

TChartWidget::~TChartWidget() { chart_->OnInvalidate = nullptr; }

void TChartWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), ToQColor(chart_->Color()));
}

void TChartWidget::resizeEvent(QResizeEvent*) { chart_->SetBounds(width(), height()); }
