#pragma once

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "almacor/calendars.h"
#include "almacor/date.h"
#include "almacor/koyomi.h"
#include "almacor/moon.h"
#include "almacor/settings.h"

namespace quillon {

/// The three export formats of a year's table.
enum class YearFormat { Csv, Json, Ics };

/// One day of the year's table. Times are local day counts in the zone of the settings; an event
/// that does not happen on the day (it falls on a neighbouring date, or the body stays above or
/// below its altitude all day) is empty.
struct YearRow {
  std::int32_t day = 0;  ///< local day number
  almacor::CivilDate date{};
  int weekday = 0;  ///< 0 = Sunday
  almacor::LunisolarDate lunisolar;
  std::string_view rokuyou;
  std::string dayCycle;  ///< 干支 of the day, "甲子"
  std::string_view dayStar;
  std::optional<double> sunrise, culmination, sunset, civilDawn, civilDusk;
  std::optional<double> moonrise, moonset;
  double moonAgeNoon = 0;
  std::optional<almacor::SolarTermPassage> solarTerm;
  std::optional<almacor::MoonPhase> moonPhase;
  std::vector<almacor::ZassetsuKind> zassetsu;
  std::string_view holiday;  ///< empty: no holiday
};

/// A new or full moon of the year at which the eclipse condition of the eclipse search holds.
struct YearEclipse {
  double time = 0;  ///< local day count of the syzygy
  bool lunar = false;
};

/// Everything written for a year.
struct YearTable {
  int year = 0;
  almacor::Settings settings;
  std::vector<YearRow> rows;  ///< 365 or 366
  std::vector<YearEclipse> eclipses;
};

/// Builds the table of `year` (100 … 9999) for the observer and time scale of `settings`; calls
/// `progress` with the number of rows done after each row. Raises almacor::Error 5 for a year
/// outside the range or settings the library rejects.
YearTable BuildYearTable(int year, const almacor::Settings& settings,
                         const std::function<void(int day)>& progress = {});

/// CSV (RFC 4180): a header row, then one row per day; CRLF line ends, UTF-8.
void WriteYearCsv(const YearTable& table, std::ostream& out);
/// JSON Lines: one object per day.
void WriteYearJson(const YearTable& table, std::ostream& out);
/// iCalendar (RFC 5545): all-day events for the solar terms, seasonal days and holidays, timed
/// events (UTC instants) for the Moon's phases and the eclipses. `stampUnixSeconds` is the
/// DTSTAMP of every event.
void WriteYearIcs(const YearTable& table, std::ostream& out, long long stampUnixSeconds);

/// Builds the table and writes it in `format`; the iCalendar stamp is the present time.
void WriteYear(int year, YearFormat format, const almacor::Settings& settings, std::ostream& out,
               const std::function<void(int day)>& progress = {});

/// One CSV record with CRLF: fields holding a comma, a double quote, CR or LF are quoted, with
/// their double quotes doubled.
std::string CsvRecord(const std::vector<std::string>& fields);
/// One iCalendar content line folded at 75 octets (never inside a UTF-8 character), each line
/// ended by CRLF and every continuation line starting with a space.
std::string FoldIcsLine(std::string_view line);

/// "hh:mm" of a local day count, to the nearest minute and never past 23:59.
std::string ClockText(double time);

}  // namespace quillon
