// The almanac's day notes and the era date against independent references: lunar-javascript's
// 建除十二值星 and 星宿 (tests/data/rekichu_reference.csv, scripts/reference/rekichu_reference.js)
// and chosen days as published (tests/data/senjitsu_published.csv).
#include "almacor/rekichu.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>

#include "almacor/date.h"
#include "almacor/koyomi.h"
#include "almacor/sun.h"
#include "test_support.h"

namespace almacor {
namespace {

constexpr TimeScale kJapan{9, true, 0};

std::int32_t DayOf(const std::string& iso) {
  return static_cast<std::int32_t>(CivilToDays(
      std::stoi(iso.substr(0, 4)), std::stoi(iso.substr(5, 2)), std::stoi(iso.substr(8, 2))));
}

TEST(Rekichu, JunichokuAndMansionsMatchLunarJavascript1800To2200) {
  const auto rows = ReadReferenceTable("rekichu_reference.csv");
  ASSERT_GT(rows.size(), 2000u);
  for (const auto& row : rows) {
    const std::int32_t day = DayOf(row[0]);
    EXPECT_EQ(JunichokuName(Junichoku(day, SectionalMonth(day, kJapan))), row[1]) << row[0];
    EXPECT_EQ(NijuhasshukuName(Nijuhasshuku(day)), row[2]) << row[0];
  }
}

// Notes of single days as almanac pages print them (tests/data/rekichu_published.csv).
TEST(Rekichu, PublishedDays) {
  for (const auto& row : ReadReferenceTable("rekichu_published.csv")) {
    const RekichuDay notes = RekichuOf(DayOf(row[0]), kJapan);
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
    for (const RekichuDay& notes : RekichuBetween(DayOf(row[1]), DayOf(row[2]), kJapan)) {
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
                                                  DayOf(std::to_string(year) + "-12-31"), kJapan)) {
      count += notes.senjitsu.test(static_cast<std::size_t>(Senjitsu::Bosonichi));
    }
    EXPECT_EQ(count, kCounts[year - 2020]) << year;
  }
}

TEST(Rekichu, SectionalMonthBeginsOnTheDayOfItsTerm) {
  // The library's solar-term calendar reads the same months, day by day over 2000 … 2030.
  const std::int32_t first = DayOf("2000-01-01");
  const std::int32_t last = DayOf("2030-12-31");
  const auto days = RekichuBetween(first, last, kJapan);
  SolarTermDate terms;
  SolarTermCache cache;
  for (const RekichuDay& notes : days) {
    const double d = notes.day + 0.5;
    terms = CalcSolarTerms(d, SunLongitudeAt(d, kJapan), kJapan, terms, cache);
    ASSERT_EQ(notes.sectionalMonth, terms.month) << IsoDate(notes.day);
  }
  // 小寒 2019 came at 00:37 Japan time, 23:37 of the day before in China: the zone moves the day.
  const std::int32_t jan5 = DayOf("2019-01-05");
  EXPECT_EQ(SectionalMonth(jan5, kJapan), 11);
  EXPECT_EQ(SectionalMonth(jan5, TimeScale{8, true, 0}), 12);
  EXPECT_EQ(SectionalMonth(jan5 + 1, kJapan), 12);
  // The term's day repeats the 直 of the day before.
  EXPECT_EQ(Junichoku(jan5 + 1, 12), Junichoku(jan5, 11));
}

TEST(Rekichu, OneDayEqualsTheSameDayOfASpan) {
  const auto span = RekichuBetween(DayOf("2023-06-01"), DayOf("2023-08-31"), kJapan);
  for (const std::size_t i : {0u, 35u, 36u, 47u, 91u}) {
    const RekichuDay one = RekichuOf(span[i].day, kJapan);
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
                    [] { NijuhasshukuName(28); }, [] { RekichuBetween(10, 9, kJapan); },
                    [] { SectionalMonth(-657435, kJapan); }});
  EXPECT_EQ(RekichuOf(2958465, kJapan).wareki->era, "令和");
}

}  // namespace
}  // namespace almacor
