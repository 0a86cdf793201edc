#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "almacor/calendars.h"
#include "almacor/date.h"
#include "almacor/sun.h"
#include "test_support.h"

namespace almacor {
namespace {

SolarTermDate TermsAt(double d, const TimeScale& ts = kJst) {
  return CalcSolarTerms(d, SunLongitudeAt(d, ts), ts, SolarTermDate{});
}

// Within a term: 立春 2024 is 2024-02-04 17:27 JST, 春分 2024-03-20 12:06 JST (the Sun's longitude
// runs through 0 that day); the day before 立春 is in 大寒 (from 01-20) and in the month of 小寒
// (from 01-06) of the year 2023.
TEST(SolarTerms, DaysCountedWithinTheTermAndTheMonth) {
  const struct {
    double d;
    SolarTermDate expected;  // year, month, day, term, day of the term, climate
  } rows[] = {
      {CivilToDays(2024, 2, 4) + 0.01, {2024, 1, 1, 0, 1, 0}},
      {CivilToDays(2024, 2, 4) + 0.99, {2024, 1, 1, 0, 1, 0}},
      {Noon(2024, 2, 3), {2023, 12, 29, 23, 15, 3 * 23 + 2}},
      {CivilToDays(2024, 3, 20) + 0.01, {2024, 2, 16, 3, 1, 9}},
      {CivilToDays(2024, 3, 20) + 0.55, {2024, 2, 16, 3, 1, 9}},
      {CivilToDays(2024, 3, 20) + 0.99, {2024, 2, 16, 3, 1, 9}},
  };
  for (const auto& r : rows) {
    const SolarTermDate t = TermsAt(r.d);
    EXPECT_TRUE(t == r.expected) << r.d << ": " << t.year << "/" << t.month << "/" << t.day
                                 << " term " << t.month24 << " day " << t.day24 << " climate "
                                 << t.climate72;
  }
}

// The day of every term of the twenty-four from 1990 to 2040 in Japan Standard Time, from an
// independent ephemeris (scripts/reference/lunisolar_reference.py).
TEST(SolarTerms, TermDaysAgreeWithReferenceEphemeris) {
  const auto rows = ReadReferenceTable("solar_terms.csv");
  std::vector<std::string> disagreements;
  for (const auto& row : rows) {
    const int index = std::stoi(row[0]);
    int y = 0, m = 0, d = 0;
    ASSERT_EQ(std::sscanf(row[1].c_str(), "%d-%d-%d", &y, &m, &d), 3) << row[1];
    const SolarTermDate on = TermsAt(Noon(y, m, d));
    const SolarTermDate before = TermsAt(Noon(y, m, d) - 1);
    const bool sectional = index % 2 == 0;
    const bool ok = on.month24 == index && on.day24 == 1 && before.month24 == (index + 23) % 24 &&
                    before.day24 > 1 && on.climate72 == 3 * index &&
                    (!sectional || (on.month == index / 2 + 1 && on.day == 1 && before.day > 1));
    if (!ok) disagreements.push_back(row[1]);
  }
  EXPECT_EQ(rows.size(), 1224u);
  // A term within a minute or so of midnight may fall on the other day with the library's compact
  // series; none does in these fifty years.
  EXPECT_TRUE(disagreements.empty()) << disagreements.size() << " first: " << disagreements[0];
}

TEST(SolarTerms, CachedAndFreshResultsAgree) {
  SolarTermCache cache;
  SolarTermDate previous;
  TimeScale ts = kJst;
  // Steps of 3 h 17 min through two years; the settings change on the way.
  int step = 0;
  for (double d = Noon(2023, 1, 1); d < Noon(2025, 1, 1); d += 197.0 / 1440, ++step) {
    if (step == 1500) ts.timeZone = -5;
    if (step == 3000) ts = TimeScale{9, false, 3600};
    const double lambda = SunLongitudeAt(d, ts);
    const SolarTermDate cached = CalcSolarTerms(d, lambda, ts, previous, cache);
    ASSERT_EQ(cached, CalcSolarTerms(d, lambda, ts, previous)) << d;
    previous = cached;
  }
}

TEST(SolarTerms, ResultsDependOnTheZoneAndOnDeltaT) {
  // 立春 2024 is at 08:27 UT on 2024-02-04; at −10 h it falls on the 3rd.
  const TimeScale west{-10, true, 0};
  EXPECT_EQ(TermsAt(Noon(2024, 2, 3), west).month24, 0);
  EXPECT_EQ(TermsAt(Noon(2024, 2, 3), kJst).month24, 23);
  // A ΔT of three days moves the terms three days earlier in civil time.
  const TimeScale late{9, false, 259200};
  EXPECT_EQ(TermsAt(Noon(2024, 2, 1), late).month24, 0);
  EXPECT_EQ(TermsAt(Noon(2024, 2, 1), late).day24, 1);
}

}  // namespace
}  // namespace almacor
