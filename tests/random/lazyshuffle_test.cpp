// The shuffle worked out on demand against the full shuffle: the same final positions
// wherever the reader stops, and the generator's later draws the same, whether the
// generator twists its own words or replays words through its Refill.
#include "random/lazyshuffle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "random/randomvariates.h"
#include "tests/random/replaysource.h"

namespace vadidazid {

namespace {

// The next words a generator hands out, across more than one twist.
std::vector<uint32_t> NextWords(RandomSource& g, int count = RandomSource::kStateSize + 40) {
  std::vector<uint32_t> words(count);
  for (uint32_t& w : words) w = g.NextWord();
  return words;
}

// Reads the lazy shuffle up to `stop` in uneven steps, with draws of the generator's
// own in between, as the offer walk's call durations make them; returns those draws.
std::vector<uint32_t> WalkTo(LazyShuffle& shuffle, RandomSource& g, int32_t stop) {
  std::vector<uint32_t> between;
  for (int32_t end = 0; end < stop;) {
    end = std::min(stop, end + 1 + end / 3);
    EXPECT_GE(shuffle.Reveal(end), end);
    between.push_back(g.NextWord());
  }
  return between;
}

TEST(LazyShuffleTest, ReadPrefixAndLaterDrawsMatchTheFullShuffle) {
  for (int32_t count : {1, 2, 623, 624, 625, 1000, 100000}) {
    for (int32_t stop : {0, 1, count / 2, count - 1, count}) {
      for (int skew : {0, 1, 400}) {  // where in the twist's buffer the shuffle starts
        RandomVariates full(31u + count), lazy(31u + count);
        for (int k = 0; k < skew; ++k) full.NextWord(), lazy.NextWord();
        std::vector<int32_t> expected(count), order(count, -1);
        full.FillShuffled(expected.data(), 5, count);
        LazyShuffle shuffle(lazy, order.data(), 5, count);
        const std::vector<uint32_t> between = WalkTo(shuffle, lazy, stop);
        const std::string where = "count " + std::to_string(count) + " stop " +
                                  std::to_string(stop) + " skew " + std::to_string(skew);
        ASSERT_EQ(between, NextWords(full, int(between.size()))) << where;
        ASSERT_TRUE(std::equal(order.begin(), order.begin() + stop, expected.begin())) << where;
        ASSERT_EQ(NextWords(lazy), NextWords(full)) << where;
        std::sort(order.begin(), order.end());
        ASSERT_EQ(order.front(), 5) << where;  // still a permutation of the numbers
        ASSERT_EQ(std::adjacent_find(order.begin(), order.end()), order.end()) << where;
      }
    }
  }
}

TEST(LazyShuffleTest, ReplayedWordsAreDrawnUpFrontInTheFullShufflesOrder) {
  std::vector<uint32_t> words;
  for (uint32_t k = 0; k < 40; ++k) words.push_back(k * 0x9E3779B9u);
  for (int32_t count : {1, 2, 7, 30}) {
    for (int32_t stop : {0, 1, count / 2, count - 1, count}) {
      ReplaySource full(words), lazy(words);
      std::vector<int32_t> expected(count), order(count);
      full.FillShuffled(expected.data(), 0, count);
      LazyShuffle shuffle(lazy, order.data(), 0, count);
      EXPECT_EQ(lazy.draws(), full.draws()) << count;
      shuffle.Reveal(stop);
      EXPECT_TRUE(std::equal(order.begin(), order.begin() + stop, expected.begin()))
          << count << " " << stop;
      EXPECT_EQ(lazy.NextWord(), full.NextWord()) << count;
    }
  }
}

// Hands out its twisted words one at a time, leaving the rest in the state: a plain
// copy of it is a generator whose next Refill starts with those words.
class OneWordAtATime : public RandomVariates {
 public:
  explicit OneWordAtATime(uint32_t seed) : RandomVariates(seed) { DropBuffered(); }

 private:
  void Refill() override {
    if (stateUsed_ >= kStateSize) {
      RandomSource::Refill();
      DropBuffered();
      stateUsed_ = 0;
    }
    Supply(Temper(state_[stateUsed_++]));
  }
};

TEST(LazyShuffleTest, CopyWithWordsLeftInItsStateShufflesAndSkipsAsItDraws) {
  for (int drawn : {1, 300, 623}) {
    OneWordAtATime source(9u);
    for (int k = 0; k < drawn; ++k) source.NextWord();
    RandomVariates skipped = source, lazy = source, full = source;
    for (int k = 0; k < 1000; ++k) source.NextWord();
    skipped.SkipWords(1000);
    EXPECT_EQ(NextWords(skipped), NextWords(source)) << drawn;
    std::vector<int32_t> expected(1001), order(1001);
    full.FillShuffled(expected.data(), 0, 1001);
    LazyShuffle shuffle(lazy, order.data(), 0, 1001);
    shuffle.Reveal(50);
    EXPECT_TRUE(std::equal(order.begin(), order.begin() + 50, expected.begin())) << drawn;
    EXPECT_EQ(NextWords(lazy), NextWords(full)) << drawn;
  }
}

TEST(LazyShuffleTest, SkipLeavesTheGeneratorAsDrawsWould) {
  for (int start : {0, 1, 623}) {
    for (int64_t skip : {0, 1, 623, 624, 625, 1000, 1248, 5000}) {
      RandomVariates drawn(77u), skipped(77u);
      for (int k = 0; k < start; ++k) drawn.NextWord(), skipped.NextWord();
      for (int64_t k = 0; k < skip; ++k) drawn.NextWord();
      skipped.SkipWords(skip);
      ASSERT_EQ(NextWords(skipped), NextWords(drawn)) << "start " << start << " skip " << skip;
    }
  }
  // Replayed words are skipped through the Refill that hands them out, one by one.
  ReplaySource replay(std::vector<uint32_t>(10, kWordHalf));
  replay.SkipWords(9);
  EXPECT_EQ(replay.draws(), 9u);
}

}  // namespace

}  // namespace vadidazid
