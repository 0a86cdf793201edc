// The tool windows' arithmetic without a display: the angle conversion, and the apparent distance
// and angles between two bodies.
#include "angle_conversion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "almacor/calendar.h"
#include "almacor/math_object.h"
#include "almacor/planet.h"
#include "apparent_values.h"

namespace quillon {
namespace {

using namespace convert;

// Fills row `row` with `texts` and returns every field converted from it.
Fields ConvertRow(int row, const std::vector<const char*>& texts) {
  static almacor::Calendar calendar;
  Fields fields;
  int f = FirstFieldOfRow(row);
  for (const char* t : texts) fields[static_cast<std::size_t>(f++)] = t;
  const std::optional<double> a = RowArcseconds(row, fields, calendar.Math());
  EXPECT_TRUE(a.has_value());
  return FieldsFromArcseconds(a.value_or(0));
}

TEST(AngleConversion, MinusThirtyDegreesFillsEveryRowAndWrapsTheHours) {
  const Fields expected = {"-30.0", "-1800.0", "-108000.0",       "-30", "0", "0.0", "22.0", "22",
                           "0",     "0.0",     "-0.5235987755983"};
  EXPECT_EQ(ConvertRow(0, {"-30"}), expected);
}

// Each row reads its unit; −0 degrees gives the sign to the first part that is not zero (a lone
// sign counts as 0 and keeps it); the split forms carry instead of showing 60 seconds (−105° is
// 17 h, which a reduction in floating fractions of a turn gives as 16h 59m 60.0s); each field shows
// its own decimals (14 at most, 6 for seconds).
TEST(AngleConversion, RowsUnitsSignsCarriesAndDecimals) {
  using Case = std::tuple<int, std::vector<const char*>, int, const char*>;
  for (const auto& [row, texts, field, shown] :
       {Case{1, {"90"}, 0, "1.5"},
        Case{2, {"5400"}, 0, "1.5"},
        Case{5, {"1", "30", "0"}, 0, "22.5"},
        Case{6, {"3.14159265358979"}, 0, "180.0"},
        Case{4, {"24"}, 0, "360.0"},
        Case{4, {"24"}, 6, "0.0"},
        Case{4, {"24"}, 7, "0"},
        Case{3, {"-0", "30", "0"}, 0, "-0.5"},
        Case{3, {"0", "30", "0"}, 0, "0.5"},
        Case{3, {"-0", "0", "36"}, 0, "-0.01"},
        Case{3, {"-5", "30", "0"}, 0, "-5.5"},
        Case{3, {"-", "6", "0"}, 0, "-0.1"},
        Case{0, {"-105"}, 7, "17"},
        Case{0, {"-105"}, 8, "0"},
        Case{0, {"-105"}, 9, "0.0"},
        Case{2, {"59.99999999"}, 4, "1"},
        Case{2, {"59.99999999"}, 5, "0.0"},
        Case{0, {"12.3456789"}, 0, "12.3456789"},
        Case{0, {"12.3456789"}, 4, "20"},
        Case{0, {"12.3456789"}, 5, "44.44404"},
        Case{0, {"0.3333333333333333"}, 0, "0.33333333333333"},
        Case{2, {"1.23456789"}, 5, "1.234568"}}) {
    EXPECT_EQ(ConvertRow(row, texts)[static_cast<std::size_t>(field)], shown)
        << "row " << row << " " << texts.front() << " field " << field;
  }
}

TEST(AngleConversion, RangesAreInclusiveAndNonNumbersCountAsZero) {
  for (const auto& [field, text, inRange] :
       {std::tuple{0, "7200", true}, std::tuple{0, "7200.5", false}, std::tuple{0, "-7200", true},
        std::tuple{2, "25920001", false}, std::tuple{10, "125.6637061435916", true},
        std::tuple{10, "125.6637061435917", false}, std::tuple{4, "60", true},
        std::tuple{4, "61", false}, std::tuple{6, "24.1", false}, std::tuple{3, "-", true},
        std::tuple{7, "", true}}) {
    EXPECT_EQ(InRange(field, text), inRange) << field << " " << text;
  }
  for (const auto& [text, number] :
       {std::pair{"+1.5", 1.5}, std::pair{"-.5", -0.5}, std::pair{"5.", 5.0}, std::pair{".", 0.0},
        std::pair{"--5", 0.0}}) {
    EXPECT_EQ(FieldNumber(text), number) << text;
  }
  almacor::Calendar calendar;
  Fields outOfRange;
  outOfRange[0] = "7201";
  EXPECT_FALSE(RowArcseconds(0, outOfRange, calendar.Math()).has_value());
}

TEST(AngleConversion, KeyFilter) {
  EXPECT_TRUE(AcceptsCharacter(0, '7', "12", 2, 0));
  EXPECT_FALSE(AcceptsCharacter(0, '.', "1.5", 3, 0));  // a second point
  EXPECT_TRUE(AcceptsCharacter(0, '.', "1.5", 0, 3));   // replacing the one there
  EXPECT_FALSE(AcceptsCharacter(0, '-', "12", 1, 0));   // a sign after a digit
  EXPECT_TRUE(AcceptsCharacter(0, '-', "12", 0, 0));
  EXPECT_FALSE(AcceptsCharacter(0, '-', "-12", 0, 0));  // in front of a sign
  EXPECT_TRUE(AcceptsCharacter(0, '+', "-12", 0, 1));
  EXPECT_TRUE(AcceptsCharacter(10, '-', "", 0, 0));
  EXPECT_TRUE(AcceptsCharacter(3, '-', "", 0, 0));
  EXPECT_FALSE(AcceptsCharacter(3, '.', "1", 1, 0));
  for (int f : {4, 5, 6, 7, 8, 9}) EXPECT_FALSE(AcceptsCharacter(f, '-', "", 0, 0)) << f;
  for (int f : {4, 7, 8}) EXPECT_FALSE(AcceptsCharacter(f, '.', "1", 1, 0)) << f;
  for (int f : {5, 6, 9}) EXPECT_TRUE(AcceptsCharacter(f, '.', "1", 1, 0)) << f;
  EXPECT_FALSE(AcceptsCharacter(0, 'e', "1", 1, 0));
  EXPECT_FALSE(AcceptsCharacter(0, ',', "1", 1, 0));
  for (const auto& [field, text] : {std::pair{0, "12a"}, std::pair{0, "1-2"}, std::pair{0, "1.2.3"},
                                    std::pair{4, "1.5"}, std::pair{6, "-1"}}) {
    EXPECT_FALSE(IsAcceptableText(field, text)) << text;
  }
  EXPECT_TRUE(IsAcceptableText(0, "-1.5"));
}

TEST(AngleConversion, RowsAndTheirButtons) {
  Fields fields;
  fields[3] = "1";
  fields[4] = "2";
  EXPECT_FALSE(RowReady(3, fields));
  fields[5] = "3";
  EXPECT_TRUE(RowReady(3, fields));
  EXPECT_FALSE(RowReady(0, fields));
  EXPECT_EQ((std::array{RowOfField(5), RowOfField(6), RowOfField(9), RowOfField(10)}),
            (std::array{3, 4, 5, 6}));
}

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
