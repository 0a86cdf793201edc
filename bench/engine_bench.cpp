#include <benchmark/benchmark.h>

#include "almacor/calendar.h"

namespace {

// The engine part of a recalculation: one-minute steps through a day.
void BM_CalculateMinuteSteps(benchmark::State& state) {
  almacor::Calendar calendar;
  calendar.SetPause(true);
  calendar.SetTimeZone(9);
  calendar.SetObsLongitude(139.7447);
  calendar.SetObsLatitude(35.6544);
  calendar.SetPause(false);
  double d = almacor::Date::FromCivil(2024, 6, 1).Days();
  for (auto _ : state) {
    d += 1.0 / 1440;
    calendar.SetDateTime(almacor::Date::FromDays(d));
    benchmark::DoNotOptimize(calendar.JulianDay());
  }
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
