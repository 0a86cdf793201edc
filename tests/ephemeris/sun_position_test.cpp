#include <gtest/gtest.h>

#include <cmath>

#include "almacor/angles.h"
#include "almacor/date.h"
#include "almacor/sun.h"
#include "ephemeris/sun_series.h"

namespace almacor {
namespace {

TEST(SunSeries, TableChecksums) {
  double sum = 0;
  for (const auto& term : detail::kSunLongitudeTerms) sum += term.amplitude;
  EXPECT_EQ(detail::kSunLongitudeTerms.size(), 19u);
  EXPECT_NEAR(sum,
              1.9146 + 0.0200 + 0.0048 + 0.0020 + 0.0036 + 0.0015 + 0.0013 + 0.0008 + 0.0014 +
                  0.0006 + 0.0010 + 0.0012 + 0.0006,
              1e-12);
}

TEST(SunPosition, SolverFindsTheNearestPassage) {
  TimeScale ts;
  ts.timeZone = 9;
  // March equinox 2024: 2024-03-20 12:06 JST.
  const double equinox = SolveSunLongitude(0, CivilToDays(2024, 3, 15), ts);
  EXPECT_NEAR(equinox, CivilToDays(2024, 3, 20, 12 * 3600 + 6 * 60), 5.0 / 1440);
  EXPECT_NEAR(std::remainder(SunLongitudeAt(equinox, ts), 360), 0, 1e-4);
  // The winter solstice nearest to a date in September lies ahead, not behind.
  EXPECT_GT(SolveSunLongitude(270, CivilToDays(2024, 9, 1), ts), CivilToDays(2024, 9, 1));
}

}  // namespace
}  // namespace almacor
