// The recording canvas's call lines and its fixed text metrics.
#include "platform/drawing/recordingcanvas.h"

#include <gtest/gtest.h>

namespace vadidazid {

namespace {

TEST(RecordingCanvas, NotesCallsWithTheStateTheyDrawWith) {
  RecordingCanvas c;
  c.pen.color = clGray;
  c.MoveTo(265, 4);
  c.LineTo(282, 14);
  c.pen = TPen{clBlue, 2, TPenStyle::psDot};
  c.Polyline({{1, 2}, {3, 4}});
  c.brush.color = clSkyBlue;
  c.Ellipse(388, 128, 423, 168);
  c.pen.style = TPenStyle::psClear;
  c.brush.style = TBrushStyle::bsClear;
  c.Rectangle(0, 0, 10, 10);
  c.brush = TBrush{clBtnFace, TBrushStyle::bsSolid};
  c.FillRect({1, 2, 3, 4});
  c.Polygon({{0, 0}, {5, 0}, {0, 5}});
  c.SetPixel(3, 4, clRed);
  c.DrawCheckBox({0, 0, 13, 13}, true);
  c.SetClipRect(TRect{0, 0, 100, 50});
  c.IntersectClipRect({10, 10, 200, 20});
  c.SetClipRect(std::nullopt);
  c.font.bold = true;
  c.backMode = TBackMode::Opaque;
  c.TextOut(10, 20, "Oś X");
  EXPECT_EQ(c.GetPixel(3, 4), clNone);
  c.TextExtent("not noted");

  const std::vector<std::string> expected = {
      "MoveTo 265,4",
      "LineTo 282,14 pen #808080 1",
      "Polyline 1,2 3,4 pen #FF0000 2 dot",
      "Ellipse 388,128,423,168 pen #FF0000 2 dot brush #F0CAA6",
      "Rectangle 0,0,10,10 pen none brush none",
      "FillRect 1,2,3,4 brush #F0F0F0",
      "Polygon 0,0 5,0 0,5 pen none brush #F0F0F0",
      "SetPixel 3,4 #0000FF",
      "CheckBox 0,0,13,13 checked",
      "Clip 0,0,100,50",
      "Clip 10,10,100,20",
      "Clip none",
      "TextOut 10,20 \"Oś X\" font \"MS Sans Serif\" -11 #000000 bold opaque #F0F0F0",
  };
  EXPECT_EQ(c.Calls(), expected);
  EXPECT_EQ(c.PenPos(), (TPoint{10 + 4 * 6, 20}));
  c.Clear();
  EXPECT_TRUE(c.Calls().empty());
}

TEST(RecordingCanvas, TextMetricModel) {
  struct Case {
    int height;
    const char* text;
    TSize size;
  } cases[] = {
      {-11, "W", {6, 13}}, {-11, "Żółć", {24, 13}}, {-22, "ab", {24, 26}}, {13, "abc", {18, 13}},
      {26, "a", {12, 26}}, {0, "xy", {12, 13}},     {-11, "", {0, 13}},
  };
  for (const Case& k : cases) {
    RecordingCanvas c;
    c.font.height = k.height;
    EXPECT_EQ(c.TextExtent(k.text), k.size) << k.height << " " << k.text;
  }
}

}  // namespace

}  // namespace vadidazid
