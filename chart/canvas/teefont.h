// The chart's font: a toolkit font (default "Arial", 8 points, black) with extra pixels
// between characters, an outline pen and a shadow. Outline and shadow are made when
// first asked for; a font that never had them has none, which the canvas checks before
// measuring text. Changes of the shadow or outline count as changes of the font.
#pragma once

#include <memory>
#include <string>

#include "chart/canvas/chartpen.h"
#include "chart/canvas/teeshadow.h"
#include "platform/drawing/canvas.h"

namespace vadidazid {

// The font every new chart font starts with.
inline constexpr const char* kTeeDefaultFontName = "Arial";
inline constexpr int kTeeDefaultFontSize = 8;

class TTeeFont : public TChartGraphic {
 public:
  TTeeFont();

  // The toolkit font as the canvas takes it.
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& font) { StoreAndRepaint(font_, font); }

  const std::string& Name() const { return font_.name; }
  void SetName(const std::string& name);
  int Size() const { return font_.Size(); }
  void SetSize(int points);
  TColor Color() const { return font_.color; }
  void SetColor(TColor color);
  bool Bold() const { return font_.bold; }
  void SetBold(bool bold);
  int Charset() const { return charset_; }
  void SetCharset(int charset) { StoreAndRepaint(charset_, charset); }

  int InterCharSize() const { return interCharSize_; }
  void SetInterCharSize(int pixels) { StoreAndRepaint(interCharSize_, pixels); }

  TChartHiddenPen& OutLine();
  TTeeShadow& Shadow();
  // Null until OutLine() / Shadow() was first called.
  const TChartHiddenPen* OutLineIfAny() const { return outLine_.get(); }
  const TTeeShadow* ShadowIfAny() const { return shadow_.get(); }

 private:
  TFont font_;
  int charset_ = 1;
  int interCharSize_ = 0;
  std::unique_ptr<TChartHiddenPen> outLine_;
  std::unique_ptr<TTeeShadow> shadow_;
};

}  // namespace vadidazid
