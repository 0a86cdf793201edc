#pragma once

#include <cstdint>

namespace almacor {

/// A civil (proleptic Gregorian) date and time of day to the second.
struct CivilDateTime {
  int year = 1899;
  int month = 12;
  int day = 30;
  int hour = 0;
  int minute = 0;
  int second = 0;
  friend bool operator==(const CivilDateTime&, const CivilDateTime&) = default;
};

/// A date value in the automation date encoding: day 0 is 1899-12-30 00:00; on or after it the
/// value is the day count with the time of day as fraction; before it the integer part counts days
/// backwards and the fraction is still the time of day (-1.25 is 1899-12-29 06:00).
/// Only 0100-01-01 00:00:00 … 9999-12-31 23:59:59 can be held; anything else, and any non-finite
/// value, is rejected.
class Date {
 public:
  /// 1899-12-30 00:00.
  constexpr Date() = default;

  /// The date of an encoded value; raises Error 5 if it is non-finite or outside the range.
  static Date FromValue(double value);
  /// The date of a local linear day count d (days since 1899-12-30 00:00, continuous through
  /// negative values); raises Error 6 when d lies outside the range.
  static Date FromDays(double d);
  /// The date of a civil date and time; raises Error 5 for an impossible or out-of-range date.
  static Date FromCivil(const CivilDateTime& civil);
  static Date FromCivil(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

  /// The encoded value.
  constexpr double Value() const { return value_; }
  /// The local linear day count of this date.
  double Days() const;
  /// The civil date and time, rounded to the nearest second.
  CivilDateTime ToCivil() const;

  friend bool operator==(Date a, Date b) { return a.value_ == b.value_; }

 private:
  constexpr explicit Date(double value) : value_(value) {}
  double value_ = 0;
};

/// Day count of a date value: x for x >= 0, else 2·Fix(x) − x. No range check.
double DateToDays(double value);
/// Date value of a day count: d for d > 0, else 2·Floor(d) − d; raises Error 6 outside the range.
double DaysToDate(double d);

/// Local linear day count of a civil date and time (no range check beyond the civil fields).
double CivilToDays(int year, int month, int day, double secondsOfDay = 0);
/// Civil date (year, month, day) of the day number Floor(d).
struct CivilDate {
  int year;
  int month;
  int day;
};
CivilDate DaysToCivilDate(double d);

}  // namespace almacor
