// Mersenne-twister (MT19937) uniform generator with the integer and permutation draws
// the simulation needs. Outputs come from a buffer of tempered words that one twist of
// the whole state fills, so a draw is an inline read; Refill is virtual so tests and the
// reference generator can hand out words of their own through every draw built on it.
// Words can also be taken a run at a time, or skipped, with the same effect on the
// generator as that many draws.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vadidazid {

struct TwistPathAccess;

class RandomSource {
 public:
  static constexpr int kStateSize = 624;

  explicit RandomSource(uint32_t seed);
  virtual ~RandomSource() = default;

  // Fills the state vector from the seed and marks it used up (index 624).
  void InitState(uint32_t seed);
  // InitState, then 37 outputs drawn and discarded.
  void Reseed(uint32_t seed);

  // The next tempered 32-bit output.
  uint32_t NextWord() {
    if (next_ >= kStateSize) [[unlikely]]
      Refill();
    return words_[next_++];
  }
  // NextWord() * 2^-32, in [0, 1 - 2^-32].
  double UniformReal() { return static_cast<double>(NextWord()) * kWordScale; }
  // An integer in [min, max]; INT32_MIN without drawing when min > max,
  // min without drawing when min == max.
  int32_t UniformInt(int32_t min, int32_t max);
  // list[0..count-1] = first .. first+count-1, then permuted with count-1 UniformInt draws.
  void FillShuffled(int32_t list[], int32_t first, int32_t count);

  // The next words as a run: at least one and at most `count` (which must be above 0),
  // as many as are buffered; `count` is set to the run's length. The words count as
  // drawn, and the pointer is good until the next draw.
  const uint32_t* TakeWords(int32_t& count) {
    if (next_ >= kStateSize) [[unlikely]]
      Refill();
    const size_t left = kStateSize - next_;
    if (static_cast<size_t>(count) > left) count = static_cast<int32_t>(left);
    const uint32_t* run = words_ + next_;
    next_ += static_cast<size_t>(count);
    return run;
  }
  // Leaves the generator as `count` draws of NextWord would. Words nobody reads are
  // neither tempered nor buffered where Refill is this class's own twist; a class that
  // hands out words of its own gets every one of them asked for through its Refill.
  void SkipWords(int64_t count);
  // Whether Refill is this class's twist, so that SkipWords may twist the state without
  // handing out its words and a copy of the generator draws what it would. Only an
  // object of exactly this class says so; a derived class that keeps the twist as its
  // Refill may say so too.
  virtual bool RefillIsOwnTwist() const;

  // Tempering of one state word into an output.
  static uint32_t Temper(uint32_t y) {
    y ^= y >> 11;
    y ^= (y << 7) & 0x9D2C5680u;
    y ^= (y << 15) & 0xEFC60000u;
    y ^= y >> 18;
    return y;
  }

 protected:
  // 2^-32: a 32-bit word times this is exact in a double, so the product equals the
  // value obtained by placing the word at the top of a [1, 2) fraction and subtracting 1.
  static constexpr double kWordScale = 1.0 / 4294967296.0;

  // Called when the buffer is empty: twists the whole state and tempers all of it.
  virtual void Refill();
  // For a Refill of another kind: the word is the only one buffered.
  void Supply(uint32_t word) {
    words_[kStateSize - 1] = word;
    next_ = kStateSize - 1;
  }
  // Forgets the buffered words, so the next draw calls Refill.
  void DropBuffered() { next_ = kStateSize; }

  // The twister's state and how many of its words have been handed out or buffered
  // since the last twist; InitState sets it to 624 so that the next Refill twists.
  uint32_t state_[kStateSize];
  int32_t stateUsed_ = kStateSize;

 private:
  friend struct TwistPathAccess;

  uint32_t words_[kStateSize];
  // A full-width index: an int32_t would be widened on every draw, which lengthens the
  // chain from one draw to the next.
  size_t next_ = kStateSize;
  // Whether this object's twist runs the baseline code even where wider vectors are at
  // hand; only the benchmarks and tests set it, to measure and check that code.
  bool baselineTwist_ = false;
};

}  // namespace vadidazid
