// Spin edit: what typing, the arrow keys and leaving the field do to its text and value,
// which keys beep, the focus selection, and where the buttons sit.
#include "ui/cspinedit.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

#include "platform/qt/messages.h"
#include "platform/text/numtext.h"
#include "ui/cspinbutton.h"
#include "ui/timerspeedbutton.h"

namespace vadidazid {

namespace {

QFont WindowFont() {
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(11);
  return font;
}

// A shown, active window holding the spin edit and a second field to move the focus to.
class SpinEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetBeepHook([this] { ++beeps; });
    oldSeparator_ = DecimalSeparator();
    SetDecimalSeparator('.');
    host = std::make_unique<QWidget>();
    host->setFont(WindowFont());
    edit = new TCSpinEdit(host.get());
    edit->setGeometry(10, 10, 61, 22);
    other = new QLineEdit(host.get());
    other->setGeometry(10, 40, 61, 22);
    host->resize(200, 100);
    host->show();
    host->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(host.get()));
  }
  void TearDown() override {
    host.reset();
    SetBeepHook({});
    SetDecimalSeparator(oldSeparator_);
  }

  // Plays a key script on the field: characters are typed, {Name} is a special key or
  // action (see below).
  void Play(const QString& script) {
    for (qsizetype i = 0; i < script.size();) {
      if (script[i] != u'{') {
        QTest::keyClicks(edit, script.mid(i, 1));
        ++i;
        continue;
      }
      const qsizetype end = script.indexOf(u'}', i);
      const QString token = script.mid(i + 1, end - i - 1);
      i = end + 1;
      if (token == u"Up")
        QTest::keyClick(edit, Qt::Key_Up);
      else if (token == u"Down")
        QTest::keyClick(edit, Qt::Key_Down);
      else if (token == u"Enter")
        QTest::keyClick(edit, Qt::Key_Return);
      else if (token == u"KpEnter")
        QTest::keyClick(edit, Qt::Key_Enter, Qt::KeypadModifier);
      else if (token == u"Bksp")
        QTest::keyClick(edit, Qt::Key_Backspace);
      else if (token == u"Del")
        QTest::keyClick(edit, Qt::Key_Delete);
      else if (token == u"Home")
        QTest::keyClick(edit, Qt::Key_Home);
      else if (token == u"All")
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
      else if (token == u"Paste")
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
      else if (token == u"ShiftIns")
        QTest::keyClick(edit, Qt::Key_Insert, Qt::ShiftModifier);
      else if (token == u"Cut")
        QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
      else if (token == u"Out")
        other->setFocus(Qt::TabFocusReason);
      else
        ADD_FAILURE() << "unknown token " << token.toStdString();
    }
  }

  int beeps = 0;
  std::unique_ptr<QWidget> host;
  TCSpinEdit* edit = nullptr;
  QLineEdit* other = nullptr;

 private:
  char oldSeparator_ = '.';
};

struct KeyCase {
  const char* name;
  int32_t min, max, increment;
  bool editorEnabled, readOnly;
  const char* start;
  const char* keys;
  const char* text;  // the text after the keys, before the value is read
  int32_t value;
  int beeps;
};

// Clipboard during the cases: "77".
const KeyCase kKeyCases[] = {
    {"typed above the limit waits for leaving", 2, 16, 1, true, false, "", "40", "40", 40, 0},
    {"above the limit clamps on leaving", 2, 16, 1, true, false, "", "40{Out}", "16", 16, 0},
    {"below the limit clamps on leaving", 2, 16, 1, true, false, "", "1{Out}", "2", 2, 0},
    {"cleared text becomes the minimum", 2, 16, 1, true, false, "10", "{All}{Bksp}{Out}", "2", 2,
     0},
    {"in range is kept", 2, 16, 1, true, false, "", "7{Out}", "7", 7, 0},
    {"no limits keep a negative number", 0, 0, 1, true, false, "", "-7{Out}", "-7", -7, 0},
    {"up by the increment", 1, 100000, 10, true, false, "1000", "{Up}", "1010", 1010, 0},
    {"down stops at the minimum", 1, 100000, 10, true, false, "1", "{Down}", "1", 1, 0},
    {"down past the minimum clamps", 1, 100000, 10, true, false, "5", "{Down}", "1", 1, 0},
    {"up stops at the maximum", 2, 16, 1, true, false, "16", "{Up}{Up}", "16", 16, 0},
    {"up from an invalid text starts at the minimum", 2, 16, 1, true, false, "abc", "{Up}", "3", 3,
     0},
    {"up then down", 2, 16, 1, true, false, "10", "{Up}{Up}{Down}", "11", 11, 0},
    {"no limits stop at the 32-bit end", 0, 0, 5, true, false, "2147483645", "{Up}", "2147483647",
     2147483647, 0},
    {"Enter refused", 2, 16, 1, true, false, "", "5{Enter}", "5", 5, 1},
    {"keypad Enter refused", 2, 16, 1, true, false, "", "5{KpEnter}", "5", 5, 1},
    {"letter refused", 2, 16, 1, true, false, "", "5x", "5", 5, 1},
    {"blank refused", 2, 16, 1, true, false, "", "1 2", "12", 12, 1},
    {"signs, separator and digits accepted", 2, 16, 1, true, false, "", "+-.0123456789",
     "+-.0123456789", 2, 0},
    {"Backspace edits", 2, 16, 1, true, false, "", "12{Bksp}", "1", 1, 0},
    {"select all then typing replaces", 2, 16, 1, true, false, "10", "{All}3", "3", 3, 0},
    {"paste with the editor", 0, 0, 1, true, false, "3", "{All}{Paste}", "77", 77, 0},
    {"without editor a digit is refused", 0, 0, 1, false, false, "3", "5", "3", 3, 1},
    {"without editor Backspace is refused", 0, 0, 1, false, false, "3", "{Bksp}", "3", 3, 1},
    {"without editor Delete is refused", 0, 0, 1, false, false, "3", "{Home}{Del}", "3", 3, 1},
    {"without editor paste is ignored", 0, 0, 1, false, false, "3", "{All}{Paste}{ShiftIns}", "3",
     3, 0},
    {"without editor cut is ignored", 0, 0, 1, false, false, "3", "{All}{Cut}", "3", 3, 0},
    {"without editor the keys still step", 0, 10, 1, false, false, "3", "{Up}{Up}", "5", 5, 0},
    {"read-only up and down only beep", 0, 10, 1, true, true, "3", "{Up}{Down}", "3", 3, 2},
    {"read-only paste is ignored", 0, 10, 1, true, true, "3", "{All}{Paste}", "3", 3, 0},
};

TEST_F(SpinEditTest, KeyTable) {
  for (const KeyCase& c : kKeyCases) {
    SCOPED_TRACE(c.name);
    QApplication::clipboard()->setText(QStringLiteral("77"));
    edit->SetMinValue(c.min);
    edit->SetMaxValue(c.max);
    edit->SetIncrement(c.increment);
    edit->SetEditorEnabled(c.editorEnabled);
    edit->setReadOnly(c.readOnly);
    edit->setText(QString::fromUtf8(c.start));
    edit->setFocus(Qt::OtherFocusReason);
    edit->deselect();
    edit->end(false);
    beeps = 0;
    Play(QString::fromUtf8(c.keys));
    EXPECT_EQ(edit->text().toStdString(), c.text);
    EXPECT_EQ(edit->GetValue(), c.value);
    EXPECT_EQ(beeps, c.beeps);
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), "77");
  }
}

TEST_F(SpinEditTest, TheLocaleSeparatorIsTheOneAccepted) {
  SetDecimalSeparator(',');
  edit->setText(QString());
  QTest::keyClicks(edit, QStringLiteral("1,2.3"));
  EXPECT_EQ(edit->text().toStdString(), "1,23");
  EXPECT_EQ(beeps, 1);
}

TEST_F(SpinEditTest, ReadingTheValue) {
  struct {
    int32_t min, max;
    const char* text;
    int32_t value;
    const char* textAfter;
  } const cases[] = {
      {2, 16, "abc", 2, "2"},        {2, 16, "", 2, "2"},     {2, 16, "40", 40, "40"},
      {2, 16, " 12", 12, " 12"},     {-5, 5, "-3", -3, "-3"}, {0, 0, "-7", -7, "-7"},
      {1, 9, "99999999999", 1, "1"}, {1, 9, "1.5", 1, "1"},   {1, 9, "+5", 5, "+5"},
      {7, 7, "x", 7, "7"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    edit->SetMinValue(c.min);
    edit->SetMaxValue(c.max);
    edit->setText(QString::fromUtf8(c.text));
    EXPECT_EQ(edit->GetValue(), c.value);
    EXPECT_EQ(edit->text().toStdString(), c.textAfter);
  }
  EXPECT_EQ(beeps, 0);
}

TEST_F(SpinEditTest, WritingTheValueClamps) {
  struct {
    int32_t min, max, written;
    const char* text;
  } const cases[] = {
      {2, 16, 40, "16"},  {2, 16, -3, "2"}, {2, 16, 9, "9"}, {0, 0, -2147483647 - 1, "-2147483648"},
      {5, 5, 123, "123"},
  };
  for (const auto& c : cases) {
    edit->SetMinValue(c.min);
    edit->SetMaxValue(c.max);
    edit->SetValue(c.written);
    EXPECT_EQ(edit->text().toStdString(), c.text) << c.written;
  }
}

TEST_F(SpinEditTest, StartsAtZeroWithDefaults) {
  TCSpinEdit fresh;
  EXPECT_EQ(fresh.text().toStdString(), "0");
  EXPECT_EQ(fresh.GetIncrement(), 1);
  EXPECT_TRUE(fresh.GetEditorEnabled());
  EXPECT_TRUE(fresh.GetAutoSelect());
  EXPECT_EQ(fresh.GetButton()->GetFocusControl(), &fresh);
  EXPECT_EQ(fresh.GetButton()->focusPolicy(), Qt::NoFocus);
}

TEST_F(SpinEditTest, FocusSelectsAllUnlessClicked) {
  struct {
    bool autoSelect;
    Qt::FocusReason reason;
    bool selected;
  } const cases[] = {
      {true, Qt::TabFocusReason, true},   {true, Qt::BacktabFocusReason, true},
      {true, Qt::OtherFocusReason, true}, {true, Qt::MouseFocusReason, false},
      {false, Qt::TabFocusReason, false}, {false, Qt::OtherFocusReason, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.autoSelect << " " << c.reason);
    other->setFocus(Qt::OtherFocusReason);
    edit->setText(QStringLiteral("123"));
    edit->SetAutoSelect(c.autoSelect);
    edit->setFocus(c.reason);
    ASSERT_TRUE(edit->hasFocus());
    EXPECT_EQ(edit->selectedText().toStdString(), c.selected ? "123" : "");
  }
}

TEST_F(SpinEditTest, LeavingWithAValidValueLeavesTheTextAlone) {
  edit->SetMinValue(0);
  edit->SetMaxValue(100);
  edit->setFocus(Qt::OtherFocusReason);
  edit->setText(QStringLiteral(" 42"));
  other->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(edit->text().toStdString(), " 42");
}

TEST_F(SpinEditTest, PressingAHalfMovesTheFocusIntoTheField) {
  other->setFocus(Qt::OtherFocusReason);
  edit->setText(QStringLiteral("5"));
  TTimerSpeedButton* up = edit->GetButton()->GetUpButton();
  QTest::mouseClick(up, Qt::LeftButton, {}, up->rect().center());
  EXPECT_TRUE(edit->hasFocus());
  EXPECT_EQ(edit->text().toStdString(), "6");
  // The focus came from a click: the text is not selected.
  EXPECT_TRUE(edit->selectedText().isEmpty());
}

TEST_F(SpinEditTest, ButtonsSitAtTheRightEnd) {
  struct {
    int width, height;
    QRect pair, up, down;
  } const cases[] = {
      {61, 22, {43, 2, 15, 17}, {0, 0, 15, 8}, {0, 7, 15, 10}},
      {100, 30, {82, 2, 15, 25}, {0, 0, 15, 12}, {0, 11, 15, 14}},
      {61, 23, {43, 2, 15, 18}, {0, 0, 15, 9}, {0, 8, 15, 10}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
    edit->resize(c.width, c.height);
    EXPECT_EQ(edit->size(), QSize(c.width, c.height));
    TCSpinButton* pair = edit->GetButton();
    EXPECT_EQ(pair->geometry(), c.pair);
    EXPECT_EQ(pair->GetUpButton()->geometry(), c.up);
    EXPECT_EQ(pair->GetDownButton()->geometry(), c.down);
  }
}

TEST_F(SpinEditTest, ButtonsLeaveTheFrameWhole) {
  edit->resize(61, 22);
  QImage image(edit->size(), QImage::Format_RGB32);
  edit->render(&image);
  // The frame's top lines look the same above the buttons as above the text.
  const int aboveButtons = edit->GetButton()->x() + 7;
  for (int y = 0; y < 2; ++y) EXPECT_EQ(image.pixel(aboveButtons, y), image.pixel(20, y)) << y;
}

TEST_F(SpinEditTest, HeightSnapsBackToTheMinimum) {
  // The window's font must allow the window's own height of 22.
  EXPECT_LE(edit->GetMinHeight(), 22);
  EXPECT_GE(edit->GetMinHeight(), QFontMetrics(WindowFont()).height() + 6);
  edit->resize(61, 10);
  EXPECT_EQ(edit->height(), edit->GetMinHeight());
  EXPECT_EQ(edit->GetButton()->height(), edit->GetMinHeight() - 5);

  // A larger font raises the minimum at once.
  QFont big = WindowFont();
  big.setPixelSize(24);
  edit->setFont(big);
  EXPECT_GT(edit->GetMinHeight(), 22);
  EXPECT_EQ(edit->height(), edit->GetMinHeight());
  edit->resize(61, 22);
  EXPECT_EQ(edit->height(), edit->GetMinHeight());
}

TEST_F(SpinEditTest, TextStopsShortOfTheButtons) {
  edit->setText(QStringLiteral("88888888888888888888"));
  edit->end(false);
  QImage image(edit->size(), QImage::Format_RGB32);
  edit->render(&image);
  const int buttonLeft = edit->GetButton()->x();
  int darkLeft = 0;
  for (int y = 3; y < edit->height() - 3; ++y) {
    for (int x = buttonLeft - 2; x < buttonLeft; ++x)
      EXPECT_GT(qGray(image.pixel(x, y)), 160) << x << "," << y;
    for (int x = 4; x < buttonLeft - 6; ++x) darkLeft += qGray(image.pixel(x, y)) < 100;
  }
  EXPECT_GT(darkLeft, 20) << "the text itself is drawn";
}

}  // namespace

}  // namespace vadidazid
