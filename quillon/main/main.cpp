// The Quillon program. Started without arguments, or with only the toolkit's window options
// (-platform, -style, …), it opens the main window; with --json, --text, --find, --year or any
// other option it answers on the command line as documented in --help, without creating a GUI
// application object, so that no display is needed.
#include <QApplication>
#include <QGuiApplication>
#include <algorithm>
#include <csignal>
#include <cstdio>
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

bool HasDisplay(const std::vector<std::string>& args) {
  const auto choosesPlatform = [](const std::string& arg) {
    return arg == "-platform" || arg.rfind("-platform=", 0) == 0;
  };
  if (std::any_of(args.begin(), args.end(), choosesPlatform)) return true;
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* value = std::getenv(name);
    if (value && *value) return true;
  }
  return false;
}

int RunWindow(int argc, char** argv, const std::vector<std::string>& args) {
  if (!HasDisplay(args)) {
    std::cerr << "quillon: no display to open the window on; "
              << quillon::OutputOptionList(" and ") << " run without one (see --help)\n";
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
  if (quillon::OpensWindow(args)) return RunWindow(argc, argv, args);
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
  // A reader that stops early (| head) ends the program quietly, whatever the parent ignored.
  std::signal(SIGPIPE, SIG_DFL);
  int status = quillon::QuillonMain(args, std::cout, std::cerr, writePdf);
  // Data still in the buffers of the C library, or an error the file system reports on close.
  if (std::fclose(stdout) != 0 && status == 0) {
    std::cerr << "quillon: cannot write to standard output\n";
    status = 2;
  }
  return status;
}
