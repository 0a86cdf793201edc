#pragma once

// The search over syzygies shared by the eclipse searches: the mean new moons (or full moons) are
// stepped through in the search's direction; those whose Moon lies far from a node are passed
// over from the mean argument of latitude F, the others solved to the true syzygy and examined.

#include <cmath>
#include <initializer_list>
#include <optional>

#include "almacor/error.h"
#include "almacor/moon.h"
#include "almacor/phenomena.h"
#include "almacor/settings.h"
#include "almacor/timescales.h"
#include "ephemeris/iterate.h"
#include "phenomena/frozen_delta_t.h"

namespace almacor::detail {

/// The mean lunation, as the mean-phase polynomial of Meeus (Astronomical Algorithms, 2nd ed.,
/// ch. 49) gives it: Julian day (dynamical time) of mean new moon 0 (2000-01-06) and the step per
/// lunation, days (the polynomial's own coefficient, finer than kSynodicMonth, which the program's
/// searches step by); the Moon's mean argument of latitude at that new moon and its growth per
/// lunation, degrees.
inline constexpr double kMeanNewMoonJd = 2451550.09766;
inline constexpr double kMeanSynodicMonth = 29.530588861;
inline constexpr double kArgumentOfLatitudeAtNewMoon = 160.7108;
inline constexpr double kArgumentOfLatitudePerLunation = 390.67050284;
/// At a mean syzygy with |sin F| above this the Moon is more than 23.6° of latitude-argument from
/// its node: no eclipse of either kind (the widest, a penumbral lunar eclipse, needs about 17°
/// at the true syzygy, which lies within 8° of F of the mean one).
inline constexpr double kEclipseSinLimit = 0.40;
/// An eclipse of either kind needs the Moon within this ecliptic latitude at the syzygy, degrees:
/// the largest sum of the Moon's and the Sun's semi-diameters and the Moon's parallax (a solar
/// eclipse), or of the Moon's semi-diameter and the enlarged penumbra (a lunar one), is 1.59°.
inline constexpr double kEclipseLatitudeLimit = 1.7;
/// Far more lunations than lie between two eclipses of a kind (at most six months).
inline constexpr int kMaxLunations = 100;

/// Examines the syzygies (new moons, or full moons when `full`) from `start` in `direction` and
/// returns the first event examine(syzygy, s) gives whose time(event) lies at least one second
/// past `start` in that direction; `s` holds ΔT fixed at the syzygy.
template <class Examine, class TimeOf>
auto SearchSyzygies(double start, SearchDirection direction, bool full, const Settings& settings,
                    Examine examine, TimeOf timeOf) {
  const TimeScale& ts = settings.time;
  RequireFinite(start, "day count");
  const double offset = full ? 0.5 : 0.0;
  const double jd = JulianDayOf(start, ts);  // UT, near enough dynamical time for the mean phases
  const double k0 = std::floor((jd - kMeanNewMoonJd) / kMeanSynodicMonth);
  const bool next = direction == SearchDirection::Next;
  for (int i = 0; i < kMaxLunations; ++i) {
    const double k = (next ? k0 - 1 + i : k0 + 1 - i) + offset;
    const double f = (kArgumentOfLatitudeAtNewMoon + kArgumentOfLatitudePerLunation * k) * kRad;
    if (std::fabs(std::sin(f)) > kEclipseSinLimit) continue;
    const double meanDay = start + (kMeanNewMoonJd + kMeanSynodicMonth * k - jd);
    const Settings frozen = FrozenDeltaT(meanDay, settings);
    const double syzygy = SolveMoonElongation(full ? 180 : 0, meanDay, frozen.time);
    if (std::fabs(MoonLatitudeAt(syzygy, frozen.time)) > kEclipseLatitudeLimit) continue;
    if (const auto event = examine(syzygy, frozen)) {
      const double t = timeOf(*event);
      if (next ? t - start >= kOneSecond : start - t >= kOneSecond) return *event;
    }
  }
  throw Error(kOverflow, "eclipse search found no eclipse");
}

/// Whether a body is above the horizon at some instant of [from, to]: `above` is true at one of
/// the instants `known` (inside the span, already computed) or at a sample every half hour.
/// `altitudeAt` gives the apparent altitude at a local day count, degrees.
template <class AltitudeAt>
bool AboveHorizonWithin(double from, double to, std::initializer_list<double> known,
                        AltitudeAt altitudeAt) {
  for (const double altitude : known) {
    if (altitude > 0) return true;
  }
  constexpr double kStep = 1.0 / 48;
  for (double d = from + kStep; d < to; d += kStep) {
    if (altitudeAt(d) > 0) return true;
  }
  return false;
}

/// A contact of an eclipse: the local day count where excess(d), the distance of two centres less
/// the sum or difference of their radii (degrees), passes 0, on the side `direction` (−1 before,
/// +1 after) of `maximum`, where the excess is negative. `halfDuration` (days) is the estimate of
/// the linear motion; the bracket grows from a quarter beyond it until the excess is positive.
template <class Excess>
double SolveContact(Excess excess, double maximum, double halfDuration, double direction) {
  // The linear estimate is good to a few percent: first a narrow bracket around it.
  const double estimate = maximum + direction * halfDuration;
  const double margin = 0.05 * halfDuration + 0.001;
  const double inside = estimate - direction * margin, outside = estimate + direction * margin;
  if ((inside - maximum) * direction > 0 && excess(inside) < 0 && excess(outside) > 0) {
    return SolveBracketed(excess, inside, outside, "eclipse contact");
  }
  double width = halfDuration * 1.25 + 0.005;
  for (int i = 0; excess(maximum + direction * width) <= 0; ++i) {
    if (i > 8) throw Error(kOverflow, "eclipse contact not bracketed");
    width *= 2;
  }
  return SolveBracketed(excess, maximum, maximum + direction * width, "eclipse contact");
}

}  // namespace almacor::detail
