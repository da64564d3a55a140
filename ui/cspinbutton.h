// A pair of arrow buttons, one above the other, that step a value up and down. The spin
// edit embeds one at its right end; it can also stand on its own, when it may take the
// keyboard focus and answers the space bar and the arrow keys.
#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>

#include <functional>

namespace vadidazid {

class TTimerSpeedButton;

class TCSpinButton : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kMinWidth = 15;

  explicit TCSpinButton(QWidget* parent = nullptr);

  // The default pictures: 9 × 6 pixels, a black triangle on an olive background that is
  // not drawn.
  static QImage DefaultGlyph(bool up);

  TTimerSpeedButton* GetUpButton() const { return upButton_; }
  TTimerSpeedButton* GetDownButton() const { return downButton_; }
  // The half that draws the focus rectangle and answers the space bar.
  TTimerSpeedButton* GetFocusedButton() const { return focusedButton_; }
  void SetFocusBtn(TTimerSpeedButton* button);

  // Takes the keyboard focus when a half is pressed with the mouse.
  QWidget* GetFocusControl() const { return focusControl_; }
  void SetFocusControl(QWidget* control) { focusControl_ = control; }

  QImage GetUpGlyph() const;
  void SetUpGlyph(const QImage& glyph);
  QImage GetDownGlyph() const;
  void SetDownGlyph(const QImage& glyph);

  // The halves' geometry for a size W × H: returns the size actually used (W is at
  // least kMinWidth).
  QSize AdjustSize(int width, int height);

  void BtnClick(QObject* sender);
  void BtnMouseDown(TTimerSpeedButton* sender, Qt::MouseButton button);

  // Raised by a click on the upper or the lower half, when assigned.
  std::function<void(QObject* sender)> OnUpClick;
  std::function<void(QObject* sender)> OnDownClick;

  QSize sizeHint() const override { return QSize(20, 25); }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  TTimerSpeedButton* CreateButton(bool up);

  TTimerSpeedButton* upButton_;
  TTimerSpeedButton* downButton_;
  TTimerSpeedButton* focusedButton_;
  QPointer<QWidget> focusControl_;
};

}  // namespace vadidazid
