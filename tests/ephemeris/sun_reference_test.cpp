// The Sun's series and events against PyEphem (tables written by
// scripts/reference/sun_reference.py; the test needs only the committed tables).

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <string>

#include "almacor/date.h"
#include "almacor/sun.h"
#include "test_support.h"

namespace almacor {
namespace {

double AngleDifference(double a, double b) { return std::remainder(a - b, 360.0); }

using Worst = LargestError<std::string>;

// Tolerances by distance from 2000: the compact series is fitted to a few centuries around it.
double AngleTolerance(double years) {
  if (std::fabs(years) <= 200) return 0.01;
  if (std::fabs(years) <= 1600) return 0.1;
  return 0.5;  // the year 5000
}
// The log-distance series leaves out terms of order 1e-5; PyEphem differs by up to 3e-5 au.
double DistanceTolerance(double years) { return std::fabs(years) <= 200 ? 4e-5 : 1e-4; }

TEST(SunReference, PositionAgreesWithPyEphem) {
  const auto rows = ReadReferenceTable("sun_reference.csv");
  ASSERT_GE(rows.size(), 300u);
  // The table is in dynamical time: zone 0 and ΔT 0 make the local day count a TT one.
  const TimeScale tt = DynamicalTime();
  Worst near[4], far[4];
  for (const auto& row : rows) {
    ASSERT_EQ(row.size(), 5u);
    const double jd = std::stod(row[0]);
    const double d = DaysOfJulianDay(jd);
    const double years = (jd - 2451545.0) / 365.25;
    const SunEquatorial place = SunEquatorialAt(d, tt);
    const double errors[4] = {AngleDifference(place.longitude, std::stod(row[1])),
                              AngleDifference(place.ascension, std::stod(row[2])),
                              place.declination - std::stod(row[3]),
                              SunDistanceAt(d, tt) - std::stod(row[4])};
    const double tolerances[4] = {AngleTolerance(years), AngleTolerance(years),
                                  AngleTolerance(years), DistanceTolerance(years)};
    for (int k = 0; k < 4; ++k) {
      EXPECT_LE(std::fabs(errors[k]), tolerances[k]) << "quantity " << k << " at JD(TT) " << row[0];
      (std::fabs(years) <= 200 ? near : far)[k].See(errors[k], row[0]);
    }
  }
  const char* names[4] = {"longitude (deg)", "right ascension (deg)", "declination (deg)",
                          "distance (au)"};
  for (int k = 0; k < 4; ++k) {
    std::printf(
        "[sun reference] largest %s error: %.2e at JD %s (1800-2200), %.2e at JD %s (far)\n",
        names[k], near[k].value, near[k].at.c_str(), far[k].value, far[k].at.c_str());
  }
}

TEST(SunReference, EventsAgreeWithPyEphem) {
  const auto rows = ReadReferenceTable("sun_events_reference.csv");
  ASSERT_GE(rows.size(), 500u);
  std::map<std::string, BodyEvent SunEvents::*> slots = {
      {"culmination", &SunEvents::culmination},
      {"rise", &SunEvents::rise},
      {"set", &SunEvents::set},
      {"dawn", &SunEvents::dawn},
      {"dusk", &SunEvents::dusk},
      {"civilTwilightR", &SunEvents::civilTwilightR},
      {"civilTwilightS", &SunEvents::civilTwilightS},
      {"nauticalTwilightR", &SunEvents::nauticalTwilightR},
      {"nauticalTwilightS", &SunEvents::nauticalTwilightS},
      {"astronomicalTwilightR", &SunEvents::astronomicalTwilightR},
      {"astronomicalTwilightS", &SunEvents::astronomicalTwilightS},
  };
  Worst worst;
  std::map<std::string, SunEvents> cache;  // one computation per place and day
  for (const auto& row : rows) {
    ASSERT_EQ(row.size(), 9u);
    Settings s;  // estimated ΔT: PyEphem's own ΔT moves the Sun by under 0.002° here
    s.observer = {std::stod(row[1]), std::stod(row[0]), std::stod(row[2])};
    s.time.timeZone = std::stof(row[3]);
    const double day = CivilToDays(std::stoi(row[4]), std::stoi(row[5]), std::stoi(row[6]));
    const std::string key = row[0] + row[1] + row[2] + row[4] + row[5] + row[6];
    if (!cache.count(key)) cache[key] = CalcSunEvents(day, s);
    ASSERT_TRUE(slots.count(row[7])) << row[7];
    const double seconds = ((cache[key].*slots[row[7]]).time - day) * 86400;
    const double error = seconds - std::stod(row[8]);
    // Both sides find the event to about a second; the series adds a second or two.
    EXPECT_LE(std::fabs(error), 30)
        << row[7] << " at " << row[0] << "," << row[1] << " h=" << row[2] << " on " << row[4] << "-"
        << row[5] << "-" << row[6];
    worst.See(error,
              row[7] + " " + row[0] + "," + row[1] + " " + row[4] + "-" + row[5] + "-" + row[6]);
  }
  std::printf("[sun reference] largest event time error: %.1f s (%s)\n", worst.value,
              worst.at.c_str());
}

}  // namespace
}  // namespace almacor
