#include <benchmark/benchmark.h>

#include "almacor/calendar.h"
#include "bench_support.h"

namespace {

// The engine part of a recalculation: one-minute steps through a day.
void BM_CalculateMinuteSteps(benchmark::State& state) {
  almacor::bench::TokyoCalendarSteps(state, 1.0 / 1440,
                                     [](const almacor::Calendar& c) { return c.JulianDay(); });
}
BENCHMARK(BM_CalculateMinuteSteps);

void BM_EstimateDeltaT(benchmark::State& state) {
  const almacor::TimeScale ts;
  double u = -600000;
  for (auto _ : state) {
    benchmark::DoNotOptimize(almacor::EstimateDeltaT(u, ts));
    u += 37.1;
    if (u > 80000) u = -600000;
  }
}
BENCHMARK(BM_EstimateDeltaT);

}  // namespace
