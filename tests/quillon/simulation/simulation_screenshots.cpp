// Writes a picture of every simulation view into a folder, for looking at:
//   simulation_screenshots <folder>
// Sky views and diagrams for Tokyo before dawn, the eclipse views at the eclipses of
// 2024-04-08 (Dallas, near its maximum) and 2025-09-07 (Tokyo, the early hours of the 8th), the
// stick and the sundial on a Tokyo morning.
#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <cstdio>

#include "fake_host.h"
#include "simulation_form.h"
#include "simulation_geometry.h"

using quillon::FakeHost;
using quillon::SimulationForm;

namespace {

void Observe(FakeHost& host, double longitude, double latitude, float zone, int y, int mo, int d,
             int h, int mi) {
  almacor::Calendar& c = host.calendar;
  c.SetPause(true);
  c.SetObsLongitude(longitude);
  c.SetObsLatitude(latitude);
  c.SetTimeZone(zone);
  c.SetDtEstimated(true);
  c.SetPause(false);
  host.SetInstant(almacor::Date::FromCivil(y, mo, d, h, mi, 0));
}

}  // namespace

int main(int argc, char** argv) {
  QStandardPaths::setTestModeEnabled(true);
  QApplication app(argc, argv);
  const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
  FakeHost host;
  auto* form = new SimulationForm(host);
  form->show();
  for (QSize size : {QSize(432, 432), QSize(1920, 1080)}) {
    form->resize(size);
    QApplication::processEvents();
    for (int k = 0; k <= 12; ++k) {
      if (!quillon::IsSimulationView(k)) continue;
      if (k == quillon::kSolarEclipse) {
        Observe(host, -96.80, 32.78, -6, 2024, 4, 8, 12, 41);
      } else if (k == quillon::kLunarEclipse) {
        Observe(host, 139.7447, 35.6544, 9, 2025, 9, 8, 3, 12);
      } else if (k >= quillon::kStickShadow) {
        Observe(host, 139.7447, 35.6544, 9, 2024, 6, 1, 9, 30);
      } else {
        Observe(host, 139.7447, 35.6544, 9, 2024, 6, 1, 3, 30);
      }
      form->SetDrawIndex(k);
      const QString name = QString("view%1_%2x%3.png")
                               .arg(k, 2, 10, QChar('0'))
                               .arg(size.width())
                               .arg(size.height());
      form->Picture().save(folder.filePath(name));
      std::printf("%s  %s\n", qPrintable(name), qPrintable(form->windowTitle()));
    }
  }
  form->close();
  return 0;
}
