#include "cli.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>

#include "almacor/calendar.h"
#include "almacor/constants.h"
#include "almacor/error.h"
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

double ParseNumber(const std::string& option, const std::string& text) {
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

int RunYear(const CommandLine& command, std::ostream& out) {
  // The Calendar's setters check the observer values and leave them in the shared settings.
  Calendar calendar;
  SetUpCalendar(calendar, command, CivilToDays(command.year, 1, 1));
  const almacor::Settings settings = almacor::LibrarySettings();
  if (!command.output) {
    WriteYear(command.year, command.format, settings, out);
    return 0;
  }
  WriteFileAtomically(*command.output, [&](std::ostream& file) {
    WriteYear(command.year, command.format, settings, file);
  });
  return 0;
}

}  // namespace

void WriteFileAtomically(const std::string& path, const std::function<void(std::ostream&)>& write) {
  namespace fs = std::filesystem;
  const auto fail = [&](const std::string& why) {
    throw UsageError("--output: cannot write '" + path + "': " + why);
  };
  const fs::path target(path);
  std::error_code ec;
  if (fs::is_directory(target, ec)) fail("is a directory");
  const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
  std::string name = target.filename().string();
  name.insert(name.begin(), '.');
  name += ".XXXXXX";
  std::string temp = (dir / name).string();
  const int fd = mkstemp(temp.data());
  if (fd < 0) fail(std::strerror(errno));
  // mkstemp makes the file private; give it the permissions a new file would get.
  const mode_t mask = umask(0);
  umask(mask);
  fchmod(fd, 0666 & ~mask);
  close(fd);
  struct Remover {
    std::string name;
    bool armed = true;
    ~Remover() {
      if (armed) std::remove(name.c_str());
    }
  } remover{temp};
  {
    std::ofstream file(temp, std::ios::binary | std::ios::trunc);
    if (!file) fail(std::strerror(errno));
    write(file);
    file.flush();
    if (!file) fail("write failed");
  }
  if (std::rename(temp.c_str(), path.c_str()) != 0) fail(std::strerror(errno));
  remover.armed = false;
}

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

Without arguments quillon opens its main window. With --json, --text, --find or --year it
runs without a window and without a display; other options without one of these print the
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
  --year YYYY [--format csv|json|ics] [--output FILE]
                       a day-by-day almanac of the year (100 ... 9999) for the observer: the
                       calendars, Sun and Moon times, solar terms, Moon phases, seasonal days
                       and holidays of Japan; CSV (default), JSON Lines or iCalendar, written to
                       FILE (replaced only once complete) or to standard output
  -h, --help           show this text
  -v, --version        show the version

Exit status: 0 done, 1 a computation failed, 2 a bad argument, 3 no such event in the supported
range (0100-01-27 ... 9999-12-30).
)";
}

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
      "-platform", "-platformpluginpath", "-platformtheme", "-plugin",  "-qmljsdebugger",
      "-style",    "-stylesheet",         "-session",       "-display", "-geometry",
      "-qwindowgeometry", "-qwindowicon", "-qwindowtitle",  "-title",   "-name",
      "-visual",   "-fontengine"};
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
  CommandLine command;
  bool json = false, text = false, find = false, help = false, version = false;
  bool stepGiven = false, countGiven = false, year = false, formatGiven = false;
  static const std::map<std::string, bool, std::less<>> kTakesValue = {
      {"--at", true},       {"--longitude", true}, {"--latitude", true}, {"--height", true},
      {"--timezone", true}, {"--delta-t", true},   {"--from", true},     {"--to", true},
      {"--step", true},     {"--find", true},      {"--count", true},    {"--json", false},
      {"--text", false},    {"--help", false},     {"--version", false}, {"--year", true},
      {"--format", true},   {"--output", true}};

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
    const auto option = kTakesValue.find(name);
    if (option == kTakesValue.end()) throw UsageError("unknown option '" + name + "'");
    if (option->second && !value) {
      if (i + 1 >= args.size()) throw UsageError(name + ": missing value");
      value = args[++i];
    }
    if (!option->second && value) throw UsageError(name + ": takes no value");

    if (name == "--at") {
      command.at = ParseDateTimeOption(name, *value);
    } else if (name == "--longitude") {
      command.longitude = ParseNumber(name, *value);
    } else if (name == "--latitude") {
      command.latitude = ParseNumber(name, *value);
    } else if (name == "--height") {
      command.height = ParseNumber(name, *value);
    } else if (name == "--timezone") {
      command.timeZone = ParseNumber(name, *value);
    } else if (name == "--delta-t") {
      command.deltaT = ParseNumber(name, *value);
    } else if (name == "--from") {
      command.from = ParseDateTimeOption(name, *value);
    } else if (name == "--to") {
      command.to = ParseDateTimeOption(name, *value);
    } else if (name == "--step") {
      command.stepSeconds = ParseStep(*value);
      stepGiven = true;
    } else if (name == "--find") {
      const auto kind = FindKinds().find(*value);
      if (kind == FindKinds().end()) throw UsageError("--find: unknown KIND '" + *value + "'");
      command.find = kind->second;
      find = true;
    } else if (name == "--count") {
      command.count = ParsePositiveInteger(name, *value, 100000);
      countGiven = true;
    } else if (name == "--year") {
      std::string_view digits = *value;
      int number = 0;
      const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
      if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size() ||
          number < 100 || number > 9999) {
        throw UsageError("--year: expected a year from 100 to 9999, not '" + *value + "'");
      }
      command.year = number;
      year = true;
    } else if (name == "--format") {
      static const std::map<std::string, YearFormat, std::less<>> kFormats = {
          {"csv", YearFormat::Csv}, {"json", YearFormat::Json}, {"ics", YearFormat::Ics}};
      const auto format = kFormats.find(*value);
      if (format == kFormats.end()) {
        throw UsageError("--format: unknown format '" + *value + "' (expected csv, json or ics)");
      }
      command.format = format->second;
      formatGiven = true;
    } else if (name == "--output") {
      if (value->empty()) throw UsageError("--output: empty file name");
      command.output = *value;
    } else if (name == "--json") {
      json = true;
    } else if (name == "--text") {
      text = true;
    } else if (name == "--help") {
      help = true;
    } else if (name == "--version") {
      version = true;
    }
  }

  if (help) {
    command.mode = CommandLine::Mode::Help;
    return command;
  }
  if (version) {
    command.mode = CommandLine::Mode::Version;
    return command;
  }
  if (json + text + find + year > 1) {
    throw UsageError(OutputOptionList(" and ") + " exclude each other");
  }
  if (year) {
    command.mode = CommandLine::Mode::Year;
    if (command.at || command.from || command.to)
      throw UsageError("--year: not with --at, --from or --to");
  }
  if (formatGiven && !year) throw UsageError("--format: only with --year");
  if (command.output && !year) throw UsageError("--output: only with --year");
  if (json) command.mode = CommandLine::Mode::Json;
  if (text) command.mode = CommandLine::Mode::Text;
  if (find) command.mode = CommandLine::Mode::Find;

  if (command.from.has_value() != command.to.has_value()) {
    throw UsageError(command.from ? "--from: needs --to" : "--to: needs --from");
  }
  if (command.from) {
    if (!json) throw UsageError("--from: only with --json");
    if (command.at) throw UsageError("--at: not with --from and --to");
    if (DaysOf(*command.to) < DaysOf(*command.from)) throw UsageError("--to: earlier than --from");
  }
  if (stepGiven && !command.from) throw UsageError("--step: only with --from and --to");
  if (countGiven && !find) throw UsageError("--count: only with --find");
  return command;
}

int RunCommandLine(const CommandLine& command, std::ostream& out, std::ostream& err,
                   long long nowUnixSeconds) {
  using Mode = CommandLine::Mode;
  if (command.mode == Mode::Help) {
    out << UsageText();
    return 0;
  }
  if (command.mode == Mode::Version) {
    out << "quillon " QUILLON_VERSION "\n";
    return 0;
  }

  if (command.mode == Mode::Year) return RunYear(command, out);

  const double start = command.from ? DaysOf(*command.from)
                       : command.at ? DaysOf(*command.at)
                                    : NowDays(nowUnixSeconds, command.timeZone);
  Calendar calendar;
  SetUpCalendar(calendar, command, start);

  switch (command.mode) {
    case Mode::Json:
      if (!command.from) {
        out << InstantJson(calendar).dump() << '\n';
        return 0;
      }
      {
        const double end = DaysOf(*command.to);
        // Each instant is counted from --from in whole seconds, so no rounding accumulates.
        for (long long k = 0; out; ++k) {
          const double t = start + static_cast<double>(k * command.stepSeconds) / 86400.0;
          if (t > end + 0.5 / 86400.0) break;
          calendar.SetDateTime(Date::FromDays(t));
          out << InstantJson(calendar).dump() << '\n';
        }
      }
      return 0;
    case Mode::Find:
      for (long long i = 0; i < command.count && out; ++i) {
        const std::optional<Date> found = RunSearch(calendar, command.find);
        if (!found) {
          out.flush();
          err << "quillon: no " << (command.find.previous ? "earlier " : "later ")
              << KindNoun(command.find.kind) << " in the supported range\n";
          return 3;
        }
        out << IsoDateTime(*found) << '\n';
      }
      return 0;
    case Mode::Text:
    case Mode::Window:
    default:
      WriteText(calendar, out);
      return 0;
  }
}

int QuillonMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  try {
    const CommandLine command = ParseCommandLine(args);
    const long long now = std::chrono::duration_cast<std::chrono::seconds>(
                              std::chrono::system_clock::now().time_since_epoch())
                              .count();
    const int status = RunCommandLine(command, out, err, now);
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
