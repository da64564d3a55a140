// Tests of the runtime library's linear congruential generator and of its process-wide
// instance, which must start as if seeded with 1.
#include "random/runtimerandom.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "random/randomvariates.h"

namespace vadidazid {

namespace {

TEST(RuntimeRandomTest, KnownOutputsAfterSeeding) {
  const struct {
    uint32_t seed;
    int32_t first, second;
  } cases[] = {
      {1u, 1410184549, 672584604},
      {12345u, 1220244142, 1374406965},
  };
  for (const auto& c : cases) {
    RuntimeRandom g;
    g.Seed(c.seed);
    EXPECT_EQ(g.Next(), c.first) << c.seed;
    EXPECT_EQ(g.Next(), c.second) << c.seed;
    SeedRuntimeRandom(c.seed);
    EXPECT_EQ(RuntimeRandom31(), c.first) << c.seed;
    EXPECT_EQ(RuntimeRandom31(), c.second) << c.seed;
  }
}

TEST(RuntimeRandomTest, SeedingKeepsOnlyTheLowWordStep) {
  const struct {
    uint32_t seed;
    uint64_t state;
  } cases[] = {
      {1u, 22695478u},
      {0u, 1u},
      {0xFFFFFFFFu, 4272271820u},  // the low word wraps; the high word stays 0
  };
  for (const auto& c : cases) {
    RuntimeRandom g;
    g.Next();
    g.Seed(c.seed);
    EXPECT_EQ(g.state(), c.state) << c.seed;
  }
}

TEST(RuntimeRandomTest, OutputsAreNonNegativeAndUseTheHighBits) {
  RuntimeRandom g;
  bool sawTopBit = false;
  for (int i = 0; i < 10000; ++i) {
    const int32_t v = g.Next();
    ASSERT_GE(v, 0);
    if (v >= (1 << 30)) sawTopBit = true;
  }
  EXPECT_TRUE(sawTopBit);
}

TEST(RuntimeRandomTest, LeapEqualsThatManyDraws) {
  for (uint64_t draws : {0ull, 1ull, 2ull, 7ull, 1000ull, (1ull << 20) + 3}) {
    RuntimeRandom stepped;
    stepped.Seed(12345u);
    const uint64_t start = stepped.state();
    for (uint64_t i = 0; i < draws; ++i) stepped.Next();
    EXPECT_EQ(RuntimeRandom::LeapOf(draws).From(start), stepped.state()) << draws;
  }
}

TEST(RuntimeRandomTest, IndependentOfTheTwister) {
  SeedRuntimeRandom(12345u);
  RandomVariates twister(12345u);
  twister.PoissonVariate(50.0);
  twister.NormalVariate(0.0, 1.0);
  EXPECT_EQ(RuntimeRandom31(), 1220244142);
}

TEST(RuntimeRandomDeathTest, ProcessInstanceStartsAsSeedOne) {
  // A fresh process, so no other test has drawn from the instance yet.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        const bool ok = ProcessRuntimeRandom().state() == 22695478u &&
                        RuntimeRandom31() == 1410184549 && RuntimeRandom31() == 672584604;
        std::exit(ok ? 0 : 2);
      },
      testing::ExitedWithCode(0), "");
}

}  // namespace

}  // namespace vadidazid
