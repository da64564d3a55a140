// Where a run draws its chart: four series (running, new, dropped and ended calls in
// percent of the network's channels), cleared at set-up and given one value per step.
#pragma once

#include <string>

#include "platform/exceptions.h"

namespace vadidazid {

class RunChart {
 public:
  virtual ~RunChart() = default;
  virtual void ClearChartSeries(int index) = 0;
  virtual void AddChartValue(int index, double value) = 0;

  // Saves the chart as a BMP picture under the name, replacing an earlier file only
  // when the new one is complete. A chart that is not drawn has no picture to give.
  virtual void SaveChartPicture(const std::string& fileName) {
    throw Exception("Cannot create file " + fileName);
  }
};

}  // namespace vadidazid
