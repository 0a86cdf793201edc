#include "almacor/angles.h"

#include <gtest/gtest.h>

#include <cmath>

namespace almacor {
namespace {

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
