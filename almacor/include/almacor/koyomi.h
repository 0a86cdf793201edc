#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "almacor/calendars.h"
#include "almacor/settings.h"

namespace almacor {

// The days of a Japanese almanac for one civil year, as pure functions. Days are local day numbers
// (Floor of the local day count, day 0 = 1899-12-30) in the zone of the TimeScale passed; years
// 100 … 9999. Every function raises Error 5 for a year outside that range.

/// The twenty-four solar terms by index: 0 = 立春 (315°) … 23 = 大寒, every 15° of the Sun's
/// longitude; even indices are 節気 (sectional terms), odd ones 中気 (principal terms). Raises
/// Error 5 for an index outside 0 … 23.
std::string_view SolarTermName(int index);

/// One passage of a solar term.
struct SolarTermPassage {
  double time = 0;  ///< local day count
  int index = 0;    ///< as SolarTermName
};
/// The solar terms whose passage falls on a local day of `year`, in time order (24 of them).
std::vector<SolarTermPassage> SolarTermsOfYear(int year, const TimeScale& ts);

/// The seasonal days (雑節).
enum class ZassetsuKind : std::int16_t {
  Setsubun,     ///< 節分: the day before 立春
  HiganStart,   ///< 彼岸入り: three days before the equinox day
  HiganMiddle,  ///< 彼岸の中日: the equinox day (春分, 秋分)
  HiganEnd,     ///< 彼岸明け: three days after it
  Shanichi,  ///< 社日: the 戊 day nearest the equinox (by the instant, against the day's noon)
  Hachijuhachiya,  ///< 八十八夜: the 88th day counting 立春 as the first
  Nyubai,          ///< 入梅: the Sun at 80°
  Hangesho,        ///< 半夏生: the Sun at 100°
  DoyoStart,       ///< 土用の入り: the Sun at 27°, 117°, 207° or 297°
  DoyoUshi,  ///< 土用の丑の日: a 丑 day of the summer 土用 (117° to the day before 立秋)
  Nihyakutoka,     ///< 二百十日: the 210th day counting 立春 as the first
  Nihyakuhatsuka,  ///< 二百二十日: the 220th day
};
/// The name of a seasonal day as an almanac prints it ("節分", "彼岸入り", …).
std::string_view ZassetsuName(ZassetsuKind kind);

/// A named day of the year.
template <typename Kind>
struct KoyomiDay {
  std::int32_t day = 0;  ///< local day number
  Kind kind{};
  friend bool operator==(const KoyomiDay&, const KoyomiDay&) = default;
};
using Zassetsu = KoyomiDay<ZassetsuKind>;

/// The seasonal days of `year` in the zone of `ts`, sorted by day (a day can carry two, e.g. 社日
/// on 彼岸の中日).
std::vector<Zassetsu> ZassetsuOfYear(int year, const TimeScale& ts);

/// A national holiday of Japan.
struct Holiday {
  std::int32_t day = 0;   ///< local day number (Japan Standard Time)
  std::string_view name;  ///< "元日", "振替休日", "国民の休日", …
  friend bool operator==(const Holiday&, const Holiday&) = default;
};
/// The national holidays of Japan in `year`, sorted by day, as the holiday law has stood since
/// its enactment on 1948-07-20: the named days of each period, the substitute holiday after a
/// named day on a Sunday (from 1973-04-12; the next day until 2006, the next day that is no named
/// day from 2007), the day between two named days (from 1985-12-27) and the one-off days. The
/// equinox days are the local days of the library's solar terms at UT+9 with the estimated ΔT,
/// whatever the settings; later years follow today's law. Empty before 1948.
std::vector<Holiday> HolidaysOfYear(int year);

/// Weekday of a local day number: 0 = Sunday … 6 = Saturday.
int Weekday(std::int32_t day);

/// The sixty-cycle number (干支) of a local day number: 0 = 甲子 … 59 = 癸亥.
std::int32_t DayCycleNumber(std::int32_t day);
/// The name of a sixty-cycle number, stem and branch ("甲子"); taken modulo 60.
std::string SexagenaryName(int number);
/// The day star (九星) of a local day number, 0 = 一白水星 … 8 = 九紫火星, as Calendar::Kyusei.
int DayStar(std::int32_t day, const TimeScale& ts);
/// The name of star 0 … 8; raises Error 5 for any other index.
std::string_view DayStarName(int index);
/// The six-day cycle (六曜) of a lunisolar date: (month + day) mod 6, 0 = 大安.
std::string_view RokuyouName(const LunisolarDate& date);

}  // namespace almacor
