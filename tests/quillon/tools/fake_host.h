#pragma once

#include <QMenu>
#include <QString>
#include <QWidget>
#include <array>
#include <vector>

#include "almacor/calendar.h"
#include "main_window_host.h"

namespace quillon::testing {

/// A main window stand-in: one Calendar at a fixed instant, the six displayed fields, and a record
/// of what the auxiliary windows asked for.
class FakeHost : public MainWindowHost {
 public:
  explicit FakeHost(almacor::CivilDateTime instant) {
    calendar.SetPause(true);
    calendar.SetObsLongitude(139.7447);
    calendar.SetObsLatitude(35.6544);
    calendar.SetObsHeight(0);
    calendar.SetTimeZone(9);
    calendar.SetDtEstimated(true);
    calendar.SetPause(false);
    calendar.SetDateTime(almacor::Date::FromCivil(instant));
    fields = {QString::number(instant.year),   QString::number(instant.month),
              QString::number(instant.day),    QString::number(instant.hour),
              QString::number(instant.minute), QString::number(instant.second)};
    window.resize(648, 400);
    window.move(100, 80);
  }

  almacor::Calendar& HostCalendar() override { return calendar; }
  QString DisplayedField(int i) const override { return fields.at(static_cast<std::size_t>(i)); }
  bool SuspendTimer() override {
    ++suspends;
    timerRunning = false;
    return true;
  }
  void ResumeTimer(bool wasRunning) override {
    ++resumes;
    timerRunning = wasRunning;
  }
  QWidget* HostWidget() override { return &window; }
  QMenu* SimulationMenu() override { return &menu; }
  void RunEclipseSearch(int) override {}
  void AuxWindowClosed(AuxWindow w) override { closed.push_back(w); }

  almacor::Calendar calendar;
  std::array<QString, 6> fields;
  QWidget window;
  QMenu menu;
  int suspends = 0;
  int resumes = 0;
  bool timerRunning = true;
  std::vector<AuxWindow> closed;
};

}  // namespace quillon::testing
