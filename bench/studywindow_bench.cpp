// A large study made in the window "Badanie" against the same study made by the runner:
// the longest the window's event loop waits to handle an event while the study runs
// (goal: under 50 ms, so both windows stay responsive), and the study's speed as the
// runner's time over the window's (goal: at least 0.95, as the runs are the same
// engine's). Each repetition makes both, one after the other, so a change in the
// machine's load affects both alike, and then waits as long with the event loop idle,
// whose longest wait is what the machine's other load alone costs; read the medians.
#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <time.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "cli/runner.h"
#include "platform/qt/messages.h"
#include "ui/cspinedit.h"
#include "ui/studydialog.h"
#include "ui/studyrun.h"

#include <QLineEdit>

namespace vadidazid {

namespace {

class DefaultControls : public ControlSource {
 public:
  SimControls ReadControls() override { return SimControls{}; }
};

// CPU seconds of the whole process, every thread's.
double ProcessCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// CPU seconds of the calling thread alone.
double ThreadCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

struct Made {
  double wall = 0, cpu = 0, windowThreadCpu = 0, longestWaitMs = 0;
};

// The study made in the window, with a 5 ms timer whose late ticks show the waits.
Made InWindow(TStudyDialog& dialog) {
  Made made;
  QElapsedTimer clock;
  qint64 last = 0;
  QTimer probe;
  probe.setTimerType(Qt::PreciseTimer);
  probe.setInterval(5);
  QObject::connect(&probe, &QTimer::timeout, [&] {
    const qint64 now = clock.nsecsElapsed();
    made.longestWaitMs = std::max(made.longestWaitMs, (now - last) / 1e6 - 5);
    last = now;
  });
  const double cpu = ProcessCpuSeconds(), windowCpu = ThreadCpuSeconds();
  const auto start = std::chrono::steady_clock::now();
  clock.start();
  probe.start();
  dialog.StartClick();
  // The window's own event loop, as the program runs it, until the study has ended
  // (its end is a queued call, so it cannot come before the loop runs).
  QEventLoop loop;
  QObject::connect(dialog.Run(), &TStudyRun::Ended, &loop, &QEventLoop::quit);
  loop.exec();
  probe.stop();
  made.wall = Seconds(start);
  made.cpu = ProcessCpuSeconds() - cpu;
  made.windowThreadCpu = ThreadCpuSeconds() - windowCpu;
  return made;
}

// The longest wait of an idle event loop over the same time: what the machine's other
// load alone costs the window, the baseline of the wait above.
double IdleLongestWaitMs(double seconds) {
  QElapsedTimer clock;
  qint64 last = 0;
  double longest = 0;
  QTimer probe;
  probe.setTimerType(Qt::PreciseTimer);
  probe.setInterval(5);
  QObject::connect(&probe, &QTimer::timeout, [&] {
    const qint64 now = clock.nsecsElapsed();
    longest = std::max(longest, (now - last) / 1e6 - 5);
    last = now;
  });
  QEventLoop loop;
  QTimer::singleShot(int(seconds * 1000), &loop, &QEventLoop::quit);
  clock.start();
  probe.start();
  loop.exec();
  return longest;
}

Made ByRunner(const std::string& command) {
  std::vector<std::string> args;
  std::istringstream words(command);
  for (std::string word; words >> word;) args.push_back(word);
  args.erase(args.begin());
  args.insert(args.end(), {"--results", "/tmp/vadidazid-bench-study.csv"});
  Made made;
  const double cpu = ProcessCpuSeconds();
  const auto start = std::chrono::steady_clock::now();
  std::ostringstream out, err;
  RunSimulator(args, out, err);
  made.wall = Seconds(start);
  made.cpu = ProcessCpuSeconds() - cpu;
  return made;
}

// 100 points of 4 replications, 300 steps each, on all cores.
void BM_StudyWindowAgainstRunner(benchmark::State& bench) {
  SetMessageHook([](const std::string&) {});
  DefaultControls controls;
  TStudyDialog dialog(controls);
  dialog.show();
  dialog.From->setText("1");
  dialog.To->setText("100");
  dialog.Step->setText("1");
  for (auto _ : bench) {
    const Made window = InWindow(dialog);
    const Made runner = ByRunner(dialog.Command->text().toStdString());
    bench.counters["idle_longest_wait_ms"] = IdleLongestWaitMs(window.wall);
    bench.SetIterationTime(window.wall);
    bench.counters["window_s"] = window.wall;
    bench.counters["runner_s"] = runner.wall;
    bench.counters["speed"] = runner.wall / window.wall;
    bench.counters["window_cpu_s"] = window.cpu;
    bench.counters["window_thread_cpu_s"] = window.windowThreadCpu;
    bench.counters["runner_cpu_s"] = runner.cpu;
    bench.counters["longest_wait_ms"] = window.longestWaitMs;
  }
  std::remove("/tmp/vadidazid-bench-study.csv");
  SetMessageHook(nullptr);
}

BENCHMARK(BM_StudyWindowAgainstRunner)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(false)
    ->Unit(benchmark::kMillisecond);

}  // namespace

}  // namespace vadidazid
