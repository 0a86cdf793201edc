// Julian, Islamic, Hebrew and Maya dates against an independent implementation (the Python
// package convertdate), over a table of 0100-01-01 … 9999-12-31 written by
// scripts/reference/calendars_reference.py.
//
// Conventions mapped here:
// - Islamic months: convertdate numbers them 1 … 12, we store the index 0 … 11. Before the epoch
//   (0622-07-19) convertdate continues into year 0 and below; our calendar gives year, month
//   index and day 0 there by definition, so those rows are checked for zeros and not compared.
// - Hebrew months: convertdate's 1 = Nisan … 12 = Adar (Adar I), 13 = Adar II is our index + 1.
// - Haab months: the same order in both (Pop … Uayeb). Tzolkin day names: convertdate's list starts
//   at Imix and ends with Ajaw, ours starts at Ahau, so our index is convertdate's + 1 (mod 20).
// - The long count: convertdate gives the plain baktun; from 20 on we write "1." and baktun − 20.
// No systematic difference remains: every compared row must agree.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "almacor/calendars.h"
#include "almacor/date.h"
#include "almacor/strings.h"

namespace almacor {
namespace {

struct ReferenceRow {
  std::string civil;
  int day;
  int julian[3];
  int islamic[3];
  int hebrew[3];
  int longCount[5];
  int haabDay, haabMonth, tzolkinNumber, tzolkinName;
};

std::vector<ReferenceRow> ReadReference() {
  std::ifstream in(ALMACOR_TEST_DATA_DIR "/calendars_reference.csv");
  std::vector<ReferenceRow> rows;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#' || line.starts_with("civil")) continue;
    std::istringstream fields(line);
    ReferenceRow r{};
    std::getline(fields, r.civil, ',');
    std::vector<int> v;
    for (std::string field; std::getline(fields, field, ',');) v.push_back(std::stoi(field));
    if (v.size() != 19) continue;  // reported below through the row count
    r.day = v[0];
    for (int i = 0; i < 3; ++i) {
      r.julian[i] = v[1 + i];
      r.islamic[i] = v[4 + i];
      r.hebrew[i] = v[7 + i];
    }
    for (int i = 0; i < 5; ++i) r.longCount[i] = v[10 + i];
    r.haabDay = v[15];
    r.haabMonth = v[16];
    r.tzolkinNumber = v[17];
    r.tzolkinName = v[18];
    rows.push_back(r);
  }
  return rows;
}

std::string ExpectedLongCount(const int (&lc)[5]) {
  std::string text;
  if (lc[0] >= 20) text = "1.";
  text += std::to_string(lc[0] >= 20 ? lc[0] - 20 : lc[0]);
  for (int i = 1; i < 5; ++i) text.append(".").append(std::to_string(lc[i]));
  return text;
}

TEST(CalendarsReferenceTest, AgreeWithAnIndependentImplementationOverTheWholeRange) {
  const std::vector<ReferenceRow> rows = ReadReference();
  ASSERT_GE(rows.size(), 600u) << "reference table missing or damaged";

  int julianMismatches = 0, islamicMismatches = 0, hebrewMismatches = 0, mayaMismatches = 0;
  int islamicCompared = 0, beforeIslamicEpoch = 0;
  for (const ReferenceRow& r : rows) {
    SCOPED_TRACE(r.civil);
    // The table's day number is our day count of its civil date.
    const double d = r.day + 0.5;
    const CivilDate civil = DaysToCivilDate(d);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", civil.year, civil.month, civil.day);
    ASSERT_EQ(r.civil, text);

    const JulianCalendarDate julian = CalcJulianCalendar(d);
    if (julian.year != r.julian[0] || julian.month != r.julian[1] || julian.day != r.julian[2]) {
      ++julianMismatches;
      ADD_FAILURE() << "Julian " << julian.year << "-" << julian.month << "-" << julian.day;
    }

    const IslamicDate islamic = CalcIslamicCalendar(d);
    if (r.civil < "0622-07-19") {
      ++beforeIslamicEpoch;
      EXPECT_EQ(islamic, IslamicDate{});
    } else {
      ++islamicCompared;
      if (islamic.year != r.islamic[0] || islamic.monthIndex + 1 != r.islamic[1] ||
          islamic.day != r.islamic[2]) {
        ++islamicMismatches;
        ADD_FAILURE() << "Islamic " << islamic.year << "/" << islamic.monthIndex << "/"
                      << islamic.day;
      }
    }

    const HebrewDate hebrew = CalcHebrewCalendar(d);
    if (hebrew.year != r.hebrew[0] || hebrew.monthIndex + 1 != r.hebrew[1] ||
        hebrew.day != r.hebrew[2]) {
      ++hebrewMismatches;
      ADD_FAILURE() << "Hebrew " << hebrew.year << "/" << hebrew.monthIndex << "/" << hebrew.day;
    }

    const MayaDate maya = CalcMayaCalendar(d);
    const std::string haab =
        std::to_string(r.haabDay) + std::string(LibraryString(220 + r.haabMonth));
    const std::string tzolkin = std::to_string(r.tzolkinNumber) +
                                std::string(LibraryString(200 + (r.tzolkinName + 1) % 20));
    if (maya.longCount != ExpectedLongCount(r.longCount) || maya.haab != haab ||
        maya.tzolkin != tzolkin) {
      ++mayaMismatches;
      ADD_FAILURE() << "Maya " << maya.longCount << " " << maya.haab << " " << maya.tzolkin;
    }
  }
  std::printf(
      "%zu days compared: Julian %d, Islamic %d (of %d; %d before the epoch give zeros), "
      "Hebrew %d, Maya %d mismatches\n",
      rows.size(), julianMismatches, islamicMismatches, islamicCompared, beforeIslamicEpoch,
      hebrewMismatches, mayaMismatches);
  EXPECT_GT(beforeIslamicEpoch, 0);
  EXPECT_GT(islamicCompared, 0);
}

}  // namespace
}  // namespace almacor
