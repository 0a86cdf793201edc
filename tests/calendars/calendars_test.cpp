#include "almacor/calendars.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <tuple>

#include "almacor/calendar.h"
#include "almacor/date.h"
#include "almacor/error.h"
#include "test_support.h"

namespace almacor {
namespace {

double Day(int year, int month, int day) { return CivilToDays(year, month, day); }

// A Julian, Islamic (month index 0 … 11) or Hebrew (month index 0 = Nisan) date.
template <class T>
T Ymd(int year, int monthOrIndex, int day) {
  return {static_cast<std::int16_t>(year), static_cast<std::int16_t>(monthOrIndex),
          static_cast<std::int16_t>(day)};
}
constexpr auto Julian = Ymd<JulianCalendarDate>;
constexpr auto Islamic = Ymd<IslamicDate>;
constexpr auto Hebrew = Ymd<HebrewDate>;

// Day-by-day agreement with an independent implementation is calendars_reference_test.cpp's job.

// Only the day counts (Floor of the day count, also before day 0).
TEST(OtherCalendarsTest, EveryInstantOfADayHasThatDaysDate) {
  EXPECT_EQ(CalcJulianCalendar(Day(1582, 10, 15) + 0.999), Julian(1582, 10, 5));
  EXPECT_EQ(CalcJulianCalendar(Day(1582, 10, 15) - 1e-9), Julian(1582, 10, 4));
  EXPECT_EQ(CalcIslamicCalendar(Day(622, 7, 19) - 1e-9), Islamic(0, 0, 0));
  EXPECT_EQ(CalcMayaCalendar(-0.5).longCount, "12.14.5.6.15");
}

TEST(OtherCalendarsTest, RejectNonFiniteAndOutOfRangeDays) {
  const double inf = std::numeric_limits<double>::infinity();
  const double before = Day(100, 1, 1) - 1e-6;
  const double after = Day(9999, 12, 31) + 1;
  const struct {
    double day;
    int error;
  } cases[] = {{std::nan(""), kInvalidArgument},
               {inf, kInvalidArgument},
               {-inf, kInvalidArgument},
               {before, kOverflow},
               {after, kOverflow},
               {1e300, kOverflow},
               {-1e300, kOverflow}};
  for (const auto& c : cases) {
    EXPECT_EQ(ErrorNumberOf([&] { CalcJulianCalendar(c.day); }), c.error) << c.day;
    EXPECT_EQ(ErrorNumberOf([&] { CalcHebrewCalendar(c.day); }), c.error) << c.day;
    EXPECT_EQ(ErrorNumberOf([&] { CalcMayaCalendar(c.day); }), c.error) << c.day;
    // Every day before the Islamic epoch has the zero date, even one before the range.
    if (c.day < 0 && c.error == kOverflow) {
      EXPECT_EQ(CalcIslamicCalendar(c.day), IslamicDate{});
    } else {
      EXPECT_EQ(ErrorNumberOf([&] { CalcIslamicCalendar(c.day); }), c.error) << c.day;
    }
  }
  EXPECT_EQ(CalcMayaCalendar(after - 1e-9).longCount, "1.13.5.3.6.1");
}

using CalendarObjectTest = LibrarySettingsTest;

// The Calendar's getters: one-based months, the month names, and the civil day of the local
// instant, whatever the zone (before 1899-12-30 a date value's fraction runs the other way).
TEST_F(CalendarObjectTest, GettersGiveOneBasedMonthsAndNamesOfTheLocalDay) {
  const struct {
    CivilDateTime at;
    float zone;
    const char* expected;  // Hebrew, Julian, Islamic
  } rows[] = {
      {{2024, 3, 11, 23, 59, 59}, 0, "5784/13/1 Adar II, 2024/2/27, 1445/9/1 Ramadan"},
      {{2024, 2, 10, 0, 0, 0},
       0,
       "5784/12/1 Adar, 2024/1/28, 1445/7/30 Rajab"},  // Adar I: plain name
      {{2024, 7, 7, 12, 0, 0}, 0, "5784/4/1 Tammuz, 2024/6/24, 1445/12/30 Dhu al-Hijja"},
      {{2024, 3, 10, 23, 30, 0}, 9, "5784/12/30 Adar, 2024/2/26, 1445/8/29 Shaban"},
      {{2024, 3, 10, 23, 30, 0}, -9, "5784/12/30 Adar, 2024/2/26, 1445/8/29 Shaban"},
      {{1582, 10, 15, 18, 0, 0}, 0, "5343/7/19 Tishrei, 1582/10/5, 990/9/17 Ramadan"},
      {{100, 2, 28, 23, 59, 59}, 0, "3860/13/2 Adar II, 100/3/1, 0/1/0 Muharram"},
  };
  const auto ymd = [](int y, int m, int d) {
    return std::to_string(y) + "/" + std::to_string(m) + "/" + std::to_string(d);
  };
  Calendar c;
  for (const auto& r : rows) {
    c.SetTimeZone(r.zone);
    c.SetDateTime(
        Date::FromCivil(r.at.year, r.at.month, r.at.day, r.at.hour, r.at.minute, r.at.second));
    EXPECT_EQ(ymd(c.HebrewYear(), c.HebrewMonth(), c.HebrewDay()) + " " + c.HebrewMonthName() +
                  ", " + ymd(c.JulianCYear(), c.JulianCMonth(), c.JulianCDay()) + ", " +
                  ymd(c.IslamicYear(), c.IslamicMonth(), c.IslamicDay()) + " " +
                  c.IslamicMonthName(),
              r.expected);
  }
  c.SetDateTime(Date::FromCivil(2012, 12, 21, 6));
  EXPECT_EQ(c.MayaLong() + " " + c.MayaTzolkin() + " " + c.MayaHaab(), "13.0.0.0.0 4Ahau 3Kankin");
}

// Before the epoch the Islamic date is year 0, month 1 (its name Muharram), day 0; a rejected day
// leaves the stored date alone.
TEST_F(CalendarObjectTest, IslamicDateBeforeTheEpochAndAfterARejectedDay) {
  Calendar c;
  c.SetDateTime(Date::FromCivil(2000, 1, 1));
  c.Calc_IslamicCalendar(Day(622, 7, 18));
  EXPECT_EQ(std::tuple(c.IslamicYear(), c.IslamicMonth(), c.IslamicDay(), c.IslamicMonthName()),
            std::tuple(0, 1, 0, std::string("Muharram")));
  c.Calc_IslamicCalendar(Day(622, 7, 19));
  EXPECT_EQ(ErrorNumberOf([&] { c.Calc_IslamicCalendar(std::nan("")); }), kInvalidArgument);
  EXPECT_EQ(ErrorNumberOf([&] { c.Calc_IslamicCalendar(1e9); }), kOverflow);
  EXPECT_EQ(std::tuple(c.IslamicYear(), c.IslamicMonth(), c.IslamicDay()), std::tuple(1, 1, 1));
}

}  // namespace
}  // namespace almacor
