#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>

#include "almacor/date.h"
#include "almacor/timescales.h"
#include "main_table.h"
#include "main_window_host.h"
#include "mode_state.h"
#include "time_entry.h"

class QAction;
class QFileDialog;
class QLabel;
class QLineEdit;
class QMenu;
class QTableView;
class QTimer;
class QToolButton;

namespace almacor {
class Calendar;
}

namespace quillon {

class ButtonLabel;
class SimulationForm;
class ApparentForm;
class ConvertForm;
class KoyomiForm;
class HoverFrame;
class MainTableModel;

/// The main window: the instant in six fields with spin controls, the information boxes, the
/// Moon picture and the table of the ten bodies, with the menus that step, sweep, follow the clock
/// and search. Everything shown is rebuilt by Display from the one Calendar.
class PlanetForm : public QMainWindow, public MainWindowHost {
  Q_OBJECT
 public:
  /// `nowUtcMs` gives the present time as milliseconds since 1970-01-01 UTC (the system clock
  /// when empty); tests drive real-time mode through it.
  explicit PlanetForm(std::function<qint64()> nowUtcMs = {}, QWidget* parent = nullptr);
  ~PlanetForm() override;

  /// Rewrites the boxes, the table, the sky colour and the Moon picture from the Calendar, then
  /// refreshes the open auxiliary windows. Never changes the instant.
  void Display();
  /// Loads `date` into the six fields, sets it as the Calendar's instant and displays it once.
  void SetDisplayedDateTime(almacor::Date date);

  // MainWindowHost.
  almacor::Calendar& HostCalendar() override { return *calendar_; }
  QString DisplayedField(int i) const override;
  bool SuspendTimer() override;
  void ResumeTimer(bool wasRunning) override;
  QWidget* HostWidget() override { return this; }
  QMenu* SimulationMenu() override { return simulationMenu_; }
  void RunEclipseSearch(int k) override;
  void ShowDate(int year, int month, int day) override;
  void AuxWindowClosed(AuxWindow window) override;

  bool SimulationFlag() const { return simulationFlag_; }
  bool ApparentFlag() const { return apparentFlag_; }
  bool ConvertFlag() const { return convertFlag_; }
  /// The open simulation window, or null.
  SimulationForm* Simulation() const;

  /// Writes the displayed year's koyomi for the current observer to `path` as a whole (nothing
  /// is left behind on failure); returns the error message, empty on success.
  QString ExportYearTo(const QString& path, int format);
  /// The save dialog of "年間暦の書き出し(&E)...": CSV, JSON Lines or iCalendar (format 0–2).
  QFileDialog* CreateExportDialog();

  /// How many times Display ran (each new instant is one).
  int DisplayCount() const { return displayCount_; }
  const ModeState& Mode() const { return mode_; }
  const TimeEntry& Entry() const { return *entry_; }
  const MainTableTexts& Texts() const { return texts_; }
  QColor SkyColor() const { return sky_; }
  double HorizonDip() const { return horizonDipCorrection_; }
  int ColumnMask() const;

  // The controls, for the tests.
  QLineEdit* Text1(int i) const { return text1_[i]; }
  QToolButton* SpinUp(int i) const { return spinUp_[i]; }
  QToolButton* SpinDown(int i) const { return spinDown_[i]; }
  ButtonLabel* Label1(int i) const { return label1_[i]; }
  QLineEdit* Text2(int i) const { return text2_[i]; }
  ButtonLabel* SiderealCaption() const { return siderealCaption_; }
  ButtonLabel* Label3() const { return label3_; }
  QLineEdit* Text3() const { return text3_; }
  QTableView* Grid1() const { return grid1_; }
  QLabel* Picture1() const { return picture1_; }
  QTimer* Timer1() const { return timer1_; }
  /// A menu item by its name (mnuViewSyzygyDay1, mnuSettingSweepTime0, …).
  QAction* MenuItem(const QString& name) const;

 public slots:
  /// One tick of the timer: a sweep step, or in real time a redisplay when the second changed.
  void OnTimer();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls();
  void BuildMenus();
  void LoadSettings();
  void SaveSettings();
  void LayoutControls();

  almacor::Date Now() const;
  void ApplyMode();
  void ToggleRealTime();
  void Sweep(int index);
  void Preset(int index);
  void Search(int k, bool eclipse);
  void UpdateSearchMenu(bool eclipse);
  void ToggleColumn(int index);
  void ChooseSiderealKind(int index);
  void ToggleDeltaTMode();
  bool ValidateField(int i);
  bool ValidateDeltaT();
  void Copy();
  void OpenLocation();
  void OpenWebPage();
  void ShowSky();
  void OpenSimulation(int view);
  void CopySimulation();
  void ExportYear();
  void OpenApparent();
  void OpenConvert();
  void OpenKoyomi();

  std::function<qint64()> nowUtcMs_;
  std::unique_ptr<almacor::Calendar> calendar_;
  std::unique_ptr<TimeEntry> entry_;
  ModeState mode_;
  MainTableTexts texts_;
  almacor::SiderealTimeConstant siderealKind_ = almacor::LocalApparent;
  double horizonDipCorrection_ = 0;
  QColor sky_;
  bool simulationFlag_ = false;
  bool apparentFlag_ = false;
  bool convertFlag_ = false;
  int displayCount_ = 0;
  bool loaded_ = false;  // the window has finished loading: spin changes recalculate

  QWidget* client_ = nullptr;
  std::array<QLineEdit*, 6> text1_{};
  std::array<QToolButton*, 6> spinUp_{};
  std::array<QToolButton*, 6> spinDown_{};
  std::array<ButtonLabel*, 7> label1_{};
  std::array<QLabel*, 7> label2_{};
  std::array<QLineEdit*, 7> text2_{};
  ButtonLabel* siderealCaption_ = nullptr;
  ButtonLabel* label3_ = nullptr;
  QLineEdit* text3_ = nullptr;
  QLabel* picture1_ = nullptr;
  QTableView* grid1_ = nullptr;
  MainTableModel* model_ = nullptr;
  HoverFrame* hoverFrame_ = nullptr;
  std::array<QWidget*, 2> separators_{};
  QTimer* timer1_ = nullptr;
  QPointer<SimulationForm> simulation_;
  QPointer<ApparentForm> apparent_;
  QPointer<ConvertForm> convert_;
  QPointer<KoyomiForm> koyomi_;

  QMenu* itemMenu_ = nullptr;
  QMenu* siderealMenu_ = nullptr;
  QMenu* syzygyMenu_ = nullptr;
  QMenu* eclipseMenu_ = nullptr;
  QMenu* simulationMenu_ = nullptr;
  QMenu* sweepMenu_ = nullptr;
  std::array<QAction*, 10> columnItems_{};
  std::array<QAction*, 4> siderealItems_{};
  std::array<QAction*, 5> syzygyItems_{};
  std::array<QAction*, 5> eclipseItems_{};
  std::array<QAction*, 8> sweepItems_{};
  std::array<QAction*, 5> presetItems_{};
  std::array<QAction*, 2> zeroItems_{};
  QAction* realTimeItem_ = nullptr;
  QAction* sweepSeparator_ = nullptr;
};

}  // namespace quillon
