// The year's table and its writers: CSV quoting, iCalendar lines, and a whole year's rows.
#include "year_table.h"

#include <gtest/gtest.h>

#include <sstream>

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
  // 23rd character would make 77; each continuation line holds a space and 24 characters.
  std::string summary = "SUMMARY:";
  for (int i = 0; i < 40; ++i) summary += "暦";
  const std::string folded = FoldIcsLine(summary);
  std::string unfolded;
  std::size_t start = 0;
  for (std::size_t end; (end = folded.find("\r\n", start)) != std::string::npos; start = end + 2) {
    const std::string line = folded.substr(start, end - start);
    EXPECT_LE(line.size(), 75u);
    if (start > 0) {
      ASSERT_EQ(line[0], ' ');
      EXPECT_NE(static_cast<unsigned char>(line[1]) & 0xC0, 0x80) << "split inside a character";
    }
    unfolded += start > 0 ? line.substr(1) : line;
  }
  EXPECT_EQ(start, folded.size());
  EXPECT_EQ(unfolded, summary);
  EXPECT_EQ(folded.substr(0, 76), summary.substr(0, 74) + "\r\n");
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

  std::ostringstream ics;
  WriteYearIcs(table, ics, 2000000000);
  std::size_t events = 0;
  for (std::size_t at = 0; (at = ics.str().find("BEGIN:VEVENT\r\n", at)) != std::string::npos;
       ++at) {
    ++events;
  }
  std::size_t expected = table.eclipses.size();
  for (const YearRow& row : table.rows) {
    expected += row.zassetsu.size() + row.solarTerm.has_value() + row.moonPhase.has_value() +
                !row.holiday.empty();
  }
  EXPECT_EQ(events, expected);
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

}  // namespace
}  // namespace quillon
