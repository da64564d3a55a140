// The log memo: layout of the shown lines, the scroll range in displayed lines, and the
// painting of the lines in view.
#include "ui/logmemo.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextLayout>
#include <cmath>

namespace vadidazid {

namespace {

// Room left of the text and under the last line.
constexpr qreal kMargin = 4;

}  // namespace

TLogMemo::TLogMemo(const TLogLines& lines, QWidget* parent)
    : QAbstractScrollArea(parent), lines_(lines) {
  option_.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  verticalScrollBar()->setSingleStep(1);
  AdjustScrollBar();
}

TLogMemo::~TLogMemo() = default;

void TLogMemo::SetTabStopDistance(qreal distance) {
  option_.setTabStopDistance(distance);
  Relayout();
}

QString TLogMemo::BlockText(int block) const {
  if (block >= lines_.Count()) return QString();
  const std::string_view line = lines_.Line(block);
  return QString::fromUtf8(line.data(), qsizetype(line.size()));
}

std::unique_ptr<QTextLayout> TLogMemo::Layout(int block) const {
  auto layout = std::make_unique<QTextLayout>(BlockText(block), font());
  layout->setTextOption(option_);
  const qreal width = viewport()->width() - 2 * kMargin;
  qreal height = 0;
  layout->beginLayout();
  for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
    line.setLeadingIncluded(true);
    line.setLineWidth(width);
    line.setPosition(QPointF(kMargin, height));
    height += line.height();
    if (line.leading() < 0) height += std::ceil(line.leading());
  }
  layout->endLayout();
  return layout;
}

qreal TLogMemo::BlockHeight(int block, const QTextLayout& layout, int count) const {
  const qreal height = layout.boundingRect().bottom();
  return block == count - 1 ? height + kMargin : height;
}

TLogMemo::Position TLogMemo::PositionOf(int displayLine) const {
  int before = 0;  // extra lines of the wrapped log lines passed so far
  for (const auto& [block, extra] : extra_) {
    const int first = block + before;
    if (displayLine < first) break;
    if (displayLine <= first + extra) return {block, displayLine - first};
    before += extra;
  }
  return {displayLine - before, 0};
}

int TLogMemo::FirstDisplayLine(int block) const {
  int before = 0;
  for (auto it = extra_.begin(); it != extra_.end() && it->first < block; ++it)
    before += it->second;
  return block + before;
}

void TLogMemo::CountLines(int block) {
  const int extra = Layout(block)->lineCount() - 1;
  if (extra > 0) {
    extra_[block] = extra;
    extraTotal_ += extra;
  }
}

void TLogMemo::Relayout() {
  extra_.clear();
  extraTotal_ = 0;
  for (int b = 0; b < lines_.Count(); ++b) CountLines(b);
  AdjustScrollBar();
  viewport()->update();
}

void TLogMemo::AdjustScrollBar() {
  QScrollBar& bar = *verticalScrollBar();
  int maximum = 0;
  int page = 0;
  if (isVisible()) {
    // As many lines from the end as fit whole above the bottom margin make the last page.
    const qreal visible = viewport()->rect().height() - kMargin - 1;
    qreal y = 0;
    for (int b = BlockCount() - 1; b >= 0; --b) {
      const auto layout = Layout(b);
      y += BlockHeight(b, *layout, BlockCount());
      const int count = layout->lineCount();
      if (y > visible) {
        int hidden = 0;
        while (hidden < count && layout->lineAt(hidden).naturalTextRect().top() < y - visible)
          ++hidden;
        page += count - hidden;
        break;
      }
      page += count;
    }
    maximum = std::max(0, DisplayLineCount() - page);
  } else {
    maximum = std::max(0, DisplayLineCount() - 1);
    const int spacing = fontMetrics().lineSpacing();
    page = spacing != 0 ? viewport()->height() / spacing : 0;
  }
  bar.setRange(0, maximum);
  bar.setPageStep(page);
}

qreal TLogMemo::ContentTopOffset() const {
  const Position top = PositionOf(verticalScrollBar()->value());
  // The top margin shows only above the very first line.
  if (top.line == 0) return top.block == 0 ? -kMargin : 0;
  return Layout(top.block)->lineAt(top.line - 1).naturalTextRect().bottom();
}

bool TLogMemo::LastLineInView(int count) const {
  const Position top = PositionOf(verticalScrollBar()->value());
  const qreal limit = viewport()->rect().bottom() + ContentTopOffset();
  qreal bottom = 0;
  for (int b = top.block; b < count; ++b) {
    bottom += BlockHeight(b, *Layout(b), count);
    if (bottom > limit) return false;
  }
  return true;
}

void TLogMemo::LineAdded() {
  // Only a shown memo follows the end, and only when the last line was in view before;
  // the first line takes the place of the empty one an empty memo shows.
  const int before = std::max(1, lines_.Count() - 1);
  const bool follow = isVisible() && LastLineInView(before);
  CountLines(lines_.Count() - 1);
  AdjustScrollBar();
  if (follow && !LastLineInView(BlockCount()))
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
  viewport()->update();
}

void TLogMemo::LinesCleared() {
  anchor_ = cursor_ = TextPos{};
  extra_.clear();
  extraTotal_ = 0;
  verticalScrollBar()->setValue(0);
  AdjustScrollBar();
  viewport()->update();
}

QString TLogMemo::ToPlainText() const {
  QString text;
  for (int i = 0; i < lines_.Count(); ++i) {
    if (i > 0) text += QLatin1Char('\n');
    const std::string_view line = lines_.Line(i);
    text += QString::fromUtf8(line.data(), qsizetype(line.size()));
  }
  return text;
}

void TLogMemo::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  const Position top = PositionOf(verticalScrollBar()->value());
  QPointF offset(0, -ContentTopOffset());
  const int height = viewport()->rect().height();
  // Nothing is drawn in the right margin.
  QRect area = event->rect();
  area.setRight(std::min(area.right(), int(offset.x() + viewport()->width() - kMargin)));
  painter.setBrushOrigin(offset);
  painter.setClipRect(area);
  painter.setPen(palette().text().color());
  for (int b = top.block; b < BlockCount(); ++b) {
    const auto layout = Layout(b);
    const QRectF box(offset, QSizeF(viewport()->width(), BlockHeight(b, *layout, BlockCount())));
    if (box.bottom() >= area.top() && box.top() <= area.bottom())
      layout->draw(&painter, offset, SelectionIn(b), area);
    offset.ry() += box.height();
    if (offset.y() > height) break;
  }
}

void TLogMemo::showEvent(QShowEvent* event) {
  QAbstractScrollArea::showEvent(event);
  AdjustScrollBar();
}

void TLogMemo::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  Relayout();
}

void TLogMemo::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::FontChange) Relayout();
}

void TLogMemo::scrollContentsBy(int, int) { viewport()->update(); }

}  // namespace vadidazid
