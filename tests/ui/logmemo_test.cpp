// The log memo against a plain text editor set up as the window's memo was before it
// became a view over the log: the same pictures at the top and at the end of short and
// long logs, with wrapped summary lines, and the same following of new lines.
#include <QApplication>
#include <QClipboard>
#include <QFontMetricsF>
#include <QImage>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/qt/fonts.h"
#include "platform/qt/qtcolor.h"
#include "ui/logmemo.h"

namespace vadidazid {

namespace {

template <typename Memo>
void SetUpLikeTheWindow(Memo& memo) {
  memo.resize(237, 93);
  memo.setFrameShape(QFrame::NoFrame);
  memo.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo.setFont(ToQFont(TFont{"Lucida Console", -11}));
  QPalette palette = memo.palette();
  palette.setColor(QPalette::Base, ToQColor(clBtnFace));
  palette.setColor(QPalette::Text, ToQColor(clWindowText));
  memo.setPalette(palette);
}

struct MemoPair {
  TLogLines lines;
  QPlainTextEdit editor;
  TLogMemo memo{lines};

  MemoPair() {
    SetUpLikeTheWindow(editor);
    editor.setReadOnly(true);
    SetUpLikeTheWindow(memo);
    const qreal tab = 8 * QFontMetricsF(editor.font()).horizontalAdvance(QLatin1Char('x'));
    editor.setTabStopDistance(tab);
    memo.SetTabStopDistance(tab);
    editor.show();
    memo.show();
  }
  void Add(const std::string& line) {
    lines.Append(line);
    memo.LineAdded();
    editor.appendPlainText(QString::fromStdString(line));
  }
  void ScrollTo(bool end) {
    for (QAbstractScrollArea* a :
         {static_cast<QAbstractScrollArea*>(&editor), static_cast<QAbstractScrollArea*>(&memo)})
      a->verticalScrollBar()->setValue(end ? a->verticalScrollBar()->maximum() : 0);
  }
  void ExpectSamePicture(const std::string& what) {
    QApplication::processEvents();
    const QScrollBar& a = *editor.verticalScrollBar();
    const QScrollBar& b = *memo.verticalScrollBar();
    EXPECT_EQ(b.maximum(), a.maximum()) << what;
    EXPECT_EQ(b.pageStep(), a.pageStep()) << what;
    EXPECT_EQ(b.value(), a.value()) << what;
    EXPECT_TRUE(memo.grab().toImage() == editor.grab().toImage()) << what;
  }
};

std::string StepLine(int i) {
  return std::to_string(i * 37 % 2000) + "\t" + std::to_string(i % 90) + "\t" +
         std::to_string(i % 7) + "\t" + std::to_string(i * 13 % 85);
}

TEST(LogMemoTest, PicturesEqualTheEditorsAtTopAndEnd) {
  for (int count : {0, 10, 1000, 100000}) {
    MemoPair pair;
    pair.Add("lroz\tnowe\tzerw\tzak");
    for (int i = 1; i < count; ++i) pair.Add(StepLine(i));
    for (bool withSummary : {false, true}) {
      if (withSummary) {
        pair.Add("średnie obciążenie sieci: 12,3456789012345%");
        pair.Add("maxymalne obciążenie sieci: 20%");
      }
      const std::string what = std::to_string(count) + (withSummary ? " + summary" : "");
      pair.ExpectSamePicture(what + " as added");
      pair.ScrollTo(false);
      pair.ExpectSamePicture(what + " at the top");
      pair.ScrollTo(true);
      pair.ExpectSamePicture(what + " at the end");
    }
  }
}

TEST(LogMemoTest, FollowsNewLinesOnlyFromTheEnd) {
  MemoPair pair;
  for (int i = 0; i < 30; ++i) pair.Add(StepLine(i));
  for (int top : {0, 5, -1}) {
    if (top < 0)
      pair.ScrollTo(true);
    else
      for (QAbstractScrollArea* a : {static_cast<QAbstractScrollArea*>(&pair.editor),
                                     static_cast<QAbstractScrollArea*>(&pair.memo)})
        a->verticalScrollBar()->setValue(top);
    for (int i = 0; i < 3; ++i) pair.Add(StepLine(i));
    pair.Add("maximum zerwanych rozmów: 0,123456789012345%");
    pair.ExpectSamePicture("scrolled to " + std::to_string(top));
  }
}

// Mouse and keys on the memo and on the editor alike; the selection must show and copy
// the same.
TEST(LogMemoTest, SelectsAndCopiesLikeTheEditor) {
  MemoPair pair;
  for (int i = 0; i < 40; ++i) pair.Add(StepLine(i));
  pair.Add("średnie obciążenie sieci: 12,3456789012345% i jeszcze dłuższy opis wiersza");
  pair.Add(StepLine(41));
  struct Case {
    const char* name;
    bool end;  // scrolled to the end
    std::function<void(QWidget&)> act;
  };
  const Case cases[] = {
      {"a drag over three lines", false,
       [](QWidget& v) {
         QTest::mousePress(&v, Qt::LeftButton, {}, QPoint(30, 6));
         QTest::mouseMove(&v, QPoint(90, 40));
         QTest::mouseRelease(&v, Qt::LeftButton, {}, QPoint(90, 40));
       }},
      {"a drag upwards through a wrapped line", true,
       [](QWidget& v) {
         QTest::mousePress(&v, Qt::LeftButton, {}, QPoint(50, 80));
         QTest::mouseMove(&v, QPoint(20, 20));
         QTest::mouseRelease(&v, Qt::LeftButton, {}, QPoint(20, 20));
       }},
      {"shift-click extends", false,
       [](QWidget& v) {
         QTest::mouseClick(&v, Qt::LeftButton, {}, QPoint(12, 20));
         QTest::mouseClick(&v, Qt::LeftButton, Qt::ShiftModifier, QPoint(70, 60));
       }},
      {"a click selects nothing", false,
       [](QWidget& v) { QTest::mouseClick(&v, Qt::LeftButton, {}, QPoint(40, 30)); }},
      {"Ctrl+A", true,
       [](QWidget& v) { QTest::keyClick(v.parentWidget(), Qt::Key_A, Qt::ControlModifier); }},
  };
  for (const Case& c : cases) {
    std::vector<QString> copied;
    for (QAbstractScrollArea* a : {static_cast<QAbstractScrollArea*>(&pair.editor),
                                   static_cast<QAbstractScrollArea*>(&pair.memo)}) {
      a->verticalScrollBar()->setValue(c.end ? a->verticalScrollBar()->maximum() : 0);
      QTest::mouseClick(a->viewport(), Qt::LeftButton, {}, QPoint(2, 2));  // no selection
      c.act(*a->viewport());
      QGuiApplication::clipboard()->setText(QStringLiteral("before"));
      QTest::keyClick(a, Qt::Key_C, Qt::ControlModifier);
      copied.push_back(QGuiApplication::clipboard()->text());
    }
    EXPECT_EQ(copied[1], copied[0]) << c.name;
    // Without a selection the clipboard keeps what it had.
    EXPECT_EQ(copied[1] == QStringLiteral("before"),
              std::string(c.name) == "a click selects nothing")
        << c.name << ": " << copied[1].toStdString();
    pair.ExpectSamePicture(c.name);
  }
  // The end of the text as copied: lines joined by line feeds.
  const QString lastLine = QString::fromStdString(StepLine(41));
  EXPECT_TRUE(pair.memo.SelectedText().endsWith(QLatin1Char('\n') + lastLine));
}

TEST(LogMemoTest, ContextMenuCopiesAndSelectsAll) {
  TLogLines lines;
  TLogMemo memo(lines);
  SetUpLikeTheWindow(memo);
  memo.show();
  for (int i = 0; i < 3; ++i) {
    lines.Append(StepLine(i));
    memo.LineAdded();
  }
  QTest::mouseDClick(memo.viewport(), Qt::LeftButton, {}, QPoint(8, 6));
  EXPECT_EQ(memo.SelectedText().toStdString(), std::to_string(0));
  std::unique_ptr<QMenu> menu(memo.CreateContextMenu());
  ASSERT_EQ(menu->actions().size(), 3);
  QAction* copy = menu->actions()[0];
  QAction* all = menu->actions()[2];
  EXPECT_EQ(copy->text(), QStringLiteral("Kopiuj"));
  EXPECT_EQ(all->text(), QStringLiteral("Zaznacz wszystko"));
  all->trigger();
  copy->trigger();
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(),
            StepLine(0) + "\n" + StepLine(1) + "\n" + StepLine(2));
  // Once the log is cleared there is nothing to copy.
  lines.Clear();
  memo.LinesCleared();
  menu.reset(memo.CreateContextMenu());
  EXPECT_FALSE(menu->actions()[0]->isEnabled());
  EXPECT_FALSE(menu->actions()[2]->isEnabled());
}

}  // namespace

}  // namespace vadidazid
