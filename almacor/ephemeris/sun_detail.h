#pragma once

#include "almacor/settings.h"
#include "almacor/sun.h"

namespace almacor::detail {

/// Raises Error 5 unless the observer lies within its ranges (|latitude| <= 90, |longitude| <= 180,
/// height >= 0 metres) and the time zone and ΔT are finite.
void RequireValidSettings(const Settings& s);

/// T of local day count d for the Sun's series (YearsSinceEpoch from J2000.0); raises Error 5 as
/// SunLongitudeAt does.
double SunSeriesYears(double d, const TimeScale& ts);
/// The Sun's apparent longitude, 0 <= λ < 360, and its distance in au at T.
double SunLongitudeOfYears(double t);
double SunDistanceOfYears(double t);

/// The equatorial place of the Sun at apparent longitude `lambda` (degrees) and local day count d.
SunEquatorial SunEquatorialOf(double lambda, double d, const TimeScale& ts);
/// The same at true obliquity `epsilon` (degrees).
SunEquatorial SunEquatorialOf(double lambda, double epsilon);

/// The horizontal place of the Sun at equatorial place `place` and distance `distance` (au) for
/// local day count d and the observer of `s`.
SunHorizontal SunHorizontalOf(const SunEquatorial& place, double distance, double d,
                              const Settings& s);

}  // namespace almacor::detail
