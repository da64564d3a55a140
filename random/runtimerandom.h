// The 64-bit linear congruential generator of the runtime library, which the simulation
// uses for the subscribers' moves. RuntimeRandom is the generator itself; the free
// functions work on the process-wide instance, which starts as if seeded with 1.
#pragma once

#include <cstdint>

namespace vadidazid {

class RuntimeRandom {
 public:
  static constexpr uint64_t kMultiplier = 0x0000015A00004E35ull;

  // The effect of some number of draws on the state: S -> multiplier * S + increment
  // (mod 2^64). It lets a caller start several stretches of the sequence at once.
  struct Leap {
    uint64_t multiplier;
    uint64_t increment;
    constexpr uint64_t From(uint64_t state) const { return multiplier * state + increment; }
  };
  static constexpr Leap LeapOf(uint64_t draws) {
    Leap result{1, 0};
    Leap power{kMultiplier, 1};
    for (; draws != 0; draws >>= 1) {
      if (draws & 1) result = {power.multiplier * result.multiplier, power.From(result.increment)};
      power = {power.multiplier * power.multiplier, power.From(power.increment)};
    }
    return result;
  }

  RuntimeRandom() { Seed(1); }

  // Low word = seed * 22695477 + 1, high word = 0.
  void Seed(uint32_t seed) { state_ = static_cast<uint32_t>(seed * 22695477u + 1u); }
  // S = S * 0x0000015A00004E35 + 1 (mod 2^64); returns bits 32..62 of S.
  int32_t Next() {
    state_ = state_ * kMultiplier + 1u;
    return static_cast<int32_t>((state_ >> 32) & 0x7FFFFFFFu);
  }
  uint64_t state() const { return state_; }
  void SetState(uint64_t state) { state_ = state; }

 private:
  uint64_t state_ = 0;
};

RuntimeRandom& ProcessRuntimeRandom();
void SeedRuntimeRandom(uint32_t seed);
int32_t RuntimeRandom31();

}  // namespace vadidazid
