// Per-cell sums over the steps and the figures made of them.
#include "study/celltally.h"

#include <cmath>

namespace vadidazid {

CellTally::CellTally(int gridSide, int channels, int64_t warmup)
    : side_(gridSide),
      channels_(channels),
      warmup_(warmup),
      sums_(size_t(gridSide) * size_t(gridSide)) {}

void CellTally::StepCounted(const StepReport& report) {
  const CellReport& c = report.cells;
  // A report without per-cell counts (none asked for at set-up) adds nothing.
  if (c.subscribers.size() != sums_.size()) return;
  if (++seen_ <= warmup_) return;
  ++steps_;
  for (size_t k = 0; k < sums_.size(); ++k) {
    Sums& s = sums_[k];
    s.subscribers += c.subscribers[k];
    s.calls += c.calls[k];
    s.fullCellOffers += c.fullCellOffers[k];
    s.started += c.started[k];
    s.dropped += c.dropped[k];
    s.handoversIn += c.handoversIn[k];
    s.handoversOut += c.handoversOut[k];
  }
}

std::vector<CellFigures> CellTally::Figures() const {
  std::vector<CellFigures> figures;
  const double steps = steps_ > 0 ? double(steps_) : NAN;
  for (const Sums& s : sums_) {
    figures.push_back({double(s.subscribers) / steps, double(s.calls) / steps, s.fullCellOffers,
                       s.started, s.dropped, s.handoversIn, s.handoversOut});
  }
  return figures;
}

std::vector<double> CellTally::Measure(MapMeasure measure) const {
  std::vector<double> values;
  for (const CellFigures& f : Figures()) {
    switch (measure) {
      case MapMeasure::CallCongestion: {
        const int64_t offers = f.fullCellOffers + f.started;
        values.push_back(offers > 0 ? double(f.fullCellOffers) / double(offers) : NAN);
        break;
      }
      case MapMeasure::Dropped:
        values.push_back(double(f.dropped));
        break;
      case MapMeasure::Load:
        values.push_back(f.meanCalls / channels_ * 100);
        break;
    }
  }
  return values;
}

}  // namespace vadidazid
