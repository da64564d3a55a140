// A shuffle of consecutive numbers that is worked out only as far as its positions are
// read, while the generator goes on with other draws. The positions it makes final are
// those of RandomSource::FillShuffled, and the generator draws after it what it would
// draw after FillShuffled: the shuffle's words are set aside when it starts, and those
// of positions nobody reads are skipped without the work of the shuffle.
#pragma once

#include <cstdint>
#include <vector>

#include "random/randomsource.h"

namespace vadidazid {

class LazyShuffle {
 public:
  // list[0..count-1] = first .. first+count-1. The generator moves past the count - 1
  // words the shuffle takes; list must outlive the shuffle.
  LazyShuffle(RandomSource& generator, int32_t list[], int32_t first, int32_t count);
  LazyShuffle(const LazyShuffle&) = delete;
  LazyShuffle& operator=(const LazyShuffle&) = delete;

  // Makes the positions below `end` final; returns how many positions are final (at
  // least min(end, count)). The positions beyond them hold the rest of the numbers in
  // an order that is not yet the shuffle's.
  int32_t Reveal(int32_t end);

  // How many positions are final.
  int32_t FinalCount() const { return done_ >= last_ ? count_ : done_; }

 private:
  // The next run of the shuffle's words, at most `count` long.
  const uint32_t* TakeWords(int32_t& count);

  int32_t* list_;
  int32_t count_;
  // The last position, whose value is final once every one before it is.
  int32_t last_;
  // Positions below this have had their swap; one word each.
  int32_t done_ = 0;
  // Where the generator's Refill is its own twist, a copy of it taken at the start
  // makes the shuffle's words on demand. Otherwise they are drawn through the
  // generator's own Refill at the start, as the full shuffle would draw them, and kept.
  RandomSource fork_;
  bool forked_;
  std::vector<uint32_t> drawn_;
};

}  // namespace vadidazid
