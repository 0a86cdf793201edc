#include "almacor/calendars.h"
#include "almacor/date.h"
#include "basic_arithmetic.h"
#include "whole_day.h"

namespace almacor {
namespace {

int JulianMonthLength(int year, int month) {
  constexpr int kLength[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && Mod(year, 4) == 0 ? 29 : kLength[month - 1];
}

}  // namespace

JulianCalendarDate CalcJulianCalendar(double d) {
  const CivilDate civil = DaysToCivilDate(WholeDay(d));
  int year = civil.year;
  int month = civil.month;
  // The calendars drift apart by one day on each Gregorian common century year, from March on.
  const int shiftYear = month < 3 ? year - 1 : year;  // 99 … 9999
  // Dg minus the difference Y'\100 − Y'\400 − 2, which runs from −2 (year 100) to 73 (year 9999).
  int day = civil.day - Mod(IntDiv(shiftYear, 100), 4) - 3 * IntDiv(shiftYear, 400) + 2;
  if (day > JulianMonthLength(year, month)) {  // at most 2 days over: one step suffices
    day -= JulianMonthLength(year, month);
    if (++month > 12) {
      month = 1;
      ++year;
    }
  }
  while (day <= 0) {  // at most three months back
    if (--month < 1) {
      month = 12;
      --year;
    }
    day += JulianMonthLength(year, month);
  }
  return {static_cast<std::int16_t>(year), static_cast<std::int16_t>(month),
          static_cast<std::int16_t>(day)};
}

}  // namespace almacor
