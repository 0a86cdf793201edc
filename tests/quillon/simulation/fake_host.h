#pragma once

// A main window stand-in for the simulation window: one Calendar, the six field texts and the
// "シミュレーション(&S)" menu with the object names the window looks for.

#include <QMenu>
#include <QString>
#include <vector>

#include "almacor/calendar.h"
#include "almacor/date.h"
#include "main_window_host.h"

namespace quillon {

class FakeHost : public MainWindowHost {
 public:
  FakeHost() {
    auto add = [this](const char* text, const char* name) {
      QAction* a = menu_.addAction(QString::fromUtf8(text));
      a->setObjectName(QString::fromLatin1(name));
      a->setVisible(false);
      return a;
    };
    add("コピー(&C)", "mnuSimCopy");
    menu_.addSeparator()->setVisible(false);
    add("サイズ初期化(&I)", "mnuSimResetSize");
    menu_.addSeparator()->setVisible(false);
    QMenu* azimuth = menu_.addMenu(QString::fromUtf8("方角(&A)"));
    azimuth->setObjectName("mnuSimAzimuth");
    azimuth->menuAction()->setVisible(false);
    for (const char* d : {"北(N)", "東(&E)", "南(&S)", "西(&W)"}) {
      azimuth->addAction(QString::fromUtf8(d))->setCheckable(true);
    }
    add("前の食(&P)", "mnuSimPrevEclipse");
    add("次の食(&N)", "mnuSimNextEclipse");
    menu_.addSeparator()->setVisible(false);
    for (int k = 0; k <= 12; ++k) {
      if (k == 3 || k == 7 || k == 10) {
        menu_.addSeparator();
      } else {
        menu_.addAction(QString::number(k))->setObjectName(QString("mnuViewSimulation%1").arg(k));
      }
    }
    QAction* separator = menu_.addSeparator();
    separator->setObjectName("mnuSimEndSeparator");
    separator->setVisible(false);
    add("終了(&Q)", "mnuSimEnd");
  }

  void SetInstant(almacor::Date instant) {
    calendar.SetDateTime(instant);
    year_ = QString::number(instant.ToCivil().year);
  }

  almacor::Calendar& HostCalendar() override { return calendar; }
  QString DisplayedField(int i) const override { return i == 0 ? year_ : QString(); }
  bool SuspendTimer() override { return false; }
  void ResumeTimer(bool) override {}
  QWidget* HostWidget() override { return nullptr; }
  QMenu* SimulationMenu() override { return &menu_; }
  void RunEclipseSearch(int k) override { searches.push_back(k); }
  void AuxWindowClosed(AuxWindow window) override {
    closed += window == AuxWindow::Simulation ? 1 : 100;
  }

  QAction* Item(const char* name) { return menu_.findChild<QAction*>(name); }
  QMenu& Menu() { return menu_; }

  almacor::Calendar calendar;
  std::vector<int> searches;
  int closed = 0;

 private:
  QMenu menu_;
  QString year_ = "1899";
};

}  // namespace quillon
