#include "almacor/moon.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "almacor/angles.h"
#include "almacor/calendar.h"
#include "almacor/date.h"
#include "almacor/error.h"
#include "almacor/sun.h"
#include "test_support.h"

namespace almacor {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kOneSecond = 1.0 / 86400;

// d shifts with the zone; the physical instant, and so the position, does not.
TEST(MoonPosition, SameInstantInAnyZone) {
  TimeScale utc, tokyo = Tokyo().time, west;
  west.timeZone = -7.5f;
  const double u = CivilToDays(2024, 3, 10, 3600 * 5);
  for (const TimeScale* ts : {&tokyo, &west}) {
    const double d = u + ts->timeZone / 24.0;
    EXPECT_NEAR(MoonLongitudeAt(d, *ts), MoonLongitudeAt(u, utc), 1e-9);
    EXPECT_NEAR(MoonLatitudeAt(d, *ts), MoonLatitudeAt(u, utc), 1e-9);
    EXPECT_NEAR(MoonDistanceAt(d, *ts), MoonDistanceAt(u, utc), 1e-6);
  }
}

TEST(MoonPosition, TopocentricAltitude) {
  const Settings s = Tokyo();
  // The observer's height enters neither the azimuth nor the topocentric altitude.
  const double d = CivilToDays(2024, 1, 1, 3600 * 7);
  const MoonHorizontal h = MoonHorizontalAt(d, s), high = MoonHorizontalAt(d, Tokyo(3000));
  EXPECT_EQ(high.azimuth, h.azimuth);
  EXPECT_EQ(high.altitudeT, h.altitudeT);
  // At moonrise (hG about 0.4°) the parallax in altitude is the horizontal parallax.
  const BodyEvent rise = CalcMoonEvents(CivilToDays(2024, 1, 1), s).rise;
  const MoonHorizontal atRise = MoonHorizontalAt(rise.time, s);
  EXPECT_NEAR(atRise.altitudeG - atRise.altitudeT, MoonParallaxAt(rise.time, s.time), 0.001);
}

TEST(MoonPhase, IlluminatedFraction) {
  // (1 − cos E)/2 with the library's degree factor (π to 15 digits): 0.5 to within 3e-15.
  for (const auto& [elongation, fraction] :
       {std::pair{0.0, 0.0}, std::pair{90.0, 0.5}, std::pair{180.0, 1.0}, std::pair{270.0, 0.5}}) {
    EXPECT_NEAR(MoonIlluminated(elongation), fraction, 1e-14) << elongation;
  }
}

TEST(MoonPhase, ElongationSolverAndNewMoons) {
  const TimeScale ts = Tokyo().time;
  const double start = CivilToDays(2024, 5, 1);
  // Quarter phases land on their elongation; 0 and 360 are the same target.
  for (double target : {0.0, 90.0, 180.0, 270.0}) {
    const double d = SolveMoonElongation(target, start, ts);
    EXPECT_NEAR(std::remainder(MoonElongationAt(d, ts) - target, 360), 0, 2e-4) << target;
    EXPECT_LT(std::fabs(d - start), kSynodicMonth / 2 + 1) << target;
  }
  const double newMoon = PreviousNewMoon(CivilToDays(2024, 5, 20), ts);
  EXPECT_EQ(IsoDate(newMoon), "2024-05-08");
  // At or before: from just after a new moon it is that one; from just before, the previous one.
  EXPECT_NEAR(PreviousNewMoon(newMoon + 1.0 / 1440, ts), newMoon, kOneSecond);
  EXPECT_NEAR(PreviousNewMoon(newMoon - 1.0 / 1440, ts), newMoon - kSynodicMonth, 1.0);
  EXPECT_LT(PreviousNewMoon(newMoon - 1.0 / 1440, ts), newMoon - 29);
  // A start just after a full moon still converges (to either neighbouring new moon).
  const double fullMoon = SolveMoonElongation(180, start, ts);
  const double n = SolveMoonElongation(0, fullMoon + 0.01, ts);
  EXPECT_NEAR(std::remainder(MoonElongationAt(n, ts), 360), 0, 2e-4);
}

// The Moon's longitude minus the Sun's runs over −360 … 360, so the error from a target above 180
// can lie below −540: a single ±360 would still leave it beyond ±180, and the solver would step
// most of a month forward, to the passage after next instead of the nearest one.
TEST(MoonPhase, ElongationErrorIsWrappedIntoHalfATurnForEveryTarget) {
  const TimeScale ts = Tokyo().time;
  for (double start = CivilToDays(2024, 1, 1); start < CivilToDays(2024, 3, 1); start += 0.7) {
    for (double target : {200.0, 270.0, 315.0, 359.0}) {
      const double d = SolveMoonElongation(target, start, ts);
      EXPECT_NEAR(std::remainder(MoonElongationAt(d, ts) - target, 360), 0, 2e-4);
      // The passage nearest in elongation: behind the start when the target was passed less than
      // half a turn ago, ahead of it otherwise.
      const double behind = std::remainder(MoonElongationAt(start, ts) - target, 360);
      EXPECT_EQ(std::signbit(d - start), behind > 0) << target << " from " << start;
      EXPECT_LT(std::fabs(d - start), 17.5) << target << " from " << start;
    }
  }
}

TEST(MoonPhase, AgeAroundANewMoon) {
  const TimeScale ts = Tokyo().time;
  const double newMoon = SolveMoonElongation(0, CivilToDays(2024, 5, 5), ts);
  EXPECT_EQ(MoonAgeAt(newMoon, ts), 0);
  EXPECT_EQ(MoonAgeAt(newMoon + 0.5 * kOneSecond, ts), 0);
  EXPECT_EQ(MoonAgeAt(newMoon - 0.5 * kOneSecond, ts), 0);
  EXPECT_NEAR(MoonAgeAt(newMoon + 1.0 / 1440, ts), 1.0 / 1440, kOneSecond);
  EXPECT_GT(MoonAgeAt(newMoon - 1.0 / 1440, ts), 29.2);
  // The age at noon is one value for the whole civil day.
  const double day = std::floor(newMoon);
  const double noonAge = MoonAgeNoonAt(day, ts);
  for (double f : {0.0, 0.2, 0.5, 0.9, 0.9999}) EXPECT_EQ(MoonAgeNoonAt(day + f, ts), noonAge);
  EXPECT_NEAR(noonAge, MoonAgeAt(day + 0.5, ts), 1e-12);
}

TEST(MoonEvents, NoRiseAndNoSetAtHighLatitude) {
  // At 70° N the Moon of 2025 (near a major standstill, declination up to ±28.5°) stays up or
  // down for days on end.
  Settings s;
  s.observer = {20, 70, 0};
  s.time.timeZone = 1;
  int neverRises = 0, neverSets = 0;
  double aboveAllDay = 0;
  for (double day = CivilToDays(2025, 1, 1); day < CivilToDays(2025, 3, 1); ++day) {
    const RiseTransitSet e = CalcMoonEvents(day, s);
    if (e.rise.time == e.culmination.time) {
      ++neverRises;
      EXPECT_EQ(e.set.time, e.culmination.time);
      EXPECT_LT(e.culmination.value, 1);  // apparent altitude, with refraction
    } else if (e.rise.time == e.culmination.time + 0.5) {
      ++neverSets;
      aboveAllDay = day;
      EXPECT_EQ(e.set.time, e.culmination.time + 0.5);
      EXPECT_GT(e.culmination.value, 20);
    }
  }
  EXPECT_GT(neverRises, 3);
  EXPECT_GT(neverSets, 3);
  // On 9999-12-31 the substitute goes back half a day instead of forward.
  const double lastDay = 2958465.3;
  EXPECT_EQ(CalcMoonEvent(kMoonRise, aboveAllDay, s, lastDay).time, lastDay - 0.5);
  EXPECT_EQ(CalcMoonEvent(kMoonSet, aboveAllDay, s, lastDay - 1).time, lastDay - 0.5);
}

// At rise and set the geocentric altitude is π − 35′08″ − dip (0.0353°·√height).
TEST(MoonEvents, RiseAndSetAreOnTheDippedHorizon) {
  const Settings s = Tokyo(400);
  const RiseTransitSet e = CalcMoonEvents(CivilToDays(2024, 6, 1), s);
  for (const BodyEvent& event : {e.rise, e.set}) {
    EXPECT_NEAR(MoonHorizontalAt(event.time, s).altitudeG,
                MoonParallaxAt(event.time, s.time) - 0.035333333333333335 * 20 - 0.5855555555555556,
                0.005);
  }
}

TEST(MoonBadInput, ErrorsInsteadOfNaN) {
  const Settings tokyo = Tokyo();
  const TimeScale& ts = tokyo.time;
  const double inf = std::numeric_limits<double>::infinity();
  // A negative height has no dip: refused instead of a NaN event time.
  Settings below = tokyo, nowhere = tokyo;
  below.observer.height = -1;
  nowhere.observer.latitude = kNaN;
  ExpectEachRaises(kInvalidArgument,
                   {
                       [&] { MoonLongitudeAt(kNaN, ts); },
                       [&] { MoonLatitudeAt(inf, ts); },
                       [&] { MoonParallaxAt(-inf, ts); },
                       [&] { SolveMoonElongation(kNaN, 40000, ts); },
                       [&] { SolveMoonElongation(0, inf, ts); },
                       [&] { PreviousNewMoon(kNaN, ts); },
                       [&] { MoonAgeNoonAt(kNaN, ts); },
                       [&] { MoonIlluminated(kNaN); },
                       [&] { CalcMoonEvents(kNaN, tokyo); },
                       [&] { CalcMoonEvent(static_cast<MoonEventCode>(3), 40000, tokyo); },
                       [&] { CalcMoonEvents(40000, below); },
                       [&] { CalcMoonEvents(40000, nowhere); },
                   });
}

// MoonObject through its Calendar, with the library-wide settings saved and restored.
class MoonObjectTest : public LibrarySettingsTest {
 protected:
  void SetUp() override {
    LibrarySettingsTest::SetUp();
    LibrarySettings() = Tokyo();
  }
};

TEST_F(MoonObjectTest, CalcDate) {
  Calendar c;
  c.SetDateTime(Date::FromCivil(2024, 5, 20, 9));
  const MoonObject& m = c.Moon();
  // An omitted sDay is the Calendar's instant.
  EXPECT_EQ(m.CalcDate(0), m.CalcDate(0, c.DateTime()));
  const Date start = Date::FromCivil(2024, 7, 1);
  // Targets are taken modulo 360.
  EXPECT_EQ(m.CalcDate(-90, start), m.CalcDate(270, start));
  EXPECT_EQ(ErrorNumberOf([&] { m.CalcDate(kNaN, start); }), kInvalidArgument);
  // At the new moon it returns, the age is 0, and the illuminated fraction 0.
  const Date newMoon = m.CalcDate(0, start);
  c.SetDateTime(newMoon);
  EXPECT_EQ(m.Age(), 0);
  EXPECT_NEAR(m.Illuminated(), 0, 1e-8);
}

// The Moon's and the Sun's on-demand values see a new observer at once; stored ones, the events
// among them, wait for the recalculation, as documented.
TEST_F(MoonObjectTest, GettersFollowTheSettingsEventsFollowTheRecalculation) {
  Calendar c;
  c.SetDateTime(Date::FromCivil(2024, 5, 20, 21));
  const MoonObject& m = c.Moon();
  const Date rise = m.RiseTime(), sunrise = c.Sun().RiseTime();
  const double longitude = m.Longitude(), altitude = m.AltitudeG(), distance = m.Distance();
  const double sunAzimuth = c.Sun().Azimuth();
  c.SetPause(true);
  c.SetObsLatitude(-33.9);
  EXPECT_NE(m.AltitudeG(), altitude);
  EXPECT_NE(c.Sun().Azimuth(), sunAzimuth);
  EXPECT_EQ(m.Distance(), distance);
  EXPECT_EQ(m.Longitude(), longitude);
  EXPECT_EQ(m.RiseTime(), rise);
  EXPECT_EQ(c.Sun().RiseTime(), sunrise);
  c.SetPause(false);
  c.Calculate();
  EXPECT_NE(m.RiseTime(), rise);
  EXPECT_GT(c.Sun().RiseTime().Days(), sunrise.Days() + 0.03);  // late autumn in the south
  // Events reused within a day are those a fresh computation gives.
  c.SetDateTime(Date::FromCivil(2024, 5, 20, 3));
  const RiseTransitSet e = CalcMoonEvents(c.DateTime().Days(), LibrarySettings());
  EXPECT_EQ(m.RiseTime(), Date::FromDays(e.rise.time));
  EXPECT_EQ(m.SetTime(), Date::FromDays(e.set.time));
  EXPECT_EQ(m.CulminationAltitude(), e.culmination.value);
  // A change of height changes the dip, and so the events, within the same day.
  c.SetObsHeight(1000);
  EXPECT_LT(m.RiseTime().Days(), e.rise.time);
}

// A failed recalculation (here a negative height slipped past the setters) raises Error 5 and
// leaves every stored value as it was, instead of storing NaN event times.
TEST_F(MoonObjectTest, FailedUpdateChangesNothing) {
  Calendar c;
  c.SetDateTime(Date::FromCivil(2024, 5, 20, 21));
  const MoonObject& m = c.Moon();
  const double longitude = m.Longitude();
  const Date rise = m.RiseTime();
  LibrarySettings().observer.height = -5;
  c.SetPause(true);
  c.SetDateTime(Date::FromCivil(2024, 6, 20, 21));
  c.SetPause(false);
  EXPECT_EQ(ErrorNumberOf([&] { c.Calculate(); }), kInvalidArgument);
  EXPECT_EQ(m.Longitude(), longitude);
  EXPECT_EQ(m.RiseTime(), rise);
}

}  // namespace
}  // namespace almacor
