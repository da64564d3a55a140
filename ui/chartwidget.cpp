// The chart's window: paints forwarded to the chart, its picture put on the screen.
#include "ui/chartwidget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "chart/panel/chart.h"

namespace vadidazid {

TChartWidget::TChartWidget(std::unique_ptr<TChart> chart, QWidget* parent)
    : QWidget(parent), chart_(std::move(chart)), canvas_(0, 0, clBtnFace, devicePixelRatioF()) {
  // The chart paints every pixel of its area, so Qt need not erase it first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  canvas_.Resize(chart_->Width(), chart_->Height());
  Attach();
}

void TChartWidget::Attach() {
  chart_->SetWindowCanvas(&canvas_);
  chart_->OnInvalidate = [this] {
    ++paintRequests_;
    update();
  };
  chart_->OnWindowDrawn = [this](bool now) {
    if (now) {
      repaint();
    } else {
      update();
    }
  };
}

TChartWidget::~TChartWidget() { Detach(); }

void TChartWidget::Detach() {
  chart_->OnInvalidate = nullptr;
  chart_->OnWindowDrawn = nullptr;
  chart_->SetWindowCanvas(nullptr);
}

void TChartWidget::SetChart(std::unique_ptr<TChart> chart) {
  Detach();
  chart_ = std::move(chart);
  Attach();
  if (width() > 0 && height() > 0) chart_->SetBounds(width(), height());
  chart_->Canvas3D().Invalidate();
  update();
}

void TChartWidget::paintEvent(QPaintEvent*) {
  // The canvas keeps what was last drawn on it, so only a changed chart is drawn again:
  // a paint for another reason shows the canvas as it is, with a zoom's rubber band.
  FollowPixelRatio();
  if (chart_->Canvas3D().ImageStale()) chart_->Paint();
  QPainter painter(this);
  painter.drawImage(QPointF(0, 0), canvas_.ScreenImage());
}

void TChartWidget::FollowPixelRatio() {
  const double ratio = devicePixelRatioF();
  if (ratio == canvas_.Ratio()) return;
  canvas_.SetRatio(ratio);
  // The retained off-screen picture has the old ratio: buffering off and on again
  // drops it, and the chart draws anew at this paint.
  TTeeCanvas3D& canvas = chart_->Canvas3D();
  canvas.SetUseBuffer(false);
  canvas.SetUseBuffer(true);
  canvas.Invalidate();
}

void TChartWidget::SavePicture(const std::string& fileName) {
  if (canvas_.Ratio() == 1.0) {
    chart_->SaveToBitmapFile(fileName);
    return;
  }
  // The picture is made by the window's canvas; one of ratio 1 stands in for it while
  // the chart is drawn for the file. The window's own picture is drawn anew afterwards.
  DeviceCanvas plain(canvas_.Width(), canvas_.Height(), clBtnFace);
  chart_->SetWindowCanvas(&plain);
  try {
    chart_->SaveToBitmapFile(fileName);
  } catch (...) {
    chart_->SetWindowCanvas(&canvas_);
    throw;
  }
  chart_->SetWindowCanvas(&canvas_);
  update();
}

void TChartWidget::resizeEvent(QResizeEvent*) {
  if (canvas_.Width() != width() || canvas_.Height() != height()) {
    canvas_.Resize(width(), height());
  }
  chart_->SetBounds(width(), height());
}

namespace {

TMouseButton ButtonOf(Qt::MouseButton button) {
  switch (button) {
    case Qt::RightButton:
      return TMouseButton::mbRight;
    case Qt::MiddleButton:
      return TMouseButton::mbMiddle;
    default:
      return TMouseButton::mbLeft;
  }
}

TShiftState ShiftOf(const QMouseEvent& event, bool isDouble) {
  TShiftState s = isDouble ? ssDouble : 0;
  const Qt::KeyboardModifiers keys = event.modifiers();
  if (keys & Qt::ShiftModifier) s |= ssShift;
  if (keys & Qt::AltModifier) s |= ssAlt;
  if (keys & Qt::ControlModifier) s |= ssCtrl;
  const Qt::MouseButtons held = event.buttons();
  if (held & Qt::LeftButton) s |= ssLeft;
  if (held & Qt::RightButton) s |= ssRight;
  if (held & Qt::MiddleButton) s |= ssMiddle;
  return s;
}

}  // namespace

void TChartWidget::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  chart_->MouseDown(ButtonOf(event->button()), ShiftOf(*event, false), p.x(), p.y());
}

// The second press of a double click is a press like the first.
void TChartWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  chart_->MouseDown(ButtonOf(event->button()), ShiftOf(*event, true), p.x(), p.y());
}

void TChartWidget::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  chart_->MouseMove(ShiftOf(*event, false), p.x(), p.y());
}

void TChartWidget::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  chart_->MouseUp(ButtonOf(event->button()), ShiftOf(*event, false), p.x(), p.y());
}

void TChartWidget::wheelEvent(QWheelEvent* event) {
  QWidget::wheelEvent(event);
  // Whole notches of 120; a fine-grained wheel's parts add up until they make one.
  wheelRest_ += event->angleDelta().y();
  const int notchesUp = wheelRest_ / 120;
  wheelRest_ -= notchesUp * 120;
  if (notchesUp != 0) chart_->MouseWheel(-notchesUp);
  event->accept();
}

void TChartWidget::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  chart_->MouseLeave();
}

}  // namespace vadidazid
