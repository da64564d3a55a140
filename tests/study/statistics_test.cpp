// Erlang B against published table values, Student's t quantiles against published
// values, and confidence intervals.
#include "study/statistics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vadidazid {

namespace {

TEST(Statistics, ErlangBMatchesPublishedTables) {
  struct Case {
    int channels;
    double erlangs, blocking, tolerance;
  };
  // Exact values, then the 1 % column of the usual traffic tables (loads given to two
  // decimals, so a looser tolerance).
  for (Case c :
       {Case{10, 5.0, 0.018385, 5e-7}, Case{1, 1.0, 0.5, 1e-15}, Case{2, 1.0, 0.2, 1e-15},
        Case{5, 2.0, 0.036697, 5e-7}, Case{5, 1.36, 0.01, 1e-4}, Case{10, 4.46, 0.01, 1e-4},
        Case{20, 12.03, 0.01, 1e-4}, Case{100, 84.06, 0.01, 1e-4}, Case{10, 0.0, 0.0, 0.0}}) {
    EXPECT_NEAR(ErlangB(c.erlangs, c.channels), c.blocking, c.tolerance)
        << c.channels << " channels, " << c.erlangs << " E";
  }
}

TEST(Statistics, ErlangBStaysFiniteForManyChannels) {
  for (double erlangs : {1.0, 500.0, 950.0, 1000.0, 5000.0}) {
    const double b = ErlangB(erlangs, 1000);
    EXPECT_TRUE(std::isfinite(b)) << erlangs;
    EXPECT_GE(b, 0.0);
    EXPECT_LT(b, 1.0);
  }
  EXPECT_GT(ErlangB(1000.0, 1000), ErlangB(950.0, 1000));
  EXPECT_NEAR(ErlangB(5000.0, 1000), 1.0 - 1000.0 / 5000.0, 1e-3);  // heavy overload
  EXPECT_TRUE(std::isnan(ErlangB(std::numeric_limits<double>::quiet_NaN(), 10)));
}

// Engset's call congestion: exact fractions worked out by hand from the state
// probabilities of S - 1 sources, C(S-1, i) b^i normalised over i = 0 .. n; the same sum
// computed independently for larger groups; and, for many sources each offering little,
// the Erlang B value of the published tables (10 channels, 5 E: 0.018385).
TEST(Statistics, EngsetCallCongestion) {
  struct Case {
    double sources;
    int channels;
    double perIdleSource, congestion;
  };
  for (Case c : {Case{4, 2, 1.0 / 3, 1.0 / 7},  // 3 others: (3/9) / (1 + 1 + 3/9)
                 Case{5, 2, 1.0, 6.0 / 11},     // 4 others: 6 / (1 + 4 + 6)
                 Case{2, 1, 1.0, 0.5}, Case{3, 1, 0.5, 0.5},
                 Case{3, 2, 7.0, 49.0 / 64},  // 49 / (1 + 14 + 49)
                 Case{2, 2, 7.0, 0.0},        // one other source cannot fill two channels
                 Case{10, 0, 1.0, 1.0}, Case{10, 3, 0.0, 0.0}, Case{0.5, 1, 2.0, 0.0},
                 Case{1e6, 10, 5.0 / 1e6, 0.018385}}) {
    EXPECT_NEAR(EngsetCallCongestion(c.sources, c.channels, c.perIdleSource), c.congestion,
                c.sources > 100 ? 5e-6 : 1e-15)
        << c.sources << " sources, " << c.channels << " channels, " << c.perIdleSource;
  }
  for (int others : {9, 30, 60}) {
    for (int n : {1, 5, 10}) {
      const double beta = 0.2;
      double term = 1.0, sum = 1.0;  // C(others, i) beta^i
      for (int i = 1; i <= n; ++i) {
        term *= double(others - i + 1) / i * beta;
        sum += term;
      }
      EXPECT_NEAR(EngsetCallCongestion(others + 1, n, beta), term / sum,
                  1e-14 * (term / sum + 1e-300))
          << others << " " << n;
    }
  }
  EXPECT_TRUE(std::isnan(EngsetCallCongestion(10, 3, std::numeric_limits<double>::quiet_NaN())));
  EXPECT_TRUE(std::isnan(EngsetCallCongestion(10, 3, -1.0)));
}

TEST(Statistics, StudentQuantilesMatchPublishedValues) {
  struct Case {
    double p;
    int freedom;
    double t;
  };
  for (Case c :
       {Case{0.975, 1, 12.706204736}, Case{0.975, 2, 4.302652730}, Case{0.975, 3, 3.182446305},
        Case{0.975, 5, 2.570581836}, Case{0.975, 10, 2.228138852}, Case{0.975, 30, 2.042272456},
        Case{0.975, 100, 1.983971519}, Case{0.995, 4, 4.604094871}, Case{0.025, 7, -2.364624252},
        Case{0.975, 1000000, 1.959966}}) {
    EXPECT_NEAR(StudentTQuantile(c.p, c.freedom), c.t, 2e-6 * std::fabs(c.t))
        << c.p << " " << c.freedom;
  }
}

TEST(Statistics, ConfidenceIntervals) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  // Replications that agree: that very value and no width at all.
  MeanInterval same = MeanWithInterval95({0.1, 0.1, 0.1, 0.1, 0.1});
  EXPECT_EQ(same.mean, 0.1);
  EXPECT_EQ(same.halfWidth, 0.0);
  MeanInterval four = MeanWithInterval95({1, 2, 3, 4});
  EXPECT_DOUBLE_EQ(four.mean, 2.5);
  EXPECT_NEAR(four.halfWidth, 3.182446305 * std::sqrt(5.0 / 3.0) / 2.0, 1e-9);
  // Undefined values (a probability of nothing) are left out.
  MeanInterval some = MeanWithInterval95({nan, 5.0, nan});
  EXPECT_EQ(some.mean, 5.0);
  EXPECT_TRUE(std::isnan(some.halfWidth));
  EXPECT_EQ(some.count, 1);
  EXPECT_TRUE(std::isnan(MeanWithInterval95({nan}).mean));
}

}  // namespace

}  // namespace vadidazid
