#include <benchmark/benchmark.h>

#include "almacor/calendar.h"
#include "almacor/calendars.h"
#include "almacor/sun.h"

namespace {

using almacor::Calendar;
using almacor::Date;

void SetUpTokyo(Calendar& calendar, double d) {
  calendar.SetPause(true);
  calendar.SetTimeZone(9);
  calendar.SetObsLongitude(139.7447);
  calendar.SetObsLatitude(35.6544);
  calendar.SetDateTime(Date::FromDays(d));
  calendar.SetPause(false);
  calendar.Calculate();
}

// What real-time and sweep modes run: a full recalculation after a one-minute step within the same
// lunisolar year.
void BM_CalculateAfterMinuteStep(benchmark::State& state) {
  Calendar calendar;
  const double start = Date::FromCivil(2024, 3, 1).Days();
  double d = start;
  SetUpTokyo(calendar, d);
  for (auto _ : state) {
    d += 1.0 / 1440;
    if (d > start + 200) d = start;  // stay inside the lunisolar year
    calendar.SetDateTime(Date::FromDays(d));
    benchmark::DoNotOptimize(calendar.QDay());
  }
}
BENCHMARK(BM_CalculateAfterMinuteStep)->Repetitions(5)->ReportAggregatesOnly(true);

// A recalculation in another lunisolar year: everything is solved afresh.
void BM_CalculateInAnotherYear(benchmark::State& state) {
  Calendar calendar;
  double d = Date::FromCivil(1900, 6, 1, 12).Days();
  SetUpTokyo(calendar, d);
  for (auto _ : state) {
    d += 365.2422 * 1.37;
    if (d > Date::FromCivil(2400, 1, 1).Days()) d = Date::FromCivil(1900, 6, 1, 12).Days();
    calendar.SetDateTime(Date::FromDays(d));
    benchmark::DoNotOptimize(calendar.QDay());
  }
  state.SetLabel("one Calculate");
}
BENCHMARK(BM_CalculateInAnotherYear)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// A year of daily calendars: 365 recalculations a day apart.
void BM_CalculateYearOfDays(benchmark::State& state) {
  Calendar calendar;
  const double start = Date::FromCivil(2024, 1, 1, 12).Days();
  SetUpTokyo(calendar, start - 400);
  for (auto _ : state) {
    for (int i = 0; i < 365; ++i) {
      calendar.SetDateTime(Date::FromDays(start + i));
      benchmark::DoNotOptimize(calendar.QDay());
    }
    state.PauseTiming();
    calendar.SetDateTime(Date::FromDays(start - 400));  // leave the year, so each pass starts cold
    state.ResumeTiming();
  }
  state.SetLabel("365 Calculates");
}
BENCHMARK(BM_CalculateYearOfDays)->Unit(benchmark::kMillisecond);

// The pure computations without any reuse.
void BM_CalcLunisolarUncached(benchmark::State& state) {
  const almacor::TimeScale ts{9, true, 0};
  double d = Date::FromCivil(2024, 3, 1).Days();
  for (auto _ : state) {
    d += 0.37;
    benchmark::DoNotOptimize(almacor::CalcLunisolar(d, ts));
  }
}
BENCHMARK(BM_CalcLunisolarUncached)->Unit(benchmark::kMicrosecond);

void BM_CalcSolarTermsUncached(benchmark::State& state) {
  const almacor::TimeScale ts{9, true, 0};
  double d = Date::FromCivil(2024, 3, 1).Days();
  for (auto _ : state) {
    d += 0.37;
    benchmark::DoNotOptimize(
        almacor::CalcSolarTerms(d, almacor::SunLongitudeAt(d, ts), ts, almacor::SolarTermDate{}));
  }
}
BENCHMARK(BM_CalcSolarTermsUncached)->Unit(benchmark::kMicrosecond);

void BM_DayStar(benchmark::State& state) {
  Calendar calendar;
  double d = Date::FromCivil(2024, 3, 1).Days();
  SetUpTokyo(calendar, d);
  for (auto _ : state) {
    benchmark::DoNotOptimize(calendar.Kyusei(almacor::YmdDay));
  }
}
BENCHMARK(BM_DayStar)->Unit(benchmark::kMicrosecond);

}  // namespace
