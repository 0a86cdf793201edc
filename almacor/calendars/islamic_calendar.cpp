#include <cmath>

#include "almacor/calendars.h"
#include "basic_arithmetic.h"
#include "whole_day.h"

namespace almacor {
namespace {

// The tabular calendar's 30-year cycle: years 2, 5, 7, 10, 13, 16, 18, 21, 24, 26 and 29 have 355
// days, the others 354; 19·354 + 11·355 = 10631 days.
constexpr int kCycleDays = 10631;
constexpr bool IsLeapYearOfCycle(int i) {
  return i == 2 || i == 5 || i == 7 || i == 10 || i == 13 || i == 16 || i == 18 || i == 21 ||
         i == 24 || i == 26 || i == 29;
}

// Day 0 (1899-12-30) is day 466579 of the era; 1 Muharram 1 is 0622-07-19 Gregorian
// (0622-07-16 Julian).
constexpr int kEpochOffset = 466579;

}  // namespace

IslamicDate CalcIslamicCalendar(double d) {
  // Any day before the epoch, even one before the date range, has the all-zero date; only days
  // after 9999-12-31 are out of range.
  RequireFinite(d, "day count");
  if (std::floor(d) < -kEpochOffset) return {};
  const std::int32_t n = WholeDay(d) + kEpochOffset;  // 0 … 3425044 (9999-12-31)
  int year = 30 * IntDiv(n, kCycleDays);
  int r = Mod(n, kCycleDays);  // 0 … 10630, day of the 30-year cycle
  int i = 1;
  for (; i <= 30; ++i) {  // the cycle's lengths sum to 10631 > r: always stops by i = 30
    const int length = IsLeapYearOfCycle(i) ? 355 : 354;
    if (r < length) break;
    r -= length;
  }
  year += i;
  // Months alternate 30 and 29 days; month m begins on day Floor(29.5·m + 0.5) of the year.
  int m = (2 * r) / 59;  // Floor(r / 29.5), r = 0 … 354
  if (m == 12) m = 11;   // day 355 of a leap year is the 30th of Dhu al-Hijja
  const int day = r - (59 * m + 1) / 2 + 1;
  return {static_cast<std::int16_t>(year), static_cast<std::int16_t>(m),
          static_cast<std::int16_t>(day)};
}

}  // namespace almacor
