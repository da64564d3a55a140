// Mersenne-twister (MT19937) uniform generator with the integer and permutation draws
// the simulation needs. NextWord is virtual so tests can replay fixed words through
// every draw built on it.
#pragma once

#include <cstdint>

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
  virtual uint32_t NextWord();
  // NextWord() * 2^-32, in [0, 1 - 2^-32].
  double UniformReal();
  // An integer in [min, max]; INT32_MIN without drawing when min > max,
  // min without drawing when min == max.
  int32_t UniformInt(int32_t min, int32_t max);
  // list[0..count-1] = first .. first+count-1, then permuted with count-1 UniformInt draws.
  void FillShuffled(int32_t list[], int32_t first, int32_t count);

 private:
  void Regenerate();

  uint32_t state_[kStateSize];
  int32_t index_ = kStateSize;
};
