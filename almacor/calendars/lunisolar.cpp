// The Japanese lunisolar calendar (旧暦). Months begin on the local civil day of a new moon; the
// principal terms (中気) number them, with the spring equinox, summer solstice, autumn equinox and
// winter solstice fixed in months 2, 5, 8 and 11; a leap month is inserted only in a year of
// thirteen lunations, at the first lunation after the winter solstice that holds no principal term.
// All day comparisons are on local civil days (Floor of local day counts) of the library-wide time
// zone, so the traditional Japanese calendar needs a time zone of +9 hours.

#include <array>
#include <cmath>

#include "almacor/calendars.h"
#include "almacor/date.h"
#include "almacor/error.h"
#include "almacor/moon.h"
#include "almacor/sun.h"
#include "calendars/solved_days.h"

namespace almacor {
namespace {

using Lunation = LunisolarCache::Lunation;

constexpr int kMaxLunations = 15;

struct SolsticeSpan {
  double previous;  // the winter solstice on or before the instant
  double next;      // the one after it
};

// The two winter solstices around d.
SolsticeSpan FindSolsticeSpan(double d, const TimeScale& ts) {
  const double s = SolveSunLongitude(270, d, ts);
  if (s > d) return {SolveSunLongitude(270, s - kTropicalYear, ts), s};
  return {s, SolveSunLongitude(270, s + kTropicalYear, ts)};
}

// The new moons from the one on or before the end of the first solstice's day to the first one
// whose day is later than the second solstice's day: 14 or 15 of them.
void SolveNewMoons(const SolsticeSpan& span, const TimeScale& ts, LunisolarCache& year) {
  year.months[0].time = PreviousNewMoon(Day(span.previous) + 0.99999, ts);
  for (int i = 1;; ++i) {
    if (i >= kMaxLunations) {
      throw Error(kOverflow, "more than 15 new moons between two winter solstices");
    }
    year.months[i].time = SolveMoonElongation(0, year.months[i - 1].time + kSynodicMonth, ts);
    if (Day(year.months[i].time) > Day(span.next)) {
      year.count = i + 1;
      return;
    }
  }
}

// terms[0] is the solstice; terms[1..12] the principal terms at 300°, 330°, 0°, … 270°, each solved
// from the one before it.
void SolvePrincipalTerms(const SolsticeSpan& span, const TimeScale& ts, LunisolarCache& year) {
  year.terms[0] = span.previous;
  for (int j = 1; j <= 12; ++j) {
    const double longitude = std::fmod(270.0 + 30.0 * j, 360.0);
    year.terms[j] = SolveSunLongitude(longitude, year.terms[j - 1], ts);
  }
}

// Month numbers and the leap month of the lunations of one year.
void NumberMonths(LunisolarCache& year) {
  std::array<Lunation, kMaxLunations>& months = year.months;
  const std::array<double, 13>& terms = year.terms;
  const int count = year.count;
  auto dayOf = [&](int k) { return Day(months[k].time); };

  for (Lunation& lunation : months) {
    lunation.month = 0;
    lunation.leap = false;
  }
  // Anchors: the lunations holding the solstices and equinoxes get months 11, 2, 5, 8, 11. A term
  // on the day of a new moon belongs to the month that begins that day.
  months[0].month = 11;
  std::array<int, 5> anchors{};
  for (int q = 1; q <= 4; ++q) {
    const int v = 3 * q;
    const double termDay = Day(terms[v]);
    bool found = false;
    for (int k = anchors[q - 1]; k + 1 <= count - 1; ++k) {
      if (dayOf(k) <= termDay && dayOf(k + 1) > termDay) {
        months[k].month = static_cast<std::int16_t>(v - 1);
        months[k].leap = false;
        anchors[q] = k;
        found = true;
        break;
      }
    }
    if (!found) throw Error(kOverflow, "no lunation holds a solstice or equinox of the year");
  }

  // Between anchors, months count up; in a year of 13 lunations, the first span of four lunations
  // gets the leap month: the first of its lunations after the anchor that holds no principal term.
  // Here a term on the day of the new moon does not count as held ("strictly after the first day").
  bool pending = true;
  for (int w = 0; w < 4; ++w) {
    const int a = anchors[w];
    const int b = anchors[w + 1];
    bool leapHere = pending && b - a == 4 && count == kMaxLunations;
    for (int j = a + 1; j <= b; ++j) {
      if (j > a + 1 && leapHere) {
        const int t = 3 * w + (j - a - 1);  // 1..12, since j − a − 1 is 1..3 when b − a = 4
        const double termDay = Day(terms[t]);
        if (!(dayOf(j - 1) < termDay && termDay < dayOf(j))) {
          months[j - 1].month = months[j - 2].month;
          months[j - 1].leap = true;
          leapHere = false;
          pending = false;
        }
      }
      if (j < b) {
        months[j].month = static_cast<std::int16_t>(months[j - 1].month % 12 + 1);
        months[j].leap = false;
      }
    }
  }

  // Consistency: a non-leap month repeating its predecessor's number moves up one; one skipping a
  // number moves back one.
  int previous = 11;
  for (int j = 1; j <= count - 1; ++j) {
    int n = months[j].month;
    const int step = n - previous;
    if (step == 0) {
      if (!months[j].leap) {
        n = n + 1;
        months[j].month = static_cast<std::int16_t>(n);
        previous = n;
      }
    } else if (step == 1 || step == -11) {
      previous = n;
    } else if (step == 2 || step == -10) {
      n = n - 1;
      if (n == 0) n = 12;
      months[j].month = static_cast<std::int16_t>(n);
      previous = n;
    }
  }
}

bool SameTimeScale(const TimeScale& a, const TimeScale& b) {
  return a.timeZone == b.timeZone && a.deltaTEstimated == b.deltaTEstimated && a.deltaT == b.deltaT;
}

bool YearClearOfMidnight(const LunisolarCache& year) {
  if (!ClearOfMidnight(year.previousSolstice) || !ClearOfMidnight(year.nextSolstice)) return false;
  for (int j = 1; j <= 12; ++j) {
    if (!ClearOfMidnight(year.terms[j])) return false;
  }
  return true;
}

// Brings `year` to the lunisolar year of d. The new moons depend only on the days of the two
// solstices and the settings; the terms on the exact first solstice, but their days cannot differ
// for another start of the solver when every one of them lies clear of midnight.
void RefreshYear(double d, const TimeScale& ts, LunisolarCache& year) {
  const bool sameSettings = year.valid && SameTimeScale(year.ts, ts);
  if (sameSettings && year.clearOfMidnight && d >= year.previousSolstice + kMidnightMargin &&
      d < year.nextSolstice - kMidnightMargin) {
    return;  // solving the solstices from d would find these two passages again
  }
  const SolsticeSpan span = FindSolsticeSpan(d, ts);
  const bool sameDays = sameSettings && Day(span.previous) == Day(year.previousSolstice) &&
                        Day(span.next) == Day(year.nextSolstice);
  if (sameDays && year.clearOfMidnight) return;

  year.valid = false;  // stays false if a solver raises below
  if (!sameDays) SolveNewMoons(span, ts, year);
  SolvePrincipalTerms(span, ts, year);
  NumberMonths(year);
  year.ts = ts;
  year.previousSolstice = span.previous;
  year.nextSolstice = span.next;
  year.clearOfMidnight = YearClearOfMidnight(year);
  year.valid = true;
}

}  // namespace

LunisolarDate CalcLunisolar(double d, const TimeScale& ts, LunisolarCache& cache) {
  RequireFinite(d, "day count");
  RefreshYear(d, ts, cache);

  // The lunation of d: the last one whose first day is not after the day of d.
  const double today = Day(d);
  int k = -1;
  for (int i = 0; i < cache.count; ++i) {
    const double first = Day(cache.months[i].time);
    if (first > today) {
      k = i - 1;
      break;
    }
    if (first == today) {
      k = i;
      break;
    }
  }
  if (k < 0 || k + 1 >= cache.count) {
    throw Error(kOverflow, "the day lies outside the lunations of its lunisolar year");
  }

  const Lunation& month = cache.months[k];
  LunisolarDate result;
  result.month = month.month;
  result.leap = month.leap;
  result.day = static_cast<std::int16_t>(today - Day(month.time) + 1);
  result.dayOfMonth = static_cast<std::int16_t>(Day(cache.months[k + 1].time) - Day(month.time));
  // A civil January or February still in lunar month 11 or 12 belongs to the previous year.
  const CivilDate civil = DaysToCivilDate(d);
  result.year = static_cast<std::int16_t>(civil.month < result.month ? civil.year - 1 : civil.year);
  return result;
}

LunisolarDate CalcLunisolar(double d, const TimeScale& ts) {
  LunisolarCache fresh;
  return CalcLunisolar(d, ts, fresh);
}

}  // namespace almacor
