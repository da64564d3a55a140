// A one-line edit field for an integer, with a pair of arrow buttons at its right end.
// The value lives only as the text: reading it parses the text, writing it replaces the
// text. The buttons and the arrow keys step the value by a fixed increment, and the
// limits are applied when a value is written and when the focus leaves the field; a
// number typed out of range stays as typed until then.
#pragma once

#include <QLineEdit>

#include <cstdint>

namespace vadidazid {

class TCSpinButton;

class TCSpinEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit TCSpinEdit(QWidget* parent = nullptr);

  int32_t GetMinValue() const { return minValue_; }
  void SetMinValue(int32_t value) { minValue_ = value; }
  // Equal limits mean no limits at all.
  int32_t GetMaxValue() const { return maxValue_; }
  void SetMaxValue(int32_t value) { maxValue_ = value; }
  int32_t GetIncrement() const { return increment_; }
  void SetIncrement(int32_t value) { increment_ = value; }
  // When false only the buttons and the arrow keys change the text: typing, deleting,
  // pasting and cutting are refused.
  bool GetEditorEnabled() const { return editorEnabled_; }
  void SetEditorEnabled(bool enabled);
  // Select the whole text when the focus arrives from the keyboard.
  bool GetAutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool autoSelect) { autoSelect_ = autoSelect; }

  TCSpinButton* GetButton() const { return button_; }

  // The text as a number, not clamped. A text that is not a 32-bit integer is replaced
  // by MinValue, which is then returned; this is how the field recovers from anything
  // typed or pasted into it.
  int32_t GetValue();
  // Writes CheckValue(value) in decimal.
  void SetValue(int32_t value);
  int32_t CheckValue(int32_t value) const;

  int GetMinHeight() const;

  // The characters that typing may insert; others are refused with a beep.
  virtual bool IsValidChar(char key);
  // One step up or down, clamped; a read-only field only beeps.
  virtual void UpClick(QObject* sender);
  virtual void DownClick(QObject* sender);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void Step(int64_t delta);
  bool TextChangesBlocked() const { return !editorEnabled_ || isReadOnly(); }
  bool RefuseKey(const QKeyEvent* event);
  void PlaceButton();

  int32_t minValue_ = 0;
  int32_t maxValue_ = 0;
  int32_t increment_ = 1;
  bool editorEnabled_ = true;
  bool autoSelect_ = true;
  TCSpinButton* button_;
};

}  // namespace vadidazid
