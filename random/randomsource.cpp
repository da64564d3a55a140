// MT19937 uniform generator: seeding, the twist, tempering, and the integer and
// permutation draws built on one output word each.
//
// The twist and the tempering run over the whole state at once, in loops without
// wrap-around indices, which the compiler turns into vector code on any x86-64; a draw
// then only reads the next buffered word.
#include "random/randomsource.h"

#include <algorithm>
#include <typeinfo>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "random/twistpath.h"

namespace vadidazid {

namespace {

constexpr uint32_t kSeedMultiplier = 1812433253u;
constexpr int kDiscardAfterSeeding = 37;
constexpr int kN = RandomSource::kStateSize;
constexpr int kShift = 397;
constexpr uint32_t kMatrix = 0x9908B0DFu;
constexpr uint32_t kUpperMask = 0x80000000u;
constexpr uint32_t kLowerMask = 0x7FFFFFFFu;
// Below this range size an output word times the size stays under 2^53, so the double
// product of UniformInt is exact and equals an integer multiply and shift.
constexpr int32_t kExactSpan = 1 << 21;

#if defined(__GNUC__)
#define VADIDAZID_ALWAYS_INLINE __attribute__((always_inline))
#else
#define VADIDAZID_ALWAYS_INLINE
#endif
#if defined(__GNUC__) && defined(__x86_64__)
#define VADIDAZID_WIDE_TWIST 1
#else
#define VADIDAZID_WIDE_TWIST 0
#endif

inline uint32_t Mix(uint32_t upper, uint32_t lower) {
  const uint32_t y = (upper & kUpperMask) | (lower & kLowerMask);
  return (y >> 1) ^ (kMatrix & (0u - (y & 1u)));
}

// The recurrence in ascending order, in place: entries from 227 on read words already
// twisted in this pass, which the recurrence requires. Split at the points where
// k + 397 and k + 1 wrap, so no index needs a modulo. With kTemper each new word is
// tempered into the output buffer as it is made; without, the words are only twisted,
// for a skip that reads none of them.
template <bool kTemper>
VADIDAZID_ALWAYS_INLINE inline void TwistPass(uint32_t* __restrict s, uint32_t* __restrict out) {
  int k = 0;
  for (; k < kN - kShift; ++k) {
    s[k] = s[k + kShift] ^ Mix(s[k], s[k + 1]);
    if constexpr (kTemper) out[k] = RandomSource::Temper(s[k]);
  }
  for (; k < kN - 1; ++k) {
    s[k] = s[k + kShift - kN] ^ Mix(s[k], s[k + 1]);
    if constexpr (kTemper) out[k] = RandomSource::Temper(s[k]);
  }
  s[kN - 1] = s[kShift - 1] ^ Mix(s[kN - 1], s[0]);
  if constexpr (kTemper) out[kN - 1] = RandomSource::Temper(s[kN - 1]);
}

// The baseline code runs on any processor of the architecture.
#if defined(__SSE2__)
// On x86-64 the baseline has 128-bit vectors. Written out by hand, the twist of four
// words takes fewer operations than the compiler finds: the lowest bit of the next word
// becomes the matrix's mask by two shifts, and the upper and lower parts combine
// through one and-not.
//
// Several fours per round of the loop: the loop's own count and branch then take fewer
// of the operations the processor can start in a cycle, which bound this code.
#if defined(__GNUC__) && !defined(__clang__)
#define VADIDAZID_UNROLL_FOUR _Pragma("GCC unroll 4")
#elif defined(__clang__)
#define VADIDAZID_UNROLL_FOUR _Pragma("clang loop unroll_count(4)")
#else
#define VADIDAZID_UNROLL_FOUR
#endif
struct Four {
  __m128i v;
};
inline Four Load(const uint32_t* p) {
  return {_mm_loadu_si128(reinterpret_cast<const __m128i*>(p))};
}
inline void Store(uint32_t* p, Four x) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), x.v); }

inline Four TwistFour(Four here, Four next, Four far) {
  const __m128i upper = _mm_set1_epi32(static_cast<int>(kUpperMask));
  const __m128i y = _mm_or_si128(_mm_and_si128(here.v, upper), _mm_andnot_si128(upper, next.v));
  const __m128i odd = _mm_srai_epi32(_mm_slli_epi32(next.v, 31), 31);
  const __m128i matrix = _mm_and_si128(odd, _mm_set1_epi32(static_cast<int>(kMatrix)));
  return {_mm_xor_si128(_mm_xor_si128(far.v, _mm_srli_epi32(y, 1)), matrix)};
}

inline Four TemperFour(Four x) {
  __m128i y = _mm_xor_si128(x.v, _mm_srli_epi32(x.v, 11));
  y = _mm_xor_si128(y, _mm_and_si128(_mm_slli_epi32(y, 7), _mm_set1_epi32(0x9D2C5680)));
  y = _mm_xor_si128(
      y, _mm_and_si128(_mm_slli_epi32(y, 15), _mm_set1_epi32(static_cast<int>(0xEFC60000u))));
  return {_mm_xor_si128(y, _mm_srli_epi32(y, 18))};
}

// Four words at k: each reads its successor before the vector overwrites it, and the
// word 397 ahead (or, from 227 on, 227 behind, twisted earlier in the pass).
template <bool kTemper>
inline void TwistAt(uint32_t* s, uint32_t* out, int k, int far) {
  const Four x = TwistFour(Load(s + k), Load(s + k + 1), Load(s + far));
  Store(s + k, x);
  if constexpr (kTemper) Store(out + k, TemperFour(x));
}

template <bool kTemper>
void TwistPassFours(uint32_t* s, uint32_t* out) {
  // 0 .. 223 in fours; 224 .. 226 would read past the end 397 ahead, so one at a time.
  constexpr int kFirstFours = (kN - kShift) / 4 * 4;
  int k = 0;
  VADIDAZID_UNROLL_FOUR
  for (; k < kFirstFours; k += 4) TwistAt<kTemper>(s, out, k, k + kShift);
  for (; k < kN - kShift; ++k) {
    s[k] = s[k + kShift] ^ Mix(s[k], s[k + 1]);
    if constexpr (kTemper) out[k] = RandomSource::Temper(s[k]);
  }
  // 227 .. 622 is 99 fours exactly; 623 wraps to the start.
  static_assert((kN - 1 - (kN - kShift)) % 4 == 0);
  VADIDAZID_UNROLL_FOUR
  for (; k < kN - 1; k += 4) TwistAt<kTemper>(s, out, k, k + kShift - kN);
  s[kN - 1] = s[kShift - 1] ^ Mix(s[kN - 1], s[0]);
  if constexpr (kTemper) out[kN - 1] = RandomSource::Temper(s[kN - 1]);
}

void TwistAndTemperBaseline(uint32_t* s, uint32_t* out) { TwistPassFours<true>(s, out); }
void TwistOnlyBaseline(uint32_t* s) { TwistPassFours<false>(s, nullptr); }
#else
void TwistAndTemperBaseline(uint32_t* s, uint32_t* out) { TwistPass<true>(s, out); }
void TwistOnlyBaseline(uint32_t* s) { TwistPass<false>(s, nullptr); }
#endif

// Where the toolchain can pick code by processor at run time, the twist also comes in a
// version for 256-bit vectors, which halves its cost. Both do the same integer
// operations, so their words are the same.
#if VADIDAZID_WIDE_TWIST
__attribute__((target("avx2"))) void TwistAndTemperWide(uint32_t* s, uint32_t* out) {
  TwistPass<true>(s, out);
}
__attribute__((target("avx2"))) void TwistOnlyWide(uint32_t* s) { TwistPass<false>(s, nullptr); }

// Asked once: the answer cannot change while the process runs. The processor's features
// are read first, as the first twist may come before the constructors that read them.
bool WideTwistAvailable() {
  static const bool available = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
  }();
  return available;
}
#else
bool WideTwistAvailable() { return false; }
#endif

void TwistAndTemper(uint32_t* s, uint32_t* out, bool baseline) {
#if VADIDAZID_WIDE_TWIST
  if (!baseline && WideTwistAvailable()) return TwistAndTemperWide(s, out);
#endif
  (void)baseline;
  TwistAndTemperBaseline(s, out);
}

void TwistOnly(uint32_t* s, bool baseline) {
#if VADIDAZID_WIDE_TWIST
  if (!baseline && WideTwistAvailable()) return TwistOnlyWide(s);
#endif
  (void)baseline;
  TwistOnlyBaseline(s);
}

}  // namespace

RandomSource::RandomSource(uint32_t seed) { Reseed(seed); }

void RandomSource::InitState(uint32_t seed) {
  state_[0] = seed;
  for (int i = 1; i < kN; ++i) {
    const uint32_t prev = state_[i - 1];
    state_[i] = kSeedMultiplier * (prev ^ (prev >> 30)) + static_cast<uint32_t>(i);
  }
  stateUsed_ = kN;
  next_ = kN;
}

void RandomSource::Reseed(uint32_t seed) {
  InitState(seed);
  // The first outputs after seeding are poorly mixed for small seeds; they are dropped.
  for (int i = 0; i < kDiscardAfterSeeding; ++i) NextWord();
}

void RandomSource::Refill() {
  // A Refill of another kind may have left words of the state unused; they come first.
  if (stateUsed_ < kN) {
    for (int i = stateUsed_; i < kN; ++i) words_[i] = Temper(state_[i]);
    next_ = static_cast<size_t>(stateUsed_);
  } else {
    TwistAndTemper(state_, words_, baselineTwist_);
    next_ = 0;
  }
  stateUsed_ = kN;
}

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
  const int32_t last = count - 1;
  if (count > kExactSpan) {
    for (int32_t i = 0; i < last; ++i) std::swap(list[i], list[UniformInt(i, last)]);
    return;
  }
  // UniformInt(i, last) with its product done in integers (exact at these sizes), over
  // the buffered words a run at a time.
  int32_t i = 0;
  while (i < last) {
    if (next_ >= kN) Refill();
    const int32_t run = std::min(kN - static_cast<int32_t>(next_), last - i);
    const uint32_t* words = words_ + next_;
    next_ += run;
    for (int32_t t = 0; t < run; ++t, ++i) {
      const uint64_t span = static_cast<uint32_t>(count - i);
      const int32_t j = i + static_cast<int32_t>((words[t] * span) >> 32);
      std::swap(list[i], list[j]);
    }
  }
}

bool RandomSource::RefillIsOwnTwist() const { return typeid(*this) == typeid(RandomSource); }

void RandomSource::SkipWords(int64_t count) {
  if (count <= 0) return;
  const bool ownTwist = RefillIsOwnTwist();
  while (count > 0) {
    if (next_ >= kN) {
      if (ownTwist && stateUsed_ >= kN) {
        // The state moves on; only the words after the skipped ones are tempered.
        TwistOnly(state_, baselineTwist_);
        if (count >= kN) {
          count -= kN;
          continue;
        }
        for (int i = static_cast<int>(count); i < kN; ++i) words_[i] = Temper(state_[i]);
        next_ = static_cast<size_t>(count);
        return;
      }
      Refill();
    }
    const size_t take = std::min(static_cast<size_t>(count), kN - next_);
    next_ += take;
    count -= static_cast<int64_t>(take);
  }
}

}  // namespace vadidazid
