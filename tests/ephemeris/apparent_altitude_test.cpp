// The apparent altitude of each body, through its pure function and through its object, is the
// topocentric one lifted by refraction, as an independent formula gives it (Saemundsson's,
// R = 1.02′ / tan(h + 10.3 / (h + 5.11)), within 5 % of the library's above 2°).

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "almacor/angles.h"
#include "almacor/calendar.h"
#include "almacor/moon.h"
#include "almacor/planet.h"
#include "almacor/sun.h"
#include "test_support.h"

namespace almacor {
namespace {

double SaemundssonRefraction(double h) {
  return 1.02 / 60 / std::tan((h + 10.3 / (h + 5.11)) * kRad);
}

struct Apparent {
  double topocentric, apparent;
};

// Counts the samples high enough to compare, and checks each.
int ExpectRefractionAbove(const Apparent& a, const std::string& what) {
  if (a.topocentric < 2 || a.topocentric > 80) return 0;
  const double expected = SaemundssonRefraction(a.topocentric);
  EXPECT_NEAR(a.apparent - a.topocentric, expected, 0.05 * expected + 1e-4)
      << what << " at topocentric altitude " << a.topocentric;
  return 1;
}

using ApparentAltitudeTest = LibrarySettingsTest;

TEST_F(ApparentAltitudeTest, IsTheTopocentricLiftedByRefraction) {
  LibrarySettings() = Tokyo();
  const Settings& s = LibrarySettings();
  Calendar c;
  int sun = 0, moon = 0, planet = 0;
  for (int hour = 0; hour < 48; hour += 2) {
    c.SetDateTime(Date::FromCivil(2024, 3, 1 + hour / 24, hour % 24));
    c.Planet().SetName(plJupiter);
    const double d = c.DateTime().Days();
    const SunHorizontal sh = SunHorizontalAt(d, s);
    const MoonHorizontal mh = MoonHorizontalAt(d, s);
    const PlanetHorizontal ph = PlanetHorizontalAt(plJupiter, d, s);
    sun += ExpectRefractionAbove({sh.altitudeT, sh.altitude}, "Sun");
    sun += ExpectRefractionAbove({c.Sun().AltitudeT(), c.Sun().Altitude()}, "SunObject");
    moon += ExpectRefractionAbove({mh.altitudeT, mh.altitude}, "Moon");
    moon += ExpectRefractionAbove({c.Moon().AltitudeT(), c.Moon().Altitude()}, "MoonObject");
    planet += ExpectRefractionAbove({ph.altitudeT, ph.altitude}, "Jupiter");
    planet +=
        ExpectRefractionAbove({c.Planet().AltitudeT(), c.Planet().Altitude()}, "PlanetObject");
  }
  EXPECT_GT(sun, 4);
  EXPECT_GT(moon, 4);
  EXPECT_GT(planet, 4);
}

}  // namespace
}  // namespace almacor
