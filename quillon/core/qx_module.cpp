#include "qx_module.h"

#include <cmath>

#include "almacor/calendar.h"
#include "almacor/constants.h"
#include "almacor/eclipses.h"
#include "almacor/error.h"
#include "almacor/moon.h"
#include "almacor/sun.h"

namespace quillon {
namespace {

using almacor::Calendar;
using almacor::Date;

// The limits are the stored date values of the instants in dynamical time (the fraction is the
// time of day also before 1899-12-30); DateToDays turns them into continuous day counts.
constexpr double kFirstNewMoon = -657408.1091203704;         // 0100-01-27 02:37:08 TD
constexpr double kLastNewMoon = 2958464.7875925926;          // 9999-12-30 18:54:08 TD
constexpr double kFirstFullMoon = -657423.9780671296;        // 0100-01-12 23:28:25 TD
constexpr double kLastFullMoon = 2958450.7866203706;         // 9999-12-16 18:52:44 TD
constexpr double kLowestBackwardStart = -657405.5305902777;  // 0100-01-30 12:44:03
constexpr double kHighestForwardStart = 2958436.4694097224;  // 9999-12-02 11:15:57

// A search iterates at most twice in practice (the event nearest the start, then one month on).
constexpr int kMaxSyzygySteps = 64;
// Eclipses come at least every six lunations; this many candidates means something is wrong.
constexpr int kMaxEclipseCandidates = 1000;

// b − a in whole seconds, each instant taken to the nearest second.
long long SecondsBetween(double a, double b) {
  return std::llround(b * 86400.0) - std::llround(a * 86400.0);
}

double AddSeconds(double days, double seconds) { return days + seconds / 86400.0; }

}  // namespace

SearchCommand MenuSearchCommand(int k, bool eclipseMenu) {
  if (k < 0 || k > 4 || k == 2) {
    throw almacor::Error(almacor::kInvalidArgument, "no search menu item " + std::to_string(k));
  }
  const bool full = k > 2;
  SearchCommand command;
  command.previous = k % 3 == 0;
  if (eclipseMenu) {
    command.kind = full ? SearchKind::LunarEclipse : SearchKind::SolarEclipse;
  } else {
    command.kind = full ? SearchKind::FullMoon : SearchKind::NewMoon;
  }
  return command;
}

EventRange RangeOf(SearchKind kind) {
  using almacor::DateToDays;
  switch (kind) {
    case SearchKind::NewMoon:
      return {DateToDays(kFirstNewMoon), DateToDays(kLastNewMoon)};
    case SearchKind::FullMoon:
      return {DateToDays(kFirstFullMoon), DateToDays(kLastFullMoon)};
    case SearchKind::SolarEclipse:
    case SearchKind::LunarEclipse: {
      const almacor::EclipseSpan span =
          almacor::EclipseSearchRange(kind == SearchKind::LunarEclipse);
      return {span.first, span.last};
    }
  }
  throw almacor::Error(almacor::kInvalidArgument, "unknown search kind");
}

double LowestBackwardStart() { return almacor::DateToDays(kLowestBackwardStart); }
double HighestForwardStart() { return almacor::DateToDays(kHighestForwardStart); }

double DynamicalOffsetSeconds(const Calendar& calendar) {
  return calendar.DeltaT() - 3600.0 * static_cast<double>(calendar.TimeZone());
}

double CurrentDynamicalDays(const Calendar& calendar) {
  const double o = DynamicalOffsetSeconds(calendar);
  const double upper = almacor::DateToDays(kLastNewMoon);
  const double now = calendar.Instant();
  return AddSeconds(upper, -o) >= now ? AddSeconds(now, o) : upper;
}

bool SearchEnabled(const Calendar& calendar, SearchCommand command) {
  const double t = CurrentDynamicalDays(calendar);
  const EventRange range = RangeOf(command.kind);
  return command.previous ? SecondsBetween(range.first, t) > 1 : SecondsBetween(range.last, t) < -1;
}

double FindSyzygyDays(double date, bool full, bool previous, double offsetSeconds,
                      const ElongationSolver& calcDate) {
  const EventRange range = RangeOf(full ? SearchKind::FullMoon : SearchKind::NewMoon);
  const double upper = almacor::DateToDays(kLastNewMoon);
  const double u =
      AddSeconds(upper, -offsetSeconds) >= date ? AddSeconds(date, offsetSeconds) : upper;

  // Looking back from beyond the last event, or ahead from before the first, the limiting event is
  // the answer: the ephemeris is not asked outside the range.
  if (previous && SecondsBetween(range.last, u) > 1) return AddSeconds(range.last, -offsetSeconds);
  if (!previous && SecondsBetween(range.first, u) < -1) {
    return AddSeconds(range.first, -offsetSeconds);
  }

  const double elongation = full ? 180.0 : 0.0;
  double t = date;
  for (int step = 0; step < kMaxSyzygySteps; ++step) {
    t = calcDate(elongation, t);
    const long long d = SecondsBetween(t, date);  // date − t
    if (previous ? d > 1 : d < -1) return t;
    // The event found is the one at `date` (or on the wrong side): step a month on, unless the step
    // would leave the date range; then the event at that bound is the answer.
    if (previous) {
      if (t < LowestBackwardStart()) return AddSeconds(range.first, -offsetSeconds);
      t -= almacor::kSynodicMonth;
    } else {
      if (t > HighestForwardStart()) return AddSeconds(range.last, -offsetSeconds);
      t += almacor::kSynodicMonth;
    }
  }
  throw almacor::Error(almacor::kOverflow, "the new- and full-moon search did not converge");
}

Date FindSyzygy(Calendar& calendar, Date date, bool full, bool previous) {
  almacor::MoonObject& moon = calendar.Moon();
  const ElongationSolver calcDate = [&moon](double elongation, double start) {
    return moon.CalcDate(elongation, Date::FromDays(start)).Days();
  };
  return Date::FromDays(
      FindSyzygyDays(date.Days(), full, previous, DynamicalOffsetSeconds(calendar), calcDate));
}

bool EclipseCondition(const Calendar& calendar, bool lunar) {
  const almacor::MoonObject& moon = calendar.Moon();
  const almacor::SunObject& sun = calendar.Sun();
  return almacor::IsEclipse(
      {moon.Latitude(), moon.Radius(), moon.Distance(), sun.Radius(), sun.Distance()}, lunar);
}

std::optional<Date> FindEclipse(Calendar& calendar, bool lunar, bool previous) {
  Date d = calendar.DateTime();
  for (int candidate = 0; candidate < kMaxEclipseCandidates; ++candidate) {
    const Date next = FindSyzygy(calendar, d, lunar, previous);
    // At the end of the range the syzygy search returns the same bound event again.
    if (std::llabs(SecondsBetween(d.Days(), next.Days())) <= 1) return std::nullopt;
    d = next;
    calendar.SetDateTime(d);
    if (EclipseCondition(calendar, lunar)) return d;
  }
  throw almacor::Error(almacor::kOverflow, "the eclipse search did not converge");
}

std::optional<Date> RunSearch(Calendar& calendar, SearchCommand command) {
  if (!SearchEnabled(calendar, command)) return std::nullopt;
  switch (command.kind) {
    case SearchKind::NewMoon:
    case SearchKind::FullMoon: {
      const Date found = FindSyzygy(calendar, calendar.DateTime(),
                                    command.kind == SearchKind::FullMoon, command.previous);
      calendar.SetDateTime(found);
      return found;
    }
    case SearchKind::SolarEclipse:
    case SearchKind::LunarEclipse: {
      const Date start = calendar.DateTime();
      const std::optional<Date> found =
          FindEclipse(calendar, command.kind == SearchKind::LunarEclipse, command.previous);
      if (!found) calendar.SetDateTime(start);
      return found;
    }
  }
  return std::nullopt;
}

}  // namespace quillon
