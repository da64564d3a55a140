// The not-xor pen mode: the pixels it draws are NOT(ink XOR pixel), and drawing the
// same shapes again gives the picture back, for thin and wide pens.
#include <gtest/gtest.h>

#include "platform/qt/imagecanvas.h"

namespace vadidazid {

namespace {

TEST(PenMode, NotXorCombinesAndASecondDrawingRestores) {
  ImageCanvas c(40, 30, clSilver);
  c.brush.color = 0x336699;
  c.FillRect({0, 0, 20, 30});
  const QImage before = c.Image().copy();
  c.pen = TPen{0x00FF00, 1, TPenStyle::psSolid, TPenCap::Round, TPenMode::pmNotXor};
  c.brush.style = TBrushStyle::bsClear;
  auto draw = [&] {
    c.Rectangle(5, 5, 35, 25);
    c.pen.width = 3;
    c.MoveTo(2, 28);
    c.LineTo(38, 28);
    c.pen.width = 1;
  };
  draw();
  // On silver: NOT(0x00FF00 ^ 0xC0C0C0) = NOT(0xC03FC0) = 0x3FC03F.
  EXPECT_EQ(c.GetPixel(34, 10), TColor(0x3FC03F));
  EXPECT_EQ(c.GetPixel(5, 10), TColor(~(0x00FF00u ^ 0x336699u) & 0xFFFFFF));
  EXPECT_EQ(c.GetPixel(20, 15), clSilver);  // inside, clear brush
  EXPECT_NE(c.Image(), before);
  draw();
  EXPECT_EQ(c.Image(), before);
}

}  // namespace

}  // namespace vadidazid
