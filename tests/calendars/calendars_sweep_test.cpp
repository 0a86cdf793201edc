// Every day from 0100-01-01 to 9999-12-31: the Hebrew calendar moves on by exactly one day, and its
// months and years have the lengths the calendar allows. (The Julian, Islamic and Maya calendars
// have fixed cycles, so a wrong month or year length shifts every later date and the reference
// table over the whole range catches it; a Hebrew year's length is decided year by year.)

#include <gtest/gtest.h>

#include "almacor/calendars.h"

namespace almacor {
namespace {

constexpr int kFirstDay = -657434;  // 0100-01-01
constexpr int kLastDay = 2958465;   // 9999-12-31

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

}  // namespace
}  // namespace almacor
