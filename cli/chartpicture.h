// The runner's chart picture: the run's chart saved as "Zapisz wykres" saves it, at 32
// bits per pixel, without a display.
#pragma once

#include <string>

class TChart;

// EFCreateError / EWriteError as the window's command; an earlier file is kept. A runner
// built without Qt has no pictures: every save fails with a message saying so.
void SaveChartPicture(TChart& chart, const std::string& fileName);
// Whether this build of the runner can draw pictures (it is built with Qt).
bool ChartPicturesBuilt();
