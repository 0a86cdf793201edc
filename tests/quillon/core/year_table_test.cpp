// The year's table and its writers (CSV quoting, iCalendar lines, a whole year's rows) and its
// phenomena as the 天象 list shows them.
#include "year_table.h"

#include <gtest/gtest.h>

#include <sstream>

#include "almacor/date.h"
#include "phenomena_list.h"
#include "test_support.h"

namespace quillon {
namespace {

TEST(YearWriters, CsvQuotesOnlyWhatNeedsIt) {
  EXPECT_EQ(CsvRecord({"節分", "", "a,b", "say \"hi\"", "two\nlines", "cr\r"}),
            "節分,,\"a,b\",\"say \"\"hi\"\"\",\"two\nlines\",\"cr\r\"\r\n");
}

TEST(YearWriters, IcsLinesFoldAt75OctetsBetweenCharacters) {
  EXPECT_EQ(FoldIcsLine(std::string(75, 'a')), std::string(75, 'a') + "\r\n");
  EXPECT_EQ(FoldIcsLine(std::string(76, 'a')), std::string(75, 'a') + "\r\n a\r\n");
  // "SUMMARY:" then 40 three-octet characters: the first line takes 8 + 22·3 = 74 octets, since a
  // 23rd character would make 77; the continuation line holds a space and the other 18.
  std::string summary = "SUMMARY:";
  for (int i = 0; i < 40; ++i) summary += "暦";
  EXPECT_EQ(FoldIcsLine(summary), summary.substr(0, 74) + "\r\n " + summary.substr(74) + "\r\n");
}

TEST(YearWriters, ClockTextRoundsToTheMinuteWithinTheDay) {
  EXPECT_EQ(ClockText(45000.5 + 29.6 / 1440), "12:30");
  EXPECT_EQ(ClockText(45000.0 + 1439.7 / 1440), "23:59");
}

TEST(YearTable, TheYear2033WithItsLeapMonth) {
  const YearTable table = BuildYearTable(2033, almacor::Tokyo());
  ASSERT_EQ(table.rows.size(), 365u);
  EXPECT_EQ(table.rows.front().weekday, 6);  // 2033-01-01 is a Saturday
  int leapDays = 0;
  for (const YearRow& row : table.rows) leapDays += row.lunisolar.leap;
  // The leap eleventh month begins on 2033-12-22 (the new moon of that day).
  EXPECT_EQ(leapDays, 10);
  EXPECT_TRUE(table.rows[355].lunisolar.leap);
  EXPECT_EQ(table.rows[355].lunisolar.month, 11);
  EXPECT_FALSE(table.rows[354].lunisolar.leap);

  std::ostringstream csv;
  WriteYearCsv(table, csv);
  EXPECT_NE(csv.str().find("\r\n2033-12-22,木,閏11月1日,"), std::string::npos);
  // The almanac columns come before the phenomena, which close each record.
  EXPECT_NE(csv.str().find(",祝日,十二直,二十八宿,選日,和暦,天象\r\n"), std::string::npos);
  // 2033-01-01 is 壬子 in 子月 (大雪 to 小寒): 建, and 壬子 begins 八専.
  EXPECT_NE(csv.str().find(",元日,建,氐,一粒万倍日、天恩日、八専,令和15年1月1日,\r\n"),
            std::string::npos);
  std::ostringstream json;
  WriteYearJson(table, json);
  EXPECT_NE(
      json.str().find(
          R"("holiday":"元日","junichoku":"建","nijuhasshuku":"氐",)"
          R"("senjitsu":["一粒万倍日","天恩日","八専"],"wareki":"令和15年1月1日","phenomena":[]})"),
      std::string::npos);

  std::ostringstream ics;
  WriteYearIcs(table, ics, 2000000000);
  std::size_t events = 0;
  for (std::size_t at = 0; (at = ics.str().find("BEGIN:VEVENT\r\n", at)) != std::string::npos;
       ++at) {
    ++events;
  }
  std::size_t expected = table.phenomena.size();
  for (const YearRow& row : table.rows) {
    expected += row.zassetsu.size() + row.solarTerm.has_value() + row.moonPhase.has_value() +
                !row.holiday.empty();
    for (const auto kind : {almacor::Senjitsu::Tenshanichi, almacor::Senjitsu::Ichiryumanbaibi,
                            almacor::Senjitsu::Fujojubi}) {
      expected += row.senjitsu.test(static_cast<std::size_t>(kind));
    }
  }
  EXPECT_EQ(events, expected);
  EXPECT_NE(ics.str().find("SUMMARY:天赦日\r\nCATEGORIES:senjitsu\r\n"), std::string::npos);
  EXPECT_EQ(ics.str().find("SUMMARY:大明日"), std::string::npos);
  EXPECT_NE(ics.str().find("DTSTAMP:20330518T033320Z\r\n"), std::string::npos);
}

TEST(YearTable, ProgressCountsEveryDayAndTheRangeIsChecked) {
  int calls = 0, last = 0;
  BuildYearTable(2024, almacor::Tokyo(), [&](int day) {
    ++calls;
    last = day;
  });
  EXPECT_EQ(calls, 366);
  EXPECT_EQ(last, 366);
  EXPECT_EQ(almacor::ErrorNumberOf([] { BuildYearTable(99, almacor::Tokyo()); }), 5);
  EXPECT_EQ(almacor::ErrorNumberOf([] { BuildYearTable(10000, almacor::Tokyo()); }), 5);
}

// What the phenomena list shows for Tokyo in 2024 (tests/data/phenomena_list_2024.tsv).
TEST(PhenomenaList, JapaneseTextsOfAYear) {
  PhenomenaRequest request;
  request.from = almacor::CivilToDays(2024, 1, 1);
  request.to = almacor::CivilToDays(2025, 1, 1) - 1.0 / 86400;
  std::map<std::string, PhenomenonTexts> byTimeAndName;
  for (const Phenomenon& p : CollectPhenomena(request, almacor::Tokyo())) {
    const PhenomenonTexts t = PhenomenonText(p);
    byTimeAndName[t.time.substr(0, 10) + " " + t.name + " " + t.body] = t;
  }
  for (const auto& row : almacor::ReadReferenceTable("phenomena_list_2024.tsv", '\t')) {
    const auto found = byTimeAndName.find(row[0]);
    EXPECT_EQ(found == byTimeAndName.end() ? "(none)" : found->second.detail,
              row.size() > 1 ? row[1] : "")
        << row[0];
  }
}

TEST(PhenomenaList, TheEclipseTextSaysHowItIsSeenHere) {
  almacor::Settings albuquerque;
  albuquerque.observer = {-106.65, 35.08, 0};
  albuquerque.time.timeZone = -6;
  PhenomenaRequest request;
  request.from = almacor::CivilToDays(2023, 10, 14);
  request.to = request.from + 1;
  request.kinds.reset().set(static_cast<std::size_t>(PhenomenonKind::SolarEclipse));
  const auto events = CollectPhenomena(request, albuquerque);
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(PhenomenonText(events[0]).detail, "金環日食 (この地点) 食分 0.97 09:13–12:09");
}

}  // namespace
}  // namespace quillon
