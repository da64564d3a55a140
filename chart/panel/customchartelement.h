// The common base of everything a chart holds that can be switched on and off and that
// asks its chart to repaint when changed. Setters store only real changes and then
// request a repaint; nothing is drawn inside a setter. A change of the element's pen or
// brush asks for a repaint as well.
#pragma once

#include <cstdint>
#include <string>

#include "chart/canvas/chartpen.h"
#include "chart/panel/storeandrepaint.h"

namespace vadidazid {

class TCustomAxisPanel;

class TCustomChartElement {
 public:
  TCustomChartElement();
  virtual ~TCustomChartElement() = default;

  TCustomChartElement(const TCustomChartElement&) = delete;
  TCustomChartElement& operator=(const TCustomChartElement&) = delete;

  // The name the element has in a window's layout, e.g. "Series1".
  const std::string& Name() const { return name_; }
  void SetName(const std::string& name) { name_ = name; }

  bool Active() const { return active_; }
  virtual void SetActive(bool active);

  TCustomAxisPanel* ParentChart() const { return parentChart_; }

  bool ShowInEditor() const { return showInEditor_; }
  void SetShowInEditor(bool show);

  TChartPen& Pen() { return pen_; }
  const TChartPen& Pen() const { return pen_; }
  TChartBrush& Brush() { return brush_; }
  const TChartBrush& Brush() const { return brush_; }

  intptr_t Tag() const { return tag_; }
  void SetTag(intptr_t tag) { tag_ = tag; }

  // Asks the parent chart, if any, to repaint.
  void Repaint() const;

 protected:
  // Only the chart sets this, as the element joins or leaves it.
  virtual void SetParentChart(TCustomAxisPanel* chart) { parentChart_ = chart; }
  // Stores `value` into `field` when it differs and repaints; true when it changed.
  template <typename T>
  bool StoreAndRepaint(T& field, const T& value) {
    return vadidazid::StoreAndRepaint(field, value, [this] { Repaint(); });
  }

  bool active_ = true;

 private:
  friend class TCustomAxisPanel;

  std::string name_;
  TCustomAxisPanel* parentChart_ = nullptr;
  bool showInEditor_ = true;
  TChartPen pen_;
  TChartBrush brush_;
  intptr_t tag_ = 0;
};

}  // namespace vadidazid
