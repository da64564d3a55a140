// Set-up of a run.
#include "sim/setup.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "platform/exceptions.h"
#include "platform/text/numtext.h"
#include "random/randomvariates.h"
#include "random/runtimerandom.h"

namespace vadidazid {

const ParameterRange kGridSideRange{2, 16};
const ParameterRange kSubscriberRange{1, 100000};
const ParameterRange kChannelRange{10, 100000};
const ParameterRange kCallPercentRange{0, 100};
const ParameterRange kStepLimitRange{1, 1000000};
const ParameterRange kSpeedRange{1, 30};
const ParameterRange kSeedRange{1, 32766};

namespace {

const char* const kLogHeader = "lroz\tnowe\tzerw\tzak";

int32_t Clamp(int32_t value, const ParameterRange& range) {
  return std::clamp(value, range.min, range.max);
}

// A standard normal value lies above this with probability one in a million.
constexpr double kOneInAMillionQuantile = 4.753424308822899;

}  // namespace

int32_t HexSizeFor(int32_t gridSide, int32_t gridHeight) {
  return static_cast<int32_t>(std::ceil(double(gridHeight) / gridSide * 0.5376344086021505));
}

std::string FormatFileStamp(const std::tm& t) {
  const int fields[6] = {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec};
  std::string text = ZeroPaddedInt(fields[0], 4);
  for (int i = 1; i < 6; ++i) {
    text += '-';
    text += ZeroPaddedInt(fields[i], 2);
  }
  return text;
}

bool DurationCannotStart(double mean, double deviation) {
  // A draw truncates to a usable duration when it lies above -1, which happens with
  // probability one in a million or less when -1 is this many deviations above the mean.
  // A deviation of 0 gives the mean itself every time.
  return -1.0 - mean >= kOneInAMillionQuantile * std::fabs(deviation);
}

double ExpectedDrawsPerCall(double mean, double deviation) {
  const double sd = std::fabs(deviation);
  if (sd == 0) return mean > -1.0 ? 1.0 : std::numeric_limits<double>::infinity();
  // P(mean + sd * Z > -1) = erfc(z / sqrt 2) / 2 with z = (-1 - mean) / sd; erfc keeps its
  // precision far out in the tail, where 1 - P would round to 0.
  const double accepted = 0.5 * std::erfc((-1.0 - mean) / sd * 0.7071067811865476);
  return accepted > 0 ? 1.0 / accepted : std::numeric_limits<double>::infinity();
}

double CallsPerStepBound(int32_t gridSide, int32_t subscriberCount, int32_t channelsPerCell,
                         int32_t callPercent) {
  // A started call takes a channel until the next recount even when it lasts no steps,
  // so a step starts at most one call per channel; and the calls asked for are a Poisson
  // draw whose mean is the percentage of the idle subscribers, all of them at worst (calls
  // of no steps leave their subscribers idle, which is just what hostile durations give).
  const double channels = double(channelsPerCell) * gridSide * gridSide;
  return std::min(callPercent * 0.01 * subscriberCount, channels);
}

bool StepDrawsTooMany(const SimControls& c, double mean, double deviation) {
  // The bound: 10^8 normal draws take a few seconds (about 36 ns each), so a step below
  // it answers "Krok" within seconds, while the hostile cases are far above it and grow
  // without end as the mean moves down (7.7 x 10^9 draws took 276 s for one step). Usual
  // durations need one draw per call, and a step starts at most 10^5 calls, so only a
  // mean several deviations below -1 can come near the bound.
  const double calls = CallsPerStepBound(
      Clamp(c.gridSide, kGridSideRange), Clamp(c.subscriberCount, kSubscriberRange),
      Clamp(c.channelsPerCell, kChannelRange), Clamp(c.callPercent, kCallPercentRange));
  return calls > 0 && calls * ExpectedDrawsPerCall(mean, deviation) > kMaxExpectedDrawsPerStep;
}

void SetUpSimulation(SimulationState& s, const SimPorts& ports) {
  if (ports.controls == nullptr) throw std::logic_error("SetUpSimulation without controls");
  // Everything that can fail is read first, so a typing error leaves the last run as it
  // was (arrays, parameters, log and chart).
  const SimControls c = ports.controls->ReadControls();
  const double mean = StrToFloat(c.meanText);
  const double deviation = StrToFloat(c.deviationText);
  if (!std::isfinite(mean)) {
    throw EConvertError("'" + c.meanText + "' is not a valid floating point value");
  }
  if (!std::isfinite(deviation)) {
    throw EConvertError("'" + c.deviationText + "' is not a valid floating point value");
  }
  // Without calls no duration is ever drawn, so any mean and deviation will do.
  if (Clamp(c.callPercent, kCallPercentRange) > 0 && DurationCannotStart(mean, deviation)) {
    throw Exception(
        "Przy tej średniej i tym odchyleniu standardowym czas trwania rozmowy prawie zawsze "
        "wychodzi ujemny: na jedną rozpoczętą rozmowę przypadałoby średnio ponad milion "
        "losowań. Zwiększ średnią lub odchylenie standardowe.");
  }
  if (StepDrawsTooMany(c, mean, deviation)) {
    throw Exception(
        "Przy tej średniej i tym odchyleniu standardowym czas trwania rozmowy zwykle "
        "wychodzi ujemny i jest losowany od nowa: jeden krok potrzebowałby średnio ponad "
        "100 milionów losowań i trwałby minuty lub godziny. Zwiększ średnią lub odchylenie "
        "standardowe albo zmniejsz prawdopodobieństwo lub liczbę abonentów.");
  }

  s.gridLeft = kGridLeft;
  s.gridTop = kGridTop;
  s.gridWidth = kGridWidth;
  s.gridHeight = kGridHeight;
  static_cast<RunCounters&>(s) = RunCounters{};

  if (ports.chart != nullptr) {
    for (int i = 0; i < 4; ++i) ports.chart->ClearChartSeries(i);
  }

  // The window's spin edits already hold their values in range; the clamp guards the
  // arrays against any other caller.
  s.gridSide = Clamp(c.gridSide, kGridSideRange);
  s.subscriberCount = Clamp(c.subscriberCount, kSubscriberRange);
  s.channelsPerCell = Clamp(c.channelsPerCell, kChannelRange);
  s.callPercent = Clamp(c.callPercent, kCallPercentRange);
  s.stepLimit = Clamp(c.stepLimit, kStepLimitRange);
  s.stepsPerSecond = Clamp(c.stepsPerSecond, kSpeedRange);
  s.seed = Clamp(c.seed, kSeedRange);
  s.callMean = mean;
  s.callDeviation = deviation;

  s.hexSize = HexSizeFor(s.gridSide, s.gridHeight);

  const int32_t n = s.gridSide;
  s.subscribers.assign(s.subscriberCount, Subscriber{});
  s.cellSubscribers.assign(size_t(n) * n, 0);
  s.cellCalls.assign(size_t(n) * n, 0);
  s.offerOrder.assign(s.subscriberCount, 0);
  s.cellCounts.SetUp(n * n, ports.observer != nullptr && ports.observer->WantsCellCounts());

  if (c.reseed) {
    s.generator->Reseed(static_cast<uint32_t>(s.seed));
    s.moves->Seed(static_cast<uint32_t>(s.seed));
  }

  const int32_t start = StartRowAndColumn(n);
  for (Subscriber& sub : s.subscribers) sub = Subscriber{start, start, 0};

  if (ports.log != nullptr) {
    ports.log->ClearLog();
    ports.log->AddLogLine(kLogHeader);
  }

  // One reading of the clock for date and time, so a set-up at midnight cannot mix two days.
  s.fileStamp = FormatFileStamp(s.localTime());
}

}  // namespace vadidazid
