#pragma once

// What the benchmarks share: the Tokyo observer and the loops that walk instants and days.

#include <benchmark/benchmark.h>

#include "almacor/calendar.h"
#include "almacor/date.h"
#include "almacor/settings.h"

namespace almacor::bench {

/// Tokyo: 139.7447° E, 35.6544° N, 0 m, UTC+9, estimated ΔT.
inline Settings Tokyo() {
  Settings s;
  s.observer = {139.7447, 35.6544, 0};
  s.time.timeZone = 9;
  return s;
}

/// One op is `op(d)` at one instant d; the instants step evenly through 1900–2100 in 1,000,000
/// steps and start over.
template <class Op>
void EachInstant1900To2100(benchmark::State& state, Op op) {
  const double first = CivilToDays(1900, 1, 1), last = CivilToDays(2100, 1, 1);
  const double step = (last - first) / 1000000;
  double d = first;
  for (auto _ : state) {
    op(d);
    d += step;
    if (d >= last) d = first;
  }
}

/// One op is `op(d)` for one day d, the days from `first` up to `last` in turn, starting over.
template <class Op>
void EachDay(benchmark::State& state, double first, double last, Op op) {
  double d = first;
  for (auto _ : state) {
    op(d);
    if (++d >= last) d = first;
  }
}

/// One op is one Calendar::SetDateTime of a calendar at Tokyo, stepping by `stepDays` from
/// 2024-06-01, followed by `read(calendar)`. The library-wide settings, which the calendar's
/// setters change, are restored afterwards.
template <class Read>
void TokyoCalendarSteps(benchmark::State& state, double stepDays, Read read) {
  const Settings saved = LibrarySettings();
  Calendar calendar;
  calendar.SetPause(true);
  calendar.SetTimeZone(9);
  calendar.SetObsLongitude(139.7447);
  calendar.SetObsLatitude(35.6544);
  calendar.SetPause(false);
  double d = CivilToDays(2024, 6, 1);
  for (auto _ : state) {
    d += stepDays;
    calendar.SetDateTime(Date::FromDays(d));
    benchmark::DoNotOptimize(read(calendar));
  }
  LibrarySettings() = saved;
}

}  // namespace almacor::bench
