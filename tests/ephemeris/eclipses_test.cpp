#include "almacor/eclipses.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

#include "almacor/constants.h"
#include "almacor/date.h"
#include "almacor/moon.h"
#include "almacor/sun.h"

namespace almacor {
namespace {

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
