// The pixel rules every canvas follows for what canvas.h leaves to the canvas, in one
// place so that a picture drawn on the image canvas and the same drawing written as SVG
// or noted as text agree: which pens and brushes draw at all, how a box given the wrong
// way round is turned, the dash runs of styled pens, and the check box's frame
// and tick. Each canvas renders these in its own medium; none keeps its own copy.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "platform/drawing/canvas.h"

namespace vadidazid {

// A clear pen or brush, or one of colour clNone, draws nothing.
bool PenVisible(const TPen& pen);
bool BrushVisible(const TBrush& brush);

// The box with its corners ordered, so an inverted box draws as the upright one.
TRect Normalised(int left, int top, int right, int bottom);

// The pixel runs of a styled one-pixel pen, starting with a run that draws and then
// alternating: 18-6 (dash), 3-3 (dot), 9-6-3-6 and 9-3-3-3-3-3 pixels; empty for a solid
// or clear pen. Long enough to see at the screen's density and short enough that a
// chart's short segments still show their style.
std::span<const int> DashRuns(TPenStyle style);
// The length of one whole pattern (0 for none).
int DashCycle(TPenStyle style);
// Whether the pixel `phase` steps into the pattern draws.
bool DashOn(TPenStyle style, int phase);

// The dash and gap lengths, in pixels along the line and starting with a dash, of a
// styled pen wider than one pixel: the one-pixel runs times the width, so a pattern
// keeps its look as a picture drawn larger widens its pens. Round and square ends reach
// half the width past both ends of every dash, so the lengths given for those ends are a
// width shorter for dashes and a width longer for gaps, and what shows is still the runs
// times the width. Empty for a solid or clear pen and for a pen of one pixel, which
// follows DashRuns pixel by pixel.
std::vector<int> WideDashLengths(const TPen& pen);

// The parts of a flat check box in the box: a one-pixel frame in clBtnShadow round an
// inside of clWindow and, when checked, a 7 by 7 tick in clWindowText (a short stroke
// down and a long one up, seven columns three pixels high) centred in the box and cut
// to the inside. A box too small for an inside has only its frame; an empty box nothing.
struct CheckBoxParts {
  TRect box;
  TRect inside;
  std::vector<TRect> tick;  // one column each, already cut to the inside; may be empty
};
CheckBoxParts CheckBoxLayout(const TRect& box, bool checked);

}  // namespace vadidazid
