// The day notes of a Japanese almanac (十二直, 二十八宿, the chosen days) and the era date.

#include "almacor/rekichu.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "almacor/angles.h"
#include "almacor/constants.h"
#include "almacor/date.h"
#include "almacor/error.h"
#include "almacor/koyomi.h"
#include "almacor/sun.h"
#include "calendars/basic_arithmetic.h"

namespace almacor {
namespace {

void RequireSpan(std::int32_t first, std::int32_t last) {
  if (first < kFirstDay || last > kLastDay || last < first) {
    throw Error(kInvalidArgument, "day outside the years 100 … 9999");
  }
}

void RequireSectionalMonth(int month) {
  if (month < 1 || month > 12) throw Error(kInvalidArgument, "sectional month outside 1 … 12");
}

// Branches and stems by number.
enum Branch { kNe, kUshi, kTora, kU, kTatsu, kMi, kUma, kHitsuji, kSaru, kTori, kInu, kI };
constexpr int Cycle(int stem, int branch) {
  // The sixty-cycle number with stem ≡ n mod 10 and branch ≡ n mod 12 (both of one parity).
  for (int n = 0; n < 60; ++n) {
    if (n % 10 == stem && n % 12 == branch) return n;
  }
  return -1;
}
constexpr int kKinoeNe = Cycle(0, kNe);          // 甲子 = 0
constexpr int kTsuchinotoMi = Cycle(5, kMi);     // 己巳 = 5
constexpr int kTsuchinoeTora = Cycle(4, kTora);  // 戊寅 = 14
constexpr int kKinoeUma = Cycle(0, kUma);        // 甲午 = 30
constexpr int kTsuchinoeSaru = Cycle(4, kSaru);  // 戊申 = 44
static_assert(kTsuchinotoMi == 5 && kTsuchinoeTora == 14 && kKinoeUma == 30 &&
              kTsuchinoeSaru == 44);

constexpr std::array<std::string_view, 12> kChokuNames = {"建", "除", "満", "平", "定", "執",
                                                          "破", "危", "成", "納", "開", "閉"};
constexpr std::array<std::string_view, 28> kShukuNames = {
    "角", "亢", "氐", "房", "心", "尾", "箕", "斗", "牛", "女", "虚", "危", "室", "壁",
    "奎", "婁", "胃", "昴", "畢", "觜", "参", "井", "鬼", "柳", "星", "張", "翼", "軫"};
// Day 0, 1899-12-30, a Saturday, is 氐: the Sunday after it is 房.
constexpr int kShukuOfDayZero = 2;

constexpr std::array<std::string_view, kSenjitsuCount> kSenjitsuNames = {
    "天赦日", "一粒万倍日", "大明日",   "母倉日",   "天恩日",   "不成就日", "三隣亡",
    "十方暮", "八専",       "天一天上", "甲子の日", "己巳の日", "寅の日",   "巳の日"};

// 一粒万倍日: the two branches of each sectional month 1 … 12.
constexpr std::array<std::array<int, 2>, 12> kIchiryumanbai = {{{kUshi, kUma},
                                                                {kTora, kTori},
                                                                {kNe, kU},
                                                                {kU, kTatsu},
                                                                {kMi, kUma},
                                                                {kTori, kUma},
                                                                {kNe, kHitsuji},
                                                                {kU, kSaru},
                                                                {kUma, kTori},
                                                                {kTori, kInu},
                                                                {kI, kNe},
                                                                {kU, kNe}}};

// 大明日, the 25-day list, by sixty-cycle number.
constexpr std::array<int, 25> kDaimyo = {
    Cycle(5, kMi),    Cycle(6, kUma),     Cycle(7, kHitsuji), Cycle(8, kSaru),  Cycle(9, kTori),
    Cycle(3, kUshi),  Cycle(5, kU),       Cycle(8, kUma),     Cycle(0, kSaru),  Cycle(3, kI),
    Cycle(8, kTatsu), Cycle(1, kHitsuji), Cycle(8, kTora),    Cycle(0, kTatsu), Cycle(1, kMi),
    Cycle(2, kUma),   Cycle(3, kHitsuji), Cycle(5, kTori),    Cycle(6, kInu),   Cycle(7, kI),
    Cycle(2, kTatsu), Cycle(4, kUma),     Cycle(5, kHitsuji), Cycle(6, kSaru),  Cycle(7, kTori)};

// 母倉日: a bit per branch for each sectional month 1 … 12.
constexpr unsigned Branches(std::initializer_list<int> branches) {
  unsigned bits = 0;
  for (const int b : branches) bits |= 1u << b;
  return bits;
}
constexpr std::array<unsigned, 12> kBoso = {Branches({kI, kNe}),
                                            Branches({kI, kNe}),
                                            Branches({kMi, kUma}),
                                            Branches({kTora, kU}),
                                            Branches({kTora, kU}),
                                            Branches({kMi, kUma}),
                                            Branches({kUshi, kTatsu, kHitsuji, kInu}),
                                            Branches({kUshi, kTatsu, kHitsuji, kInu}),
                                            Branches({kMi, kUma}),
                                            Branches({kSaru, kTori}),
                                            Branches({kSaru, kTori}),
                                            Branches({kMi, kUma})};

// 不成就日: the first such day of lunisolar months 1 … 6 (7 … 12 repeat them); the others follow
// every eight days.
constexpr std::array<int, 6> kFujojuFirst = {3, 2, 1, 4, 5, 6};

// 三隣亡: the branch of sectional months 1, 2, 3 (and every third month after).
constexpr std::array<int, 3> kSanrinbo = {kI, kTora, kUma};

// 八専's 間日 within 壬子 … 癸亥.
constexpr std::array<int, 4> kHappenMabi = {Cycle(9, kUshi), Cycle(2, kTatsu), Cycle(4, kUma),
                                            Cycle(8, kInu)};

bool InCycleRange(int cycle, int first, int last) { return cycle >= first && cycle <= last; }

// The first days of the sectional months that cover first … last: the month in force on `first`
// and those beginning after it, as (day, month) pairs in order.
struct SectionStart {
  std::int32_t day;
  int month;
};
std::vector<SectionStart> SectionStarts(std::int32_t first, std::int32_t last,
                                        const TimeScale& ts) {
  // The sectional term last passed by the start of day `first`, k = 0 for 立春 (315°).
  const double start = static_cast<double>(first);
  int k = static_cast<int>(Normalize360(SunLongitudeAt(start, ts) - 315.0) / 30.0);
  double t = SolveSunLongitude(Normalize360(315.0 + 30.0 * k), start - 15, ts);
  std::vector<SectionStart> starts;
  while (std::floor(t) <= last) {
    starts.push_back({static_cast<std::int32_t>(std::floor(t)), k + 1});
    k = (k + 1) % 12;
    t = SolveSunLongitude(Normalize360(315.0 + 30.0 * k), t + 30.44, ts);
  }
  return starts;
}

int MonthOn(std::int32_t day, const std::vector<SectionStart>& starts) {
  const auto after =
      std::upper_bound(starts.begin(), starts.end(), day,
                       [](std::int32_t d, const SectionStart& s) { return d < s.day; });
  return std::prev(after)->month;
}

struct Era {
  int year, month, day;  // first day
  std::string_view name;
};
constexpr std::array<Era, 5> kEras = {{{1868, 1, 1, "明治"},
                                       {1912, 7, 30, "大正"},
                                       {1926, 12, 25, "昭和"},
                                       {1989, 1, 8, "平成"},
                                       {2019, 5, 1, "令和"}}};

}  // namespace

int SectionalMonth(std::int32_t day, const TimeScale& ts) {
  RequireSpan(day, day);
  return MonthOn(day, SectionStarts(day, day, ts));
}

int Junichoku(std::int32_t day, int sectionalMonth) {
  RequireSectionalMonth(sectionalMonth);
  const int monthBranch = (sectionalMonth + 1) % 12;  // month 1 is 寅
  return static_cast<int>(FloorMod(DayCycleNumber(day) % 12 - monthBranch, 12));
}

std::string_view JunichokuName(int index) {
  if (index < 0 || index > 11) throw Error(kInvalidArgument, "十二直 outside 0 … 11");
  return kChokuNames[static_cast<std::size_t>(index)];
}

int Nijuhasshuku(std::int32_t day) {
  return static_cast<int>(FloorMod(day + long{kShukuOfDayZero}, 28));
}

std::string_view NijuhasshukuName(int index) {
  if (index < 0 || index > 27) throw Error(kInvalidArgument, "二十八宿 outside 0 … 27");
  return kShukuNames[static_cast<std::size_t>(index)];
}

std::string_view SenjitsuName(Senjitsu kind) {
  const auto index = static_cast<std::size_t>(kind);
  if (index >= kSenjitsuNames.size()) throw Error(kInvalidArgument, "unknown chosen day");
  return kSenjitsuNames[index];
}

std::vector<std::string_view> SenjitsuNames(const SenjitsuSet& set) {
  std::vector<std::string_view> names;
  for (std::size_t i = 0; i < kSenjitsuNames.size(); ++i) {
    if (set.test(i)) names.push_back(kSenjitsuNames[i]);
  }
  return names;
}

SenjitsuSet SenjitsuOf(std::int32_t day, int sectionalMonth, const LunisolarDate& lunisolar) {
  RequireSectionalMonth(sectionalMonth);
  const int cycle = DayCycleNumber(day);
  const int branch = cycle % 12;
  const auto month = static_cast<std::size_t>(sectionalMonth - 1);
  SenjitsuSet set;
  const auto mark = [&set](Senjitsu kind, bool on) { set.set(static_cast<std::size_t>(kind), on); };

  constexpr std::array<int, 4> kTensha = {kTsuchinoeTora, kKinoeUma, kTsuchinoeSaru, kKinoeNe};
  mark(Senjitsu::Tenshanichi, cycle == kTensha[month / 3]);
  mark(Senjitsu::Ichiryumanbaibi,
       branch == kIchiryumanbai[month][0] || branch == kIchiryumanbai[month][1]);
  mark(Senjitsu::Daimyonichi, std::find(kDaimyo.begin(), kDaimyo.end(), cycle) != kDaimyo.end());
  mark(Senjitsu::Bosonichi, (kBoso[month] >> branch) & 1u);
  mark(Senjitsu::Tenonnichi, InCycleRange(cycle, Cycle(0, kNe), Cycle(4, kTatsu)) ||
                                 InCycleRange(cycle, Cycle(5, kU), Cycle(9, kHitsuji)) ||
                                 InCycleRange(cycle, Cycle(5, kTori), Cycle(9, kUshi)));
  if (lunisolar.month >= 1 && lunisolar.month <= 12) {
    const int firstDay = kFujojuFirst[static_cast<std::size_t>((lunisolar.month - 1) % 6)];
    mark(Senjitsu::Fujojubi, lunisolar.day >= firstDay && (lunisolar.day - firstDay) % 8 == 0);
  }
  mark(Senjitsu::Sanrinbo, branch == kSanrinbo[month % 3]);
  mark(Senjitsu::Jippogure, InCycleRange(cycle, Cycle(0, kSaru), Cycle(9, kMi)));
  mark(Senjitsu::Happen,
       InCycleRange(cycle, Cycle(8, kNe), Cycle(9, kI)) &&
           std::find(kHappenMabi.begin(), kHappenMabi.end(), cycle) == kHappenMabi.end());
  mark(Senjitsu::Tenichitenjo, InCycleRange(cycle, Cycle(9, kMi), Cycle(4, kSaru)));
  mark(Senjitsu::Kinoene, cycle == kKinoeNe);
  mark(Senjitsu::Tsuchinotomi, cycle == kTsuchinotoMi);
  mark(Senjitsu::Torano, branch == kTora);
  mark(Senjitsu::Mino, branch == kMi);
  return set;
}

std::optional<Wareki> WarekiOf(std::int32_t day) {
  if (day < static_cast<std::int32_t>(CivilToDays(1873, 1, 1))) return std::nullopt;
  const CivilDate civil = DaysToCivilDate(day);
  const Era* era = &kEras.front();
  for (const Era& e : kEras) {
    if (day >= static_cast<std::int32_t>(CivilToDays(e.year, e.month, e.day))) era = &e;
  }
  return Wareki{era->name, civil.year - era->year + 1, civil.month, civil.day};
}

std::string WarekiYearText(const Wareki& date) {
  return std::string(date.era) + (date.year == 1 ? "元" : std::to_string(date.year)) + "年";
}

std::string WarekiText(const Wareki& date) {
  return WarekiYearText(date) + std::to_string(date.month) + "月" + std::to_string(date.day) + "日";
}

std::vector<RekichuDay> RekichuBetween(std::int32_t first, std::int32_t last, const TimeScale& ts) {
  RequireSpan(first, last);
  const std::vector<SectionStart> starts = SectionStarts(first, last, ts);
  LunisolarCache lunisolarCache;
  std::vector<RekichuDay> days;
  days.reserve(static_cast<std::size_t>(last - first + 1));
  for (std::int32_t day = first; day <= last; ++day) {
    RekichuDay notes;
    notes.day = day;
    notes.lunisolar = CalcLunisolar(static_cast<double>(day), ts, lunisolarCache);
    notes.sectionalMonth = MonthOn(day, starts);
    notes.cycle = DayCycleNumber(day);
    notes.junichoku = Junichoku(day, notes.sectionalMonth);
    notes.nijuhasshuku = Nijuhasshuku(day);
    notes.senjitsu = SenjitsuOf(day, notes.sectionalMonth, notes.lunisolar);
    notes.wareki = WarekiOf(day);
    days.push_back(notes);
  }
  return days;
}

RekichuDay RekichuOf(std::int32_t day, const TimeScale& ts) {
  return RekichuBetween(day, day, ts).front();
}

}  // namespace almacor
