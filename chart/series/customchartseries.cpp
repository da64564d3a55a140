// Title and on/off switch of a legend-listed element.
#include "chart/series/customchartseries.h"

#include "chart/panel/customaxispanel.h"
#include "chart/series/chartseries.h"

namespace vadidazid {

void TCustomChartSeries::SetTitle(const std::string& title) {
  StoreAndRepaint(title_, title);
  BroadcastSeriesEvent(TChartSeriesEvent::seChangeTitle);
}

void TCustomChartSeries::SetActive(bool active) {
  StoreAndRepaint(active_, active);
  BroadcastSeriesEvent(TChartSeriesEvent::seChangeActive);
}

void TCustomChartSeries::BroadcastSeriesEvent(TChartSeriesEvent event) {
  if (ParentChart()) ParentChart()->BroadcastSeriesEvent(event, this);
}

}  // namespace vadidazid
