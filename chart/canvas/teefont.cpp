// Chart fonts: defaults and the lazily made outline and shadow.
#include "chart/canvas/teefont.h"

namespace vadidazid {

TTeeFont::TTeeFont() {
  font_.name = kTeeDefaultFontName;
  font_.SetSize(kTeeDefaultFontSize);
  font_.color = clBlack;
}

void TTeeFont::SetName(const std::string& name) {
  TFont f = font_;
  f.name = name;
  SetFont(f);
}

void TTeeFont::SetSize(int points) {
  TFont f = font_;
  f.SetSize(points);
  SetFont(f);
}

void TTeeFont::SetColor(TColor color) {
  TFont f = font_;
  f.color = color;
  SetFont(f);
}

void TTeeFont::SetBold(bool bold) {
  TFont f = font_;
  f.bold = bold;
  SetFont(f);
}

TChartHiddenPen& TTeeFont::OutLine() {
  if (!outLine_) {
    outLine_ = std::make_unique<TChartHiddenPen>();
    outLine_->OnChange = [this] { Changed(); };
  }
  return *outLine_;
}

TTeeShadow& TTeeFont::Shadow() {
  if (!shadow_) {
    shadow_ = std::make_unique<TTeeShadow>();
    shadow_->OnChange = [this] { Changed(); };
  }
  return *shadow_;
}

}  // namespace vadidazid
