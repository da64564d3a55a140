// Kinds of change that a series reports. Value events go to whoever takes its data from
// the series; series events go to the listeners the chart has registered.
#pragma once

namespace vadidazid {

enum class TValueEvent { veClear, veAdd, veDelete, veRefresh, veModify };

enum class TChartSeriesEvent {
  seAdd,
  seRemove,
  seChangeTitle,
  seChangeColor,
  seSwap,
  seChangeActive,
  seDataChanged
};

enum class TChartListOrder { loNone, loAscending, loDescending };

}  // namespace vadidazid
