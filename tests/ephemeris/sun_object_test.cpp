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

// Each test starts from the library-wide defaults and restores them afterwards.
class SunObjectTest : public LibrarySettingsTest {
 protected:
  // A calendar at Tokyo (zone 9) at the given local instant.
  void AtTokyo(Calendar& c, const Date& when) {
    c.SetPause(true);
    c.SetObsLatitude(35.6544);
    c.SetObsLongitude(139.7447);
    c.SetTimeZone(9);
    c.SetDateTime(when);
    c.SetPause(false);
    c.Calculate();
  }
};

TEST_F(SunObjectTest, NoonOfJ2000) {
  Calendar c;
  c.SetDateTime(Date::FromCivil(2000, 1, 1, 12));  // zone 0, estimated ΔT of about 64 s
  const SunObject& sun = c.Sun();
  EXPECT_NEAR(sun.Longitude(), 280.369, 0.0005);
  EXPECT_NEAR(sun.Distance(), 0.98331, 0.000005);
  EXPECT_NEAR(sun.Obliquity(), 23.4377, 0.00005);
  EXPECT_NEAR(sun.Ascension(), 281.278, 0.0005);
  EXPECT_NEAR(sun.Declination(), -23.033, 0.0005);
  EXPECT_NEAR(sun.Radius(), 0.27153, 0.00001);
  // Seen from latitude 0 on the Greenwich meridian the Sun stands 23° south of the zenith, just
  // east of the meridian (it culminates at 12:03: the equation of time is −3 minutes).
  EXPECT_GT(sun.Azimuth(), 177.5);
  EXPECT_LT(sun.Azimuth(), 179);
  EXPECT_NEAR(sun.AltitudeG(), 90 - 23.033, 0.03);
}

TEST_F(SunObjectTest, RadiusTimesDistanceIsTheSemiDiameterAtOneAu) {
  Calendar c;
  for (const Date& when : {Date::FromCivil(100, 1, 1), Date::FromCivil(1900, 7, 4, 5, 6, 7),
                           Date::FromCivil(2024, 1, 3), Date::FromCivil(9999, 12, 31, 23)}) {
    c.SetDateTime(when);
    EXPECT_DOUBLE_EQ(c.Sun().Radius() * c.Sun().Distance(), 0.2669944444444444);
  }
}

TEST_F(SunObjectTest, AltitudesDifferByParallaxAndRefraction) {
  Calendar c;
  AtTokyo(c, Date::FromCivil(2024, 6, 21, 12));
  const SunObject& sun = c.Sun();
  // By day: parallax of 8.8″·cos h lowers, refraction raises.
  const double parallax = 8.794 / 3600 * std::cos(sun.AltitudeG() * kRad) / sun.Distance();
  EXPECT_NEAR(sun.AltitudeG() - sun.AltitudeT(), parallax, 2e-6);
  EXPECT_NEAR(sun.Altitude() - sun.AltitudeT(), Refraction(sun.AltitudeT()), 1e-12);
  EXPECT_GT(sun.Altitude(), sun.AltitudeT());
  // At midnight the Sun is far below −4.4°: no refraction at all.
  c.SetDateTime(Date::FromCivil(2024, 6, 21, 0));
  EXPECT_LT(sun.AltitudeT(), -4.4);
  EXPECT_EQ(sun.Altitude(), sun.AltitudeT());
  // In the morning the Sun is east of the meridian.
  c.SetDateTime(Date::FromCivil(2024, 6, 21, 9));
  EXPECT_GT(sun.Azimuth(), 0);
  EXPECT_LT(sun.Azimuth(), 180);
  // At culmination it stands due south.
  c.SetDateTime(sun.CulminationTime());
  EXPECT_NEAR(sun.Azimuth(), 180, 0.01);
  EXPECT_NEAR(sun.Altitude(), sun.CulminationAltitude(), 0.01);
}

TEST_F(SunObjectTest, TokyoEventsThroughTheCalendar) {
  Calendar c;
  AtTokyo(c, Date::FromCivil(2000, 1, 1, 15, 30));
  const SunObject& sun = c.Sun();
  const auto at = [](int h, int m, int s) { return Date::FromCivil(2000, 1, 1, h, m, s).Days(); };
  const double second = 1.0 / 86400;
  EXPECT_NEAR(sun.RiseTime().Days(), at(6, 50, 26), 3 * second);
  EXPECT_NEAR(sun.CulminationTime().Days(), at(11, 44, 7), 3 * second);
  EXPECT_NEAR(sun.SetTime().Days(), at(16, 37, 55), 3 * second);
  EXPECT_NEAR(sun.CivilTwilightR().Days(), at(6, 22, 13), 3 * second);
  EXPECT_NEAR(sun.CivilTwilightS().Days(), at(17, 6, 8), 3 * second);
  EXPECT_NEAR(sun.AstronomicalTwilightR().Days(), at(5, 19, 17), 3 * second);
  // Every getter reads its own slot.
  const SunEvents e = CalcSunEvents(c.Instant(), LibrarySettings());
  EXPECT_EQ(sun.RiseTime(), Date::FromDays(e.rise.time));
  EXPECT_EQ(sun.RiseAzimuth(), e.rise.value);
  EXPECT_EQ(sun.SetTime(), Date::FromDays(e.set.time));
  EXPECT_EQ(sun.SetAzimuth(), e.set.value);
  EXPECT_EQ(sun.CulminationTime(), Date::FromDays(e.culmination.time));
  EXPECT_EQ(sun.CulminationAltitude(), e.culmination.value);
  EXPECT_EQ(sun.Dawn(), Date::FromDays(e.dawn.time));
  EXPECT_EQ(sun.Twilight(), Date::FromDays(e.dusk.time));
  EXPECT_EQ(sun.CivilTwilightR(), Date::FromDays(e.civilTwilightR.time));
  EXPECT_EQ(sun.CivilTwilightS(), Date::FromDays(e.civilTwilightS.time));
  EXPECT_EQ(sun.NauticalTwilightR(), Date::FromDays(e.nauticalTwilightR.time));
  EXPECT_EQ(sun.NauticalTwilightS(), Date::FromDays(e.nauticalTwilightS.time));
  EXPECT_EQ(sun.AstronomicalTwilightR(), Date::FromDays(e.astronomicalTwilightR.time));
  EXPECT_EQ(sun.AstronomicalTwilightS(), Date::FromDays(e.astronomicalTwilightS.time));
}

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

TEST_F(SunObjectTest, PositionGettersUseTheSettingsInForceWhileEventsWaitForARecalculation) {
  Calendar c;
  AtTokyo(c, Date::FromCivil(2024, 6, 21, 9));
  const SunObject& sun = c.Sun();
  const Date rise = sun.RiseTime();
  const double azimuth = sun.Azimuth(), altitude = sun.Altitude();
  c.SetPause(true);
  c.SetObsLatitude(-35.6544);
  EXPECT_NE(sun.Azimuth(), azimuth);
  EXPECT_LT(sun.Altitude(), altitude);
  EXPECT_EQ(sun.RiseTime(), rise);  // stale until Calculate, as documented
  c.SetPause(false);
  c.Calculate();
  EXPECT_GT(sun.RiseTime().Days(), rise.Days() + 0.05);  // winter in the south
}

TEST_F(SunObjectTest, CalcDateFindsTheNearestPassageOfALongitude) {
  Calendar c;
  c.SetTimeZone(9);
  const SunObject& sun = c.Sun();
  const Date mid = Date::FromCivil(2024, 3, 15);
  const Date equinox = sun.CalcDate(0, mid);
  // The March equinox of 2024: 03-20 12:06 JST.
  EXPECT_NEAR(equinox.Days(), Date::FromCivil(2024, 3, 20, 12, 6).Days(), 3.0 / 1440);
  EXPECT_EQ(sun.CalcDate(360, mid), equinox);
  EXPECT_EQ(sun.CalcDate(-720, mid), equinox);
  EXPECT_EQ(sun.CalcDate(-90, mid), sun.CalcDate(270, mid));
  EXPECT_EQ(mid, Date::FromCivil(2024, 3, 15));  // sDay is not modified
  // The December solstice nearest to mid-March is the previous one.
  EXPECT_EQ(sun.CalcDate(270, mid).ToCivil().year, 2023);
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

TEST_F(SunObjectTest, NegativeHeightNeverReachesTheSun) {
  Calendar c;
  AtTokyo(c, Date::FromCivil(2024, 6, 21, 9));
  EXPECT_EQ(ErrorNumberOf([&] { c.SetObsHeight(-1); }), kInvalidArgument);
  EXPECT_TRUE(std::isfinite(c.Sun().RiseAzimuth()));
  EXPECT_EQ(ErrorNumberOf([&] { SunHorizontalAt(0, Settings{{0, 0, -1}, {}}); }), kInvalidArgument);
}

}  // namespace
}  // namespace almacor
