#include "main_table.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "almacor/calendar.h"
#include "almacor/format.h"
#include "almacor/moon.h"
#include "almacor/planet.h"
#include "almacor/sun.h"
#include "program_strings.h"
#include "test_support.h"

namespace quillon {
namespace {

using almacor::Calendar;
using almacor::Date;

std::string ElongationText(double e) {
  return almacor::FormatNumber(e, ProgramString(ids::kElongationPattern));
}

TEST(PlanetElongation, InnerPlanetsAreSignedOuterPlanetsRunToThreeSixty) {
  // Venus 10° west of the Sun, Mars 10° west.
  EXPECT_EQ(ElongationText(PlanetElongation(350, 0, 2)), "-10.000000ﾟ");
  EXPECT_EQ(ElongationText(PlanetElongation(350, 0, 3)), "350.000000ﾟ");
  EXPECT_EQ(ElongationText(PlanetElongation(5, 15, 1)), "-10.000000ﾟ");
  EXPECT_EQ(ElongationText(PlanetElongation(5, 15, 8)), "350.000000ﾟ");
  // East of the Sun across 0°, and the ends of the inner planets' range.
  EXPECT_DOUBLE_EQ(PlanetElongation(10, 350, 2), 20);
  EXPECT_DOUBLE_EQ(PlanetElongation(180, 0, 1), 180);
  EXPECT_DOUBLE_EQ(PlanetElongation(180.5, 0, 1), -179.5);
  EXPECT_DOUBLE_EQ(PlanetElongation(100, 100, 4), 0);
}

TEST(TablePatterns, DistanceAndFractionTexts) {
  EXPECT_EQ(almacor::FormatNumber(384400, "###,###km"), "384,400km");
  EXPECT_EQ(almacor::FormatNumber(0.5, "##0.0000%"), "50.0000%");
  EXPECT_EQ(almacor::FormatNumber(-12.34, ProgramString(ids::kAltAzPattern)), "-12.3ﾟ");
}

class EventTimesTest : public ::testing::Test {
 protected:
  std::string Events(Date rise, Date culmination, Date set, int day) {
    return FormatEventTimes(calendar_.Math(), rise, culmination, set, day);
  }
  Calendar calendar_;
};

// Event times show the hour and minute of the time of day, truncated (05:44:59 shows 05:44).
TEST_F(EventTimesTest, ShowsHoursAndMinutesOfTheDisplayedDay) {
  const Date rise = Date::FromCivil(2024, 3, 20, 5, 44, 59);
  const Date culm = Date::FromCivil(2024, 3, 20, 11, 46, 30);
  const Date set = Date::FromCivil(2024, 3, 20, 17, 49, 30);
  EXPECT_EQ(Events(rise, culm, set, 20), "05:44\t11:46\t17:49");
  EXPECT_EQ(Events(rise, culm, set, 21), "--:--\t--:--\t--:--");
}

TEST_F(EventTimesTest, AMoonriseAfterMidnightShowsDashesAlone) {
  const Date rise = Date::FromCivil(2024, 3, 21, 0, 15, 30);
  const Date culm = Date::FromCivil(2024, 3, 20, 19, 2, 30);
  const Date set = Date::FromCivil(2024, 3, 20, 9, 30, 30);
  EXPECT_EQ(Events(rise, culm, set, 20), "--:--\t19:02\t09:30");
}

TEST_F(EventTimesTest, EqualRiseAndSetShowDashes) {
  // A circumpolar body: the library reports the same time for rise and set.
  const Date same = Date::FromCivil(2024, 6, 21, 0, 0, 0);
  const Date culm = Date::FromCivil(2024, 6, 21, 11, 43, 30);
  EXPECT_EQ(Events(same, culm, same, 21), "--:--\t11:43\t--:--");
  EXPECT_EQ(Events(same, same, same, 21), "--:--\t--:--\t--:--");
}

TEST_F(EventTimesTest, DatesBeforeTheEpochUseTheirTimeOfDay) {
  // Date values before 1899-12-30 are negative with a positive time-of-day fraction.
  const Date rise = Date::FromCivil(1800, 1, 2, 6, 51, 30);
  const Date culm = Date::FromCivil(1800, 1, 2, 11, 45, 30);
  const Date set = Date::FromCivil(1800, 1, 2, 16, 40, 30);
  ASSERT_LT(rise.Value(), 0);
  EXPECT_EQ(Events(rise, culm, set, 2), "06:51\t11:45\t16:40");
}

TEST(LocalMeanTime, OffsetFromZoneTimeInWholeSeconds) {
  // Tokyo: (139.7447 − 135) × 240 s = 1138.728 s, taken as 1139 s = 18 min 59 s.
  const double noon = Date::FromCivil(2024, 1, 1, 12, 0, 0).Days();
  EXPECT_EQ(LocalMeanTimeText(noon, 139.7447, 9), "12:18:59");
  EXPECT_EQ(LocalMeanTimeText(noon, -75, -4), "11:00:00");
  // Across midnight, and at the first instant of the date range.
  EXPECT_EQ(LocalMeanTimeText(Date::FromCivil(2024, 1, 1, 23, 50, 0).Days(), 150, 9), "00:50:00");
  EXPECT_EQ(LocalMeanTimeText(Date::FromCivil(100, 1, 1).Days(), -180, 12), "00:00:00");
  EXPECT_EQ(LocalMeanTimeText(Date::FromCivil(100, 1, 1).Days(), 170, 12), "23:20:00");
}

TEST(SkyColour, BandsByTheSunsAltitude) {
  const double r = 0.27;
  EXPECT_EQ(SkyColour(-r, r, 0), (Rgb{128, 255, 255})) << "altitude exactly −r is day";
  EXPECT_EQ(SkyColour(-r - 1e-9, r, 0), (Rgb{128, 192, 255}));
  EXPECT_EQ(SkyColour(-7.361111111111111, r, 0), (Rgb{128, 192, 255}));
  EXPECT_EQ(SkyColour(-7.4, r, 0), (Rgb{0, 64, 128}));
  EXPECT_EQ(SkyColour(-18, r, 0), (Rgb{0, 64, 128}));
  EXPECT_EQ(SkyColour(-18.01, r, 0), (Rgb{0, 0, 128}));
  // 100 m: the dip of 0.353° lifts −0.6° into the day band.
  EXPECT_EQ(SkyColour(-0.6, r, HorizonDipCorrection(100)), (Rgb{128, 255, 255}));
  EXPECT_DOUBLE_EQ(HorizonDipCorrection(0), -0.002442818888888889);
}

class MainTableTest : public almacor::LibrarySettingsTest {
 protected:
  void SetUp() override {
    LibrarySettingsTest::SetUp();
    almacor::LibrarySettings() = almacor::Tokyo();
    calendar_.SetDateTime(Date::FromCivil(2024, 3, 20, 12, 0, 0));
  }
  Calendar calendar_;
};

TEST_F(MainTableTest, TitlesFixedSunCellsAndCellShapes) {
  const MainTableTexts t = BuildMainTable(calendar_, 20, almacor::LocalApparent);
  const char* columns[] = {"",       "赤経",   "赤緯", "黄経", "黄緯", "離角", "距離",
                           "視半径", "方位角", "高度", "出",   "正中", "没"};
  const char* rows[] = {"",     "太陽", "月",     "水星",   "金星",  "火星",
                        "木星", "土星", "天王星", "海王星", "冥王星"};
  for (int c = 0; c < kTableColumns; ++c) EXPECT_EQ(t.cells[0][c], columns[c]);
  for (int r = 0; r < kTableRows; ++r) EXPECT_EQ(t.cells[r][0], rows[r]);

  EXPECT_EQ(t.cells[1][4], "0ﾟ 00' 00\"");
  EXPECT_EQ(t.cells[1][5], "0.000000ﾟ");

  const std::regex ra(R"(\d\dh\d\dm\d\ds)");
  const std::regex dms(R"(-?\d{1,3}ﾟ \d\d' \d\d")");
  const std::regex radius(R"(\d\d' \d\d")");
  const std::regex event(R"(\d\d:\d\d|--:--)");
  for (int r = 1; r < kTableRows; ++r) {
    SCOPED_TRACE(rows[r]);
    EXPECT_TRUE(std::regex_match(t.cells[r][1], ra)) << t.cells[r][1];
    EXPECT_TRUE(std::regex_match(t.cells[r][2], dms)) << t.cells[r][2];
    EXPECT_TRUE(std::regex_match(t.cells[r][3], dms)) << t.cells[r][3];
    for (int c = 10; c <= 12; ++c) EXPECT_TRUE(std::regex_match(t.cells[r][c], event));
  }
  EXPECT_TRUE(std::regex_match(t.cells[1][6], std::regex(R"(0\.99\d\d\dau)"))) << t.cells[1][6];
  EXPECT_TRUE(std::regex_match(t.cells[1][7], radius)) << t.cells[1][7];
  EXPECT_TRUE(std::regex_match(t.cells[2][7], radius)) << t.cells[2][7];
  EXPECT_TRUE(std::regex_match(t.cells[2][6], std::regex(R"([34]\d\d,\d\d\dkm)"))) << t.cells[2][6];
  EXPECT_TRUE(std::regex_match(t.cells[5][7], std::regex(R"(\d\.\d\d")"))) << t.cells[5][7];
  // The equinox at noon in Tokyo: the Sun rises and sets on the displayed day.
  EXPECT_TRUE(std::regex_match(t.cells[1][10], std::regex(R"(05:\d\d)"))) << t.cells[1][10];
  EXPECT_TRUE(std::regex_match(t.cells[1][12], std::regex(R"(17:\d\d)"))) << t.cells[1][12];

  EXPECT_TRUE(std::regex_match(t.boxes[0], std::regex(R"(12:18:59)"))) << t.boxes[0];
  EXPECT_TRUE(std::regex_match(t.boxes[1], std::regex(R"(1[12]:\d\d:\d\d)"))) << t.boxes[1];
  EXPECT_TRUE(std::regex_match(t.boxes[2], std::regex(R"(\d\d:\d\d:\d\d\.\d\d\d)")));
  EXPECT_EQ(t.boxes[3], "2460389.62500000");
  EXPECT_TRUE(std::regex_match(t.boxes[4], std::regex(R"(\d{1,2}\.\d{4})"))) << t.boxes[4];
  EXPECT_TRUE(std::regex_match(t.boxes[5], std::regex(R"(\d{1,3}\.\d{4}%)"))) << t.boxes[5];
  EXPECT_TRUE(std::regex_match(t.boxes[6], std::regex("(閏)?\\d{1,2}月\\d{1,2}日"))) << t.boxes[6];
  EXPECT_EQ(t.deltaT, almacor::FormatGeneral(calendar_.DeltaT()));
  EXPECT_EQ(calendar_.Planet().Name(), almacor::plPluto) << "Display leaves the planet at Pluto";
}

TEST_F(MainTableTest, AnotherDisplayedDayBlanksEveryEvent) {
  const MainTableTexts t = BuildMainTable(calendar_, 19, almacor::LocalApparent);
  const std::set<std::string> expected = {"--:--"};
  std::set<std::string> seen;
  for (int r = 1; r < kTableRows; ++r) {
    for (int c = 10; c <= 12; ++c) seen.insert(t.cells[r][c]);
  }
  EXPECT_EQ(seen, expected);
}

TEST_F(MainTableTest, ElongationCellsFollowTheSunAndThePlanet) {
  const MainTableTexts t = BuildMainTable(calendar_, 20, almacor::LocalApparent);
  const double sun = calendar_.Sun().Longitude();
  for (int n = 1; n <= 8; ++n) {
    calendar_.Planet().SetName(n);
    EXPECT_EQ(t.cells[n + 2][5],
              ElongationText(PlanetElongation(calendar_.Planet().Longitude(), sun, n)));
  }
  EXPECT_EQ(t.cells[2][5], ElongationText(calendar_.Moon().Elongation()));
}

}  // namespace
}  // namespace quillon
