// MT19937 uniform generator: seeding, the twist, tempering, and the integer and
// permutation draws built on one output word each.
#include "random/randomsource.h"

namespace {

constexpr uint32_t kSeedMultiplier = 1812433253u;
constexpr int kDiscardAfterSeeding = 37;
constexpr int kShift = 397;
constexpr uint32_t kMatrix = 0x9908B0DFu;
constexpr uint32_t kUpperMask = 0x80000000u;
constexpr uint32_t kLowerMask = 0x7FFFFFFFu;
constexpr uint32_t kTemperB = 0x9D2C5680u;
constexpr uint32_t kTemperC = 0xEFC60000u;
// 2^-32: a 32-bit word times this is exact in a double, so the product equals the
// value obtained by placing the word at the top of a [1, 2) fraction and subtracting 1.
constexpr double kWordScale = 1.0 / 4294967296.0;

}  // namespace

RandomSource::RandomSource(uint32_t seed) { Reseed(seed); }

void RandomSource::InitState(uint32_t seed) {
  state_[0] = seed;
  for (int i = 1; i < kStateSize; ++i) {
    const uint32_t prev = state_[i - 1];
    state_[i] = kSeedMultiplier * (prev ^ (prev >> 30)) + static_cast<uint32_t>(i);
  }
  index_ = kStateSize;
}

void RandomSource::Reseed(uint32_t seed) {
  InitState(seed);
  // The first outputs after seeding are poorly mixed for small seeds; they are dropped.
  for (int i = 0; i < kDiscardAfterSeeding; ++i) NextWord();
}

void RandomSource::Regenerate() {
  // In place and in ascending order: entries from 227 on read words already
  // regenerated in this pass, which is what the recurrence requires.
  for (int k = 0; k < kStateSize; ++k) {
    const uint32_t y = (state_[k] & kUpperMask) | (state_[(k + 1) % kStateSize] & kLowerMask);
    state_[k] = state_[(k + kShift) % kStateSize] ^ (y >> 1) ^ ((y & 1u) ? kMatrix : 0u);
  }
  index_ = 0;
}

uint32_t RandomSource::NextWord() {
  if (index_ >= kStateSize) Regenerate();
  uint32_t y = state_[index_++];
  y ^= y >> 11;
  y ^= (y << 7) & kTemperB;
  y ^= (y << 15) & kTemperC;
  y ^= y >> 18;
  return y;
}

double RandomSource::UniformReal() { return static_cast<double>(NextWord()) * kWordScale; }

int32_t RandomSource::UniformInt(int32_t min, int32_t max) {
  if (max < min) return INT32_MIN;
  if (max == min) return min;
  // The span is formed in 64 bits: max - min + 1 exceeds int32 for wide ranges.
  const int64_t span = static_cast<int64_t>(max) - min + 1;
  int64_t r = min + static_cast<int64_t>(UniformReal() * static_cast<double>(span));
  if (r > max) r = max;
  return static_cast<int32_t>(r);
}

void RandomSource::FillShuffled(int32_t list[], int32_t first, int32_t count) {
  for (int32_t i = 0; i < count; ++i) list[i] = first + i;
  for (int32_t i = 0; i < count - 1; ++i) {
    const int32_t j = UniformInt(i, count - 1);
    const int32_t t = list[i];
    list[i] = list[j];
    list[j] = t;
  }
}
