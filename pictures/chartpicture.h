// The runner's pictures: the bytes of a BMP, PNG or SVG file of a chart (the run's chart
// as "Zapisz wykres" saves it, or a study's plot) or of anything else drawn on a canvas,
// all drawn without a display.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/formats/picturefile.h"

namespace vadidazid {

class Canvas;
class OutputFile;
class TChart;

// False in a build without Qt, which draws no pictures.
bool ChartPicturesAvailable();
// The output file a picture is saved to, created at once; in a build without pictures
// EFCreateError "Cannot create file <name>: built without Qt, no pictures".
std::unique_ptr<OutputFile> CreatePictureFile(const std::string& fileName);
// The chart at its own size (TChart::SetBounds). The BMP is at 32 bits per pixel; its
// pixels and the PNG's are those "Zapisz wykres" saves.
std::string ChartPictureBytes(TChart& chart, PictureFormat format = PictureFormat::Bmp);
// A white picture of width x height that `draw` paints on.
std::string DrawnPictureBytes(PictureFormat format, int width, int height,
                              const std::function<void(Canvas&)>& draw);

// The bytes `make` gives for the picture file `fileName`. Whatever fails while the picture
// is drawn or encoded (the compression, the memory, the chart) becomes EFCreateError
// "Cannot create file <name>: <reason>": a failed output like any other, which replaces
// none of the run's files.
std::string PictureFileBytes(const std::string& fileName, const std::function<std::string()>& make);

}  // namespace vadidazid
