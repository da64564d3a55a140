// A canvas that draws nothing and notes each drawing call as one line of text, so tests
// of the chart and the cell grid can check what was drawn, in which order and with
// which pen, brush and font, without looking at pixels.
//
// Line format: the operation's name, its coordinates, then the state it draws with.
//   MoveTo 265,4
//   LineTo 282,14 pen #808080 1
//   Polyline 1,2 3,4 5,6 pen #0000FF 2 dot
//   Polygon 1,2 3,4 5,6 pen #000000 1 brush #F0CAA6
//   FillRect 0,0,10,10 brush #F0F0F0
//   Rectangle 0,0,10,10 pen #000000 1 brush none
//   Ellipse 388,128,423,168 pen #808080 1 brush #F0CAA6
//   TextOut 10,20 "Oś X" font "Arial" -11 #000000 bold opaque #FFFFFF
//   SetPixel 3,4 #0000FF
//   CheckBox 0,0,13,13 checked
//   Clip 0,0,100,50      (or: Clip none)
//   CopyFrom 5,5 0,0,433,201
// CreateBitmap gives a new, empty recording canvas; a copy from it is noted, not done.
// Colours are the 0x00BBGGRR value in hex, as the colour constants are written, after
// system colours are resolved. A pen that draws nothing (clear, or colour clNone) is
// "pen none"; the pen style is named unless solid, the ends of a wide pen unless round. The TextOut
// flags (bold, italic, underline, strikeout, opaque with the brush colour) appear only when set.
// Queries (TextExtent, GetPixel) are not noted.
//
// Text is measured by the fixed-width model of fixedtextmetrics.h, so text tests do not
// depend on the machine's fonts. GetPixel gives clNone.
#pragma once

#include <string>
#include <vector>

#include "platform/drawing/canvas.h"

namespace vadidazid {

class RecordingCanvas : public Canvas {
 public:
  const std::vector<std::string>& Calls() const { return calls_; }
  void Clear() { calls_.clear(); }

  // The pen, brush and colour parts of the lines, for building expected lines in tests.
  static std::string ColorText(TColor color);
  static std::string PenText(const TPen& pen);
  static std::string BrushText(const TBrush& brush);

  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Polyline(const std::vector<TPoint>& points) override;
  void Polygon(const std::vector<TPoint>& points) override;
  void FillRect(const TRect& rect) override;
  void Rectangle(int left, int top, int right, int bottom) override;
  void Ellipse(int left, int top, int right, int bottom) override;
  void TextOut(int x, int y, const std::string& utf8) override;
  TSize TextExtent(const std::string& utf8) override;
  void SetPixel(int x, int y, TColor color) override;
  TColor GetPixel(int x, int y) const override;
  void DrawCheckBox(const TRect& box, bool checked) override;
  void SetClipRect(std::optional<TRect> clip) override;
  std::unique_ptr<Canvas> CreateBitmap(int width, int height) const override;
  void CopyFrom(int x, int y, const Canvas& source, const TRect& sourceRect) override;

 private:
  void Note(std::string line) { calls_.push_back(std::move(line)); }

  std::vector<std::string> calls_;
};

}  // namespace vadidazid
