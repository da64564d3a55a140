// Repaint requests of chart elements.
#include "chart/panel/customchartelement.h"

#include "chart/panel/customaxispanel.h"

namespace vadidazid {

TCustomChartElement::TCustomChartElement() {
  pen_.OnChange = [this] { Repaint(); };
  brush_.OnChange = [this] { Repaint(); };
}

void TCustomChartElement::SetActive(bool active) { StoreAndRepaint(active_, active); }

void TCustomChartElement::SetShowInEditor(bool show) { StoreAndRepaint(showInEditor_, show); }

void TCustomChartElement::Repaint() const {
  if (parentChart_) parentChart_->Invalidate();
}

}  // namespace vadidazid
