#include <benchmark/benchmark.h>

#include "almacor/date.h"
#include "almacor/planet.h"
#include "bench_support.h"

namespace {

using almacor::PlanetNameConstant;

// W5: geocentric right ascension and declination of the eight planets at 100,000 instants spread
// evenly over 1900–2100 (UT, zone 0, estimated ΔT), what they share at an instant computed once per
// instant as a batch caller does. One iteration is one planet position, so the reported time is
// per position; the instants are visited in order, every planet at each.
void BM_W5PlanetEquatorial(benchmark::State& state) {
  const almacor::TimeScale ts;
  constexpr int kInstants = 100000;
  const double first = almacor::CivilToDays(1900, 1, 1);
  const double step = (almacor::CivilToDays(2100, 1, 1) - first) / kInstants;
  int instant = 0;
  int planet = almacor::plMercury;
  almacor::PlanetInstant at = almacor::PlanetInstantAt(first, ts);
  for (auto _ : state) {
    if (planet == almacor::plMercury) at = almacor::PlanetInstantAt(first + step * instant, ts);
    benchmark::DoNotOptimize(
        almacor::PlanetEquatorialAt(static_cast<PlanetNameConstant>(planet), at));
    if (++planet > almacor::plPluto) {
      planet = almacor::plMercury;
      if (++instant == kInstants) instant = 0;
    }
  }
}
BENCHMARK(BM_W5PlanetEquatorial);

// One planet at a time through PlanetEquatorialAt(p, d, ts), to see which series costs what.
void BM_PlanetEquatorialOne(benchmark::State& state) {
  const almacor::TimeScale ts;
  const auto planet = static_cast<PlanetNameConstant>(state.range(0));
  double d = almacor::CivilToDays(1900, 1, 1);
  for (auto _ : state) {
    benchmark::DoNotOptimize(almacor::PlanetEquatorialAt(planet, d, ts));
    d += 0.73;
  }
}
BENCHMARK(BM_PlanetEquatorialOne)->DenseRange(1, 8);

// Rise, culmination and set of one planet for one day at Tokyo.
void BM_CalcPlanetEvents(benchmark::State& state) {
  const almacor::Settings s = almacor::bench::Tokyo();
  const auto planet = static_cast<PlanetNameConstant>(state.range(0));
  double d = almacor::CivilToDays(2000, 1, 1);
  for (auto _ : state) {
    benchmark::DoNotOptimize(almacor::CalcPlanetEvents(planet, d, s));
    d += 1;
  }
}
BENCHMARK(BM_CalcPlanetEvents)->Arg(1)->Arg(4);

}  // namespace
