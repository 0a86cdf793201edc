#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "almacor/settings.h"

namespace quillon {

// The month calendar page (暦) as plain data: what each day cell says and where everything goes.
// The window, its printout and the PDF all draw from these; nothing here needs a display.

/// The almanac notes a reader can hide; everything else is always shown.
struct KoyomiItems {
  bool rokuyou = true;
  bool junichoku = true;
  bool nijuhasshuku = true;
  bool senjitsu = true;
  friend bool operator==(const KoyomiItems&, const KoyomiItems&) = default;
};

/// The colour a day number is printed in.
enum class DayTone { Weekday, Saturday, Holiday };  ///< Holiday: Sundays and national holidays

/// One day of the grid; the texts of a hidden item are empty.
struct MonthCell {
  std::int32_t day = 0;  ///< local day number
  int dayOfMonth = 0;
  int weekday = 0;  ///< 0 = Sunday
  DayTone tone = DayTone::Weekday;
  std::string holiday;    ///< "元日"; empty on other days
  std::string lunisolar;  ///< "旧11月20日" on the page's first day and each 朔, else "旧21日"
  bool newLunarMonth = false;      ///< the lunisolar month begins on this day
  std::string rokuyou;             ///< "大安"
  std::string junichoku;           ///< "建"
  std::string nijuhasshuku;        ///< "角宿"
  std::vector<std::string> marks;  ///< short marks of the chosen days, in almanac order
  std::string season;     ///< solar terms and seasonal days of the day, "冬至" or "節分・…"
  std::string moonPhase;  ///< "●朔 05:57" on a day of one of the four phases
};

/// One month: the header and the day cells, Sunday first, weeks in rows.
struct MonthPage {
  int year = 0;
  int month = 0;
  std::string title;             ///< "2024年1月"
  std::string monthName;         ///< "睦月"
  std::string wareki;            ///< "令和6年"; empty before 1873
  std::string yearCycle;         ///< "甲辰"
  std::string yearStar;          ///< "三碧木星"
  int leadingBlanks = 0;         ///< empty cells before the 1st (its weekday)
  std::vector<MonthCell> cells;  ///< the days of the month, in order
  int Weeks() const { return (leadingBlanks + static_cast<int>(cells.size()) + 6) / 7; }
};

/// The page of `year`-`month` (years 100 … 9999) for the time scale of `ts`: the lunisolar dates,
/// almanac notes, solar terms, seasonal days and the Moon's phases follow its zone; the holidays
/// are those of Japan. Raises almacor::Error 5 outside the range.
MonthPage BuildMonthPage(int year, int month, const almacor::TimeScale& ts,
                         const KoyomiItems& items = {});

/// The short mark of each chosen day, indexed by almacor::Senjitsu: "天赦", "万倍", ….
extern const std::array<const char*, 14> kSenjitsuMarks;

/// A rectangle in page units (points on paper, pixels on screen), y downward.
struct Box {
  double x = 0, y = 0, width = 0, height = 0;
  double Right() const { return x + width; }
  double Bottom() const { return y + height; }
  bool Contains(const Box& b) const {
    return b.x >= x - 1e-9 && b.y >= y - 1e-9 && b.Right() <= Right() + 1e-9 &&
           b.Bottom() <= Bottom() + 1e-9;
  }
};

/// Where the parts of one day cell go. Each text box is one line high (its height is the font's
/// pixel size to use); only the lines the day has get a box (the others are empty boxes), stacked
/// below the number, and the marks take the rest of the cell.
struct CellLayout {
  Box frame;
  Box number;   ///< the day of the month, the largest text of the page
  Box rokuyou;  ///< beside the number, at its top
  Box holiday;  ///< beside the number, below the 六曜
  Box lunisolar;
  Box notes;  ///< 十二直 and 二十八宿
  Box season;
  Box moon;
  Box marks;  ///< the rest of the cell, down to its bottom margin
};

/// The page: header lines, the weekday row and the frames of `weeks` rows of day cells.
struct PageLayout {
  Box title;     ///< "2024年1月" and the month name
  Box subtitle;  ///< 和暦, 干支, 九星
  std::array<Box, 7> weekdays;
  std::vector<Box> cells;  ///< row by row, 7 per row
  double numberSize = 0;   ///< height of the day numbers
  double line = 0;         ///< height of one line of detail
  double pad = 0;          ///< inner margin of a cell
};
/// The layout of a page `width` × `height` with `weeks` (4 … 6) rows of days: a margin of 3 % of
/// the shorter side, the header at the top, the grid filling the rest.
PageLayout LayoutMonthPage(double width, double height, int weeks);
/// The parts of `cell` in the frame `frame` of `page`.
CellLayout LayoutCell(const PageLayout& page, const Box& frame, const MonthCell& cell);

/// The day of the month whose cell holds the point (x, y) of `layout`, or 0 where there is none.
int DayAt(const PageLayout& layout, const MonthPage& page, double x, double y);

/// A year and month.
struct YearMonth {
  int year = 0;
  int month = 0;
  friend bool operator==(const YearMonth&, const YearMonth&) = default;
};
/// `from` moved by `months` (negative: back), held within 0100-01 … 9999-12.
YearMonth AddMonths(YearMonth from, int months);

}  // namespace quillon
