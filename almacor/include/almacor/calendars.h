#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "almacor/settings.h"

namespace almacor {

/// Calendar conversions of a local linear day count d (days since 1899-12-30 00:00 local civil
/// time). Day comparisons use Floor of local day counts, so results depend on the time zone.

/// Japanese lunisolar date.
struct LunisolarDate {
  std::int16_t year = 0;
  std::int16_t month = 0;       ///< 1..12
  std::int16_t day = 0;         ///< 1..30
  bool leap = false;            ///< the month is a leap month
  std::int16_t dayOfMonth = 0;  ///< 29 or 30
  friend bool operator==(const LunisolarDate&, const LunisolarDate&) = default;
};
/// The lunisolar date of local day count d, a day of the years 100 to 9999. Months begin on the
/// local day of a new moon and are numbered between two winter solstices; `year` is the civil
/// year, less one while a civil January or February is still in month 11 or 12. Raises Error 5 for
/// a non-finite d and Error 6 should a solver fail or a year need more than 15 lunations.
LunisolarDate CalcLunisolar(double d, const TimeScale& ts);

/// The work of CalcLunisolar that holds for a whole lunisolar year (winter solstice to winter
/// solstice): its new moons, principal terms and numbered months, with what they were solved from.
/// Reusing it never changes a result; a Calendar keeps one between recalculations.
struct LunisolarCache {
  struct Lunation {
    std::int16_t month = 0;
    bool leap = false;
    double time = 0;  ///< new moon, local day count
  };
  bool valid = false;
  TimeScale ts;                 ///< the settings everything below was solved with
  double previousSolstice = 0;  ///< the span, local day counts as solved
  double nextSolstice = 0;
  bool clearOfMidnight = false;    ///< the span and the terms lie well away from local midnight
  int count = 0;                   ///< lunations stored, 14 or 15
  std::array<double, 13> terms{};  ///< the solstice, then the principal terms 300° … 270°
  std::array<Lunation, 15> months{};
};
/// As CalcLunisolar(d, ts), reusing and refreshing `cache`.
LunisolarDate CalcLunisolar(double d, const TimeScale& ts, LunisolarCache& cache);

/// Solar-term calendar: months beginning at the sectional terms, the 24 terms and 72 climates.
struct SolarTermDate {
  std::int16_t year = 0;
  std::int16_t month = 0;      ///< 1..12, month 1 begins at 立春 (solar longitude 315)
  std::int16_t day = 0;        ///< days since the sectional term's day, that day being 1
  std::int16_t month24 = 0;    ///< 0..23, 0 = 立春
  std::int16_t day24 = 0;      ///< days since the latest of the 24 terms, that day being 1
  std::int16_t climate72 = 0;  ///< 0..71
  friend bool operator==(const SolarTermDate&, const SolarTermDate&) = default;
};
/// The solar-term date of local day count d; every term is the passage nearest d, compared by
/// local day. `sunLongitude` is the Sun's longitude at d (degrees); `previous` supplies the climate
/// when none of the three climates of the current term qualifies. Raises Error 5 for a non-finite
/// argument.
SolarTermDate CalcSolarTerms(double d, double sunLongitude, const TimeScale& ts,
                             const SolarTermDate& previous);

/// The solar-term results of one local day (they compare days only), with what they were solved
/// from. Reusing it never changes a result; a Calendar keeps one between recalculations.
struct SolarTermCache {
  bool valid = false;
  TimeScale ts;
  double day = 0;                ///< Floor of the local day count
  int sectionStart = 0;          ///< the 30° span the Sun's longitude was rounded into
  bool clearOfMidnight = false;  ///< every term solved lies well away from local midnight
  bool climateFound = false;     ///< false: the climate is the previous one
  SolarTermDate result;
};
/// As CalcSolarTerms(d, sunLongitude, ts, previous), reusing and refreshing `cache`.
SolarTermDate CalcSolarTerms(double d, double sunLongitude, const TimeScale& ts,
                             const SolarTermDate& previous, SolarTermCache& cache);

/// Julian, Islamic, Hebrew and Maya dates of the day Floor(d). They raise Error 5 for a non-finite
/// d and Error 6 for a day outside 0100-01-01 … 9999-12-31 (the Islamic calendar only for a day
/// after it: any earlier day lies before its epoch).

/// Julian-calendar date of the civil date of d.
struct JulianCalendarDate {
  std::int16_t year = 0;
  std::int16_t month = 0;
  std::int16_t day = 0;
  friend bool operator==(const JulianCalendarDate&, const JulianCalendarDate&) = default;
};
JulianCalendarDate CalcJulianCalendar(double d);

/// Tabular Islamic date (epoch 0622-07-19 Gregorian); all zero before the epoch.
struct IslamicDate {
  std::int16_t year = 0;
  std::int16_t monthIndex = 0;  ///< 0 = Muharram
  std::int16_t day = 0;
  friend bool operator==(const IslamicDate&, const IslamicDate&) = default;
};
IslamicDate CalcIslamicCalendar(double d);

/// Hebrew date.
struct HebrewDate {
  std::int16_t year = 0;
  std::int16_t monthIndex = 0;  ///< 0 = Nisan … 11 = Adar (Adar I in a leap year), 12 = Adar II
  std::int16_t day = 0;
  friend bool operator==(const HebrewDate&, const HebrewDate&) = default;
};
HebrewDate CalcHebrewCalendar(double d);

/// Maya long count and the Haab and Tzolkin dates, as texts ("13.0.0.0.0", "3Kankin", "4Ahau").
struct MayaDate {
  std::string longCount;
  std::string haab;
  std::string tzolkin;
  friend bool operator==(const MayaDate&, const MayaDate&) = default;
};
MayaDate CalcMayaCalendar(double d);

}  // namespace almacor
