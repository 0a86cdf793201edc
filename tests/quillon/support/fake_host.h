#pragma once

// A main window stand-in for the tool windows: one Calendar in Tokyo at a given instant, the six
// field texts and a record of what the windows asked of it. The simulation window is tested with
// the real main window, whose menu it borrows.

#include <QMenu>
#include <QString>
#include <QWidget>
#include <array>
#include <vector>

#include "almacor/calendar.h"
#include "almacor/date.h"
#include "main_window_host.h"

namespace quillon::testing {

class FakeHost : public MainWindowHost {
 public:
  explicit FakeHost(almacor::CivilDateTime instant = {2024, 1, 1, 12, 0, 0}) {
    calendar.SetPause(true);
    calendar.SetObsLongitude(139.7447);
    calendar.SetObsLatitude(35.6544);
    calendar.SetObsHeight(0);
    calendar.SetTimeZone(9);
    calendar.SetDtEstimated(true);
    calendar.SetPause(false);
    SetInstant(almacor::Date::FromCivil(instant));
    window.resize(648, 400);
    window.move(100, 80);
  }

  void SetInstant(almacor::Date instant) {
    calendar.SetDateTime(instant);
    const almacor::CivilDateTime c = instant.ToCivil();
    fields = {QString::number(c.year), QString::number(c.month),  QString::number(c.day),
              QString::number(c.hour), QString::number(c.minute), QString::number(c.second)};
  }

  almacor::Calendar& HostCalendar() override { return calendar; }
  QString DisplayedField(int i) const override { return fields.at(static_cast<std::size_t>(i)); }
  bool SuspendTimer() override {
    ++suspends;
    const bool wasRunning = timerRunning;
    timerRunning = false;
    return wasRunning;
  }
  void ResumeTimer(bool wasRunning) override {
    ++resumes;
    timerRunning = wasRunning;
  }
  QWidget* HostWidget() override { return &window; }
  QMenu* SimulationMenu() override { return &menu; }
  void RunEclipseSearch(int) override {}
  void ShowDate(int year, int month, int day) override {
    almacor::CivilDateTime c = calendar.DateTime().ToCivil();
    c.year = year;
    c.month = month;
    c.day = day;
    SetInstant(almacor::Date::FromCivil(c));
  }
  void ShowInstant(almacor::Date date) override {
    shown.push_back(date);
    calendar.SetDateTime(date);
  }
  void StepInstant(int) override {}
  void AuxWindowClosed(AuxWindow w) override { closed.push_back(w); }

  almacor::Calendar calendar;
  std::array<QString, 6> fields;
  QWidget window;
  QMenu menu;  // unused by the tool windows
  int suspends = 0;
  int resumes = 0;
  bool timerRunning = true;
  std::vector<almacor::Date> shown;
  std::vector<AuxWindow> closed;
};

}  // namespace quillon::testing
