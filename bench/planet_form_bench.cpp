// The main window's two paths that sweep mode and stepping repeat: one full Display (every box,
// every cell, the sky colour and the Moon picture) and a click on a spin arrow through to the
// finished Display. Targets: Display <= 1 ms median, a step <= 1.5 ms. Runs offscreen.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolButton>

#include "almacor/date.h"
#include "planet_form.h"

namespace {

// 2024-06-21 03:00 UTC.
qint64 FixedNow() { return qint64{1718938800} * 1000; }

std::unique_ptr<quillon::PlanetForm> ManualForm() {
  auto form = std::make_unique<quillon::PlanetForm>(FixedNow);
  form->show();
  if (form->Mode().RealTime()) form->MenuItem(QStringLiteral("mnuSettingRealTime"))->trigger();
  form->SetDisplayedDateTime(almacor::Date::FromCivil(2024, 6, 21, 12, 0, 0));
  QApplication::processEvents();
  return form;
}

void BM_Display(benchmark::State& state) {
  auto form = ManualForm();
  for (auto _ : state) {
    form->Display();
    QApplication::processEvents();  // the repaint the new texts cause
  }
}
BENCHMARK(BM_Display)->Unit(benchmark::kMicrosecond);

void BM_MinuteSpinClick(benchmark::State& state) {
  auto form = ManualForm();
  QToolButton* up = form->SpinUp(4);
  for (auto _ : state) {
    up->click();
    QApplication::processEvents();
  }
}
BENCHMARK(BM_MinuteSpinClick)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  QTemporaryDir config;
  qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QStandardPaths::setTestModeEnabled(true);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
