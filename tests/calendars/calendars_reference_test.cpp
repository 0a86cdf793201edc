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

#include <array>
#include <cstdio>
#include <string>

#include "almacor/calendars.h"
#include "almacor/date.h"
#include "almacor/strings.h"
#include "test_support.h"

namespace almacor {
namespace {

// Columns after the civil date: day, Julian y m d, Islamic y m d, Hebrew y m d, baktun katun tun
// uinal kin, haab day and month, tzolkin number and name.
using Numbers = std::array<int, 19>;

std::string ExpectedLongCount(const Numbers& v) {
  std::string text;
  if (v[10] >= 20) text = "1.";
  text += std::to_string(v[10] >= 20 ? v[10] - 20 : v[10]);
  for (int i = 11; i < 15; ++i) text.append(".").append(std::to_string(v[i]));
  return text;
}

TEST(CalendarsReferenceTest, AgreeWithAnIndependentImplementationOverTheWholeRange) {
  const auto rows = ReadReferenceTable("calendars_reference.csv");
  ASSERT_GE(rows.size(), 600u) << "reference table missing or damaged";

  int mismatches[4] = {};  // Julian, Islamic, Hebrew, Maya
  int islamicCompared = 0, beforeIslamicEpoch = 0;
  for (const auto& row : rows) {
    ASSERT_EQ(row.size(), 20u);
    const std::string& civilText = row[0];
    SCOPED_TRACE(civilText);
    Numbers v;
    for (std::size_t i = 0; i < v.size(); ++i) v[i] = std::stoi(row[i + 1]);
    // The table's day number is our day count of its civil date.
    const double d = v[0] + 0.5;
    ASSERT_EQ(civilText, IsoDate(d));
    const auto check = [&](int kind, bool same, const std::string& got) {
      if (same) return;
      ++mismatches[kind];
      ADD_FAILURE() << got;
    };

    const JulianCalendarDate julian = CalcJulianCalendar(d);
    check(0, julian.year == v[1] && julian.month == v[2] && julian.day == v[3],
          "Julian " + std::to_string(julian.year) + "-" + std::to_string(julian.month) + "-" +
              std::to_string(julian.day));

    const IslamicDate islamic = CalcIslamicCalendar(d);
    if (civilText < "0622-07-19") {
      ++beforeIslamicEpoch;
      EXPECT_EQ(islamic, IslamicDate{});
    } else {
      ++islamicCompared;
      check(1, islamic.year == v[4] && islamic.monthIndex + 1 == v[5] && islamic.day == v[6],
            "Islamic " + std::to_string(islamic.year) + "/" + std::to_string(islamic.monthIndex) +
                "/" + std::to_string(islamic.day));
    }

    const HebrewDate hebrew = CalcHebrewCalendar(d);
    check(2, hebrew.year == v[7] && hebrew.monthIndex + 1 == v[8] && hebrew.day == v[9],
          "Hebrew " + std::to_string(hebrew.year) + "/" + std::to_string(hebrew.monthIndex) + "/" +
              std::to_string(hebrew.day));

    const MayaDate maya = CalcMayaCalendar(d);
    const std::string haab = std::to_string(v[15]) + std::string(LibraryString(220 + v[16]));
    const std::string tzolkin =
        std::to_string(v[17]) + std::string(LibraryString(200 + (v[18] + 1) % 20));
    check(3, maya.longCount == ExpectedLongCount(v) && maya.haab == haab && maya.tzolkin == tzolkin,
          "Maya " + maya.longCount + " " + maya.haab + " " + maya.tzolkin);
  }
  std::printf(
      "%zu days compared: Julian %d, Islamic %d (of %d; %d before the epoch give zeros), "
      "Hebrew %d, Maya %d mismatches\n",
      rows.size(), mismatches[0], mismatches[1], islamicCompared, beforeIslamicEpoch, mismatches[2],
      mismatches[3]);
  EXPECT_GT(beforeIslamicEpoch, 0);
  EXPECT_GT(islamicCompared, 0);
}

}  // namespace
}  // namespace almacor
