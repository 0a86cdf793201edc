#pragma once

#include "almacor/settings.h"

namespace almacor {

/// Selects the sidereal time: bit 1 = apparent (with nutation), bit 2 = local (with longitude).
enum SiderealTimeConstant : int {
  GreenwichMean = 0,
  GreenwichApparent = 1,
  LocalMean = 2,
  LocalApparent = 3,
};

/// Day counts used below: d is the local linear day count (days since 1899-12-30 00:00 local civil
/// time); u = d − timeZone/24 is the same instant in Universal Time.

/// Universal Time day count of a local day count.
inline double UniversalDays(double d, const TimeScale& ts) {
  return d - static_cast<double>(ts.timeZone) / 24.0;
}

/// ΔT in seconds at UT day count u: the stored value when not estimated; before 2010-01-01 a
/// cubic Hermite interpolation of tabulated values from the year 50 (extrapolated before it),
/// after it a closed formula.
double EstimateDeltaT(double u, const TimeScale& ts);

/// Julian years of 365.25 days of dynamical time since J2000.0 (day count 36526.5), or since
/// 1974-12-31 00:00 (day count 27394) when `saturnEpoch` is true.
double YearsSinceEpoch(double d, bool saturnEpoch, const TimeScale& ts);

/// Julian day (UT) of local day count d.
inline double JulianDayOf(double d, const TimeScale& ts) {
  return UniversalDays(d, ts) + 0.5 + 2415018.0;
}

/// Julian day in dynamical time of local day count d.
double JulianDayTDOf(double d, const TimeScale& ts);

/// Sidereal time in degrees, 0 <= θ < 360, of local day count d.
double CalcSiderealTime(double d, SiderealTimeConstant kind, const Settings& s);

}  // namespace almacor
