#include "almacor/date.h"

#include <gtest/gtest.h>

#include <limits>

#include "almacor/error.h"
#include "test_support.h"

namespace almacor {
namespace {

TEST(DayCount, NegativeDatesCountDaysBackwardsWithTimeOfDayForward) {
  EXPECT_DOUBLE_EQ(DateToDays(-1.25), -0.75);
  EXPECT_DOUBLE_EQ(DaysToDate(-0.75), -1.25);
  for (double x : {0.0, 0.5, 36526.25}) {
    EXPECT_DOUBLE_EQ(DateToDays(x), x);
    EXPECT_DOUBLE_EQ(DaysToDate(x), x);
  }
  // -0.25 is 1899-12-29 18:00.
  EXPECT_DOUBLE_EQ(DaysToDate(-0.25), -1.75);
}

TEST(DateRange, CoversYear100ToYear9999) {
  EXPECT_EQ(Date::FromCivil(100, 1, 1).Value(), -657434);
  EXPECT_EQ(Date::FromCivil(9999, 12, 31).Value(), 2958465);
  EXPECT_EQ((Date::FromCivil(100, 1, 1, 12).ToCivil()), (CivilDateTime{100, 1, 1, 12, 0, 0}));
  EXPECT_EQ(ErrorNumberOf([] { Date::FromCivil(99, 12, 31); }), kInvalidArgument);
  EXPECT_EQ(ErrorNumberOf([] { Date::FromCivil(2023, 2, 29); }), kInvalidArgument);
  EXPECT_EQ(ErrorNumberOf([] { Date::FromValue(2958466); }), kInvalidArgument);
  EXPECT_EQ(ErrorNumberOf([] { Date::FromValue(std::numeric_limits<double>::quiet_NaN()); }),
            kInvalidArgument);
  EXPECT_EQ(ErrorNumberOf([] { Date::FromDays(-657434.5); }), kOverflow);  // 0099-12-31 12:00
  EXPECT_EQ(ErrorNumberOf([] { Date::FromDays(2958466); }), kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { Date::FromDays(std::numeric_limits<double>::infinity()); }),
            kOverflow);
}

TEST(DateCivil, RoundTripsAndRoundsToTheSecond) {
  const Date d = Date::FromCivil(1899, 12, 29, 6, 0, 0);
  EXPECT_DOUBLE_EQ(d.Value(), -1.25);
  EXPECT_DOUBLE_EQ(d.Days(), -0.75);
  EXPECT_EQ(d.ToCivil(), (CivilDateTime{1899, 12, 29, 6, 0, 0}));
  const Date late = Date::FromDays(CivilToDays(2024, 2, 29, 86399.6));
  EXPECT_EQ(late.ToCivil(), (CivilDateTime{2024, 3, 1, 0, 0, 0}));
  EXPECT_EQ(Date::FromDays(2958465.99999999).ToCivil(), (CivilDateTime{9999, 12, 31, 23, 59, 59}));
}

}  // namespace
}  // namespace almacor
