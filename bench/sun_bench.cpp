#include <benchmark/benchmark.h>

#include "almacor/calendar.h"
#include "almacor/date.h"
#include "almacor/sun.h"
#include "bench_support.h"

namespace {

using almacor::CivilToDays;
using almacor::bench::Tokyo;

// W1: apparent right ascension and declination at instants spread evenly over 1900–2100 (UT).
void BM_SunAscensionDeclination(benchmark::State& state) {
  const almacor::TimeScale ts;  // zone 0, estimated ΔT
  almacor::bench::EachInstant1900To2100(state, [&](double d) {
    const almacor::SunEquatorial place = almacor::SunEquatorialAt(d, ts);
    benchmark::DoNotOptimize(place.ascension);
    benchmark::DoNotOptimize(place.declination);
  });
}
BENCHMARK(BM_SunAscensionDeclination);

// W3: sunrise and sunset for every day of 1900–2099 at Tokyo.
void BM_SunRiseSet(benchmark::State& state) {
  const almacor::Settings s = Tokyo();
  almacor::bench::EachDay(state, CivilToDays(1900, 1, 1), CivilToDays(2100, 1, 1), [&](double d) {
    benchmark::DoNotOptimize(almacor::CalcSunRiseSet(d, s));
  });
}
BENCHMARK(BM_SunRiseSet);

// All eleven events of a day at Tokyo.
void BM_SunEvents(benchmark::State& state) {
  const almacor::Settings s = Tokyo();
  almacor::bench::EachDay(state, CivilToDays(1900, 1, 1), CivilToDays(2100, 1, 1), [&](double d) {
    benchmark::DoNotOptimize(almacor::CalcSunEvents(d, s));
  });
}
BENCHMARK(BM_SunEvents);

// UpdateSun through Calendar::SetDateTime, by whole days (every step recomputes the Sun's events)
// and by minutes (the day's events are kept). The timings cover the whole recalculation, the Moon
// and the calendars included.
void CalendarSteps(benchmark::State& state, double stepDays) {
  almacor::bench::TokyoCalendarSteps(state, stepDays,
                                     [](const almacor::Calendar& c) { return c.Sun().RiseTime(); });
}
void BM_CalendarSunDaySteps(benchmark::State& state) { CalendarSteps(state, 1); }
void BM_CalendarSunMinuteSteps(benchmark::State& state) { CalendarSteps(state, 1.0 / 1440); }
BENCHMARK(BM_CalendarSunDaySteps);
BENCHMARK(BM_CalendarSunMinuteSteps);

// Every position getter of the object once: what a display of the Sun's row reads.
void BM_SunObjectGetters(benchmark::State& state) {
  almacor::Calendar calendar;
  calendar.SetDateTime(almacor::Date::FromCivil(2024, 6, 1, 12));
  const almacor::SunObject& sun = calendar.Sun();
  for (auto _ : state) {
    benchmark::DoNotOptimize(sun.Ascension() + sun.Declination() + sun.Azimuth() + sun.Altitude() +
                             sun.Distance() + sun.Radius());
  }
}
BENCHMARK(BM_SunObjectGetters);

}  // namespace
