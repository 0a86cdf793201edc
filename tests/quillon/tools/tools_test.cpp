// The tool windows' arithmetic without a display: the angle conversion, and the apparent distance
// and angles between two bodies.
#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "almacor/calendar.h"
#include "almacor/math_object.h"
#include "almacor/planet.h"
#include "angle_conversion.h"
#include "apparent_values.h"
#include "test_support.h"

namespace quillon {
namespace {

using namespace convert;

// Fills row `row` with `texts` and returns every field converted from it.
Fields ConvertRow(int row, const std::vector<std::string>& texts) {
  static almacor::Calendar calendar;
  Fields fields;
  int f = FirstFieldOfRow(row);
  for (const std::string& t : texts) fields[static_cast<std::size_t>(f++)] = t;
  const std::optional<double> a = RowArcseconds(row, fields, calendar.Math());
  EXPECT_TRUE(a.has_value());
  return FieldsFromArcseconds(a.value_or(0));
}

TEST(AngleConversion, MinusThirtyDegreesFillsEveryRowAndWrapsTheHours) {
  const Fields expected = {"-30.0", "-1800.0", "-108000.0",       "-30", "0", "0.0", "22.0", "22",
                           "0",     "0.0",     "-0.5235987755983"};
  EXPECT_EQ(ConvertRow(0, {"-30"}), expected);
}

// Each row of tests/data/angle_conversion.tsv: a row filled, the text a field shows.
TEST(AngleConversion, RowsUnitsSignsCarriesAndDecimals) {
  const auto rows = almacor::ReadReferenceTable("angle_conversion.tsv", '\t');
  ASSERT_GT(rows.size(), 20u);
  for (const auto& r : rows) {
    std::istringstream words(r[3]);
    const std::vector<std::string> texts{std::istream_iterator<std::string>(words), {}};
    EXPECT_EQ(ConvertRow(std::stoi(r[0]), texts)[std::stoul(r[1])], r[2])
        << "row " << r[0] << " " << r[3] << " field " << r[1];
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

// The key filter's cases of tests/data/angle_conversion_keys.tsv, and pasted texts.
TEST(AngleConversion, KeyFilter) {
  const auto rows = almacor::ReadReferenceTable("angle_conversion_keys.tsv", '\t');
  ASSERT_GT(rows.size(), 20u);
  for (const auto& r : rows) {
    EXPECT_EQ(AcceptsCharacter(std::stoi(r[0]), r[1][0], r[2], std::stoi(r[3]), std::stoi(r[4])),
              r[5] == "1")
        << r[0] << " '" << r[1] << "' " << r[2] << ": " << r[6];
  }
  for (const auto& [field, text] : {std::pair{0, "12a"}, std::pair{0, "1-2"}, std::pair{0, "1.2.3"},
                                    std::pair{4, "1.5"}, std::pair{6, "-1"}}) {
    EXPECT_FALSE(IsAcceptableText(field, text)) << text;
  }
  EXPECT_TRUE(IsAcceptableText(0, "-1.5"));
}

TEST(AngleConversion, RowsAndTheirButtons) {
  const Fields partly{"", "", "", "1", "2"}, filled{"", "", "", "1", "2", "3"};
  EXPECT_FALSE(RowReady(3, partly));
  EXPECT_TRUE(RowReady(3, filled));
  EXPECT_FALSE(RowReady(0, filled));
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
