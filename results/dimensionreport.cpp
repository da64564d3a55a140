// Texts of a dimensioning and of the formulas' calculator.
#include "results/dimensionreport.h"

#include <charconv>
#include <cmath>

namespace vadidazid {

namespace {

// Significant digits enough to compare a mean with its target by eye; the shortest
// exact text with digits = 0.
std::string Number(double value, int digits = 5) {
  if (std::isnan(value)) return "-";
  char text[64];
  const auto result = digits > 0 ? std::to_chars(text, text + sizeof text, value,
                                                 std::chars_format::general, digits)
                                 : std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

const char* VerdictText(Verdict v) {
  return v == Verdict::Meets ? "meets" : v == Verdict::Fails ? "fails" : "undecided";
}

std::string Interval(const MeanInterval& m) { return Number(m.mean) + " ± " + Number(m.halfWidth); }

std::string Padded(std::string text, size_t width) {
  return text.size() < width ? std::string(width - text.size(), ' ') + text : text;
}

const DimensionPoint* PointAt(const DimensionAnswer& a, std::optional<int64_t> value) {
  if (!value) return nullptr;
  for (const DimensionPoint& p : a.points) {
    if (p.value == *value) return &p;
  }
  return nullptr;
}

std::string PointLine(const DimensionPlan& plan, const DimensionPoint& p) {
  return "  at " + std::to_string(p.value) + ": " + plan.target.measure + " " +
         Interval(p.interval) + " over " + std::to_string(p.rows.size()) + " runs, " +
         VerdictText(p.verdict) + "\n";
}

std::string Table(const DimensionPlan& plan, const DimensionAnswer& a) {
  const size_t width = std::max<size_t>(plan.parameter.size(), 8);
  std::string text = Padded(plan.parameter, width) + "  runs  " + plan.target.measure +
                     " (mean ± 95 % half-width)  verdict\n";
  for (const DimensionPoint& p : a.points) {
    std::string interval = Interval(p.interval);
    const size_t column = plan.target.measure.size() + 25;
    // "±" is two bytes but one column.
    if (interval.size() < column + 1) interval += std::string(column + 1 - interval.size(), ' ');
    text += Padded(std::to_string(p.value), width) + "  " +
            Padded(std::to_string(p.rows.size()), 4) + "  " + interval + "  " +
            VerdictText(p.verdict) + "\n";
  }
  return text;
}

std::string Direction(const DimensionPlan& plan, const DimensionAnswer& a) {
  const int trend = plan.target.atMost ? -a.metSide : a.metSide;
  return plan.target.measure + (trend > 0 ? " rises" : " falls") + " as " + plan.parameter +
         " rises: the answer is the " + (a.metSide > 0 ? "smallest" : "largest") + " " +
         plan.parameter + " that meets the target.\n";
}

std::string OutcomeText(const DimensionPlan& plan, const DimensionAnswer& a) {
  const std::string& name = plan.parameter;
  std::string text;
  switch (a.outcome) {
    case DimensionOutcome::Found:
      text = "Answer: " + name + " = " + std::to_string(*a.answer) + "\n";
      break;
    case DimensionOutcome::AllMeet:
      text = "Answer: " + name + " = " + std::to_string(*a.answer) +
             ", the end of its range: every value tried meets the target\n";
      break;
    case DimensionOutcome::Between: {
      text = "Undecided at " + std::to_string(plan.maxReplications) +
             " replications: the boundary lies between " +
             (a.beyond ? std::to_string(*a.beyond) + " (fails)" : std::string("the range's end")) +
             " and " + std::to_string(*a.answer) + " (meets); undecided:";
      int64_t inside = 0;
      for (const DimensionPoint& p : a.points) {
        if ((!a.beyond || a.metSide * p.value > a.metSide * *a.beyond) &&
            a.metSide * p.value < a.metSide * *a.answer) {
          ++inside;
          if (p.verdict == Verdict::Undecided) text += " " + std::to_string(p.value);
        }
      }
      const bool gaps = a.beyond && std::llabs(*a.answer - *a.beyond) - 1 > inside;
      text += gaps ? " (values between them not run)\n" : "\n";
      break;
    }
    case DimensionOutcome::NoneMeet:
      text = "No answer: no value tried meets the target, up to the range's end\n";
      break;
    case DimensionOutcome::NoTrend:
      text = "No answer: " + plan.target.measure + " does not change over the values tried\n";
      break;
    case DimensionOutcome::NotMonotone:
      text = "No answer: " + plan.target.measure +
             " is not monotone over the values tried:\n  points whose intervals do not overlap "
             "run against one trend\n";
      break;
  }
  for (const DimensionPoint* p : {PointAt(a, a.answer), PointAt(a, a.beyond)}) {
    if (p != nullptr) text += PointLine(plan, *p);
  }
  return text;
}

// Erlang B and Engset for the answer point's offered traffic, for a congestion kept
// under a target: the channels a traffic table would give for what this model offers.
std::string FormulaText(const DimensionPlan& plan, const DimensionAnswer& a) {
  const DimensionPoint* p = PointAt(a, a.answer);
  if (plan.target.measure != "call_congestion" || !plan.target.atMost || p == nullptr) return "";
  double erlangs = 0, sources = 0, perIdle = 0;
  int64_t count = 0;
  for (const RunResult& r : p->rows) {
    if (r.started == 0) continue;  // no holding time known
    erlangs += r.offeredErlangsPerCell;
    sources += double(r.subscribers) / (double(r.gridSide) * r.gridSide);
    perIdle += r.callPercent / 100.0 * double(r.callSteps) / double(r.started);
    ++count;
  }
  if (count == 0) return "";
  erlangs /= double(count), sources /= double(count), perIdle /= double(count);
  auto channels = [](std::optional<int64_t> c) {
    return c ? std::to_string(*c) + " channels"
             : "none up to " + std::to_string(kFormulaChannelLimit) + " channels";
  };
  const std::string target = Number(plan.target.value, 0);
  return "Formulas' answers for the offered traffic at " + std::to_string(p->value) +
         ", with no movement and no redirection:\n  " + Number(erlangs) + " erlangs per cell; " +
         Number(sources) + " subscribers per cell of " + Number(perIdle) +
         " erlangs each while idle\n  Erlang B <= " + target + ": " +
         channels(ErlangBChannels(erlangs, plan.target.value, kFormulaChannelLimit)) +
         "\n  Engset <= " + target + ": " +
         channels(EngsetChannels(sources, perIdle, plan.target.value, kFormulaChannelLimit)) + "\n";
}

}  // namespace

std::string DimensionReport(const DimensionPlan& plan, const DimensionAnswer& a) {
  std::string text = "Dimensioning " + plan.parameter + " for " + plan.target.measure +
                     (plan.target.atMost ? "<=" : ">=") + Number(plan.target.value, 0) + ": " +
                     std::to_string(kReplicationBatch) + " to " +
                     std::to_string(plan.maxReplications) +
                     " replications a point, 95 % Student-t intervals\n";
  if (a.metSide != 0) text += Direction(plan, a);
  text += "\n" + Table(plan, a) + "\n" + OutcomeText(plan, a);
  text += "Runs spent: " + std::to_string(a.runs) + "\n";
  const std::string formulas = FormulaText(plan, a);
  if (!formulas.empty()) text += "\n" + formulas;
  return text;
}

std::string TheoryReport(const TheoryQuestion& q) {
  std::string text;
  auto channels = [](std::optional<int64_t> c) {
    return c ? std::to_string(*c) : "none up to " + std::to_string(kFormulaChannelLimit);
  };
  const std::string engsetName = q.sources ? "Engset call congestion, " + Number(*q.sources, 0) +
                                                 " sources of " + Number(*q.perIdleSource, 0) +
                                                 " erlangs per idle source"
                                           : "";
  if (q.channels) {
    const std::string on = " on " + std::to_string(*q.channels) + " channels: ";
    if (q.erlangs) {
      text += "Erlang B, " + Number(*q.erlangs, 0) + " erlangs" + on +
              Number(ErlangB(*q.erlangs, *q.channels), 0) + "\n";
    }
    if (q.sources) {
      text += engsetName + on +
              Number(EngsetCallCongestion(*q.sources, *q.channels, *q.perIdleSource), 0) + "\n";
    }
    return text;
  }
  const double target = *q.target;
  text = "Smallest channels for a congestion <= " + Number(target, 0) + ":\n";
  if (q.erlangs) {
    const std::optional<int64_t> c = ErlangBChannels(*q.erlangs, target, kFormulaChannelLimit);
    text += "  Erlang B, " + Number(*q.erlangs, 0) + " erlangs: " + channels(c);
    if (c) text += " (" + Number(ErlangB(*q.erlangs, *c), 0) + ")";
    text += "\n";
  }
  if (q.sources) {
    const std::optional<int64_t> c =
        EngsetChannels(*q.sources, *q.perIdleSource, target, kFormulaChannelLimit);
    text += "  " + engsetName + ": " + channels(c);
    if (c) text += " (" + Number(EngsetCallCongestion(*q.sources, *c, *q.perIdleSource), 0) + ")";
    text += "\n";
  }
  return text;
}

}  // namespace vadidazid
