// Per-cell counts of a step: their sizes and their clearing between steps.
#include "sim/cellcounts.h"

#include <algorithm>

void CellCounts::SetUp(int32_t cells, bool keep) {
  kept = keep;
  const size_t walk = size_t(cells);
  const size_t rest = keep ? walk : 0;
  fullCellOffers.assign(walk, 0);
  started.assign(walk, 0);
  zeroCalls.assign(walk, 0);
  for (std::vector<int32_t>* v : {&dropped, &handoversIn, &handoversOut, &subscribers, &calls}) {
    v->assign(rest, 0);
  }
}

void CellCounts::ClearStep() {
  for (std::vector<int32_t>* v : {&fullCellOffers, &started, &zeroCalls, &dropped, &handoversIn,
                                  &handoversOut}) {
    std::fill(v->begin(), v->end(), 0);
  }
}
