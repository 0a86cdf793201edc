// The main window's date and time entry and its modes, without the window.
#include "time_entry.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "mode_state.h"
#include "test_support.h"

namespace quillon {
namespace {

using almacor::CivilDateTime;

// A TimeEntry whose hooks record the recalculations and the day range.
struct Entry {
  int recalculations = 0;
  int dayRange = 0;
  TimeEntry entry{{[](int, int) {}, [this](int days) { dayRange = days; },
                   [this](const CivilDateTime&) { ++recalculations; }, [] { return true; }}};
  explicit Entry(const CivilDateTime& at) {
    entry.Load(at);
    recalculations = 0;
  }
};

// Each arrow press of tests/data/time_entry_presses.tsv: carries and borrows through every unit,
// the day clamped to a shorter month, the ends of the range held, and one recalculation however
// far the change reaches.
TEST(TimeEntry, ArrowsCarryBorrowAndClampWithOneRecalculation) {
  const auto rows = almacor::ReadReferenceTable("time_entry_presses.tsv", '\t');
  ASSERT_GT(rows.size(), 10u);
  for (const auto& r : rows) {
    SCOPED_TRACE(r[0] + " field " + r[1] + " step " + r[2]);
    Entry e(almacor::CivilOf(r[0]));
    if (r[2] == "1") {
      e.entry.StepUp(std::stoi(r[1]));
    } else {
      e.entry.StepDown(std::stoi(r[1]));
    }
    EXPECT_EQ(e.entry.Instant(), almacor::CivilOf(r[3]));
    EXPECT_EQ(e.recalculations, 1);  // also where the end of the range holds the instant
  }
  Entry leap({2024, 3, 31, 0, 0, 0});
  leap.entry.StepDown(1);
  EXPECT_EQ(leap.dayRange, 29);
}

TEST(TimeEntry, TypedValuesMustLieInTheRangeOfTheirUnit) {
  Entry e({2024, 4, 10, 0, 0, 0});
  EXPECT_FALSE(e.entry.Validate(1, 13));
  EXPECT_FALSE(e.entry.Validate(2, 31));  // April has 30 days
  EXPECT_FALSE(e.entry.Validate(0, 99));
  EXPECT_FALSE(e.entry.Validate(3, std::nullopt));
  EXPECT_EQ(e.recalculations, 0);
  EXPECT_TRUE(e.entry.Validate(2, 29.6));  // rounded
  EXPECT_TRUE(e.entry.Validate(5, 59));
  EXPECT_EQ(e.entry.Instant(), (CivilDateTime{2024, 4, 30, 0, 0, 59}));
  EXPECT_EQ(e.recalculations, 2);
}

TEST(TimeEntry, ZeroingRecalculatesOnceAndOnlyOnAChange) {
  Entry e({2024, 5, 6, 10, 25, 40});
  e.entry.Zero(true);
  EXPECT_EQ(e.entry.Instant(), (CivilDateTime{2024, 5, 6, 10, 0, 0}));
  EXPECT_EQ(e.recalculations, 1);
  e.entry.Zero(false);
  EXPECT_EQ(e.recalculations, 1);
}

TEST(AddUnit, MonthsAndYearsClampTheDayAndTheRangeEnds) {
  using Step = std::tuple<CivilDateTime, int, std::optional<CivilDateTime>>;
  for (const auto& [from, unit, to] :
       {Step{{2023, 1, 31, 12, 0, 0}, 1, CivilDateTime{2023, 2, 28, 12, 0, 0}},
        Step{{2024, 2, 29, 0, 0, 0}, 0, CivilDateTime{2025, 2, 28, 0, 0, 0}},
        Step{{2023, 12, 31, 23, 59, 59}, 5, CivilDateTime{2024, 1, 1, 0, 0, 0}},
        Step{{2024, 2, 28, 23, 0, 0}, 3, CivilDateTime{2024, 2, 29, 0, 0, 0}},
        Step{{9999, 12, 30, 12, 0, 0}, 1, std::nullopt},
        Step{{9999, 12, 31, 23, 59, 59}, 5, std::nullopt}}) {
    EXPECT_EQ(AddUnit(from, unit), to) << from.year << "-" << from.month << " unit " << unit;
  }
}

// Manual, real time and sweep: what each enables and how fast the timer runs.
TEST(ModeState, EachModeEnablesItsControlsAndTimer) {
  ModeState mode;
  EXPECT_TRUE(mode.Manual() && mode.EntryEnabled() && mode.SweepMenuEnabled() &&
              mode.RealTimeMenuEnabled());
  EXPECT_EQ(mode.TimerPeriod(), 0);
  mode.ToggleRealTime();
  EXPECT_EQ(mode.ActiveModeLabel(), ModeState::kRealTime);
  EXPECT_FALSE(mode.EntryEnabled() || mode.SweepMenuEnabled());
  EXPECT_TRUE(mode.RealTimeMenuEnabled());
  EXPECT_EQ(mode.TimerPeriod(), 100);
  mode.ToggleRealTime();
  mode.Sweep(2);
  EXPECT_TRUE(mode.Sweeping());
  EXPECT_FALSE(mode.EntryEnabled() || mode.RealTimeMenuEnabled());
  EXPECT_EQ(mode.TimerPeriod(), 500);
  mode.Sweep(4);  // another unit switches
  EXPECT_EQ(mode.ActiveModeLabel(), 4);
  mode.Sweep(4);  // the same unit again stops
  EXPECT_TRUE(mode.Manual());
  mode.Sweep(1);
  mode.Sweep(ModeState::kStopItem);
  EXPECT_TRUE(mode.Manual());
}

}  // namespace
}  // namespace quillon
