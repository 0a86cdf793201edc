// Every day from 0100-01-01 to 9999-12-31: each calendar moves on by exactly one day, and its
// months and years have the lengths the calendar allows.

#include <gtest/gtest.h>

#include <charconv>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "almacor/calendars.h"
#include "almacor/strings.h"

namespace almacor {
namespace {

constexpr int kFirstDay = -657434;  // 0100-01-01
constexpr int kLastDay = 2958465;   // 9999-12-31

int JulianMonthLength(int year, int month) {
  constexpr int kLength[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && year % 4 == 0 ? 29 : kLength[month - 1];
}

TEST(CalendarsSweepTest, JulianDaysAreConsecutive) {
  JulianCalendarDate prev = CalcJulianCalendar(kFirstDay);
  int faults = 0;
  for (int day = kFirstDay + 1; day <= kLastDay && faults < 10; ++day) {
    const JulianCalendarDate j = CalcJulianCalendar(day);
    const bool nextDay = j.year == prev.year && j.month == prev.month && j.day == prev.day + 1;
    const bool nextMonth = j.day == 1 && prev.day == JulianMonthLength(prev.year, prev.month) &&
                           ((j.year == prev.year && j.month == prev.month + 1) ||
                            (j.year == prev.year + 1 && j.month == 1 && prev.month == 12));
    if (!nextDay && !nextMonth) {
      ++faults;
      ADD_FAILURE() << "day " << day << ": " << prev.year << "-" << prev.month << "-" << prev.day
                    << " then " << j.year << "-" << j.month << "-" << j.day;
    }
    prev = j;
  }
}

TEST(CalendarsSweepTest, IslamicMonthsHave29Or30DaysAndYears354Or355) {
  IslamicDate prev = CalcIslamicCalendar(kFirstDay);
  EXPECT_EQ(prev, IslamicDate{});
  int yearLength = 0, faults = 0, years = 0;
  for (int day = kFirstDay + 1; day <= kLastDay && faults < 10; ++day) {
    const IslamicDate i = CalcIslamicCalendar(day);
    ++yearLength;
    bool ok;
    if (prev.year == 0) {  // before the epoch: zeros until 1 Muharram 1
      ok = i == IslamicDate{} || i == IslamicDate{1, 0, 1};
      if (i.year == 1) yearLength = 1;
    } else if (i.day == prev.day + 1) {
      ok = i.year == prev.year && i.monthIndex == prev.monthIndex && i.day <= 30;
    } else {
      // Odd months (Muharram, index 0) have 30 days, even ones 29; Dhu al-Hijja 30 in leap years.
      const bool leap = (14 + 11 * prev.year) % 30 < 11;
      const int length = prev.monthIndex % 2 == 0 || (prev.monthIndex == 11 && leap) ? 30 : 29;
      ok = i.day == 1 && prev.day == length &&
           ((i.year == prev.year && i.monthIndex == prev.monthIndex + 1) ||
            (i.year == prev.year + 1 && i.monthIndex == 0 && prev.monthIndex == 11));
      if (ok && i.year != prev.year) {
        ok = yearLength - 1 == (leap ? 355 : 354);
        yearLength = 1;
        ++years;
      }
    }
    if (!ok) {
      ++faults;
      ADD_FAILURE() << "day " << day << ": " << prev.year << "/" << prev.monthIndex << "/"
                    << prev.day << " then " << i.year << "/" << i.monthIndex << "/" << i.day;
    }
    prev = i;
  }
  EXPECT_EQ(years, 9665);
}

TEST(CalendarsSweepTest, HebrewYearsHaveTheirSixLengthsAndMonthsFollowInOrder) {
  HebrewDate prev = CalcHebrewCalendar(kFirstDay);
  int yearLength = -1, faults = 0, years = 0;
  int monthsInYear = 0;
  for (int day = kFirstDay + 1; day <= kLastDay && faults < 10; ++day) {
    const HebrewDate h = CalcHebrewCalendar(day);
    bool ok;
    if (h.day == prev.day + 1) {
      ok = h.year == prev.year && h.monthIndex == prev.monthIndex && h.day <= 30;
    } else {
      // Tishrei (6) … Adar (11), Adar II (12) in a leap year, Nisan (0) … Elul (5).
      const bool leap = (7 * prev.year + 1) % 19 < 7;
      const int next = prev.monthIndex == 11 && leap ? 12
                       : prev.monthIndex >= 11       ? 0
                                                     : prev.monthIndex + 1;
      ok = h.day == 1 && (prev.day == 29 || prev.day == 30) && h.monthIndex == next &&
           h.year == prev.year + (next == 6 ? 1 : 0);
      if (h.monthIndex != prev.monthIndex) ++monthsInYear;
      if (ok && next == 6) {
        // 1 Tishrei never falls on a Sunday, Wednesday or Friday (day 0 was a Saturday).
        const int weekDay = ((day + 6) % 7 + 7) % 7;  // 0 Sunday
        ok = weekDay != 0 && weekDay != 3 && weekDay != 5;
        if (yearLength >= 0) {
          const int lengths[2][3] = {{353, 354, 355}, {383, 384, 385}};
          const int* allowed = lengths[leap ? 1 : 0];
          ok = ok && monthsInYear == (leap ? 13 : 12) &&
               (yearLength == allowed[0] || yearLength == allowed[1] || yearLength == allowed[2]);
          ++years;
        }
        yearLength = 0;
        monthsInYear = 0;
      }
    }
    if (yearLength >= 0) ++yearLength;
    if (!ok) {
      ++faults;
      ADD_FAILURE() << "day " << day << ": " << prev.year << "/" << prev.monthIndex << "/"
                    << prev.day << " then " << h.year << "/" << h.monthIndex << "/" << h.day;
    }
    prev = h;
  }
  EXPECT_EQ(years, 13760 - 3860 - 1);
}

// The number and the name index of texts such as "3Kankin".
struct NumberedName {
  int number;
  int index;
};
NumberedName ParseNumberedName(std::string_view text,
                               const std::map<std::string_view, int>& names) {
  NumberedName result{-1, -1};
  const auto [rest, ec] = std::from_chars(text.data(), text.data() + text.size(), result.number);
  const auto found = names.find(text.substr(rest - text.data()));
  if (ec == std::errc{} && found != names.end()) result.index = found->second;
  return result;
}

// The day count of a long count text, "1." standing for baktun + 20.
std::int64_t LongCountDays(std::string_view text) {
  int digits[6] = {};
  int count = 0;
  const char* p = text.data();
  const char* end = p + text.size();
  while (p < end && count < 6) {
    p = std::from_chars(p, end, digits[count++]).ptr;
    if (p < end && *p == '.') ++p;
  }
  if (count == 6) {  // piktun 1
    for (int i = 1; i < 6; ++i) digits[i - 1] = digits[i];
    digits[0] += 20;
  } else if (count != 5) {
    return -1;
  }
  return digits[0] * 144000LL + digits[1] * 7200 + digits[2] * 360 + digits[3] * 20 + digits[4];
}

TEST(CalendarsSweepTest, MayaDaysAdvanceByOneKin) {
  std::map<std::string_view, int> haabMonths, tzolkinDays;
  for (int i = 0; i < 19; ++i) haabMonths[LibraryString(220 + i)] = i;
  for (int i = 0; i < 20; ++i) tzolkinDays[LibraryString(200 + i)] = i;

  MayaDate prev = CalcMayaCalendar(kFirstDay);
  int faults = 0;
  for (int day = kFirstDay + 1; day <= kLastDay && faults < 10; ++day) {
    const MayaDate m = CalcMayaCalendar(day);
    const NumberedName haab = ParseNumberedName(m.haab, haabMonths);
    const NumberedName prevHaab = ParseNumberedName(prev.haab, haabMonths);
    const NumberedName tz = ParseNumberedName(m.tzolkin, tzolkinDays);
    const NumberedName prevTz = ParseNumberedName(prev.tzolkin, tzolkinDays);
    const int monthDays = prevHaab.index == 18 ? 5 : 20;  // Uayeb has five days
    const bool haabOk = (haab.index == prevHaab.index && haab.number == prevHaab.number + 1) ||
                        (haab.number == 0 && prevHaab.number == monthDays - 1 &&
                         haab.index == (prevHaab.index + 1) % 19);
    const bool tzolkinOk = tz.number == prevTz.number % 13 + 1 && prevTz.index >= 0 &&
                           tz.index == (prevTz.index + 1) % 20;
    const std::int64_t count = LongCountDays(m.longCount);
    if (count != LongCountDays(prev.longCount) + 1 || count != day + 1830736 || !haabOk ||
        !tzolkinOk) {
      ++faults;
      ADD_FAILURE() << "day " << day << ": " << prev.longCount << " " << prev.haab << " "
                    << prev.tzolkin << " then " << m.longCount << " " << m.haab << " " << m.tzolkin;
    }
    prev = m;
  }
}

}  // namespace
}  // namespace almacor
