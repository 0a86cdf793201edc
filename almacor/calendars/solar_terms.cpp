// The solar-term calendar (節月): months begin on the day of a sectional term (節, the Sun at
// 315° + 30°·k, month 1 at 立春), the twenty-four terms every 15° from 立春, and the seventy-two
// climates every 5°. Every term is solved from the instant itself; all comparisons are between
// local civil days.

#include <cmath>

#include "almacor/angles.h"
#include "almacor/calendars.h"
#include "almacor/date.h"
#include "almacor/error.h"
#include "almacor/sun.h"
#include "calendars/basic_arithmetic.h"
#include "calendars/solved_days.h"

namespace almacor {
namespace {

struct SolarTermWork {
  SolarTermDate result;
  bool climateFound = false;
  bool clearOfMidnight = true;
};

// The 30° span [b, b + 30) that the Sun's longitude, rounded to a whole degree (halves to even),
// falls in; b is 0 … 360.
int SectionStart(double sunLongitude) { return 30 * IntDiv(sunLongitude, 30.0); }

SolarTermWork Solve(double d, int b, const TimeScale& ts) {
  SolarTermWork work;
  // The day of the passage of `longitude` (any multiple of 5, taken modulo 360) nearest to d.
  auto termDay = [&](int longitude) {
    const double t = SolveSunLongitude(Normalize360(longitude), d, ts);
    if (!ClearOfMidnight(t)) work.clearOfMidnight = false;
    return Day(t);
  };
  const double today = Day(d);
  const CivilDate civil = DaysToCivilDate(d);

  // The sectional term of the span, or the one before it while that is still to come.
  int c = b + 15;
  int month = b / 30 + 3;
  double sectionDay = termDay(c);
  if (sectionDay > today) {
    month -= 1;
    c = b - 15;
    sectionDay = termDay(c);
  }
  SolarTermDate& r = work.result;
  r.day = r.day24 = static_cast<std::int16_t>(today - sectionDay + 1);
  int month24 = 2 * month - 2;

  // The principal term after it, if it has come.
  int latest = c;
  const double principalDay = termDay(c + 15);
  if (principalDay <= today) {
    month24 += 1;
    r.day24 = static_cast<std::int16_t>(today - principalDay + 1);
    latest = c + 15;
  }
  if (month > 12) month -= 12;
  if (month24 > 23) month24 -= 24;
  r.month = static_cast<std::int16_t>(month);
  r.month24 = static_cast<std::int16_t>(month24);
  r.year = static_cast<std::int16_t>(civil.month < month ? civil.year - 1 : civil.year);

  // The climate: the first of the three 5° steps after the latest term that is still to come.
  for (int k = 1; k <= 3; ++k) {
    if (termDay(latest + 5 * k) > today) {
      r.climate72 = static_cast<std::int16_t>(3 * month24 + k - 1);
      work.climateFound = true;
      break;
    }
  }
  return work;
}

bool SameTimeScale(const TimeScale& a, const TimeScale& b) {
  return a.timeZone == b.timeZone && a.deltaTEstimated == b.deltaTEstimated && a.deltaT == b.deltaT;
}

}  // namespace

SolarTermDate CalcSolarTerms(double d, double sunLongitude, const TimeScale& ts,
                             const SolarTermDate& previous, SolarTermCache& cache) {
  RequireFinite(d, "day count");
  RequireFinite(sunLongitude, "solar longitude");
  const int b = SectionStart(sunLongitude);
  // Every term is solved from d, but the passage found is the same for any instant of the day,
  // and its day the same while it lies clear of midnight.
  const bool reusable = cache.valid && cache.clearOfMidnight && cache.day == Day(d) &&
                        cache.sectionStart == b && SameTimeScale(cache.ts, ts);
  if (!reusable) {
    cache.valid = false;
    const SolarTermWork work = Solve(d, b, ts);
    cache.ts = ts;
    cache.day = Day(d);
    cache.sectionStart = b;
    cache.clearOfMidnight = work.clearOfMidnight;
    cache.climateFound = work.climateFound;
    cache.result = work.result;
    cache.valid = true;
  }
  SolarTermDate result = cache.result;
  if (!cache.climateFound) result.climate72 = previous.climate72;
  return result;
}

SolarTermDate CalcSolarTerms(double d, double sunLongitude, const TimeScale& ts,
                             const SolarTermDate& previous) {
  SolarTermCache fresh;
  return CalcSolarTerms(d, sunLongitude, ts, previous, fresh);
}

}  // namespace almacor
