// Dimensioning and the formulas' calculator on the command line.
#include "cli/dimensioncommand.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <memory>
#include <ostream>
#include <thread>

#include "cli/failure.h"
#include "pictures/chartpicture.h"
#include "pictures/dimensionplot.h"
#include "platform/exceptions.h"
#include "platform/files/ioerror.h"
#include "platform/files/outputfile.h"
#include "platform/text/messagetext.h"
#include "results/dimensionreport.h"
#include "results/resulttable.h"
#include "study/dimensioning.h"

namespace vadidazid {

const ParameterRange kDimensionReplicationRange{2, kSeedRange.max};

const char* const kDimensionHelp =
    "\nDimensioning: --dimension NAME --target 'MEASURE<=V' finds the boundary value of\n"
    "NAME. A point meets the target when the 95 % interval of the measure over its\n"
    "runs lies wholly on the target's side, fails when it lies wholly on the other;\n"
    "otherwise it gets 4 more runs (seeds continuing), up to --max-replications. The\n"
    "search doubles or halves from the given value to bracket the boundary, then\n"
    "bisects. The report goes to standard output (to standard error with --results -);\n"
    "--results holds every run's row, --plot the points with the target and formulas.\n";

namespace {

bool Given(const RunnerOptions& o, const char* name) {
  return std::find(o.given.begin(), o.given.end(), name) != o.given.end();
}

// The first of `names` that was given, if any.
const char* FirstGiven(const RunnerOptions& o, std::initializer_list<const char*> names) {
  for (const char* name : names) {
    if (Given(o, name)) return name;
  }
  return nullptr;
}

void CheckTheory(const RunnerOptions& o) {
  for (const std::string& name : o.given) {
    static const char* const allowed[] = {"--theory",  "--channels", "--erlangs",
                                          "--sources", "--beta",     "--target"};
    if (std::find(std::begin(allowed), std::end(allowed), name) == std::end(allowed)) {
      throw UsageError("--theory computes the formulas only; it takes no " + name);
    }
  }
  if (o.sources.has_value() != o.beta.has_value()) {
    throw UsageError("--theory: --sources and --beta go together");
  }
  if (!o.erlangs && !o.sources) {
    throw UsageError("--theory needs --erlangs A, or --sources S with --beta B");
  }
  if (Given(o, "--channels") == o.target.has_value()) {
    throw UsageError("--theory needs either --channels C or --target P");
  }
  if (o.target) {
    const double p = TheoryValue("--target", *o.target);
    if (p > 1.0) throw UsageError("--target: " + *o.target + " is not a probability of 0 .. 1");
  }
}

void CheckDimension(const RunnerOptions& o) {
  if (!o.target) throw UsageError("--dimension needs --target MEASURE<=VALUE or MEASURE>=VALUE");
  ParseDimensionTarget(*o.target);
  if (const char* name =
          FirstGiven(o, {"--shard", "--sweep", "--replications", "--csv", "--summary", "--out",
                         "--chart", "--picture", "--map", "--cells"})) {
    throw UsageError(std::string(name) +
                     " is refused with --dimension: the search chooses its runs and writes its "
                     "own report, --results and --plot");
  }
}

}  // namespace

double TheoryValue(const char* option, const std::string& text) {
  double value = 0.0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end || !std::isfinite(value) || value < 0.0) {
    throw UsageError(std::string(option) + ": '" + MessageText(text) +
                     "' is not a number of 0 or more");
  }
  return value;
}

void CheckDimensionOptions(const RunnerOptions& o) {
  if (o.theory) {
    if (o.dimension) throw UsageError("--theory and --dimension are separate commands");
    CheckTheory(o);
    return;
  }
  if (o.dimension) CheckDimension(o);
  if (const char* name = FirstGiven(o, {"--erlangs", "--sources", "--beta"})) {
    throw UsageError(std::string(name) + " needs --theory");
  }
  if (!o.dimension) {
    if (o.target) throw UsageError("--target needs --dimension or --theory");
    if (o.maxReplications) throw UsageError("--max-replications needs --dimension");
  }
}

namespace {

DimensionPlan PlanOf(const RunnerOptions& o) {
  DimensionPlan plan;
  plan.base.controls = o.controls;
  plan.base.steps = o.steps.value_or(CheckedTimedRunSteps(o.controls));
  plan.base.warmup = o.warmup.value_or(0);
  plan.base.autoWarmup = o.autoWarmup;
  plan.parameter = *o.dimension;
  plan.target = ParseDimensionTarget(*o.target);
  plan.maxReplications = o.maxReplications.value_or(64);
  CheckDimensionPlan(plan);
  return plan;
}

// The search and its files; both files exist (as temporaries) before the first run.
int Search(const RunnerOptions& o, const DimensionPlan& plan, std::ostream& out,
           std::ostream& err) {
  std::unique_ptr<OutputFile> results, plot;
  if (o.outputs.results) results = OutputFile::Named(*o.outputs.results, out);
  if (o.plot) plot = CreatePictureFile(*o.plot);
  if (!plan.base.autoWarmup && plan.base.warmup == 0) {
    err << "vadidazid-sim: warning: with --warmup 0 every run's statistics begin at its "
           "set-up, with every subscriber in one cell; see --warmup auto\n";
  }
  const int cores = int(std::thread::hardware_concurrency());
  const int threads = o.threads ? int(*o.threads) : std::max(cores, 1);
  const DimensionAnswer answer =
      Dimension(plan, [&](const std::vector<RunPlan>& runs) { return MeasureRuns(runs, threads); });
  if (results) {
    results->Write(ResultHeader());
    for (const RunResult& r : DimensionRows(answer)) results->Write(ResultRecord(r));
    results->Finish();
  }
  if (plot) {
    plot->Write(PictureFileBytes(*o.plot, [&] {
      const PictureSize size = o.pictureSize.value_or(PictureSize{kPlotWidth, kPlotHeight});
      PlotLook look;
      look.language = o.plotLanguage.value_or(PlotLanguageOfEnvironment());
      look.scale = o.plotScale.value_or(0);
      const std::unique_ptr<TChart> chart =
          CreateDimensionChart(plan, answer, size.width, size.height, look);
      return ChartPictureBytes(*chart, *PictureFormatOf(*o.plot));
    }));
    plot->Finish();
  }
  if (results) results->Commit();
  if (plot) plot->Commit();
  // The report goes where no table does.
  std::ostream& report = o.outputs.results == std::optional<std::string>("-") ? err : out;
  report << DimensionReport(plan, answer);
  report.flush();
  if (!out.flush()) throw EWriteError(WriteErrorMessage(kStandardOutputName));
  return static_cast<int>(ExitStatus::kDone);
}

}  // namespace

int DimensionCommand(const RunnerOptions& o, std::ostream& out, std::ostream& err) {
  return Search(o, AsInvalidInput([&] { return PlanOf(o); }), out, err);
}

int TheoryCommand(const RunnerOptions& o, std::ostream& out) {
  TheoryQuestion question;
  question.erlangs = o.erlangs;
  question.sources = o.sources;
  question.perIdleSource = o.beta;
  if (o.target) {
    question.target = TheoryValue("--target", *o.target);
  } else {
    question.channels = o.controls.channelsPerCell;
  }
  out << TheoryReport(question) << std::flush;
  if (!out) throw EWriteError(WriteErrorMessage(kStandardOutputName));
  return static_cast<int>(ExitStatus::kDone);
}

}  // namespace vadidazid
