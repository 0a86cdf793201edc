#include "qx_module.h"

#include <gtest/gtest.h>

#include <cmath>

#include "almacor/calendar.h"
#include "almacor/constants.h"
#include "almacor/error.h"
#include "test_support.h"

namespace quillon {
namespace {

using almacor::Calendar;
using almacor::Date;

constexpr double kSecond = 1.0 / 86400.0;

double CivilDays(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
  return Date::FromCivil(y, mo, d, h, mi, s).Days();
}

// A stand-in Moon whose syzygies fall exactly every `period` days from `epoch`: the solver returns
// the event of the wanted kind nearest to its start, as the library's does.
struct RegularMoon {
  double epoch = CivilDays(2024, 1, 11, 20, 57, 0);  // a new moon
  double period = 29.530589;
  int calls = 0;
  double EventNear(double elongation, double start) {
    ++calls;
    const double first = epoch + (elongation == 180 ? period / 2 : 0);
    return first + std::round((start - first) / period) * period;
  }
  ElongationSolver Solver() {
    return [this](double e, double start) { return EventNear(e, start); };
  }
};

// The eclipses' are the library's (EclipseSpans).
TEST(SearchLimits, StoredValuesAreTheTabulatedInstants) {
  struct Row {
    double days;
    int y, mo, d, h, mi, s;
  };
  const EventRange n = RangeOf(SearchKind::NewMoon), f = RangeOf(SearchKind::FullMoon);
  for (const Row& r : {Row{n.first, 100, 1, 27, 2, 37, 8}, Row{n.last, 9999, 12, 30, 18, 54, 8},
                       Row{f.first, 100, 1, 12, 23, 28, 25}, Row{f.last, 9999, 12, 16, 18, 52, 44},
                       Row{LowestBackwardStart(), 100, 1, 30, 12, 44, 3},
                       Row{HighestForwardStart(), 9999, 12, 2, 11, 15, 57}}) {
    EXPECT_NEAR(r.days, CivilDays(r.y, r.mo, r.d, r.h, r.mi, r.s), 0.01 * kSecond)
        << r.y << "-" << r.mo << "-" << r.d;
  }
  // A month step from the step bounds lands just inside the date range.
  EXPECT_GE(LowestBackwardStart() - almacor::kSynodicMonth, CivilDays(100, 1, 1));
  EXPECT_LT(HighestForwardStart() + almacor::kSynodicMonth,
            CivilDays(9999, 12, 31, 23, 59, 59) + kSecond);
}

TEST(SearchLimits, MenuItemsMapToKindAndDirection) {
  using enum SearchKind;
  for (const auto& [item, eclipse, kind, previous] :
       {std::tuple{0, false, NewMoon, true}, std::tuple{1, false, NewMoon, false},
        std::tuple{3, false, FullMoon, true}, std::tuple{4, false, FullMoon, false},
        std::tuple{0, true, SolarEclipse, true}, std::tuple{4, true, LunarEclipse, false}}) {
    const SearchCommand command = MenuSearchCommand(item, eclipse);
    EXPECT_EQ(std::pair(command.kind, command.previous), std::pair(kind, previous)) << item;
  }
  EXPECT_THROW(MenuSearchCommand(2, true), almacor::Error);
  EXPECT_THROW(MenuSearchCommand(5, false), almacor::Error);
}

TEST(FindSyzygyRules, AnEventWithinASecondDoesNotCount) {
  RegularMoon moon;
  const double event = moon.epoch;
  for (const double nudge : {0.0, 0.9 * kSecond, -0.9 * kSecond}) {
    EXPECT_NEAR(FindSyzygyDays(event + nudge, false, false, 0, moon.Solver()), event + moon.period,
                1e-9);
    EXPECT_NEAR(FindSyzygyDays(event + nudge, false, true, 0, moon.Solver()), event - moon.period,
                1e-9);
  }
  // Two seconds away the event counts.
  EXPECT_NEAR(FindSyzygyDays(event - 2 * kSecond, false, false, 0, moon.Solver()), event, 1e-9);
  EXPECT_NEAR(FindSyzygyDays(event + 2 * kSecond, false, true, 0, moon.Solver()), event, 1e-9);
}

TEST(FindSyzygyRules, BeyondTheRangeTheLimitingEventInLocalTimeShiftsWithTheOffset) {
  RegularMoon moon;
  const EventRange news = RangeOf(SearchKind::NewMoon);
  const EventRange fulls = RangeOf(SearchKind::FullMoon);
  // Looking ahead from 0100-01-20 the answer is the first new moon, fixed in TD, given in local
  // time: TD − o with o = ΔT − 3600 × zone (for example ΔT 10000 s and zone +9).
  for (const double o : {0.0, 10000.0 - 32400.0, 259200.0}) {
    EXPECT_NEAR(FindSyzygyDays(CivilDays(100, 1, 20), false, false, o, moon.Solver()),
                news.first - o * kSecond, 1e-9);
    EXPECT_NEAR(FindSyzygyDays(CivilDays(100, 1, 5), true, false, o, moon.Solver()),
                fulls.first - o * kSecond, 1e-9);
    EXPECT_NEAR(FindSyzygyDays(CivilDays(9999, 12, 25), true, true, o, moon.Solver()),
                fulls.last - o * kSecond, 1e-9);
  }
  EXPECT_EQ(moon.calls, 0) << "the ephemeris is not asked outside the range";
}

// Dynamical instants after the last new moon are taken as the last new moon itself, so the previous
// new moon is searched for (and found) instead of being taken from the table; a month step that
// would leave the date range ends at the bound event.
TEST(FindSyzygyRules, AtTheEndsOfTheRange) {
  RegularMoon moon;
  moon.epoch = RangeOf(SearchKind::NewMoon).last;
  EXPECT_NEAR(FindSyzygyDays(CivilDays(9999, 12, 31, 12), false, true, 0, moon.Solver()),
              moon.epoch, 1e-9);
  EXPECT_GT(moon.calls, 0);
  EXPECT_NEAR(FindSyzygyDays(moon.epoch, false, false, 0, moon.Solver()), moon.epoch, 1e-9);
  moon.epoch = RangeOf(SearchKind::NewMoon).first;
  EXPECT_NEAR(FindSyzygyDays(moon.epoch, false, true, 0, moon.Solver()), moon.epoch, 1e-9);
}

TEST(FindSyzygyRules, ASolverThatNeverMovesRaisesInsteadOfHanging) {
  const double date = CivilDays(2024, 6, 1);
  const ElongationSolver stuck = [date](double, double) { return date; };
  EXPECT_THROW(FindSyzygyDays(date, false, false, 0, stuck), almacor::Error);
}

class CalendarFixture : public almacor::LibrarySettingsTest {
 protected:
  void SetUp() override {
    LibrarySettingsTest::SetUp();
    almacor::LibrarySettings() = almacor::Tokyo();
  }
  // Fixed ΔT and zone, so that dynamical time is the local time plus a known offset.
  // Takes effect with the next instant.
  void UseFixedTimeScale(double deltaT, float zone) {
    almacor::LibrarySettings().time = {zone, false, deltaT};
  }
  void SetInstant(double days) { calendar_.SetDateTime(Date::FromDays(days)); }
  Calendar calendar_;
};

using CurrentDynamicalDaysTest = CalendarFixture;

TEST_F(CurrentDynamicalDaysTest, AddsDeltaTLessTheZoneUpToTheUpperLimit) {
  UseFixedTimeScale(60, 9);
  SetInstant(CivilDays(2024, 1, 1, 9));
  EXPECT_NEAR(CurrentDynamicalDays(calendar_), CivilDays(2024, 1, 1, 0, 1, 0), 1e-9);
  UseFixedTimeScale(0, -12);
  SetInstant(CivilDays(9999, 12, 31, 12));
  EXPECT_EQ(CurrentDynamicalDays(calendar_), RangeOf(SearchKind::NewMoon).last);
  // The first hours of the range stay defined as a number, before the first Date.
  UseFixedTimeScale(0, 12);
  SetInstant(CivilDays(100, 1, 1));
  EXPECT_NEAR(CurrentDynamicalDays(calendar_), CivilDays(100, 1, 1) - 0.5, 1e-9);
}

using SearchEnabledTest = CalendarFixture;

// Each row of tests/data/search_enabled.tsv: a search enabled or not from an instant.
TEST_F(SearchEnabledTest, FollowsTheRangeInDynamicalTime) {
  const auto rows = almacor::ReadReferenceTable("search_enabled.tsv", '\t');
  ASSERT_GT(rows.size(), 15u);
  for (const auto& r : rows) {
    UseFixedTimeScale(std::stod(r[0]), std::stof(r[1]));
    SetInstant(Date::FromCivil(almacor::CivilOf(r[2])).Days());
    const SearchCommand command{static_cast<SearchKind>(std::stoi(r[3])), r[4] == "1"};
    EXPECT_EQ(SearchEnabled(calendar_, command), r[5] == "1") << r[2] << " " << r[3] << " " << r[4];
  }
}

using SearchCommandTest = CalendarFixture;

TEST_F(SearchCommandTest, RepeatedNewMoonSearchesNeverReturnTheSameInstant) {
  UseFixedTimeScale(69, 0);
  SetInstant(CivilDays(2024, 1, 1));
  const std::optional<Date> first = RunSearch(calendar_, {SearchKind::NewMoon, false});
  ASSERT_TRUE(first);
  // 2024-01-11 11:57 UT.
  EXPECT_NEAR(first->Days(), CivilDays(2024, 1, 11, 11, 57, 0), 2.0 / 1440);
  EXPECT_EQ(calendar_.DateTime(), *first) << "the found event becomes the instant";
  const std::optional<Date> second = RunSearch(calendar_, {SearchKind::NewMoon, false});
  ASSERT_TRUE(second);
  EXPECT_NEAR(second->Days() - first->Days(), 29.5, 1.0);
  const std::optional<Date> back = RunSearch(calendar_, {SearchKind::NewMoon, true});
  ASSERT_TRUE(back);
  EXPECT_NEAR(back->Days(), first->Days(), kSecond) << "back to the same new moon";
  // The same from an instant only rounded to the second, as the window's fields hold it.
  SetInstant(Date::FromCivil(first->ToCivil()).Days());
  EXPECT_NE(RunSearch(calendar_, {SearchKind::NewMoon, true})->ToCivil(), first->ToCivil());
}

TEST_F(SearchCommandTest, TheNextSolarEclipseSkipsNewMoonsWithoutOne) {
  UseFixedTimeScale(69, 0);
  // One day after the total eclipse of 2024-04-08: five new moons pass before the annular
  // eclipse of 2024-10-02 (18:49 UT).
  SetInstant(CivilDays(2024, 4, 9, 18));
  const std::optional<Date> found = RunSearch(calendar_, {SearchKind::SolarEclipse, false});
  ASSERT_TRUE(found);
  EXPECT_NEAR(found->Days(), CivilDays(2024, 10, 2, 18, 49, 0), 2.0 / 1440);
  EXPECT_TRUE(EclipseCondition(calendar_, false));
  // The new moon of 2024-05-08 has no eclipse.
  SetInstant(CivilDays(2024, 5, 8, 3, 22));
  EXPECT_FALSE(EclipseCondition(calendar_, false));
}

TEST_F(SearchCommandTest, ADisabledSearchLeavesTheInstant) {
  UseFixedTimeScale(0, 0);
  SetInstant(CivilDays(9999, 12, 31));
  EXPECT_FALSE(RunSearch(calendar_, {SearchKind::FullMoon, false}));
  EXPECT_EQ(calendar_.Instant(), CivilDays(9999, 12, 31));
  SetInstant(CivilDays(100, 2, 1));
  EXPECT_FALSE(RunSearch(calendar_, {SearchKind::LunarEclipse, true}));
  EXPECT_EQ(calendar_.Instant(), CivilDays(100, 2, 1));
}

}  // namespace
}  // namespace quillon
