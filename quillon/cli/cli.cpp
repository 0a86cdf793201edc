#include "cli.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <set>

#include "almacor/calendar.h"
#include "almacor/constants.h"
#include "almacor/error.h"
#include "atomic_file.h"
#include "copy_text.h"
#include "json_output.h"
#include "main_table.h"

#ifndef QUILLON_VERSION
#define QUILLON_VERSION "0.1.0"
#endif

namespace quillon {
namespace {

using almacor::Calendar;
using almacor::CivilDateTime;
using almacor::CivilToDays;
using almacor::Date;

const std::map<std::string, SearchCommand, std::less<>>& FindKinds() {
  static const std::map<std::string, SearchCommand, std::less<>> kinds = {
      {"next-new-moon", {SearchKind::NewMoon, false}},
      {"previous-new-moon", {SearchKind::NewMoon, true}},
      {"next-full-moon", {SearchKind::FullMoon, false}},
      {"previous-full-moon", {SearchKind::FullMoon, true}},
      {"next-solar-eclipse", {SearchKind::SolarEclipse, false}},
      {"previous-solar-eclipse", {SearchKind::SolarEclipse, true}},
      {"next-lunar-eclipse", {SearchKind::LunarEclipse, false}},
      {"previous-lunar-eclipse", {SearchKind::LunarEclipse, true}},
  };
  return kinds;
}

std::string_view KindNoun(SearchKind kind) {
  switch (kind) {
    case SearchKind::NewMoon:
      return "new moon";
    case SearchKind::FullMoon:
      return "full moon";
    case SearchKind::SolarEclipse:
      return "solar eclipse";
    case SearchKind::LunarEclipse:
      return "lunar eclipse";
  }
  return "event";
}

double ParseOptionNumber(const std::string& option, const std::string& text) {
  std::string_view digits = text;
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  double value = 0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size() ||
      !std::isfinite(value)) {
    throw UsageError(option + ": not a number: '" + text + "'");
  }
  return value;
}

long long ParsePositiveInteger(const std::string& option, std::string_view text,
                               long long maximum) {
  long long value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < 1 ||
      value > maximum) {
    throw UsageError(option + ": expected a whole number from 1 to " + std::to_string(maximum) +
                     ", not '" + std::string(text) + "'");
  }
  return value;
}

long long ParseStep(const std::string& text) {
  static const std::map<char, long long> kUnitSeconds = {
      {'d', 86400}, {'h', 3600}, {'m', 60}, {'s', 1}};
  const auto unit = text.empty() ? kUnitSeconds.end() : kUnitSeconds.find(text.back());
  if (unit == kUnitSeconds.end()) {
    throw UsageError("--step: expected N followed by d, h, m or s (for example 6h), not '" + text +
                     "'");
  }
  // No step longer than the whole date range is useful.
  const long long n =
      ParsePositiveInteger("--step", std::string_view(text).substr(0, text.size() - 1),
                           4000000 * 86400LL / unit->second);
  return n * unit->second;
}

CivilDateTime ParseDateTimeOption(const std::string& option, const std::string& text) {
  const std::optional<CivilDateTime> value = ParseDateTime(text);
  if (!value) {
    throw UsageError(option +
                     ": expected YYYY-MM-DD, YYYY-MM-DDThh:mm or YYYY-MM-DDThh:mm:ss from "
                     "0100-01-01 to 9999-12-31, not '" +
                     text + "'");
  }
  return *value;
}

double DaysOf(const CivilDateTime& c) { return Date::FromCivil(c).Days(); }

// Applies one library setter; a value it rejects is a bad argument of `option`.
template <typename Setter>
void Apply(const std::string& option, double value, Setter&& setter) {
  try {
    setter(value);
  } catch (const almacor::Error& error) {
    throw UsageError(option + ": " + error.what());
  }
}

void SetUpCalendar(Calendar& calendar, const CommandLine& command, double instantDays) {
  calendar.SetPause(true);
  Apply("--longitude", command.longitude, [&](double v) { calendar.SetObsLongitude(v); });
  Apply("--latitude", command.latitude, [&](double v) { calendar.SetObsLatitude(v); });
  Apply("--height", command.height, [&](double v) { calendar.SetObsHeight(v); });
  Apply("--timezone", command.timeZone,
        [&](double v) { calendar.SetTimeZone(static_cast<float>(v)); });
  if (command.deltaT) {
    Apply("--delta-t", *command.deltaT, [&](double v) {
      calendar.SetDeltaT(v);
      calendar.SetDtEstimated(false);
    });
  } else {
    calendar.SetDtEstimated(true);
  }
  calendar.SetPause(false);
  calendar.SetDateTime(Date::FromDays(instantDays));
}

double NowDays(long long nowUnixSeconds, double timeZone) {
  return almacor::kUnixEpochDays + static_cast<double>(nowUnixSeconds) / 86400.0 + timeZone / 24.0;
}

void WriteText(Calendar& calendar, std::ostream& out) {
  const CivilDateTime shown = calendar.DateTime().ToCivil();
  const MainTableTexts texts = BuildMainTable(calendar, shown.day, almacor::LocalApparent);
  out << BuildCopyText(shown, texts, kAllColumnsMask, almacor::LocalApparent);
}

int RunYear(const CommandLine& command, std::ostream& out, const YearPdfWriter& writePdf) {
  if (command.format == YearFormat::Pdf && !writePdf) {
    throw UsageError("--format: pdf is not available without the program's calendar page");
  }
  // The Calendar's setters check the observer values and leave them in the shared settings.
  Calendar calendar;
  SetUpCalendar(calendar, command, CivilToDays(command.year, 1, 1));
  const almacor::Settings settings = almacor::LibrarySettings();
  const auto write = [&](std::ostream& to) {
    if (command.format == YearFormat::Pdf) {
      writePdf(command.year, settings, to);
    } else {
      WriteYear(command.year, command.format, settings, to);
    }
  };
  if (!command.output) {
    write(out);
    return 0;
  }
  try {
    WriteFileAtomically(*command.output, write);
  } catch (const FileWriteError& e) {
    throw UsageError(std::string("--output: ") + e.what());
  }
  return 0;
}

}  // namespace

std::optional<CivilDateTime> ParseDateTime(const std::string& text) {
  // Positions: YYYY-MM-DD[Thh:mm[:ss]].
  const std::size_t n = text.size();
  if (n != 10 && n != 16 && n != 19) return std::nullopt;
  for (std::size_t i = 0; i < n; ++i) {
    const char c = text[i];
    bool ok = false;
    switch (i) {
      case 4:
      case 7:
        ok = c == '-';
        break;
      case 10:
        ok = c == 'T' || c == ' ';
        break;
      case 13:
      case 16:
        ok = c == ':';
        break;
      default:
        ok = c >= '0' && c <= '9';
    }
    if (!ok) return std::nullopt;
  }
  const auto number = [&](std::size_t pos, std::size_t len) {
    return std::stoi(text.substr(pos, len));
  };
  CivilDateTime c{number(0, 4), number(5, 2), number(8, 2), 0, 0, 0};
  if (n >= 16) {
    c.hour = number(11, 2);
    c.minute = number(14, 2);
  }
  if (n == 19) c.second = number(17, 2);
  try {
    Date::FromCivil(c);
  } catch (const almacor::Error&) {
    return std::nullopt;
  }
  return c;
}

std::string UsageText() {
  return R"(Usage: quillon [OPTIONS]

Without arguments quillon opens its main window. With --json, --text, --find, --events or
--year it runs without a window and without a display; other options without one of these print the
--text output.

Instant and observer:
  --at DATETIME        local civil time of the chosen zone: YYYY-MM-DD, YYYY-MM-DDThh:mm or
                       YYYY-MM-DDThh:mm:ss (a space may replace the T); default now
  --longitude DEG      east positive, default 139.7447
  --latitude DEG       north positive, default 35.6544
  --height M           metres above sea level, default 0
  --timezone H         hours east of UTC, default 9
  --delta-t SECONDS    use this ΔT (-10 ... 259200) instead of the estimate

Output:
  --json               one JSON object for the instant
  --text               the main window's copy text for the instant, every column shown
  --from DATETIME --to DATETIME [--step N{d|h|m|s}]
                       with --json: JSON Lines from --from to --to inclusive, default step 1d
  --find KIND [--count N]
                       N (default 1) successive events as YYYY-MM-DDThh:mm:ss, each search
                       starting from the previous result; KIND is one of next-new-moon,
                       previous-new-moon, next-full-moon, previous-full-moon, next-solar-eclipse,
                       previous-solar-eclipse, next-lunar-eclipse, previous-lunar-eclipse
  --events --from DATETIME --to DATETIME [--kinds K[,K...]]
         [--body NAME --altitude DEG | --azimuth DEG]
                       the phenomena from --from to --to as JSON Lines sorted by time; K is
                       moon-phase, lunar-apsis, conjunction, opposition, greatest-elongation,
                       solar-eclipse, lunar-eclipse (all of these by default), altitude or
                       azimuth: the instants the apparent altitude of NAME (Sun, Moon,
                       Mercury ... Pluto) passes DEG, rising and setting, or its azimuth passes
                       DEG (these need --body; without --kinds they join the default kinds)
  --year YYYY [--format csv|json|ics|pdf] [--output FILE]
                       a day-by-day almanac of the year (100 ... 9999) for the observer: the
                       calendars, Sun and Moon times, solar terms, Moon phases, seasonal days
                       and holidays of Japan, the almanac's day notes, the era date and the
                       phenomena of --events (eclipses with how they are seen here); CSV
                       (default), JSON Lines, iCalendar, or the month calendar as PDF (twelve
                       A4 landscape pages), written to FILE (replaced only once complete) or
                       to standard output
  -h, --help           show this text
  -v, --version        show the version

Exit status: 0 done, 1 a computation failed, 2 a bad argument, 3 no such event in the supported
range (0100-01-27 ... 9999-12-30).
)";
}

namespace {

// What the parser has seen so far.
struct ParseState {
  CommandLine command;
  std::set<std::string, std::less<>> given;  // the options named, once each
  std::set<CommandLine::Mode> outputModes;   // --json, --text, --find, --year, --events
  // --kinds, --body, --altitude, --azimuth, checked together with --events.
  std::optional<PhenomenonKinds> kinds;
  std::optional<almacor::SkyBody> body;
  std::optional<double> altitude, azimuth;
};

// One option of the command line: its name, whether it takes a value, and how it applies it.
struct OptionSpec {
  std::string_view name;
  bool takesValue;
  void (*apply)(ParseState& state, const std::string& name, const std::string& value);
};

using Mode = CommandLine::Mode;

template <Mode mode>
void ChooseMode(ParseState& state, const std::string&, const std::string&) {
  if (mode == Mode::Help || mode == Mode::Version) {
    state.command.mode = mode;
  } else {
    state.outputModes.insert(mode);
  }
}

YearFormat ParseFormat(const std::string& value) {
  static const std::map<std::string, YearFormat, std::less<>> kFormats = {
      {"csv", YearFormat::Csv},
      {"json", YearFormat::Json},
      {"ics", YearFormat::Ics},
      {"pdf", YearFormat::Pdf}};
  const auto format = kFormats.find(value);
  if (format == kFormats.end()) {
    throw UsageError("--format: unknown format '" + value + "' (expected csv, json, ics or pdf)");
  }
  return format->second;
}

PhenomenonKinds ParseKinds(const std::string& value) {
  PhenomenonKinds kinds;
  for (std::size_t from = 0; from <= value.size();) {
    std::size_t comma = value.find(',', from);
    if (comma == std::string::npos) comma = value.size();
    const std::string key = value.substr(from, comma - from);
    const auto kind = PhenomenonKindFromKey(key);
    if (!kind) throw UsageError("--kinds: unknown kind '" + key + "'");
    kinds.set(static_cast<std::size_t>(*kind));
    from = comma + 1;
  }
  return kinds;
}

almacor::SkyBody ParseBody(const std::string& value) {
  const auto body = almacor::SkyBodyFromName(value);
  if (!body) {
    throw UsageError("--body: unknown body '" + value +
                     "' (expected Sun, Moon, Mercury, Venus, Mars, Jupiter, Saturn, Uranus, "
                     "Neptune or Pluto)");
  }
  return *body;
}

int ParseYear(const std::string& value) {
  std::string_view digits = value;
  int number = 0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size() || number < 100 ||
      number > 9999) {
    throw UsageError("--year: expected a year from 100 to 9999, not '" + value + "'");
  }
  return number;
}

// Every option; a new one is one line here (and one in UsageText).
using S = ParseState&;
using V = const std::string&;
constexpr OptionSpec kOptions[] = {
    {"--at", true, [](S s, V n, V v) { s.command.at = ParseDateTimeOption(n, v); }},
    {"--longitude", true, [](S s, V n, V v) { s.command.longitude = ParseOptionNumber(n, v); }},
    {"--latitude", true, [](S s, V n, V v) { s.command.latitude = ParseOptionNumber(n, v); }},
    {"--height", true, [](S s, V n, V v) { s.command.height = ParseOptionNumber(n, v); }},
    {"--timezone", true, [](S s, V n, V v) { s.command.timeZone = ParseOptionNumber(n, v); }},
    {"--delta-t", true, [](S s, V n, V v) { s.command.deltaT = ParseOptionNumber(n, v); }},
    {"--from", true, [](S s, V n, V v) { s.command.from = ParseDateTimeOption(n, v); }},
    {"--to", true, [](S s, V n, V v) { s.command.to = ParseDateTimeOption(n, v); }},
    {"--step", true, [](S s, V, V v) { s.command.stepSeconds = ParseStep(v); }},
    {"--find", true,
     [](S s, V n, V v) {
       const auto kind = FindKinds().find(v);
       if (kind == FindKinds().end()) throw UsageError("--find: unknown KIND '" + v + "'");
       s.command.find = kind->second;
       ChooseMode<Mode::Find>(s, n, v);
     }},
    {"--count", true, [](S s, V n, V v) { s.command.count = ParsePositiveInteger(n, v, 100000); }},
    {"--year", true,
     [](S s, V n, V v) {
       s.command.year = ParseYear(v);
       ChooseMode<Mode::Year>(s, n, v);
     }},
    {"--format", true, [](S s, V, V v) { s.command.format = ParseFormat(v); }},
    {"--output", true,
     [](S s, V, V v) {
       if (v.empty()) throw UsageError("--output: empty file name");
       s.command.output = v;
     }},
    {"--events", false, ChooseMode<Mode::Events>},
    {"--kinds", true, [](S s, V, V v) { s.kinds = ParseKinds(v); }},
    {"--body", true, [](S s, V, V v) { s.body = ParseBody(v); }},
    {"--altitude", true,
     [](S s, V n, V v) {
       s.altitude = ParseOptionNumber(n, v);
       if (std::fabs(*s.altitude) > 90) throw UsageError("--altitude: expected -90 to 90 degrees");
     }},
    {"--azimuth", true,
     [](S s, V n, V v) {
       s.azimuth = ParseOptionNumber(n, v);
       if (*s.azimuth < 0 || *s.azimuth > 360) {
         throw UsageError("--azimuth: expected 0 to 360 degrees");
       }
     }},
    {"--json", false, ChooseMode<Mode::Json>},
    {"--text", false, ChooseMode<Mode::Text>},
    {"--help", false, ChooseMode<Mode::Help>},
    {"--version", false, ChooseMode<Mode::Version>},
};

// The kinds and the crossing of --events: a crossing needs a body and exactly one of --altitude
// and --azimuth, and is added to the default kinds when --kinds is not given.
void CheckEventOptions(const ParseState& state, PhenomenaRequest& request) {
  const auto& [kinds, body, altitude, azimuth] =
      std::tie(state.kinds, state.body, state.altitude, state.azimuth);
  if (altitude && azimuth) throw UsageError("--altitude and --azimuth exclude each other");
  if (body && !altitude && !azimuth) throw UsageError("--body: needs --altitude or --azimuth");
  if ((altitude || azimuth) && !body) {
    throw UsageError(altitude ? "--altitude: needs --body" : "--azimuth: needs --body");
  }
  request.kinds = kinds.value_or(DefaultPhenomenonKinds());
  if (!kinds) {
    if (altitude) request.kinds.set(static_cast<std::size_t>(PhenomenonKind::Altitude));
    if (azimuth) request.kinds.set(static_cast<std::size_t>(PhenomenonKind::Azimuth));
  }
  if (Has(request.kinds, PhenomenonKind::Altitude) && !altitude) {
    throw UsageError("--kinds: altitude needs --body and --altitude");
  }
  if (Has(request.kinds, PhenomenonKind::Azimuth) && !azimuth) {
    throw UsageError("--kinds: azimuth needs --body and --azimuth");
  }
  if (body) request.body = *body;
  request.altitude = altitude.value_or(0);
  request.azimuth = azimuth.value_or(0);
}

// The rules between options, once all are read.
void CheckCombination(ParseState& state) {
  CommandLine& command = state.command;
  const auto given = [&](std::string_view name) { return state.given.contains(name); };
  if (state.outputModes.size() > 1) {
    throw UsageError(OutputOptionList(" and ") + " exclude each other");
  }
  if (!state.outputModes.empty()) command.mode = *state.outputModes.begin();
  const bool events = command.mode == Mode::Events;
  if (events) {
    CheckEventOptions(state, command.events);
    if (!command.from && !command.to) throw UsageError("--events: needs --from and --to");
  } else if (state.kinds || state.body || state.altitude || state.azimuth) {
    throw UsageError("--kinds, --body, --altitude and --azimuth: only with --events");
  }
  const bool year = command.mode == Mode::Year;
  if (year && (command.at || command.from || command.to)) {
    throw UsageError("--year: not with --at, --from or --to");
  }
  if (given("--format") && !year) throw UsageError("--format: only with --year");
  if (command.output && !year) throw UsageError("--output: only with --year");
  if (command.from.has_value() != command.to.has_value()) {
    throw UsageError(command.from ? "--from: needs --to" : "--to: needs --from");
  }
  if (command.from) {
    if (command.mode != Mode::Json && !events) {
      throw UsageError("--from: only with --json or --events");
    }
    if (command.at) throw UsageError("--at: not with --from and --to");
    if (DaysOf(*command.to) < DaysOf(*command.from)) throw UsageError("--to: earlier than --from");
  }
  if (given("--step") && !command.from) throw UsageError("--step: only with --from and --to");
  if (given("--count") && command.mode != Mode::Find) {
    throw UsageError("--count: only with --find");
  }
}

}  // namespace

std::string OutputOptionList(std::string_view lastSeparator) {
  std::string list;
  for (std::size_t i = 0; i < kOutputOptions.size(); ++i) {
    if (i > 0) list += i + 1 == kOutputOptions.size() ? lastSeparator : std::string_view(", ");
    list += kOutputOptions[i];
  }
  return list;
}

std::optional<bool> ToolkitOptionTakesValue(std::string_view argument) {
  // Qt's own options (QApplication and its platform plugins), with one dash as Qt documents them.
  static constexpr std::array<std::string_view, 17> kWithValue = {
      "-platform",       "-platformpluginpath", "-platformtheme", "-plugin", "-qmljsdebugger",
      "-style",          "-stylesheet",         "-session",       "-display", "-geometry",
      "-qwindowgeometry", "-qwindowicon",       "-qwindowtitle",  "-title",   "-name",
      "-visual",         "-fontengine"};
  static constexpr std::array<std::string_view, 6> kFlags = {
      "-reverse", "-widgetcount", "-nograb", "-dograb", "-sync", "-testability"};
  const std::string_view name = argument.substr(0, argument.find('='));
  if (std::find(kWithValue.begin(), kWithValue.end(), name) != kWithValue.end()) {
    return name.size() == argument.size();  // "-style=fusion" carries its value
  }
  if (std::find(kFlags.begin(), kFlags.end(), argument) != kFlags.end()) return false;
  return std::nullopt;
}

bool OpensWindow(const std::vector<std::string>& args) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--") return true;  // what follows is no option; the window ignores it
    const std::optional<bool> takesValue = ToolkitOptionTakesValue(args[i]);
    if (!takesValue) return false;
    if (*takesValue) ++i;
  }
  return true;
}

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  ParseState state;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i];
    if (name == "--") {
      // The end of the options; the command line takes no other arguments.
      if (i + 1 < args.size()) throw UsageError("unexpected argument '" + args[i + 1] + "'");
      break;
    }
    // The short forms desktop programs take.
    if (name == "-h") name = "--help";
    if (name == "-v") name = "--version";
    if (ToolkitOptionTakesValue(name).has_value()) {
      throw UsageError(name + ": a window option, not with " + OutputOptionList(" or "));
    }
    std::optional<std::string> value;
    if (name.rfind("--", 0) == 0) {
      if (const std::size_t eq = name.find('='); eq != std::string::npos) {
        value = name.substr(eq + 1);
        name.resize(eq);
      }
    } else {
      throw UsageError("unexpected argument '" + name + "'");
    }
    const OptionSpec* option = std::find_if(std::begin(kOptions), std::end(kOptions),
                                            [&](const OptionSpec& o) { return o.name == name; });
    if (option == std::end(kOptions)) throw UsageError("unknown option '" + name + "'");
    if (option->takesValue && !value) {
      if (i + 1 >= args.size()) throw UsageError(name + ": missing value");
      value = args[++i];
    }
    if (!option->takesValue && value) throw UsageError(name + ": takes no value");
    option->apply(state, name, value.value_or(""));
    state.given.insert(name);
  }
  // --help and --version answer whatever else the line holds.
  if (state.given.contains("--help")) {
    state.command.mode = Mode::Help;
    return state.command;
  }
  if (state.given.contains("--version")) {
    state.command.mode = Mode::Version;
    return state.command;
  }
  CheckCombination(state);
  return state.command;
}

namespace {

// The run of each mode; a new mode is one line in kRuns.
using Run = int (*)(const CommandLine& command, std::ostream& out, std::ostream& err,
                    long long nowUnixSeconds, const YearPdfWriter& writePdf);

// The Calendar at the command's first instant: --from, --at or now, for the command's observer.
std::unique_ptr<Calendar> CalendarAtStart(const CommandLine& command, long long nowUnixSeconds) {
  const double start = command.from ? DaysOf(*command.from)
                       : command.at ? DaysOf(*command.at)
                                    : NowDays(nowUnixSeconds, command.timeZone);
  auto calendar = std::make_unique<Calendar>();
  SetUpCalendar(*calendar, command, start);
  return calendar;
}

int RunHelp(const CommandLine&, std::ostream& out, std::ostream&, long long, const YearPdfWriter&) {
  out << UsageText();
  return 0;
}

int RunVersion(const CommandLine&, std::ostream& out, std::ostream&, long long,
               const YearPdfWriter&) {
  out << "quillon " QUILLON_VERSION "\n";
  return 0;
}

int RunJson(const CommandLine& command, std::ostream& out, std::ostream&, long long now,
            const YearPdfWriter&) {
  const std::unique_ptr<Calendar> calendar = CalendarAtStart(command, now);
  if (!command.from) {
    out << InstantJson(*calendar).dump() << '\n';
    return 0;
  }
  const double start = DaysOf(*command.from);
  const double end = DaysOf(*command.to);
  // Each instant is counted from --from in whole seconds, so no rounding accumulates.
  for (long long k = 0; out; ++k) {
    const double t = start + static_cast<double>(k * command.stepSeconds) / 86400.0;
    if (t > end + 0.5 / 86400.0) break;
    calendar->SetDateTime(Date::FromDays(t));
    out << InstantJson(*calendar).dump() << '\n';
  }
  return 0;
}

int RunFind(const CommandLine& command, std::ostream& out, std::ostream& err, long long now,
            const YearPdfWriter&) {
  const std::unique_ptr<Calendar> calendar = CalendarAtStart(command, now);
  for (long long i = 0; i < command.count && out; ++i) {
    const std::optional<Date> found = RunSearch(*calendar, command.find);
    if (!found) {
      out.flush();
      err << "quillon: no " << (command.find.previous ? "earlier " : "later ")
          << KindNoun(command.find.kind) << " in the supported range\n";
      return 3;
    }
    out << IsoDateTime(*found) << '\n';
  }
  return 0;
}

int RunText(const CommandLine& command, std::ostream& out, std::ostream&, long long now,
            const YearPdfWriter&) {
  WriteText(*CalendarAtStart(command, now), out);
  return 0;
}

int RunYearMode(const CommandLine& command, std::ostream& out, std::ostream&, long long,
                const YearPdfWriter& writePdf) {
  return RunYear(command, out, writePdf);
}

int RunEvents(const CommandLine& command, std::ostream& out, std::ostream&, long long now,
              const YearPdfWriter&) {
  // The Calendar's setters check the observer values and leave them in the shared settings.
  CalendarAtStart(command, now);
  PhenomenaRequest request = command.events;
  request.from = DaysOf(*command.from);
  request.to = DaysOf(*command.to);
  std::vector<Phenomenon> events;
  try {
    events = CollectPhenomena(request, almacor::LibrarySettings());
  } catch (const almacor::Error& error) {
    if (error.Number() != almacor::kInvalidArgument) throw;
    throw UsageError(std::string("--events: ") + error.what());
  }
  for (const Phenomenon& p : events) out << PhenomenonJson(p).dump() << '\n';
  return 0;
}

constexpr std::pair<Mode, Run> kRuns[] = {
    {Mode::Help, RunHelp},     {Mode::Version, RunVersion}, {Mode::Json, RunJson},
    {Mode::Find, RunFind},     {Mode::Year, RunYearMode},   {Mode::Text, RunText},
    {Mode::Events, RunEvents}, {Mode::Window, RunText},  // options without an output mode print the
                                                         // text
};

}  // namespace

int RunCommandLine(const CommandLine& command, std::ostream& out, std::ostream& err,
                   long long nowUnixSeconds, const YearPdfWriter& writePdf) {
  for (const auto& [mode, run] : kRuns) {
    if (mode == command.mode) return run(command, out, err, nowUnixSeconds, writePdf);
  }
  return RunText(command, out, err, nowUnixSeconds, writePdf);
}

int QuillonMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                const YearPdfWriter& writePdf) {
  try {
    const CommandLine command = ParseCommandLine(args);
    const long long now = std::chrono::duration_cast<std::chrono::seconds>(
                              std::chrono::system_clock::now().time_since_epoch())
                              .count();
    const int status = RunCommandLine(command, out, err, now, writePdf);
    if (!out.flush()) {
      err << "quillon: cannot write to standard output\n";
      return 2;
    }
    return status;
  } catch (const UsageError& error) {
    err << "quillon: " << error.what() << '\n';
    return 2;
  } catch (const almacor::Error& error) {
    err << "quillon: " << error.what() << '\n';
    return 1;
  }
}

}  // namespace quillon
