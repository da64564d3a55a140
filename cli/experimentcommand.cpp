// Experiment and summary commands of the runner.
#include "cli/experimentcommand.h"

#include <fstream>
#include <memory>
#include <ostream>
#include <stdexcept>

#include "cli/progress.h"
#include "pictures/chartpicture.h"
#include "pictures/studyplot.h"
#include "platform/exceptions.h"
#include "platform/files/ioerror.h"
#include "platform/files/outputfile.h"
#include "platform/text/numtext.h"
#include "results/resulttablereader.h"
#include "results/steptable.h"
#include "results/summary.h"

namespace vadidazid {

namespace {

std::string PlotBytes(const ExperimentPlan& plan, const ExperimentOutputs& outputs,
                      const std::vector<RunResult>& rows) {
  return PictureFileBytes(*outputs.plot, [&] {
    const PictureSize size = outputs.plotSize.value_or(PictureSize{kPlotWidth, kPlotHeight});
    const std::unique_ptr<TChart> chart = CreatePlanPlot(
        plan, rows, size.width, size.height,
        outputs.plotLanguage.value_or(PlotLanguageOfEnvironment()), outputs.plotScale);
    return ChartPictureBytes(*chart, *PictureFormatOf(*outputs.plot));
  });
}

}  // namespace

int RunExperimentCommand(const ExperimentPlan& plan, int threads, const ExperimentOutputs& outputs,
                         std::ostream& out, std::ostream& err, std::ostream* progress) {
  // Both files exist (as temporaries) before the first step, so an unwritable place
  // is reported at once rather than after a long experiment.
  std::unique_ptr<OutputFile> steps, results, plot;
  if (outputs.csv) {
    steps = OutputFile::Named(*outputs.csv, out);
    steps->Write(StepHeader());
  }
  if (outputs.results) results = OutputFile::Named(*outputs.results, out);
  if (outputs.plot) plot = CreatePictureFile(*outputs.plot);

  // The runs' first steps are far from the network's usual state.
  if (!plan.autoWarmup && plan.warmup == 0) {
    err << "vadidazid-sim: warning: with --warmup 0 every run's statistics begin at its "
           "set-up, with every subscriber in one cell; see --warmup auto\n";
  }
  const std::vector<RunPlan> runs = ExperimentRuns(plan);
  std::atomic<int64_t> stepsDone{0};
  std::unique_ptr<ProgressLine> line;
  if (progress != nullptr) {
    line = std::make_unique<ProgressLine>(*progress, int64_t(runs.size()),
                                          int64_t(runs.size()) * plan.steps);
  }
  std::function<void(const StepCounts&)> onStep;
  if (steps) onStep = [&](const StepCounts& c) { steps->Write(StepRecord(c)); };
  std::vector<RunResult> rows;
  try {
    rows = MeasureRuns(runs, threads, onStep, &stepsDone, [&](int64_t runsDone) {
      if (line) line->Show(runsDone, stepsDone.load());
    });
  } catch (...) {
    if (line) line->Clear();
    throw;
  }
  if (line) line->Clear();

  // Every file is written completely before any replaces its earlier one, so a failure
  // of the second leaves the first's earlier file in place too.
  if (results) {
    results->Write(ResultHeader());
    for (const RunResult& r : rows) results->Write(ResultRecord(r));
    results->Finish();
  }
  if (steps) steps->Finish();
  if (plot) plot->Write(PlotBytes(plan, outputs, rows));
  if (steps) steps->Commit();
  if (results) results->Commit();
  if (plot) plot->Commit();
  if (outputs.summary || (!outputs.csv && !outputs.results && !outputs.plot)) {
    out << SummaryTable(SummarizeResults(rows));
  }
  out.flush();
  if (!out) throw EWriteError(WriteErrorMessage(kStandardOutputName));
  return static_cast<int>(ExitStatus::kDone);
}

namespace {

// Appends the rows of one result file, read line by line. Throws EInvalidInput naming
// the file, and the line and column where one is at fault.
void ReadResultFile(const std::string& name, std::vector<RunResult>& rows) {
  std::ifstream in(name, std::ios::binary);
  if (!in.is_open()) throw EInvalidInput("cannot read " + name);
  try {
    ResultTableReader reader(in);
    for (RunResult row; reader.Next(row);) rows.push_back(row);
  } catch (const EInvalidInput& e) {
    throw EInvalidInput(name + ": " + e.what());
  }
}

}  // namespace

int SummarizeCommand(const std::vector<std::string>& files, std::ostream& out) {
  std::vector<RunResult> rows;
  for (const std::string& name : files) ReadResultFile(name, rows);
  out << SummaryTable(SummarizeResults(std::move(rows))) << std::flush;
  if (!out) throw EWriteError(WriteErrorMessage(kStandardOutputName));
  return static_cast<int>(ExitStatus::kDone);
}

}  // namespace vadidazid
