// The main window's logic without the window: its table, copy text and strings, the date and time
// entry and its modes.
#include "main_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>
#include <tuple>
#include <vector>

#include "almacor/calendar.h"
#include "almacor/error.h"
#include "almacor/format.h"
#include "almacor/moon.h"
#include "almacor/planet.h"
#include "almacor/sun.h"
#include "copy_text.h"
#include "mode_state.h"
#include "program_strings.h"
#include "test_support.h"
#include "time_entry.h"

namespace quillon {
namespace {

using almacor::Calendar;
using almacor::CivilDateTime;
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

// The event columns' cases of tests/data/event_times.csv.
TEST(EventTimes, HoursAndMinutesOfTheDisplayedDay) {
  Calendar calendar;
  const auto at = [](const std::string& text) { return Date::FromCivil(almacor::CivilOf(text)); };
  for (const auto& r : almacor::ReadReferenceTable("event_times.csv")) {
    std::string shown =
        FormatEventTimes(calendar.Math(), at(r[0]), at(r[1]), at(r[2]), std::stoi(r[3]));
    std::replace(shown.begin(), shown.end(), '\t', ' ');
    EXPECT_EQ(shown, r[4]) << r[0];
  }
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

// The shape of every cell and box, digit by digit, at the March equinox, noon in Tokyo.
TEST_F(MainTableTest, EveryCellHasItsFormat) {
  const MainTableTexts t = BuildMainTable(calendar_, 20, almacor::LocalApparent);
  const std::string dms = R"(-?\d{1,3}ﾟ \d\d' \d\d")", altAz = R"(-?\d{1,3}\.\dﾟ)";
  const std::string elongation = R"(-?\d{1,3}\.\d{6}ﾟ)", event = R"(\d\d:\d\d|--:--)";
  for (int r = 1; r < kTableRows; ++r) {
    const std::string ra = R"(\d\dh\d\dm\d\ds)", elong = r == 1 ? "0\\.000000ﾟ" : elongation;
    const std::string distance = r == 1   ? R"(0\.99\d{3}au)"
                                 : r == 2 ? R"([34]\d\d,\d{3}km)"
                                          : R"(\d{1,2}\.\d{5}au)";
    const std::string radius = r >= 3 ? R"(\d{1,2}\.\d\d")" : R"(\d\d' \d\d")";
    const std::string shapes[kTableColumns] = {"",     ra,    dms,   dms,   dms,   elong, distance,
                                               radius, altAz, altAz, event, event, event};
    for (int c = 1; c < kTableColumns; ++c) {
      EXPECT_TRUE(std::regex_match(t.cells[r][c], std::regex(shapes[c])))
          << "row " << r << " column " << c << ": " << t.cells[r][c];
    }
  }
  EXPECT_EQ(t.cells[1][4], "0ﾟ 00' 00\"");
  // The Sun rises and sets on the displayed day.
  EXPECT_TRUE(std::regex_match(t.cells[1][10], std::regex(R"(05:\d\d)"))) << t.cells[1][10];
  EXPECT_TRUE(std::regex_match(t.cells[1][12], std::regex(R"(17:\d\d)"))) << t.cells[1][12];

  const std::string boxes[7] = {
      "12:18:59",          R"(1[12]:\d\d:\d\d)", R"(\d\d:\d\d:\d\d\.\d{3})", "2460389\\.62500000",
      R"(\d{1,2}\.\d{4})", R"(\d{1,3}\.\d{4}%)", "(閏)?\\d{1,2}月\\d{1,2}日"};
  for (int b = 0; b < 7; ++b) {
    EXPECT_TRUE(std::regex_match(t.boxes[b], std::regex(boxes[b]))) << b << ": " << t.boxes[b];
  }
  EXPECT_EQ(t.deltaT, almacor::FormatGeneral(calendar_.DeltaT()));
  EXPECT_EQ(calendar_.Planet().Name(), almacor::plPluto) << "Display leaves the planet at Pluto";

  // Each planet's elongation is its own against the Sun; another displayed day blanks every event.
  const double sun = calendar_.Sun().Longitude();
  for (int n = 1; n <= 8; ++n) {
    calendar_.Planet().SetName(n);
    EXPECT_EQ(t.cells[n + 2][5],
              ElongationText(PlanetElongation(calendar_.Planet().Longitude(), sun, n)));
  }
  const MainTableTexts otherDay = BuildMainTable(calendar_, 19, almacor::LocalApparent);
  for (int r = 1; r < kTableRows; ++r) {
    for (int c = 10; c <= 12; ++c) EXPECT_EQ(otherDay.cells[r][c], "--:--");
  }
}

std::vector<std::string> Split(const std::string& text, const std::string& separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t at; (at = text.find(separator, start)) != std::string::npos;) {
    parts.push_back(text.substr(start, at - start));
    start = at + separator.size();
  }
  parts.push_back(text.substr(start));
  return parts;
}

// Texts whose every cell names its place, so that the copied order can be checked.
MainTableTexts LabelledTexts() {
  MainTableTexts t;
  for (int i = 0; i < 7; ++i) t.boxes[i] = "box" + std::to_string(i);
  t.deltaT = "69.2";
  for (int r = 0; r < kTableRows; ++r) {
    for (int c = 0; c < kTableColumns; ++c) {
      t.cells[r][c] = r == 0 && c == 0 ? "" : std::to_string(r) + "," + std::to_string(c);
    }
  }
  return t;
}

TEST(CopyText, LinesEndWithCrLfAndFollowTheWindow) {
  const std::string text = BuildCopyText({2024, 1, 5, 7, 8, 9}, LabelledTexts(), kAllColumnsMask,
                                         almacor::LocalApparent);
  ASSERT_GE(text.size(), 2u);
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  std::vector<std::string> lines = Split(text, "\r\n");
  lines.pop_back();  // after the final CR LF
  ASSERT_EQ(lines.size(), 9u + kTableRows);
  for (const std::string& line : lines) EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
  const std::vector<std::string> head(lines.begin(), lines.begin() + 9);
  EXPECT_EQ(head,
            (std::vector<std::string>{"2024年1月5日7時8分9秒", "地方平時\tbox0", "真太陽時\tbox1",
                                      "地方視恒星時\tbox2", "ユリウス日\tbox3", "ΔT\t69.2",
                                      "月齢\tbox4", "月輝面比\tbox5", "旧暦\tbox6"}));
  EXPECT_EQ(lines[9].substr(0, 1), "\t") << "the title row starts with its empty corner cell";
  for (int r = 0; r < kTableRows; ++r) {
    const std::vector<std::string> fields = Split(lines[9 + r], "\t");
    ASSERT_EQ(fields.size(), 13u) << "row " << r;
    for (int c = 1; c < kTableColumns; ++c) {
      EXPECT_EQ(fields[c], std::to_string(r) + "," + std::to_string(c));
    }
  }
}

TEST(CopyText, HiddenColumnsAreLeftOutAndTheDateIsNotPadded) {
  const std::string text = BuildCopyText({100, 12, 31, 0, 0, 0}, LabelledTexts(),
                                         kDefaultColumnMask, almacor::GreenwichMean);
  std::vector<std::string> lines = Split(text, "\r\n");
  EXPECT_EQ(lines[0], "100年12月31日0時0分0秒");
  EXPECT_EQ(lines[3], "グリニッジ平均恒星時\tbox2");
  // Column 0, the six shown quantity columns 1, 2, 6, 7, 8, 9 and the three event columns.
  const std::vector<std::string> expected = {"4,0", "4,1", "4,2",  "4,6",  "4,7",
                                             "4,8", "4,9", "4,10", "4,11", "4,12"};
  EXPECT_EQ(Split(lines[9 + 4], "\t"), expected);
  const std::string noDistance = BuildCopyText({100, 12, 31, 0, 0, 0}, LabelledTexts(),
                                               kAllColumnsMask & ~(1 << 5), almacor::LocalMean);
  lines = Split(noDistance, "\r\n");
  EXPECT_EQ(lines[3], "地方平均恒星時\tbox2");
  EXPECT_EQ(Split(lines[9], "\t").size(), 12u);
  EXPECT_EQ(lines[9].find("距離"), std::string::npos);
}

// The ends of the blocks reach their texts; the gaps between the blocks raise.
TEST(ProgramStrings, IdsReachTheirTextsAndUnknownIdsRaise) {
  EXPECT_EQ(ProgramString(1050), "--:--");
  EXPECT_EQ(ProgramString(1087), "##0.0ﾟ");  // the half-width degree sign U+FF9F, never U+00B0
  EXPECT_EQ(ProgramString(1110), "冥王星");
  for (const int id : {0, 999, 1001, 1049, 1063, 1069, 1075, 1085, 1093, 1099, 1111}) {
    EXPECT_THROW(ProgramString(id), almacor::Error) << id;
  }
}

TEST(ProgramStrings, StripAcceleratorCutsBeforeTheAccessKey) {
  EXPECT_EQ(StripAccelerator("地方視恒星時(&L)"), "地方視恒星時");
  EXPECT_EQ(StripAccelerator("UTC00:00(U)"), "UTC00:00(U)");
  EXPECT_EQ(StripAccelerator("観測地点(&L)..."), "観測地点");
  EXPECT_EQ(StripAccelerator(""), "");
}

// A TimeEntry whose hooks record the recalculations and the day range.
struct Entry {
  int recalculations = 0;
  int dayRange = 0;
  TimeEntry entry{{[](int, int) {}, [this](int days) { dayRange = days; },
                   [this](const CivilDateTime&) { ++recalculations; }, [] { return true; }}};
  explicit Entry(const CivilDateTime& at) {
    entry.Load(at);
    recalculations = 0;
  }
};

// Each arrow press of tests/data/time_entry_presses.tsv: carries and borrows through every unit,
// the day clamped to a shorter month, the ends of the range held, and one recalculation however
// far the change reaches.
TEST(TimeEntry, ArrowsCarryBorrowAndClampWithOneRecalculation) {
  const auto rows = almacor::ReadReferenceTable("time_entry_presses.tsv", '\t');
  ASSERT_GT(rows.size(), 10u);
  for (const auto& r : rows) {
    SCOPED_TRACE(r[0] + " field " + r[1] + " step " + r[2]);
    Entry e(almacor::CivilOf(r[0]));
    if (r[2] == "1") {
      e.entry.StepUp(std::stoi(r[1]));
    } else {
      e.entry.StepDown(std::stoi(r[1]));
    }
    EXPECT_EQ(e.entry.Instant(), almacor::CivilOf(r[3]));
    EXPECT_EQ(e.recalculations, 1);  // also where the end of the range holds the instant
  }
  Entry leap({2024, 3, 31, 0, 0, 0});
  leap.entry.StepDown(1);
  EXPECT_EQ(leap.dayRange, 29);
}

TEST(TimeEntry, TypedValuesMustLieInTheRangeOfTheirUnit) {
  Entry e({2024, 4, 10, 0, 0, 0});
  EXPECT_FALSE(e.entry.Validate(1, 13));
  EXPECT_FALSE(e.entry.Validate(2, 31));  // April has 30 days
  EXPECT_FALSE(e.entry.Validate(0, 99));
  EXPECT_FALSE(e.entry.Validate(3, std::nullopt));
  EXPECT_EQ(e.recalculations, 0);
  EXPECT_TRUE(e.entry.Validate(2, 29.6));  // rounded
  EXPECT_TRUE(e.entry.Validate(5, 59));
  EXPECT_EQ(e.entry.Instant(), (CivilDateTime{2024, 4, 30, 0, 0, 59}));
  EXPECT_EQ(e.recalculations, 2);
}

TEST(TimeEntry, ZeroingRecalculatesOnceAndOnlyOnAChange) {
  Entry e({2024, 5, 6, 10, 25, 40});
  e.entry.Zero(true);
  EXPECT_EQ(e.entry.Instant(), (CivilDateTime{2024, 5, 6, 10, 0, 0}));
  EXPECT_EQ(e.recalculations, 1);
  e.entry.Zero(false);
  EXPECT_EQ(e.recalculations, 1);
}

TEST(AddUnit, MonthsAndYearsClampTheDayAndTheRangeEnds) {
  using Step = std::tuple<CivilDateTime, int, std::optional<CivilDateTime>>;
  for (const auto& [from, unit, to] :
       {Step{{2023, 1, 31, 12, 0, 0}, 1, CivilDateTime{2023, 2, 28, 12, 0, 0}},
        Step{{2024, 2, 29, 0, 0, 0}, 0, CivilDateTime{2025, 2, 28, 0, 0, 0}},
        Step{{2023, 12, 31, 23, 59, 59}, 5, CivilDateTime{2024, 1, 1, 0, 0, 0}},
        Step{{2024, 2, 28, 23, 0, 0}, 3, CivilDateTime{2024, 2, 29, 0, 0, 0}},
        Step{{9999, 12, 30, 12, 0, 0}, 1, std::nullopt},
        Step{{9999, 12, 31, 23, 59, 59}, 5, std::nullopt}}) {
    EXPECT_EQ(AddUnit(from, unit), to) << from.year << "-" << from.month << " unit " << unit;
  }
}

// Manual, real time and sweep: what each enables and how fast the timer runs.
TEST(ModeState, EachModeEnablesItsControlsAndTimer) {
  ModeState mode;
  EXPECT_TRUE(mode.Manual() && mode.EntryEnabled() && mode.SweepMenuEnabled() &&
              mode.RealTimeMenuEnabled());
  EXPECT_EQ(mode.TimerPeriod(), 0);
  mode.ToggleRealTime();
  EXPECT_EQ(mode.ActiveModeLabel(), ModeState::kRealTime);
  EXPECT_FALSE(mode.EntryEnabled() || mode.SweepMenuEnabled());
  EXPECT_TRUE(mode.RealTimeMenuEnabled());
  EXPECT_EQ(mode.TimerPeriod(), 100);
  mode.ToggleRealTime();
  mode.Sweep(2);
  EXPECT_TRUE(mode.Sweeping());
  EXPECT_FALSE(mode.EntryEnabled() || mode.RealTimeMenuEnabled());
  EXPECT_EQ(mode.TimerPeriod(), 500);
  mode.Sweep(4);  // another unit switches
  EXPECT_EQ(mode.ActiveModeLabel(), 4);
  mode.Sweep(4);  // the same unit again stops
  EXPECT_TRUE(mode.Manual());
  mode.Sweep(1);
  mode.Sweep(ModeState::kStopItem);
  EXPECT_TRUE(mode.Manual());
}

}  // namespace
}  // namespace quillon
