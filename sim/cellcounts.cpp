// Per-cell counts of a step: their sizes and their clearing between steps.
#include "sim/cellcounts.h"

#include <algorithm>

namespace vadidazid {

void CellCounts::SetUp(int32_t cells, bool keep) {
  kept = keep;
  const size_t size = keep ? size_t(cells) : 0;
  for (std::vector<int32_t>* v : {&fullCellOffers, &started, &zeroCalls, &dropped, &handoversIn,
                                  &handoversOut, &subscribers, &calls}) {
    v->assign(size, 0);
  }
}

void CellCounts::ClearStep() {
  if (!kept) return;
  for (std::vector<int32_t>* v :
       {&fullCellOffers, &started, &zeroCalls, &dropped, &handoversIn, &handoversOut}) {
    std::fill(v->begin(), v->end(), 0);
  }
}

}  // namespace vadidazid
