// Zoom and scroll in the real window, driven by Qt Test mouse events on the chart after
// a few steps of the default run: small drags, zooms, undo, scrolling with the right
// button, the wheel, the legend's own presses, and the rubber band on the screen.
#include <QApplication>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include "chart/axis/chartaxis.h"
#include "chart/panel/chart.h"
#include "chart/series/chartseries.h"
#include "platform/qt/messages.h"
#include "random/randomvariates.h"
#include "random/runtimerandom.h"
#include "tests/ui/shownform.h"
#include "ui/chartwidget.h"
#include "ui/mainwindow.h"

namespace vadidazid {

namespace {

struct Range {
  bool automatic;
  double minimum, maximum;
  friend bool operator==(const Range&, const Range&) = default;
};

class ChartZoomWindow : public SteppedForm {
 protected:
  ChartZoomWindow() : SteppedForm(30) {}

  TChartAxis& Left() { return *Chart().LeftAxis(); }
  TChartAxis& Bottom() { return *Chart().BottomAxis(); }
  static Range RangeOf(const TChartAxis& a) { return {a.Automatic(), a.Minimum(), a.Maximum()}; }
  QRgb Screen(int x, int y) { return form->Chart1->grab().toImage().pixel(x, y); }

  void Press(Qt::MouseButton b, QPoint p) { QTest::mousePress(form->Chart1, b, {}, p); }
  void Move(QPoint p) { QTest::mouseMove(form->Chart1, p); }
  void Release(Qt::MouseButton b, QPoint p) { QTest::mouseRelease(form->Chart1, b, {}, p); }
  void Drag(Qt::MouseButton b, QPoint from, QPoint to) {
    Press(b, from);
    Move((from + to) / 2);
    Move(to);
    Release(b, to);
    Paint();
  }
  void Wheel(int angle) {
    const QPointF at(200, 100);
    QWheelEvent wheel(at, form->Chart1->mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(form->Chart1, &wheel);
    Paint();
  }
};

TEST_F(ChartZoomWindow, SmallDragsNothingRightDragsZoomLeftDragsUndo) {
  const Range left = RangeOf(Left()), bottom = RangeOf(Bottom());
  Drag(Qt::LeftButton, {100, 100}, {200, 110});
  EXPECT_EQ(RangeOf(Left()), left);
  EXPECT_EQ(RangeOf(Bottom()), bottom);

  const double leftTarget[2] = {Left().CalcPosPoint(150), Left().CalcPosPoint(80)};
  const double bottomTarget[2] = {Bottom().CalcPosPoint(100), Bottom().CalcPosPoint(300)};
  int draws = 0;
  Chart().OnAfterDraw = [&] { ++draws; };
  Drag(Qt::LeftButton, {100, 80}, {300, 150});
  EXPECT_GE(draws, 7);  // the animation's frames, then the final paint
  EXPECT_EQ(RangeOf(Left()), (Range{false, leftTarget[0], leftTarget[1]}));
  EXPECT_EQ(RangeOf(Bottom()), (Range{false, bottomTarget[0], bottomTarget[1]}));

  // The run goes on; the zoomed axes stay where they are.
  for (int i = 0; i < 10; ++i) form->Button2Click();
  Paint();
  EXPECT_EQ(RangeOf(Left()), (Range{false, leftTarget[0], leftTarget[1]}));
  EXPECT_EQ(RangeOf(Bottom()), (Range{false, bottomTarget[0], bottomTarget[1]}));

  Drag(Qt::LeftButton, {300, 150}, {250, 100});
  EXPECT_TRUE(Left().Automatic());
  EXPECT_TRUE(Bottom().Automatic());
  EXPECT_EQ(Bottom().Maximum(), 39);  // fitted to the 40 points again
}

TEST_F(ChartZoomWindow, TheRightButtonMovesTheDataWithThePointer) {
  const QPoint start(200, 100);
  const double x = Bottom().CalcPosPoint(start.x()), y = Left().CalcPosPoint(start.y());
  const double xPixel = (Bottom().Maximum() - Bottom().Minimum()) / Bottom().AxisSize();
  const double yPixel = (Left().Maximum() - Left().Minimum()) / Left().AxisSize();
  Press(Qt::RightButton, start);
  // Across first, then up and down: a vertical scroll may change the width of the left
  // axis' labels and so move the plot's left edge, which no pointer can follow.
  for (QPoint p : {QPoint(260, 100), QPoint(120, 100), QPoint(150, 100)}) {
    Move(p);
    Paint();
    EXPECT_NEAR(Bottom().CalcPosPoint(p.x()), x, xPixel) << p.x();
  }
  for (QPoint p : {QPoint(150, 60), QPoint(150, 170), QPoint(150, 90)}) {
    Move(p);
    Paint();
    EXPECT_NEAR(Left().CalcPosPoint(p.y()), y, yPixel) << p.y();
  }
  Release(Qt::RightButton, {150, 90});
  EXPECT_FALSE(Left().Automatic());
  // Zoom, then scroll, then undo: automatic again.
  Drag(Qt::LeftButton, {100, 80}, {300, 150});
  Drag(Qt::RightButton, {200, 100}, {150, 120});
  Drag(Qt::LeftButton, {300, 150}, {100, 80});
  EXPECT_TRUE(Left().Automatic());
  EXPECT_TRUE(Bottom().Automatic());
}

TEST_F(ChartZoomWindow, TheWheelMovesTheVerticalAxes) {
  const Range before = RangeOf(Left());
  Wheel(-120);  // one notch down: the lines move down
  const double step = (before.maximum - before.minimum) * 0.03;
  EXPECT_EQ(RangeOf(Left()), (Range{false, before.minimum + step, before.maximum + step}));
  Wheel(120);
  EXPECT_DOUBLE_EQ(Left().Minimum(), before.minimum);
  EXPECT_TRUE(Bottom().Automatic());
}

TEST_F(ChartZoomWindow, TheLegendTogglesAndNeverZooms) {
  const TPoint text = Chart().Legend().Items()[1].textPos;
  const QPoint onItem(text.x + 4, text.y + 5);
  Drag(Qt::LeftButton, onItem, onItem + QPoint(60, 60));
  EXPECT_FALSE(Chart().Series(1)->Active());
  EXPECT_TRUE(Left().Automatic());
  EXPECT_FALSE(Chart().Zoomed());
  QTest::mouseClick(form->Chart1, Qt::LeftButton, {}, onItem);
  EXPECT_TRUE(Chart().Series(1)->Active());
  // With every series off a press on the plot starts nothing.
  for (int s = 0; s < 4; ++s) Chart().Series(s)->SetActive(false);
  Paint();
  Press(Qt::LeftButton, {150, 100});
  EXPECT_FALSE(Chart().Zoom().Active());
  Release(Qt::LeftButton, {150, 100});
}

TEST_F(ChartZoomWindow, TheRubberBandShowsWhileDraggingAndGoesAfter) {
  const QImage before = form->Chart1->grab().toImage();
  Press(Qt::LeftButton, {100, 80});
  Move({110, 90});  // too small to count when released
  Move({120, 95});
  QTest::qWait(20);
  const QImage during = form->Chart1->grab().toImage();
  // The band's corner on the plain plot: the panel colour turns white.
  EXPECT_EQ(before.pixel(100, 88), qRgb(0xF0, 0xF0, 0xF0));
  EXPECT_EQ(during.pixel(100, 88), qRgb(0xFF, 0xFF, 0xFF));
  EXPECT_NE(during, before);
  Release(Qt::LeftButton, {120, 95});
  QTest::qWait(20);
  EXPECT_EQ(form->Chart1->grab().toImage(), before);
}

}  // namespace

}  // namespace vadidazid
