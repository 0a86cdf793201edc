// The Quillon program. Started without arguments it opens the main window; with --json, --text,
// --find or any other option it answers on the command line as documented in --help, without
// creating a GUI application object, so that no display is needed.
#include <QApplication>
#include <QGuiApplication>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "application.h"
#include "cli.h"
#include "month_page_painter.h"
#include "planet_form.h"
#include "single_instance.h"

namespace {

bool HasDisplay() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* value = std::getenv(name);
    if (value && *value) return true;
  }
  return false;
}

int RunWindow(int argc, char** argv) {
  if (!HasDisplay()) {
    std::cerr << "quillon: no display to open the window on; --text, --json and --find run "
                 "without one (see --help)\n";
    return 1;
  }
  QApplication app(argc, argv);
  // A second start brings the first to the front and ends, touching no settings.
  quillon::SingleInstance instance;
  if (!instance.TryBecomePrimary()) return 0;
  quillon::SetUpApplication(app);
  quillon::PlanetForm form;
  QObject::connect(&instance, &quillon::SingleInstance::raiseRequested, &form,
                   [&form] { quillon::RaiseWindow(&form); });
  quillon::RaiseWindow(nullptr);  // starts following which window was active
  form.show();
  return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) return RunWindow(argc, argv);
  // The month calendar is painted on the offscreen platform, so a PDF needs no display either.
  const quillon::YearPdfWriter writePdf = [argv](int year, const almacor::Settings& settings,
                                                 std::ostream& out) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int guiArgc = 1;
    QGuiApplication gui(guiArgc, argv);
    if (!quillon::WriteYearPdf(year, settings.time, out)) {
      throw quillon::UsageError("--output: the calendar pages could not be drawn");
    }
  };
  return quillon::QuillonMain(args, std::cout, std::cerr, writePdf);
}
