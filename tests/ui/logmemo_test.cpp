// The log memo against a plain text editor set up as the window's memo was before it
// became a view over the log: the same pictures at the top and at the end of short and
// long logs, with wrapped summary lines, and the same following of new lines.
#include <QApplication>
#include <QFontMetricsF>
#include <QImage>
#include <QPlainTextEdit>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fonts.h"
#include "platform/qtcolor.h"
#include "ui/logmemo.h"

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
    for (QAbstractScrollArea* a : {static_cast<QAbstractScrollArea*>(&editor),
                                   static_cast<QAbstractScrollArea*>(&memo)})
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

}  // namespace
