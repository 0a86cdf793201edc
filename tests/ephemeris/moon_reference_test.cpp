// The Moon against an independent ephemeris: tests/data/moon_reference.csv, written by
// scripts/reference/moon_reference.py with PyEphem. Each test reports the largest error it saw.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "almacor/angles.h"
#include "almacor/moon.h"
#include "almacor/timescales.h"
#include "test_support.h"

namespace almacor {
namespace {

std::vector<std::vector<double>> RowsOf(const std::string& kind) {
  return ReferenceRowsOf("moon_reference.csv", kind);
}

using Worst = LargestError<double>;

// Compact series: a few hundredths of a degree within 1800–2200. Further away the error grows with
// the square of the time, as the series has no secular (T²) terms in its mean arguments: about
// 0.03° at 1500 and 2500, 0.2° at 1000 and 3000, 0.55° at 500. Far dates are held to
// 0.03° + 0.003°·C² in longitude and 0.02° + 0.0005°·C² in latitude, C in centuries from 2000.
TEST(MoonReference, PositionAgainstPyEphem) {
  const TimeScale ts = DynamicalTime();
  Worst lon, lat, ra, dec, dist, farLon, farLat;
  const auto rows = RowsOf("position");
  ASSERT_GE(rows.size(), 300u);
  for (const auto& r : rows) {
    const double d = DaysOfJulianDay(r[0]);
    const double year = 2000 + (r[0] - 2451545.0) / 365.25;
    const MoonEcliptic e = MoonEclipticAt(d, ts);
    const MoonEquatorial q = MoonEquatorialAt(d, ts);
    if (year >= 1800 && year <= 2200) {
      lon.See(AngleError(e.longitude, r[1]), year);
      lat.See(std::fabs(e.latitude - r[2]), year);
      dist.See(std::fabs(MoonDistanceAt(d, ts) - r[3]), year);
      ra.See(AngleError(q.ascension, r[4]) * std::cos(q.declination * kRad), year);
      dec.See(std::fabs(q.declination - r[5]), year);
    } else {
      const double c2 = std::pow((year - 2000) / 100, 2);
      farLon.See(AngleError(e.longitude, r[1]), year);
      farLat.See(std::fabs(e.latitude - r[2]), year);
      EXPECT_LT(AngleError(e.longitude, r[1]), 0.03 + 0.003 * c2) << year;
      EXPECT_LT(std::fabs(e.latitude - r[2]), 0.02 + 0.0005 * c2) << year;
    }
  }
  std::printf(
      "Moon vs PyEphem 1800-2200, largest errors: longitude %.4f° (%.0f), latitude %.4f° (%.0f), "
      "RA·cos δ %.4f°, declination %.4f°, distance %.1f km; far dates: longitude %.4f° (%.0f), "
      "latitude %.4f° (%.0f)\n",
      lon.value, lon.at, lat.value, lat.at, ra.value, dec.value, dist.value, farLon.value,
      farLon.at, farLat.value, farLat.at);
  EXPECT_LT(lon.value, 0.03);
  EXPECT_LT(lat.value, 0.02);
  EXPECT_LT(ra.value, 0.03);
  EXPECT_LT(dec.value, 0.03);
  EXPECT_LT(dist.value, 60);
}

TEST(MoonReference, NewAndFullMoonsAgainstPyEphem) {
  const TimeScale ts = DynamicalTime();
  for (const auto& [kind, target] : {std::pair{"new", 0.0}, std::pair{"full", 180.0}}) {
    Worst worst;
    const auto rows = RowsOf(kind);
    ASSERT_GE(rows.size(), 50u);
    for (const auto& r : rows) {
      const double expected = DaysOfJulianDay(r[0]);
      // Start a few days away so that the solver has work to do.
      const double found = SolveMoonElongation(target, expected + 4.3, ts);
      worst.See(std::fabs(found - expected) * 1440, 2000 + (r[0] - 2451545.0) / 365.25);
    }
    std::printf("%s moons vs PyEphem: largest error %.2f min (%.0f)\n", kind, worst.value,
                worst.at);
    EXPECT_LT(worst.value, 2.5) << kind;
  }
}

// Moonrise, transit and moonset at Tokyo: the library's event for each civil day against the
// nearest PyEphem event of the same kind.
TEST(MoonReference, TokyoEventsAgainstPyEphem) {
  const Settings s = Tokyo();
  std::map<std::string, std::vector<std::vector<double>>> reference;
  for (const char* kind : {"rise", "set", "transit"}) reference[kind] = RowsOf(kind);
  Worst riseSet, azimuth, transit, altitude;
  int days = 0;
  for (const auto& [firstDay, lastDay] :
       {std::pair{CivilToDays(2000, 1, 1), CivilToDays(2000, 1, 31)},
        std::pair{CivilToDays(2025, 6, 6), CivilToDays(2025, 7, 5)}}) {
    for (double day = firstDay; day <= lastDay; ++day, ++days) {
      const RiseTransitSet events = CalcMoonEvents(day, s);
      const std::pair<const char*, BodyEvent> checks[] = {
          {"rise", events.rise}, {"set", events.set}, {"transit", events.culmination}};
      for (const auto& [kind, event] : checks) {
        // Universal Time Julian day of the library's event.
        const double jd = event.time - 9.0 / 24 + 2415018.5;
        const std::vector<double>* nearest = nullptr;
        for (const auto& r : reference[kind]) {
          if (!nearest || std::fabs(r[0] - jd) < std::fabs((*nearest)[0] - jd)) {
            nearest = &r;
          }
        }
        ASSERT_NE(nearest, nullptr);
        const double minutes = std::fabs((*nearest)[0] - jd) * 1440;
        if (std::string(kind) == "transit") {
          transit.See(minutes, day);
          // PyEphem's transit altitude is without refraction; the library's is apparent.
          altitude.See(std::fabs(event.value - Refraction((*nearest)[1]) - (*nearest)[1]), day);
        } else {
          riseSet.See(minutes, day);
          azimuth.See(AngleError(event.value, (*nearest)[1]), day);
        }
      }
    }
  }
  std::printf(
      "Tokyo moon events vs PyEphem over %d days: rise/set %.2f min, azimuth %.3f°, transit %.2f "
      "min, transit altitude %.3f°\n",
      days, riseSet.value, azimuth.value, transit.value, altitude.value);
  EXPECT_LT(riseSet.value, 2.0);
  EXPECT_LT(azimuth.value, 0.1);
  EXPECT_LT(transit.value, 2.0);
  EXPECT_LT(altitude.value, 0.05);
}

}  // namespace
}  // namespace almacor
