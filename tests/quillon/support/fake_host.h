#pragma once

// A main window stand-in for the auxiliary windows: one Calendar in Tokyo at a given instant, the
// six field texts, the "シミュレーション(&S)" menu with the object names the simulation window looks
// for, and a record of what the windows asked of it.

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
    BuildSimulationMenu();
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
  void RunEclipseSearch(int k) override { searches.push_back(k); }
  void StepInstant(int n) override { steps.push_back(n); }
  void AuxWindowClosed(AuxWindow w) override { closed.push_back(w); }

  QAction* Item(const char* name) { return menu.findChild<QAction*>(name); }

  almacor::Calendar calendar;
  std::array<QString, 6> fields;
  QWidget window;
  QMenu menu;
  int suspends = 0;
  int resumes = 0;
  bool timerRunning = true;
  std::vector<int> searches;
  std::vector<int> steps;
  std::vector<AuxWindow> closed;

 private:
  void BuildSimulationMenu() {
    auto add = [this](const char* text, const char* name) {
      QAction* a = menu.addAction(QString::fromUtf8(text));
      a->setObjectName(QString::fromLatin1(name));
      a->setVisible(false);
    };
    add("コピー(&C)", "mnuSimCopy");
    menu.addSeparator()->setVisible(false);
    add("サイズ初期化(&I)", "mnuSimResetSize");
    menu.addSeparator()->setVisible(false);
    QMenu* azimuth = menu.addMenu(QString::fromUtf8("方角(&A)"));
    azimuth->setObjectName("mnuSimAzimuth");
    azimuth->menuAction()->setVisible(false);
    for (const char* d : {"北(N)", "東(&E)", "南(&S)", "西(&W)"}) {
      azimuth->addAction(QString::fromUtf8(d))->setCheckable(true);
    }
    add("前の食(&P)", "mnuSimPrevEclipse");
    add("次の食(&N)", "mnuSimNextEclipse");
    menu.addSeparator()->setVisible(false);
    for (int k = 0; k <= 12; ++k) {
      if (k == 3 || k == 7 || k == 10) {
        menu.addSeparator();
      } else {
        menu.addAction(QString::number(k))->setObjectName(QString("mnuViewSimulation%1").arg(k));
      }
    }
    QAction* separator = menu.addSeparator();
    separator->setObjectName("mnuSimEndSeparator");
    separator->setVisible(false);
    add("終了(&Q)", "mnuSimEnd");
  }
};

}  // namespace quillon::testing
