// Spin button pair and its halves: auto-repeat counted expiry by expiry, the glyphs and
// their painting, the stand-alone layout, keyboard and focus handling.
#include "ui/cspinbutton.h"

#include <QImage>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "ui/cspinedit.h"
#include "ui/timerspeedbutton.h"

namespace vadidazid {

namespace {

// A shown, active window with a stand-alone spin button that counts its clicks, and a
// field that may serve as its FocusControl.
class SpinButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host = std::make_unique<QWidget>();
    pair = new TCSpinButton(host.get());
    pair->move(10, 10);
    field = new QLineEdit(host.get());
    field->setGeometry(10, 50, 60, 22);
    pair->OnUpClick = [this](QObject*) { ++ups; };
    pair->OnDownClick = [this](QObject*) { ++downs; };
    host->resize(120, 100);
    host->show();
    host->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(host.get()));
  }

  static QPoint Inside(QWidget* w) { return w->rect().center(); }
  static QPoint Outside(QWidget* w) { return QPoint(w->width() + 20, w->height() + 20); }

  std::unique_ptr<QWidget> host;
  TCSpinButton* pair = nullptr;
  QLineEdit* field = nullptr;
  int ups = 0;
  int downs = 0;
};

TEST_F(SpinButtonTest, HoldingRepeatsAndReleasingOverTheButtonStepsOnceMore) {
  TTimerSpeedButton* up = pair->GetUpButton();
  EXPECT_EQ(up->GetRepeatTimer(), nullptr) << "created on the first press only";
  QTest::mousePress(up, Qt::LeftButton, {}, Inside(up));
  QTimer* timer = up->GetRepeatTimer();
  ASSERT_NE(timer, nullptr);
  EXPECT_TRUE(timer->isActive());
  EXPECT_EQ(timer->interval(), 400);
  EXPECT_EQ(ups, 0) << "pressing alone does not step";
  // Held for 950 ms: expiries at 400, 500, ..., 900 ms.
  for (int i = 0; i < 6; ++i) up->RepeatTimerExpired();
  EXPECT_EQ(ups, 6);
  EXPECT_EQ(timer->interval(), 100);
  QTest::mouseRelease(up, Qt::LeftButton, {}, Inside(up));
  EXPECT_EQ(ups, 7);
  EXPECT_FALSE(timer->isActive());
  // A late expiry after the release repeats nothing.
  up->RepeatTimerExpired();
  EXPECT_EQ(ups, 7);
  EXPECT_EQ(downs, 0);
}

TEST_F(SpinButtonTest, RepeatCountsByHowThePressEnds) {
  struct {
    const char* name;
    bool down;     // which half
    int expiries;  // while held over the button
    bool moveOut;  // the mouse leaves the button before the release
    int expiriesAfterMove;
    bool releaseInside;
    int steps;
  } const cases[] = {
      {"short press", false, 0, false, 0, true, 1},
      {"released outside", false, 3, false, 0, false, 3},
      {"moved out stops repeating", true, 2, true, 4, false, 2},
      {"held on the lower half", true, 5, false, 0, true, 6},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ups = downs = 0;
    TTimerSpeedButton* half = c.down ? pair->GetDownButton() : pair->GetUpButton();
    QTest::mousePress(half, Qt::LeftButton, {}, Inside(half));
    for (int i = 0; i < c.expiries; ++i) half->RepeatTimerExpired();
    if (c.moveOut) {
      QTest::mouseMove(half, Outside(half));
      for (int i = 0; i < c.expiriesAfterMove; ++i) half->RepeatTimerExpired();
    }
    QTest::mouseRelease(half, Qt::LeftButton, {}, c.releaseInside ? Inside(half) : Outside(half));
    EXPECT_EQ(c.down ? downs : ups, c.steps);
    EXPECT_EQ(c.down ? ups : downs, 0);
    EXPECT_FALSE(half->GetRepeatTimer()->isActive());
  }
}

TEST_F(SpinButtonTest, TheTimerDrivesTheRepeat) {
  TTimerSpeedButton* up = pair->GetUpButton();
  QTest::mousePress(up, Qt::LeftButton, {}, Inside(up));
  QSignalSpy expired(up->GetRepeatTimer(), &QTimer::timeout);
  ASSERT_TRUE(expired.wait(2000));
  EXPECT_EQ(ups, 1);
  EXPECT_EQ(up->GetRepeatTimer()->interval(), 100);
  QTest::mouseRelease(up, Qt::LeftButton, {}, Inside(up));
  EXPECT_GE(ups, 2);
}

TEST_F(SpinButtonTest, AFailingRepeatStopsTheTimer) {
  pair->OnUpClick = [](QObject*) { throw std::runtime_error("step failed"); };
  TTimerSpeedButton* up = pair->GetUpButton();
  QTest::mousePress(up, Qt::LeftButton, {}, Inside(up));
  EXPECT_THROW(up->RepeatTimerExpired(), std::runtime_error);
  EXPECT_FALSE(up->GetRepeatTimer()->isActive());
  pair->OnUpClick = nullptr;
  QTest::mouseRelease(up, Qt::LeftButton, {}, Inside(up));
}

TEST_F(SpinButtonTest, StandAloneLayout) {
  EXPECT_EQ(pair->size(), QSize(20, 25));
  EXPECT_EQ(pair->GetUpButton()->geometry(), QRect(0, 0, 20, 12));
  EXPECT_EQ(pair->GetDownButton()->geometry(), QRect(0, 11, 20, 14));
  pair->resize(8, 30);
  EXPECT_EQ(pair->size(), QSize(15, 30)) << "never narrower than 15";
  EXPECT_EQ(pair->GetDownButton()->geometry(), QRect(0, 14, 15, 16));
}

TEST_F(SpinButtonTest, KeyboardOnTheStandAlonePair) {
  struct {
    const char* keys;  // s = space, u = up arrow, d = down arrow
    int ups, downs;
    bool downFocused;
  } const cases[] = {
      {"s", 1, 0, false}, {"u", 1, 0, false},   {"d", 0, 1, true},
      {"ds", 0, 2, true}, {"dus", 2, 1, false}, {"uudd", 2, 2, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.keys);
    ups = downs = 0;
    pair->SetFocusBtn(pair->GetUpButton());
    pair->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(pair->hasFocus());
    for (const char* k = c.keys; *k; ++k)
      QTest::keyClick(pair, *k == 's' ? Qt::Key_Space : *k == 'u' ? Qt::Key_Up : Qt::Key_Down);
    EXPECT_EQ(ups, c.ups);
    EXPECT_EQ(downs, c.downs);
    TTimerSpeedButton* focused = c.downFocused ? pair->GetDownButton() : pair->GetUpButton();
    TTimerSpeedButton* unfocused = c.downFocused ? pair->GetUpButton() : pair->GetDownButton();
    EXPECT_EQ(pair->GetFocusedButton(), focused);
    EXPECT_TRUE(focused->GetShowFocusRect());
    EXPECT_FALSE(unfocused->GetShowFocusRect());
  }
  field->setFocus(Qt::TabFocusReason);
  EXPECT_FALSE(pair->GetFocusedButton()->GetShowFocusRect()) << "cleared on losing the focus";
}

TEST_F(SpinButtonTest, APressHandsTheFocusToTheFocusControl) {
  struct {
    Qt::MouseButton button;
    bool fieldFocused;
  } const cases[] = {{Qt::LeftButton, true}, {Qt::RightButton, false}};
  pair->SetFocusControl(field);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.button);
    host->setFocus(Qt::OtherFocusReason);
    QTest::mouseClick(pair->GetDownButton(), c.button, {}, Inside(pair->GetDownButton()));
    EXPECT_EQ(field->hasFocus(), c.fieldFocused);
  }
  // Without a FocusControl the pair, a tab stop, takes the focus and moves the focus
  // rectangle to the pressed half.
  pair->SetFocusControl(nullptr);
  host->setFocus(Qt::OtherFocusReason);
  QTest::mouseClick(pair->GetDownButton(), Qt::LeftButton, {}, Inside(pair->GetDownButton()));
  EXPECT_TRUE(pair->hasFocus());
  EXPECT_EQ(pair->GetFocusedButton(), pair->GetDownButton());
  EXPECT_TRUE(pair->GetDownButton()->GetShowFocusRect());
}

TEST(SpinGlyph, TrianglesOnAnOliveBackground) {
  const int upWidths[] = {0, 1, 3, 5, 7, 0};
  for (bool up : {true, false}) {
    SCOPED_TRACE(up ? "up" : "down");
    const QImage glyph = TCSpinButton::DefaultGlyph(up);
    ASSERT_EQ(glyph.size(), QSize(9, 6));
    EXPECT_EQ(glyph.pixel(0, 5) & 0xFFFFFF, 0x808000u);
    for (int y = 0; y < 6; ++y) {
      const int width = upWidths[up ? y : 5 - y];
      for (int x = 0; x < 9; ++x) {
        const bool black = x >= 4 - width / 2 && x <= 4 + width / 2 && width > 0;
        EXPECT_EQ(glyph.pixel(x, y) & 0xFFFFFF, black ? 0u : 0x808000u) << x << "," << y;
      }
    }
  }
}

TEST(SpinGlyph, PaintedCentredWithoutItsBackgroundAndShiftedWhenPressed) {
  TCSpinEdit edit;
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(11);
  edit.setFont(font);
  edit.resize(61, 22);
  edit.show();
  TTimerSpeedButton* up = edit.GetButton()->GetUpButton();
  ASSERT_EQ(up->size(), QSize(15, 8));
  // The glyph's top-left lands at (3, 1); its apex is glyph pixel (4, 1).
  struct {
    bool pressed;
    QPoint apex;
    QPoint aboveApex;
  } const cases[] = {{false, {7, 2}, {7, 1}}, {true, {8, 3}, {8, 2}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pressed);
    up->setDown(c.pressed);
    QImage image(up->size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    up->render(&image);
    EXPECT_EQ(image.pixel(c.apex) & 0xFFFFFF, 0u);
    EXPECT_NE(image.pixel(c.aboveApex) & 0xFFFFFF, 0u);
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        ASSERT_NE(image.pixel(x, y) & 0xFFFFFF, 0x808000u)
            << "background drawn at " << x << "," << y;
  }
}

}  // namespace

}  // namespace vadidazid
