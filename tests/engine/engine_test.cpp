// The engine: the day count and Date, time scales, sidereal time, the angle routines, and the
// Calendar object's settings, pause and recalculation.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <string>
#include <type_traits>

#include "almacor/angles.h"
#include "almacor/calendar.h"
#include "almacor/date.h"
#include "almacor/error.h"
#include "almacor/timescales.h"
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
  ExpectEachRaises(kInvalidArgument,
                   {[] { Date::FromCivil(99, 12, 31); }, [] { Date::FromCivil(2023, 2, 29); },
                    [] { Date::FromValue(2958466); }, [] { Date::FromValue(std::nan("")); }});
  // The day count -657434.5 is 0099-12-31 12:00.
  ExpectEachRaises(kOverflow, {[] { Date::FromDays(-657434.5); }, [] { Date::FromDays(2958466); },
                               [] { Date::FromDays(HUGE_VAL); }});
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

TEST(DeltaT, AgreesWithASecondTranscriptionAtEveryNodeAndMidpoint) {
  // tests/data/deltat_reference.csv holds the model evaluated by scripts/reference/
  // deltat_reference.py (its own copy of the nodes, slopes in Hermite basis form, the formula)
  // from the year 1, before the first node, on: the midpoints catch a wrong slope, the nodes a
  // wrong value.
  const TimeScale ts;
  const auto rows = ReadReferenceTable("deltat_reference.csv");
  ASSERT_GT(rows.size(), 150u);
  for (const auto& row : rows) {
    const double u = std::stod(row[0]);
    const double expected = std::stod(row[1]);
    EXPECT_NEAR(EstimateDeltaT(u, ts), expected, 1e-6 + 1e-10 * std::fabs(expected)) << "u = " << u;
  }
  // A value near 1950 from published ΔT tables (≈ 29 s).
  EXPECT_NEAR(EstimateDeltaT(CivilToDays(1950, 1, 1), ts), 29.15, 0.2);
}

TEST(DeltaT, StoredValueWhenNotEstimated) {
  TimeScale ts;
  ts.deltaTEstimated = false;
  ts.deltaT = 120;
  EXPECT_EQ(EstimateDeltaT(-600000, ts), 120);
  EXPECT_EQ(EstimateDeltaT(70000, ts), 120);
  EXPECT_NEAR((JulianDayTDOf(1000, ts) - JulianDayOf(1000, ts)) * 86400, 120, 1e-4);
}

TEST(TimeScales, JulianDayAndYearsSinceEpoch) {
  TimeScale ts;
  ts.timeZone = 9;
  EXPECT_DOUBLE_EQ(JulianDayOf(CivilToDays(2000, 1, 1, 21 * 3600), ts), 2451545.0);
  ts.deltaTEstimated = false;
  ts.deltaT = 0;
  EXPECT_DOUBLE_EQ(YearsSinceEpoch(36526.5 + 0.375 + 365.25, false, ts), 1.0);
  EXPECT_DOUBLE_EQ(YearsSinceEpoch(27394 + 0.375, true, ts), 0.0);
}

TEST(SiderealTime, GreenwichMeanAtJ2000AndLocalOffset) {
  Settings s;
  s.observer.longitude = 139.7447;
  // 2000-01-01 12:00 UT: GMST = 280.46062° (18h41m50.5s).
  EXPECT_NEAR(CalcSiderealTime(36526.5, GreenwichMean, s), 280.46062, 1e-4);
  for (double lon : {139.7447, -75.0, 180.0, -180.0}) {
    s.observer.longitude = lon;
    const double diff =
        CalcSiderealTime(40000.3, LocalMean, s) - CalcSiderealTime(40000.3, GreenwichMean, s);
    EXPECT_NEAR(std::fmod(diff + 720, 360), std::fmod(lon + 720, 360), 1e-9) << lon;
  }
  // The zone does not change the sidereal time of the same UT instant.
  Settings tokyo = s;
  tokyo.time.timeZone = 9;
  EXPECT_NEAR(CalcSiderealTime(40000.3 + 0.375, GreenwichMean, tokyo),
              CalcSiderealTime(40000.3, GreenwichMean, s), 1e-6);
  // The equation of the equinoxes stays within about 1.2 s of time (0.005°).
  const double eq =
      CalcSiderealTime(40000.3, GreenwichApparent, s) - CalcSiderealTime(40000.3, GreenwichMean, s);
  EXPECT_LT(std::fabs(eq), 0.0053);
}

TEST(Angles, DegreeFactorNormalizationAndEclipticToEquatorial) {
  EXPECT_EQ(kRad, 0.017453292519943278);  // π to fifteen digits
  EXPECT_EQ(Normalize360(-30), 330);
  EXPECT_EQ(Normalize360(360), 0);
  // At λ = 90 the declination equals the obliquity and the right ascension is 90.
  EXPECT_NEAR(EclipticToDeclination(90, 0, 23.44), 23.44, 1e-12);
  EXPECT_NEAR(EclipticToAscension(90, 0, 23.44), 90, 1e-12);
  EXPECT_NEAR(EclipticToAscension(0, 0, 23.44), 0, 1e-12);
  // The north ecliptic pole lies at α = 270, δ = 90 − ε.
  EXPECT_NEAR(EclipticToAscension(0, 90 - 1e-9, 23.44), 270, 1e-6);
  EXPECT_NEAR(EclipticToDeclination(0, 90, 23.44), 66.56, 1e-9);
  EXPECT_NEAR(TrueObliquity(36526.5, TimeScale{}), 23.4377, 0.0005);  // at J2000
}

TEST(Angles, RefractionLimits) {
  EXPECT_EQ(Refraction(-4.4), 0);
  EXPECT_EQ(Refraction(-10), 0);
  EXPECT_NEAR(Refraction(0), 0.489, 0.001);
  EXPECT_NEAR(Refraction(55), 0.0116, 0.0002);
  EXPECT_EQ(Refraction(90), 0);  // a = 90.07 is outside the formula's range
}

TEST(Angles, HorizontalCoordinates) {
  // On the meridian south of the zenith the azimuth is 180; east of it (H < 0) between 0 and 180.
  const Horizontal south = HourAngleToHorizontal(0, 0, 35);
  EXPECT_NEAR(south.azimuth, 180, 1e-9);
  EXPECT_NEAR(south.altitudeG, 55, 1e-9);
  const Horizontal east = HourAngleToHorizontal(-30, 10, 35);
  EXPECT_GT(east.azimuth, 0);
  EXPECT_LT(east.azimuth, 180);
  // Topocentric parallax lowers a body on the horizon by its horizontal parallax.
  const double rho = 6378.14 / 384400;
  EXPECT_NEAR(TopocentricAltitude(0, rho), -std::atan(rho) / kRad, 1e-9);
  EXPECT_NEAR(TopocentricAltitude(90, rho), 90, 1e-12);
}

// The number arguments of ZodiacalName and KyuseiName are Integers (16-bit), like every other
// Integer of the interface.
static_assert(std::is_same_v<decltype(&Calendar::ZodiacalName),
                             std::string (Calendar::*)(std::int16_t, ZodiacalConstants) const>);
static_assert(std::is_same_v<decltype(&Calendar::KyuseiName),
                             std::string (Calendar::*)(std::int16_t, bool) const>);

// Each test starts from the library-wide defaults and restores them afterwards.
using CalendarTest = LibrarySettingsTest;

// Each setter takes its bounds and refuses beyond them with Error 5, leaving the setting as it was.
TEST_F(CalendarTest, SetterBoundsAndRejectionsChangeNothing) {
  Calendar c;
  const double nan = std::nan("");
  const auto check = [](const char* name, auto set, auto get, double accepted,
                        std::initializer_list<double> rejected) {
    set(accepted);
    for (double x : rejected) {
      EXPECT_EQ(ErrorNumberOf([&] { set(x); }), kInvalidArgument) << name << " " << x;
      EXPECT_EQ(get(), accepted) << name << " " << x;
    }
  };
  check(
      "latitude", [&](double x) { c.SetObsLatitude(x); }, [&] { return c.ObsLatitude(); }, 89.999,
      {90, -90, nan});
  check(
      "longitude", [&](double x) { c.SetObsLongitude(x); }, [&] { return c.ObsLongitude(); }, -180,
      {180.0001, -180.0001, nan});
  check(
      "height", [&](double x) { c.SetObsHeight(x); }, [&] { return c.ObsHeight(); }, 0,
      {-0.1, HUGE_VAL, nan});
  check(
      "zone", [&](double x) { c.SetTimeZone(static_cast<float>(x)); }, [&] { return c.TimeZone(); },
      -12, {12.5, -12.5});
  check(
      "ΔT", [&](double x) { c.SetDeltaT(x); }, [&] { return LibrarySettings().time.deltaT; }, -10,
      {259200.5, -10.5, nan});
  // The other bounds themselves are accepted.
  EXPECT_NO_THROW(c.SetObsLongitude(180));
  EXPECT_NO_THROW(c.SetTimeZone(12));
  EXPECT_NO_THROW(c.SetDeltaT(259200));
}

// A paused Calendar stores its inputs but keeps its results; JulianDayTD is the stored JulianDay
// plus the ΔT in effect, so the two always differ by exactly DeltaT, also while paused.
TEST_F(CalendarTest, PauseStoresInputsButKeepsResults) {
  Calendar c;
  c.SetTimeZone(9);
  c.SetDtEstimated(false);
  c.SetDeltaT(120);
  c.SetDateTime(Date::FromCivil(2000, 1, 1, 21, 0, 0));
  const double jd = c.JulianDay();
  EXPECT_DOUBLE_EQ(jd, 2451545.0);
  c.SetPause(true);
  c.SetDateTime(Date::FromCivil(2001, 1, 1, 21, 0, 0));
  EXPECT_EQ(c.DateTime().ToCivil().year, 2001);
  EXPECT_EQ(c.JulianDay(), jd);
  EXPECT_DOUBLE_EQ(c.JulianDayTD(), jd + 120 / 86400.0);
  c.SetPause(false);
  EXPECT_EQ(c.JulianDay(), jd);  // unpausing does not recalculate by itself
  c.Calculate();
  EXPECT_DOUBLE_EQ(c.JulianDay(), jd + 366);
  // Before the first calculation JulianDay is 0, and so is JulianDayTD but for the ΔT.
  EXPECT_DOUBLE_EQ(Calendar().JulianDayTD(), 120 / 86400.0);
}

TEST_F(CalendarTest, DeltaTRecalculatesOnlyWhenTheDeltaTInEffectChanges) {
  Calendar c;
  c.SetDateTime(Date::FromCivil(2000, 1, 1));
  c.SetDtEstimated(false);
  // The stored ΔT was 0, the estimate about 64 s: switching changes the ΔT in effect, so the
  // results must follow at once (no stale values computed with the estimate).
  EXPECT_EQ(c.DeltaT(), 0);
  EXPECT_DOUBLE_EQ(c.JulianDayTD(), c.JulianDay());
  // An equal DeltaT leaves everything as it is, even a paused-and-moved instant.
  c.SetDeltaT(30);
  c.SetPause(true);
  c.SetDateTime(Date::FromCivil(2005, 1, 1));
  c.SetPause(false);
  const double jd = c.JulianDay();
  c.SetDeltaT(30);
  EXPECT_EQ(c.JulianDay(), jd);
  c.SetDeltaT(31);
  EXPECT_NE(c.JulianDay(), jd);
}

TEST_F(CalendarTest, SiderealTimeLocalMinusGreenwichIsTheLongitude) {
  Calendar c;
  c.SetObsLongitude(-120.5);
  c.SetTimeZone(-8);
  c.SetDateTime(Date::FromCivil(2024, 7, 1, 22, 30, 0));
  const double diff = c.SiderealTime(LocalMean) - c.SiderealTime(GreenwichMean);
  EXPECT_NEAR(std::fmod(diff + 720, 360), 360 - 120.5, 1e-9);
  // Two calendars share the library-wide settings.
  EXPECT_EQ(Calendar().ObsLongitude(), -120.5);
  EXPECT_EQ(ErrorNumberOf([&] { c.SiderealTime(static_cast<SiderealTimeConstant>(4)); }),
            kInvalidArgument);
}

TEST_F(CalendarTest, LocationInputWithoutAnEditorIsNotConfirmed) {
  Calendar c;
  bool ok = true;
  c.LocationInput(ok);
  EXPECT_FALSE(ok);
}

}  // namespace
}  // namespace almacor
