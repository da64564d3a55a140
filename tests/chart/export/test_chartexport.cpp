// The chart's pictures on recording canvases: a picture is drawn straight onto a bitmap
// made by the window canvas, the buffer setting comes back also when the drawing fails,
// and the screen draws anew afterwards.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "chart/panel/chart.h"
#include "chart/panel/chartexception.h"
#include "platform/drawing/recordingcanvas.h"
#include "platform/exceptions.h"
#include "programchart/programchart.h"

namespace vadidazid {

namespace {

// A recording canvas whose bitmaps fail at their second fill: the first is the white of
// a new picture, the second the chart's panel.
class BreakingCanvas : public RecordingCanvas {
 public:
  explicit BreakingCanvas(int fills = 1) : fills_(fills) {}
  void FillRect(const TRect& rect) override {
    if (fills_-- == 0) throw EWriteError("Stream write error");
    RecordingCanvas::FillRect(rect);
  }
  std::unique_ptr<Canvas> CreateBitmap(int, int) const override {
    return std::make_unique<BreakingCanvas>();
  }

 private:
  int fills_;
};

bool HasPrefix(const std::vector<std::string>& calls, const std::string& prefix) {
  for (const std::string& call : calls)
    if (call.rfind(prefix, 0) == 0) return true;
  return false;
}

TEST(ChartExport, APictureIsDrawnStraightOntoItsBitmap) {
  auto chart = CreateProgramChart();
  RecordingCanvas window;
  chart->SetWindowCanvas(&window);
  chart->Paint();  // the screen's picture, retained
  ASSERT_FALSE(chart->Canvas3D().ImageStale());
  window.Clear();

  std::unique_ptr<TBitmap> picture =
      chart->TeeCreateBitmap(clWhite, chart->GetRectangle(), TPixelFormat::pf24bit);
  EXPECT_EQ(picture->Width(), 433);
  EXPECT_EQ(picture->Height(), 201);
  EXPECT_EQ(picture->BitsPerPixel(), 24);
  const auto& calls = static_cast<RecordingCanvas&>(picture->GetCanvas()).Calls();
  EXPECT_EQ(calls.at(1), "FillRect 0,0,433,201 brush #FFFFFF");
  EXPECT_TRUE(HasPrefix(calls, "Rectangle"));  // the chart's own drawing
  EXPECT_FALSE(HasPrefix(calls, "CopyFrom"));  // not a copy of a buffer
  EXPECT_TRUE(window.Calls().empty());         // the screen is not touched
  EXPECT_TRUE(chart->Canvas3D().GetUseBuffer());
  EXPECT_TRUE(chart->Canvas3D().ImageStale());  // so the next paint draws anew
  chart->Paint();
  EXPECT_TRUE(HasPrefix(window.Calls(), "CopyFrom"));
  chart->SetWindowCanvas(nullptr);
}

TEST(ChartExport, AFailedDrawingRestoresTheBufferAndReports) {
  auto chart = CreateProgramChart();
  BreakingCanvas window(1000);
  chart->SetWindowCanvas(&window);
  EXPECT_THROW(chart->SaveToBitmapFile("never.bmp"), EWriteError);
  EXPECT_TRUE(chart->Canvas3D().GetUseBuffer());
  chart->SetWindowCanvas(nullptr);
  // Without a window there is nothing to make a picture with.
  EXPECT_THROW(chart->TeeCreateBitmap(), EChartException);
}

}  // namespace

}  // namespace vadidazid
