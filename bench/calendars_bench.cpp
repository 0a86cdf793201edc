#include <benchmark/benchmark.h>

#include "almacor/calendars.h"

namespace {

// One conversion per iteration over consecutive days from 1900 on, wrapping before 9999-12-31.
template <typename Convert>
void ConvertDays(benchmark::State& state, Convert convert) {
  double d = 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(convert(d));
    d += 1;
    if (d > 2958000) d = 1;
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_JulianCalendar(benchmark::State& state) { ConvertDays(state, almacor::CalcJulianCalendar); }
BENCHMARK(BM_JulianCalendar);

void BM_IslamicCalendar(benchmark::State& state) {
  ConvertDays(state, almacor::CalcIslamicCalendar);
}
BENCHMARK(BM_IslamicCalendar);

void BM_HebrewCalendar(benchmark::State& state) { ConvertDays(state, almacor::CalcHebrewCalendar); }
BENCHMARK(BM_HebrewCalendar);

void BM_MayaCalendar(benchmark::State& state) { ConvertDays(state, almacor::CalcMayaCalendar); }
BENCHMARK(BM_MayaCalendar);

}  // namespace
