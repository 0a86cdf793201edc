#include <benchmark/benchmark.h>

#include "almacor/calendar.h"
#include "almacor/format.h"
#include "almacor/math_object.h"

namespace {

// One table cell of azimuth or altitude.
void BM_FormatNumberAngle(benchmark::State& state) {
  double v = -90;
  for (auto _ : state) {
    benchmark::DoNotOptimize(almacor::FormatNumber(v, "##0.0ﾟ"));
    v += 0.0137;
    if (v > 360) v = -90;
  }
}
BENCHMARK(BM_FormatNumberAngle);

// The Moon's distance with thousands grouping.
void BM_FormatNumberGrouped(benchmark::State& state) {
  double v = 356000;
  for (auto _ : state) {
    benchmark::DoNotOptimize(almacor::FormatNumber(v, "###,###km"));
    v += 1.7;
    if (v > 407000) v = 356000;
  }
}
BENCHMARK(BM_FormatNumberGrouped);

void BM_FormatDMS(benchmark::State& state) {
  almacor::Calendar calendar;
  const almacor::MathObject& math = calendar.Math();
  double v = -90;
  for (auto _ : state) {
    benchmark::DoNotOptimize(math.FormatDMS(v));
    v += 0.0137;
    if (v > 360) v = -90;
  }
}
BENCHMARK(BM_FormatDMS);

void BM_FormatHourAngle(benchmark::State& state) {
  almacor::Calendar calendar;
  const almacor::MathObject& math = calendar.Math();
  const std::string h = "00\\:", m = "00\\:", s = "00.000";
  double v = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(math.FormatHourAngle(v, h, m, s));
    v += 0.0137;
  }
}
BENCHMARK(BM_FormatHourAngle);

void BM_FormatDateTime(benchmark::State& state) {
  double d = almacor::Date::FromCivil(2024, 6, 1).Days();
  for (auto _ : state) {
    benchmark::DoNotOptimize(almacor::FormatDateTime(almacor::Date::FromDays(d), "/m/d hh:nn:ss"));
    d += 1.0 / 1440;
  }
}
BENCHMARK(BM_FormatDateTime);

}  // namespace
