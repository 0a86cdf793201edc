// The month calendar page as data: what the cells say, and where everything goes.
#include "month_page.h"

#include <gtest/gtest.h>

#include <tuple>

#include "test_support.h"

namespace quillon {
namespace {

constexpr almacor::TimeScale kJapan{9, true, 0};

const MonthCell& Day(const MonthPage& page, int dayOfMonth) {
  return page.cells.at(static_cast<std::size_t>(dayOfMonth - 1));
}

TEST(MonthPage, March2024WithItsTenshanichiEquinoxAndNewMoon) {
  const MonthPage page = BuildMonthPage(2024, 3, kJapan);
  EXPECT_EQ(std::tuple(page.title, page.monthName, page.wareki, page.yearCycle, page.yearStar),
            std::tuple("2024年3月", "弥生", "令和6年", "甲辰", "三碧木星"));
  // 1 March 2024 is a Friday.
  EXPECT_EQ(std::tuple(page.leadingBlanks, page.cells.size(), page.Weeks()), std::tuple(5, 31u, 6));

  EXPECT_EQ(Day(page, 1).lunisolar, "旧1月21日");  // the page's first day names the month
  EXPECT_EQ(Day(page, 2).lunisolar, "旧22日");
  EXPECT_EQ(Day(page, 2).tone, DayTone::Saturday);
  EXPECT_EQ(Day(page, 3).tone, DayTone::Holiday);
  EXPECT_TRUE(Day(page, 10).newLunarMonth);
  EXPECT_EQ(std::tuple(Day(page, 10).lunisolar, Day(page, 10).moonPhase),
            std::tuple("旧2月1日", "●朔 18:01"));
  EXPECT_EQ(Day(page, 17).moonPhase, "◐上弦 13:11");
  EXPECT_EQ(Day(page, 15).marks, (std::vector<std::string>{"天赦", "万倍", "三隣亡", "寅"}));
  EXPECT_EQ(std::tuple(Day(page, 15).junichoku, Day(page, 15).nijuhasshuku),
            std::tuple("閉", "牛宿"));
  // 彼岸の中日 is the equinox already named.
  const MonthCell& equinox = Day(page, 20);
  EXPECT_EQ(std::tuple(equinox.holiday, equinox.tone, equinox.season),
            std::tuple("春分の日", DayTone::Holiday, "春分"));
  EXPECT_EQ(Day(page, 17).season, "彼岸入り");
  EXPECT_EQ(Day(page, 5).season, "啓蟄");
}

TEST(MonthPage, LeapMonthHiddenItemsAndTheObserversZone) {
  // 2023: the leap second month begins on 22 March.
  const MonthPage leap = BuildMonthPage(2023, 3, kJapan, {false, false, true, false});
  EXPECT_EQ(Day(leap, 22).lunisolar, "旧閏2月1日");
  EXPECT_TRUE(Day(leap, 22).rokuyou.empty());
  EXPECT_TRUE(Day(leap, 22).junichoku.empty());
  EXPECT_FALSE(Day(leap, 22).nijuhasshuku.empty());
  EXPECT_TRUE(Day(leap, 22).marks.empty());
  // 小寒 2019 came at 00:37 in Japan, 23:37 the day before at UT+8.
  EXPECT_EQ(Day(BuildMonthPage(2019, 1, kJapan), 6).season, "小寒");
  EXPECT_EQ(Day(BuildMonthPage(2019, 1, almacor::TimeScale{8, true, 0}), 5).season, "小寒");
  // The era of a month is that of its last day; none before 1873.
  EXPECT_EQ(BuildMonthPage(2019, 5, kJapan).wareki, "令和元年");
  EXPECT_EQ(BuildMonthPage(1912, 7, kJapan).wareki, "大正元年");
  EXPECT_EQ(BuildMonthPage(1872, 12, kJapan).wareki, "");
  EXPECT_EQ(almacor::ErrorNumberOf([] { BuildMonthPage(2024, 13, kJapan); }), 5);
}

TEST(MonthPage, LayoutKeepsEveryPartInsideItsCell) {
  const MonthPage page = BuildMonthPage(2024, 3, kJapan);  // six weeks, long holiday names
  for (const auto& [width, height] : {std::pair{842.0 * 4, 595.0 * 4}, std::pair{700.0, 500.0}}) {
    const PageLayout layout = LayoutMonthPage(width, height, page.Weeks());
    ASSERT_EQ(layout.cells.size(), 42u);
    const Box pageBox{0, 0, width, height};
    EXPECT_TRUE(pageBox.Contains(layout.cells.back())) << width;
    EXPECT_LE(layout.subtitle.Bottom(), layout.weekdays[0].y);
    EXPECT_LE(layout.weekdays[0].Bottom(), layout.cells[0].y + 1e-9);
    // The day numbers are the largest text of the grid and the title larger still.
    EXPECT_GT(layout.numberSize, 2 * layout.line);
    EXPECT_GT(layout.title.height, layout.numberSize);
    // The parts a day has get a box (2024-03-20: a holiday, the equinox and a 六曜).
    const CellLayout equinox = LayoutCell(layout, layout.cells[24], page.cells[19]);
    EXPECT_GT(equinox.holiday.height, 0);
    EXPECT_GT(equinox.season.height, 0);
    EXPECT_EQ(equinox.moon.height, 0);
    for (std::size_t i = 0; i < page.cells.size(); ++i) {
      const Box& frame = layout.cells[i + static_cast<std::size_t>(page.leadingBlanks)];
      const CellLayout parts = LayoutCell(layout, frame, page.cells[i]);
      for (const Box& part : {parts.number, parts.rokuyou, parts.holiday, parts.lunisolar,
                              parts.notes, parts.season, parts.moon, parts.marks}) {
        if (part.height > 0) {
          EXPECT_TRUE(frame.Contains(part)) << i;
        }
      }
      // The lines stack below the number without overlapping, and the marks keep a line.
      EXPECT_GE(parts.lunisolar.y, parts.number.Bottom());
      EXPECT_GE(parts.marks.height, layout.line - 1e-9) << i;
    }
  }
}

}  // namespace
}  // namespace quillon
