#include "calendars/cycles.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "almacor/calendar.h"
#include "almacor/error.h"
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

}  // namespace
}  // namespace almacor
