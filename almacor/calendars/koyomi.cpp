// The days of a Japanese almanac: the solar terms of a year, the seasonal days (雑節) and the
// national holidays of Japan.

#include "almacor/koyomi.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <set>
#include <string>

#include "almacor/angles.h"
#include "almacor/constants.h"
#include "almacor/date.h"
#include "almacor/error.h"
#include "almacor/strings.h"
#include "almacor/sun.h"
#include "calendars/basic_arithmetic.h"
#include "calendars/cycles.h"

namespace almacor {
namespace {

// Stem 戊 and branch 丑 as the remainders of a sixty-cycle number by 10 and by 12.
constexpr long kStemBo = 4;
constexpr long kBranchUshi = 1;

void RequireYear(int year) {
  if (year < 100 || year > 9999) throw Error(kInvalidArgument, "year outside 100 … 9999");
}

std::int32_t DayOf(double t) { return static_cast<std::int32_t>(std::floor(t)); }
std::int32_t CivilDay(int year, int month, int day) {
  return static_cast<std::int32_t>(CivilToDays(year, month, day));
}

// The passage of the Sun's longitude `target` near the civil date given (within a few days).
double SunAt(double target, int year, int month, int day, const TimeScale& ts) {
  return SolveSunLongitude(target, CivilToDays(year, month, day), ts);
}

constexpr std::array<std::string_view, 24> kTermNames = {
    "立春", "雨水", "啓蟄", "春分", "清明", "穀雨", "立夏", "小満", "芒種", "夏至", "小暑", "大暑",
    "立秋", "処暑", "白露", "秋分", "寒露", "霜降", "立冬", "小雪", "大雪", "冬至", "小寒", "大寒"};

// ---- National holidays ------------------------------------------------------------------------

enum class DateRule { Fixed, NthMonday, VernalEquinox, AutumnalEquinox };

// A named day (国民の祝日) in force for the years first … last.
struct HolidayRule {
  std::string_view name;
  int first;
  int last;
  DateRule rule;
  int month;
  int day;  // day of month (Fixed) or which Monday (NthMonday)
};

constexpr int kOpen = 9999;
constexpr HolidayRule kHolidayRules[] = {
    // The law came into force on 1948-07-20: in 1948 only the autumn days.
    {"元日", 1949, kOpen, DateRule::Fixed, 1, 1},
    {"成人の日", 1949, 1999, DateRule::Fixed, 1, 15},
    {"成人の日", 2000, kOpen, DateRule::NthMonday, 1, 2},
    {"建国記念の日", 1967, kOpen, DateRule::Fixed, 2, 11},
    {"天皇誕生日", 2020, kOpen, DateRule::Fixed, 2, 23},
    {"春分の日", 1949, kOpen, DateRule::VernalEquinox, 3, 0},
    {"天皇誕生日", 1949, 1988, DateRule::Fixed, 4, 29},
    {"みどりの日", 1989, 2006, DateRule::Fixed, 4, 29},
    {"昭和の日", 2007, kOpen, DateRule::Fixed, 4, 29},
    {"憲法記念日", 1949, kOpen, DateRule::Fixed, 5, 3},
    {"みどりの日", 2007, kOpen, DateRule::Fixed, 5, 4},
    {"こどもの日", 1949, kOpen, DateRule::Fixed, 5, 5},
    {"海の日", 1996, 2002, DateRule::Fixed, 7, 20},
    {"海の日", 2003, 2019, DateRule::NthMonday, 7, 3},
    {"海の日", 2020, 2020, DateRule::Fixed, 7, 23},  // moved for the Olympic Games
    {"海の日", 2021, 2021, DateRule::Fixed, 7, 22},
    {"海の日", 2022, kOpen, DateRule::NthMonday, 7, 3},
    {"山の日", 2016, 2019, DateRule::Fixed, 8, 11},
    {"山の日", 2020, 2020, DateRule::Fixed, 8, 10},
    {"山の日", 2021, 2021, DateRule::Fixed, 8, 8},
    {"山の日", 2022, kOpen, DateRule::Fixed, 8, 11},
    {"敬老の日", 1966, 2002, DateRule::Fixed, 9, 15},
    {"敬老の日", 2003, kOpen, DateRule::NthMonday, 9, 3},
    {"秋分の日", 1948, kOpen, DateRule::AutumnalEquinox, 9, 0},
    {"体育の日", 1966, 1999, DateRule::Fixed, 10, 10},
    {"体育の日", 2000, 2019, DateRule::NthMonday, 10, 2},
    {"スポーツの日", 2020, 2020, DateRule::Fixed, 7, 24},
    {"スポーツの日", 2021, 2021, DateRule::Fixed, 7, 23},
    {"スポーツの日", 2022, kOpen, DateRule::NthMonday, 10, 2},
    {"文化の日", 1948, kOpen, DateRule::Fixed, 11, 3},
    {"勤労感謝の日", 1948, kOpen, DateRule::Fixed, 11, 23},
    {"天皇誕生日", 1989, 2018, DateRule::Fixed, 12, 23},
    // Days of the imperial house, each by its own law.
    {"皇太子・明仁親王の結婚の儀", 1959, 1959, DateRule::Fixed, 4, 10},
    {"昭和天皇の大喪の礼", 1989, 1989, DateRule::Fixed, 2, 24},
    {"即位礼正殿の儀", 1990, 1990, DateRule::Fixed, 11, 12},
    {"皇太子・徳仁親王の結婚の儀", 1993, 1993, DateRule::Fixed, 6, 9},
    {"天皇の即位の日", 2019, 2019, DateRule::Fixed, 5, 1},
    {"即位礼正殿の儀", 2019, 2019, DateRule::Fixed, 10, 22},
};

// The substitute holiday (振替休日) after a named day on a Sunday, from its first day on.
struct SubstituteRule {
  int year, month, day;
  bool nearestFreeDay;  // false: only the next day, and only if it is no named day
};
constexpr SubstituteRule kSubstituteRules[] = {{1973, 4, 12, false}, {2007, 1, 1, true}};

// The day between two named days (国民の休日), from its first day on.
struct BridgeRule {
  int year, month, day;
  bool notOnSunday;  // a Sunday or a substitute holiday stays what it is
};
constexpr BridgeRule kBridgeRules[] = {{1985, 12, 27, true}, {2007, 1, 1, false}};

template <typename Rule, std::size_t N>
const Rule* RuleInForce(const Rule (&rules)[N], std::int32_t day) {
  const Rule* found = nullptr;
  for (const Rule& r : rules) {
    if (CivilDay(r.year, r.month, r.day) <= day) found = &r;
  }
  return found;
}

// Japan Standard Time with the estimated ΔT: the holidays never move with the observer's zone.
constexpr TimeScale kJapan{9.0F, true, 0};

std::int32_t RuleDay(const HolidayRule& r, int year) {
  switch (r.rule) {
    case DateRule::Fixed:
      return CivilDay(year, r.month, r.day);
    case DateRule::NthMonday: {
      const std::int32_t first = CivilDay(year, r.month, 1);
      return first + static_cast<std::int32_t>(FloorMod(1 - Weekday(first), 7)) + 7 * (r.day - 1);
    }
    case DateRule::VernalEquinox:
      return DayOf(SunAt(0, year, 3, 20, kJapan));
    case DateRule::AutumnalEquinox:
      return DayOf(SunAt(180, year, 9, 23, kJapan));
  }
  return 0;
}

}  // namespace

int Weekday(std::int32_t day) { return static_cast<int>(FloorMod(day + 6L, 7)); }

std::string_view SolarTermName(int index) {
  if (index < 0 || index > 23) throw Error(kInvalidArgument, "solar term outside 0 … 23");
  return kTermNames[static_cast<std::size_t>(index)];
}

std::vector<SolarTermPassage> SolarTermsOfYear(int year, const TimeScale& ts) {
  RequireYear(year);
  const std::int32_t first = CivilDay(year, 1, 1);
  const std::int32_t last = CivilDay(year, 12, 31);
  std::vector<SolarTermPassage> terms;
  // 小寒 (285°) comes about 5 January; each term follows about 15.2 days after the one before.
  for (int k = 0; k < 26; ++k) {
    const int index = (22 + k) % 24;
    const double guess = CivilToDays(year, 1, 5) + 15.2184 * k;
    const double t = SolveSunLongitude(Normalize360(315.0 + 15.0 * index), guess, ts);
    if (DayOf(t) >= first && DayOf(t) <= last) terms.push_back({t, index});
  }
  std::sort(terms.begin(), terms.end(),
            [](const SolarTermPassage& a, const SolarTermPassage& b) { return a.time < b.time; });
  return terms;
}

std::string_view ZassetsuName(ZassetsuKind kind) {
  switch (kind) {
    case ZassetsuKind::Setsubun:
      return "節分";
    case ZassetsuKind::HiganStart:
      return "彼岸入り";
    case ZassetsuKind::HiganMiddle:
      return "彼岸の中日";
    case ZassetsuKind::HiganEnd:
      return "彼岸明け";
    case ZassetsuKind::Shanichi:
      return "社日";
    case ZassetsuKind::Hachijuhachiya:
      return "八十八夜";
    case ZassetsuKind::Nyubai:
      return "入梅";
    case ZassetsuKind::Hangesho:
      return "半夏生";
    case ZassetsuKind::DoyoStart:
      return "土用の入り";
    case ZassetsuKind::DoyoUshi:
      return "土用の丑の日";
    case ZassetsuKind::Nihyakutoka:
      return "二百十日";
    case ZassetsuKind::Nihyakuhatsuka:
      return "二百二十日";
  }
  throw Error(kInvalidArgument, "unknown seasonal day");
}

std::vector<Zassetsu> ZassetsuOfYear(int year, const TimeScale& ts) {
  RequireYear(year);
  using K = ZassetsuKind;
  std::vector<Zassetsu> days;
  const auto add = [&](std::int32_t day, K kind) { days.push_back({day, kind}); };

  const std::int32_t risshun = DayOf(SunAt(315, year, 2, 4, ts));
  add(risshun - 1, K::Setsubun);
  add(risshun + 87, K::Hachijuhachiya);
  add(risshun + 209, K::Nihyakutoka);
  add(risshun + 219, K::Nihyakuhatsuka);

  for (const auto& [longitude, month] : {std::pair{0.0, 3}, std::pair{180.0, 9}}) {
    const double equinox = SunAt(longitude, year, month, month == 3 ? 20 : 23, ts);
    const std::int32_t day = DayOf(equinox);
    add(day - 3, K::HiganStart);
    add(day, K::HiganMiddle);
    add(day + 3, K::HiganEnd);
    // The 戊 days on or before and after the equinox day; the nearer noon to the instant wins.
    const std::int32_t before =
        day - static_cast<std::int32_t>(FloorMod(day + kSexagenaryDayOffset - kStemBo, 10));
    const std::int32_t after = before + 10;
    add(equinox - (before + 0.5) <= (after + 0.5) - equinox ? before : after, K::Shanichi);
  }

  add(DayOf(SunAt(80, year, 6, 11, ts)), K::Nyubai);
  add(DayOf(SunAt(100, year, 7, 2, ts)), K::Hangesho);

  // 土用 runs from its first day to the day before the next 立 term.
  constexpr struct {
    double start, end;
    int month, day;
  } kDoyo[] = {{297, 315, 1, 17}, {27, 45, 4, 17}, {117, 135, 7, 20}, {207, 225, 10, 20}};
  for (const auto& doyo : kDoyo) {
    const double start = SunAt(doyo.start, year, doyo.month, doyo.day, ts);
    add(DayOf(start), K::DoyoStart);
    if (doyo.start != 117) continue;
    const std::int32_t end = DayOf(SolveSunLongitude(doyo.end, start + 18, ts));
    for (std::int32_t day = DayOf(start); day < end; ++day) {
      if (FloorMod(day + kSexagenaryDayOffset, 12) == kBranchUshi) add(day, K::DoyoUshi);
    }
  }
  std::stable_sort(days.begin(), days.end(),
                   [](const Zassetsu& a, const Zassetsu& b) { return a.day < b.day; });
  return days;
}

std::vector<Holiday> HolidaysOfYear(int year) {
  RequireYear(year);
  std::vector<Holiday> named;
  for (const HolidayRule& r : kHolidayRules) {
    if (year >= r.first && year <= r.last) named.push_back({RuleDay(r, year), r.name});
  }
  std::set<std::int32_t> namedDays;
  for (const Holiday& h : named) namedDays.insert(h.day);

  std::vector<Holiday> result = named;
  std::set<std::int32_t> taken = namedDays;
  for (const Holiday& h : named) {
    if (Weekday(h.day) != 0) continue;
    const SubstituteRule* rule = RuleInForce(kSubstituteRules, h.day);
    if (!rule) continue;
    std::int32_t day = h.day + 1;
    if (rule->nearestFreeDay) {
      while (namedDays.count(day)) ++day;
    } else if (namedDays.count(day)) {
      continue;
    }
    if (taken.insert(day).second) result.push_back({day, "振替休日"});
  }
  for (const std::int32_t day : namedDays) {
    const std::int32_t between = day + 1;
    if (!namedDays.count(between + 1) || taken.count(between)) continue;
    const BridgeRule* rule = RuleInForce(kBridgeRules, between);
    if (!rule || (rule->notOnSunday && Weekday(between) == 0)) continue;
    taken.insert(between);
    result.push_back({between, "国民の休日"});
  }
  std::sort(result.begin(), result.end(),
            [](const Holiday& a, const Holiday& b) { return a.day < b.day; });
  return result;
}

std::int32_t DayCycleNumber(std::int32_t day) {
  return static_cast<std::int32_t>(FloorMod(day + kSexagenaryDayOffset, 60));
}

std::string SexagenaryName(int number) {
  const int n = static_cast<int>(FloorMod(number, 60));
  return std::string(LibraryString(kStemNames + n % 10)) +
         std::string(LibraryString(kBranchNames + n % 12));
}

int DayStar(std::int32_t day, const TimeScale& ts) { return DayStarIndex(day + 0.5, ts); }

std::string_view DayStarName(int index) {
  if (index < 0 || index > 8) throw Error(kInvalidArgument, "nine-star number outside 0 … 8");
  return LibraryString(kStarNames + index);
}

std::string_view RokuyouName(const LunisolarDate& date) {
  return LibraryString(kRokuyouNames + static_cast<int>(FloorMod(date.month + date.day, 6)));
}

}  // namespace almacor
