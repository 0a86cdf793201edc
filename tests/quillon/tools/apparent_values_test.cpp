#include "apparent_values.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "almacor/calendar.h"
#include "almacor/math_object.h"
#include "almacor/planet.h"

namespace quillon {
namespace {

// An independent computation with vectors of the horizontal frame (x north, y east, z up): the
// distance is the angle between the two unit vectors; a position angle is the angle at the
// reference point between the tangent towards the zenith and the tangent towards the target,
// turning towards decreasing azimuth.
struct Vec {
  double x, y, z;
};
double Dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec Minus(Vec a, Vec b, double k) { return {a.x - k * b.x, a.y - k * b.y, a.z - k * b.z}; }
constexpr double kDeg = std::numbers::pi / 180;
Vec Unit(double azimuth, double altitude) {
  return {std::cos(altitude * kDeg) * std::cos(azimuth * kDeg),
          std::cos(altitude * kDeg) * std::sin(azimuth * kDeg), std::sin(altitude * kDeg)};
}
double AngleTowards(HorizontalPoint ref, Vec target) {
  const Vec r = Unit(ref.azimuth, ref.altitude);
  const Vec up = Minus({0, 0, 1}, r, r.z);
  const Vec west = {std::sin(ref.azimuth * kDeg), -std::cos(ref.azimuth * kDeg), 0};
  const Vec t = Minus(target, r, Dot(target, r));
  const double a = std::atan2(Dot(t, west), Dot(t, up) / std::sqrt(Dot(up, up))) / kDeg;
  return a < 0 ? a + 360 : a;
}

class ApparentValues : public ::testing::Test {
 protected:
  almacor::Calendar calendar;
  const almacor::MathObject& math = calendar.Math();
};

TEST_F(ApparentValues, AgreesWithVectorGeometry) {
  const double latitude = 35.6544;
  const Vec pole = Unit(0, latitude);
  const std::array<std::pair<HorizontalPoint, HorizontalPoint>, 4> cases = {
      {{{120, 30}, {200, -10}},
       {{300.5, 62.25}, {10, 5}},
       {{45, -20}, {44, 70}},
       {{180, 10}, {170, 12}}}};
  for (const auto& [ref, tgt] : cases) {
    const ApparentAngles got = ComputeApparent(math, ref, tgt, latitude);
    const Vec target = Unit(tgt.azimuth, tgt.altitude);
    const double distance = std::acos(Dot(Unit(ref.azimuth, ref.altitude), target)) / kDeg;
    const double zenith = AngleTowards(ref, target);
    double north = zenith - AngleTowards(ref, pole);
    if (north < 0) north += 360;
    EXPECT_NEAR(got.distance, distance, 1e-9) << ref.azimuth;
    EXPECT_NEAR(got.zenithAngle, zenith, 1e-9) << ref.azimuth;
    EXPECT_NEAR(got.northAngle, north, 1e-9) << ref.azimuth;
  }
}

TEST_F(ApparentValues, SameVerticalCircleAndThePoleDirection) {
  EXPECT_NEAR(ComputeApparent(math, {135, 10}, {135, 40}, 35).zenithAngle, 0, 1e-9);
  EXPECT_NEAR(ComputeApparent(math, {135, 40}, {135, 10}, 35).zenithAngle, 180, 1e-9);
  // Seen from below the pole on the meridian the target at the pole lies at north angle 0.
  const ApparentAngles atPole = ComputeApparent(math, {0, 10}, {0, 35}, 35);
  EXPECT_NEAR(atPole.distance, 25, 1e-9);
  EXPECT_NEAR(std::fmod(atPole.northAngle + 180, 360) - 180, 0, 1e-9);
  const ApparentAngles east = ComputeApparent(math, {90, 0}, {0, 35}, 35);
  EXPECT_NEAR(std::fmod(east.northAngle + 180, 360) - 180, 0, 1e-9);
  EXPECT_EQ(ComputeApparent(math, {12, 34}, {12, 34}, 35).distance, 0);
}

TEST_F(ApparentValues, ListPositionsSelectSunMoonAndPlanetNumberMinusOne) {
  calendar.SetDateTime(almacor::Date::FromCivil(2024, 3, 20, 12, 0, 0));
  const HorizontalPoint mars = BodyHorizontal(calendar, 4);
  EXPECT_EQ(calendar.Planet().Name(), almacor::PlanetNameConstant::plMars);
  EXPECT_EQ(mars.azimuth, calendar.Planet().Azimuth());
  EXPECT_EQ(mars.altitude, calendar.Planet().AltitudeT());
  EXPECT_NE(BodyHorizontal(calendar, 0).azimuth, BodyHorizontal(calendar, 1).azimuth);
}

}  // namespace
}  // namespace quillon
