// The dimensioning search: points replicated until decided, the trend, the bracket and
// the bisection, and the formulas' channel counts.
#include "study/dimensioning.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <stdexcept>

#include "platform/exceptions.h"
#include "sim/setup.h"

namespace vadidazid {

namespace {

struct Parameter {
  const char* name;
  int32_t SimControls::*control;
  const ParameterRange* range;
};

const Parameter kParameters[] = {
    {"channels", &SimControls::channelsPerCell, &kChannelRange},
    {"subscribers", &SimControls::subscriberCount, &kSubscriberRange},
    {"call-percent", &SimControls::callPercent, &kCallPercentRange},
    {"grid-side", &SimControls::gridSide, &kGridSideRange},
};

const Parameter& ParameterNamed(const std::string& name) {
  for (const Parameter& p : kParameters) {
    if (name == p.name) return p;
  }
  throw UsageError("--dimension: '" + name +
                   "' is not channels, subscribers, call-percent or grid-side");
}

struct Measure {
  const char* name;
  double RunFigures::*figure;
};

const Measure kMeasures[] = {
    {"call_congestion", &RunFigures::callCongestion},
    {"blocking_probability", &RunFigures::blockingProbability},
    {"dropping_probability", &RunFigures::droppingProbability},
    {"mean_load_percent", &RunFigures::meanLoadPercent},
};

// Met when the whole interval lies on the target's side, failed when it lies wholly on
// the other; a point with no interval yet (fewer than two defined values) is open.
Verdict Judge(const MeanInterval& m, const DimensionTarget& t) {
  if (std::isnan(m.mean) || std::isnan(m.halfWidth)) return Verdict::Undecided;
  const double low = m.mean - m.halfWidth, high = m.mean + m.halfWidth;
  if (t.atMost ? high <= t.value : low >= t.value) return Verdict::Meets;
  if (t.atMost ? low > t.value : high < t.value) return Verdict::Fails;
  return Verdict::Undecided;
}

class Search {
 public:
  Search(const DimensionPlan& plan, const RunBatch& run)
      : plan_(plan), run_(run), parameter_(ParameterNamed(plan.parameter)) {}

  DimensionAnswer Run();

 private:
  const DimensionPoint& Point(int64_t value);
  int Trend() const;
  // The next value from v away from it in direction dir, doubling or halving; none at
  // the range's end.
  std::optional<int64_t> Next(int64_t v, int dir) const;
  // The value furthest in direction dir among those run.
  int64_t Furthest(int dir) const {
    return dir > 0 ? points_.rbegin()->first : points_.begin()->first;
  }
  bool Any(Verdict v) const {
    return std::any_of(points_.begin(), points_.end(),
                       [&](const auto& p) { return p.second.verdict == v; });
  }
  void Bracket(int side);
  void Bisect(int side);
  bool Monotone(int side) const;
  DimensionAnswer Outcome(int side);

  const DimensionPlan& plan_;
  const RunBatch& run_;
  const Parameter& parameter_;
  std::map<int64_t, DimensionPoint> points_;
  int64_t runs_ = 0;
};

const DimensionPoint& Search::Point(int64_t value) {
  auto found = points_.find(value);
  if (found != points_.end()) return found->second;
  DimensionPoint point;
  point.value = value;
  RunPlan base{plan_.base.controls, plan_.base.steps, plan_.base.warmup, plan_.base.autoWarmup};
  base.controls.*parameter_.control = int32_t(value);
  base.controls.reseed = true;
  // Each batch continues the seeds of the one before, so a point's runs are those of
  // an experiment with as many replications.
  for (int64_t done = 0; done < plan_.maxReplications && point.verdict == Verdict::Undecided;) {
    std::vector<RunPlan> batch;
    for (int64_t r = 0; r < kReplicationBatch && done < plan_.maxReplications; ++r, ++done) {
      batch.push_back(base);
      batch.back().controls.seed = int32_t(plan_.base.controls.seed + done);
    }
    std::vector<RunResult> rows = run_(batch);
    runs_ += int64_t(batch.size());
    point.rows.insert(point.rows.end(), rows.begin(), rows.end());
    std::vector<double> values;
    for (const RunResult& row : point.rows) values.push_back(MeasureOf(row, plan_.target.measure));
    point.interval = MeanWithInterval95(values);
    point.verdict = Judge(point.interval, plan_.target);
  }
  return points_.emplace(value, std::move(point)).first->second;
}

int Search::Trend() const {
  // Between the lowest and the highest value run whose measure is defined.
  const DimensionPoint* low = nullptr;
  const DimensionPoint* high = nullptr;
  for (const auto& [value, point] : points_) {
    if (std::isnan(point.interval.mean)) continue;
    if (low == nullptr) low = &point;
    high = &point;
  }
  if (low == nullptr || low->interval.mean == high->interval.mean) return 0;
  return high->interval.mean > low->interval.mean ? 1 : -1;
}

std::optional<int64_t> Search::Next(int64_t v, int dir) const {
  const ParameterRange& range = *parameter_.range;
  if (dir > 0) {
    if (v >= range.max) return std::nullopt;
    return std::min<int64_t>(range.max, std::max<int64_t>(2 * v, v + 1));
  }
  if (v <= range.min) return std::nullopt;
  return std::max<int64_t>(range.min, v / 2);
}

// Walks toward the side that meets until a point meets, and away from it until one
// fails, each as far as the range goes.
void Search::Bracket(int side) {
  while (!Any(Verdict::Meets)) {
    const std::optional<int64_t> next = Next(Furthest(side), side);
    if (!next) break;
    Point(*next);
  }
  while (!Any(Verdict::Fails)) {
    const std::optional<int64_t> next = Next(Furthest(-side), -side);
    if (!next) break;
    Point(*next);
  }
}

// In oriented positions u = side * value the target is met at high u. The boundary
// lies between the highest failing u below the lowest meeting one; undecided points in
// between are closed in on from both ends.
void Search::Bisect(int side) {
  for (;;) {
    std::optional<int64_t> meet, fail;
    for (const auto& [value, point] : points_) {
      const int64_t u = side * value;
      if (point.verdict == Verdict::Meets && (!meet || u < *meet)) meet = u;
    }
    if (!meet) return;
    std::vector<int64_t> open;
    for (const auto& [value, point] : points_) {
      const int64_t u = side * value;
      if (point.verdict == Verdict::Fails && u < *meet && (!fail || u > *fail)) fail = u;
    }
    if (!fail) return;
    for (const auto& [value, point] : points_) {
      const int64_t u = side * value;
      if (point.verdict == Verdict::Undecided && u > *fail && u < *meet) open.push_back(u);
    }
    std::sort(open.begin(), open.end());
    int64_t mid;
    if (open.empty()) {
      if (*meet - *fail <= 1) return;
      mid = *fail + (*meet - *fail) / 2;
    } else if (open.front() - *fail > 1) {
      mid = *fail + (open.front() - *fail) / 2;
    } else if (*meet - open.back() > 1) {
      mid = open.back() + (*meet - open.back()) / 2;
    } else {
      return;
    }
    Point(side * mid);
  }
}

// No two points whose intervals are disjoint may run against the trend.
bool Search::Monotone(int side) const {
  const double toward = plan_.target.atMost ? -1.0 : 1.0;  // the measure moves this way as u rises
  std::vector<const DimensionPoint*> order;
  for (const auto& [value, point] : points_) order.push_back(&point);
  if (side < 0) std::reverse(order.begin(), order.end());
  for (size_t i = 0; i < order.size(); ++i) {
    for (size_t k = i + 1; k < order.size(); ++k) {
      const MeanInterval &a = order[i]->interval, &b = order[k]->interval;
      if (std::isnan(a.halfWidth) || std::isnan(b.halfWidth)) continue;
      if (toward * a.mean - a.halfWidth > toward * b.mean + b.halfWidth) return false;
    }
  }
  return true;
}

DimensionAnswer Search::Outcome(int side) {
  DimensionAnswer answer;
  answer.metSide = side;
  for (auto& [value, point] : points_) answer.points.push_back(std::move(point));
  answer.runs = runs_;
  if (!Monotone(side)) {
    answer.outcome = DimensionOutcome::NotMonotone;
    return answer;
  }
  // Oriented again: the lowest meeting u, the highest failing u below it.
  std::optional<int64_t> meet, fail;
  bool open = false;
  for (const DimensionPoint& p : answer.points) {
    if (p.verdict == Verdict::Meets && (!meet || side * p.value < side * *meet)) meet = p.value;
  }
  for (const DimensionPoint& p : answer.points) {
    const bool below = !meet || side * p.value < side * *meet;
    if (p.verdict == Verdict::Fails && below && (!fail || side * p.value > side * *fail)) {
      fail = p.value;
    }
  }
  for (const DimensionPoint& p : answer.points) {
    const bool above = !fail || side * p.value > side * *fail;
    const bool below = !meet || side * p.value < side * *meet;
    if (p.verdict == Verdict::Undecided && above && below) open = true;
  }
  answer.answer = meet;
  answer.beyond = fail;
  if (!meet) {
    answer.outcome = DimensionOutcome::NoneMeet;
  } else if (open || (fail && std::llabs(*meet - *fail) > 1)) {
    answer.outcome = DimensionOutcome::Between;
  } else if (!fail) {
    answer.outcome = DimensionOutcome::AllMeet;
  } else {
    answer.outcome = DimensionOutcome::Found;
  }
  return answer;
}

DimensionAnswer Search::Run() {
  const ParameterRange& range = *parameter_.range;
  const int64_t base =
      std::clamp<int64_t>(plan_.base.controls.*parameter_.control, range.min, range.max);
  Point(base);
  // A second point gives the trend; while the mean does not change, the values spread
  // out both ways (down first), as the range allows.
  for (int turn = 0; Trend() == 0; ++turn) {
    const int dir = turn % 2 == 0 ? -1 : 1;
    std::optional<int64_t> next = Next(Furthest(dir), dir);
    if (!next) next = Next(Furthest(-dir), -dir);
    if (!next) break;
    Point(*next);
  }
  const int trend = Trend();
  if (trend == 0) {
    DimensionAnswer none;
    for (auto& [value, point] : points_) none.points.push_back(std::move(point));
    none.runs = runs_;
    return none;
  }
  const int side = plan_.target.atMost ? -trend : trend;
  Bracket(side);
  Bisect(side);
  return Outcome(side);
}

std::optional<int64_t> SmallestChannels(double target, int64_t limit,
                                        const std::function<double(int64_t, double)>& step) {
  double b = 1.0;  // both recurrences start at B(0) = 1
  for (int64_t c = 0; c <= limit; ++c) {
    if (c > 0) b = step(c, b);
    if (!(b > target)) return std::isnan(b) ? std::nullopt : std::optional<int64_t>(c);
  }
  return std::nullopt;
}

}  // namespace

DimensionTarget ParseDimensionTarget(const std::string& text) {
  size_t at = text.find("<=");
  DimensionTarget target;
  if (at == std::string::npos) {
    at = text.find(">=");
    target.atMost = false;
  }
  if (at == std::string::npos) {
    throw UsageError("--target: '" + text + "' is not MEASURE<=VALUE or MEASURE>=VALUE");
  }
  target.measure = text.substr(0, at);
  RunResult probe;
  MeasureOf(probe, target.measure);
  const std::string value = text.substr(at + 2);
  const char* end = value.data() + value.size();
  auto [ptr, ec] = std::from_chars(value.data(), end, target.value);
  if (value.empty() || ec != std::errc() || ptr != end || !std::isfinite(target.value)) {
    throw UsageError("--target: '" + value + "' is not a number");
  }
  return target;
}

double MeasureOf(const RunResult& row, const std::string& measure) {
  for (const Measure& m : kMeasures) {
    if (measure == m.name) return row.*m.figure;
  }
  throw UsageError("--target: '" + measure +
                   "' is not call_congestion, blocking_probability, "
                   "dropping_probability or mean_load_percent");
}

void CheckDimensionParameter(const std::string& name) { ParameterNamed(name); }

void CheckDimensionPlan(const DimensionPlan& plan) {
  CheckDimensionParameter(plan.parameter);
  if (plan.maxReplications < 2) {
    throw UsageError("--max-replications: an interval needs at least 2 runs");
  }
  const int64_t lastSeed = int64_t(plan.base.controls.seed) + plan.maxReplications - 1;
  if (lastSeed > kSeedRange.max) {
    throw UsageError("--max-replications: " + std::to_string(plan.maxReplications) +
                     " runs from seed " + std::to_string(plan.base.controls.seed) +
                     " need seeds up to " + std::to_string(lastSeed) + ", above the largest seed " +
                     std::to_string(kSeedRange.max));
  }
  ExperimentPlan checked = plan.base;
  checked.replications = plan.maxReplications;
  checked.sweeps.clear();
  checked.shard = Shard{};
  CheckPlan(checked);
}

DimensionAnswer Dimension(const DimensionPlan& plan, const RunBatch& run) {
  return Search(plan, run).Run();
}

std::vector<RunResult> DimensionRows(const DimensionAnswer& answer) {
  std::vector<RunResult> rows;
  for (const DimensionPoint& p : answer.points)
    rows.insert(rows.end(), p.rows.begin(), p.rows.end());
  return rows;
}

std::optional<int64_t> ErlangBChannels(double erlangs, double target, int64_t limit) {
  if (!(erlangs >= 0.0)) return std::nullopt;
  return SmallestChannels(
      target, limit, [&](int64_t c, double b) { return erlangs * b / (double(c) + erlangs * b); });
}

std::optional<int64_t> EngsetChannels(double sources, double perIdleSource, double target,
                                      int64_t limit) {
  if (!(sources >= 0.0) || !(perIdleSource >= 0.0)) return std::nullopt;
  return SmallestChannels(target, limit, [&](int64_t x, double b) {
    const double offered = std::max(sources - double(x), 0.0) * perIdleSource * b;
    return offered / (double(x) + offered);
  });
}

}  // namespace vadidazid
