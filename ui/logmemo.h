// The window's log memo: a read-only view over the log's lines, which the window keeps
// as plain text anyway. A long run writes a million lines; a text document would hold
// each of them a second time with a layout of its own, several hundred bytes a line, so
// this view lays out only the lines it shows. It looks and scrolls like a read-only
// plain text editor: one line per log line, wrapped at the view's width, text 4 pixels
// in from the left, the scroll bar counting displayed lines, and new lines scrolled
// into view only while the last line was in view. Text is selected with the mouse
// (drag, shift-click, double-click on a word) or Ctrl+A, drawn in the palette's highlight
// colours, and copied as plain text with Ctrl+C or the context menu.
#pragma once

#include <QAbstractScrollArea>
#include <QList>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>
#include <map>
#include <memory>

#include "ui/loglines.h"

class QMenu;

namespace vadidazid {

class TLogMemo : public QAbstractScrollArea {
 public:
  // Shows `lines` (UTF-8), which the owner keeps and tells about through LineAdded and
  // LinesCleared.
  TLogMemo(const TLogLines& lines, QWidget* parent = nullptr);
  ~TLogMemo() override;

  void SetTabStopDistance(qreal distance);
  // The last of the lines was just added.
  void LineAdded();
  void LinesCleared();

  // The whole text, the lines joined by line feeds.
  QString ToPlainText() const;
  // Displayed lines of all log lines together (an empty log shows one empty line).
  int DisplayLineCount() const { return BlockCount() + extraTotal_; }

  // The selected text, its lines joined by line feeds; empty without a selection.
  QString SelectedText() const;
  void SelectAll();
  // Puts the selected text on the clipboard; nothing happens without a selection.
  void Copy() const;
  // The context menu with "Kopiuj" and "Zaznacz wszystko", owned by the caller.
  QMenu* CreateContextMenu();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  struct Position {
    int block;  // the log line
    int line;   // its displayed line
  };

  // A place in the text: a log line and a character offset in it.
  struct TextPos {
    int block = 0;
    int offset = 0;
    auto operator<=>(const TextPos&) const = default;
  };

  // The place nearest to a point of the viewport.
  TextPos PosAt(QPointF point) const;
  // The selection's part in one line, in the form the line's layout draws.
  QList<QTextLayout::FormatRange> SelectionIn(int block) const;
  bool HasSelection() const { return anchor_ != cursor_; }
  void SetSelection(TextPos anchor, TextPos cursor);

  int BlockCount() const { return std::max(1, lines_.Count()); }
  QString BlockText(int block) const;
  // The line laid out at the view's width, its lines 4 pixels in and stacked from 0.
  std::unique_ptr<QTextLayout> Layout(int block) const;
  // The height a line takes, with the bottom margin under the last one of a log
  // of `count` lines.
  qreal BlockHeight(int block, const QTextLayout& layout, int count) const;
  Position PositionOf(int displayLine) const;
  int FirstDisplayLine(int block) const;
  void CountLines(int block);
  void Relayout();
  // Scroll range and page after a change of the lines or of the view.
  void AdjustScrollBar();
  // How far the content is scrolled above the first line's top (the top margin shows
  // as a negative offset).
  qreal ContentTopOffset() const;
  // Whether the last of the first `count` lines ends above the view's bottom.
  bool LastLineInView(int count) const;

  const TLogLines& lines_;
  QTextOption option_;
  // Extra displayed lines of the log lines that wrap (most lines do not).
  std::map<int, int> extra_;
  int extraTotal_ = 0;
  // The selection runs between the anchor (where it started) and the cursor.
  TextPos anchor_;
  TextPos cursor_;
};

}  // namespace vadidazid
