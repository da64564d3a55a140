// A study's runs on the engine's worker threads, their results posted to the window.
#include "ui/studyrun.h"

#include <pthread.h>
#include <sched.h>

#include <exception>

namespace vadidazid {

namespace {

// Thrown at a run's next step once the study is stopped.
struct Stopped {};

// A worker of the study: on Linux a batch thread, which gets its full share of the
// processor but never delays the window's thread when that wakes for an event.
std::thread BatchThread(std::function<void()> work) {
  return std::thread([work = std::move(work)] {
#ifdef __linux__
    sched_param none{};
    pthread_setschedparam(pthread_self(), SCHED_BATCH, &none);
#endif
    work();
  });
}

std::function<void()>& StepProbe() {
  static std::function<void()> probe;
  return probe;
}

}  // namespace

void TStudyRun::SetStepProbe(std::function<void()> probe) { StepProbe() = std::move(probe); }

TStudyRun::TStudyRun(const ExperimentPlan& plan, int threads, QObject* parent)
    : QObject(parent), plan_(plan), start_(std::chrono::steady_clock::now()) {
  std::vector<RunPlan> runs = ExperimentRuns(plan_);
  rows_.resize(runs.size());
  pointRunsDone_.resize(size_t(Points()));
  // The engine's own calling thread waits for the workers, so it is not the window's.
  coordinator_ = std::thread(
      [this, runs = std::move(runs), threads]() mutable { Work(std::move(runs), threads); });
}

TStudyRun::~TStudyRun() {
  stop_ = true;
  if (coordinator_.joinable()) coordinator_.join();
}

void TStudyRun::Stop() { stop_ = true; }

void TStudyRun::Work(std::vector<RunPlan> runs, int threads) {
  const std::function<void()> probe = StepProbe();
  const int64_t steps = int64_t(runs.size()) * plan_.steps;
  auto onStep = [&](const StepCounts&) {
    if (probe) probe();
    if (stop_.load(std::memory_order_relaxed)) throw Stopped{};
  };
  // Each result and estimate goes to the window's thread as a queued call; calls still
  // queued when this object is destroyed are dropped with it.
  auto ended = [this](size_t index, const RunResult& row) {
    QMetaObject::invokeMethod(
        this, [this, index, row] { TakeRow(index, row); }, Qt::QueuedConnection);
  };
  auto watch = [&](int64_t) {
    const double elapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    const int64_t left = vadidazid::SecondsLeft(stepsDone_.load(), steps, elapsed);
    QMetaObject::invokeMethod(
        this, [this, left] { TakeProgress(left); }, Qt::QueuedConnection);
  };
  bool interrupted = false;
  std::string failure;
  try {
    MeasureRuns(runs, threads, onStep, &stepsDone_, watch, BatchThread, ended);
  } catch (const Stopped&) {
    interrupted = true;
  } catch (const std::exception& e) {
    failure = e.what();
  }
  QMetaObject::invokeMethod(
      this, [this, interrupted, failure] { Finish(interrupted, failure); }, Qt::QueuedConnection);
}

void TStudyRun::TakeRow(size_t index, const RunResult& row) {
  rows_[index] = row;
  ++runsDone_;
  ++pointRunsDone_[index / size_t(plan_.replications)];
  emit RunEnded();
}

void TStudyRun::TakeProgress(int64_t secondsLeft) {
  if (!running_) return;
  secondsLeft_ = secondsLeft;
  emit ProgressChanged();
}

void TStudyRun::Finish(bool interrupted, const std::string& failure) {
  running_ = false;
  interrupted_ = interrupted || !failure.empty();
  failure_ = failure;
  secondsLeft_ = 0;
  emit Ended();
}

int64_t TStudyRun::FinishedPoints() const {
  int64_t points = 0;
  for (int64_t done : pointRunsDone_) points += done == plan_.replications ? 1 : 0;
  return points;
}

std::vector<RunResult> TStudyRun::FinishedRows() const {
  std::vector<RunResult> rows;
  const size_t replications = size_t(plan_.replications);
  for (size_t point = 0; point < pointRunsDone_.size(); ++point) {
    if (pointRunsDone_[point] != plan_.replications) continue;
    for (size_t r = 0; r < replications; ++r) rows.push_back(*rows_[point * replications + r]);
  }
  return rows;
}

}  // namespace vadidazid
