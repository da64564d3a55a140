// Repaint requests of chart elements.
#include "chart/customchartelement.h"

#include "chart/customaxispanel.h"

void TCustomChartElement::SetActive(bool active) { StoreAndRepaint(active_, active); }

void TCustomChartElement::SetShowInEditor(bool show) { StoreAndRepaint(showInEditor_, show); }

void TCustomChartElement::Repaint() const {
  if (parentChart_) parentChart_->Invalidate();
}
