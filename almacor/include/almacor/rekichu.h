#pragma once

#include <bitset>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "almacor/calendars.h"
#include "almacor/settings.h"

namespace almacor {

// The day notes of a Japanese almanac (暦注) and the Japanese era date (和暦), as pure functions.
// Days are local day numbers (Floor of the local day count, day 0 = 1899-12-30) in the zone of the
// TimeScale passed; the almanac's own zone is UT+9. The rules are those printed in today's
// almanacs, which go back to the notes of the 宝暦暦 (1755) and the 天保暦 (1844); they are
// tabulated in 暦の会編『暦の百科事典』 and 岡田芳朗ほか編『暦の大事典』 (2014). Where almanacs
// differ, the comment names the variant chosen and the others.

/// The sectional month (節月) of a day: 1 = 寅月, from the day of 立春 (the Sun at 315°), …,
/// 12 = 丑月, from the day of 小寒 (285°). A month begins on the local civil day that contains its
/// sectional term's instant, as Calendar's ZodiacalMonth does. Raises Error 5 for a day outside
/// the years 100 … 9999.
int SectionalMonth(std::int32_t day, const TimeScale& ts);

/// 十二直 of a day: 0 = 建, 1 = 除, 2 = 満, 3 = 平, 4 = 定, 5 = 執, 6 = 破, 7 = 危, 8 = 成, 9 = 納,
/// 10 = 開, 11 = 閉. 建 falls on the day whose branch is the branch of the sectional month
/// (寅 for month 1 … 丑 for month 12), the others follow day by day. On the day a sectional month
/// begins the month's branch advances together with the day's, so that day repeats the 直 of the
/// day before, as the almanacs print it. `sectionalMonth` is 1 … 12 (SectionalMonth); raises
/// Error 5 for any other.
int Junichoku(std::int32_t day, int sectionalMonth);
/// The name of 直 0 … 11 ("建" … "閉"); raises Error 5 for any other index.
std::string_view JunichokuName(int index);

/// 二十八宿 of a day: 0 = 角, 1 = 亢, 2 = 氐, 3 = 房, 4 = 心, 5 = 尾, 6 = 箕, 7 = 斗, 8 = 牛,
/// 9 = 女, 10 = 虚, 11 = 危, 12 = 室, 13 = 壁, 14 = 奎, 15 = 婁, 16 = 胃, 17 = 昴, 18 = 畢,
/// 19 = 觜, 20 = 参, 21 = 井, 22 = 鬼, 23 = 柳, 24 = 星, 25 = 張, 26 = 翼, 27 = 軫. One unbroken
/// 28-day cycle locked to the week, 房 虚 昴 星 on Sundays, as in today's almanacs and in the
/// Chinese one (the older 二十七宿, which leaves out 牛 and restarts with each lunar month, is
/// another note).
int Nijuhasshuku(std::int32_t day);
/// The name of mansion 0 … 27 ("角" … "軫"); raises Error 5 for any other index.
std::string_view NijuhasshukuName(int index);

/// The chosen and named days (選日 and the good days of the lower notes), in the order an almanac
/// lists them. The rules read the day's sixty-cycle number (干支, DayCycleNumber), its sectional
/// month and, for 不成就日, its lunisolar date.
enum class Senjitsu : std::uint8_t {
  /// 天赦日: 戊寅 in spring (sectional months 1–3), 甲午 in summer (4–6), 戊申 in autumn (7–9),
  /// 甲子 in winter (10–12).
  Tenshanichi,
  /// 一粒万倍日: two branches per sectional month: 丑午, 寅酉, 子卯, 卯辰, 巳午, 酉午, 子未, 卯申,
  /// 午酉, 酉戌, 亥子, 卯子 for months 1 … 12.
  Ichiryumanbaibi,
  /// 大明日: the days 己巳 庚午 辛未 壬申 癸酉 丁丑 己卯 壬午 甲申 丁亥 壬辰 乙未 壬寅 甲辰 乙巳
  /// 丙午 丁未 己酉 庚戌 辛亥 丙辰 戊午 己未 庚申 辛酉 (the 25-day list of the lower notes). Some
  /// almanacs leave out 己巳 庚午 丁未 戊午 (21 days); a 19-day list adds 乙丑 丁卯 戊辰 癸巳 to
  /// the fifteen the others share.
  Daimyonichi,
  /// 母倉日: by the branch and the sectional month: 亥子 in months 1–2, 寅卯 in 4–5, 丑辰未戌 in
  /// 7–8, 申酉 in 10–11, and 巳午 in the last month of each season (3, 6, 9, 12). Other almanacs
  /// take the seasons by the four 土用 periods, giving 巳午 during 土用 instead of in months 3, 6,
  /// 9 and 12.
  Bosonichi,
  /// 天恩日: the fifteen days 甲子–戊辰, 己卯–癸未 and 己酉–癸丑.
  Tenonnichi,
  /// 不成就日: by the lunisolar month and day: days 3, 11, 19, 27 of months 1 and 7; 2, 10, 18, 26
  /// of 2 and 8; 1, 9, 17, 25 of 3 and 9; 4, 12, 20, 28 of 4 and 10; 5, 13, 21, 29 of 5 and 11;
  /// 6, 14, 22, 30 of 6 and 12. A leap month counts as the month it repeats. (A few tables count
  /// by the sectional month instead; the almanacs use the lunisolar one.)
  Fujojubi,
  /// 三隣亡: 亥 days in sectional months 1, 4, 7, 10; 寅 days in 2, 5, 8, 11; 午 days in 3, 6,
  /// 9, 12.
  Sanrinbo,
  /// 十方暮: the ten days 甲申 to 癸巳.
  Jippogure,
  /// 八専: of the twelve days 壬子 to 癸亥 the eight whose stem and branch share an element; the
  /// 間日 癸丑 丙辰 戊午 壬戌 are not marked. (Some calendars mark only the first and last day.)
  Happen,
  /// 天一天上: the sixteen days 癸巳 to 戊申.
  Tenichitenjo,
  /// 甲子の日.
  Kinoene,
  /// 己巳の日.
  Tsuchinotomi,
  /// 寅の日.
  Torano,
  /// 巳の日 (己巳の日 is also one).
  Mino,
};
inline constexpr int kSenjitsuCount = 14;
/// The days a day is, indexed by Senjitsu.
using SenjitsuSet = std::bitset<kSenjitsuCount>;
/// The almanac's name ("天赦日", "一粒万倍日", …, "甲子の日", "寅の日").
std::string_view SenjitsuName(Senjitsu kind);
/// The names of the days in `set`, in the order of Senjitsu.
std::vector<std::string_view> SenjitsuNames(const SenjitsuSet& set);
/// The chosen days of `day` from its sectional month (1 … 12) and lunisolar date. Raises Error 5
/// for a sectional month outside 1 … 12.
SenjitsuSet SenjitsuOf(std::int32_t day, int sectionalMonth, const LunisolarDate& lunisolar);

/// A date in the Japanese era calendar.
struct Wareki {
  std::string_view era;  ///< "明治", "大正", "昭和", "平成", "令和"
  int year = 0;          ///< 1 for the first year (元年)
  int month = 0;
  int day = 0;
  friend bool operator==(const Wareki&, const Wareki&) = default;
};
/// The era date of a day from 1873-01-01 (明治6年1月1日, the first day of the Gregorian calendar in
/// Japan) on; nothing before it. The eras begin on 1912-07-30 (大正), 1926-12-25 (昭和),
/// 1989-01-08 (平成) and 2019-05-01 (令和); a change takes effect on its day, so the day itself
/// carries the new era (its first year counting from there to 31 December).
std::optional<Wareki> WarekiOf(std::int32_t day);
/// "令和6年1月1日", with "元年" for a first year: "令和元年5月1日".
std::string WarekiText(const Wareki& date);
/// The year alone: "令和6年", "令和元年".
std::string WarekiYearText(const Wareki& date);

/// Everything the almanac notes for one civil day.
struct RekichuDay {
  std::int32_t day = 0;          ///< local day number
  LunisolarDate lunisolar;       ///< as CalcLunisolar
  int sectionalMonth = 0;        ///< 1 … 12, as SectionalMonth
  int cycle = 0;                 ///< sixty-cycle number of the day, 0 = 甲子
  int junichoku = 0;             ///< as Junichoku
  int nijuhasshuku = 0;          ///< as Nijuhasshuku
  SenjitsuSet senjitsu;          ///< as SenjitsuOf
  std::optional<Wareki> wareki;  ///< as WarekiOf
};
/// The notes of `day`. Raises Error 5 for a day outside the years 100 … 9999.
RekichuDay RekichuOf(std::int32_t day, const TimeScale& ts);
/// The notes of every day first … last, in order: the terms and new moons are solved once for the
/// span, so a month costs little more than one day. Raises Error 5 for a span outside the years
/// 100 … 9999 or last < first.
std::vector<RekichuDay> RekichuBetween(std::int32_t first, std::int32_t last, const TimeScale& ts);

}  // namespace almacor
