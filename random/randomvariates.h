// Normal and Poisson variates on top of the Mersenne twister, with the caches that keep
// a repeated Poisson mean from recomputing its set-up. SimGenerator() is the one
// process-wide instance the program draws from.
#pragma once

#include <cstdint>

#include "random/randomsource.h"

namespace vadidazid {

class RandomVariates : public RandomSource {
 public:
  explicit RandomVariates(uint32_t seed);

  // Polar method; every second call returns the cached partner value. A pending cached
  // value survives Reseed.
  double NormalVariate(double mean, double sd);
  // Ends the process through ReportFatal for a negative mean or one above 2e9.
  int32_t PoissonVariate(double mean);

  // The variates keep the twist as their Refill.
  bool RefillIsOwnTwist() const override;

 protected:
  int32_t PoissonTinyMean(double mean);
  int32_t PoissonSmallMean(double mean);
  int32_t PoissonLargeMean(double mean);

 private:
  double normalCached_ = 0.0;
  int32_t normalHasCached_ = 0;
  double poissonLastMean_ = -1.0;
  double poissonBase_ = 0.0;
  double poissonShiftedMean_ = 0.0;
  double poissonHatWidth_ = 0.0;
  double poissonLogMean_ = 0.0;
  int32_t poissonBound_ = 0;
};

// ln(n!): a table below 1024, a Stirling series above. Fatal for n < 0.
double LnFac(int32_t n);

// Writes "\n<message>\n" to standard output and ends the process with status 1.
[[noreturn]] void ReportFatal(const char* message);

// The process-wide generator, created on first use and seeded from the calendar time.
RandomVariates& SimGenerator();

}  // namespace vadidazid
