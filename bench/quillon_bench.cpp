// The program's two costly paths: the main window's refresh after a step of the instant, and an
// eclipse search, and a year's almanac. Targets: refresh <= 300 µs median, next solar eclipse from
// 2024-01-01 <= 20 ms, the table of 2024 with every column and its CSV <= 50 ms.
#include <benchmark/benchmark.h>

#include <sstream>

#include "almacor/calendar.h"
#include "main_table.h"
#include "qx_module.h"
#include "year_table.h"

namespace {

using almacor::Calendar;
using almacor::Date;

void SetUpTokyo(Calendar& calendar) {
  calendar.SetPause(true);
  calendar.SetObsLongitude(139.7447);
  calendar.SetObsLatitude(35.6544);
  calendar.SetObsHeight(0);
  calendar.SetTimeZone(9);
  calendar.SetDtEstimated(true);
  calendar.SetPause(false);
}

// One refresh as after a click on the minute spin control: the instant moves one minute (the
// library recalculates) and every text of the window is rebuilt, eight planet selections included.
void BM_MainWindowRefreshAfterOneMinuteStep(benchmark::State& state) {
  Calendar calendar;
  SetUpTokyo(calendar);
  double t = Date::FromCivil(2024, 3, 20, 12, 0, 0).Days();
  calendar.SetDateTime(Date::FromDays(t));
  for (auto _ : state) {
    t += 1.0 / 1440.0;
    calendar.SetDateTime(Date::FromDays(t));
    const quillon::MainTableTexts texts = quillon::BuildMainTable(
        calendar, calendar.DateTime().ToCivil().day, almacor::LocalApparent);
    benchmark::DoNotOptimize(texts.cells[10][12].data());
  }
  state.SetLabel("target <= 300 us median");
}
BENCHMARK(BM_MainWindowRefreshAfterOneMinuteStep)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_NextSolarEclipseFrom2024(benchmark::State& state) {
  Calendar calendar;
  SetUpTokyo(calendar);
  const Date start = Date::FromCivil(2024, 1, 1);
  for (auto _ : state) {
    calendar.SetDateTime(start);
    const auto found = quillon::RunSearch(calendar, {quillon::SearchKind::SolarEclipse, false});
    benchmark::DoNotOptimize(found);
  }
  state.SetLabel("target <= 20 ms median");
}
BENCHMARK(BM_NextSolarEclipseFrom2024)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

namespace {

// The whole table of a leap year at Tokyo, every column, written as CSV.
void BM_YearTable2024Csv(benchmark::State& state) {
  almacor::Settings tokyo;
  tokyo.observer = {139.7447, 35.6544, 0};
  tokyo.time.timeZone = 9;
  for (auto _ : state) {
    std::ostringstream out;
    quillon::WriteYear(2024, quillon::YearFormat::Csv, tokyo, out);
    benchmark::DoNotOptimize(out.str().size());
  }
}
BENCHMARK(BM_YearTable2024Csv)->Unit(benchmark::kMillisecond);

}  // namespace
