#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "almacor/angles.h"
#include "almacor/calendar.h"
#include "almacor/error.h"
#include "almacor/sun.h"
#include "test_support.h"

namespace almacor {
namespace {

class SunObjectTest : public LibrarySettingsTest {
 protected:
  // A calendar at Tokyo (zone 9) at the given local instant.
  void AtTokyo(Calendar& c, const Date& when) {
    LibrarySettings() = Tokyo();
    c.SetDateTime(when);
  }
};

// The events are kept while the local date and the settings stay the same; anything else that
// they depend on recomputes them, so a stored event is never stale after a recalculation.
TEST_F(SunObjectTest, EventsFollowTheDateAndEverySettingTheyDependOn) {
  Calendar c;
  AtTokyo(c, Date::FromCivil(2024, 3, 1, 23, 58));
  const SunObject& sun = c.Sun();
  const auto fresh = [&] { return CalcSunEvents(c.Instant(), LibrarySettings()); };
  const auto expectFresh = [&](const char* after) {
    const SunEvents e = fresh();
    EXPECT_EQ(sun.RiseTime(), Date::FromDays(e.rise.time)) << after;
    EXPECT_EQ(sun.SetAzimuth(), e.set.value) << after;
    EXPECT_EQ(sun.AstronomicalTwilightS(), Date::FromDays(e.astronomicalTwilightS.time)) << after;
    EXPECT_EQ(sun.CulminationAltitude(), e.culmination.value) << after;
  };
  // Minute steps through midnight: kept, then the next day's.
  for (int minute = 0; minute < 4; ++minute) {
    c.SetDateTime(Date::FromDays(c.Instant() + 1.0 / 1440));
    expectFresh("a minute step");
    EXPECT_DOUBLE_EQ(sun.Longitude(), SunLongitudeAt(c.Instant(), LibrarySettings().time));
  }
  EXPECT_EQ(sun.RiseTime().ToCivil().day, 2);
  c.SetObsHeight(250);
  expectFresh("height");
  c.SetObsLatitude(-20);
  expectFresh("latitude");
  c.SetObsLongitude(100);
  expectFresh("longitude");
  c.SetTimeZone(7);
  expectFresh("time zone");
  c.SetDeltaT(3600);  // stored but not in effect while estimated
  expectFresh("ΔT value");
  c.SetDtEstimated(false);
  expectFresh("fixed ΔT");
  c.SetDeltaT(0);
  expectFresh("another fixed ΔT");
}

TEST_F(SunObjectTest, CalcDateFindsTheNearestPassageOfALongitude) {
  Calendar c;
  c.SetTimeZone(9);
  const SunObject& sun = c.Sun();
  const Date mid = Date::FromCivil(2024, 3, 15);
  const Date equinox = sun.CalcDate(0, mid);
  EXPECT_NEAR(equinox.Days(), CivilToDays(2024, 3, 20, 12 * 3600 + 6 * 60), 5.0 / 1440);  // JST
  EXPECT_EQ(sun.CalcDate(-720, mid), equinox);
  EXPECT_EQ(mid, Date::FromCivil(2024, 3, 15));  // sDay is not modified
  // The December solstice nearest to mid-March is the previous one; to September, the next.
  EXPECT_EQ(sun.CalcDate(270, mid).ToCivil().year, 2023);
  EXPECT_EQ(sun.CalcDate(270, Date::FromCivil(2024, 9, 1)).ToCivil().month, 12);
  // At the equinox the Sun stands on the equator at the equinoctial point.
  c.SetDateTime(equinox);
  EXPECT_NEAR(std::remainder(c.Sun().Ascension(), 360), 0, 1e-4);
  EXPECT_NEAR(c.Sun().Declination(), 0, 1e-4);
  EXPECT_EQ(ErrorNumberOf([&] { sun.CalcDate(std::numeric_limits<double>::quiet_NaN(), mid); }),
            kInvalidArgument);
  // A passage before 0100-01-01 cannot be a Date.
  EXPECT_EQ(ErrorNumberOf([&] { sun.CalcDate(270, Date::FromCivil(100, 1, 1)); }), kOverflow);
}

// An event on the day before 0100-01-01 cannot be a Date: reading it raises, but the
// recalculation itself and the other events are unaffected.
TEST_F(SunObjectTest, EventBeforeTheFirstRepresentableDayRaisesOnlyWhenRead) {
  Calendar c;
  c.SetPause(true);
  c.SetObsLongitude(-10);
  c.SetTimeZone(12);  // the Sun culminates at 00:40 local time, so it rose the evening before
  c.SetPause(false);
  EXPECT_NO_THROW(c.SetDateTime(Date::FromCivil(100, 1, 1, 12)));
  EXPECT_EQ(ErrorNumberOf([&] { c.Sun().RiseTime(); }), kOverflow);
  EXPECT_EQ(c.Sun().SetTime().ToCivil().day, 1);
  EXPECT_EQ(c.DateTime(), Date::FromCivil(100, 1, 1, 12));
}

}  // namespace
}  // namespace almacor
