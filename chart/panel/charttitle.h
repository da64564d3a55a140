// A title or foot of the chart: lines of text centred above or below the plot. A title
// that is hidden or has no text draws nothing and takes no room; otherwise it takes its
// lines' height from the top (titles) or the bottom (feet) of the plot rectangle.
#pragma once

#include <string>
#include <vector>

#include "chart/canvas/teefont.h"
#include "platform/drawing/canvas.h"

namespace vadidazid {

class TCustomAxisPanel;

class TChartTitle {
 public:
  TChartTitle(TCustomAxisPanel* chart, bool isFoot);
  TChartTitle(const TChartTitle&) = delete;
  TChartTitle& operator=(const TChartTitle&) = delete;

  bool Visible() const { return visible_; }
  void SetVisible(bool visible) { StoreAndRepaint(visible_, visible); }
  const std::vector<std::string>& Text() const { return text_; }
  void SetText(const std::vector<std::string>& lines) { StoreAndRepaint(text_, lines); }
  bool CustomPosition() const { return customPosition_; }
  void SetCustomPosition(bool value) { StoreAndRepaint(customPosition_, value); }
  bool IsFoot() const { return isFoot_; }
  TTeeFont& Font() { return font_; }

  // Draws the title and takes its room out of the chart's plot rectangle.
  void DrawTitle();

 private:
  template <typename T>
  bool StoreAndRepaint(T& field, const T& value);

  TCustomAxisPanel* chart_;
  bool isFoot_;
  bool visible_ = true;
  bool customPosition_ = false;
  std::vector<std::string> text_;
  TTeeFont font_;
};

}  // namespace vadidazid
