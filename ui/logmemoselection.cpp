// The log memo's selection: finding the place under the mouse, drawing the selected
// part of each line, and copying it. A selection is two places in the text, so selecting
// all of a million-line log costs nothing until it is copied.
#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>

#include "ui/logmemo.h"

namespace vadidazid {

TLogMemo::TextPos TLogMemo::PosAt(QPointF point) const {
  const Position top = PositionOf(verticalScrollBar()->value());
  qreal blockTop = -ContentTopOffset();
  // Above the view: the start of the first line shown.
  if (point.y() < 0) return {top.block, 0};
  for (int b = top.block; b < BlockCount(); ++b) {
    const auto layout = Layout(b);
    const qreal height = BlockHeight(b, *layout, BlockCount());
    if (point.y() < blockTop + height || b == BlockCount() - 1) {
      const qreal y = point.y() - blockTop;
      int i = 0;
      while (i + 1 < layout->lineCount() && y >= layout->lineAt(i + 1).y()) ++i;
      const QTextLine line = layout->lineAt(i);
      // Below the last line: its end.
      if (b == BlockCount() - 1 && y >= line.y() + line.height())
        return {b, line.textStart() + line.textLength()};
      return {b, line.xToCursor(point.x())};
    }
    blockTop += height;
  }
  return {BlockCount() - 1, int(BlockText(BlockCount() - 1).size())};
}

QList<QTextLayout::FormatRange> TLogMemo::SelectionIn(int block) const {
  if (!HasSelection()) return {};
  const TextPos start = std::min(anchor_, cursor_);
  const TextPos end = std::max(anchor_, cursor_);
  if (block < start.block || block > end.block) return {};
  const int from = block == start.block ? start.offset : 0;
  // A selection that goes on past the line takes its line break too, which the layout
  // draws as a narrow box after the text.
  const int to = block == end.block ? end.offset : int(BlockText(block).size()) + 1;
  if (from >= to) return {};
  // Without the focus the selection shows in the palette's inactive colours.
  const QPalette::ColorGroup group = hasFocus() ? QPalette::Active : QPalette::Inactive;
  QTextLayout::FormatRange range;
  range.start = from;
  range.length = to - from;
  range.format.setBackground(palette().brush(group, QPalette::Highlight));
  range.format.setForeground(palette().brush(group, QPalette::HighlightedText));
  return {range};
}

void TLogMemo::SetSelection(TextPos anchor, TextPos cursor) {
  if (anchor == anchor_ && cursor == cursor_) return;
  anchor_ = anchor;
  cursor_ = cursor;
  viewport()->update();
}

QString TLogMemo::SelectedText() const {
  if (!HasSelection()) return QString();
  const TextPos start = std::min(anchor_, cursor_);
  const TextPos end = std::max(anchor_, cursor_);
  QString text;
  for (int b = start.block; b <= end.block; ++b) {
    const QString line = BlockText(b);
    const int from = b == start.block ? start.offset : 0;
    const int to = b == end.block ? std::min(end.offset, int(line.size())) : int(line.size());
    if (b > start.block) text += QLatin1Char('\n');
    text += line.mid(from, std::max(0, to - from));
  }
  return text;
}

void TLogMemo::SelectAll() {
  const int last = BlockCount() - 1;
  SetSelection({0, 0}, {last, int(BlockText(last).size())});
}

void TLogMemo::Copy() const {
  if (HasSelection()) QGuiApplication::clipboard()->setText(SelectedText());
}

QMenu* TLogMemo::CreateContextMenu() {
  auto* menu = new QMenu(this);
  QAction* copy = menu->addAction(QStringLiteral("Kopiuj"), this, [this] { Copy(); });
  copy->setShortcut(QKeySequence::Copy);
  copy->setEnabled(HasSelection());
  menu->addSeparator();
  QAction* all = menu->addAction(QStringLiteral("Zaznacz wszystko"), this, [this] { SelectAll(); });
  all->setShortcut(QKeySequence::SelectAll);
  all->setEnabled(lines_.Count() > 0);
  return menu;
}

void TLogMemo::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(event);
  const TextPos pos = PosAt(event->position());
  SetSelection(event->modifiers() & Qt::ShiftModifier ? anchor_ : pos, pos);
}

void TLogMemo::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton)) return QAbstractScrollArea::mouseMoveEvent(event);
  // Dragging beyond the view scrolls it a line at a time.
  QScrollBar& bar = *verticalScrollBar();
  if (event->position().y() < 0) bar.setValue(bar.value() - 1);
  if (event->position().y() > viewport()->height()) bar.setValue(bar.value() + 1);
  SetSelection(anchor_, PosAt(event->position()));
}

void TLogMemo::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mouseDoubleClickEvent(event);
  // A word of the log is anything between tabs or spaces: a number with its comma.
  const TextPos pos = PosAt(event->position());
  const QString line = BlockText(pos.block);
  int from = std::min(pos.offset, int(line.size()));
  int to = from;
  while (from > 0 && !line[from - 1].isSpace()) --from;
  while (to < line.size() && !line[to].isSpace()) ++to;
  SetSelection({pos.block, from}, {pos.block, to});
}

void TLogMemo::keyPressEvent(QKeyEvent* event) {
  if (event == QKeySequence::Copy) {
    Copy();
  } else if (event == QKeySequence::SelectAll) {
    SelectAll();
  } else {
    QAbstractScrollArea::keyPressEvent(event);
  }
}

void TLogMemo::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = CreateContextMenu();
  menu->exec(event->globalPos());
  delete menu;
}

void TLogMemo::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  if (HasSelection()) viewport()->update();
}

void TLogMemo::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  if (HasSelection()) viewport()->update();
}

}  // namespace vadidazid
