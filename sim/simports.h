// Where a run reads its controls and what it reports to: one pointer per port, each an
// interface of its own, so the window, the headless runner, the experiments and the
// tests' fakes implement only the ports they use. A missing port (nullptr) is a report
// nobody takes; only the controls are required, by the set-up.
#pragma once

#include <type_traits>

#include "sim/cellview.h"
#include "sim/controlsource.h"
#include "sim/messagesink.h"
#include "sim/runchart.h"
#include "sim/runlog.h"
#include "sim/stepobserver.h"

namespace vadidazid {

struct SimPorts {
  ControlSource* controls = nullptr;
  RunLog* log = nullptr;
  RunChart* chart = nullptr;
  CellView* cells = nullptr;
  MessageSink* messages = nullptr;
  StepObserver* observer = nullptr;

  SimPorts() = default;
  // Every port the object implements: an object that implements ports stands for them
  // wherever a run takes its ports.
  template <typename T>
  requires(!std::is_same_v<std::remove_cv_t<T>, SimPorts>)
      SimPorts(T& object) {  // NOLINT(google-explicit-constructor)
    if constexpr (std::is_base_of_v<ControlSource, T>) controls = &object;
    if constexpr (std::is_base_of_v<RunLog, T>) log = &object;
    if constexpr (std::is_base_of_v<RunChart, T>) chart = &object;
    if constexpr (std::is_base_of_v<CellView, T>) cells = &object;
    if constexpr (std::is_base_of_v<MessageSink, T>) messages = &object;
    if constexpr (std::is_base_of_v<StepObserver, T>) observer = &object;
  }
};

}  // namespace vadidazid
