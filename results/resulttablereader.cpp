// The line-by-line reader of result tables and the checks of their rows.
#include "results/resulttablereader.h"
#include "platform/exceptions.h"

#include <cmath>
#include <istream>
#include <limits>
#include <stdexcept>
#include <string>

#include "results/csv.h"
#include "sim/setup.h"
#include "study/runfigures.h"

namespace vadidazid {

namespace {

[[noreturn]] void Refuse(const char* column, const std::string& reason) {
  throw EInvalidInput(ResultColumnLabel(column) + ": " + reason);
}

// A field's value as the message shows it; an empty field is the undefined value.
std::string Number(double value) {
  return std::isnan(value) ? std::string("an empty field") : CsvNumber(value);
}

void CheckRange(const char* column, int64_t value, int64_t min, int64_t max) {
  if (value < min || value > max) {
    Refuse(column, std::to_string(value) + " is outside " + std::to_string(min) + " .. " +
                       std::to_string(max));
  }
}

// A derived share: undefined (NaN) exactly when nothing was counted, otherwise the
// quotient of the counts, which is written to the last digit.
void CheckShare(const char* column, double share, int64_t part, int64_t whole) {
  if (whole == 0) {
    if (!std::isnan(share)) Refuse(column, Number(share) + " where nothing was counted");
    return;
  }
  const double expected = double(part) / double(whole);
  if (!(share >= 0.0 && share <= 1.0) || std::fabs(share - expected) > 1e-12) {
    Refuse(column,
           Number(share) + " is not " + std::to_string(part) + " / " + std::to_string(whole));
  }
}

// A figure computed from the row's counts: undefined exactly where the recomputation is,
// otherwise equal to it but for the rounding of another machine's arithmetic.
void CheckFigure(const char* column, double value, double expected) {
  if (std::isnan(expected) ? std::isnan(value)
                           : std::fabs(value - expected) <= 1e-9 * std::fabs(expected) + 1e-300) {
    return;
  }
  Refuse(column, Number(value) + " is not " + Number(expected) + ", the value of the row's counts");
}

// The offered traffic and its Erlang B and Engset values, as the run computed them.
void CheckTraffic(const RunResult& r) {
  RunCounts c;
  static_cast<PhaseCounts&>(c) = r;
  c.gridSide = r.gridSide;
  c.subscribers = r.subscribers;
  c.channels = r.channels;
  c.callPercent = r.callPercent;
  c.measuredSteps = r.steps - r.warmup;
  const RunFigures f = FiguresOf(c);
  CheckFigure("offered_erlangs_per_cell", r.offeredErlangsPerCell, f.offeredErlangsPerCell);
  CheckFigure("erlang_b", r.erlangB, f.erlangB);
  CheckFigure("engset", r.engset, f.engset);
}

void CheckParameters(const RunResult& r) {
  CheckRange("grid_side", r.gridSide, kGridSideRange.min, kGridSideRange.max);
  CheckRange("subscribers", r.subscribers, kSubscriberRange.min, kSubscriberRange.max);
  CheckRange("channels", r.channels, kChannelRange.min, kChannelRange.max);
  CheckRange("call_percent", r.callPercent, kCallPercentRange.min, kCallPercentRange.max);
  CheckRange("steps", r.steps, 1, std::numeric_limits<int32_t>::max());
  CheckRange("warmup", r.warmup, 0, r.steps - 1);
  CheckRange("warmup_auto", r.warmupAuto, 0, 1);
  if (std::isnan(r.mean)) Refuse("mean", "the mean must be a number");
  if (std::isnan(r.deviation)) Refuse("deviation", "the deviation must be a number");
  CheckRange("seed", r.seed, kSeedRange.min, kSeedRange.max);
}

void CheckCounts(const RunResult& r) {
  const int64_t most = std::numeric_limits<int64_t>::max();
  CheckRange("attempts", r.attempts, 0, most);
  CheckRange("blocked", r.blocked, 0, r.attempts);
  CheckRange("started", r.started, 0, r.attempts);
  if (r.blocked + r.started != r.attempts) {
    Refuse("attempts", std::to_string(r.attempts) + " is not blocked + started (" +
                           std::to_string(r.blocked) + " + " + std::to_string(r.started) + ")");
  }
  CheckRange("handovers", r.handovers, 0, most);
  CheckRange("dropped", r.dropped, 0, r.handovers);
  CheckRange("ended", r.ended, 0, most);
  CheckRange("full_cell_offers", r.fullCellOffers, 0, most);
  CheckRange("call_steps", r.callSteps, 0, most);
}

void CheckDerived(const RunResult& r) {
  const auto percent = [](const char* column, double value) {
    if (!(value >= 0.0 && value <= 100.0)) Refuse(column, Number(value) + " is outside 0 .. 100");
  };
  percent("mean_load_percent", r.meanLoadPercent);
  percent("max_load_percent", r.maxLoadPercent);
  if (r.meanLoadPercent > r.maxLoadPercent + 1e-9) {
    Refuse("mean_load_percent",
           Number(r.meanLoadPercent) + " is above the largest load " + Number(r.maxLoadPercent));
  }
  CheckShare("blocking_probability", r.blockingProbability, r.blocked, r.attempts);
  CheckShare("call_congestion", r.callCongestion, r.fullCellOffers, r.fullCellOffers + r.started);
  CheckShare("dropping_probability", r.droppingProbability, r.dropped, r.handovers);
  if (r.offeredErlangsPerCell < 0.0) {
    Refuse("offered_erlangs_per_cell", Number(r.offeredErlangsPerCell) + " is negative");
  }
  if (r.erlangB < 0.0 || r.erlangB > 1.0)
    Refuse("erlang_b", Number(r.erlangB) + " is outside 0 .. 1");
  if (r.engset < 0.0 || r.engset > 1.0) Refuse("engset", Number(r.engset) + " is outside 0 .. 1");
  CheckTraffic(r);
}

}  // namespace

void CheckResultRow(const RunResult& row) {
  CheckParameters(row);
  CheckCounts(row);
  CheckDerived(row);
}

// Room for the longest line, the CR of its line end and the zero that getline adds.
ResultTableReader::ResultTableReader(std::istream& in) : in_(in), line_(kMaxResultLineBytes + 3) {}

bool ResultTableReader::ReadLine() {
  in_.getline(line_.data(), std::streamsize(line_.size()));
  const auto got = size_t(in_.gcount());
  if (in_.bad()) throw EInvalidInput("line " + std::to_string(number_ + 1) + ": cannot be read");
  if (got == 0 && in_.eof()) return false;
  ++number_;
  const std::string tooLong = "line " + std::to_string(number_) + ": longer than " +
                              std::to_string(kMaxResultLineBytes) + " bytes";
  // The buffer filled before a line end.
  if (in_.fail() && !in_.eof()) throw EInvalidInput(tooLong);
  // Every row the runner writes ends with its line end; a file that stops within a line
  // was cut off while it was written, and its last row may have lost digits.
  if (in_.eof()) {
    throw EInvalidInput("line " + std::to_string(number_) +
                        ": ends without a line end; the file may have been cut off");
  }
  length_ = got - 1;  // without the line feed
  if (length_ > 0 && line_[length_ - 1] == '\r') --length_;
  if (length_ > kMaxResultLineBytes) throw EInvalidInput(tooLong);
  return true;
}

bool ResultTableReader::Next(RunResult& row) {
  if (number_ == 0) {
    const bool header = ReadLine() && std::string(line_.data(), length_) + "\r\n" == ResultHeader();
    if (!header) throw EInvalidInput("line 1: not the header of a result table");
  }
  while (ReadLine()) {
    if (length_ == 0) continue;  // a blank line
    try {
      const auto records = ParseCsv(std::string_view(line_.data(), length_));
      row = ParseResultRecord(records.at(0));
      CheckResultRow(row);
    } catch (const EInvalidInput& e) {
      // The CSV reader counts lines of its own text, which is this one line.
      std::string reason = e.what();
      if (reason.rfind("line 1: ", 0) == 0) reason.erase(0, 8);
      throw EInvalidInput("line " + std::to_string(number_) +
                          (reason.rfind("column", 0) == 0 ? ", " : ": ") + reason);
    }
    return true;
  }
  return false;
}

}  // namespace vadidazid
