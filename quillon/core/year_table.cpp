#include "year_table.h"

#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <map>
#include <nlohmann/json.hpp>

#include "almacor/constants.h"
#include "almacor/eclipses.h"
#include "almacor/error.h"
#include "almacor/sun.h"
#include "qx_module.h"

namespace quillon {
namespace {

using almacor::BodyEvent;

constexpr std::array<std::string_view, 7> kWeekdays = {"日", "月", "火", "水", "木", "金", "土"};

// An event of the day `day`, or empty when it falls on another date or is the substitute time
// of a body that stays above or below its altitude all day (the culmination or 12 hours from it).
std::optional<double> OnDay(const BodyEvent& event, double culmination, std::int32_t day) {
  constexpr double kSame = 0.5 / 86400;
  const double gap = std::fabs(event.time - culmination);
  if (gap < kSame || std::fabs(gap - 0.5) < kSame) return std::nullopt;
  if (std::floor(event.time) != day) return std::nullopt;
  return event.time;
}

std::optional<double> Culmination(const BodyEvent& event, std::int32_t day) {
  if (std::floor(event.time) != day) return std::nullopt;
  return event.time;
}

std::string LunisolarText(const almacor::LunisolarDate& q) {
  return (q.leap ? "閏" : "") + std::to_string(q.month) + "月" + std::to_string(q.day) + "日";
}

std::string DateText(const almacor::CivilDate& c, const char* separator = "-") {
  char text[16];
  std::snprintf(text, sizeof text, "%04d%s%02d%s%02d", c.year, separator, c.month, separator,
                c.day);
  return text;
}

std::string Optional(const std::optional<double>& time) { return time ? ClockText(*time) : ""; }

nlohmann::ordered_json OptionalJson(const std::optional<double>& time) {
  return time ? nlohmann::ordered_json(ClockText(*time)) : nlohmann::ordered_json(nullptr);
}

std::string ZassetsuText(const YearRow& row) {
  std::string text;
  for (const almacor::ZassetsuKind kind : row.zassetsu) {
    if (!text.empty()) text += "、";
    text += almacor::ZassetsuName(kind);
  }
  return text;
}

std::string TermKind(int index) { return index % 2 == 0 ? "節気" : "中気"; }

std::string AgeText(double age) {
  char text[16];
  std::snprintf(text, sizeof text, "%.1f", age);
  return text;
}

// ---- iCalendar ----

std::string IcsEscape(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c == '\\' || c == ';' || c == ',') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else {
      out += c;
    }
  }
  return out;
}

std::string UtcStamp(double unixSeconds) {
  const auto seconds = static_cast<long long>(std::llround(unixSeconds));
  const double days = almacor::kUnixEpochDays + static_cast<double>(seconds) / 86400.0;
  const almacor::CivilDate c = almacor::DaysToCivilDate(days);
  const long long ofDay = ((seconds % 86400) + 86400) % 86400;
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02d%02dT%02lld%02lld%02lldZ", c.year, c.month, c.day,
                ofDay / 3600, ofDay / 60 % 60, ofDay % 60);
  return text;
}

double UnixSeconds(double localDays, float timeZone) {
  return (localDays - timeZone / 24.0 - almacor::kUnixEpochDays) * 86400.0;
}

class IcsWriter {
 public:
  IcsWriter(std::ostream& out, const YearTable& table, long long stamp)
      : out_(out), table_(table), stamp_(UtcStamp(static_cast<double>(stamp))) {}

  void Line(std::string_view line) { out_ << FoldIcsLine(line); }

  void AllDay(const YearRow& row, std::string_view category, std::string_view summary,
              const std::string& description = {}) {
    Begin(DateText(row.date, ""), category);
    Line("DTSTART;VALUE=DATE:" + DateText(row.date, ""));
    const almacor::CivilDate next = almacor::DaysToCivilDate(row.day + 1.0);
    // The day after 9999-12-31 has no four-digit date.
    Line(next.year > 9999 ? std::string("DURATION:P1D") : "DTEND;VALUE=DATE:" + DateText(next, ""));
    End(summary, category, description, true);
  }

  void Timed(double localDays, std::string_view category, std::string_view summary) {
    const almacor::CivilDate date = almacor::DaysToCivilDate(localDays);
    Begin(DateText(date, ""), category);
    Line("DTSTART:" + UtcStamp(UnixSeconds(localDays, table_.settings.time.timeZone)));
    End(summary, category, "", false);
  }

 private:
  void Begin(const std::string& date, std::string_view category) {
    const int n = ++serial_[date + std::string(category)];
    Line("BEGIN:VEVENT");
    Line("UID:" + date + "-" + std::string(category) + "-" + std::to_string(n) + "-" +
         std::to_string(table_.year) + "@quillon.koyomi");
    Line("DTSTAMP:" + stamp_);
  }
  void End(std::string_view summary, std::string_view category, const std::string& description,
           bool transparent) {
    Line("SUMMARY:" + IcsEscape(summary));
    if (!description.empty()) Line("DESCRIPTION:" + IcsEscape(description));
    Line("CATEGORIES:" + std::string(category));
    if (transparent) Line("TRANSP:TRANSPARENT");
    Line("END:VEVENT");
  }

  std::ostream& out_;
  const YearTable& table_;
  std::string stamp_;
  std::map<std::string, int> serial_;
};

}  // namespace

std::string ClockText(double time) {
  long long minutes = std::llround((time - std::floor(time)) * 1440.0);
  if (minutes > 1439) minutes = 1439;
  if (minutes < 0) minutes = 0;
  char text[24];
  std::snprintf(text, sizeof text, "%02lld:%02lld", minutes / 60, minutes % 60);
  return text;
}

YearTable BuildYearTable(int year, const almacor::Settings& settings,
                         const std::function<void(int day)>& progress) {
  if (year < 100 || year > 9999) {
    throw almacor::Error(almacor::kInvalidArgument, "year outside 100 … 9999");
  }
  YearTable table;
  table.year = year;
  table.settings = settings;
  const almacor::TimeScale& ts = settings.time;
  const auto first = static_cast<std::int32_t>(almacor::CivilToDays(year, 1, 1));
  const auto end = static_cast<std::int32_t>(almacor::CivilToDays(year + 1, 1, 1));

  std::map<std::int32_t, almacor::SolarTermPassage> terms;
  for (const auto& term : almacor::SolarTermsOfYear(year, ts))
    terms[std::int32_t(std::floor(term.time))] = term;
  // The Moon's phases and the eclipses; a year's last day may end past 9999-12-31.
  std::map<std::int32_t, almacor::MoonPhase> phases;
  for (const auto& phase : almacor::MoonPhasesBetween(first, end, ts)) {
    phases[static_cast<std::int32_t>(std::floor(phase.time))] = phase;
    const bool full = phase.kind == almacor::MoonPhaseKind::FullMoon;
    if (!full && phase.kind != almacor::MoonPhaseKind::NewMoon) continue;
    const double t = phase.time;
    const almacor::SyzygyPlace place{almacor::MoonLatitudeAt(t, ts), almacor::MoonRadiusAt(t, ts),
                                     almacor::MoonDistanceAt(t, ts), almacor::SunRadiusAt(t, ts),
                                     almacor::SunDistanceAt(t, ts)};
    if (almacor::IsEclipse(place, full)) table.eclipses.push_back({t, full});
  }
  std::multimap<std::int32_t, almacor::ZassetsuKind> zassetsu;
  for (const auto& z : almacor::ZassetsuOfYear(year, ts)) zassetsu.emplace(z.day, z.kind);
  std::map<std::int32_t, std::string_view> holidays;
  for (const auto& h : almacor::HolidaysOfYear(year)) holidays[h.day] = h.name;

  almacor::LunisolarCache lunisolarCache;
  table.rows.reserve(static_cast<std::size_t>(end - first));
  for (std::int32_t day = first; day < end; ++day) {
    YearRow row;
    row.day = day;
    const double noon = day + 0.5;
    row.date = almacor::DaysToCivilDate(day);
    row.weekday = almacor::Weekday(day);
    row.lunisolar = almacor::CalcLunisolar(noon, ts, lunisolarCache);
    row.rokuyou = almacor::RokuyouName(row.lunisolar);
    row.dayCycle = almacor::SexagenaryName(almacor::DayCycleNumber(day));
    row.dayStar = almacor::DayStarName(almacor::DayStar(day, ts));

    const almacor::SunEvents sun = almacor::CalcSunEvents(noon, settings);
    const double culmination = sun.culmination.time;
    row.culmination = Culmination(sun.culmination, day);
    row.sunrise = OnDay(sun.rise, culmination, day);
    row.sunset = OnDay(sun.set, culmination, day);
    row.civilDawn = OnDay(sun.civilTwilightR, culmination, day);
    row.civilDusk = OnDay(sun.civilTwilightS, culmination, day);
    const almacor::RiseTransitSet moon = almacor::CalcMoonEvents(noon, settings);
    row.moonrise = OnDay(moon.rise, moon.culmination.time, day);
    row.moonset = OnDay(moon.set, moon.culmination.time, day);
    row.moonAgeNoon = almacor::MoonAgeNoonAt(noon, ts);

    if (const auto t = terms.find(day); t != terms.end()) row.solarTerm = t->second;
    if (const auto p = phases.find(day); p != phases.end()) row.moonPhase = p->second;
    for (auto [z, last] = zassetsu.equal_range(day); z != last; ++z)
      row.zassetsu.push_back(z->second);
    if (const auto h = holidays.find(day); h != holidays.end()) row.holiday = h->second;
    table.rows.push_back(std::move(row));
    if (progress) progress(static_cast<int>(table.rows.size()));
  }
  return table;
}

std::string CsvRecord(const std::vector<std::string>& fields) {
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) line += ',';
    const std::string& field = fields[i];
    if (field.find_first_of(",\"\r\n") == std::string::npos) {
      line += field;
      continue;
    }
    line += '"';
    for (const char c : field) {
      if (c == '"') line += '"';
      line += c;
    }
    line += '"';
  }
  return line + "\r\n";
}

void WriteYearCsv(const YearTable& table, std::ostream& out) {
  out << CsvRecord({"日付",     "曜日",     "旧暦",       "六曜",       "日干支",     "日九星",
                    "日出",     "南中",     "日没",       "常用薄明始", "常用薄明終", "月出",
                    "月没",     "正午月齢", "二十四節気", "節気・中気", "節気時刻",   "月相",
                    "月相時刻", "雑節",     "祝日"});
  for (const YearRow& row : table.rows) {
    const auto& term = row.solarTerm;
    const auto& phase = row.moonPhase;
    out << CsvRecord({DateText(row.date),
                      std::string(kWeekdays[static_cast<std::size_t>(row.weekday)]),
                      LunisolarText(row.lunisolar),
                      std::string(row.rokuyou),
                      row.dayCycle,
                      std::string(row.dayStar),
                      Optional(row.sunrise),
                      Optional(row.culmination),
                      Optional(row.sunset),
                      Optional(row.civilDawn),
                      Optional(row.civilDusk),
                      Optional(row.moonrise),
                      Optional(row.moonset),
                      AgeText(row.moonAgeNoon),
                      term ? std::string(almacor::SolarTermName(term->index)) : "",
                      term ? TermKind(term->index) : "",
                      term ? ClockText(term->time) : "",
                      phase ? std::string(almacor::MoonPhaseName(phase->kind)) : "",
                      phase ? ClockText(phase->time) : "",
                      ZassetsuText(row),
                      std::string(row.holiday)});
  }
}

void WriteYearJson(const YearTable& table, std::ostream& out) {
  using Json = nlohmann::ordered_json;
  for (const YearRow& row : table.rows) {
    Json j;
    j["date"] = DateText(row.date);
    j["weekday"] = kWeekdays[static_cast<std::size_t>(row.weekday)];
    j["lunisolar"] = {{"year", row.lunisolar.year},
                      {"month", row.lunisolar.month},
                      {"day", row.lunisolar.day},
                      {"leap", row.lunisolar.leap},
                      {"text", LunisolarText(row.lunisolar)}};
    j["rokuyou"] = row.rokuyou;
    j["dayCycle"] = row.dayCycle;
    j["dayStar"] = row.dayStar;
    j["sunrise"] = OptionalJson(row.sunrise);
    j["culmination"] = OptionalJson(row.culmination);
    j["sunset"] = OptionalJson(row.sunset);
    j["civilTwilightStart"] = OptionalJson(row.civilDawn);
    j["civilTwilightEnd"] = OptionalJson(row.civilDusk);
    j["moonrise"] = OptionalJson(row.moonrise);
    j["moonset"] = OptionalJson(row.moonset);
    j["moonAgeNoon"] = std::round(row.moonAgeNoon * 10) / 10;
    if (row.solarTerm) {
      j["solarTerm"] = {{"name", almacor::SolarTermName(row.solarTerm->index)},
                        {"kind", TermKind(row.solarTerm->index)},
                        {"time", ClockText(row.solarTerm->time)}};
    } else {
      j["solarTerm"] = nullptr;
    }
    if (row.moonPhase) {
      j["moonPhase"] = {{"name", almacor::MoonPhaseName(row.moonPhase->kind)},
                        {"time", ClockText(row.moonPhase->time)}};
    } else {
      j["moonPhase"] = nullptr;
    }
    j["zassetsu"] = Json::array();
    for (const auto kind : row.zassetsu) j["zassetsu"].push_back(almacor::ZassetsuName(kind));
    j["holiday"] = row.holiday.empty() ? Json(nullptr) : Json(row.holiday);
    out << j.dump() << '\n';
  }
}

std::string FoldIcsLine(std::string_view line) {
  std::string folded;
  std::size_t start = 0;
  std::size_t room = 75;  // octets on this line, the leading space of a continuation included
  while (line.size() - start > room) {
    std::size_t cut = start + room;
    // Never split a UTF-8 character: back off continuation bytes (10xxxxxx).
    while (cut > start && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
    folded.append(line.substr(start, cut - start));
    folded += "\r\n ";
    start = cut;
    room = 74;
  }
  folded.append(line.substr(start));
  folded += "\r\n";
  return folded;
}

void WriteYearIcs(const YearTable& table, std::ostream& out, long long stampUnixSeconds) {
  IcsWriter ics(out, table, stampUnixSeconds);
  ics.Line("BEGIN:VCALENDAR");
  ics.Line("VERSION:2.0");
  ics.Line("PRODID:-//Quillon//Koyomi//JA");
  ics.Line("CALSCALE:GREGORIAN");
  ics.Line("X-WR-CALNAME:" + std::to_string(table.year) + "年の暦");
  for (const YearRow& row : table.rows) {
    if (row.solarTerm) {
      ics.AllDay(row, "solar-term", almacor::SolarTermName(row.solarTerm->index),
                 TermKind(row.solarTerm->index) + " " + ClockText(row.solarTerm->time));
    }
    for (const auto kind : row.zassetsu) ics.AllDay(row, "zassetsu", almacor::ZassetsuName(kind));
    if (!row.holiday.empty()) ics.AllDay(row, "holiday", row.holiday);
    if (row.moonPhase) {
      ics.Timed(row.moonPhase->time, "moon-phase", almacor::MoonPhaseName(row.moonPhase->kind));
    }
  }
  for (const YearEclipse& eclipse : table.eclipses) {
    ics.Timed(eclipse.time, "eclipse", eclipse.lunar ? "月食" : "日食");
  }
  ics.Line("END:VCALENDAR");
}

void WriteYear(int year, YearFormat format, const almacor::Settings& settings, std::ostream& out,
               const std::function<void(int day)>& progress) {
  const YearTable table = BuildYearTable(year, settings, progress);
  switch (format) {
    case YearFormat::Csv:
      WriteYearCsv(table, out);
      break;
    case YearFormat::Json:
      WriteYearJson(table, out);
      break;
    case YearFormat::Ics: {
      const long long now = std::chrono::duration_cast<std::chrono::seconds>(
                                std::chrono::system_clock::now().time_since_epoch())
                                .count();
      WriteYearIcs(table, out, now);
      break;
    }
  }
}

}  // namespace quillon
