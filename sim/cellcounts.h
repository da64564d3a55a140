// What each cell counted in one step, for maps of a run: the new-call walk's offers and
// starts, the move phase's hand-overs and drops, and the cell's subscribers and calls as
// the recount found them. Cell k = row * N + column, as in the state's cell arrays.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vadidazid {

struct CellCounts {
  // Kept only when an observer asks for them: they cost the move phase three increments
  // per moving call. Otherwise every array is empty.
  bool kept = false;

  // The new-call walk: idle subscribers passed over because their cell had no free
  // channel, calls started, and started calls of no steps (the subscriber stays idle).
  std::vector<int32_t> fullCellOffers, started, zeroCalls;
  // The move phase: calls dropped on arrival, and calls that arrived and left (the
  // dropped ones included, so that dropped <= handoversIn).
  std::vector<int32_t> dropped, handoversIn, handoversOut;
  // After the recount.
  std::vector<int32_t> subscribers, calls;

  // Sized for a run of `cells` cells, all counts zero.
  void SetUp(int32_t cells, bool keep);
  // Sized for `cells` cells when kept and it is not, as for a state whose grid side was
  // changed without a set-up.
  void Fit(int32_t cells) {
    if (kept && started.size() != size_t(cells)) SetUp(cells, kept);
  }
  // Zero for the next step, when kept.
  void ClearStep();
};

}  // namespace vadidazid
