#include "almacor/calendars.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

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

// Day-by-day agreement over the whole range is the reference table's job
// (calendars_reference_test.cpp); these are the dates users quote.
TEST(OtherCalendarsTest, WellKnownDates) {
  EXPECT_EQ(CalcJulianCalendar(Day(1582, 10, 15)), Julian(1582, 10, 5));
  EXPECT_EQ(CalcJulianCalendar(Day(1900, 3, 13)), Julian(1900, 2, 29));
  EXPECT_EQ(CalcIslamicCalendar(Day(2024, 7, 7)), Islamic(1445, 11, 30));  // a leap year's 355th
  EXPECT_EQ(CalcIslamicCalendar(Day(622, 7, 19)), Islamic(1, 0, 1));
  EXPECT_EQ(CalcHebrewCalendar(Day(2024, 3, 11)), Hebrew(5784, 12, 1));   // 1 Adar II
  EXPECT_EQ(CalcHebrewCalendar(Day(2024, 3, 10)), Hebrew(5784, 11, 30));  // 30 Adar I
  const MayaDate end = CalcMayaCalendar(Day(2012, 12, 21));
  EXPECT_EQ(end.longCount, "13.0.0.0.0");
  EXPECT_EQ(end.tzolkin, "4Ahau");
  EXPECT_EQ(end.haab, "3Kankin");
  EXPECT_EQ(CalcMayaCalendar(0).longCount, "12.14.5.6.16");
  // Baktun 20 is written with a leading 1.
  EXPECT_EQ(CalcMayaCalendar(20.0 * 144000 - 1830736).longCount, "1.0.0.0.0.0");
}

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

TEST_F(CalendarObjectTest, GettersGiveOneBasedMonthsAndNames) {
  Calendar c;
  c.SetDateTime(Date::FromCivil(2024, 3, 11, 23, 59, 59));
  EXPECT_EQ(c.HebrewYear(), 5784);
  EXPECT_EQ(c.HebrewMonth(), 13);
  EXPECT_EQ(c.HebrewDay(), 1);
  EXPECT_EQ(c.HebrewMonthName(), "Adar II");
  EXPECT_EQ(c.JulianCYear(), 2024);
  EXPECT_EQ(c.JulianCMonth(), 2);
  EXPECT_EQ(c.JulianCDay(), 27);
  EXPECT_EQ(c.IslamicYear(), 1445);
  EXPECT_EQ(c.IslamicMonth(), 9);
  EXPECT_EQ(c.IslamicDay(), 1);
  EXPECT_EQ(c.IslamicMonthName(), "Ramadan");

  c.SetDateTime(Date::FromCivil(2024, 2, 10));
  EXPECT_EQ(c.HebrewMonth(), 12);
  EXPECT_EQ(c.HebrewMonthName(), "Adar");  // Adar I of a leap year keeps the plain name

  c.SetDateTime(Date::FromCivil(2024, 7, 7, 12));
  EXPECT_EQ(c.IslamicMonth(), 12);
  EXPECT_EQ(c.IslamicMonthName(), "Dhu al-Hijja");

  c.SetDateTime(Date::FromCivil(2012, 12, 21, 6));
  EXPECT_EQ(c.MayaLong() + " " + c.MayaTzolkin() + " " + c.MayaHaab(), "13.0.0.0.0 4Ahau 3Kankin");
}

TEST_F(CalendarObjectTest, DaysBeforeDayZeroUseTheirOwnCivilDate) {
  // Before 1899-12-30 a date value's fraction runs the other way; the calendars still see the
  // civil day of the instant.
  Calendar c;
  c.SetDateTime(Date::FromCivil(1582, 10, 15, 18));
  EXPECT_EQ(c.JulianCYear(), 1582);
  EXPECT_EQ(c.JulianCMonth(), 10);
  EXPECT_EQ(c.JulianCDay(), 5);
  c.SetDateTime(Date::FromCivil(100, 2, 28, 23, 59, 59));
  EXPECT_EQ(c.JulianCMonth(), 3);
  EXPECT_EQ(c.JulianCDay(), 1);
}

TEST_F(CalendarObjectTest, BeforeTheIslamicEpochEverythingIsZero) {
  Calendar c;
  c.SetDateTime(Date::FromCivil(2000, 1, 1));
  c.Calc_IslamicCalendar(Day(622, 7, 18));
  EXPECT_EQ(c.IslamicYear(), 0);
  EXPECT_EQ(c.IslamicMonth(), 1);
  EXPECT_EQ(c.IslamicDay(), 0);
  EXPECT_EQ(c.IslamicMonthName(), "Muharram");
  c.Calc_IslamicCalendar(Day(622, 7, 19));
  EXPECT_EQ(c.IslamicYear(), 1);
  EXPECT_EQ(c.IslamicDay(), 1);
  // A rejected day leaves the stored date alone.
  EXPECT_EQ(ErrorNumberOf([&] { c.Calc_IslamicCalendar(std::nan("")); }), kInvalidArgument);
  EXPECT_EQ(ErrorNumberOf([&] { c.Calc_IslamicCalendar(1e9); }), kOverflow);
  EXPECT_EQ(c.IslamicYear(), 1);
  EXPECT_EQ(c.IslamicDay(), 1);
}

TEST_F(CalendarObjectTest, TheLocalTimeZoneDecidesTheDay) {
  // 2024-03-10 23:30 local: still 30 Adar I, whatever the zone; the zone moves the instant only.
  Calendar c;
  c.SetTimeZone(9);
  c.SetDateTime(Date::FromCivil(2024, 3, 10, 23, 30));
  EXPECT_EQ(c.HebrewMonth(), 12);
  EXPECT_EQ(c.HebrewDay(), 30);
  c.SetTimeZone(-9);
  EXPECT_EQ(c.HebrewMonth(), 12);
  EXPECT_EQ(c.HebrewDay(), 30);
}

}  // namespace
}  // namespace almacor
