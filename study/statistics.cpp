// Erlang B, Student's t quantiles and confidence intervals.
#include "study/statistics.h"

#include <algorithm>
#include <cmath>

namespace vadidazid {

namespace {

// The continued fraction of the regularized incomplete beta function, evaluated with the
// modified Lentz method; converges quickly for x below (a + 1) / (a + b + 2).
double BetaFraction(double a, double b, double x) {
  const double tiny = 1e-300;
  double c = 1.0;
  double d = 1.0 - (a + b) * x / (a + 1.0);
  if (std::fabs(d) < tiny) d = tiny;
  d = 1.0 / d;
  double h = d;
  for (int m = 1; m <= 10000; ++m) {
    const double m2 = 2.0 * m;
    // The even term, then the odd one.
    double aa = m * (b - m) * x / ((a + m2 - 1.0) * (a + m2));
    d = 1.0 + aa * d;
    if (std::fabs(d) < tiny) d = tiny;
    c = 1.0 + aa / c;
    if (std::fabs(c) < tiny) c = tiny;
    d = 1.0 / d;
    h *= d * c;
    aa = -(a + m) * (a + b + m) * x / ((a + m2) * (a + m2 + 1.0));
    d = 1.0 + aa * d;
    if (std::fabs(d) < tiny) d = tiny;
    c = 1.0 + aa / c;
    if (std::fabs(c) < tiny) c = tiny;
    d = 1.0 / d;
    const double step = d * c;
    h *= step;
    if (std::fabs(step - 1.0) < 1e-16) break;
  }
  return h;
}

// I_x(a, b) for 0 <= x <= 1.
double RegularizedBeta(double a, double b, double x) {
  if (x <= 0.0) return 0.0;
  if (x >= 1.0) return 1.0;
  const double front = std::exp(std::lgamma(a + b) - std::lgamma(a) - std::lgamma(b) +
                                a * std::log(x) + b * std::log1p(-x));
  if (x < (a + 1.0) / (a + b + 2.0)) return front * BetaFraction(a, b, x) / a;
  return 1.0 - front * BetaFraction(b, a, 1.0 - x) / b;
}

// P(T <= t) for t >= 0.
double StudentTDistribution(double t, double freedom) {
  const double tail = 0.5 * RegularizedBeta(freedom / 2.0, 0.5, freedom / (freedom + t * t));
  return 1.0 - tail;
}

}  // namespace

double ErlangB(double erlangs, int64_t channels) {
  if (!(erlangs >= 0.0)) return kNaN;
  double b = 1.0;
  for (int64_t c = 1; c <= channels; ++c) {
    b = erlangs * b / (double(c) + erlangs * b);
    // Zero stays zero: the rest of up to 100,000 channels would change nothing, and
    // --summarize recomputes this for every row it reads.
    if (b == 0.0 && std::isfinite(erlangs)) break;
  }
  return b;
}

double EngsetCallCongestion(double sources, int64_t channels, double perIdleSource) {
  if (!(perIdleSource >= 0.0) || !(sources >= 0.0)) return kNaN;
  double b = 1.0;
  for (int64_t x = 1; x <= channels; ++x) {
    const double offered = std::max(sources - double(x), 0.0) * perIdleSource * b;
    b = offered / (double(x) + offered);
    if (b == 0.0 && std::isfinite(perIdleSource)) break;  // zero stays zero, as above
  }
  return b;
}

double StudentTQuantile(double p, int64_t freedom) {
  if (freedom < 1 || !(p > 0.0 && p < 1.0)) return kNaN;
  if (p < 0.5) return -StudentTQuantile(1.0 - p, freedom);
  if (p == 0.5) return 0.0;
  const double nu = double(freedom);
  // Bracket the quantile, then halve the bracket until it is one double wide.
  double low = 0.0, high = 1.0;
  while (StudentTDistribution(high, nu) < p) {
    low = high;
    high *= 2.0;
    if (std::isinf(high)) return high;
  }
  for (int i = 0; i < 200; ++i) {
    const double middle = 0.5 * (low + high);
    if (middle <= low || middle >= high) break;
    (StudentTDistribution(middle, nu) < p ? low : high) = middle;
  }
  return 0.5 * (low + high);
}

MeanInterval MeanWithInterval95(const std::vector<double>& values) {
  // Sums of differences from the first value: replications that agree give exactly that
  // value and exactly zero width, and large means with small spreads keep their digits.
  double first = kNaN;
  double sum = 0.0;
  int64_t count = 0;
  for (double v : values) {
    if (std::isnan(v)) continue;
    if (count == 0) first = v;
    sum += v - first;
    ++count;
  }
  if (count == 0) return {kNaN, kNaN, 0};
  const double shift = sum / double(count);
  if (count == 1) return {first, kNaN, 1};
  double squares = 0.0;
  for (double v : values) {
    if (!std::isnan(v)) squares += (v - first - shift) * (v - first - shift);
  }
  const double deviation = std::sqrt(squares / double(count - 1));
  const double half = StudentTQuantile(0.975, count - 1) * deviation / std::sqrt(double(count));
  return {first + shift, half, count};
}

}  // namespace vadidazid
