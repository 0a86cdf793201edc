#pragma once

// QxModule: the searches behind "朔望検索(&M)", "日食・月食検索(&E)" and --find. From the displayed
// instant it steps a mean synodic month at a time and solves the Moon's elongation for the next or
// previous new or full moon; an eclipse search goes on from syzygy to syzygy until the Moon's
// latitude is within the eclipse limit. It also decides which search items are enabled: each kind
// of event has a first and a last instance inside the supported range, in dynamical time.

#include <functional>
#include <optional>

#include "almacor/date.h"

namespace almacor {
class Calendar;
}

namespace quillon {

/// What the search menus look for: items of "朔望検索(&M)" give new and full moons, items of
/// "日食・月食検索(&E)" the new moon of a solar eclipse and the full moon of a lunar eclipse.
enum class SearchKind { NewMoon, FullMoon, SolarEclipse, LunarEclipse };

/// One search command: what, and in which direction.
struct SearchCommand {
  SearchKind kind = SearchKind::NewMoon;
  bool previous = false;
};
/// The command of menu item k (0, 1, 3 or 4) of the syzygy menu (`eclipseMenu` false) or of the
/// eclipse menu: items 0 and 3 look back, items 3 and 4 look for full moons. Raises almacor::Error
/// 5 for the separator (2) and any other k.
SearchCommand MenuSearchCommand(int k, bool eclipseMenu);

/// The first and last event of a kind that the searches reach, as day counts of dynamical time
/// (days since 1899-12-30 00:00 TD, proleptic Gregorian). Outside them the ephemeris and the date
/// range give out: the last new moon, 9999-12-30 18:54:08 TD, is the upper limit of every search.
/// The eclipses' are almacor::EclipseSearchRange.
struct EventRange {
  double first;
  double last;
};
EventRange RangeOf(SearchKind kind);
/// A backward month step starts only at or after this instant (0100-01-30 12:44:03) and a forward
/// step only at or before 9999-12-02 11:15:57, so that the step stays inside the date range. Both
/// are compared with the local instant being stepped. Day counts.
double LowestBackwardStart();
double HighestForwardStart();

/// Dynamical time minus local civil time of the Calendar's instant, seconds: ΔT − 3600 × zone.
double DynamicalOffsetSeconds(const almacor::Calendar& calendar);
/// The Calendar's instant in dynamical time as a day count, or the upper limit (the last new moon)
/// when the instant lies beyond it. Never fails, also at the ends of the date range.
double CurrentDynamicalDays(const almacor::Calendar& calendar);

/// Whether the search menu item of `command` is enabled for the Calendar's instant: looking back
/// needs the instant more than a second after the first event of the kind, looking ahead more than
/// a second before the last one (whole seconds of dynamical time).
bool SearchEnabled(const almacor::Calendar& calendar, SearchCommand command);

/// The instant near a local day count at which the Moon–Sun elongation takes a value (degrees):
/// (elongation, start) → local day count.
using ElongationSolver = std::function<double(double elongation, double start)>;

/// The rules of FindSyzygy on local day counts: `date` the local instant, `offsetSeconds` the
/// dynamical minus local time in seconds, `calcDate` the elongation solver. An event less than a
/// second from `date` does not count, so a search repeated from its own result moves on. Beyond
/// the last event looking back, or before the first looking ahead, the result is that limiting
/// event; a month step that would leave the date range ends the search with the event at the bound
/// (the first event looking back, the last looking ahead).
double FindSyzygyDays(double date, bool full, bool previous, double offsetSeconds,
                      const ElongationSolver& calcDate);

/// The new moon (`full` false) or full moon before (`previous`) or after `date` (local time), by
/// the Calendar's Moon (MoonObject::CalcDate) with the Calendar's ΔT and zone. The Calendar is
/// not changed.
almacor::Date FindSyzygy(almacor::Calendar& calendar, almacor::Date date, bool full, bool previous);

/// Whether the Calendar's instant (a new moon for a solar, a full moon for a lunar eclipse)
/// satisfies the eclipse condition (almacor::IsEclipse) with the Calendar's Sun and Moon.
bool EclipseCondition(const almacor::Calendar& calendar, bool lunar);

/// The eclipse command: from the Calendar's instant, new moon after new moon (solar) or full moon
/// after full moon (lunar) in the chosen direction until the eclipse condition holds. Every
/// candidate is set as the Calendar's instant, which is left at the result. Empty when the search
/// runs into the end of the supported range without finding one (the Calendar then holds the last
/// candidate).
std::optional<almacor::Date> FindEclipse(almacor::Calendar& calendar, bool lunar, bool previous);

/// A search command as the main window runs it: the found event (new or full moon, or the syzygy
/// of the eclipse) becomes the Calendar's instant. Empty, with the instant unchanged, when the
/// command is not enabled (SearchEnabled) or no eclipse is left in the range.
std::optional<almacor::Date> RunSearch(almacor::Calendar& calendar, SearchCommand command);

}  // namespace quillon
