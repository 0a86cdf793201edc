// The cycles read from the stored calendar results: the sexagenary cycle (干支) of years, months
// and days, the nine stars (九星), the six-day cycle (六曜) and the Japanese month names.

#include "calendars/cycles.h"

#include <cmath>
#include <string>
#include <string_view>
#include <utility>

#include "almacor/calendar.h"
#include "almacor/constants.h"
#include "almacor/date.h"
#include "almacor/error.h"
#include "almacor/koyomi.h"
#include "almacor/strings.h"
#include "almacor/sun.h"
#include "calendars/basic_arithmetic.h"

namespace almacor {
namespace {

constexpr int kMonthNameId = 100;  // + month 1..12

// Day numbers of the fixed switch days outside the solved range.
constexpr long kSolvedFirst = -657248;  // 0100-07-06
constexpr long kSolvedLast = 2958291;   // 9999-07-10

[[noreturn]] void Reject(const std::string& what) { throw Error(kInvalidArgument, what); }

// The first `count` characters of a UTF-8 text.
std::string FirstCharacters(std::string_view text, int count) {
  std::size_t end = 0;
  for (int n = 0; n < count && end < text.size(); ++n) {
    ++end;
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
  }
  return std::string(text.substr(0, end));
}

}  // namespace

long Kasshi(long r) {
  const long e = Mod(r + kSexagenaryDayOffset, 60L);  // 0 … 59 for every day of the date range
  return e <= 28 ? r - e : r - e + 60;
}

int DayStarIndex(double d, const TimeScale& ts) {
  RequireFinite(d, "day count");
  const long b = static_cast<long>(std::floor(d));
  long g = 0;  // the switch day on or before b
  long f = 0;  // the switch day after it
  bool ascending = true;
  if (b >= kSolvedFirst && b <= kSolvedLast) {
    const CivilDate civil = DaysToCivilDate(d);
    int year = civil.year;
    int m = 0;
    if (civil.month <= 3) {
      ascending = true;
      year -= 1;
      m = 12;
    } else if (civil.month <= 9) {
      ascending = false;
      m = 6;
    } else {
      ascending = true;
      m = 12;
    }
    // The solstice of month m (270° in December, 90° in June) and the opposite one before or after.
    const double longitude = 30.0 * m - 90;
    const long r =
        static_cast<long>(std::floor(SolveSunLongitude(longitude, CivilToDays(year, m, 21), ts)));
    g = Kasshi(r);
    const long r2 = b < g ? r - 182 : r + 182;
    f = Kasshi(static_cast<long>(std::floor(
        SolveSunLongitude(std::fmod(longitude + 180, 360.0), static_cast<double>(r2), ts))));
    if (f < g) {
      std::swap(f, g);
      ascending = !ascending;
    }
    if (f - g == 120) {
      f += 60;
    } else if (f - g == 240 && year > 4100 && year < 8500) {
      const long n = Kasshi(
          static_cast<long>(std::floor(SolveSunLongitude(270, static_cast<double>(g - 180), ts))));
      if (g - n == 120) {
        g += 60;
        if (b < g) {
          f = g;
          g = n;
          ascending = !ascending;
        }
      }
    }
  } else if (b >= -657428 && b < kSolvedFirst) {
    g = -657428;
    f = kSolvedFirst;
    ascending = true;
  } else if (b < -657428) {
    g = -657608;
    f = -657428;
    ascending = false;
  } else {
    g = 2958292;
    f = 2958472;
    ascending = false;
  }

  long h = 0;
  if (f - g != 240 || f - b > 30) {
    h = Mod(b - g, 9L);
  } else {
    // The last 30 days of a 240-day span already run in the direction of the next one.
    ascending = !ascending;
    h = Mod(b - f + 36, 9L);
  }
  if (h < 0) throw Error(kOverflow, "day before its nine-star switch day");
  return static_cast<int>(ascending ? h : 8 - h);
}

std::string Calendar::Rokuyou() const {
  LunisolarDate date;
  date.month = QMonth();
  date.day = QDay();
  return std::string(RokuyouName(date));
}

std::string Calendar::JapaneseMonthName(QmYmdConstants ymd) const {
  int month = 0;
  if (ymd == YmdMonth) {
    month = DaysToCivilDate(Instant()).month;
  } else if (ymd == YmdQMonth) {
    month = QMonth();
  } else {
    Reject("JapaneseMonthName takes YmdMonth or YmdQMonth");
  }
  if (month < 1 || month > 12) Reject("lunisolar month not computed");
  return std::string(LibraryString(kMonthNameId + month));
}

std::int16_t Calendar::ZodiacalNumber(QmYmdConstants ymd, ZodiacalConstants zodiac) const {
  const CivilDate civil = DaysToCivilDate(Instant());
  long n = 0;
  switch (ymd) {
    case YmdYear:
      n = civil.year - 4;
      break;
    case YmdQYear:
      n = QYear() - 4;
      break;
    case YmdZYear:
      n = ZodiacalYear() - 4;
      break;
    case YmdMonth:
      n = 12L * civil.year + civil.month + 13;
      break;
    case YmdQMonth:
      n = 12L * QYear() + QMonth() + 13;
      break;
    case YmdZMonth:
      n = 12L * ZodiacalYear() + ZodiacalMonth() + 13;
      break;
    case YmdDay:
      n = static_cast<long>(std::floor(Instant())) + kSexagenaryDayOffset;
      break;
    default:
      n = 0;
  }
  switch (zodiac) {
    case Zodiac10:
      return static_cast<std::int16_t>(Mod(n, 10L));
    case Zodiac12:
      return static_cast<std::int16_t>(Mod(n, 12L));
    case Zodiac60:
      return static_cast<std::int16_t>(Mod(n, 60L));
  }
  Reject("Zodiac must be Zodiac10, Zodiac12 or Zodiac60");
}

std::string Calendar::ZodiacalName(std::int16_t index, ZodiacalConstants zodiac) const {
  if (index < 0) Reject("sexagenary number must not be negative");
  std::string name;
  if (zodiac & Zodiac10) name += LibraryString(kStemNames + Mod(int{index}, 10));
  if (zodiac & Zodiac12) name += LibraryString(kBranchNames + Mod(int{index}, 12));
  return name;
}

std::string Calendar::ZodiacalSigns(QmYmdConstants ymd, ZodiacalConstants zodiac) const {
  return ZodiacalName(ZodiacalNumber(ymd, zodiac), zodiac);
}

std::string Calendar::Kyusei(QmYmdConstants ymd, bool shortName) const {
  const CivilDate civil = DaysToCivilDate(Instant());
  long star = 0;
  switch (ymd) {
    case YmdYear:
      star = 8 - Mod(civil.year - 65L, 9L);
      break;
    case YmdZYear:
      star = 8 - Mod(ZodiacalYear() - 65L, 9L);
      break;
    case YmdMonth:
      star = 8 - Mod(12L * (civil.year - 64) + civil.month - 1, 9L);
      break;
    case YmdZMonth:
      star = 8 - Mod(ZodiacalMonth() + 12L * (ZodiacalYear() - 64), 9L);
      break;
    case YmdDay:
      star = DayStarIndex(Instant(), LibrarySettings().time);
      break;
    default:
      Reject("Kyusei takes YmdYear, YmdZYear, YmdMonth, YmdZMonth or YmdDay");
  }
  const std::string_view name = DayStarName(static_cast<int>(star));
  return shortName ? FirstCharacters(name, 2) : std::string(name);
}

std::string Calendar::KyuseiName(std::int16_t index, bool shortName) const {
  if (index < 0) Reject("nine-star number must not be negative");
  const std::string_view name = DayStarName(Mod(int{index}, 9));
  return shortName ? std::string(name) : FirstCharacters(name, 2);
}

}  // namespace almacor
