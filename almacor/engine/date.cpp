#include "almacor/date.h"

#include <chrono>
#include <cmath>

#include "almacor/constants.h"
#include "almacor/error.h"

namespace almacor {
namespace {

using std::chrono::days;
using std::chrono::sys_days;
using std::chrono::year_month_day;

constexpr sys_days kDayZero = sys_days{std::chrono::year{1899} / 12 / 30};

// Encoded values of 0100-01-01 00:00 and of the end of 9999-12-31 (both exclusive bounds below).
constexpr double kFirstValue = kFirstDay - 1;  // exclusive: -657434.x is 0100-01-01
constexpr double kEndValue = kLastDay + 1;     // exclusive: 10000-01-01 00:00

bool Representable(double value) {
  return std::isfinite(value) && value > kFirstValue && value < kEndValue;
}

}  // namespace

double DateToDays(double value) { return value >= 0 ? value : 2 * std::trunc(value) - value; }

double DaysToDate(double d) {
  const double value = d > 0 ? d : 2 * std::floor(d) - d;
  if (!Representable(value)) {
    throw Error(kOverflow, "day count outside the date range 0100-01-01 … 9999-12-31");
  }
  return value;
}

double CivilToDays(int year, int month, int day, double secondsOfDay) {
  const year_month_day ymd{std::chrono::year{year},
                           std::chrono::month{static_cast<unsigned>(month)},
                           std::chrono::day{static_cast<unsigned>(day)}};
  return static_cast<double>((sys_days{ymd} - kDayZero).count()) + secondsOfDay / 86400.0;
}

CivilDate DaysToCivilDate(double d) {
  const year_month_day ymd{kDayZero + days{static_cast<long>(std::floor(d))}};
  return {static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
          static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

Date Date::FromValue(double value) {
  if (!Representable(value)) {
    throw Error(kInvalidArgument, "date value outside 0100-01-01 … 9999-12-31 or not finite");
  }
  return Date(value);
}

Date Date::FromDays(double d) { return Date(DaysToDate(d)); }

Date Date::FromCivil(const CivilDateTime& c) {
  const year_month_day ymd{std::chrono::year{c.year},
                           std::chrono::month{static_cast<unsigned>(c.month)},
                           std::chrono::day{static_cast<unsigned>(c.day)}};
  if (c.year < 100 || c.year > 9999 || c.month < 1 || c.month > 12 || c.day < 1 || !ymd.ok() ||
      c.hour < 0 || c.hour > 23 || c.minute < 0 || c.minute > 59 || c.second < 0 || c.second > 59) {
    throw Error(kInvalidArgument, "no such date and time, or outside 0100-01-01 … 9999-12-31");
  }
  return FromDays(
      CivilToDays(c.year, c.month, c.day, c.hour * 3600.0 + c.minute * 60.0 + c.second));
}

Date Date::FromCivil(int year, int month, int day, int hour, int minute, int second) {
  return FromCivil(CivilDateTime{year, month, day, hour, minute, second});
}

double Date::Days() const { return DateToDays(value_); }

CivilDateTime Date::ToCivil() const {
  const double d = Days();
  double day = std::floor(d);
  long seconds = std::lround((d - day) * 86400.0);
  if (seconds >= 86400) {
    // Rounding up to midnight belongs to the next day, except at the very end of the range.
    if (day + 1 >= kEndValue) {
      seconds = 86399;
    } else {
      day += 1;
      seconds -= 86400;
    }
  }
  const CivilDate date = DaysToCivilDate(day);
  return {date.year,
          date.month,
          date.day,
          static_cast<int>(seconds / 3600),
          static_cast<int>(seconds / 60 % 60),
          static_cast<int>(seconds % 60)};
}

}  // namespace almacor
