// The window's font on a screen of device pixel ratio 2 (the test runs with
// QT_SCALE_FACTOR=2): a word shown in a widget is the word of ratio 1, larger, with no
// gap opening inside it.
#include "platform/qt/fonts.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QPainter>

namespace vadidazid {

namespace {

// The widest run of blank (white) pixel columns between the first and the last inked one.
int WidestInnerGap(const QImage& image) {
  int widest = 0, run = -image.width();
  for (int x = 0; x < image.width(); ++x) {
    bool ink = false;
    for (int y = 0; y < image.height() && !ink; ++y) ink = image.pixel(x, y) != qRgb(255, 255, 255);
    widest = ink ? std::max(widest, run) : widest;
    run = ink ? 0 : run + 1;
  }
  return widest;
}

int GapAtRatio1(const QFont& font, const QString& text) {
  QImage image(240, 30, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setFont(font);
  painter.drawText(QPointF(2, 20), text);
  painter.end();
  return WidestInnerGap(image);
}

int GapOnScreen(const QFont& font, const QString& text) {
  QLabel label(text);
  label.setFont(font);
  label.setStyleSheet("background: white; color: black");
  label.adjustSize();
  return WidestInnerGap(label.grab().toImage().convertToFormat(QImage::Format_RGB32));
}

TEST(FontsForScreen, WordsAtTwiceTheRatioKeepTheirLetterSpacing) {
  QLabel probe;
  ASSERT_EQ(probe.devicePixelRatioF(), 2.0) << "run with QT_SCALE_FACTOR=2";
  const QFont window = ToQFont(TFont{});
  EXPECT_EQ(ForDevicePixelRatio(window, 1.0), window);
  for (const char* word : {"wykres", "rozmowy", "Prawdopodobieństwo", "standardowe"}) {
    const QString text = QString::fromUtf8(word);
    const int one = GapAtRatio1(window, text);
    const int two = GapOnScreen(ForDevicePixelRatio(window, 2.0), text);
    EXPECT_LE(two, 2 * one + 1) << word << ": " << two << " vs " << one;
  }
}

}  // namespace

}  // namespace vadidazid
