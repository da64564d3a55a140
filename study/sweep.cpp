// Parsing sweeps in decimal arithmetic, and the points of their grid.
#include "study/sweep.h"
#include "platform/exceptions.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <stdexcept>
#include <utility>

#include "platform/text/numtext.h"
#include "sim/setup.h"

namespace vadidazid {

namespace {

struct SweepParameter {
  const char* name;
  int32_t SimControls::*whole;     // whole-numbered parameters
  std::string SimControls::*text;  // real ones, held as the edit field's text
  const ParameterRange* range;
};

const SweepParameter kParameters[] = {
    {"call-percent", &SimControls::callPercent, nullptr, &kCallPercentRange},
    {"channels", &SimControls::channelsPerCell, nullptr, &kChannelRange},
    {"subscribers", &SimControls::subscriberCount, nullptr, &kSubscriberRange},
    {"grid-side", &SimControls::gridSide, nullptr, &kGridSideRange},
    {"mean", nullptr, &SimControls::meanText, nullptr},
    {"deviation", nullptr, &SimControls::deviationText, nullptr},
};

const SweepParameter& ParameterNamed(const std::string& name) {
  for (const SweepParameter& p : kParameters) {
    if (name == p.name) return p;
  }
  throw UsageError("--sweep: '" + name +
                   "' is not a parameter to sweep; use call-percent, channels, "
                   "subscribers, grid-side, mean or deviation");
}

// value = digits / 10^scale. At most 18 significant digits and 18 decimal places, so a
// value at the finest scale of a range holds at most 36 digits and the sums of a million
// steps stay exact in 128 bits.
struct Decimal {
  __int128 digits = 0;
  int scale = 0;
};

constexpr int kMaxDecimalDigits = 18;

// Nothing for a text that is no decimal number; throws UsageError for one
// with more digits than a Decimal holds. Zeros that do not change the value (leading
// ones, trailing ones after the point) are not counted.
std::optional<Decimal> ParseDecimal(const SweepParameter& p, const std::string& text) {
  size_t i = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
  const size_t point = text.find('.', i);
  const std::string whole = text.substr(i, point - i);
  std::string fraction = point == std::string::npos ? "" : text.substr(point + 1);
  const auto isDigit = [](char ch) { return ch >= '0' && ch <= '9'; };
  if (whole.size() + fraction.size() == 0 || !std::all_of(whole.begin(), whole.end(), isDigit) ||
      !std::all_of(fraction.begin(), fraction.end(), isDigit)) {
    return std::nullopt;
  }
  fraction.erase(fraction.find_last_not_of('0') + 1);
  std::string all = whole + fraction;
  all.erase(0, std::min(all.find_first_not_of('0'), all.size()));
  const auto tooMany = [&](const char* what) {
    return UsageError("--sweep: " + std::string(p.name) + " '" + text + "' has more than " +
                      std::to_string(kMaxDecimalDigits) + " " + what);
  };
  if (all.size() > size_t(kMaxDecimalDigits)) throw tooMany("significant digits");
  if (fraction.size() > size_t(kMaxDecimalDigits)) throw tooMany("decimal places");
  Decimal d;
  for (char ch : all) d.digits = d.digits * 10 + (ch - '0');
  d.scale = int(fraction.size());
  if (text[0] == '-') d.digits = -d.digits;
  return d;
}

__int128 Power10(int n) {
  __int128 p = 1;
  while (n-- > 0) p *= 10;
  return p;
}

__int128 AtScale(const Decimal& d, int scale) { return d.digits * Power10(scale - d.scale); }

// The shortest decimal text of digits / 10^scale: "1.3", "2", "-0.05".
std::string DecimalText(__int128 digits, int scale) {
  const bool negative = digits < 0;
  __int128 magnitude = negative ? -digits : digits;
  std::string text;
  for (int i = 0; i <= scale || magnitude > 0; ++i) {
    text.insert(text.begin(), char('0' + int(magnitude % 10)));
    magnitude /= 10;
    if (i + 1 == scale) text.insert(text.begin(), '.');
  }
  if (text.find('.') != std::string::npos) {
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
  }
  return negative && text != "0" ? "-" + text : text;
}

std::string WholeText(const SweepParameter& p, const Decimal& d, const std::string& given) {
  const std::string text = DecimalText(d.digits, d.scale);
  if (p.whole != nullptr && text.find('.') != std::string::npos) {
    throw UsageError("--sweep: " + std::string(p.name) + " '" + given + "' is not a whole number");
  }
  return text;
}

// A value of the parameter, checked: whole and in range where the parameter is so.
std::string ValueText(const SweepParameter& p, const Decimal& d, const std::string& given) {
  const std::string text = WholeText(p, d, given);
  if (p.whole == nullptr) return text;
  if (d.digits < AtScale({p.range->min, 0}, d.scale) ||
      d.digits > AtScale({p.range->max, 0}, d.scale)) {
    throw UsageError("--sweep: " + std::string(p.name) + " " + text + " is outside " +
                     std::to_string(p.range->min) + " .. " + std::to_string(p.range->max));
  }
  return text;
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + 1) {
    parts.push_back(text.substr(start, at - start));
  }
  parts.push_back(text.substr(start));
  return parts;
}

// A value twice would make two runs of one point with the same seed, and rows that no
// summary can tell apart. Values are compared as the set-up reads them, as doubles, so
// 0.1 and 0.10000000000000001 are one value.
void RefuseRepeatedValues(const SweepParameter& p, const std::vector<std::string>& values) {
  std::vector<std::pair<double, size_t>> read;
  read.reserve(values.size());
  for (size_t i = 0; i < values.size(); ++i) {
    double value = 0.0;
    std::from_chars(values[i].data(), values[i].data() + values[i].size(), value);
    read.push_back({value, i});
  }
  std::sort(read.begin(), read.end());
  for (size_t k = 1; k < read.size(); ++k) {
    if (read[k].first != read[k - 1].first) continue;
    const std::string& first = values[read[k - 1].second];
    const std::string& second = values[read[k].second];
    if (first == second) {
      throw UsageError("--sweep: " + std::string(p.name) + " " + first + " is listed twice");
    }
    throw UsageError("--sweep: " + std::string(p.name) + " " + first + " and " + second +
                     " are one value to the simulation (the same double)");
  }
}

std::vector<std::string> RangeValues(const SweepParameter& p, const std::string& text,
                                     const std::vector<std::string>& parts) {
  std::optional<Decimal> d[3];
  for (int i = 0; i < 3; ++i) d[i] = ParseDecimal(p, parts[size_t(i)]);
  if (!d[0] || !d[1] || !d[2]) {
    throw UsageError("--sweep: '" + text + "' is not NAME=FROM:TO:STEP in " +
                     (p.whole ? "whole" : "decimal") + " numbers");
  }
  const int scale = std::max({d[0]->scale, d[1]->scale, d[2]->scale});
  const __int128 from = AtScale(*d[0], scale), to = AtScale(*d[1], scale),
                 step = AtScale(*d[2], scale);
  if (step <= 0) throw UsageError("--sweep: STEP " + parts[2] + " is not positive");
  if (from > to) {
    throw UsageError("--sweep: FROM " + parts[0] + " is above TO " + parts[1]);
  }
  ValueText(p, *d[0], parts[0]);
  ValueText(p, *d[1], parts[1]);
  WholeText(p, *d[2], parts[2]);
  const __int128 count = (to - from) / step + 1;
  if (count > kMaxSweepValues) {
    throw UsageError("--sweep: '" + text + "' has more than " + std::to_string(kMaxSweepValues) +
                     " values");
  }
  std::vector<std::string> values;
  for (__int128 i = 0; i < count; ++i) values.push_back(DecimalText(from + i * step, scale));
  RefuseRepeatedValues(p, values);
  return values;
}

std::vector<std::string> ListValues(const SweepParameter& p, const std::string& text,
                                    const std::vector<std::string>& parts) {
  if (int64_t(parts.size()) > kMaxSweepValues) {
    throw UsageError("--sweep: '" + text + "' has more than " + std::to_string(kMaxSweepValues) +
                     " values");
  }
  std::vector<std::string> values;
  for (const std::string& part : parts) {
    const std::optional<Decimal> d = ParseDecimal(p, part);
    if (!d) {
      throw UsageError("--sweep: '" + text + "' is not NAME=FROM:TO:STEP or " +
                       "NAME=V1,V2,... ('" + part + "' is no number)");
    }
    values.push_back(ValueText(p, *d, part));
  }
  RefuseRepeatedValues(p, values);
  return values;
}

}  // namespace

Sweep ParseSweep(const std::string& text) {
  const size_t equals = text.find('=');
  const std::string name = text.substr(0, equals);
  const SweepParameter& p = ParameterNamed(name);
  if (equals == std::string::npos) {
    throw UsageError("--sweep: '" + text + "' is not NAME=FROM:TO:STEP or NAME=V1,V2,...");
  }
  const std::string valuesText = text.substr(equals + 1);
  const std::vector<std::string> ranges = Split(valuesText, ':');
  if (ranges.size() == 1) return {name, ListValues(p, text, Split(valuesText, ','))};
  if (ranges.size() != 3) {
    throw UsageError("--sweep: '" + text + "' is not NAME=FROM:TO:STEP in " +
                     (p.whole ? "whole" : "decimal") + " numbers");
  }
  return {name, RangeValues(p, text, ranges)};
}

int64_t GridPointCount(const std::vector<Sweep>& sweeps, int64_t cap) {
  int64_t points = 1;
  for (const Sweep& s : sweeps) {
    const int64_t size = int64_t(s.values.size());
    if (size > 0 && points > cap / size) return cap + 1;
    points *= size;
  }
  return points;
}

SimControls GridPoint(const SimControls& base, const std::vector<Sweep>& sweeps, int64_t index) {
  SimControls controls = base;
  for (auto s = sweeps.rbegin(); s != sweeps.rend(); ++s) {
    const int64_t size = int64_t(s->values.size());
    const std::string& value = s->values[size_t(index % size)];
    index /= size;
    const SweepParameter& p = ParameterNamed(s->name);
    if (p.whole != nullptr) {
      std::from_chars(value.data(), value.data() + value.size(), controls.*p.whole);
    } else {
      // The set-up reads the edit fields' texts with the decimal separator in use.
      std::string local = value;
      std::replace(local.begin(), local.end(), '.', DecimalSeparator());
      controls.*p.text = local;
    }
  }
  return controls;
}

}  // namespace vadidazid
