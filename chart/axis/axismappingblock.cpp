// The axis mapping over a block of values, for the long-line drawing: a million points
// a repaint spend most of their time here when each is mapped through Pixel() with its
// branches. The loop below has none, so the compiler turns it into vector code; where
// the toolchain picks code by processor at load time, a 256-bit version comes too.
#include "chart/axis/axismapping.h"

#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && defined(__linux__)
#define VADIDAZID_PIXEL_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define VADIDAZID_PIXEL_CLONES
#endif

namespace vadidazid {

namespace {

// The same result as TAxisMapping::Pixel, with selects instead of branches: the value
// is clamped to the pixel range first and a value that is not a number replaced by 0,
// so that the conversion to int is defined for every value; rint rounds halves to even
// in the default rounding mode, as Pixel's shifted addition does.
VADIDAZID_PIXEL_CLONES
void MapBlock(double origin, double minimum, double ppv, int nanPixel, const double* __restrict v,
              int n, int* __restrict out) {
  constexpr double kMax = MaxPixelCoord;
  for (int i = 0; i < n; ++i) {
    const double p = origin + (v[i] - minimum) * ppv;
    double q = p > kMax ? kMax : p;
    q = q < -kMax ? -kMax : q;
    q = p != p ? 0.0 : q;
    const int r = int(__builtin_rint(q));
    out[i] = p != p ? nanPixel : r;
  }
}

}  // namespace

void TAxisMapping::Pixels(const double* values, int n, int* pixels) const {
  if (rangeZero_) {
    for (int i = 0; i < n; ++i) pixels[i] = centre_;
    return;
  }
  MapBlock(origin_, scaleMinimum_, pixelsPerValue_, nanPixel_, values, n, pixels);
}

}  // namespace vadidazid
