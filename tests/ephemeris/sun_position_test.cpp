#include <gtest/gtest.h>

#include <cmath>

#include "almacor/angles.h"
#include "almacor/date.h"
#include "almacor/sun.h"

namespace almacor {
namespace {

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
