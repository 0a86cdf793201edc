#include "almacor/sun.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "almacor/calendar.h"
#include "almacor/error.h"
#include "test_support.h"

namespace almacor {
namespace {

// The event times at eight places are SunReference.EventsAgreeWithPyEphem's; here what its table
// does not hold: the azimuths, the culmination's apparent altitude and the order of the events.
TEST(SunEvents, AzimuthsCulminationAndOrder) {
  const double day = CivilToDays(2000, 1, 1);
  const SunEvents e = CalcSunEvents(day + 0.4, Tokyo());  // any time of the day
  // Rise south of east, set south of west, nearly mirror images about the meridian.
  EXPECT_NEAR(e.rise.value, 118.15, 0.05);
  EXPECT_NEAR(e.set.value, 241.89, 0.05);
  // 90 − φ + δ with δ = −23.063 at 02:44 UT, plus 0.027 of refraction.
  EXPECT_NEAR(e.culmination.value, 90 - 35.6544 - 23.0627 + 0.0272, 0.001);
  EXPECT_EQ(e.dawn.value, 0);
  // Morning events in order of the Sun's climb, evening events in reverse.
  const double order[] = {e.astronomicalTwilightR.time,
                          e.nauticalTwilightR.time,
                          e.dawn.time,
                          e.civilTwilightR.time,
                          e.rise.time,
                          e.culmination.time,
                          e.set.time,
                          e.civilTwilightS.time,
                          e.dusk.time,
                          e.nauticalTwilightS.time,
                          e.astronomicalTwilightS.time};
  for (int k = 1; k < 11; ++k) EXPECT_LT(order[k - 1], order[k]) << k;
  // Rise and set azimuths are those of the Sun's place at the event (no refraction); the
  // culmination is due south, or north at Sydney.
  for (const Settings& s : {Tokyo(100), Place(-33.87, 151.21, 10), Place(40.71, -74.01, -5)}) {
    const SunEvents f = CalcSunEvents(CivilToDays(2024, 6, 21), s);
    EXPECT_NEAR(f.rise.value, SunHorizontalAt(f.rise.time, s).azimuth, 0.01);
    EXPECT_NEAR(f.set.value, SunHorizontalAt(f.set.time, s).azimuth, 0.01);
    const double azimuth = SunHorizontalAt(f.culmination.time, s).azimuth;
    EXPECT_NEAR(std::remainder(azimuth - (s.observer.latitude < 0 ? 0 : 180), 360), 0, 0.01);
  }
}

// Polar day: an event that does not happen takes the lower culmination, on the same date.
TEST(SunEvents, PolarDaySubstitutesTheLowerCulmination) {
  const double day = CivilToDays(2024, 6, 21);
  const SunEvents e = CalcSunEvents(day, Place(69.65, 18.96, 1));  // the Sun stays above +3°
  // The culmination falls before noon here, so the lower one is 12 hours after it.
  ASSERT_LT(e.culmination.time, day + 0.5);
  const double lower = e.culmination.time + 0.5;
  for (const BodyEvent* event : {&e.rise, &e.set, &e.dawn, &e.dusk, &e.civilTwilightR,
                                 &e.civilTwilightS, &e.nauticalTwilightR, &e.nauticalTwilightS,
                                 &e.astronomicalTwilightR, &e.astronomicalTwilightS}) {
    EXPECT_EQ(event->time, lower);
  }
  // The azimuths are those of the meridian.
  EXPECT_NEAR(e.rise.value, 180, 1e-9);
  EXPECT_NEAR(e.set.value, 180, 1e-9);

  // At 52° the Sun stays above −18° but not above −12°: only the astronomical pair falls back.
  const SunEvents mid = CalcSunEvents(day, Place(52, 0, 0));
  EXPECT_EQ(mid.astronomicalTwilightR.time, mid.astronomicalTwilightS.time);
  EXPECT_EQ(std::floor(mid.astronomicalTwilightR.time), day);
  EXPECT_NEAR(std::fabs(mid.astronomicalTwilightR.time - mid.culmination.time), 0.5, 1e-12);
  EXPECT_LT(mid.nauticalTwilightR.time + 0.01, mid.nauticalTwilightS.time);

  // When the culmination falls after noon the lower culmination is taken 12 hours before it, so it
  // stays on the date: Antarctic summer, 10° west of the zone meridian.
  const double december = CivilToDays(2024, 12, 21);
  const SunEvents south = CalcSunEvents(december, Place(-75, -10, 0));
  EXPECT_GT(south.culmination.time, december + 0.5);
  EXPECT_NEAR(south.rise.time, south.culmination.time - 0.5, 1e-12);
  EXPECT_EQ(std::floor(south.set.time), december);
  EXPECT_NEAR(south.rise.value, 0, 1e-9);  // the Sun culminates in the north
}

TEST(SunEvents, PolarNightSubstitutesTheCulmination) {
  const double day = CivilToDays(2024, 12, 21);
  const SunEvents e = CalcSunEvents(day, Place(75, 15, 1));  // noon altitude about −8.4°
  EXPECT_EQ(e.rise.time, e.culmination.time);
  EXPECT_EQ(e.set.time, e.culmination.time);
  EXPECT_EQ(e.civilTwilightR.time, e.culmination.time);
  EXPECT_EQ(e.dawn.time, e.culmination.time);
  // The Sun does reach −12°: nautical twilight brackets the culmination.
  EXPECT_LT(e.nauticalTwilightR.time, e.culmination.time - 0.05);
  EXPECT_GT(e.nauticalTwilightS.time, e.culmination.time + 0.05);
  EXPECT_LT(e.culmination.value, -8);
}

TEST(SunEvents, SingleEventsAndRiseSetAgreeWithTheFullDay) {
  for (const auto& [s, day] : {std::pair{Tokyo(), CivilToDays(2000, 1, 1)},
                               std::pair{Place(69.65, 18.96, 1), CivilToDays(2024, 6, 21)}}) {
    const SunEvents all = CalcSunEvents(day, s);
    EXPECT_EQ(CalcSunRiseSet(day + 0.99, s), (SunRiseSet{all.rise, all.set}));
    EXPECT_EQ(CalcSunEvent(SunEventCode::Culmination, day, s), all.culmination);
    EXPECT_EQ(CalcSunEvent(SunEventCode::Dusk, day, s), all.dusk);
    EXPECT_EQ(CalcSunEvent(SunEventCode::NauticalTwilightR, day, s), all.nauticalTwilightR);
    EXPECT_EQ(CalcSunEvent(SunEventCode::AstronomicalTwilightS, day, s), all.astronomicalTwilightS);
  }
}

TEST(SunEvents, DayIsTheFloorOfTheInstantBeforeDayZeroToo) {
  // −0.25 is 1899-12-29 18:00: its events belong to 1899-12-29 (day −1).
  const SunEvents e = CalcSunEvents(-0.25, Place(51.48, 0, 0));
  EXPECT_EQ(std::floor(e.culmination.time), -1);
  EXPECT_EQ(e, CalcSunEvents(-1, Place(51.48, 0, 0)));
}

TEST(SunEvents, BadInputRaisesInvalidArgument) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  Settings fixedDeltaT = Tokyo();
  fixedDeltaT.time.deltaTEstimated = false;
  fixedDeltaT.time.deltaT = inf;
  ExpectEachRaises(
      kInvalidArgument,
      {[&] { CalcSunEvents(nan, Tokyo()); }, [&] { CalcSunRiseSet(inf, Tokyo()); },
       [&] { CalcSunEvents(0, Tokyo(-1)); }, [&] { CalcSunEvents(0, Tokyo(nan)); },
       [&] { CalcSunEvents(0, Place(nan, 0, 0)); }, [&] { CalcSunEvents(0, Place(91, 0, 0)); },
       [&] { CalcSunEvents(0, Place(0, 181, 0)); }, [&] { CalcSunEvents(0, Place(0, 0, nan)); },
       [&] { CalcSunEvents(0, fixedDeltaT); },
       [&] { CalcSunEvent(static_cast<SunEventCode>(6), 0, Tokyo()); },
       [&] { SunHorizontalAt(0, Tokyo(-5)); }, [&] { SunEquatorialAt(nan, TimeScale{}); },
       [&] { SunRadiusAt(-inf, TimeScale{}); },
       // A finite but huge day count would overflow ΔT into a NaN longitude.
       [&] { SunLongitudeAt(1e300, TimeScale{}); }, [&] { SunDistanceAt(-4e7, TimeScale{}); },
       [&] { CalcSunEvents(1e12, Tokyo()); }, [&] { SolveSunLongitude(1000, 0, TimeScale{}); },
       [&] { SolveSunLongitude(nan, 0, TimeScale{}); },
       [&] { SolveSunLongitude(-1, 0, TimeScale{}); }});
  // The poles themselves are valid: the Sun circles at a constant altitude.
  EXPECT_NO_THROW(CalcSunEvents(CivilToDays(2024, 6, 21), Place(90, 0, 0)));
  EXPECT_NO_THROW(CalcSunEvents(CivilToDays(2024, 6, 21), Place(-90, 0, 0)));
}

using SunObjectTest = LibrarySettingsTest;

// The events are kept while the local date and the settings stay the same; anything else that
// they depend on recomputes them, so a stored event is never stale after a recalculation.
TEST_F(SunObjectTest, EventsFollowTheDateAndEverySettingTheyDependOn) {
  LibrarySettings() = Tokyo();
  Calendar c;
  c.SetDateTime(Date::FromCivil(2024, 3, 1, 23, 58));
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
