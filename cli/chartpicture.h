// The runner's chart picture: the run's chart saved as "Zapisz wykres" saves it, at 32
// bits per pixel, without a display.
#pragma once

#include <string>

class TChart;

// EFCreateError / EWriteError as the window's command; an earlier file is kept.
void SaveChartPicture(TChart& chart, const std::string& fileName);
