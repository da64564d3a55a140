// The chart canvas against a recording canvas: pen rules, text placement and sizes,
// clipping, and the buffered drawing's copies.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chart/canvas/teecanvas3d.h"
#include "platform/drawing/recordingcanvas.h"

namespace vadidazid {

namespace {

struct CanvasFixture : ::testing::Test {
  RecordingCanvas target;
  TTeeCanvas3D canvas{&target};
};

TEST_F(CanvasFixture, InvisiblePenDrawsNothingWhateverItsSettings) {
  TChartPen pen(clRed, TPenStyle::psSolid, false, 5);
  canvas.AssignVisiblePen(pen);
  canvas.Line(0, 0, 10, 0);
  canvas.Rectangle(0, 0, 10, 10);
  EXPECT_EQ(target.Calls()[1], "LineTo 10,0 pen none");
  // A clear-pen rectangle fills the box less its last column and row.
  EXPECT_EQ(target.Calls()[2], "FillRect 0,0,9,9 brush #FFFFFF");
}

TEST_F(CanvasFixture, PenAssignmentTable) {
  struct Case {
    TColor color;
    int width;
    TPenEndStyle end;
    bool mono;
    const char* expected;
  };
  const Case cases[] = {
      {clRed, 1, TPenEndStyle::esFlat, false, "LineTo 5,5 pen #0000FF 1"},
      {clRed, 3, TPenEndStyle::esFlat, false, "LineTo 5,5 pen #0000FF 3 flat"},
      {clRed, 3, TPenEndStyle::esSquare, false, "LineTo 5,5 pen #0000FF 3 square"},
      {clRed, 3, TPenEndStyle::esRound, true, "LineTo 5,5 pen #000000 3"},
  };
  for (const Case& c : cases) {
    target.Clear();
    TChartPen pen(c.color, TPenStyle::psSolid, true, c.width);
    pen.SetEndStyle(c.end);
    canvas.SetMonochrome(c.mono);
    canvas.AssignVisiblePen(pen);
    canvas.Line(0, 0, 5, 5);
    EXPECT_EQ(target.Calls().back(), c.expected);
  }
}

TEST_F(CanvasFixture, SmallDotsSetEveryOtherPixelOrSpacedDots) {
  TChartPen pen(clBlue);
  pen.SetSmallDots(true);
  canvas.AssignVisiblePen(pen);
  canvas.DoHorizLine(0, 5, 2);
  EXPECT_EQ(target.Calls(),
            (std::vector<std::string>{"MoveTo 0,2", "SetPixel 0,2 #FF0000", "SetPixel 2,2 #FF0000",
                                      "SetPixel 4,2 #FF0000", "MoveTo 5,2"}));
  target.Clear();
  pen.SetSmallSpace(2);
  canvas.AssignVisiblePen(pen);
  canvas.DoVertLine(1, 0, 9);
  EXPECT_EQ(target.Calls()[1], "SetPixel 1,0 #FF0000");
  EXPECT_EQ(target.Calls()[2], "SetPixel 1,4 #FF0000");
  EXPECT_EQ(target.Calls()[3], "SetPixel 1,8 #FF0000");
}

TEST_F(CanvasFixture, TextAlignmentMovesTheTopLeftCorner) {
  // The recording model: 6 pixels per character, 13 per line.
  struct Case {
    int align;
    const char* expected;
  };
  const Case cases[] = {
      {TA_LEFT | TA_TOP, "TextOut 100,50 \"abc\""},
      {TA_RIGHT | TA_TOP, "TextOut 82,50 \"abc\""},
      {TA_CENTER | TA_TOP, "TextOut 91,50 \"abc\""},
      {TA_CENTER | TA_BOTTOM, "TextOut 91,37 \"abc\""},
  };
  for (const Case& c : cases) {
    target.Clear();
    canvas.SetTextAlign(c.align);
    canvas.TextOut(100, 50, "abc");
    EXPECT_EQ(target.Calls()[0].rfind(c.expected, 0), 0u) << target.Calls()[0];
  }
}

TEST_F(CanvasFixture, ShadowWidensTextAndLiesOnItsSide) {
  TTeeFont font;
  font.Shadow().SetHorizSize(-3);
  font.Shadow().SetVertSize(2);
  canvas.AssignFont(font);
  EXPECT_EQ(canvas.TextWidth("abc"), 18 + 3);
  EXPECT_EQ(canvas.TextHeight("abc"), 13 + 2);
  canvas.TextOut(10, 10, "abc");
  // Shadow first, in silver, at the unmoved x; the text moves right by 3.
  EXPECT_EQ(target.Calls()[0].rfind("TextOut 10,12 \"abc\" font \"Arial\" -11 #C0C0C0", 0), 0u);
  EXPECT_EQ(target.Calls()[1].rfind("TextOut 13,10 \"abc\" font \"Arial\" -11 #000000", 0), 0u);
}

TEST_F(CanvasFixture, FontZoomAndCharacterSpacing) {
  TTeeFont font;
  font.SetInterCharSize(2);
  canvas.SetFontZoom(150);
  canvas.AssignFont(font);
  EXPECT_EQ(target.font.Size(), 12);
  const int plain = target.TextWidth("ab");
  EXPECT_EQ(canvas.TextWidth("ab"), plain + 4);
  canvas.TextOut(0, 0, "ab");
  ASSERT_EQ(target.Calls().size(), 2u);
  EXPECT_EQ(target.Calls()[1].rfind("TextOut " + std::to_string(plain / 2 + 2) + ",0 \"b\"", 0),
            0u);
}

TEST_F(CanvasFixture, ClipsDoNotNest) {
  target.SetClipRect(TRect{0, 0, 100, 100});
  canvas.ClipRectangle({10, 10, 90, 90});
  canvas.ClipRectangle({20, 20, 30, 30});
  canvas.UnClipRectangle();
  EXPECT_EQ(target.ClipRect(), (TRect{10, 10, 90, 90}));
  canvas.ClipCube({5, 5, 50, 60}, 0, 0);
  EXPECT_EQ(target.ClipRect(), (TRect{10, 10, 50, 59}));
}

TEST_F(CanvasFixture, EachCanvasRestoresItsOwnClip) {
  RecordingCanvas other;
  TTeeCanvas3D otherCanvas(&other);
  other.SetClipRect(TRect{0, 0, 5, 5});
  canvas.ClipRectangle({1, 1, 50, 50});
  otherCanvas.ClipRectangle({1, 1, 4, 4});
  canvas.UnClipRectangle();
  EXPECT_FALSE(target.ClipRect().has_value());
  otherCanvas.UnClipRectangle();
  EXPECT_EQ(other.ClipRect(), (TRect{0, 0, 5, 5}));
}

TEST_F(CanvasFixture, UnclipWithNothingRememberedRemovesTheClip) {
  target.SetClipRect(TRect{0, 0, 10, 10});
  canvas.UnClipRectangle();
  EXPECT_FALSE(target.ClipRect().has_value());
}

TEST_F(CanvasFixture, Frame3DDrawsRingsAndLeavesTheInsideBox) {
  TRect r{0, 0, 10, 10};
  canvas.Frame3D(r, clWhite, clGray, 2);
  EXPECT_EQ(r, (TRect{2, 2, 8, 8}));
  EXPECT_EQ(target.Calls(),
            (std::vector<std::string>{
                "Polyline 0,9 0,0 9,0 pen #FFFFFF 1", "Polyline 9,0 9,9 -1,9 pen #808080 1",
                "Polyline 1,8 1,1 8,1 pen #FFFFFF 1", "Polyline 8,1 8,8 0,8 pen #808080 1"}));
}

TEST_F(CanvasFixture, BufferedDrawingCopiesOnceAndThenOnlyCopies) {
  EXPECT_FALSE(canvas.ReDrawBitmap());
  const TRect inner = canvas.InitWindow(target, nullptr, clWhite, false, {5, 6, 105, 56});
  EXPECT_EQ(inner, (TRect{0, 0, 100, 50}));
  canvas.Line(0, 0, 10, 10);
  EXPECT_TRUE(target.Calls().empty());
  auto* bitmap = static_cast<RecordingCanvas*>(canvas.Bitmap());
  EXPECT_EQ(bitmap->Calls().back(), "LineTo 10,10 pen #000000 1");
  canvas.ShowImage(target, target, {5, 6, 105, 56});
  EXPECT_EQ(target.Calls(), (std::vector<std::string>{"CopyFrom 5,6 0,0,100,50"}));
  EXPECT_FALSE(canvas.ImageStale());
  EXPECT_TRUE(canvas.ReDrawBitmap());
  EXPECT_EQ(target.Calls().back(), "CopyFrom 0,0 0,0,100,50");
  canvas.Invalidate();
  EXPECT_FALSE(canvas.ReDrawBitmap());
}

TEST_F(CanvasFixture, ImageShownElsewhereIsNotReusedForTheWindow) {
  RecordingCanvas picture;
  canvas.InitWindow(picture, nullptr, clWhite, false, {0, 0, 40, 30});
  canvas.ShowImage(picture, target, {0, 0, 40, 30});
  EXPECT_EQ(picture.Calls().back(), "CopyFrom 0,0 0,0,40,30");
  EXPECT_FALSE(canvas.ReDrawBitmap());
}

TEST_F(CanvasFixture, WithoutBufferDrawsOnTheTarget) {
  canvas.SetUseBuffer(false);
  EXPECT_EQ(canvas.InitWindow(target, nullptr, clWhite, false, {5, 6, 105, 56}),
            (TRect{5, 6, 105, 56}));
  canvas.Line(0, 0, 1, 1);
  canvas.ShowImage(target, target, {5, 6, 105, 56});
  EXPECT_EQ(target.Calls().size(), 2u);
  EXPECT_FALSE(canvas.ReDrawBitmap());
}

}  // namespace

}  // namespace vadidazid
