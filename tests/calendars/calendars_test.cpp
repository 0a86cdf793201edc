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

JulianCalendarDate Julian(int year, int month, int day) {
  return {static_cast<std::int16_t>(year), static_cast<std::int16_t>(month),
          static_cast<std::int16_t>(day)};
}
IslamicDate Islamic(int year, int monthIndex, int day) {
  return {static_cast<std::int16_t>(year), static_cast<std::int16_t>(monthIndex),
          static_cast<std::int16_t>(day)};
}
HebrewDate Hebrew(int year, int monthIndex, int day) {
  return {static_cast<std::int16_t>(year), static_cast<std::int16_t>(monthIndex),
          static_cast<std::int16_t>(day)};
}

TEST(JulianCalendarTest, CenturyYearsAndTheReform) {
  EXPECT_EQ(CalcJulianCalendar(Day(1582, 10, 15)), Julian(1582, 10, 5));
  EXPECT_EQ(CalcJulianCalendar(Day(1582, 10, 14)), Julian(1582, 10, 4));
  EXPECT_EQ(CalcJulianCalendar(Day(2000, 1, 1)), Julian(1999, 12, 19));
  // 1900 is a Julian leap year only: the difference grows from 12 to 13 days on its 29 February.
  EXPECT_EQ(CalcJulianCalendar(Day(1900, 2, 28)), Julian(1900, 2, 16));
  EXPECT_EQ(CalcJulianCalendar(Day(1900, 3, 1)), Julian(1900, 2, 17));
  EXPECT_EQ(CalcJulianCalendar(Day(1900, 3, 13)), Julian(1900, 2, 29));
  EXPECT_EQ(CalcJulianCalendar(Day(1900, 3, 14)), Julian(1900, 3, 1));
  // At the start of the range the Julian calendar is two days ahead.
  EXPECT_EQ(CalcJulianCalendar(Day(100, 1, 1)), Julian(100, 1, 3));
  EXPECT_EQ(CalcJulianCalendar(Day(100, 2, 28)), Julian(100, 3, 1));
  EXPECT_EQ(CalcJulianCalendar(Day(9999, 12, 31)), Julian(9999, 10, 19));
  // Only the day counts: the whole of 1582-10-15, and nothing of the day before.
  EXPECT_EQ(CalcJulianCalendar(Day(1582, 10, 15) + 0.999), Julian(1582, 10, 5));
  EXPECT_EQ(CalcJulianCalendar(Day(1582, 10, 15) - 1e-9), Julian(1582, 10, 4));
}

TEST(IslamicCalendarTest, KnownDatesAndTheEpoch) {
  EXPECT_EQ(CalcIslamicCalendar(Day(2000, 1, 1)), Islamic(1420, 8, 24));  // Ramadan
  EXPECT_EQ(CalcIslamicCalendar(Day(2023, 3, 23)), Islamic(1444, 8, 1));
  EXPECT_EQ(CalcIslamicCalendar(Day(2024, 7, 7)), Islamic(1445, 11, 30));  // leap year's 355th
  EXPECT_EQ(CalcIslamicCalendar(Day(2024, 7, 8)), Islamic(1446, 0, 1));
  EXPECT_EQ(CalcIslamicCalendar(Day(2023, 7, 18)), Islamic(1444, 11, 29));  // common year's end
  EXPECT_EQ(CalcIslamicCalendar(Day(2023, 7, 19)), Islamic(1445, 0, 1));
  EXPECT_EQ(CalcIslamicCalendar(Day(622, 7, 19)), Islamic(1, 0, 1));
  EXPECT_EQ(CalcIslamicCalendar(Day(622, 7, 19) - 1e-9), Islamic(0, 0, 0));
  EXPECT_EQ(CalcIslamicCalendar(Day(100, 1, 1)), Islamic(0, 0, 0));
  EXPECT_EQ(CalcIslamicCalendar(Day(9999, 12, 31)), Islamic(9666, 3, 2));
}

TEST(HebrewCalendarTest, KnownDatesAroundAdarAndTheNewYear) {
  EXPECT_EQ(CalcHebrewCalendar(Day(2000, 1, 1)), Hebrew(5760, 9, 23));  // Tevet
  EXPECT_EQ(CalcHebrewCalendar(Day(2023, 9, 15)), Hebrew(5783, 5, 29));
  EXPECT_EQ(CalcHebrewCalendar(Day(2023, 9, 16)), Hebrew(5784, 6, 1));
  EXPECT_EQ(CalcHebrewCalendar(Day(2024, 2, 10)), Hebrew(5784, 11, 1));  // Adar I
  EXPECT_EQ(CalcHebrewCalendar(Day(2024, 3, 10)), Hebrew(5784, 11, 30));
  EXPECT_EQ(CalcHebrewCalendar(Day(2024, 3, 11)), Hebrew(5784, 12, 1));  // Adar II
  EXPECT_EQ(CalcHebrewCalendar(Day(2024, 4, 8)), Hebrew(5784, 12, 29));
  EXPECT_EQ(CalcHebrewCalendar(Day(2024, 4, 9)), Hebrew(5784, 0, 1));
  // 5785 is a common year: its Adar has 29 days and Nisan follows.
  EXPECT_EQ(CalcHebrewCalendar(Day(2025, 3, 1)), Hebrew(5785, 11, 1));
  EXPECT_EQ(CalcHebrewCalendar(Day(2025, 3, 29)), Hebrew(5785, 11, 29));
  EXPECT_EQ(CalcHebrewCalendar(Day(2025, 3, 30)), Hebrew(5785, 0, 1));
  EXPECT_EQ(CalcHebrewCalendar(Day(100, 1, 1)), Hebrew(3860, 10, 4));
  EXPECT_EQ(CalcHebrewCalendar(Day(9999, 12, 31)), Hebrew(13760, 7, 28));
}

TEST(MayaCalendarTest, LongCountHaabAndTzolkin) {
  const MayaDate end = CalcMayaCalendar(Day(2012, 12, 21));
  EXPECT_EQ(end.longCount, "13.0.0.0.0");
  EXPECT_EQ(end.tzolkin, "4Ahau");
  EXPECT_EQ(end.haab, "3Kankin");
  EXPECT_EQ(CalcMayaCalendar(Day(2012, 12, 20)).longCount, "12.19.19.17.19");
  EXPECT_EQ(CalcMayaCalendar(0).longCount, "12.14.5.6.16");
  // Floor, not truncation: noon of 1899-12-29 (d = −0.5) belongs to the day before day 0.
  EXPECT_EQ(CalcMayaCalendar(-0.5).longCount, "12.14.5.6.15");
  // Baktun 20 is written with a leading 1: 19.19.19.17.19 is followed by 1.0.0.0.0.0.
  const double baktun20 = 20.0 * 144000 - 1830736;
  EXPECT_EQ(CalcMayaCalendar(baktun20 - 1).longCount, "19.19.19.17.19");
  EXPECT_EQ(CalcMayaCalendar(baktun20).longCount, "1.0.0.0.0.0");
  EXPECT_EQ(CalcMayaCalendar(Day(9999, 12, 31)).longCount, "1.13.5.3.6.1");
  // The five days of Uayeb close the Haab year; 0 Pop follows.
  const double pop = Day(2013, 4, 2);
  EXPECT_EQ(CalcMayaCalendar(pop).haab, "0Pop");
  EXPECT_EQ(CalcMayaCalendar(pop - 1).haab, "4Uayeb");
  EXPECT_EQ(CalcMayaCalendar(pop - 5).haab, "0Uayeb");
  EXPECT_EQ(CalcMayaCalendar(pop - 6).haab, "19Cumku");
  EXPECT_EQ(CalcMayaCalendar(Day(2012, 12, 22)).tzolkin, "5Imix");
  EXPECT_EQ(CalcMayaCalendar(Day(2012, 12, 21) + 19).tzolkin, "10Cauac");
}

TEST(OtherCalendarsTest, RejectNonFiniteAndOutOfRangeDays) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(ErrorNumberOf([&] { CalcJulianCalendar(nan); }), kInvalidArgument);
  EXPECT_EQ(ErrorNumberOf([&] { CalcIslamicCalendar(inf); }), kInvalidArgument);
  EXPECT_EQ(ErrorNumberOf([&] { CalcHebrewCalendar(-inf); }), kInvalidArgument);
  EXPECT_EQ(ErrorNumberOf([&] { CalcMayaCalendar(nan); }), kInvalidArgument);
  const double before = Day(100, 1, 1) - 1e-6;
  const double after = Day(9999, 12, 31) + 1;
  for (double d : {before, after, 1e300, -1e300}) {
    EXPECT_EQ(ErrorNumberOf([&] { CalcJulianCalendar(d); }), kOverflow) << d;
    if (d > 0) {
      EXPECT_EQ(ErrorNumberOf([&] { CalcIslamicCalendar(d); }), kOverflow) << d;
    }
    EXPECT_EQ(ErrorNumberOf([&] { CalcHebrewCalendar(d); }), kOverflow) << d;
    EXPECT_EQ(ErrorNumberOf([&] { CalcMayaCalendar(d); }), kOverflow) << d;
  }
  EXPECT_EQ(CalcMayaCalendar(after - 1e-9).longCount, "1.13.5.3.6.1");
  // Every day before the Islamic epoch has the zero date, even one before the range.
  EXPECT_EQ(CalcIslamicCalendar(before), IslamicDate{});
  EXPECT_EQ(CalcIslamicCalendar(-1e300), IslamicDate{});
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
  EXPECT_EQ(c.IslamicYear(), 1445);
  EXPECT_EQ(c.IslamicMonth(), 12);
  EXPECT_EQ(c.IslamicDay(), 30);
  EXPECT_EQ(c.IslamicMonthName(), "Dhu al-Hijja");

  c.SetDateTime(Date::FromCivil(2012, 12, 21, 6));
  EXPECT_EQ(c.MayaLong(), "13.0.0.0.0");
  EXPECT_EQ(c.MayaTzolkin(), "4Ahau");
  EXPECT_EQ(c.MayaHaab(), "3Kankin");

  c.SetDateTime(Date::FromCivil(1899, 12, 30));
  EXPECT_EQ(c.MayaLong(), "12.14.5.6.16");
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
