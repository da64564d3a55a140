// Wall settings; every real change asks the chart to repaint.
#include "chart/panel/chartwall.h"

#include "chart/panel/customaxispanel.h"

namespace vadidazid {

TChartWall::TChartWall(TCustomAxisPanel* chart, TColor color, bool transparent, bool visible)
    : chart_(chart), color_(color), transparent_(transparent), visible_(visible) {
  pen_.OnChange = [this] { chart_->Invalidate(); };
}

template <typename T>
bool TChartWall::StoreAndRepaint(T& field, const T& value) {
  return vadidazid::StoreAndRepaint(field, value, [this] { chart_->Invalidate(); });
}

template bool TChartWall::StoreAndRepaint(TColor&, const TColor&);
template bool TChartWall::StoreAndRepaint(bool&, const bool&);
template bool TChartWall::StoreAndRepaint(int&, const int&);

}  // namespace vadidazid
