#include <benchmark/benchmark.h>

#include "almacor/date.h"
#include "almacor/rekichu.h"

namespace {

constexpr almacor::TimeScale kJapan{9, true, 0};

// The notes of every day of one month, a different month each iteration (2001 … 2100): what the
// month calendar asks for when it turns a page.
void BM_RekichuOfMonth(benchmark::State& state) {
  int month = 0;
  for (auto _ : state) {
    const int year = 2001 + month / 12, m = month % 12 + 1;
    const auto first = static_cast<std::int32_t>(almacor::CivilToDays(year, m, 1));
    const auto last =
        static_cast<std::int32_t>(almacor::CivilToDays(m == 12 ? year + 1 : year, m % 12 + 1, 1)) -
        1;
    benchmark::DoNotOptimize(almacor::RekichuBetween(first, last, kJapan));
    month = (month + 1) % 1200;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RekichuOfMonth)->Unit(benchmark::kMicrosecond);

// One day alone: the lunisolar year solved from nothing.
void BM_RekichuOfDay(benchmark::State& state) {
  std::int32_t day = 36526;
  for (auto _ : state) {
    benchmark::DoNotOptimize(almacor::RekichuOf(day, kJapan));
    day = day < 73000 ? day + 37 : 36526;
  }
}
BENCHMARK(BM_RekichuOfDay)->Unit(benchmark::kMicrosecond);

}  // namespace
