// A study running for the window: its runs on worker threads of the study engine, never
// on the window's thread, and their results brought to the window's thread by queued
// calls, so the window stays responsive and sees each row as its run ends. Stop (or
// destroying the object) makes every run in progress stop at its next step and no
// further run start; the rows of runs that ended stay. The rows of a point count once
// all its replications have ended, in the plan's order, so the rows of a finished study
// are those of the runner's --results for the same plan.
#pragma once

#include <QObject>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "study/experiment.h"

namespace vadidazid {

class TStudyRun : public QObject {
  Q_OBJECT

 public:
  // Starts the plan's runs on `threads` worker threads at once.
  TStudyRun(const ExperimentPlan& plan, int threads, QObject* parent = nullptr);
  // Stops the runs and waits for the workers.
  ~TStudyRun() override;

  void Stop();
  // Until Ended has been signalled.
  bool Running() const { return running_; }
  // Stopped before every run had ended.
  bool Interrupted() const { return running_ ? stop_.load() : interrupted_; }
  // The failure that ended the study early (a run's error), else empty.
  const std::string& Failure() const { return failure_; }

  const ExperimentPlan& Plan() const { return plan_; }
  int64_t Runs() const { return int64_t(rows_.size()); }
  int64_t RunsDone() const { return runsDone_; }
  int64_t Points() const { return Runs() / plan_.replications; }
  int64_t FinishedPoints() const;
  // The rows of the points whose runs have all ended, in the plan's order.
  std::vector<RunResult> FinishedRows() const;
  // Seconds left as last estimated, -1 while unknown.
  int64_t SecondsLeft() const { return secondsLeft_; }

  // For tests: called at every step of every run, on the thread that makes the step.
  static void SetStepProbe(std::function<void()> probe);

 signals:
  void RunEnded();
  void ProgressChanged();
  void Ended();

 private:
  void Work(std::vector<RunPlan> runs, int threads);
  void TakeRow(size_t index, const RunResult& row);
  void TakeProgress(int64_t secondsLeft);
  void Finish(bool interrupted, const std::string& failure);

  ExperimentPlan plan_;
  std::vector<std::optional<RunResult>> rows_;
  std::vector<int64_t> pointRunsDone_;
  int64_t runsDone_ = 0;
  int64_t secondsLeft_ = -1;
  bool running_ = true;
  bool interrupted_ = false;
  std::string failure_;
  std::atomic<bool> stop_{false};
  std::atomic<int64_t> stepsDone_{0};
  std::chrono::steady_clock::time_point start_;
  std::thread coordinator_;
};

}  // namespace vadidazid
