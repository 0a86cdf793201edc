// The Moon's workloads: W2 (apparent longitude and latitude at 1,000,000 instants over 1900–2100),
// W4 (all new moons 1900–2100 through the elongation solver), W6 (moonrise and moonset for every
// day of 2000–2009 at Tokyo). Times per op are the Time column: per instant, per new moon, per day.
#include <benchmark/benchmark.h>

#include "almacor/date.h"
#include "almacor/moon.h"
#include "bench_support.h"

namespace {

using almacor::CivilToDays;

// W2: one op is one instant; the instants step evenly through 1900–2100 (UT, estimated ΔT) in
// 1,000,000 steps.
void BM_W2_MoonLongitudeLatitude(benchmark::State& state) {
  const almacor::TimeScale ts;
  almacor::bench::EachInstant1900To2100(
      state, [&](double d) { benchmark::DoNotOptimize(almacor::MoonEclipticAt(d, ts)); });
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_W2_MoonLongitudeLatitude);

// The two public functions called one after the other (each with its own ΔT).
void BM_W2_MoonLongitudeThenLatitude(benchmark::State& state) {
  const almacor::TimeScale ts;
  almacor::bench::EachInstant1900To2100(state, [&](double d) {
    benchmark::DoNotOptimize(almacor::MoonLongitudeAt(d, ts));
    benchmark::DoNotOptimize(almacor::MoonLatitudeAt(d, ts));
  });
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_W2_MoonLongitudeThenLatitude);

// W4: one op is one new moon; each is solved from the previous one plus a synodic month.
void BM_W4_NewMoons(benchmark::State& state) {
  const almacor::TimeScale ts;
  const double first = CivilToDays(1900, 1, 1), last = CivilToDays(2100, 1, 1);
  const double start = almacor::PreviousNewMoon(first, ts);
  double n = start;
  for (auto _ : state) {
    n = almacor::SolveMoonElongation(0, n + almacor::kSynodicMonth, ts);
    benchmark::DoNotOptimize(n);
    if (n >= last) n = start;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_W4_NewMoons);

// W6: one op is one day of moonrise and moonset at Tokyo (the culmination is computed too: rise and
// set take their substitutes from it).
void BM_W6_TokyoMoonriseMoonset(benchmark::State& state) {
  const almacor::Settings s = almacor::bench::Tokyo();
  almacor::bench::EachDay(state, CivilToDays(2000, 1, 1), CivilToDays(2010, 1, 1), [&](double d) {
    benchmark::DoNotOptimize(almacor::CalcMoonEvents(d, s));
  });
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_W6_TokyoMoonriseMoonset);

}  // namespace
