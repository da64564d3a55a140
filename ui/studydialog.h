// The window "Badanie": a study over the main window's parameters, as the runner makes
// one, without a terminal. The user picks the swept parameter by its name in the main
// window with its range or list (and optionally a second one for groups), the
// replications, steps, warm-up and threads; "Uruchom" starts the runs on worker threads
// and the plot, the summary table and the progress grow as points finish; "Przerwij"
// or closing the window abandons the runs at their next step and keeps the finished
// points. The results and the plot are saved under a time-stamped name in the working
// folder, and "Polecenie" gives the runner's command line that makes the same rows.
#pragma once

#include <QDialog>

#include <memory>
#include <string>

#include "sim/controlsource.h"
#include "ui/studyplan.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableView;
class QTimer;

namespace vadidazid {

class TCSpinEdit;
class TChartWidget;
class TStudyRun;
class TSummaryModel;

// "12 z 40 przebiegów, pozostało ok. 1:05"; "?" while nothing can be estimated.
std::string StudyProgressText(int64_t runsDone, int64_t runs, int64_t secondsLeft);

class TStudyDialog : public QDialog {
  Q_OBJECT

 public:
  // `controls` gives the main window's parameters at each start.
  explicit TStudyDialog(ControlSource& controls, QWidget* parent = nullptr);
  ~TStudyDialog() override;

  // Handlers, named after their button.
  void StartClick();
  void StopClick();
  void SaveResultsClick();
  void SavePlotClick();

  // The study started last, if any.
  TStudyRun* Run() const { return run_.get(); }
  // The fields as they stand.
  StudyFields Fields();

  QComboBox *Parameter, *GroupParameter, *PlotFormat;
  QLineEdit *From, *To, *Step, *List, *GroupList, *Warmup, *Command;
  TCSpinEdit *Replications, *Steps, *Threads;
  QPushButton *StartButton, *StopButton, *SaveResultsButton, *SavePlotButton;
  QProgressBar* Progress;
  QLabel *ProgressText, *Seeds, *Status;
  TChartWidget* Plot;
  QTableView* Summary;
  TSummaryModel* SummaryModel;

 protected:
  void showEvent(QShowEvent* event) override;
  // Enter in a spin edit starts the study, as in the other fields; the spin edit itself
  // refuses the key.
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Closing the window (its close button, Escape, close()) stops the study; hiding it
  // otherwise (with the main window minimized) does not.
  void reject() override;

 private:
  QWidget* CreateFields();
  QWidget* CreateResults();
  void CreateControls();
  void ConnectHandlers();
  // The command and seeds of the fields over the main window's present parameters.
  void ShowPreview();
  void ShowPlan(const ExperimentPlan& plan);
  void ShowProgress();
  void ShowResults();
  // The plot of the finished points, when more have finished since; false otherwise.
  bool ShowPlot();
  void ShowTable();
  void StudyEnded();
  void SaveFile(const std::string& name, const std::string& bytes, const char* what);
  template <typename F>
  void Handle(F&& handler);

  ControlSource& controls_;
  std::unique_ptr<TStudyRun> run_;
  std::string stamp_;  // of the start, for the files' names
  QTimer* refresh_;    // gathers the rows that come in close together into one redraw
  int64_t shownPoints_ = -1;
};

}  // namespace vadidazid
