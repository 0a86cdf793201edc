#include <cmath>
#include <cstdint>

#include "almacor/calendars.h"
#include "basic_arithmetic.h"
#include "whole_day.h"

namespace almacor {
namespace {

// Day 0 (1899-12-30) is day 2067021 since 1 Tishrei of year 1, a Monday (day 0 of the week).
constexpr std::int32_t kEpochOffset = 2067021;
constexpr double kMeanYear = 365.24682220597794;  // days, 35975351 / 98496
constexpr std::int64_t kPartsPerDay = 25920;

// The 3rd, 6th, 8th, 11th, 14th, 17th and 19th years of the 19-year cycle have 13 months: bit
// (year mod 19) of this mask.
constexpr std::uint32_t kLeapYearsOfCycle =
    1u << 0 | 1u << 3 | 1u << 6 | 1u << 8 | 1u << 11 | 1u << 14 | 1u << 17;
bool IsLeapYear(std::int64_t year) {  // year >= 0
  return (kLeapYearsOfCycle >> Mod(year, std::int64_t{19}) & 1u) != 0;
}

// Day (since the epoch) of 1 Tishrei of `year`, year >= 1.
std::int64_t NewYearDay(std::int64_t year) {
  const std::int64_t months = IntDiv(235 * year - 234, std::int64_t{19});  // months before year
  // The molad lies (793·m + 204)/25920 + (12·m + 5)/24 days beyond 29·m, that is
  // (13753·m + 5604) parts: kept in whole parts so that the day and its fraction are exact.
  const std::int64_t parts = 13753 * months + 5604;
  std::int64_t day = IntDiv(parts, kPartsPerDay) + 29 * months;
  const std::int64_t p = Mod(parts, kPartsPerDay);  // parts of the day, 0 … 25919
  if (p > 19440) {                                  // molad at or after noon (18 hours)
    ++day;
  } else {
    // A common year may not begin on Tuesday at or after 9h 204p, nor a year after a leap year
    // on Monday at or after 15h 589p: either would make a year too long or too short.
    if (!IsLeapYear(year) && Mod(day, std::int64_t{7}) == 1 && p > 9923) ++day;
    if (IsLeapYear(year - 1) && Mod(day, std::int64_t{7}) == 0 && p > 16788) ++day;
  }
  const std::int64_t weekDay = Mod(day, std::int64_t{7});   // 0 Monday … 6 Sunday
  if (weekDay == 2 || weekDay == 4 || weekDay == 6) ++day;  // never Wednesday, Friday or Sunday
  return day;
}

// Length of month `monthIndex` (0 Nisan … 12 Adar II) in a year of `monthsInYear` months with
// length code 3 (deficient), 4 (regular) or 5 (complete).
int MonthLength(int monthIndex, int monthsInYear, std::int64_t lengthCode) {
  constexpr int kLength[13] = {30, 29, 30, 29, 30, 29, 30, 29, 30, 29, 30, 29, 29};
  if (monthIndex == 7) return lengthCode == 5 ? 30 : 29;      // Cheshvan
  if (monthIndex == 8) return lengthCode == 3 ? 29 : 30;      // Kislev
  if (monthIndex == 11) return monthsInYear == 13 ? 30 : 29;  // Adar (Adar I of a leap year)
  return kLength[monthIndex];
}

}  // namespace

HebrewDate CalcHebrewCalendar(double d) {
  const std::int64_t n = WholeDay(d) + kEpochOffset;  // 1409587 … 5025486, years 3860 … 13760
  // The estimate never exceeds the year of n (were it ever to, the month walk below would run
  // out of months and raise); the search then steps to the first new year after
  // n. Over the whole date range it evaluates two to four new years; the cap only guards the
  // arithmetic.
  std::int64_t year = static_cast<std::int64_t>(std::floor(static_cast<double>(n) / kMeanYear));
  std::int64_t previousNewYear = 0;
  std::int64_t newYear = 0;
  for (int step = 0;; ++step) {
    if (step == 64) throw Error(kOverflow, "Hebrew year search did not converge");
    newYear = NewYearDay(year);
    if (previousNewYear <= n && n < newYear) break;
    previousNewYear = newYear;
    ++year;
  }
  --year;
  const int monthsInYear = IsLeapYear(year) ? 13 : 12;
  // Year lengths 353–355 and 383–385: 3 deficient, 4 regular, 5 complete.
  const std::int64_t lengthCode = Mod(newYear - previousNewYear, std::int64_t{10});
  std::int64_t offset = n - previousNewYear;
  for (int b = 7; b <= monthsInYear + 6; ++b) {  // Tishrei first, Nisan after Adar (II)
    const int monthIndex = Mod(b - 1, monthsInYear);
    const int length = MonthLength(monthIndex, monthsInYear, lengthCode);
    if (offset < length) {
      return {static_cast<std::int16_t>(year), static_cast<std::int16_t>(monthIndex),
              static_cast<std::int16_t>(offset + 1)};
    }
    offset -= length;
  }
  throw Error(kOverflow, "day lies beyond the months of its Hebrew year");
}

}  // namespace almacor
