// A chart element that appears in the legend under a title. Changes of the title and of
// the on/off switch are also reported to the chart's listeners.
#pragma once

#include <cstdint>
#include <string>

#include "chart/panel/customchartelement.h"
#include "chart/series/chartevents.h"

namespace vadidazid {

class TCustomChartSeries : public TCustomChartElement {
 public:
  bool ShowInLegend() const { return showInLegend_; }
  void SetShowInLegend(bool show) { StoreAndRepaint(showInLegend_, show); }

  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title);

  const std::string& Identifier() const { return identifier_; }
  void SetIdentifier(const std::string& identifier) { identifier_ = identifier; }

  uint8_t Style() const { return style_; }
  void SetStyle(uint8_t style) { style_ = style; }

  void SetActive(bool active) override;

 protected:
  // Tells the chart's listeners about a change of this series.
  void BroadcastSeriesEvent(TChartSeriesEvent event);

 private:
  bool showInLegend_ = true;
  std::string title_;
  std::string identifier_;
  uint8_t style_ = 0;
};

}  // namespace vadidazid
