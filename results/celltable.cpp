// The per-cell table's text, written with the result tables' CSV rules.
#include "results/celltable.h"

#include "results/csv.h"

namespace vadidazid {

std::string CellTableText(const CellTally& tally) {
  std::string text =
      CsvRecord({"row", "column", "mean_subscribers", "mean_calls", "full_cell_offers", "started",
                 "dropped", "handovers_in", "handovers_out", "first_step", "last_step"});
  const int side = tally.GridSide();
  const std::vector<CellFigures> figures = tally.Figures();
  const int64_t first = tally.Warmup() + 1, last = tally.Warmup() + tally.Steps();
  for (size_t k = 0; k < figures.size(); ++k) {
    const CellFigures& f = figures[k];
    text += CsvRecord({CsvNumber(int64_t(k) / side), CsvNumber(int64_t(k) % side),
                       CsvNumber(f.meanSubscribers), CsvNumber(f.meanCalls),
                       CsvNumber(f.fullCellOffers), CsvNumber(f.started), CsvNumber(f.dropped),
                       CsvNumber(f.handoversIn), CsvNumber(f.handoversOut), CsvNumber(first),
                       CsvNumber(last)});
  }
  return text;
}

}  // namespace vadidazid
