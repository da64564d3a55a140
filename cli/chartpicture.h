// The runner's chart picture: the bytes of the BMP file "Zapisz wykres" saves of the run's
// chart, at 32 bits per pixel, drawn without a display.
#pragma once

#include <string>

class TChart;

// False in a build without Qt, which draws no pictures.
bool ChartPicturesAvailable();
std::string ChartPictureBytes(TChart& chart);
