#pragma once

// The search over syzygies shared by the eclipse searches: the mean new moons (or full moons) are
// stepped through in the search's direction; those whose Moon lies far from a node are passed
// over from the mean argument of latitude F, the others solved to the true syzygy and examined.

#include <cmath>
#include <optional>

#include "almacor/error.h"
#include "almacor/moon.h"
#include "almacor/phenomena.h"
#include "almacor/settings.h"
#include "ephemeris/iterate.h"

namespace almacor::detail {

/// The mean lunation: Julian day (dynamical time) of mean new moon 0 (2000-01-06) and the mean
/// synodic month, days; the Moon's mean argument of latitude at that new moon and its growth per
/// lunation, degrees.
inline constexpr double kMeanNewMoonJd = 2451550.09766;
inline constexpr double kMeanSynodicMonth = 29.530588861;
inline constexpr double kArgumentOfLatitudeAtNewMoon = 160.7108;
inline constexpr double kArgumentOfLatitudePerLunation = 390.67050284;
/// At a mean syzygy with |sin F| above this the Moon is more than 23.6° of latitude-argument from
/// its node: no eclipse of either kind (the widest, a penumbral lunar eclipse, needs about 17°
/// at the true syzygy, which lies within 8° of F of the mean one).
inline constexpr double kEclipseSinLimit = 0.40;
/// Julian day of local day count 0 in Universal Time.
inline constexpr double kJulianDayOfDayZero = 2415018.5;
/// Far more lunations than lie between two eclipses of a kind (at most six months).
inline constexpr int kMaxLunations = 100;

/// Examines the syzygies (new moons, or full moons when `full`) from `start` in `direction` and
/// returns the first event examine(syzygy) gives whose time(event) lies at least one second past
/// `start` in that direction.
template <class Examine, class TimeOf>
auto SearchSyzygies(double start, SearchDirection direction, bool full, const TimeScale& ts,
                    Examine examine, TimeOf timeOf) {
  RequireFinite(start, "day count");
  const double offset = full ? 0.5 : 0.0;
  const double jd = start - static_cast<double>(ts.timeZone) / 24 + kJulianDayOfDayZero;
  const double k0 = std::floor((jd - kMeanNewMoonJd) / kMeanSynodicMonth);
  const bool next = direction == SearchDirection::Next;
  for (int i = 0; i < kMaxLunations; ++i) {
    const double k = (next ? k0 - 1 + i : k0 + 1 - i) + offset;
    const double f = (kArgumentOfLatitudeAtNewMoon + kArgumentOfLatitudePerLunation * k) * kRad;
    if (std::fabs(std::sin(f)) > kEclipseSinLimit) continue;
    const double meanDay = kMeanNewMoonJd + kMeanSynodicMonth * k - kJulianDayOfDayZero +
                           static_cast<double>(ts.timeZone) / 24;
    const double syzygy = SolveMoonElongation(full ? 180 : 0, meanDay, ts);
    if (const auto event = examine(syzygy)) {
      const double t = timeOf(*event);
      if (next ? t - start >= kOneSecond : start - t >= kOneSecond) return *event;
    }
  }
  throw Error(kOverflow, "eclipse search found no eclipse");
}

/// The highest apparent altitude of a body over [from, to], degrees, from samples every quarter
/// of an hour and at both ends; `altitudeAt` gives the altitude at a local day count.
template <class AltitudeAt>
double HighestAltitude(double from, double to, AltitudeAt altitudeAt) {
  constexpr double kStep = 1.0 / 96;
  double highest = altitudeAt(to);
  for (double d = from; d < to; d += kStep) highest = std::fmax(highest, altitudeAt(d));
  return highest;
}

/// A contact of an eclipse: the local day count where excess(d), the distance of two centres less
/// the sum or difference of their radii (degrees), passes 0, on the side `direction` (−1 before,
/// +1 after) of `maximum`, where the excess is negative. `halfDuration` (days) is the estimate of
/// the linear motion; the bracket grows from a quarter beyond it until the excess is positive.
template <class Excess>
double SolveContact(Excess excess, double maximum, double halfDuration, double direction) {
  double width = halfDuration * 1.25 + 0.005;
  for (int i = 0; excess(maximum + direction * width) <= 0; ++i) {
    if (i > 8) throw Error(kOverflow, "eclipse contact not bracketed");
    width *= 2;
  }
  return SolveBracketed(excess, maximum, maximum + direction * width, "eclipse contact");
}

}  // namespace almacor::detail
