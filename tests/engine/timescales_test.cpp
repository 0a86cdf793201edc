#include "almacor/timescales.h"

#include <gtest/gtest.h>

#include <cmath>

#include "almacor/date.h"
#include "test_support.h"

namespace almacor {
namespace {

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

}  // namespace
}  // namespace almacor
