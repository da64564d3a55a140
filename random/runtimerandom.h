// The 64-bit linear congruential generator of the runtime library, which the simulation
// uses for the subscribers' moves. RuntimeRandom is the generator itself; the free
// functions work on the process-wide instance, which starts as if seeded with 1.
#pragma once

#include <cstdint>

class RuntimeRandom {
 public:
  RuntimeRandom() { Seed(1); }

  // Low word = seed * 22695477 + 1, high word = 0.
  void Seed(uint32_t seed) { state_ = static_cast<uint32_t>(seed * 22695477u + 1u); }
  // S = S * 0x0000015A00004E35 + 1 (mod 2^64); returns bits 32..62 of S.
  int32_t Next() {
    state_ = state_ * 0x0000015A00004E35ull + 1u;
    return static_cast<int32_t>((state_ >> 32) & 0x7FFFFFFFu);
  }
  uint64_t state() const { return state_; }

 private:
  uint64_t state_ = 0;
};

RuntimeRandom& ProcessRuntimeRandom();
void SeedRuntimeRandom(uint32_t seed);
int32_t RuntimeRandom31();
