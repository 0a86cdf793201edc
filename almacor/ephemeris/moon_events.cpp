#include <cmath>

#include "almacor/angles.h"
#include "almacor/error.h"
#include "almacor/moon.h"
#include "almacor/timescales.h"
#include "ephemeris/iterate.h"
#include "ephemeris/moon_series_eval.h"

namespace almacor {
namespace {

// The Moon's mean hour-angle rate relative to the Sun's day, degrees per day: converts an
// hour-angle error into a time step.
constexpr double kHourAngleRate = 347.8;
// Horizontal refraction at the horizon, 35′08″.
constexpr double kHorizonRefraction = 0.5855555555555556;
// Dip of the horizon per √metre of observer height: 2.12′.
constexpr double kDipFactor = 0.035333333333333335;
// Floor of the day count of 9999-12-31, the last day a Date can hold.
constexpr double kLastDay = 2958465;

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
  const double dip = kDipFactor * std::sqrt(s.observer.height);
  const double sinPhi = std::sin(latitude * kRad), cosPhi = std::cos(latitude * kRad);

  double d = std::floor(d0) + 0.5;
  double delta = 0;       // declination of the last pass
  double targetHour = 0;  // target hour angle of the last pass that had one
  detail::IterateToOneSecond(
      [&] {
        const double t = YearsSinceEpoch(d, false, s.time);
        const double lambda = detail::MoonLongitudeSeries(t);
        const double beta = detail::MoonLatitudeSeries(t);
        const double epsilon = TrueObliquity(d, s.time);
        const double alpha = EclipticToAscension(lambda, beta, epsilon);
        delta = EclipticToDeclination(lambda, beta, epsilon);
        double hour = 0;
        if (code != kMoonCulmination) {
          const double h0 = detail::MoonParallaxSeries(t) - dip - kHorizonRefraction;
          const double c = (std::sin(h0 * kRad) - sinPhi * std::sin(delta * kRad)) /
                           (cosPhi * std::cos(delta * kRad));
          if (c < -1) {  // above the horizon all day
            d = std::floor(culminationTime) >= kLastDay ? culminationTime - 0.5
                                                        : culminationTime + 0.5;
            return 0.0;
          }
          if (c > 1) {  // below the horizon all day
            d = culminationTime;
            return 0.0;
          }
          hour = DegAcos(c);
          if (code == kMoonRise) hour = -hour;
          targetHour = hour;
        }
        double step = hour - (CalcSiderealTime(d, LocalApparent, s) - alpha);
        if (step >= 180) {
          step -= 360;
        } else if (step <= -180) {
          step += 360;
        }
        step /= kHourAngleRate;
        d += step;
        return step;
      },
      "lunar event iteration");

  if (code == kMoonCulmination) {
    const double altitudeG =
        DegAsin(cosPhi * std::cos(delta * kRad) + sinPhi * std::sin(delta * kRad));
    const double altitudeT =
        TopocentricAltitude(altitudeG, std::sin(MoonParallaxAt(d, s.time) * kRad));
    return {d, altitudeT + Refraction(altitudeT)};
  }
  return {d, HourAngleToHorizontal(targetHour, delta, latitude).azimuth};
}

RiseTransitSet CalcMoonEvents(double d, const Settings& s) {
  RiseTransitSet events;
  events.culmination = CalcMoonEvent(kMoonCulmination, d, s);
  events.rise = CalcMoonEvent(kMoonRise, d, s, events.culmination.time);
  events.set = CalcMoonEvent(kMoonSet, d, s, events.culmination.time);
  return events;
}

}  // namespace almacor
