// One Draw of the simulation window per view, offscreen, at the initial 432 × 432 drawing area
// and at 1920 × 1080: reading the Calendar, building the view's shapes and painting them.
// Targets: median <= 4 ms at 432 × 432 and <= 16 ms at 1920 × 1080.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QStandardPaths>

#include "fake_host.h"
#include "simulation_form.h"
#include "simulation_geometry.h"

namespace {

quillon::SimulationForm* form = nullptr;

void BM_SimulationDraw(benchmark::State& state) {
  const int view = static_cast<int>(state.range(0));
  form->resize(static_cast<int>(state.range(1)), static_cast<int>(state.range(2)));
  QApplication::processEvents();
  form->SetDrawIndex(view);
  for (auto _ : state) form->Draw();
  benchmark::DoNotOptimize(form->Picture().constBits());
}

void AllViews(benchmark::internal::Benchmark* b) {
  for (int view : {0, 1, 2, 4, 5, 6, 8, 9, 11, 12}) {
    b->Args({view, 432, 432});
    b->Args({view, 1920, 1080});
  }
  b->ArgNames({"view", "width", "height"})->Unit(benchmark::kMillisecond);
}
BENCHMARK(BM_SimulationDraw)->Apply(AllViews);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QStandardPaths::setTestModeEnabled(true);
  QApplication app(argc, argv);
  quillon::testing::FakeHost fake({2024, 6, 1, 3, 30, 0});
  form = new quillon::SimulationForm(fake);
  form->show();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  form->close();
  return 0;
}
