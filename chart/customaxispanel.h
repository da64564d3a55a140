// The chart's series list and what goes with it: series join and leave here, the list
// order is the drawing and legend order, series changes are broadcast to registered
// listeners, and free palette colours are found for series without their own.
//
// Ownership: the chart owns the series in its list. AddSeries takes a series over,
// RemoveSeries hands it back to the caller; a series moves to another chart with
// other.AddSeries(chart.RemoveSeries(s)), so it is never in two charts at once.
// Destroying the chart frees its series without any repaint or notice.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "chart/chartevents.h"
#include "chart/customteepanel.h"
#include "platform/color.h"

class TChartSeries;
class TCustomChartSeries;

class TCustomAxisPanel : public TCustomTeePanel {
 public:
  using TSeriesEventListener = std::function<void(TChartSeriesEvent, TCustomChartSeries*)>;

  TCustomAxisPanel();
  ~TCustomAxisPanel() override;

  int SeriesCount() const { return static_cast<int>(series_.size()); }
  TChartSeries* Series(int index) const { return series_[index].get(); }
  TChartSeries* GetSeries(int index) const { return Series(index); }
  // -1 when the series is not in this chart.
  int IndexOfSeries(const TChartSeries* series) const;

  // Takes the series over and lets it join at the end of the list; returns it.
  template <typename T>
  T* AddSeries(std::unique_ptr<T> series) {
    T* raw = series.get();
    InternalAddSeries(std::unique_ptr<TChartSeries>(std::move(series)));
    return raw;
  }
  // Takes the series out of the list and returns it to the caller; empty when it was
  // not in this chart.
  std::unique_ptr<TChartSeries> RemoveSeries(TChartSeries* series);

  // Colours handed out to series without their own; the default palette unless the
  // chart was given one.
  const std::vector<TColor>& Palette() const;
  void SetColorPalette(std::vector<TColor> palette) { colorPalette_ = std::move(palette); }

  // False when a series other than `excluded` already shows the colour, or, when
  // checking the background, when the chart's background has it.
  virtual bool IsFreeSeriesColor(TColor color, bool checkBackground,
                                 const TChartSeries* excluded) const;
  // The first palette colour that is free; the last palette colour when none is.
  TColor GetFreeSeriesColor(bool checkBackground, const TChartSeries* excluded) const;

  // Listeners are told about series changes; returns a handle for removing one.
  int AddSeriesEventListener(TSeriesEventListener listener);
  void RemoveSeriesEventListener(int handle);
  void BroadcastSeriesEvent(TChartSeriesEvent event, TCustomChartSeries* series);

 private:
  void InternalAddSeries(std::unique_ptr<TChartSeries> series);

  std::vector<std::unique_ptr<TChartSeries>> series_;
  std::vector<TColor> colorPalette_;
  std::vector<std::pair<int, TSeriesEventListener>> listeners_;
  int nextListenerHandle_ = 1;
};
