// One arrow half of a spin button: a flat button showing a small glyph, which repeats
// its click while it is held down. Qt's own auto-repeat is not used because the rhythm
// here is different: the first repeat comes after 400 ms, the next ones every 100 ms, and
// releasing the mouse over the button always gives one more click, however long the
// button was held.
#pragma once

#include <QAbstractButton>
#include <QImage>

#include <functional>

class QTimer;

namespace vadidazid {

class TTimerSpeedButton : public QAbstractButton {
  Q_OBJECT

 public:
  static constexpr int kFirstRepeatMs = 400;
  static constexpr int kNextRepeatMs = 100;

  explicit TTimerSpeedButton(QWidget* parent = nullptr);

  bool GetRepeatEnabled() const { return repeatEnabled_; }
  void SetRepeatEnabled(bool enabled) { repeatEnabled_ = enabled; }
  bool GetShowFocusRect() const { return showFocusRect_; }
  void SetShowFocusRect(bool show);

  // The colour of the bottom-left pixel is the glyph's background and is not drawn.
  const QImage& GetGlyph() const { return glyph_; }
  void SetGlyph(const QImage& glyph);

  // Created on the first press with the left button; nullptr before that.
  QTimer* GetRepeatTimer() const { return repeatTimer_; }
  // What the repeat timer does on expiry; public so that a caller can drive the
  // repetition step by step instead of waiting for real time.
  void RepeatTimerExpired();

  // Raised on every mouse press, before the button shows pressed.
  std::function<void(TTimerSpeedButton* sender, Qt::MouseButton button)> OnMouseDown;

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool repeatEnabled_ = false;
  bool showFocusRect_ = false;
  // Set between a left press and its release: the button holds the mouse only then.
  bool holdingMouse_ = false;
  QImage glyph_;
  QImage drawnGlyph_;  // the glyph with its background made transparent
  QTimer* repeatTimer_ = nullptr;
};

}  // namespace vadidazid
