#include <cmath>
#include <optional>

#include "almacor/angles.h"
#include "almacor/error.h"
#include "almacor/sun.h"
#include "almacor/timescales.h"
#include "engine/of_date.h"
#include "ephemeris/iterate.h"
#include "ephemeris/sun_detail.h"

namespace almacor {
namespace {

bool IsEvening(SunEventCode code) { return (static_cast<int>(code) & 1) != 0; }

// Target altitude of the Sun's centre before the dip and the parallax, r the distance in au.
double TargetAltitude(SunEventCode code, double r) {
  switch (code) {
    case SunEventCode::Rise:
    case SunEventCode::Set:
      return -kSunSemiDiameterAu / r - kHorizonRefraction;
    case SunEventCode::Dawn:
    case SunEventCode::Dusk:
      return kDawnDuskAltitude;
    case SunEventCode::CivilTwilightR:
    case SunEventCode::CivilTwilightS:
      return -6;
    case SunEventCode::NauticalTwilightR:
    case SunEventCode::NauticalTwilightS:
      return -12;
    case SunEventCode::AstronomicalTwilightR:
    case SunEventCode::AstronomicalTwilightS:
      return -18;
    case SunEventCode::Culmination:
      break;
  }
  throw Error(kInvalidArgument, "unknown Sun event code");
}

// The events of one local civil day for one observer. The culmination is computed once, when the
// first event needs it (as itself or as the substitute of an event that does not occur).
class SunDay {
 public:
  SunDay(double d, const Settings& s)
      : s_(s),
        day_(std::floor(d)),
        sinPhi_(std::sin(s.observer.latitude * kRad)),
        cosPhi_(std::cos(s.observer.latitude * kRad)),
        dip_(HorizonDip(s.observer.height)) {}

  BodyEvent Culmination() {
    if (!culmination_) culmination_ = Solve(SunEventCode::Culmination);
    return *culmination_;
  }

  BodyEvent Event(SunEventCode code) {
    return code == SunEventCode::Culmination ? Culmination() : Solve(code);
  }

 private:
  // Iterates the time at which the Sun's hour angle reaches that of the event's altitude,
  // correcting by the remaining hour-angle difference at one turn per day.
  BodyEvent Solve(SunEventCode code) {
    const bool culmination = code == SunEventCode::Culmination;
    const bool evening = IsEvening(code);
    double t = day_ + (culmination ? 0.5 : evening ? 0.75 : 0.25);
    double hourAngle = 0;  // target hour angle H0, degrees
    double delta = 0;      // declination of the last pass
    detail::IterateToOneSecond(
        [&]() -> double {
          const double years = detail::SunSeriesYears(t, s_.time);
          const double epsilon = detail::TrueObliquityAtYears(years);
          const SunEquatorial place =
              detail::SunEquatorialOf(detail::SunLongitudeOfYears(years), epsilon);
          const double alpha = place.ascension;
          delta = place.declination;
          if (!culmination) {
            const double r = detail::SunDistanceOfYears(years);
            const double h0 = TargetAltitude(code, r) - dip_ + DegAsin(std::sin(kSolarParallaxRad) / r);
            const double x = (std::sin(h0 * kRad) - sinPhi_ * std::sin(delta * kRad)) /
                             (cosPhi_ * std::cos(delta * kRad));
            if (x < -1) {
              // Above the altitude all day: the lower culmination of the same date.
              t = Culmination().time + 0.5;
              if (std::floor(t) > day_) t -= 1;
              return 0;
            }
            if (x > 1) {
              // Below it all day: the culmination itself.
              t = Culmination().time;
              return 0;
            }
            hourAngle = evening ? DegAcos(x) : -DegAcos(x);
          }
          const double theta = detail::SiderealTimeOf(t, LocalApparent, s_, years, epsilon);
          double step = (hourAngle - (theta - alpha)) / 360;
          step -= std::floor(step);
          if (step > 0.5) step -= 1;
          t += step;
          return step;
        },
        "Sun event iteration");

    BodyEvent event{t, 0};
    if (culmination) {
      const double hc =
          DegAsin(cosPhi_ * std::cos(delta * kRad) + sinPhi_ * std::sin(delta * kRad));
      event.value = hc + Refraction(hc);
    } else if (code == SunEventCode::Rise || code == SunEventCode::Set) {
      event.value = HourAngleToHorizontal(hourAngle, delta, s_.observer.latitude).azimuth;
    }
    return event;
  }

  const Settings& s_;
  double day_;
  double sinPhi_, cosPhi_;
  double dip_;
  std::optional<BodyEvent> culmination_;
};

void RequireValidInput(double d, const Settings& s) {
  RequireFinite(d, "day count");
  detail::RequireValidSettings(s);
}

}  // namespace

SunEvents CalcSunEvents(double d, const Settings& s) {
  RequireValidInput(d, s);
  SunDay day(d, s);
  SunEvents e;
  // The culmination comes first: the others fall back on it when they do not occur.
  e.culmination = day.Culmination();
  e.rise = day.Event(SunEventCode::Rise);
  e.set = day.Event(SunEventCode::Set);
  e.dawn = day.Event(SunEventCode::Dawn);
  e.dusk = day.Event(SunEventCode::Dusk);
  e.civilTwilightR = day.Event(SunEventCode::CivilTwilightR);
  e.civilTwilightS = day.Event(SunEventCode::CivilTwilightS);
  e.nauticalTwilightR = day.Event(SunEventCode::NauticalTwilightR);
  e.nauticalTwilightS = day.Event(SunEventCode::NauticalTwilightS);
  e.astronomicalTwilightR = day.Event(SunEventCode::AstronomicalTwilightR);
  e.astronomicalTwilightS = day.Event(SunEventCode::AstronomicalTwilightS);
  return e;
}

BodyEvent CalcSunEvent(SunEventCode code, double d, const Settings& s) {
  RequireValidInput(d, s);
  if (code != SunEventCode::Culmination) TargetAltitude(code, 1);  // rejects an unknown code
  SunDay day(d, s);
  return day.Event(code);
}

SunRiseSet CalcSunRiseSet(double d, const Settings& s) {
  RequireValidInput(d, s);
  SunDay day(d, s);
  const BodyEvent rise = day.Event(SunEventCode::Rise);
  return {rise, day.Event(SunEventCode::Set)};
}

}  // namespace almacor
