#include "month_page.h"

#include <algorithm>
#include <cmath>

#include "almacor/date.h"
#include "almacor/error.h"
#include "almacor/koyomi.h"
#include "almacor/moon.h"
#include "almacor/rekichu.h"
#include "almacor/strings.h"
#include "year_table.h"

namespace quillon {

const std::array<const char*, 14> kSenjitsuMarks = {
    "天赦",   "万倍", "大明",     "母倉", "天恩", "不成就", "三隣亡",
    "十方暮", "八専", "天一天上", "甲子", "己巳", "寅",     "巳"};

namespace {

std::int32_t DayNumber(int year, int month, int day) {
  return static_cast<std::int32_t>(almacor::CivilToDays(year, month, day));
}

// The phase with its symbol: the lit half of a quarter Moon faces the Sun (west at 上弦).
std::string_view PhaseName(almacor::MoonPhaseKind kind) {
  using K = almacor::MoonPhaseKind;
  switch (kind) {
    case K::NewMoon:
      return "●朔";
    case K::FirstQuarter:
      return "◐上弦";
    case K::FullMoon:
      return "○望";
    case K::LastQuarter:
      return "◑下弦";
  }
  return "";
}

void Append(std::string& text, std::string_view item) {
  if (!text.empty()) text += "・";
  text += item;
}

std::string LunisolarText(const almacor::LunisolarDate& q, bool withMonth) {
  std::string text = "旧";
  if (withMonth) text += (q.leap ? "閏" : "") + std::to_string(q.month) + "月";
  return text + std::to_string(q.day) + "日";
}

}  // namespace

MonthPage BuildMonthPage(int year, int month, const almacor::TimeScale& ts,
                         const KoyomiItems& items) {
  if (year < 100 || year > 9999 || month < 1 || month > 12) {
    throw almacor::Error(almacor::kInvalidArgument, "month outside 0100-01 … 9999-12");
  }
  MonthPage page;
  page.year = year;
  page.month = month;
  page.title = std::to_string(year) + "年" + std::to_string(month) + "月";
  page.monthName = almacor::LibraryString(100 + month);
  page.yearCycle = almacor::SexagenaryName(year - 4);
  page.yearStar = almacor::DayStarName(8 - static_cast<int>(((year - 65) % 9 + 9) % 9));

  const std::int32_t first = DayNumber(year, month, 1);
  const std::int32_t last =
      (month == 12 ? DayNumber(year + 1, 1, 1) : DayNumber(year, month + 1, 1)) - 1;
  page.leadingBlanks = almacor::Weekday(first);
  if (const auto w = almacor::WarekiOf(last)) page.wareki = almacor::WarekiYearText(*w);

  const auto notes = almacor::RekichuBetween(first, last, ts);
  const auto holidays = almacor::HolidaysOfYear(year);
  const auto terms = almacor::SolarTermsOfYear(year, ts);
  const auto zassetsu = almacor::ZassetsuOfYear(year, ts);
  const auto phases = almacor::MoonPhasesBetween(first, last + 1.0, ts);

  for (const almacor::RekichuDay& n : notes) {
    MonthCell cell;
    cell.day = n.day;
    cell.dayOfMonth = n.day - first + 1;
    cell.weekday = almacor::Weekday(n.day);
    for (const almacor::Holiday& h : holidays) {
      if (h.day == n.day) cell.holiday = h.name;
    }
    cell.tone = cell.weekday == 0 || !cell.holiday.empty() ? DayTone::Holiday
                : cell.weekday == 6                        ? DayTone::Saturday
                                                           : DayTone::Weekday;
    cell.newLunarMonth = n.lunisolar.day == 1;
    cell.lunisolar = LunisolarText(n.lunisolar, cell.newLunarMonth || n.day == first);
    if (items.rokuyou) cell.rokuyou = almacor::RokuyouName(n.lunisolar);
    if (items.junichoku) cell.junichoku = almacor::JunichokuName(n.junichoku);
    if (items.nijuhasshuku) {
      cell.nijuhasshuku = std::string(almacor::NijuhasshukuName(n.nijuhasshuku)) + "宿";
    }
    if (items.senjitsu) {
      for (std::size_t i = 0; i < kSenjitsuMarks.size(); ++i) {
        if (n.senjitsu.test(i)) cell.marks.emplace_back(kSenjitsuMarks[i]);
      }
    }
    for (const almacor::SolarTermPassage& t : terms) {
      if (static_cast<std::int32_t>(std::floor(t.time)) == n.day) {
        Append(cell.season, almacor::SolarTermName(t.index));
      }
    }
    for (const almacor::Zassetsu& z : zassetsu) {
      // 彼岸の中日 is the equinox already named.
      if (z.day == n.day && z.kind != almacor::ZassetsuKind::HiganMiddle) {
        Append(cell.season, almacor::ZassetsuName(z.kind));
      }
    }
    for (const almacor::MoonPhase& p : phases) {
      if (static_cast<std::int32_t>(std::floor(p.time)) == n.day) {
        cell.moonPhase = std::string(PhaseName(p.kind)) + " " + ClockText(p.time);
      }
    }
    page.cells.push_back(std::move(cell));
  }
  return page;
}

PageLayout LayoutMonthPage(double width, double height, int weeks) {
  weeks = std::clamp(weeks, 4, 6);
  const double margin = 0.03 * std::min(width, height);
  const double inner = width - 2 * margin;
  PageLayout layout;
  const double titleHeight = std::min(0.075 * height, inner / 10);
  layout.title = {margin, margin, inner, titleHeight};
  layout.subtitle = {margin, layout.title.Bottom(), inner, 0.45 * titleHeight};
  const double weekdayTop = layout.subtitle.Bottom() + 0.25 * titleHeight;
  const double weekdayHeight = 0.4 * titleHeight;
  const double cellWidth = inner / 7;
  for (int c = 0; c < 7; ++c) {
    layout.weekdays[static_cast<std::size_t>(c)] = {margin + c * cellWidth, weekdayTop, cellWidth,
                                                    weekdayHeight};
  }
  const double gridTop = weekdayTop + weekdayHeight;
  const double cellHeight = (height - margin - gridTop) / weeks;
  // Text sizes follow the cell: the number under a third of its height, a line of detail an
  // eighth, so that all four lines and a row of marks fit below it, and kept to eight Japanese
  // characters across the cell.
  layout.pad = 0.04 * std::min(cellWidth, cellHeight);
  layout.numberSize = std::min(0.29 * cellHeight, 0.3 * cellWidth);
  layout.line = std::min(0.12 * cellHeight, (cellWidth - 2 * layout.pad) / 8);
  for (int r = 0; r < weeks; ++r) {
    for (int c = 0; c < 7; ++c) {
      layout.cells.push_back(
          {margin + c * cellWidth, gridTop + r * cellHeight, cellWidth, cellHeight});
    }
  }
  return layout;
}

CellLayout LayoutCell(const PageLayout& page, const Box& frame, const MonthCell& cell) {
  CellLayout parts;
  parts.frame = frame;
  const double x = frame.x + page.pad;
  const double w = frame.width - 2 * page.pad;
  const double line = page.line;
  parts.number = {x, frame.y + page.pad, page.numberSize * 1.5, page.numberSize};
  // Beside the number: the 六曜, then the holiday's name.
  const Box side = {parts.number.Right(), parts.number.y, w - parts.number.width, line};
  if (!cell.rokuyou.empty()) parts.rokuyou = side;
  if (!cell.holiday.empty()) parts.holiday = {side.x, side.y + 1.2 * line, side.width, line};
  double y = parts.number.Bottom() + 0.15 * line;
  const auto stack = [&](Box& box, bool present) {
    if (!present) return;
    box = {x, y, w, line};
    y += line;
  };
  stack(parts.lunisolar, !cell.lunisolar.empty());
  stack(parts.notes, !cell.junichoku.empty() || !cell.nijuhasshuku.empty());
  stack(parts.season, !cell.season.empty());
  stack(parts.moon, !cell.moonPhase.empty());
  parts.marks = {x, y, w, std::max(0.0, frame.Bottom() - page.pad - y)};
  return parts;
}

int DayAt(const PageLayout& layout, const MonthPage& page, double x, double y) {
  for (std::size_t i = 0; i < layout.cells.size(); ++i) {
    const Box& b = layout.cells[i];
    if (x < b.x || x >= b.Right() || y < b.y || y >= b.Bottom()) continue;
    const int day = static_cast<int>(i) - page.leadingBlanks + 1;
    return day >= 1 && day <= static_cast<int>(page.cells.size()) ? day : 0;
  }
  return 0;
}

YearMonth AddMonths(YearMonth from, int months) {
  const int index = std::clamp(from.year * 12 + from.month - 1 + months, 100 * 12, 9999 * 12 + 11);
  return {index / 12, index % 12 + 1};
}

}  // namespace quillon
