#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "almacor/date.h"
#include "almacor/error.h"
#include "almacor/sun.h"
#include "test_support.h"

namespace almacor {
namespace {

// The event times of every kind at eight places are sun_reference_test.cpp's; here what that table
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
  struct Case {
    Settings s;
    double day;
  };
  const Case cases[] = {{Tokyo(), CivilToDays(2000, 1, 1)},
                        {Place(69.65, 18.96, 1), CivilToDays(2024, 6, 21)}};
  for (const Case& c : cases) {
    const SunEvents all = CalcSunEvents(c.day, c.s);
    EXPECT_EQ(CalcSunRiseSet(c.day + 0.99, c.s), (SunRiseSet{all.rise, all.set}));
    EXPECT_EQ(CalcSunEvent(SunEventCode::Culmination, c.day, c.s), all.culmination);
    EXPECT_EQ(CalcSunEvent(SunEventCode::Dusk, c.day, c.s), all.dusk);
    EXPECT_EQ(CalcSunEvent(SunEventCode::NauticalTwilightR, c.day, c.s), all.nauticalTwilightR);
    EXPECT_EQ(CalcSunEvent(SunEventCode::AstronomicalTwilightS, c.day, c.s),
              all.astronomicalTwilightS);
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
  ExpectEachRaises(kInvalidArgument,
                   {
                       [&] { CalcSunEvents(nan, Tokyo()); },
                       [&] { CalcSunRiseSet(inf, Tokyo()); },
                       [&] { CalcSunEvents(0, Tokyo(-1)); },
                       [&] { CalcSunEvents(0, Tokyo(nan)); },
                       [&] { CalcSunEvents(0, Place(nan, 0, 0)); },
                       [&] { CalcSunEvents(0, Place(91, 0, 0)); },
                       [&] { CalcSunEvents(0, Place(0, 181, 0)); },
                       [&] { CalcSunEvents(0, Place(0, 0, nan)); },
                       [&] { CalcSunEvents(0, fixedDeltaT); },
                       [&] { CalcSunEvent(static_cast<SunEventCode>(6), 0, Tokyo()); },
                       [&] { SunHorizontalAt(0, Tokyo(-5)); },
                       [&] { SunEquatorialAt(nan, TimeScale{}); },
                       [&] { SunRadiusAt(-inf, TimeScale{}); },
                       // A finite but huge day count would overflow ΔT into a NaN longitude.
                       [&] { SunLongitudeAt(1e300, TimeScale{}); },
                       [&] { SunDistanceAt(-4e7, TimeScale{}); },
                       [&] { CalcSunEvents(1e12, Tokyo()); },
                       [&] { SolveSunLongitude(1000, 0, TimeScale{}); },
                       [&] { SolveSunLongitude(nan, 0, TimeScale{}); },
                       [&] { SolveSunLongitude(-1, 0, TimeScale{}); },
                   });
  // The poles themselves are valid: the Sun circles at a constant altitude.
  EXPECT_NO_THROW(CalcSunEvents(CivilToDays(2024, 6, 21), Place(90, 0, 0)));
  EXPECT_NO_THROW(CalcSunEvents(CivilToDays(2024, 6, 21), Place(-90, 0, 0)));
}

}  // namespace
}  // namespace almacor
