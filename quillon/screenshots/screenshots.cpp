// Renders every window of the program into PNG files, for looking at the layout:
//   quillon_screenshots OUTPUT_DIR
// The main window at a few instants, its menus, the observer dialogs, the help and export windows;
// each simulation view at 432 × 432 and 1920 × 1080 (the sky views and diagrams for Tokyo before
// dawn, the eclipse views at the eclipses of 2024-04-08 from Dallas near its maximum and 2025-09-07
// from Tokyo in the early hours of the 8th, the stick and the sundial on a Tokyo morning); the tool
// windows; the month calendar. Run it under a real X server (scripts/screenshots.sh uses Xvfb) so
// that the fonts and the style are the desktop's. The settings store of the run is the caller's
// XDG_CONFIG_HOME.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QPushButton>
#include <QThread>

#include "about_form.h"
#include "almacor/calendar.h"
#include "almacor/dialogs/location_form.h"
#include "apparent_form.h"
#include "application.h"
#include "convert_form.h"
#include "help_window.h"
#include "koyomi_form.h"
#include "phenomena_form.h"
#include "planet_form.h"
#include "simulation_form.h"
#include "simulation_geometry.h"
#include "tool_window.h"

namespace {

using almacor::Date;
using quillon::PlanetForm;

QDir out;

void Save(QWidget& widget, const QString& name) {
  widget.show();
  for (int i = 0; i < 20; ++i) {
    QApplication::processEvents();
    QThread::msleep(10);
  }
  widget.grab().save(out.filePath(name));
  qInfo("%s", qPrintable(name));
}

void Observe(PlanetForm& form, double longitude, double latitude, float zone, Date instant) {
  almacor::Calendar& c = form.HostCalendar();
  c.SetPause(true);
  c.SetObsLongitude(longitude);
  c.SetObsLatitude(latitude);
  c.SetTimeZone(zone);
  c.SetPause(false);
  form.SetDisplayedDateTime(instant);
}

void MainWindow(PlanetForm& form) {
  form.SetDisplayedDateTime(Date::FromCivil(2024, 6, 21, 12, 0, 0));
  Save(form, "main_day.png");
  form.SetDisplayedDateTime(Date::FromCivil(2024, 6, 21, 19, 25, 0));
  Save(form, "main_twilight.png");
  form.SetDisplayedDateTime(Date::FromCivil(2024, 6, 21, 23, 30, 0));
  Save(form, "main_night.png");
  form.MenuItem(QStringLiteral("mnuSettingSweepTime3"))->trigger();
  form.OnTimer();
  Save(form, "main_sweep.png");
  form.MenuItem(QStringLiteral("mnuSettingSweepTime7"))->trigger();
  for (int k = 1; k <= 9; ++k) {
    QAction* column = form.MenuItem(QStringLiteral("mnuViewColumn%1").arg(k));
    if (!column->isChecked()) column->trigger();
  }
  form.resize(1100, form.height());
  Save(form, "main_all_columns.png");
  // The menus, each opened where the menu bar would open it.
  for (const char* name : {"mnuViewSyzygy", "mnuSettingSweep", "mnuSimulation"}) {
    auto* menu = form.findChild<QMenu*>(QString::fromUtf8(name));
    auto* parent = qobject_cast<QMenu*>(menu->menuAction()->associatedObjects().value(0));
    if (parent) {
      parent->popup(form.mapToGlobal(QPoint(60, 20)));
      Save(*parent, QStringLiteral("menu_%1_parent.png").arg(name));
      parent->hide();
    }
  }
  {
    almacor::dialogs::LocationForm location(&form);
    Save(location, "location_dialog.png");
    almacor::dialogs::DmsInputForm dms(2, -35.5, &location);
    Save(dms, "dms_dialog.png");
  }
  for (int context : {0, 1, 16, 21}) {
    quillon::ShowHelp(context);
    Save(*quillon::HelpWindow(), QStringLiteral("help_topic%1.png").arg(context));
  }
  quillon::CloseHelpWindows();
  QFileDialog* dialog = form.CreateExportDialog();
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  dialog->setDirectory(QDir::tempPath());
  Save(*dialog, "export_dialog.png");
  dialog->close();
}

void SimulationViews(PlanetForm& form) {
  form.MenuItem(QStringLiteral("mnuViewSimulation0"))->trigger();
  quillon::SimulationForm* simulation = form.Simulation();
  for (QSize size : {QSize(432, 432), QSize(1920, 1080)}) {
    simulation->resize(size);
    QApplication::processEvents();
    for (int k = 0; k <= 12; ++k) {
      if (!quillon::IsSimulationView(k)) continue;
      if (k == quillon::kSolarEclipse) {
        Observe(form, -96.80, 32.78, -6, Date::FromCivil(2024, 4, 8, 12, 41, 0));
      } else if (k == quillon::kLunarEclipse) {
        Observe(form, 139.7447, 35.6544, 9, Date::FromCivil(2025, 9, 8, 3, 12, 0));
      } else {
        const int hour = k >= quillon::kStickShadow ? 9 : 3;
        Observe(form, 139.7447, 35.6544, 9, Date::FromCivil(2024, 6, 1, hour, 30, 0));
      }
      simulation->SetDrawIndex(k);
      const QString name = QStringLiteral("view%1_%2x%3.png")
                               .arg(k, 2, 10, QChar('0'))
                               .arg(size.width())
                               .arg(size.height());
      simulation->Picture().save(out.filePath(name));
      qInfo("%s  %s", qPrintable(name), qPrintable(simulation->windowTitle()));
    }
  }
  simulation->close();
}

void ToolWindows(PlanetForm& form) {
  Observe(form, 139.7447, 35.6544, 9, Date::FromCivil(2024, 3, 20, 18, 30, 0));
  auto* apparent = new quillon::ApparentForm(form);
  const auto combos = apparent->findChildren<QComboBox*>();
  combos[0]->setCurrentIndex(1);
  combos[1]->setCurrentIndex(4);
  Save(*apparent, "apparent.png");
  apparent->close();

  auto* convert = new quillon::ConvertForm(form);
  convert->findChildren<QLineEdit*>()[0]->setText("-123.456789");
  for (QPushButton* b : convert->findChildren<QPushButton*>()) {
    if (b->text() == "換算") {
      b->click();
      break;
    }
  }
  Save(*convert, "convert.png");

  // The phenomena of 2024 in Tokyo, the list at the main window's instant (2024-09-18 noon).
  Observe(form, 139.7447, 35.6544, 9, Date::FromCivil(2024, 9, 18, 12, 0, 0));
  auto* phenomena = form.ShowWindow<quillon::PhenomenaForm>();
  phenomena->resize(780, 560);
  Save(*phenomena, "phenomena.png");
  convert->close();

  quillon::AboutForm about(form);
  Save(about, "about.png");
  quillon::ProgramIcon().pixmap(64, 64).save(out.filePath("icon64.png"));
}

// The month calendar beside the main window: a month with a leap month (2023-03, 閏2月 from the
// 22nd), one with a 天赦日 (2024-03-15), and 2033-12 (閏11月 from the 22nd), the last also at a
// smallest size.
void KoyomiWindow(PlanetForm& form) {
  Observe(form, 139.7447, 35.6544, 9, Date::FromCivil(2023, 3, 22, 12, 0, 0));
  form.MenuItem(QStringLiteral("mnuViewKoyomi"))->trigger();
  quillon::KoyomiForm* koyomi = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (auto* k = qobject_cast<quillon::KoyomiForm*>(w)) koyomi = k;
  }
  koyomi->resize(1100, 800);
  Save(*koyomi, "koyomi_leap_month.png");
  form.SetDisplayedDateTime(Date::FromCivil(2024, 3, 15, 12, 0, 0));
  Save(*koyomi, "koyomi_tenshanichi.png");
  form.SetDisplayedDateTime(Date::FromCivil(2033, 12, 22, 12, 0, 0));
  Save(*koyomi, "koyomi_2033.png");
  koyomi->resize(koyomi->minimumSizeHint());
  Save(*koyomi, "koyomi_2033_small.png");
  koyomi->close();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  quillon::SetUpApplication(app);
  out.setPath(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
  out.mkpath(QStringLiteral("."));
  // 2024-06-21 03:00 UTC: noon in Tokyo.
  PlanetForm form([] { return qint64{1718938800} * 1000; });
  form.show();
  if (form.Mode().RealTime()) form.MenuItem(QStringLiteral("mnuSettingRealTime"))->trigger();
  MainWindow(form);
  SimulationViews(form);
  ToolWindows(form);
  KoyomiWindow(form);
  return 0;
}
