// The move draws of a chunk of subscribers, in three versions.
//
// Each subscriber takes two consecutive draws of the runtime generator: the first's bit
// 32 says whether it moves at all, the second's bits 32..62 modulo 7 its direction (6
// is staying). All versions run several stretches ("lanes") of the sequence side by
// side, each started by a jump ahead from the chunk's state: the multiplications of one
// lane then do not wait for those of another. The movers are listed in index order, as
// the moves must be made.
//
// - portable: two lanes in scalar code, over the chunk's two halves;
// - wide (256-bit vectors): 2 x 4 lanes, lane j taking subscribers j, j + 8, ..., 64-bit
//   products built from 32-bit ones, the lists compacted through a table of
//   permutations;
// - widest (512-bit vectors): 2 x 8 lanes in the same way, the lists compacted by
//   compress.
// The vector versions read the steps left of 8 or 16 records (8 bytes each) at once,
// count them down in place with masks, and leave the chunk's last few subscribers to
// the scalar code.
#include "sim/movedraw.h"

#include <algorithm>
#include <atomic>
#include <cstddef>

#include "random/runtimerandom.h"

#if defined(__GNUC__) && defined(__x86_64__) && defined(__linux__)
#define VADIDAZID_MOVE_VECTORS 1
// GCC 12 warns about the placeholder operand of its own masked intrinsics as if it
// were read; it is not, and the warnings would bury real ones.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wuninitialized"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <immintrin.h>
#pragma GCC diagnostic pop
#else
#define VADIDAZID_MOVE_VECTORS 0
#endif

namespace vadidazid {

namespace {

static_assert(sizeof(Subscriber) == 8 && offsetof(Subscriber, callStepsLeft) == 4,
              "the vector versions read the steps left as every second 32-bit word");

using Leap = RuntimeRandom::Leap;
constexpr Leap kOneDraw = RuntimeRandom::LeapOf(1);
constexpr Leap kTwoDraws = RuntimeRandom::LeapOf(2);
constexpr uint32_t kStay = 6;
// r / 7 as (r * kSevenths) >> 34, exact for every r below 2^31.
constexpr uint32_t kSevenths = 2454267027u;

inline int32_t KeyOf(const Subscriber& sub) {
  return sub.row * MoveTable::kLargestSide + sub.column;
}

// A call in its last step ends with this countdown; its channel is freed at the next
// recount, so it is noted under the subscriber's cell before any move.
inline void NoteEnded(const MoveDraws& d, int32_t index, int32_t& ended) {
  ++ended;
  ++d.freed[d.cellOf[KeyOf(d.chunk[index])]];
}

// One subscriber in scalar code, from its lane's state, which then advances by `next`.
template <bool kCountDown>
inline void DrawOne(const MoveDraws& d, int32_t index, uint64_t& lane, const Leap& next,
                    MoverLists& out, int32_t& ended) {
  const uint64_t first = kOneDraw.From(lane);
  const uint64_t second = kOneDraw.From(first);
  lane = next.From(lane);
  const uint32_t heads = uint32_t(first >> 32) & 1u;
  const uint64_t r = (second >> 32) & 0x7FFFFFFFu;
  const uint32_t direction = uint32_t(r - ((r * kSevenths) >> 34) * 7);
  Subscriber& sub = d.chunk[index];
  const int32_t left = sub.callStepsLeft;
  uint32_t last = 0;
  if constexpr (kCountDown) {
    last = left == 1;
    if (last != 0) NoteEnded(d, index, ended);  // rare: a branch costs less than a store
    sub.callStepsLeft = left - (left > 0);
  }
  const uint32_t entry =
      uint32_t(index) << kMoveIndexShift | direction << kMoveDirectionShift | last;
  const uint32_t moves = heads & uint32_t(direction != kStay);
  const uint32_t inCall = left > 0;
  *out.calls = entry;
  *out.idle = entry;
  out.calls += moves & inCall;
  out.idle += moves & (inCall ^ 1u);
}

// Subscribers from `index` to the end of the chunk, one lane.
template <bool kCountDown>
MoverLists DrawRest(const MoveDraws& d, int32_t index, uint64_t& state, MoverLists out,
                    int32_t& ended) {
  for (; index < d.size; ++index) DrawOne<kCountDown>(d, index, state, kTwoDraws, out, ended);
  return out;
}

// Two lanes over the two halves of the chunk, each with its own lists; the second lane's
// lists then join the first's.
template <bool kCountDown>
MoverLists DrawPortableAs(const MoveDraws& d, uint64_t& state, MoverLists out, int32_t& ended) {
  const int32_t half = d.size / 2;
  uint64_t lane0 = state, lane1 = RuntimeRandom::LeapOf(2 * uint64_t(half)).From(state);
  MoverLists out0 = out;
  const MoverLists start1{out.calls + half, out.idle + half};
  MoverLists out1 = start1;
  for (int32_t i = 0; i < half; ++i) {
    DrawOne<kCountDown>(d, i, lane0, kTwoDraws, out0, ended);
    DrawOne<kCountDown>(d, half + i, lane1, kTwoDraws, out1, ended);
  }
  out0.calls = std::copy(start1.calls, out1.calls, out0.calls);
  out0.idle = std::copy(start1.idle, out1.idle, out0.idle);
  state = lane1;
  return DrawRest<kCountDown>(d, 2 * half, state, out0, ended);
}

MoverLists DrawPortable(const MoveDraws& d, uint64_t& state, MoverLists out, int32_t& ended) {
  return d.countDown ? DrawPortableAs<true>(d, state, out, ended)
                     : DrawPortableAs<false>(d, state, out, ended);
}

// The ended calls of the listed subscribers. The vector versions list them as they go
// and note them after their loop: noting each at once costs a branch per round that
// fails half the time when calls are short.
inline void NoteEndedList(const MoveDraws& d, const uint32_t* begin, const uint32_t* end,
                          int32_t& ended) {
  for (; begin != end; ++begin) NoteEnded(d, int32_t(*begin), ended);
}

#if VADIDAZID_MOVE_VECTORS

#define VADIDAZID_WIDEST __attribute__((target("avx512f,avx512dq,popcnt")))
#define VADIDAZID_WIDE __attribute__((target("avx2,popcnt")))

// The generator states of `count` consecutive subscribers from `state`.
void LaneStarts(uint64_t state, uint64_t* starts, int count) {
  starts[0] = state;
  for (int j = 1; j < count; ++j) starts[j] = kTwoDraws.From(starts[j - 1]);
}

// The 512-bit draws of 8 consecutive lanes: whether each moves, and its direction in the
// low 32 bits of its 64.
struct WidestDraws {
  __mmask8 moves;
  __m512i direction;
};

VADIDAZID_WIDEST inline WidestDraws DrawWidest8(__m512i lanes) {
  const __m512i first =
      _mm512_add_epi64(_mm512_mullo_epi64(lanes, _mm512_set1_epi64(int64_t(kOneDraw.multiplier))),
                       _mm512_set1_epi64(1));
  const __m512i second =
      _mm512_add_epi64(_mm512_mullo_epi64(lanes, _mm512_set1_epi64(int64_t(kTwoDraws.multiplier))),
                       _mm512_set1_epi64(int64_t(kTwoDraws.increment)));
  const __mmask8 heads = _mm512_test_epi64_mask(first, _mm512_set1_epi64(int64_t(1) << 32));
  const __m512i r = _mm512_and_si512(_mm512_srli_epi64(second, 32), _mm512_set1_epi64(0x7FFFFFFF));
  const __m512i q = _mm512_srli_epi64(_mm512_mul_epu32(r, _mm512_set1_epi64(kSevenths)), 34);
  const __m512i b = _mm512_sub_epi64(r, _mm512_sub_epi64(_mm512_slli_epi64(q, 3), q));
  return {_mm512_mask_cmpneq_epi64_mask(heads, b, _mm512_set1_epi64(kStay)), b};
}

// The steps left of 16 records, in order, as they were before the countdown, which runs
// in place when asked.
VADIDAZID_WIDEST inline __m512i StepsLeftWidest16(Subscriber* records, bool countDown) {
  int32_t* words = reinterpret_cast<int32_t*>(records);
  __m512i w0 = _mm512_loadu_si512(words);
  __m512i w1 = _mm512_loadu_si512(words + 16);
  // Steps left of subscriber k is word 2k + 1: the odd words of the two vectors.
  const __m512i odd = _mm512_setr_epi32(1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23, 25, 27, 29, 31);
  const __m512i left = _mm512_permutex2var_epi32(w0, odd, w1);
  if (!countDown) return left;
  // Only the odd words: the even ones hold the column and row bytes.
  const __m512i one = _mm512_set1_epi32(1), zero = _mm512_setzero_si512();
  w0 = _mm512_mask_sub_epi32(w0, _mm512_mask_cmpgt_epi32_mask(0xAAAA, w0, zero), w0, one);
  w1 = _mm512_mask_sub_epi32(w1, _mm512_mask_cmpgt_epi32_mask(0xAAAA, w1, zero), w1, one);
  _mm512_storeu_si512(words, w0);
  _mm512_storeu_si512(words + 16, w1);
  return left;
}

VADIDAZID_WIDEST
MoverLists DrawWidest(const MoveDraws& d, uint64_t& state, MoverLists out, int32_t& ended) {
  // In locals: the stores to the records could otherwise alias them.
  Subscriber* const chunk = d.chunk;
  const int32_t size = d.size;
  const bool countDown = d.countDown;
  constexpr int32_t kRound = 16;
  constexpr Leap kNext = RuntimeRandom::LeapOf(2 * kRound);
  alignas(64) uint64_t starts[kRound];
  LaneStarts(state, starts, kRound);
  __m512i low = _mm512_load_si512(starts), high = _mm512_load_si512(starts + 8);
  const __m512i nextMultiplier = _mm512_set1_epi64(int64_t(kNext.multiplier));
  const __m512i nextIncrement = _mm512_set1_epi64(int64_t(kNext.increment));
  const __m512i slots = _mm512_setr_epi32(0, 16, 32, 48, 64, 80, 96, 112, 128, 144, 160, 176, 192,
                                          208, 224, 240);  // k << kMoveIndexShift
  const __m512i order = _mm512_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
  uint32_t endedList[kMoveChunk + kMoveListSlack];
  uint32_t* endedEnd = endedList;
  int32_t i = 0;
  for (; i + kRound <= size; i += kRound) {
    const WidestDraws a = DrawWidest8(low), b = DrawWidest8(high);
    low = _mm512_add_epi64(_mm512_mullo_epi64(low, nextMultiplier), nextIncrement);
    high = _mm512_add_epi64(_mm512_mullo_epi64(high, nextMultiplier), nextIncrement);
    const __mmask16 moves = __mmask16(a.moves | uint32_t(b.moves) << 8);
    const __m512i directions =
        _mm512_inserti64x4(_mm512_castsi256_si512(_mm512_cvtepi64_epi32(a.direction)),
                           _mm512_cvtepi64_epi32(b.direction), 1);
    const __m512i left = StepsLeftWidest16(chunk + i, countDown);
    const __mmask16 inCall = _mm512_cmpgt_epi32_mask(left, _mm512_setzero_si512());
    uint32_t last = 0;
    if (countDown) {
      last = _mm512_cmpeq_epi32_mask(left, _mm512_set1_epi32(1));
      const __m512i index = _mm512_add_epi32(order, _mm512_set1_epi32(i));
      _mm512_storeu_si512(endedEnd, _mm512_maskz_compress_epi32(__mmask16(last), index));
      endedEnd += __builtin_popcount(last);
    }
    __m512i entries = _mm512_add_epi32(slots, _mm512_set1_epi32(i << kMoveIndexShift));
    entries = _mm512_or_si512(entries, _mm512_slli_epi32(directions, kMoveDirectionShift));
    entries = _mm512_or_si512(entries, _mm512_maskz_mov_epi32(last, _mm512_set1_epi32(1)));
    // The register form of compress: storing straight to memory is slow on some cores.
    const __mmask16 callMoves = moves & inCall, idleMoves = moves & ~inCall;
    _mm512_storeu_si512(out.calls, _mm512_maskz_compress_epi32(callMoves, entries));
    _mm512_storeu_si512(out.idle, _mm512_maskz_compress_epi32(idleMoves, entries));
    out.calls += __builtin_popcount(callMoves);
    out.idle += __builtin_popcount(idleMoves);
  }
  state = uint64_t(_mm_cvtsi128_si64(_mm512_castsi512_si128(low)));
  NoteEndedList(d, endedList, endedEnd, ended);
  return d.countDown ? DrawRest<true>(d, i, state, out, ended)
                     : DrawRest<false>(d, i, state, out, ended);
}

// Per 8-bit mask, the positions of its set bits in order, one byte each: the 256-bit
// path's stand-in for compress.
struct PackTable {
  uint64_t order[256];
};
constexpr PackTable MakePackTable() {
  PackTable t{};
  for (int mask = 0; mask < 256; ++mask) {
    int k = 0;
    for (int bit = 0; bit < 8; ++bit) {
      if ((mask >> bit) & 1) t.order[mask] |= uint64_t(bit) << (8 * k++);
    }
  }
  return t;
}
constexpr PackTable kPackTable = MakePackTable();

// The low 64 bits of x * m for each lane, m given as its 32-bit halves.
VADIDAZID_WIDE inline __m256i MultiplyWide(__m256i x, __m256i low, __m256i high) {
  const __m256i cross =
      _mm256_add_epi64(_mm256_mul_epu32(_mm256_srli_epi64(x, 32), low), _mm256_mul_epu32(x, high));
  return _mm256_add_epi64(_mm256_mul_epu32(x, low), _mm256_slli_epi64(cross, 32));
}

struct WideLeap {
  __m256i low, high, increment;
};
VADIDAZID_WIDE inline WideLeap WideLeapOf(const Leap& leap) {
  return {_mm256_set1_epi64x(int64_t(leap.multiplier & 0xFFFFFFFFu)),
          _mm256_set1_epi64x(int64_t(leap.multiplier >> 32)),
          _mm256_set1_epi64x(int64_t(leap.increment))};
}
VADIDAZID_WIDE inline __m256i Advance(__m256i x, const WideLeap& leap) {
  return _mm256_add_epi64(MultiplyWide(x, leap.low, leap.high), leap.increment);
}

// The 256-bit draws of 4 consecutive lanes: -1 in the lanes that move, and each lane's
// direction in its low 32 bits.
struct WideDraws {
  __m256i moves, direction;
};
VADIDAZID_WIDE inline WideDraws DrawWide4(__m256i lanes, const WideLeap& one, const WideLeap& two) {
  const __m256i first = Advance(lanes, one), second = Advance(lanes, two);
  const __m256i bit32 = _mm256_set1_epi64x(int64_t(1) << 32);
  const __m256i heads = _mm256_cmpeq_epi64(_mm256_and_si256(first, bit32), bit32);
  const __m256i r = _mm256_and_si256(_mm256_srli_epi64(second, 32), _mm256_set1_epi64x(0x7FFFFFFF));
  const __m256i q = _mm256_srli_epi64(_mm256_mul_epu32(r, _mm256_set1_epi64x(kSevenths)), 34);
  const __m256i b = _mm256_sub_epi64(r, _mm256_sub_epi64(_mm256_slli_epi64(q, 3), q));
  const __m256i stay = _mm256_cmpeq_epi64(b, _mm256_set1_epi64x(kStay));
  return {_mm256_andnot_si256(stay, heads), b};
}

// The steps left of 8 records, in order, as they were before the countdown, which runs
// in place when asked.
VADIDAZID_WIDE inline __m256i StepsLeftWide8(Subscriber* records, bool countDown) {
  __m256i* words = reinterpret_cast<__m256i*>(records);
  __m256i v0 = _mm256_loadu_si256(words), v1 = _mm256_loadu_si256(words + 1);
  // Steps left of subscriber k is word 2k + 1. The shuffle takes the odd words of each
  // 128-bit half, giving subscribers 0 1 4 5 2 3 6 7; swapping the middle 64-bit
  // quarters puts them in order.
  const __m256 odd =
      _mm256_shuffle_ps(_mm256_castsi256_ps(v0), _mm256_castsi256_ps(v1), _MM_SHUFFLE(3, 1, 3, 1));
  const __m256i left = _mm256_permute4x64_epi64(_mm256_castps_si256(odd), _MM_SHUFFLE(3, 1, 2, 0));
  if (!countDown) return left;
  const __m256i zero = _mm256_setzero_si256();
  // Adding -1 where a steps field is above 0; the even words hold the column and row.
  const __m256i field = _mm256_setr_epi32(0, -1, 0, -1, 0, -1, 0, -1);
  v0 = _mm256_add_epi32(v0, _mm256_and_si256(_mm256_cmpgt_epi32(v0, zero), field));
  v1 = _mm256_add_epi32(v1, _mm256_and_si256(_mm256_cmpgt_epi32(v1, zero), field));
  _mm256_storeu_si256(words, v0);
  _mm256_storeu_si256(words + 1, v1);
  return left;
}

// The low 32 bits of each 64-bit lane of a and then of b, as eight 32-bit lanes.
VADIDAZID_WIDE inline __m256i Narrow(__m256i a, __m256i b) {
  const __m256i evens = _mm256_setr_epi32(0, 2, 4, 6, 0, 2, 4, 6);
  return _mm256_blend_epi32(_mm256_permutevar8x32_epi32(a, evens),
                            _mm256_permutevar8x32_epi32(b, evens), 0xF0);
}

// The entries of the set bits of `mask` stored from `out` on, in order; returns the end.
VADIDAZID_WIDE inline uint32_t* Pack(__m256i entries, uint32_t mask, uint32_t* out) {
  const __m256i order = _mm256_cvtepu8_epi32(_mm_cvtsi64_si128(int64_t(kPackTable.order[mask])));
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), _mm256_permutevar8x32_epi32(entries, order));
  return out + __builtin_popcount(mask);
}

VADIDAZID_WIDE
MoverLists DrawWide(const MoveDraws& d, uint64_t& state, MoverLists out, int32_t& ended) {
  // In locals: the stores to the records could otherwise alias them.
  Subscriber* const chunk = d.chunk;
  const int32_t size = d.size;
  const bool countDown = d.countDown;
  constexpr int32_t kRound = 8;
  alignas(32) uint64_t starts[kRound];
  LaneStarts(state, starts, kRound);
  __m256i low = _mm256_load_si256(reinterpret_cast<const __m256i*>(starts));
  __m256i high = _mm256_load_si256(reinterpret_cast<const __m256i*>(starts + 4));
  const WideLeap one = WideLeapOf(kOneDraw), two = WideLeapOf(kTwoDraws);
  const WideLeap next = WideLeapOf(RuntimeRandom::LeapOf(2 * kRound));
  const __m256i slots = _mm256_setr_epi32(0, 16, 32, 48, 64, 80, 96, 112);  // k << 4
  const __m256i order = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
  const __m256i one32 = _mm256_set1_epi32(1);
  uint32_t endedList[kMoveChunk + kMoveListSlack];
  uint32_t* endedEnd = endedList;
  int32_t i = 0;
  for (; i + kRound <= size; i += kRound) {
    const WideDraws a = DrawWide4(low, one, two), b = DrawWide4(high, one, two);
    low = Advance(low, next);
    high = Advance(high, next);
    const uint32_t moves = uint32_t(_mm256_movemask_pd(_mm256_castsi256_pd(a.moves))) |
                           uint32_t(_mm256_movemask_pd(_mm256_castsi256_pd(b.moves))) << 4;
    const __m256i left = StepsLeftWide8(chunk + i, countDown);
    const uint32_t inCall = uint32_t(
        _mm256_movemask_ps(_mm256_castsi256_ps(_mm256_cmpgt_epi32(left, _mm256_setzero_si256()))));
    __m256i lastBits = _mm256_setzero_si256();
    if (countDown) {
      const __m256i last = _mm256_cmpeq_epi32(left, one32);
      const uint32_t lastMask = uint32_t(_mm256_movemask_ps(_mm256_castsi256_ps(last)));
      endedEnd = Pack(_mm256_add_epi32(order, _mm256_set1_epi32(i)), lastMask, endedEnd);
      lastBits = _mm256_and_si256(last, one32);
    }
    __m256i entries = _mm256_add_epi32(slots, _mm256_set1_epi32(i << kMoveIndexShift));
    entries = _mm256_or_si256(
        entries, _mm256_slli_epi32(Narrow(a.direction, b.direction), kMoveDirectionShift));
    entries = _mm256_or_si256(entries, lastBits);
    out.calls = Pack(entries, moves & inCall, out.calls);
    out.idle = Pack(entries, moves & ~inCall & 0xFFu, out.idle);
  }
  state = uint64_t(_mm_cvtsi128_si64(_mm256_castsi256_si128(low)));
  NoteEndedList(d, endedList, endedEnd, ended);
  return d.countDown ? DrawRest<true>(d, i, state, out, ended)
                     : DrawRest<false>(d, i, state, out, ended);
}

#endif  // VADIDAZID_MOVE_VECTORS

using DrawFunction = MoverLists (*)(const MoveDraws&, uint64_t&, MoverLists, int32_t&);

DrawFunction FunctionFor(MoveDrawPath path) {
  switch (path) {
#if VADIDAZID_MOVE_VECTORS
    case MoveDrawPath::kWidest:
      return DrawWidest;
    case MoveDrawPath::kWide:
      return DrawWide;
#endif
    default:
      return DrawPortable;
  }
}

MoveDrawPath BestPath() {
  for (MoveDrawPath path : {MoveDrawPath::kWidest, MoveDrawPath::kWide}) {
    if (MoveDrawPathAvailable(path)) return path;
  }
  return MoveDrawPath::kPortable;
}

std::atomic<DrawFunction>& Chosen() {
  static std::atomic<DrawFunction> chosen{FunctionFor(BestPath())};
  return chosen;
}

}  // namespace

bool MoveDrawPathAvailable(MoveDrawPath path) {
  switch (path) {
    case MoveDrawPath::kBest:
    case MoveDrawPath::kPortable:
      return true;
#if VADIDAZID_MOVE_VECTORS
    case MoveDrawPath::kWide:
      __builtin_cpu_init();
      return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt");
    case MoveDrawPath::kWidest:
      __builtin_cpu_init();
      return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512dq") &&
             __builtin_cpu_supports("popcnt");
#endif
    default:
      return false;
  }
}

bool ForceMoveDrawPath(MoveDrawPath path) {
  if (!MoveDrawPathAvailable(path)) return false;
  Chosen().store(FunctionFor(path == MoveDrawPath::kBest ? BestPath() : path),
                 std::memory_order_relaxed);
  return true;
}

MoverLists DrawMoves(const MoveDraws& draws, uint64_t& state, MoverLists lists, int32_t& ended) {
  return Chosen().load(std::memory_order_relaxed)(draws, state, lists, ended);
}

}  // namespace vadidazid
