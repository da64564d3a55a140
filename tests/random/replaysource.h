// A generator for tests that hands out a fixed list of words instead of the twister's
// output and counts how many were drawn, so every draw of the variates can be checked.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "random/randomvariates.h"

namespace vadidazid {

class ReplaySource : public RandomVariates {
 public:
  explicit ReplaySource(std::vector<uint32_t> words) : RandomVariates(0), words_(std::move(words)) {
    DropBuffered();
  }

  size_t draws() const { return draws_; }

  using RandomVariates::PoissonLargeMean;
  using RandomVariates::PoissonSmallMean;
  using RandomVariates::PoissonTinyMean;

 private:
  // One word at a time, so that draws() counts exactly the words taken.
  void Refill() override {
    if (draws_ >= words_.size()) {
      ADD_FAILURE() << "drew word " << draws_ + 1 << " of " << words_.size() << " replayed";
      Supply(0);
      return;
    }
    Supply(words_[draws_++]);
  }

  std::vector<uint32_t> words_;
  size_t draws_ = 0;
};

// Words whose UniformReal is exactly the fraction named.
constexpr uint32_t kWordZero = 0x00000000u;
constexpr uint32_t kWordQuarter = 0x40000000u;
constexpr uint32_t kWordHalf = 0x80000000u;
constexpr uint32_t kWordThreeQuarters = 0xC0000000u;
constexpr uint32_t kWordMax = 0xFFFFFFFFu;

}  // namespace vadidazid
