// The runner's command line of a plan: read back by the runner's own parser it gives the
// plan again, ranges where the values are one, and the point in reals whatever the
// decimal separator of the plan's texts.
#include "results/studycommand.h"

#include <gtest/gtest.h>

#include "cli/runneroptions.h"
#include "platform/text/numtext.h"

namespace vadidazid {

namespace {

TEST(StudyCommand, ReadBackByTheRunnerGivesThePlan) {
  struct Case {
    std::vector<const char*> sweeps;
    int64_t replications, warmup;
    bool autoWarmup;
    char separator;
    const char* mean;
    const char* line;
  } cases[] = {
      {{"call-percent=5:50:5"},
       4,
       0,
       true,
       '.',
       "5",
       "vadidazid-sim --grid-side 10 --subscribers 1000 --channels 10 --mean 5 --deviation 0.01 "
       "--seed 12345 --sweep call-percent=5:50:5 --replications 4 --steps 300 --warmup auto"},
      // The doubles' difference of 0.3 and 0.2 is not 0.1, the range's step is.
      {{"deviation=0.2:0.5:0.1", "channels=10,30"},
       1,
       20,
       false,
       ',',
       "2,5",
       "vadidazid-sim --grid-side 10 --subscribers 1000 --call-percent 15 --mean 2.5 --seed "
       "12345 --sweep deviation=0.2:0.5:0.1 --sweep channels=10,30 --replications 1 --steps "
       "300 --warmup 20"},
      // Values of no one step are listed.
      {{"mean=1,2,4"},
       2,
       0,
       false,
       '.',
       "5",
       "vadidazid-sim --grid-side 10 --subscribers 1000 --channels 10 --call-percent 15 "
       "--deviation 0.01 --seed 12345 --sweep mean=1,2,4 --replications 2 --steps 300 --warmup "
       "0"},
  };
  for (const Case& c : cases) {
    SetDecimalSeparator(c.separator);
    ExperimentPlan plan;
    plan.controls.meanText = c.mean;
    plan.controls.deviationText = c.separator == ',' ? "0,01" : "0.01";
    for (const char* sweep : c.sweeps) plan.sweeps.push_back(ParseSweep(sweep));
    plan.replications = c.replications;
    plan.steps = 300;
    plan.warmup = c.warmup;
    plan.autoWarmup = c.autoWarmup;
    EXPECT_EQ(StudyCommandLine(plan), c.line);
    const RunnerOptions o = ParseRunnerOptions(StudyCommandArguments(plan));
    ASSERT_EQ(o.sweeps.size(), plan.sweeps.size());
    for (size_t i = 0; i < o.sweeps.size(); ++i) {
      EXPECT_EQ(o.sweeps[i].values, plan.sweeps[i].values) << c.line;
    }
    EXPECT_EQ(StrToFloat(o.controls.meanText), StrToFloat(plan.controls.meanText));
    EXPECT_EQ(o.replications, plan.replications);
    EXPECT_EQ(o.autoWarmup, plan.autoWarmup);
    if (!plan.autoWarmup) {
      EXPECT_EQ(o.warmup, plan.warmup);
    }
  }
  SetDecimalSeparator('.');
}

}  // namespace

}  // namespace vadidazid
