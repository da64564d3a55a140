// Titles and feet: their room in the plot rectangle and their text.
#include "chart/panel/charttitle.h"

#include "chart/panel/customaxispanel.h"

namespace vadidazid {

TChartTitle::TChartTitle(TCustomAxisPanel* chart, bool isFoot) : chart_(chart), isFoot_(isFoot) {
  font_.SetColor(isFoot ? clRed : clBlue);
  font_.OnChange = [this] { chart_->Invalidate(); };
}

template <typename T>
bool TChartTitle::StoreAndRepaint(T& field, const T& value) {
  return vadidazid::StoreAndRepaint(field, value, [this] { chart_->Invalidate(); });
}

template bool TChartTitle::StoreAndRepaint(bool&, const bool&);
template bool TChartTitle::StoreAndRepaint(std::vector<std::string>&,
                                           const std::vector<std::string>&);

void TChartTitle::DrawTitle() {
  if (!visible_ || text_.empty()) return;
  TCanvas3D& canvas = chart_->GetCanvas();
  canvas.AssignFont(font_);
  canvas.Brush().style = TBrushStyle::bsClear;
  canvas.SetBackMode(TCanvasBackMode::cbmTransparent);
  canvas.SetTextAlign(TA_CENTER | TA_TOP);
  const int h = canvas.FontHeight();
  TRect r = chart_->ChartRect();
  const int x = (r.left + r.right) / 2;
  const int lines = int(text_.size());
  // Feet are stacked upwards from the bottom, in reading order.
  int y = isFoot_ ? r.bottom - lines * h : r.top;
  for (const std::string& line : text_) {
    canvas.TextOut(x, y, line);
    y += h;
  }
  canvas.SetTextAlign(TA_LEFT | TA_TOP);
  if (isFoot_) {
    r.bottom -= lines * h;
  } else {
    r.top += lines * h;
  }
  chart_->SetChartRect(r);
}

}  // namespace vadidazid
