// The forward shuffle one position at a time: position i swaps with a position drawn
// from i .. count-1 and is then final. Each swap takes one word, so the words of all
// swaps are known to be the count - 1 words after the start, and the generator can move
// past them at once.
#include "random/lazyshuffle.h"

#include <algorithm>
#include <utility>

namespace vadidazid {

namespace {

// Below this range size an output word times the size stays under 2^53, so the double
// product of UniformInt is exact and equals an integer multiply and shift.
constexpr int32_t kExactSpan = 1 << 21;

// UniformInt(i, count - 1) from the word it would draw.
inline int32_t PickFrom(uint32_t word, int32_t i, int32_t count) {
  const uint32_t span = static_cast<uint32_t>(count - i);
  if (span <= static_cast<uint32_t>(kExactSpan)) [[likely]]
    return i + static_cast<int32_t>((word * uint64_t{span}) >> 32);
  constexpr double kWordScale = 1.0 / 4294967296.0;
  const int64_t r = i + static_cast<int64_t>(static_cast<double>(word) * kWordScale * span);
  return static_cast<int32_t>(std::min<int64_t>(r, count - 1));
}

}  // namespace

LazyShuffle::LazyShuffle(RandomSource& generator, int32_t list[], int32_t first, int32_t count)
    : list_(list),
      count_(std::max(count, 0)),
      last_(count > 0 ? count - 1 : 0),
      fork_(generator),
      forked_(generator.RefillIsOwnTwist()) {
  for (int32_t i = 0; i < count; ++i) list[i] = first + i;
  if (forked_) {
    generator.SkipWords(last_);
    return;
  }
  drawn_.resize(static_cast<size_t>(last_));
  for (uint32_t& word : drawn_) word = generator.NextWord();
}

const uint32_t* LazyShuffle::TakeWords(int32_t& count) {
  if (forked_) return fork_.TakeWords(count);
  return drawn_.data() + done_;
}

int32_t LazyShuffle::Reveal(int32_t end) {
  const int32_t target = std::min(end, last_);
  int32_t i = done_;
  while (i < target) {
    int32_t run = target - i;
    const uint32_t* words = TakeWords(run);
    for (int32_t t = 0; t < run; ++t, ++i) {
      std::swap(list_[i], list_[PickFrom(words[t], i, count_)]);
    }
    done_ = i;
  }
  return FinalCount();
}

}  // namespace vadidazid
