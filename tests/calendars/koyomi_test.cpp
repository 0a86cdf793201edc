// The almanac: seasonal days, holidays, the Moon's phases, the day notes and the era date.
#include "almacor/koyomi.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "almacor/date.h"
#include "almacor/moon.h"
#include "almacor/rekichu.h"
#include "almacor/sun.h"
#include "test_support.h"

namespace almacor {
namespace {

// Seasonal days, holidays and the Moon's phases against independent lists (tests/data, made by
// scripts/reference/holidays_reference.js and koyomi_reference.py).

// Reference rows "date,name" grouped by year.
std::map<int, std::set<std::pair<std::string, std::string>>> ByYear(const std::string& file) {
  std::map<int, std::set<std::pair<std::string, std::string>>> years;
  for (const auto& row : ReadReferenceTable(file)) {
    years[std::stoi(row[0].substr(0, 4))].insert({row[0], row[1]});
  }
  return years;
}

TEST(Holidays, EveryHolidayFrom1970To2050) {
  const auto reference = ByYear("holidays_reference.csv");
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
