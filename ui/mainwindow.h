// The program's one window, Form1: the parameter controls, the run buttons, the log,
// the chart and the menu, wired to the simulation. It holds the run's state and is the
// simulation's window: the set-up reads its controls, the step writes its log, its
// chart and the cell picture on its client area. How a run proceeds is the run
// control's business; the handlers only pass the buttons and the timer to it.
#pragma once

#include <QMainWindow>

#include <memory>
#include <string>
#include <vector>

#include "sim/runcontrol.h"
#include "sim/simports.h"
#include "sim/simulationstate.h"
#include "ui/loglines.h"

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace vadidazid {

class TLogMemo;
class TCSpinEdit;
class TChart;
class TChartWidget;
class TClientArea;
class TStudyDialog;

class TForm1 : public QMainWindow,
               public ControlSource,
               public RunLog,
               public RunChart,
               public CellView,
               public MessageSink {
  Q_OBJECT

 public:
  // The run draws from the process-wide generators unless others are given.
  explicit TForm1(QWidget* parent = nullptr);
  TForm1(RandomVariates& generator, RuntimeRandom& moves, QWidget* parent = nullptr);
  ~TForm1() override;

  // The run's ports
  SimControls ReadControls() override;
  void ClearLog() override;
  void AddLogLine(const std::string& utf8) override;
  std::vector<std::string> LogLines() const override { return log_.Lines(); }
  void ClearChartSeries(int index) override;
  void AddChartValue(int index, double value) override;
  vadidazid::Canvas* GridCanvas() override;
  void GridDrawn() override;
  void ShowMessage(const std::string& utf8) override;
  void SaveChartPicture(const std::string& fileName) override;

  // Handlers, named after their control and event. Qt paints every widget through its
  // own back buffer, so the window needs no switch for double buffering.
  void FormActivate();
  void Button1Click();
  void Button2Click();
  void Button3Click();
  void Timer1Timer();
  void Zakocz1Click();
  // Opens the study window (made at its first opening), over the window's parameters.
  void Badanie1Click();
  void asd1Click();
  void Zapiszwykres1Click();

  SimulationState& State() { return state_; }
  TChart& Chart();

  // The controls, by their layout names.
  QGroupBox *GroupBox1, *GroupBox2, *GroupBox3, *GroupBox4, *GroupBox5, *GroupBox6;
  QLabel *StaticText1, *StaticText2, *StaticText3, *StaticText4, *StaticText5, *StaticText6,
      *StaticText7, *StaticText8, *StaticText9;
  TCSpinEdit *CSpinEdit1, *CSpinEdit2, *CSpinEdit3, *CSpinEdit4, *CSpinEdit5, *CSpinEdit6,
      *CSpinEdit7;
  QLineEdit *Edit1, *Edit2;
  QCheckBox* CheckBox1;
  QPushButton *Button1, *Button2, *Button3;
  TLogMemo* Memo1;
  TChartWidget* Chart1;
  QTimer* Timer1;
  QAction *Vadidazid1, *Badanie1, *Zakocz1, *Zapiszwykres1, *asd1;
  TStudyDialog* StudyDialog = nullptr;
  TClientArea* ClientArea;

 protected:
  bool event(QEvent* event) override;

 private:
  void CreateControls();
  void CreateMenu();
  void SetTabOrder();
  void ConnectHandlers();
  void PlaceOnScreen();
  // Runs a handler so that an exception ends it and the user reads its text in a message
  // box; the program goes on with the state the handler left.
  template <typename F>
  void Handle(F&& handler);

  SimulationState state_;
  RunControl run_;
  TLogLines log_;
  bool activated_ = false;
};

}  // namespace vadidazid
