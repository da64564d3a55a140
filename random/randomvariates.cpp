// Normal and Poisson variates, the log-factorial they need, the fatal-error exit and the
// process-wide generator. The Poisson set-up is cached per mean because the simulation
// asks again and again for a mean that changes slowly.
#include "random/randomvariates.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <typeinfo>

namespace vadidazid {

namespace {

constexpr double kHatWidthFactor = 2.9430355293715387;  // 8 / e
constexpr double kHatWidthOffset = 0.8989161620588988;  // 3 - 2 sqrt(3 / e)
constexpr double kHalfLnTwoPi = 0.9189385332046727;
constexpr double kStirling1 = 0.08333333333333333;    // 1 / 12
constexpr double kStirling3 = -0.002777777777777778;  // -1 / 360
constexpr double kLargeMeanFrom = 17.0;
constexpr double kSmallMeanFrom = 1e-6;
constexpr double kLargestMean = 2e9;
constexpr int32_t kSmallMeanLargestResult = 130;
constexpr double kSmallestSquaredRadius = 1e-30;
constexpr int32_t kLnFacTableSize = 1024;

}  // namespace

RandomVariates::RandomVariates(uint32_t seed) : RandomSource(seed) {
  normalHasCached_ = 0;
  poissonLastMean_ = -1.0;
}

bool RandomVariates::RefillIsOwnTwist() const { return typeid(*this) == typeid(RandomVariates); }

double RandomVariates::NormalVariate(double mean, double sd) {
  if (normalHasCached_ == 1) {
    normalHasCached_ = 0;
    return normalCached_ * sd + mean;
  }
  double u1;
  double u2;
  double w;
  do {
    u1 = 2.0 * UniformReal() - 1.0;
    u2 = 2.0 * UniformReal() - 1.0;
    w = u1 * u1 + u2 * u2;
  } while (w >= 1.0 || w < kSmallestSquaredRadius);
  const double f = std::sqrt(std::log(w) * (-2.0 / w));
  normalCached_ = u2 * f;
  normalHasCached_ = 1;
  return u1 * f * sd + mean;
}

int32_t RandomVariates::PoissonVariate(double mean) {
  if (mean >= kLargeMeanFrom) {
    if (mean > kLargestMean) ReportFatal("Parameter too big in poisson function");
    return PoissonLargeMean(mean);
  }
  if (mean >= kSmallMeanFrom) return PoissonSmallMean(mean);
  if (mean == 0.0) return 0;
  if (mean < 0.0) ReportFatal("Parameter negative in poisson function");
  // A NaN mean fails every comparison above and would otherwise reach the tiny-mean
  // branch, which then returns 2 for it; it is as bad a parameter as a negative one.
  if (std::isnan(mean)) ReportFatal("Parameter not a number in poisson function");
  return PoissonTinyMean(mean);
}

int32_t RandomVariates::PoissonTinyMean(double mean) {
  // For a mean this small, P(1) ~ mean and P(2) ~ mean^2 / 2; higher counts are
  // negligible. One uniform against sqrt(mean) settles the common case of 0.
  const double d = std::sqrt(mean);
  if (UniformReal() >= d) return 0;
  const double r = UniformReal() * d;
  if (r > mean * (1.0 - mean)) return 0;
  if (r > 0.5 * mean * mean * (1.0 - mean)) return 1;
  return 2;
}

int32_t RandomVariates::PoissonSmallMean(double mean) {
  if (mean != poissonLastMean_) {
    poissonLastMean_ = mean;
    poissonBase_ = std::exp(-mean);
  }
  for (;;) {
    double r = UniformReal();
    int32_t x = 0;
    double f = poissonBase_;
    // Chop-down search: subtract the terms of the distribution from the uniform. The
    // uniform is scaled by x! instead of dividing each term by x, which saves a division
    // per term. A uniform that survives 130 terms is dropped and a fresh one drawn.
    do {
      r -= f;
      if (r <= 0.0) return x;
      ++x;
      f *= mean;
      r *= x;
    } while (x <= kSmallMeanLargestResult);
  }
}

int32_t RandomVariates::PoissonLargeMean(double mean) {
  if (mean != poissonLastMean_) {
    poissonLastMean_ = mean;
    poissonShiftedMean_ = mean + 0.5;
    const int32_t mode = static_cast<int32_t>(mean);
    poissonLogMean_ = std::log(mean);
    poissonBase_ = mode * poissonLogMean_ - LnFac(mode);
    poissonHatWidth_ = std::sqrt(kHatWidthFactor * poissonShiftedMean_) + kHatWidthOffset;
    poissonBound_ = static_cast<int32_t>(poissonShiftedMean_ + 6.0 * poissonHatWidth_);
  }
  // Ratio of uniforms with a squeeze: the two quick tests settle most candidates
  // without the logarithm of the final test.
  for (;;) {
    double u;
    do {
      u = UniformReal();
    } while (u == 0.0);
    const double x = (UniformReal() - 0.5) * poissonHatWidth_ / u + poissonShiftedMean_;
    if (x < 0.0 || x >= poissonBound_) continue;
    const int32_t k = static_cast<int32_t>(x);
    const double t = k * poissonLogMean_ - LnFac(k) - poissonBase_;
    if (u * (4.0 - u) - 3.0 <= t) return k;
    if (u * (u - t) > 1.0) continue;
    if (2.0 * std::log(u) <= t) return k;
  }
}

double LnFac(int32_t n) {
  // Built on first use and kept for the life of the process. The runner's experiments
  // draw on several threads at once, so the build is a static initialisation, which the
  // language runs exactly once and lets every other caller wait for.
  static const std::array<double, kLnFacTableSize> table = [] {
    std::array<double, kLnFacTableSize> t{};
    for (int32_t i = 1; i < kLnFacTableSize; ++i) t[i] = t[i - 1] + std::log(i);
    return t;
  }();

  if (n < 0) ReportFatal("Parameter negative in LnFac function");
  if (n <= 1) return 0.0;
  if (n < kLnFacTableSize) return table[n];
  const double x = n;
  const double r = 1.0 / x;
  return std::log(x) * (x + 0.5) - x + kHalfLnTwoPi + (r * r * kStirling3 + kStirling1) * r;
}

void ReportFatal(const char* message) {
  std::printf("\n%s\n", message);
  std::fflush(stdout);
  // std::exit rather than a quick exit: static destructors and atexit handlers run.
  std::exit(1);
}

RandomVariates& SimGenerator() {
  static RandomVariates generator(static_cast<uint32_t>(std::time(nullptr)));
  return generator;
}

}  // namespace vadidazid
