// The math module: the number and date pattern formatter and MathObject.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>

#include "almacor/angles.h"
#include "almacor/calendar.h"
#include "almacor/date.h"
#include "almacor/error.h"
#include "almacor/format.h"
#include "almacor/math_object.h"
#include "test_support.h"

namespace almacor {
namespace {

// The patterns the program shows numbers with (tests/data/format_patterns.tsv).
TEST(FormatNumber, Patterns) {
  const auto rows = ReadReferenceTable("format_patterns.tsv", '\t');
  ASSERT_GT(rows.size(), 30u);
  for (const auto& r : rows) {
    EXPECT_EQ(FormatNumber(std::stod(r[0]), r[1]), r.size() > 2 ? r[2] : "")
        << "value " << r[0] << " pattern " << r[1];
  }
  EXPECT_EQ(FormatGeneral(69.184), "69.184");
}

TEST(FormatNumber, RejectsNonFiniteAndOverflow) {
  const double inf = std::numeric_limits<double>::infinity();
  for (double v : {inf, -inf, std::nan("")}) {
    EXPECT_EQ(ErrorNumberOf([&] { FormatNumber(v, "0.0"); }), kInvalidArgument) << v;
  }
  EXPECT_EQ(ErrorNumberOf([] { FormatNumber(1e308, "0%"); }), kOverflow);
}

TEST(FormatNumber, NeverSplitsMultiByteCharacters) {
  // A pattern cut inside a multi-byte character copies the broken bytes as they are, never more.
  const std::string cut = std::string("0\\ﾟ").substr(0, 3);
  std::string expected(1, '5');
  expected += cut.substr(2);
  EXPECT_EQ(FormatNumber(5, cut), expected);
  EXPECT_EQ(FormatNumber(5, "0\\"), "5");
}

TEST(FormatDateTime, ClockCaptionAndRadiusPatterns) {
  const Date d = Date::FromCivil(2024, 6, 1, 5, 7, 9);
  EXPECT_EQ(FormatDateTime(d, "/m/d hh:nn:ss"), "/6/1 05:07:09");
  EXPECT_EQ(FormatDateTime(d, "yyyy年m月d日 h時"), "2024年6月1日 5時");
  EXPECT_EQ(FormatDateTime(d, "yy/mm/dd \\h\\h \"nn\""), "24/06/01 hh nn");
  EXPECT_EQ(FormatDateTime(Date::FromValue(-1.25), "yyyy-mm-dd hh:nn"), "1899-12-29 06:00");
  // Seconds round to the nearest and carry into the date: 1899-12-30 23:59:59.6.
  EXPECT_EQ(FormatDateTime(Date::FromValue(1 - 0.4 / 86400), "/m/d hh:nn:ss"), "/12/31 00:00:00");
  // The apparent radius r (degrees) is shown as the time of day r/24: 1° ↔ 1 hour, 1′ ↔ 1 minute.
  EXPECT_EQ(FormatDateTime(Date::FromValue(959.4 / 86400), "nn' ss"), "15' 59");
  EXPECT_EQ(FormatDateTime(Date::FromValue(959.6 / 86400), "nn' ss"), "16' 00");
}

TEST(FormatDateTime, RejectsUnsupportedTokens) {
  for (const char* p : {"mmm", "ddd", "y", "hhh"}) {
    EXPECT_THROW(FormatDateTime(Date(), p), Error) << p;
  }
}

class MathObjectTest : public ::testing::Test {
 protected:
  Calendar calendar_;
  const MathObject& math_ = calendar_.Math();
};

TEST_F(MathObjectTest, InverseFunctionsKeepTheirRanges) {
  EXPECT_EQ(math_.Asin(1.5), 90);
  EXPECT_EQ(math_.Asin(-2), -90);
  EXPECT_NEAR(math_.Asin(0.5), 30, 1e-12);
  EXPECT_EQ(math_.Acos(1.0000001), 0);
  EXPECT_EQ(math_.Acos(-1), 180);
  EXPECT_NEAR(math_.Atan(-1, -1), 225, 1e-12);
  EXPECT_NEAR(math_.Atan(-1, 1), 315, 1e-12);
  EXPECT_EQ(math_.Atan(0, -5), 180);
  EXPECT_EQ(math_.Atan(0, 0), 0);
  EXPECT_EQ(math_.Atan(-1, 0), 270);
  // atan(−1e−16) in degrees is −5.7e−15, which the reduction into 0 … 360 once rounded up to 360.
  EXPECT_EQ(math_.Atan(-1e-16, 1), 0);
  EXPECT_EQ(Normalize360(-1e-14), 0);
  EXPECT_EQ(math_.FormatHourAngle(-1e-14, "00\\h", "00\\m", "00\\s"), "00h00m00s");
}

TEST_F(MathObjectTest, FormatDMSTruncatesEveryPartAndOverflowsBeyond32BitArcminutes) {
  EXPECT_EQ(math_.FormatDMS(359.999999), "359ﾟ 59' 59\"");
  EXPECT_EQ(math_.FormatDMS(-0.25), "-0ﾟ 15' 00\"");
  EXPECT_EQ(math_.FormatDMS(12.3456), "12ﾟ 20' 44\"");         // 44444.16″
  EXPECT_EQ(math_.FormatDMS(35791394), "35791394ﾟ 00' 00\"");  // 2147483640′
  EXPECT_EQ(ErrorNumberOf([&] { math_.FormatDMS(35791395); }), kOverflow);
  EXPECT_EQ(ErrorNumberOf([&] { math_.FormatDMS(-1e300); }), kOverflow);
}

// The cases of tests/data/hour_angle_and_time.tsv.
TEST_F(MathObjectTest, FormatHourAngleAndTime) {
  const auto rows = ReadReferenceTable("hour_angle_and_time.tsv", '\t');
  ASSERT_GT(rows.size(), 10u);
  for (const auto& r : rows) {
    const double value = std::stod(r[1]);
    EXPECT_EQ(r[0] == "HourAngle" ? math_.FormatHourAngle(value, r[2], r[3], r[4])
                                  : math_.FormatTime(value, r[2], r[3], r[4]),
              r[5])
        << r[0] << " " << r[1];
  }
}

TEST_F(MathObjectTest, FormatTimeShowsAWholeSecondAsThatSecondNotTheOneBefore) {
  // The day count of 10:07:00 is not exact in binary; truncating its parts must not show 10:06:59.
  for (int year : {1900, 2024, 9999}) {
    for (int second = 0; second < 86400; second += 61) {
      const double d =
          Date::FromCivil(year, 5, 17, second / 3600, second / 60 % 60, second % 60).Days();
      char expected[16];
      std::snprintf(expected, sizeof expected, "%02d:%02d:%02d", second / 3600, second / 60 % 60,
                    second % 60);
      ASSERT_EQ(math_.FormatTime(d, "00\\:", "00\\:", "00"), expected) << year;
    }
  }
  EXPECT_EQ(math_.FormatHourAngle(math_.HourAngleDegree(1, 2, 3), "00\\h", "00\\m", "00\\s"),
            "01h02m03s");
}

// DmsDegree takes the sign of any negative part; HourAngleDegree keeps each part's sign.
TEST_F(MathObjectTest, DegreesFromParts) {
  EXPECT_DOUBLE_EQ(math_.DmsDegree(0, 0, -36), -0.01);
  EXPECT_EQ(math_.DmsDegree(-1, 30, 0), -1.5);
  EXPECT_EQ(math_.DmsDegree(1, -30, 0), -1.5);
  EXPECT_DOUBLE_EQ(math_.DmsDegree(12, 30, 36), 12.51);
  EXPECT_EQ(math_.DmsDegree(-32768, 0, 0), -32768);
  EXPECT_EQ(math_.HourAngleDegree(-1, 30, 0), -7.5);
  EXPECT_DOUBLE_EQ(math_.HourAngleDegree(0, 0, -36), -0.15);
  EXPECT_DOUBLE_EQ(math_.HourAngleDegree(23, 59, 60), 360);
}

TEST_F(MathObjectTest, AngularDistanceAndPositionAngle) {
  EXPECT_NEAR(math_.AngularDistance(0, 0, 90, 0), 90, 1e-12);
  EXPECT_EQ(math_.AngularDistance(10, 20, 10, 20), 0);
  EXPECT_NEAR(math_.AngularDistance(0, 90, 123, -90), 180, 1e-6);
  EXPECT_NEAR(math_.PositionAngle(0, 0, 0, 10), 0, 1e-12);
  // Longitudes of any finite size, reduced by whole turns (a difference of two such overflowed).
  constexpr double kHuge = std::numeric_limits<double>::max();
  EXPECT_NEAR(math_.AngularDistance(-kHuge, 0, kHuge, 0),
              math_.AngularDistance(std::fmod(-kHuge, 360.0), 0, std::fmod(kHuge, 360.0), 0), 1e-9);
  EXPECT_TRUE(std::isfinite(math_.PositionAngle(-kHuge, 10, kHuge, 20)));
  EXPECT_NEAR(math_.PositionAngle(0, 0, 10, 0), 90, 1e-12);
  // Independent values: the haversine distance and the atan2 form of the position angle
  // (the distances agree with PyEphem's separation).
  struct Row {
    double l1, b1, l2, b2, distance, angle;
  };
  for (const Row& r : {Row{10, 20, 50, -30, 63.10254348915593, 141.37668357224672},
                       Row{300, -45, 20, 60, 123.43417039901061, 36.16019035989937},
                       Row{123.4, 5.6, 120.1, 4.2, 3.573510099201055, 247.08297387460965}}) {
    EXPECT_NEAR(math_.AngularDistance(r.l1, r.b1, r.l2, r.b2), r.distance, 1e-9);
    EXPECT_NEAR(math_.PositionAngle(r.l1, r.b1, r.l2, r.b2), r.angle, 1e-9);
  }
}

TEST_F(MathObjectTest, NonFiniteArgumentsAreRejected) {
  const double nan = std::nan(""), inf = std::numeric_limits<double>::infinity();
  ExpectEachRaises(
      kInvalidArgument,
      {[&] { math_.Asin(nan); }, [&] { math_.Acos(inf); }, [&] { math_.Atan(inf, inf); },
       [&] { math_.FormatTime(nan, "00", "00", ""); },
       [&] { math_.FormatHourAngle(inf, "00", "00", ""); },
       [&] { math_.PositionAngle(0, nan, 0, 0); }, [&] { math_.AngularDistance(0, 0, inf, 0); },
       [&] { math_.DmsDegree(0, 0, nan); }, [&] { math_.FormatDMS(nan); }});
}

}  // namespace
}  // namespace almacor
