// The almanac: the civil, lunisolar and solar-term cycles, the nine stars and 六曜, seasonal days,
// holidays, the Moon's phases, the day notes and the era date.
#include "almacor/koyomi.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "almacor/calendar.h"
#include "almacor/date.h"
#include "almacor/error.h"
#include "almacor/moon.h"
#include "almacor/rekichu.h"
#include "almacor/sun.h"
#include "calendars/cycles.h"
#include "test_support.h"

namespace almacor {
namespace {

class CyclesTest : public LibrarySettingsTest {
 protected:
  void SetUp() override {
    LibrarySettingsTest::SetUp();
    LibrarySettings().time.timeZone = 9;
  }

  // A calendar holding the instant only (no recalculation): enough for the civil cycles.
  void HoldInstant(const CivilDateTime& instant) {
    calendar_.SetPause(true);
    calendar_.SetDateTime(Date::FromCivil(instant));
  }
  Calendar calendar_;
};

// Each row of tests/data/cycles_civil.tsv: what a calendar holding a local instant reads.
TEST_F(CyclesTest, CivilCyclesStarsAndMonthNames) {
  const std::map<std::string, int> names = {{"YmdYear", YmdYear},   {"YmdMonth", YmdMonth},
                                            {"YmdDay", YmdDay},     {"Zodiac10", Zodiac10},
                                            {"Zodiac12", Zodiac12}, {"Zodiac60", Zodiac60}};
  const auto rows = ReadReferenceTable("cycles_civil.tsv", '\t');
  ASSERT_GT(rows.size(), 15u);
  for (const auto& r : rows) {
    HoldInstant(CivilOf(r[0]));
    std::istringstream call(r[1]);
    std::string read, period, option;
    call >> read >> period >> option;
    const auto ymd = static_cast<QmYmdConstants>(names.at(period));
    const auto zodiac = [&] { return static_cast<ZodiacalConstants>(names.at(option)); };
    const std::string got = read == "ZodiacalNumber"
                                ? std::to_string(calendar_.ZodiacalNumber(ymd, zodiac()))
                            : read == "ZodiacalSigns" ? calendar_.ZodiacalSigns(ymd, zodiac())
                            : read == "Kyusei"        ? calendar_.Kyusei(ymd, option == "short")
                                                      : calendar_.JapaneseMonthName(ymd);
    EXPECT_EQ(got, r[2]) << r[0] << " " << r[1];
  }
}

TEST_F(CyclesTest, NamesOfNumbers) {
  EXPECT_EQ(calendar_.ZodiacalName(0), "甲子");
  EXPECT_EQ(calendar_.ZodiacalName(59), "癸亥");
  // The sixty-cycle name takes the number mod 10 and mod 12 separately.
  EXPECT_EQ(calendar_.ZodiacalName(61), "乙丑");
  EXPECT_EQ(calendar_.ZodiacalName(11, Zodiac10), "乙");
  EXPECT_EQ(calendar_.ZodiacalName(11, Zodiac12), "亥");
  EXPECT_EQ(calendar_.ZodiacalName(11, static_cast<ZodiacalConstants>(0)), "");
  EXPECT_EQ(calendar_.KyuseiName(9, true), "一白水星");
  EXPECT_EQ(calendar_.KyuseiName(0, false), "一白");
  EXPECT_EQ(calendar_.KyuseiName(8, true), "九紫火星");
}

TEST_F(CyclesTest, BadArgumentsFailWithoutReadingOutsideTheTables) {
  HoldInstant({2024, 2, 15, 12, 0, 0});
  Calendar& c = calendar_;
  const auto ymd = [](int k) { return static_cast<QmYmdConstants>(k); };
  const auto zodiac = [](int z) { return static_cast<ZodiacalConstants>(z); };
  std::vector<std::function<void()>> calls = {
      [&] { c.ZodiacalName(-1); }, [&] { c.ZodiacalName(-1, Zodiac12); }, [&] { c.KyuseiName(-9); },
      // Nothing computed yet: the lunisolar month is 0 and the solar-term year 0, whose cycles and
      // stars fall outside the tables.
      [&] { c.JapaneseMonthName(YmdQMonth); }, [&] { c.ZodiacalSigns(YmdQYear); },
      [&] { c.Kyusei(YmdZMonth); }, [&] { c.Kyusei(YmdZYear); }};
  for (QmYmdConstants k : {YmdYear, YmdQYear, YmdZYear, YmdZMonth, YmdDay, ymd(7), ymd(-1)}) {
    calls.push_back([&c, k] { c.JapaneseMonthName(k); });
  }
  for (QmYmdConstants k : {YmdQYear, YmdQMonth, ymd(9)}) calls.push_back([&c, k] { c.Kyusei(k); });
  for (int z : {0, 4, 7, -1}) calls.push_back([&, z] { c.ZodiacalNumber(YmdYear, zodiac(z)); });
  ExpectEachRaises(kInvalidArgument, calls);
  EXPECT_EQ(c.ZodiacalNumber(YmdQYear), -4);
}

// Through the Calendar, the stored results of tests/data/cycles_lunisolar.tsv.
TEST_F(CyclesTest, LunisolarAndSolarTermCyclesThroughCalculate) {
  const auto ymd = [](int y, int m, int d) {
    return std::to_string(y) + "/" + std::to_string(m) + "/" + std::to_string(d);
  };
  const auto read = [&](const Calendar& c) {
    return ymd(c.QYear(), c.QMonth(), c.QDay()) + " " + c.Rokuyou() + " " +
           c.JapaneseMonthName(YmdQMonth) + " " + c.ZodiacalSigns(YmdQYear) +
           c.ZodiacalSigns(YmdQMonth) + " | " +
           ymd(c.ZodiacalYear(), c.ZodiacalMonth(), c.ZodiacalDay()) + " " +
           ymd(c.ZodiacalMonth24(), c.ZodiacalDay24(), c.ZodiacalClimate72()) + " " +
           c.ZodiacalSigns(YmdZYear) + c.ZodiacalSigns(YmdZMonth) + " " + c.Kyusei(YmdZYear) +
           c.Kyusei(YmdZMonth, true);
  };
  for (const auto& r : ReadReferenceTable("cycles_lunisolar.tsv", '\t')) {
    calendar_.SetTimeZone(std::stof(r[1]));
    calendar_.SetDateTime(Date::FromCivil(CivilOf(r[0])));
    EXPECT_EQ(read(calendar_), r[2]) << r[0] << " zone " << r[1];
  }
  // ΔT of three days moves every solution three days earlier in civil time.
  calendar_.SetDateTime(Date::FromCivil(2024, 2, 9, 12));
  calendar_.SetDtEstimated(false);
  calendar_.SetDeltaT(259200);
  const LunisolarDate fresh = CalcLunisolar(calendar_.Instant(), LibrarySettings().time);
  EXPECT_EQ(calendar_.QMonth(), fresh.month);
  EXPECT_EQ(calendar_.QDay(), fresh.day);
  EXPECT_EQ(calendar_.QDay(), 3);
}

// Sweep: the day star steps by one each day in its run's direction. A run starts on a 甲子 day
// (sixty-cycle 0): an ascending one with 一白水星, a descending one with 九紫火星, every 180 days
// or, where the solstices drift past a 甲子 day, after 240 days; then the last 30 days of the long
// span turn back on the 甲午 day (cycle 30) before it, repeating that day's star.
TEST_F(CyclesTest, DayStarSweep) {
  const TimeScale& ts = LibrarySettings().time;
  const long first = static_cast<long>(CivilToDays(1950, 1, 1));
  const long last = static_cast<long>(CivilToDays(2060, 1, 1));
  int previous = DayStarIndex(first - 1 + 0.5, ts);
  int direction = DayStarIndex(first + 0.5, ts) == (previous + 1) % 9 ? 1 : -1;
  long lastStart = 0;
  int starts = 0, turns = 0;
  for (long b = first; b < last; ++b) {
    const int s = DayStarIndex(b + 0.5, ts);
    const int step = ((s - previous) % 9 + 9) % 9;  // 1 ascending, 8 descending
    const bool continues = (direction == 1 && step == 1) || (direction == -1 && step == 8);
    if (!continues) {
      const long cycle = (b + 2415068) % 60;
      if (cycle == 0) {
        ASSERT_TRUE(s == 0 || s == 8) << b;
        direction = s == 0 ? 1 : -1;
        if (lastStart != 0) {
          ASSERT_TRUE(b - lastStart == 180 || b - lastStart == 240) << b;
        }
        lastStart = b;
        ++starts;
      } else {
        ASSERT_EQ(cycle, 30) << b;
        ASSERT_EQ(s, previous) << b;
        ASSERT_EQ(lastStart == 0 ? 210 : b - lastStart, 210) << b;
        direction = -direction;
        lastStart = b + 30;  // the next run goes on without a break from the turn
        ++turns;
      }
    }
    previous = s;
  }
  // Two runs a year; a long span every eleven or twelve years.
  EXPECT_GE(starts + turns, 2 * 110 - 1);
  EXPECT_LE(starts + turns, 2 * 110 + 1);
  EXPECT_GE(turns, 8);
  EXPECT_LE(turns, 12);
}

TEST_F(CyclesTest, DayStarsAtTheEndsOfTheDateRange) {
  const TimeScale& ts = LibrarySettings().time;
  // Fixed switch days before 0100-07-06: an ascending run from 0100-01-07.
  EXPECT_EQ(DayStarIndex(CivilToDays(100, 1, 7) + 0.5, ts), 0);
  EXPECT_EQ(DayStarIndex(CivilToDays(100, 1, 8) + 0.5, ts), 1);
  EXPECT_EQ(DayStarIndex(CivilToDays(100, 1, 1) + 0.5, ts), 8 - 174 % 9);
  // After 9999-07-10: a descending run from 9999-07-11.
  EXPECT_EQ(DayStarIndex(CivilToDays(9999, 7, 11) + 0.5, ts), 8);
  EXPECT_EQ(DayStarIndex(CivilToDays(9999, 12, 31) + 0.5, ts), 8 - 173 % 9);
  for (double d : {CivilToDays(100, 7, 6), CivilToDays(9999, 7, 10) + 0.99}) {
    const int s = DayStarIndex(d, ts);
    EXPECT_GE(s, 0);
    EXPECT_LE(s, 8);
  }
}

// Seasonal days, holidays and the Moon's phases against independent lists (tests/data, made by
// scripts/reference/holidays_reference.js and koyomi_reference.py).

TEST(Holidays, EveryHolidayFrom1970To2050) {
  std::map<int, std::set<std::pair<std::string, std::string>>> reference;  // by year
  for (const auto& row : ReadReferenceTable("holidays_reference.csv"))
    reference[std::stoi(row[0].substr(0, 4))].insert({row[0], row[1]});
  ASSERT_EQ(reference.size(), 81u);
  for (const auto& [year, expected] : reference) {
    std::set<std::pair<std::string, std::string>> actual;
    for (const Holiday& h : HolidaysOfYear(year))
      actual.insert({IsoDate(h.day), std::string(h.name)});
    EXPECT_EQ(actual, expected) << year;
  }
}

TEST(Holidays, BeforeTheListBegins) {
  const auto dates = [](int year) {
    std::vector<std::string> out;
    for (const Holiday& h : HolidaysOfYear(year))
      out.push_back(IsoDate(h.day) + " " + std::string(h.name));
    return out;
  };
  EXPECT_TRUE(HolidaysOfYear(1947).empty());
  // The law came into force on 1948-07-20.
  EXPECT_EQ(dates(1948), (std::vector<std::string>{"1948-09-23 秋分の日", "1948-11-03 文化の日",
                                                   "1948-11-23 勤労感謝の日"}));
  const auto has = [&](int year, const std::string& entry) {
    const auto all = dates(year);
    return std::find(all.begin(), all.end(), entry) != all.end();
  };
  EXPECT_TRUE(has(1959, "1959-04-10 皇太子・明仁親王の結婚の儀"));
  EXPECT_TRUE(has(1966, "1966-09-15 敬老の日"));
  EXPECT_TRUE(has(1966, "1966-10-10 体育の日"));
  EXPECT_FALSE(has(1966, "1966-02-11 建国記念の日"));
  EXPECT_TRUE(has(1967, "1967-02-11 建国記念の日"));
  // 1973-02-11 fell on a Sunday before the substitute holiday existed.
  EXPECT_FALSE(has(1973, "1973-02-12 振替休日"));
  EXPECT_EQ(HolidaysOfYear(1969).size(), 12u);
  EXPECT_EQ(ErrorNumberOf([] { HolidaysOfYear(99); }), 5);
}

TEST(Holidays, EquinoxDaysAreTheLibrarysSolarTerms) {
  for (int year = 1949; year <= 2150; ++year) {
    std::set<std::int32_t> equinoxes;
    for (const SolarTermPassage& t : SolarTermsOfYear(year, kJst)) {
      if (t.index == 3 || t.index == 15)
        equinoxes.insert(static_cast<std::int32_t>(std::floor(t.time)));
    }
    std::set<std::int32_t> holidays;
    for (const Holiday& h : HolidaysOfYear(year)) {
      if (h.name == "春分の日" || h.name == "秋分の日") holidays.insert(h.day);
    }
    EXPECT_EQ(holidays, equinoxes) << year;
  }
}

TEST(Zassetsu, EveryDayFrom1950To2100) {
  // Each kind's days of a year, compared unless the reference solved its deciding instant within
  // five minutes of a day boundary, where two computations may fairly disagree.
  struct Days {
    std::set<std::string> dates;
    double margin = 1e9;
  };
  std::map<std::pair<int, std::string>, Days> reference;
  for (const auto& row : ReadReferenceTable("zassetsu_reference.csv")) {
    Days& days = reference[{std::stoi(row[0].substr(0, 4)), row[1]}];
    days.dates.insert(row[0]);
    days.margin = std::min(days.margin, std::stod(row[2]));
  }
  int compared = 0;
  for (int year = 1950; year <= 2100; ++year) {
    std::map<std::string, std::set<std::string>> actual;
    for (const Zassetsu& z : ZassetsuOfYear(year, kJst)) {
      actual[std::string(ZassetsuName(z.kind))].insert(IsoDate(z.day));
    }
    for (const auto& [name, dates] : actual) {
      const auto expected = reference.find({year, name});
      ASSERT_NE(expected, reference.end()) << year << " " << name;
      if (expected->second.margin < 5) continue;
      EXPECT_EQ(dates, expected->second.dates) << year << " " << name;
      ++compared;
    }
    EXPECT_EQ(actual.size(), 12u) << year;
  }
  EXPECT_GT(compared, 151 * 12 - 20);
}

TEST(SolarTerms, TwentyFourInEveryYearInTimeOrder) {
  for (const int year : {100, 1582, 2024, 9999}) {
    const auto terms = SolarTermsOfYear(year, TimeScale{});
    ASSERT_EQ(terms.size(), 24u) << year;
    for (std::size_t k = 1; k < terms.size(); ++k) {
      EXPECT_EQ(terms[k].index, (terms[k - 1].index + 1) % 24) << year;
    }
  }
  EXPECT_EQ(SolarTermName(0), "立春");
  EXPECT_EQ(SolarTermName(23), "大寒");
}

TEST(MoonPhases, WithinTwoMinutesOfPyEphem2000To2030) {
  std::vector<MoonPhase> expected;
  for (const auto& row : ReadReferenceTable("moon_phases_reference.csv")) {
    // UT Julian day to a day count at UT.
    expected.push_back(
        {DaysOfJulianDay(std::stod(row[1])), static_cast<MoonPhaseKind>(std::stoi(row[0]))});
  }
  const TimeScale ut{0, true, 0};
  const auto phases = MoonPhasesBetween(CivilToDays(2000, 1, 1), CivilToDays(2031, 1, 1), ut);
  ASSERT_EQ(phases.size(), expected.size());
  for (std::size_t i = 0; i < phases.size(); ++i) {
    EXPECT_EQ(phases[i].kind, expected[i].kind) << i;
    EXPECT_NEAR(phases[i].time, expected[i].time, 120.0 / 86400) << i;
  }
  EXPECT_EQ(MoonPhaseName(MoonPhaseKind::FirstQuarter), "上弦");
}

TEST(DayCycles, SexagenaryStarAndRokuyou) {
  const auto day = static_cast<std::int32_t>(CivilToDays(2024, 1, 1));
  EXPECT_EQ(SexagenaryName(DayCycleNumber(day)), "甲子");
  EXPECT_EQ(Weekday(day), 1);
  EXPECT_EQ(DayStarName(DayStar(day, Tokyo().time)), "一白水星");
  EXPECT_EQ(RokuyouName(LunisolarDate{2023, 11, 20}), "赤口");
  EXPECT_EQ(RokuyouName(LunisolarDate{2024, 1, 1}), "先勝");
}

// The almanac's day notes and the era date against independent references: lunar-javascript's
// 建除十二值星 and 星宿 (tests/data/rekichu_reference.csv, scripts/reference/rekichu_reference.js)
// and chosen days as published (tests/data/senjitsu_published.csv).

std::int32_t DayOf(const std::string& iso) {
  return static_cast<std::int32_t>(CivilToDays(
      std::stoi(iso.substr(0, 4)), std::stoi(iso.substr(5, 2)), std::stoi(iso.substr(8, 2))));
}

TEST(Rekichu, JunichokuAndMansionsMatchLunarJavascript1800To2200) {
  const auto rows = ReadReferenceTable("rekichu_reference.csv");
  ASSERT_GT(rows.size(), 2000u);
  for (const auto& row : rows) {
    const std::int32_t day = DayOf(row[0]);
    EXPECT_EQ(JunichokuName(Junichoku(day, SectionalMonth(day, kJst))), row[1]) << row[0];
    EXPECT_EQ(NijuhasshukuName(Nijuhasshuku(day)), row[2]) << row[0];
  }
}

// Notes of single days as almanac pages print them (tests/data/rekichu_published.csv).
TEST(Rekichu, PublishedDays) {
  for (const auto& row : ReadReferenceTable("rekichu_published.csv")) {
    const RekichuDay notes = RekichuOf(DayOf(row[0]), kJst);
    EXPECT_EQ(JunichokuName(notes.junichoku), row[1]) << row[0];
    EXPECT_EQ(NijuhasshukuName(notes.nijuhasshuku), row[2]) << row[0];
  }
}

TEST(Rekichu, ChosenDaysAsPublished) {
  int spans = 0;
  for (const auto& row : ReadReferenceTable("senjitsu_published.csv")) {
    std::set<std::string> expected;
    std::stringstream dates(row[3]);
    for (std::string item; dates >> item;) {
      const auto dots = item.find("..");
      const std::int32_t first = DayOf(item.substr(0, 10));
      const std::int32_t last = dots == std::string::npos ? first : DayOf(item.substr(dots + 2));
      for (std::int32_t day = first; day <= last; ++day) expected.insert(IsoDate(day));
    }
    std::set<std::string> actual;
    for (const RekichuDay& notes : RekichuBetween(DayOf(row[1]), DayOf(row[2]), kJst)) {
      for (const std::string_view name : SenjitsuNames(notes.senjitsu)) {
        if (name == row[0]) actual.insert(IsoDate(notes.day));
      }
    }
    EXPECT_EQ(actual, expected) << row[0] << " " << row[1] << " … " << row[2] << " (" << row[4]
                                << ")";
    ++spans;
  }
  EXPECT_EQ(spans, 15);
}

TEST(Rekichu, BosonichiCountsAsPublished) {
  // hotdoglab.jp/blog/boso-day/ counts 69, 75, 68 and 74 母倉日 in 2020 … 2023, which only the
  // sectional-month variant gives (the 土用 variant moves the 巳午 days by weeks).
  const int kCounts[] = {69, 75, 68, 74};
  for (int year = 2020; year <= 2023; ++year) {
    int count = 0;
    for (const RekichuDay& notes : RekichuBetween(DayOf(std::to_string(year) + "-01-01"),
                                                  DayOf(std::to_string(year) + "-12-31"), kJst)) {
      count += notes.senjitsu.test(static_cast<std::size_t>(Senjitsu::Bosonichi));
    }
    EXPECT_EQ(count, kCounts[year - 2020]) << year;
  }
}

TEST(Rekichu, SectionalMonthBeginsOnTheDayOfItsTerm) {
  // The library's solar-term calendar reads the same months, day by day over 2000 … 2030.
  const std::int32_t first = DayOf("2000-01-01");
  const std::int32_t last = DayOf("2030-12-31");
  const auto days = RekichuBetween(first, last, kJst);
  SolarTermDate terms;
  SolarTermCache cache;
  for (const RekichuDay& notes : days) {
    const double d = notes.day + 0.5;
    terms = CalcSolarTerms(d, SunLongitudeAt(d, kJst), kJst, terms, cache);
    ASSERT_EQ(notes.sectionalMonth, terms.month) << IsoDate(notes.day);
  }
  // 小寒 2019 came at 00:37 Japan time, 23:37 of the day before in China: the zone moves the day.
  const std::int32_t jan5 = DayOf("2019-01-05");
  EXPECT_EQ(SectionalMonth(jan5, kJst), 11);
  EXPECT_EQ(SectionalMonth(jan5, TimeScale{8, true, 0}), 12);
  EXPECT_EQ(SectionalMonth(jan5 + 1, kJst), 12);
  // The term's day repeats the 直 of the day before.
  EXPECT_EQ(Junichoku(jan5 + 1, 12), Junichoku(jan5, 11));
}

TEST(Rekichu, OneDayEqualsTheSameDayOfASpan) {
  const auto span = RekichuBetween(DayOf("2023-06-01"), DayOf("2023-08-31"), kJst);
  for (const std::size_t i : {0u, 35u, 36u, 47u, 91u}) {
    const RekichuDay one = RekichuOf(span[i].day, kJst);
    EXPECT_EQ(one.lunisolar, span[i].lunisolar);
    EXPECT_EQ(one.sectionalMonth, span[i].sectionalMonth);
    EXPECT_EQ(one.senjitsu, span[i].senjitsu);
    EXPECT_EQ(one.wareki, span[i].wareki);
  }
}

// The days around each change of era (tests/data/wareki_boundaries.csv).
TEST(Rekichu, WarekiEraBoundaries) {
  const auto rows = ReadReferenceTable("wareki_boundaries.csv");
  ASSERT_GT(rows.size(), 10u);
  for (const auto& row : rows) {
    const auto w = WarekiOf(DayOf(row[0]));
    EXPECT_EQ(w ? WarekiText(*w) : std::string("none"), row[1]) << row[0];
  }
  EXPECT_EQ(WarekiYearText(*WarekiOf(DayOf("2033-12-31"))), "令和15年");
}

TEST(Rekichu, RejectsOutOfRange) {
  ExpectEachRaises(kInvalidArgument,
                   {[] { Junichoku(0, 13); }, [] { SenjitsuOf(0, 0, LunisolarDate{}); },
                    [] { NijuhasshukuName(28); }, [] { RekichuBetween(10, 9, kJst); },
                    [] { SectionalMonth(-657435, kJst); }});
  EXPECT_EQ(RekichuOf(2958465, kJst).wareki->era, "令和");
}

}  // namespace
}  // namespace almacor
