// The window's log memo after a whole default run (its summary lines wrap) against a
// plain text editor beside it, set up as the memo was before it became a view over the
// log and given the same lines as the run wrote them.
#include <QApplication>
#include <QFontMetricsF>
#include <QPlainTextEdit>
#include <QScrollBar>

#include "platform/qt/fonts.h"
#include "platform/qt/qtcolor.h"
#include "shownform.h"
#include "ui/logmemo.h"

namespace vadidazid {

namespace {

class MemoInWindow : public ShownForm {};

TEST_F(MemoInWindow, ShowsTheRunAsTheEditorDid) {
  auto* editor = new QPlainTextEdit(form->Memo1->parentWidget());
  editor->setGeometry(form->Memo1->geometry());
  editor->setReadOnly(true);
  editor->setFrameShape(QFrame::NoFrame);
  editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  editor->setFont(ToQFont(TFont{"Lucida Console", -11}));
  QPalette palette = editor->palette();
  palette.setColor(QPalette::Base, ToQColor(clBtnFace));
  palette.setColor(QPalette::Text, ToQColor(clWindowText));
  editor->setPalette(palette);
  editor->setTabStopDistance(8 * QFontMetricsF(editor->font()).horizontalAdvance(QLatin1Char('x')));
  editor->show();
  std::size_t shown = 0;
  auto follow = [&] {
    const std::vector<std::string> lines = form->LogLines();
    for (; shown < lines.size(); ++shown)
      editor->appendPlainText(QString::fromStdString(lines[shown]));
  };
  follow();
  while (form->State().stepCounter < form->State().stepLimit) {
    form->Button2Click();
    follow();
  }
  for (bool end : {true, false}) {
    for (QAbstractScrollArea* a : {static_cast<QAbstractScrollArea*>(editor),
                                   static_cast<QAbstractScrollArea*>(form->Memo1)})
      a->verticalScrollBar()->setValue(end ? a->verticalScrollBar()->maximum() : 0);
    QApplication::processEvents();
    EXPECT_TRUE(form->Memo1->grab().toImage() == editor->grab().toImage()) << end;
  }
}

}  // namespace

}  // namespace vadidazid
