// The dimensioning search on made-up measures (every outcome, both directions, the
// stopping rule) and on a small network against running every candidate; the formulas'
// channel counts against published Erlang B tables and an exact Engset fraction.
#include "study/dimensioning.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <set>
#include <utility>

#include "sim/setup.h"

namespace vadidazid {

namespace {

using Measure = std::function<double(int64_t value, int32_t seed)>;

// Runs that only report a made-up call congestion of their channel count and seed; the
// seeds a value was run with are kept so that repeated runs show.
struct FakeRuns {
  explicit FakeRuns(Measure m) : measure(std::move(m)) {}
  Measure measure;
  std::set<std::pair<int64_t, int32_t>> seen;
  int64_t repeats = 0;
  std::vector<RunResult> operator()(const std::vector<RunPlan>& runs) {
    std::vector<RunResult> rows;
    for (const RunPlan& run : runs) {
      RunResult r;
      r.channels = run.controls.channelsPerCell;
      r.subscribers = run.controls.subscriberCount;
      r.seed = run.controls.seed;
      const int64_t value = run.controls.channelsPerCell + run.controls.subscriberCount;
      r.callCongestion = measure(value, r.seed);
      if (!seen.insert({value, r.seed}).second) ++repeats;
      rows.push_back(r);
    }
    return rows;
  }
};

// The value with a spread of 0.01 % by seed, so that an interval has a width.
double Spread(int32_t seed, double value) { return value * (1.0 + 0.0001 * ((seed % 3) - 1)); }

DimensionPlan PlanFor(const std::string& parameter, int64_t base, const std::string& target) {
  DimensionPlan plan;
  plan.base.steps = 10;
  plan.parameter = parameter;
  plan.base.controls.channelsPerCell = parameter == "channels" ? int32_t(base) : 0;
  plan.base.controls.subscriberCount = parameter == "subscribers" ? int32_t(base) : 0;
  plan.target = ParseDimensionTarget(target);
  plan.maxReplications = 16;
  return plan;
}

TEST(Dimensioning, FindsEachOutcome) {
  struct Case {
    const char* name;
    std::string parameter;
    int64_t base;
    std::string target;
    Measure measure;
    DimensionOutcome outcome;
    std::optional<int64_t> answer, beyond;
    int metSide;
  };
  const Case cases[] = {
      // Congestion falls with channels: the smallest meeting count, bracketed upward.
      {"falls", "channels", 10, "call_congestion<=0.045",
       [](int64_t c, int32_t s) { return Spread(s, 1.0 / double(c)); }, DimensionOutcome::Found, 23,
       22, 1},
      // Rises with subscribers: the largest meeting count, bracketed downward.
      {"rises", "subscribers", 1000, "call_congestion<=0.05005",
       [](int64_t m, int32_t s) { return Spread(s, double(m) / 10000.0); }, DimensionOutcome::Found,
       500, 501, -1},
      {"at least", "channels", 10, "call_congestion>=0.045",
       [](int64_t c, int32_t s) { return Spread(s, 1.0 / double(c)); }, DimensionOutcome::Found, 22,
       23, -1},
      // Every run of 33 channels straddles the target: the boundary is only bracketed.
      {"undecided", "channels", 10, "call_congestion<=0.05",
       [](int64_t c, int32_t s) { return c < 33   ? 0.1
                                         : c > 33 ? 0.0
                                                  : 0.045 + (s % 2) * 0.01; },
       DimensionOutcome::Between, 34, 32, 1},
      {"all meet", "channels", 100, "call_congestion<=0.5",
       [](int64_t c, int32_t s) { return Spread(s, 1.0 / double(c)); }, DimensionOutcome::AllMeet,
       kChannelRange.min, std::nullopt, 1},
      {"none meet", "channels", 10, "call_congestion<=0.000001",
       [](int64_t c, int32_t s) { return Spread(s, 1.0 / double(c)); }, DimensionOutcome::NoneMeet,
       std::nullopt, kChannelRange.max, 1},
      {"no trend", "channels", 10, "call_congestion<=0.05",
       [](int64_t, int32_t s) { return Spread(s, 0.01); }, DimensionOutcome::NoTrend, std::nullopt,
       std::nullopt, 0},
      // Falls from 10 to 20 but rises again past 20.
      {"not monotone", "channels", 10, "call_congestion<=0.05",
       [](int64_t c, int32_t s) {
         return Spread(s, c <= 20 ? 1.0 / double(c) : double(c) / 400.0);
       },
       DimensionOutcome::NotMonotone, std::nullopt, std::nullopt, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeRuns runs{c.measure};
    const DimensionPlan plan = PlanFor(c.parameter, c.base, c.target);
    const DimensionAnswer a = Dimension(plan, std::ref(runs));
    EXPECT_EQ(a.outcome, c.outcome);
    EXPECT_EQ(a.metSide, c.metSide);
    EXPECT_EQ(runs.repeats, 0) << "a point was run twice";
    int64_t total = 0;
    for (const DimensionPoint& p : a.points) total += int64_t(p.rows.size());
    EXPECT_EQ(a.runs, total);
    if (c.outcome == DimensionOutcome::NotMonotone || c.outcome == DimensionOutcome::NoTrend) {
      continue;
    }
    EXPECT_EQ(a.answer, c.answer);
    EXPECT_EQ(a.beyond, c.beyond);
    for (const DimensionPoint& p : a.points) {
      if (a.answer && p.value == *a.answer) {
        EXPECT_EQ(p.verdict, Verdict::Meets);
      }
      if (a.beyond && p.value == *a.beyond && c.outcome != DimensionOutcome::NoneMeet) {
        EXPECT_EQ(p.verdict, Verdict::Fails);
      }
    }
  }
}

TEST(Dimensioning, AddsBatchesUntilDecidedAndReportsTheCap) {
  // Wide at first, then every further run lands on the mean: a point is decided once
  // enough runs narrow its interval, and an undecided one stops at the cap.
  FakeRuns runs{[](int64_t c, int32_t s) {
    const double wide = s < 12349 ? 0.02 * ((s % 3) - 1) : 0.0;
    return (c < 30 ? 0.08 : 0.03) + wide;
  }};
  DimensionPlan plan = PlanFor("channels", 10, "call_congestion<=0.05");
  plan.base.controls.seed = 12345;
  const DimensionAnswer a = Dimension(plan, std::ref(runs));
  ASSERT_EQ(a.outcome, DimensionOutcome::Found);
  EXPECT_EQ(*a.answer, 30);
  for (const DimensionPoint& p : a.points) {
    EXPECT_EQ(p.rows.size() % kReplicationBatch, 0u);
    EXPECT_GT(p.rows.size(), size_t(kReplicationBatch)) << p.value;  // 4 runs are too wide
    for (size_t i = 0; i < p.rows.size(); ++i) EXPECT_EQ(p.rows[i].seed, 12345 + int32_t(i));
  }
  // Points whose interval never narrows end at the cap, undecided.
  FakeRuns wide{[](int64_t c, int32_t s) { return (c < 30 ? 0.08 : 0.03) + 0.3 * (s % 3 - 1); }};
  const DimensionAnswer open = Dimension(plan, std::ref(wide));
  EXPECT_EQ(open.outcome, DimensionOutcome::NoneMeet);
  for (const DimensionPoint& p : open.points) {
    EXPECT_EQ(int64_t(p.rows.size()), plan.maxReplications);
    EXPECT_EQ(p.verdict, Verdict::Undecided);
  }
}

TEST(Dimensioning, RefusesWhatCannotBeSearched) {
  for (const char* text : {"call_congestion", "calls<=0.1", "call_congestion<=x",
                           "call_congestion<=inf", "call_congestion=<0.1", "<=0.1"}) {
    EXPECT_THROW(ParseDimensionTarget(text), EInvalidInput) << text;
  }
  const DimensionTarget t = ParseDimensionTarget("mean_load_percent>=75.5");
  EXPECT_EQ(t.measure, "mean_load_percent");
  EXPECT_FALSE(t.atMost);
  EXPECT_EQ(t.value, 75.5);
  EXPECT_THROW(CheckDimensionParameter("mean"), EInvalidInput);
  DimensionPlan plan = PlanFor("channels", 10, "call_congestion<=0.05");
  plan.base.controls.seed = kSeedRange.max - 10;
  EXPECT_THROW(CheckDimensionPlan(plan), EInvalidInput);  // seeds past the range
  plan.base.controls.seed = 1;
  plan.maxReplications = 1;
  EXPECT_THROW(CheckDimensionPlan(plan), EInvalidInput);
}

TEST(Dimensioning, FormulasMatchPublishedTables) {
  // 2 % at 5 erlangs needs 10 channels, at 10 erlangs 17 (traffic tables' 2 % column).
  EXPECT_EQ(ErlangBChannels(5.0, 0.02, 1000), 10);
  EXPECT_EQ(ErlangBChannels(10.0, 0.02, 1000), 17);
  EXPECT_EQ(ErlangBChannels(1000.0, 0.0, 100), std::nullopt);
  // Three sources of 1 erlang while idle: a call sees two, so 2/3 on one channel and
  // 1/4 on two; three channels are never full.
  EXPECT_NEAR(EngsetCallCongestion(3.0, 1, 1.0), 2.0 / 3.0, 1e-15);
  EXPECT_NEAR(EngsetCallCongestion(3.0, 2, 1.0), 0.25, 1e-15);
  EXPECT_EQ(EngsetChannels(3.0, 1.0, 0.25, 100), 2);
  EXPECT_EQ(EngsetChannels(3.0, 1.0, 0.2, 100), 3);
  EXPECT_EQ(EngsetChannels(3.0, 1.0, 0.7, 100), 1);
}

// A small network: four cells of 40 subscribers, congested below about 40 channels.
DimensionPlan SmallNetwork() {
  DimensionPlan plan;
  plan.base.controls.gridSide = 2;
  plan.base.controls.subscriberCount = 160;
  plan.base.controls.callPercent = 40;
  plan.base.controls.channelsPerCell = 10;
  plan.base.steps = 300;
  plan.base.autoWarmup = true;
  plan.parameter = "channels";
  plan.target = ParseDimensionTarget("call_congestion<=0.05");
  plan.maxReplications = 16;
  return plan;
}

TEST(Dimensioning, SmallNetworkAnswerIsRunningEveryCandidate) {
  const DimensionPlan plan = SmallNetwork();
  const DimensionAnswer a =
      Dimension(plan, [](const std::vector<RunPlan>& runs) { return MeasureRuns(runs, 2); });
  ASSERT_EQ(a.outcome, DimensionOutcome::Found) << int(a.outcome);
  // Every channel count from the range's start, each replicated by the same rule on its
  // own: the first to meet after the last failing one.
  std::optional<int64_t> firstMeeting;
  for (int32_t c = kChannelRange.min; c <= *a.answer + 1; ++c) {
    std::vector<RunResult> rows;
    Verdict verdict = Verdict::Undecided;
    for (int32_t done = 0; done < plan.maxReplications && verdict == Verdict::Undecided;) {
      std::vector<RunPlan> batch;
      for (int r = 0; r < 4; ++r, ++done) {
        RunPlan run{plan.base.controls, plan.base.steps, 0, true};
        run.controls.channelsPerCell = c;
        run.controls.seed = plan.base.controls.seed + done;
        batch.push_back(run);
      }
      for (const RunResult& r : MeasureRuns(batch, 1)) rows.push_back(r);
      std::vector<double> values;
      for (const RunResult& r : rows) values.push_back(r.callCongestion);
      const MeanInterval m = MeanWithInterval95(values);
      if (m.mean + m.halfWidth <= 0.05) verdict = Verdict::Meets;
      if (m.mean - m.halfWidth > 0.05) verdict = Verdict::Fails;
    }
    if (verdict == Verdict::Meets && !firstMeeting) firstMeeting = c;
    if (verdict != Verdict::Meets) firstMeeting.reset();
    for (const DimensionPoint& p : a.points) {
      if (p.value != c) continue;
      EXPECT_EQ(p.verdict, verdict) << c;
      ASSERT_EQ(p.rows.size(), rows.size()) << c;
      for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(p.rows[i].callCongestion, rows[i].callCongestion) << c << " run " << i;
      }
    }
  }
  EXPECT_EQ(a.answer, firstMeeting);
  EXPECT_EQ(*a.beyond, *a.answer - 1);
}

}  // namespace

}  // namespace vadidazid
