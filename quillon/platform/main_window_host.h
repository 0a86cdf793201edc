#pragma once

#include <QString>

#include "almacor/date.h"

class QIcon;
class QMenu;
class QWidget;

namespace almacor {
class Calendar;
}

namespace quillon {

/// What the auxiliary windows (simulation, apparent distance, angle conversion, version, the
/// month calendar) may ask of the main window. They never call each other; everything goes
/// through here.
class MainWindowHost {
 public:
  /// The program's one Calendar, holding the displayed instant.
  virtual almacor::Calendar& HostCalendar() = 0;
  /// The text of date and time field i (0 year … 5 second) as the main window shows it.
  virtual QString DisplayedField(int i) const = 0;
  /// Stops the main window's timer (real-time and sweep ticks); returns whether it was running.
  virtual bool SuspendTimer() = 0;
  /// Restarts the timer if `wasRunning`; in real-time mode first catches up with the present time.
  virtual void ResumeTimer(bool wasRunning) = 0;
  /// The main window itself (parent for dialogs, the icon, centring).
  virtual QWidget* HostWidget() = 0;

  /// The "シミュレーション(&S)" menu of the main window; the simulation window shows its hidden
  /// items while it uses it as its context menu.
  virtual QMenu* SimulationMenu() = 0;
  /// "前の食(&P)" / "次の食(&N)": runs eclipse search item k (0, 1 solar; 3, 4 lunar).
  virtual void RunEclipseSearch(int k) = 0;
  /// Sets the displayed date to year-month-day, keeping the time of day, the way the searches
  /// set an instant (the six fields, then the Calendar and the display).
  virtual void ShowDate(int year, int month, int day) = 0;
  /// Shows `date` (local civil time) in the date and time fields and displays it, as a search
  /// does.
  virtual void ShowInstant(almacor::Date date) = 0;
  /// Steps the instant by `steps` (±) of the sweep unit chosen last, as that many clicks of its
  /// spin arrow would: nothing while the spin controls are disabled.
  virtual void StepInstant(int steps) = 0;

  /// Each auxiliary window calls this as it closes, so that the main window clears its flag
  /// (SimulationFlag, ApparentFlag, ConvertFlag).
  enum class AuxWindow { Simulation, Apparent, Convert };
  virtual void AuxWindowClosed(AuxWindow window) = 0;

 protected:
  ~MainWindowHost() = default;
};

/// An auxiliary window that shows something of the main window's instant: the main window calls
/// HostDisplayed after each display while the window is open (see PlanetForm::ShowWindow).
class HostFollower {
 public:
  virtual void HostDisplayed() = 0;

 protected:
  ~HostFollower() = default;
};

}  // namespace quillon
