// An axis' value-to-pixel mapping taken out of the axis for a drawing pass, so that a
// loop over a million points maps each one with a few inlined operations instead of a
// call. It gives exactly what TChartAxis::CalcPosValue gives (a test holds the two
// together): the axis computes p = origin + d or origin - d with d = (value - minimum)
// x pixels per value; here the sign rides on the pixels per value, and since rounding
// to nearest treats a value and its negation alike, origin + (value - minimum) x
// (-ppv) is the very same double as origin - d.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>

#include "chart/axis/chartaxis.h"

namespace vadidazid {

class TAxisMapping {
 public:
  explicit TAxisMapping(const TChartAxis& axis)
      : rangeZero_(axis.RangeZero()),
        centre_(axis.CenterPos()),
        scaleMinimum_(axis.ScaleMinimum()),
        // Horizontal axes grow from the start, vertical ones (larger values higher up)
        // from the end; inverting swaps the two.
        pixelsPerValue_(axis.Horizontal() != axis.Inverted() ? axis.PixelsPerValue()
                                                             : -axis.PixelsPerValue()),
        origin_(axis.Horizontal() != axis.Inverted() ? axis.StartPos() : axis.EndPos()),
        nanPixel_(axis.StartPos()) {}

  int Pixel(double value) const {
    if (rangeZero_) return centre_;
    const double p = origin_ + (value - scaleMinimum_) * pixelsPerValue_;
    if (p > MaxPixelCoord) return MaxPixelCoord;
    if (p < -MaxPixelCoord) return -MaxPixelCoord;
    if (p != p) return nanPixel_;
    return RoundEven(p);
  }
  // Pixel() of values[0 .. n-1] into pixels[0 .. n-1], with vector code where the
  // processor has it (chart/axismappingblock.cpp); the same integers as Pixel().
  void Pixels(const double* values, int n, int* pixels) const;

 private:
  // Round to nearest, halves to even, for |p| below 2^51: adding 1.5 * 2^52 leaves the
  // rounded integer in the low bits of the sum (the hardware rounds the addition to
  // nearest even), which is cheaper than a library call per point.
  static int RoundEven(double p) {
    const double shifted = p + 6755399441055744.0;
    int64_t bits;
    std::memcpy(&bits, &shifted, sizeof bits);
    return int(int32_t(uint32_t(uint64_t(bits))));
  }

  bool rangeZero_;
  int centre_;
  double scaleMinimum_;
  double pixelsPerValue_;  // negative where pixels grow against the values
  double origin_;
  int nanPixel_;
};

}  // namespace vadidazid
