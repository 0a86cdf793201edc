// The engine's day count and Date, time scales, sidereal time and angle routines.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "almacor/angles.h"
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

}  // namespace
}  // namespace almacor
