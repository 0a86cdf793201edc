#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <typeindex>

#include "almacor/date.h"
#include "almacor/timescales.h"
#include "main_table.h"
#include "main_window_host.h"
#include "window_placement.h"
#include "mode_state.h"
#include "time_entry.h"

class QAction;
class QFileDialog;
class QLabel;
class QLineEdit;
class QMenu;
class QTimer;
class QToolButton;

namespace almacor {
class Calendar;
namespace dialogs {
class ButtonLabel;
class HoverFrame;
}  // namespace dialogs
}  // namespace almacor

namespace quillon {

using almacor::dialogs::ButtonLabel;
class SimulationForm;
class ApparentForm;
class ConvertForm;
class FieldFilter;
class MainTableView;

/// The main window: the instant in six fields with spin controls, the information boxes, the
/// Moon picture and the table of the ten bodies, with the menus that step, sweep, follow the clock
/// and search. Everything shown is rebuilt by Display from the one Calendar.
///
/// The window is spread over files by concern: planet_form_layout.cpp builds and places the
/// controls, planet_form_menus.cpp the menu bar from its table of entries,
/// planet_form_settings.cpp loads and stores what persists; the table, the field filter and the
/// export dialog are classes of their own.
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
  void ShowInstant(almacor::Date date) override { SetDisplayedDateTime(date); }
  QMenu* SimulationMenu() override { return simulationMenu_; }
  void RunEclipseSearch(int k) override;
  void ShowDate(int year, int month, int day) override;
  void StepInstant(int steps) override;
  void AuxWindowClosed(AuxWindow window) override;

  /// Opens the auxiliary window of type `Window`, made with this window as its MainWindowHost on
  /// first use, or brings the open one to the front. A window that follows the instant implements
  /// HostFollower; every such window closes with the main window.
  template <class Window>
  Window* ShowWindow() {
    QPointer<QWidget>& slot = windows_[std::type_index(typeid(Window))];
    if (!slot) {
      slot = new Window(*this);
      PlaceWindow(*slot, this);
    }
    Raise(slot);
    return static_cast<Window*>(slot.data());
  }

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
  int ColumnMask() const;

  // The controls, for the tests.
  /// Date and time field i (0 year … 5 second) and its spin arrows.
  QLineEdit* Field(int i) const { return fields_[i]; }
  QToolButton* SpinUp(int i) const { return spinUp_[i]; }
  QToolButton* SpinDown(int i) const { return spinDown_[i]; }
  /// The unit captions that start a sweep (0 year … 5 second) and "RT" (6).
  ButtonLabel* UnitLabel(int i) const { return unitLabels_[i]; }
  /// Information box i (0 local mean time … 6 lunisolar date).
  QLineEdit* Box(int i) const { return boxes_[i]; }
  ButtonLabel* SiderealCaption() const { return siderealCaption_; }
  ButtonLabel* DeltaTCaption() const { return deltaTCaption_; }
  QLineEdit* DeltaTBox() const { return deltaTBox_; }
  MainTableView* Table() const { return table_; }
  QLabel* MoonPictureLabel() const { return moonPicture_; }
  QTimer* Timer() const { return timer_; }
  /// A menu item by its name (mnuViewSyzygyDay1, mnuSettingSweepTime0, …).
  QAction* MenuItem(const QString& name) const;

 public slots:
  /// One tick of the timer: a sweep step, or in real time a redisplay when the second changed.
  void OnTimer();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // planet_form_layout.cpp
  void BuildControls();
  void LayoutControls();
  // planet_form_menus.cpp
  void BuildMenus();
  void FillColumnMenu(QMenu& menu);
  void FillSiderealMenu(QMenu& menu);
  void FillSearchMenu(QMenu& menu, bool eclipse);
  void FillSimulationMenu(QMenu& menu);
  void FillSweepMenu(QMenu& menu);
  // planet_form_settings.cpp
  void LoadSettings();
  void SaveSettings();

  static void Raise(QWidget* window);
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
  bool ValidateField(QLineEdit* field);
  bool ValidateDeltaT();
  void Copy();
  void OpenLocation();
  void ShowSky();
  void OpenSimulation(int view);
  void CopySimulation();
  void ExportYear();
  void OpenApparent();
  void OpenConvert();

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
  std::array<QLineEdit*, 6> fields_{};
  std::array<QToolButton*, 6> spinUp_{};
  std::array<QToolButton*, 6> spinDown_{};
  std::array<ButtonLabel*, 7> unitLabels_{};
  std::array<QLineEdit*, 7> boxes_{};
  ButtonLabel* siderealCaption_ = nullptr;
  ButtonLabel* deltaTCaption_ = nullptr;
  QLineEdit* deltaTBox_ = nullptr;
  QLabel* moonPicture_ = nullptr;
  MainTableView* table_ = nullptr;
  almacor::dialogs::HoverFrame* hoverFrame_ = nullptr;
  FieldFilter* fieldFilter_ = nullptr;
  std::array<QWidget*, 2> separators_{};
  QTimer* timer_ = nullptr;
  QPointer<SimulationForm> simulation_;
  QPointer<ApparentForm> apparent_;
  QPointer<ConvertForm> convert_;
  std::map<std::type_index, QPointer<QWidget>> windows_;

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
};

}  // namespace quillon
