// The one setter rule of the chart engine: a setter stores a value only when it differs
// from the old one and then asks for a repaint; nothing is drawn inside a setter. Every
// owner (chart element, panel, wall, pen, font) routes its setters through this, passing
// its own way of asking for the repaint, so a setter that changes nothing never causes
// a paint and a setter that changes something never forgets to.
#pragma once

#include <functional>
#include <utility>

namespace vadidazid {

// Stores value into field when they differ, then calls repaint; true when it changed.
template <typename T, typename Repaint>
bool StoreAndRepaint(T& field, const T& value, Repaint&& repaint) {
  if (field == value) return false;
  field = value;
  std::forward<Repaint>(repaint)();
  return true;
}

// Pens, brushes and fonts tell their owner about a change through OnChange; the owner
// (a chart element or the chart) turns it into a repaint request.
class TChartGraphic {
 public:
  TChartGraphic() = default;
  virtual ~TChartGraphic() = default;
  TChartGraphic(const TChartGraphic&) = delete;
  TChartGraphic& operator=(const TChartGraphic&) = delete;

  std::function<void()> OnChange;

 protected:
  void Changed() const {
    if (OnChange) OnChange();
  }
  template <typename T>
  bool StoreAndRepaint(T& field, const T& value) {
    return vadidazid::StoreAndRepaint(field, value, [this] { Changed(); });
  }
};

}  // namespace vadidazid
