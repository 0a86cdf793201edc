// The Moon: its position, phases and age, rise and set, the object; and the eclipses it makes:
// their limits and condition, the Earth's shadow, the discs as seen from a place, the search range.
#include "almacor/moon.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <string>

#include "almacor/angles.h"
#include "almacor/calendar.h"
#include "almacor/constants.h"
#include "almacor/date.h"
#include "almacor/eclipses.h"
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
  ExpectEachRaises(
      kInvalidArgument,
      {[&] { MoonLongitudeAt(kNaN, ts); }, [&] { MoonLatitudeAt(inf, ts); },
       [&] { MoonParallaxAt(-inf, ts); }, [&] { SolveMoonElongation(kNaN, 40000, ts); },
       [&] { SolveMoonElongation(0, inf, ts); }, [&] { PreviousNewMoon(kNaN, ts); },
       [&] { MoonAgeNoonAt(kNaN, ts); }, [&] { MoonIlluminated(kNaN); },
       [&] { CalcMoonEvents(kNaN, tokyo); },
       [&] { CalcMoonEvent(static_cast<MoonEventCode>(3), 40000, tokyo); },
       [&] { CalcMoonEvents(40000, below); }, [&] { CalcMoonEvents(40000, nowhere); }});
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

TEST(EclipseLimits, AgreeWithTheClassicalEclipseLimits) {
  // Mean Moon (384400 km, semidiameter 15.54′) and Sun at 1 au (16.0′): a partial solar eclipse
  // needs the Moon's latitude at conjunction below about 1.47°; the Moon touches the umbra when
  // its latitude at opposition is below about 0.95°.
  const double solar = SolarEclipseLimit(0.2590, 384400, 0.2666, 1.0);
  EXPECT_NEAR(solar, 1.474, 0.003);
  const double lunar = LunarEclipseLimit(384400, 1.0);
  EXPECT_NEAR(lunar, 0.944, 0.003);
  // A nearer Moon widens both limits; a farther Sun widens the lunar one (smaller penumbral taper).
  EXPECT_GT(SolarEclipseLimit(0.2750, 356500, 0.2666, 1.0), solar);
  EXPECT_GT(LunarEclipseLimit(356500, 1.0), lunar);
  EXPECT_GT(LunarEclipseLimit(384400, 1.017), lunar);
}

// Every solar eclipse and every lunar eclipse reaching the umbra in 2019–2024 (UT dates of the
// published eclipse canons); the penumbral-only lunar eclipses of 2020, 2023 and 2024 are not.
TEST(EclipseCondition, FindsTheEclipsesOf2019To2024) {
  const std::set<std::string> expected = {
      "2019-01-06 S", "2019-01-21 L", "2019-07-02 S", "2019-07-16 L", "2019-12-26 S",
      "2020-06-21 S", "2020-12-14 S", "2021-05-26 L", "2021-06-10 S", "2021-11-19 L",
      "2021-12-04 S", "2022-04-30 S", "2022-05-16 L", "2022-10-25 S", "2022-11-08 L",
      "2023-04-20 S", "2023-10-14 S", "2023-10-28 L", "2024-04-08 S", "2024-09-18 L",
      "2024-10-02 S"};
  const TimeScale utc;
  std::set<std::string> found;
  for (const MoonPhase& phase :
       MoonPhasesBetween(CivilToDays(2019, 1, 1), CivilToDays(2025, 1, 1), utc)) {
    const bool lunar = phase.kind == MoonPhaseKind::FullMoon;
    if (!lunar && phase.kind != MoonPhaseKind::NewMoon) continue;
    const double t = phase.time;
    const SyzygyPlace place{MoonLatitudeAt(t, utc), MoonRadiusAt(t, utc), MoonDistanceAt(t, utc),
                            SunRadiusAt(t, utc), SunDistanceAt(t, utc)};
    if (!IsEclipse(place, lunar)) continue;
    const CivilDateTime c = Date::FromDays(t).ToCivil();
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %c", c.year, c.month, c.day,
                  lunar ? 'L' : 'S');
    found.insert(text);
  }
  EXPECT_EQ(found, expected);
}

TEST(EarthShadow, RadiiAtTheMeanDistances) {
  // About 1.25° for the penumbra and 0.70° for the umbra (2.7 lunar semi-diameters).
  const ShadowRadii mean = EarthShadowRadii(384400, 1.0);
  EXPECT_NEAR(mean.penumbra, 1.244, 0.002);
  EXPECT_NEAR(mean.umbra, 0.700, 0.002);
  // The umbra narrows and the penumbra widens towards the Sun (a nearer Sun, a farther Moon).
  const ShadowRadii perihelion = EarthShadowRadii(384400, 0.983);
  EXPECT_LT(perihelion.umbra, mean.umbra);
  EXPECT_GT(perihelion.penumbra, mean.penumbra);
  // The shadow's centre is the point opposite the Sun.
  EXPECT_NEAR(ShadowSeparation(10, 4, 190, -4).distance, 0, 1e-6);
  EXPECT_NEAR(ShadowSeparation(10, 4, 190, -3).direction, 0, 1e-6);  // north of it
}

TEST(TopocentricDisc, ParallaxAndNearerMoon) {
  // On the horizon the Moon drops by its horizontal parallax and looks as large as geocentric.
  const TopocentricDisc horizon = MoonDiscOf(90, 0, 384400);
  EXPECT_NEAR(horizon.altitude, -std::asin(6378.14 / 384400) / kRad, 1e-3);
  EXPECT_NEAR(horizon.radius,
              std::asin(1738.092 / std::sqrt(384400.0 * 384400 + 6378.14 * 6378.14)) / kRad, 1e-9);
  // In the zenith it is one Earth radius nearer and has no parallax.
  const TopocentricDisc zenith = MoonDiscOf(0, 90, 384400);
  EXPECT_NEAR(zenith.altitude, 90, 1e-9);
  EXPECT_NEAR(zenith.radius, std::asin(1738.092 / (384400 - 6378.14)) / kRad, 1e-9);
  // The Sun at 1 au on the horizon: 959.63″.
  EXPECT_NEAR(SunDiscOf(0, 0, 1).radius * 3600, 959.63, 0.01);
}

TEST(EclipseSpans, InstantsOfTheSearchRangeAndTheViewItems) {
  const auto seconds = [](double d) { return std::llround(d * 86400); };
  const auto at = [&](int y, int mo, int d, int h, int mi, int s) {
    return seconds(Date::FromCivil(y, mo, d, h, mi, s).Days());
  };
  EXPECT_EQ(seconds(EclipseSearchRange(false).first), at(100, 2, 25, 19, 59, 44));
  EXPECT_EQ(seconds(EclipseSearchRange(false).last), at(9999, 10, 3, 10, 56, 16));
  EXPECT_EQ(seconds(EclipseSearchRange(true).first), at(100, 2, 11, 10, 42, 10));
  EXPECT_EQ(seconds(EclipseSearchRange(true).last), at(9999, 10, 18, 20, 19, 55));
  // The view's items read the stored values as day counts: earlier before 1899.
  EXPECT_EQ(seconds(EclipseMenuLimits(false).first), at(100, 2, 24, 4, 0, 16));
  EXPECT_EQ(seconds(EclipseMenuLimits(true).first), at(100, 2, 10, 13, 17, 50));
  EXPECT_EQ(EclipseMenuLimits(true).last, EclipseSearchRange(true).last);
}

}  // namespace
}  // namespace almacor
