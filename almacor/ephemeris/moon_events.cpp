#include <cmath>

#include "almacor/angles.h"
#include "almacor/error.h"
#include "almacor/moon.h"
#include "almacor/timescales.h"
#include "engine/of_date.h"
#include "ephemeris/hour_angle_event.h"
#include "ephemeris/moon_series_eval.h"

namespace almacor {
namespace {

// The Moon's mean hour-angle rate relative to the Sun's day, degrees per day: converts an
// hour-angle error into a time step.
constexpr double kHourAngleRate = 347.8;

}  // namespace

BodyEvent CalcMoonEvent(MoonEventCode code, double d0, const Settings& s, double culminationTime) {
  RequireFinite(d0, "day count");
  RequireFinite(culminationTime, "culmination time");
  if (code != kMoonRise && code != kMoonSet && code != kMoonCulmination) {
    throw Error(kInvalidArgument, "unknown lunar event code");
  }
  const double latitude = s.observer.latitude;
  RequireFinite(latitude, "observer latitude");
  // A negative height has no dip; it is refused rather than turned into a NaN time.
  if (!(s.observer.height >= 0) || !std::isfinite(s.observer.height)) {
    throw Error(kInvalidArgument, "observer height must be a finite number >= 0");
  }
  const double dip = HorizonDip(s.observer.height);
  const detail::HourAngleEventKind kind = code == kMoonRise ? detail::HourAngleEventKind::kRise
                                          : code == kMoonSet
                                              ? detail::HourAngleEventKind::kSet
                                              : detail::HourAngleEventKind::kCulmination;
  const detail::HourAngleEvent event = detail::SolveHourAngleEvent(
      kind, d0, culminationTime, kHourAngleRate, s,
      [&](double d, bool forHorizon) {
        const double t = YearsSinceEpoch(d, false, s.time);
        const detail::MoonEclipticSeriesValue e = detail::MoonEclipticSeries(t);
        const double epsilon = detail::TrueObliquityAtYears(t);
        const detail::EquatorialPlace q =
            detail::EclipticToEquatorial(e.longitude, e.latitude, epsilon);
        detail::HourAnglePlace place{q.ascension, q.declination, 0, t, epsilon};
        if (forHorizon) {
          place.horizonAltitude = detail::MoonParallaxSeries(t) - dip - kHorizonRefraction;
        }
        return place;
      },
      "lunar event iteration");

  if (code == kMoonCulmination) {
    const double altitudeG = detail::MeridianAltitude(event.declination, latitude);
    const double altitudeT =
        TopocentricAltitude(altitudeG, std::sin(MoonParallaxAt(event.time, s.time) * kRad));
    return {event.time, altitudeT + Refraction(altitudeT)};
  }
  return {event.time, HourAngleToHorizontal(event.hourAngle, event.declination, latitude).azimuth};
}

RiseTransitSet CalcMoonEvents(double d, const Settings& s) {
  RiseTransitSet events;
  events.culmination = CalcMoonEvent(kMoonCulmination, d, s);
  events.rise = CalcMoonEvent(kMoonRise, d, s, events.culmination.time);
  events.set = CalcMoonEvent(kMoonSet, d, s, events.culmination.time);
  return events;
}

}  // namespace almacor
