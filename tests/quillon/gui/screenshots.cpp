// Renders the main window at a few instants into PNG files, for looking at the layout:
//   quillon_screenshots OUTPUT_DIR
// Run it under a real X server (scripts/screenshots.sh uses Xvfb) so that the fonts and the style
// are the desktop's. The settings store of the run is the caller's XDG_CONFIG_HOME.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QPixmap>

#include "almacor/date.h"
#include "almacor/dialogs/location_form.h"
#include "application.h"
#include "help_window.h"
#include "planet_form.h"

namespace {

void Save(QWidget& widget, const QString& path) {
  QApplication::processEvents();
  widget.grab().save(path);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  quillon::SetUpApplication(app);
  const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
  QDir().mkpath(out);
  // 2024-06-21 03:00 UTC: noon in Tokyo.
  quillon::PlanetForm form([] { return qint64{1718938800} * 1000; });
  form.show();
  if (form.Mode().RealTime()) form.MenuItem(QStringLiteral("mnuSettingRealTime"))->trigger();
  using almacor::Date;
  form.SetDisplayedDateTime(Date::FromCivil(2024, 6, 21, 12, 0, 0));
  Save(form, out + "/main_day.png");
  form.SetDisplayedDateTime(Date::FromCivil(2024, 6, 21, 19, 25, 0));
  Save(form, out + "/main_twilight.png");
  form.SetDisplayedDateTime(Date::FromCivil(2024, 6, 21, 23, 30, 0));
  Save(form, out + "/main_night.png");
  form.MenuItem(QStringLiteral("mnuSettingSweepTime3"))->trigger();
  form.OnTimer();
  Save(form, out + "/main_sweep.png");
  form.MenuItem(QStringLiteral("mnuSettingSweepTime7"))->trigger();
  for (int k = 1; k <= 9; ++k) {
    QAction* column = form.MenuItem(QStringLiteral("mnuViewColumn%1").arg(k));
    if (!column->isChecked()) column->trigger();
  }
  form.resize(1100, form.height());
  Save(form, out + "/main_all_columns.png");
  // The menus, each opened where the menu bar would open it.
  for (const char* name : {"mnuViewSyzygy", "mnuSettingSweep", "mnuSimulation"}) {
    auto* menu = form.findChild<QMenu*>(QString::fromUtf8(name));
    auto* parent = qobject_cast<QMenu*>(menu->menuAction()->associatedObjects().value(0));
    if (parent) {
      parent->popup(form.mapToGlobal(QPoint(60, 20)));
      Save(*parent, out + "/menu_" + QString::fromUtf8(name) + "_parent.png");
      parent->hide();
    }
  }
  {
    almacor::dialogs::LocationForm location(&form);
    location.show();
    Save(location, out + "/location_dialog.png");
    almacor::dialogs::DmsInputForm dms(2, -35.5, &location);
    dms.show();
    Save(dms, out + "/dms_dialog.png");
  }
  quillon::ShowHelp(1);
  Save(*quillon::HelpWindow(), out + "/help_window.png");
  quillon::CloseHelpWindows();
  QFileDialog* dialog = form.CreateExportDialog();
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  dialog->setDirectory(QDir::tempPath());
  dialog->show();
  Save(*dialog, out + "/export_dialog.png");
  dialog->close();
  return 0;
}
