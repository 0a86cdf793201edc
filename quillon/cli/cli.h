#pragma once

#include <array>
#include <functional>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "almacor/date.h"
#include "default_observer.h"
#include "phenomena_list.h"
#include "qx_module.h"
#include "year_table.h"

namespace quillon {

/// The options of the command line. The observer defaults are those of a first run of the window.
struct CommandLine {
  enum class Mode { Window, Json, Text, Find, Year, Events, Help, Version };
  Mode mode = Mode::Window;
  std::optional<almacor::CivilDateTime> at;    ///< --at; empty = now in the chosen zone
  std::optional<almacor::CivilDateTime> from;  ///< --from, with --to: a series of instants
  std::optional<almacor::CivilDateTime> to;
  long long stepSeconds = 86400;  ///< --step
  double longitude = kDefaultLongitude;
  double latitude = kDefaultLatitude;
  double height = 0;
  double timeZone = kDefaultTimeZone;
  std::optional<double> deltaT;         ///< --delta-t; empty = estimated
  SearchCommand find;                   ///< --find
  long long count = 1;                  ///< --count
  int year = 0;                         ///< --year
  YearFormat format = YearFormat::Csv;  ///< --format
  std::optional<std::string> output;    ///< --output; empty = standard output
  /// --events: the kinds (--kinds, by default all but the crossings, plus the crossing asked for
  /// with --body and --altitude or --azimuth); the span is --from … --to.
  PhenomenaRequest events;
};

/// A command line that cannot be run; the message names the option (without the "quillon: "
/// prefix that the program puts before it).
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

/// The options that choose an output without the window; every message that names the headless
/// options lists these.
inline constexpr std::array<std::string_view, 5> kOutputOptions = {"--json", "--text", "--find",
                                                                   "--year", "--events"};
/// kOutputOptions as a list: "--json, --text, --find, --year and --events" for the separator
/// " and ".
std::string OutputOptionList(std::string_view lastSeparator);

/// For one of the toolkit's own window options (-platform, -style, -geometry, -display, …, also
/// as "-style=fusion") whether the next argument is its value; empty for any other argument.
std::optional<bool> ToolkitOptionTakesValue(std::string_view argument);

/// Whether the arguments after the program name open the window: none, or only the toolkit's
/// window options, up to a "--" after which nothing is an option.
bool OpensWindow(const std::vector<std::string>& args);

/// Parses the arguments after the program name. Accepts "--name value" and "--name=value"; "--"
/// ends the options.
/// Raises UsageError for an unknown option, a missing or malformed value, or options that do not
/// go together. Ranges of the observer values are checked when they are applied (RunCommandLine).
CommandLine ParseCommandLine(const std::vector<std::string>& args);

/// A local civil date-time "YYYY-MM-DD", "YYYY-MM-DDThh:mm" or "YYYY-MM-DDThh:mm:ss" (a space may
/// replace the T), 0100-01-01 … 9999-12-31; empty if the text is none of these.
std::optional<almacor::CivilDateTime> ParseDateTime(const std::string& text);

/// The usage text of --help.
std::string UsageText();

/// Draws the month calendar of `year` (twelve A4 landscape pages) as PDF into `out` for the time
/// scale of `settings`. The program supplies it: the pages are painted with Qt.
using YearPdfWriter =
    std::function<void(int year, const almacor::Settings& settings, std::ostream& out)>;

/// Runs a parsed command line without a window, writing to `out` and `err`, and returns the exit
/// status: 0 done, 3 a search with no event left in the supported range. An option value rejected
/// by the library (for example --latitude 95) or an output file that cannot be written raises
/// UsageError, and any other error of the library almacor::Error; QuillonMain turns them into
/// the statuses 2 and 1. `now` supplies the present UTC time as seconds since 1970-01-01 for a
/// missing --at. `--format pdf` needs `writePdf`; without it the format is a UsageError.
int RunCommandLine(const CommandLine& command, std::ostream& out, std::ostream& err,
                   long long nowUnixSeconds, const YearPdfWriter& writePdf = {});

/// The whole headless program: parses `args` (after the program name), runs, reports errors as
/// one line "quillon: …" on `err`, and returns the exit status (2 for a bad argument or an
/// output that could not be written, `out` included).
int QuillonMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                const YearPdfWriter& writePdf = {});

}  // namespace quillon
