// Parsers of the picture options.
#include "pictures/pictureoptions.h"
#include "platform/exceptions.h"

#include <charconv>
#include <cmath>
#include <stdexcept>

#include "platform/text/messagetext.h"

namespace vadidazid {

namespace {

bool Side(std::string_view text, int& value) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return !text.empty() && ec == std::errc() && ptr == end && value >= kMinPictureSide &&
         value <= kMaxPictureSide;
}

bool Real(std::string_view text, double& value) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return !text.empty() && ec == std::errc() && ptr == end && std::isfinite(value);
}

}  // namespace

PictureSize ParsePictureSize(const std::string& option, const std::string& text) {
  const size_t x = text.find_first_of("xX");
  PictureSize size;
  // from_chars takes no sign but '-', which the range refuses.
  if (x == std::string::npos || !Side(std::string_view(text).substr(0, x), size.width) ||
      !Side(std::string_view(text).substr(x + 1), size.height)) {
    throw UsageError(option + ": '" + MessageText(text) + "' is no WIDTHxHEIGHT with sides from " +
                     std::to_string(kMinPictureSide) + " to " + std::to_string(kMaxPictureSide));
  }
  return size;
}

double ParsePlotScale(const std::string& option, const std::string& text) {
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end || !(value >= 0.25 && value <= 16)) {
    throw UsageError(option + ": '" + MessageText(text) + "' is no number from 0.25 to 16");
  }
  return value;
}

PictureFormat ParsePictureFile(const std::string& option, const std::string& fileName) {
  if (fileName.empty()) throw UsageError(option + ": the file name is empty");
  const std::optional<PictureFormat> format = PictureFormatOf(fileName);
  if (!format) {
    throw UsageError(option + ": '" + MessageText(fileName) +
                     "' does not end in .bmp, .png or .svg");
  }
  return *format;
}

MapMeasure ParseMapMeasure(const std::string& text) {
  if (text == "call_congestion") return MapMeasure::CallCongestion;
  if (text == "dropped") return MapMeasure::Dropped;
  if (text == "load") return MapMeasure::Load;
  throw UsageError("--map-measure: '" + MessageText(text) +
                   "' is none of call_congestion, dropped, load");
}

const char* MapMeasureName(MapMeasure measure) {
  switch (measure) {
    case MapMeasure::CallCongestion:
      return "call_congestion";
    case MapMeasure::Dropped:
      return "dropped";
    case MapMeasure::Load:
      return "load";
  }
  return "";
}

std::optional<MapRange> ParseMapRange(const std::string& text) {
  if (text == "auto") return std::nullopt;
  const size_t colon = text.find(':');
  MapRange range;
  if (colon == std::string::npos || !Real(std::string_view(text).substr(0, colon), range.low) ||
      !Real(std::string_view(text).substr(colon + 1), range.high)) {
    throw UsageError("--map-range: '" + MessageText(text) +
                     "' is neither auto nor A:B with two numbers");
  }
  if (!(range.low < range.high) || !std::isfinite(range.high - range.low)) {
    throw UsageError("--map-range: '" + MessageText(text) +
                     "': A is not below B, or B - A is too large");
  }
  return range;
}

}  // namespace vadidazid
