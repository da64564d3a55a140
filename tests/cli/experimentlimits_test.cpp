// Experiments under hostile conditions: no threads to be had, absurd sizes, and result
// tables no run can have written.
#include "cli/experiment.h"

#include <gtest/gtest.h>

#include <system_error>

#include "cli/resulttable.h"

namespace {

TEST(ExperimentLimits, RunsWithTheThreadsThatStart) {
  ExperimentPlan plan;
  plan.controls.gridSide = 3;
  plan.controls.callPercent = 50;
  plan.steps = 20;
  plan.replications = 6;
  const std::vector<RunPlan> runs = ExperimentRuns(plan);
  const std::vector<RunResult> expected = MeasureRuns(runs, 1);
  for (int allowed : {0, 1, 2}) {
    int startedThreads = 0;
    const ThreadStarter limited = [&](std::function<void()> work) {
      if (startedThreads == allowed) {
        throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
      }
      ++startedThreads;
      return StartThread(std::move(work));
    };
    const std::vector<RunResult> results = MeasureRuns(runs, 4, {}, nullptr, {}, limited);
    ASSERT_EQ(results.size(), expected.size());
    for (size_t i = 0; i < results.size(); ++i) {
      EXPECT_EQ(ResultRecord(results[i]), ResultRecord(expected[i])) << allowed << " " << i;
    }
  }
}

}  // namespace
