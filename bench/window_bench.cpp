// One full step in the window at the largest parameters: the simulation, the cell
// picture, the log line and the chart's values, and the window's repaint of the cells.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "platform/messages.h"
#include "sim/simulationstate.h"
#include "ui/clientarea.h"
#include "ui/cspinedit.h"
#include "ui/mainwindow.h"

namespace {

void BM_WindowStep(benchmark::State& bench, bool largest) {
  TForm1 form;
  form.show();
  form.activateWindow();
  QTest::qWaitForWindowActive(&form);
  if (largest) {
    form.CSpinEdit1->SetValue(16);
    form.CSpinEdit2->SetValue(100000);
    form.CSpinEdit3->SetValue(100);
    form.CSpinEdit4->SetValue(100);
    form.CSpinEdit5->SetValue(1000000);
    form.Edit1->setText("20");
    form.Edit2->setText("6");
  }
  form.Button3Click();
  for (int i = 0; i < 100; ++i) form.Button2Click();
  for (auto _ : bench) {
    form.Button2Click();
    form.ClientArea->repaint(kGridLeft, kGridTop, kGridWidth, kGridHeight);
  }
}

BENCHMARK_CAPTURE(BM_WindowStep, defaults, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_WindowStep, largest, true)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  SetMessageHook([](const std::string&) {});
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
