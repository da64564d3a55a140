// What the simulation needs of its window: the parameter controls, the log, the four
// chart series and a canvas for the cells. The main window implements it; the headless
// runner and the tests provide their own.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/exceptions.h"

class Canvas;

// The controls as the set-up reads them: the seven spin edits in their order, the two
// edit fields' texts and the seed check box.
struct SimControls {
  int32_t gridSide = 10;
  int32_t subscriberCount = 1000;
  int32_t channelsPerCell = 10;
  int32_t callPercent = 15;
  int32_t stepLimit = 100;
  int32_t stepsPerSecond = 5;
  int32_t seed = 12345;
  std::string meanText = "5";
  std::string deviationText = "0.01";
  bool reseed = true;
};

class SimWindow {
 public:
  virtual ~SimWindow() = default;

  virtual SimControls ReadControls() = 0;

  virtual void ClearLog() = 0;
  virtual void AddLogLine(const std::string& utf8) = 0;
  virtual std::vector<std::string> LogLines() const = 0;

  virtual void ClearChartSeries(int index) = 0;
  virtual void AddChartValue(int index, double value) = 0;

  // The canvas the cells are drawn on, or nullptr where nothing is shown.
  virtual Canvas* GridCanvas() = 0;
  // Called after the cells have been drawn on GridCanvas().
  virtual void GridDrawn() {}

  virtual void ShowMessage(const std::string& utf8) = 0;

  // Saves the chart as a BMP picture under the name, replacing an earlier file only
  // when the new one is complete. A window without a chart has no picture to give.
  virtual void SaveChartPicture(const std::string& fileName) {
    throw Exception("Cannot create file " + fileName);
  }
};
