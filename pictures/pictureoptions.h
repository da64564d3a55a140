// The runner's picture options: the size of a picture as WIDTHxHEIGHT, a picture file
// whose extension names its kind, the measure a map is coloured by and the values its
// colours run over. Each parser throws UsageError with a message for the user.
#pragma once

#include <optional>
#include <string>

#include "platform/formats/picturefile.h"
#include "study/cellmeasure.h"

namespace vadidazid {

struct PictureSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const PictureSize&, const PictureSize&) = default;
};

// Sides from kMinPictureSide to kMaxPictureSide: below, the axes and legend leave no
// plot; above, one picture would take hundreds of megabytes.
inline constexpr int kMinPictureSide = 64;
inline constexpr int kMaxPictureSide = 8192;

// "800x500" (also with 'X'); both sides whole numbers within the limits.
PictureSize ParsePictureSize(const std::string& option, const std::string& text);
// A plot's scale factor: a number from 0.25 to 16, with the point.
double ParsePlotScale(const std::string& option, const std::string& text);
// The kind of picture a file name asks for, by its .bmp, .png or .svg extension.
PictureFormat ParsePictureFile(const std::string& option, const std::string& fileName);

// What a map's cells are coloured by, as the option names it.
MapMeasure ParseMapMeasure(const std::string& text);
const char* MapMeasureName(MapMeasure measure);

// The values a map's colours run over, low to high.
struct MapRange {
  double low = 0, high = 1;
  friend bool operator==(const MapRange&, const MapRange&) = default;
};
// "auto" (none: the values' own range) or "A:B", numbers with the point, A < B and
// B - A finite.
std::optional<MapRange> ParseMapRange(const std::string& text);

}  // namespace vadidazid
