#pragma once

// The rise, set and culmination of a body that moves among the stars (the Moon, a planet), solved
// by its hour angle: from local noon of the day, each pass computes the body's place at the current
// estimate, the hour angle at which it reaches its horizon altitude (0, the meridian, for the
// culmination), and steps by the remaining hour-angle difference over the body's mean hour-angle
// rate, until a step is under one second. The result is the event nearest to noon in hour angle,
// which may fall on the previous or next civil day.

#include <cmath>

#include "almacor/angles.h"
#include "almacor/settings.h"
#include "almacor/timescales.h"
#include "engine/of_date.h"
#include "ephemeris/iterate.h"

namespace almacor::detail {

enum class HourAngleEventKind { kRise, kSet, kCulmination };

/// The body's place at one pass, degrees. `horizonAltitude` is the geocentric altitude of its
/// centre at rise and set (refraction, dip and parallax included); a culmination leaves it unread.
/// `years` (T of YearsSinceEpoch) and `obliquity` (the true obliquity) are those the place was
/// computed with, for the pass's sidereal time.
struct HourAnglePlace {
  double ascension;
  double declination;
  double horizonAltitude;
  double years;
  double obliquity;
};

struct HourAngleEvent {
  double time;         ///< local day count
  double declination;  ///< the body's declination at the last pass, degrees
  double hourAngle;    ///< the last target hour angle found, degrees; 0 (the meridian) until then
};

/// Solves one event of the day of d0. `place(d, forHorizon)` gives the body's HourAnglePlace at
/// local day count d (its horizonAltitude only when forHorizon). `rate` is the body's mean
/// hour-angle rate, degrees per day. A rise or set that does not occur takes the culmination time
/// `culmination`: itself when the body stays below the horizon all day, 12 hours later (earlier on
/// the last day of the Date range) when it stays above. `what` names the iteration in the error it
/// raises if it does not converge.
template <class Place>
HourAngleEvent SolveHourAngleEvent(HourAngleEventKind kind, double d0, double culmination,
                                   double rate, const Settings& s, Place place, const char* what) {
  const double phi = s.observer.latitude;
  const double sinPhi = std::sin(phi * kRad), cosPhi = std::cos(phi * kRad);
  HourAngleEvent event{std::floor(d0) + 0.5, 0, 0};
  IterateToOneSecond(
      [&] {
        const HourAnglePlace p = place(event.time, kind != HourAngleEventKind::kCulmination);
        const double delta = p.declination;
        event.declination = delta;
        double hour = 0;
        if (kind != HourAngleEventKind::kCulmination) {
          const double c = (std::sin(p.horizonAltitude * kRad) - sinPhi * std::sin(delta * kRad)) /
                           (cosPhi * std::cos(delta * kRad));
          if (c < -1) {  // above the horizon all day
            // On the last day a Date can hold the substitute steps back instead of forward.
            event.time =
                std::floor(culmination) >= kLastDay ? culmination - 0.5 : culmination + 0.5;
            return 0.0;
          }
          if (c > 1) {  // below the horizon all day
            event.time = culmination;
            return 0.0;
          }
          hour = DegAcos(c);
          if (kind == HourAngleEventKind::kRise) hour = -hour;
          event.hourAngle = hour;
        }
        const double theta = SiderealTimeOf(event.time, LocalApparent, s, p.years, p.obliquity);
        double step = hour - (theta - p.ascension);
        if (step >= 180) {
          step -= 360;
        } else if (step <= -180) {
          step += 360;
        }
        step /= rate;
        event.time += step;
        return step;
      },
      what);
  return event;
}

/// Geocentric altitude on the meridian of a body at declination `delta` seen from latitude `phi`,
/// degrees.
inline double MeridianAltitude(double delta, double phi) {
  return DegAsin(std::cos(phi * kRad) * std::cos(delta * kRad) +
                 std::sin(phi * kRad) * std::sin(delta * kRad));
}

}  // namespace almacor::detail
