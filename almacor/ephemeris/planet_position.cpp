#include <cmath>
#include <span>
#include <string>

#include "almacor/constants.h"
#include "almacor/angles.h"
#include "almacor/error.h"
#include "almacor/planet.h"
#include "almacor/sun.h"
#include "almacor/timescales.h"
#include "engine/of_date.h"
#include "ephemeris/fast_sine.h"
#include "ephemeris/hour_angle_event.h"
#include "ephemeris/planet_series.h"
#include "ephemeris/planet_series_eval.h"
#include "ephemeris/sun_detail.h"

namespace almacor {
namespace {

using detail::PlanetPolynomial;
using detail::PlanetTerm;
using detail::UranusTerm;
using detail::UranusTrig;

void RequirePlanet(PlanetNameConstant p) {
  if (p < plMercury || p > plPluto) {
    throw Error(kInvalidArgument, "planet " + std::to_string(static_cast<int>(p)) +
                                      " is not one of 1 (Mercury) to 8 (Pluto)");
  }
}

double SinDeg(double a) { return std::sin(Normalize360(a) * kRad); }
double CosDeg(double a) { return std::cos(Normalize360(a) * kRad); }

// How a series evaluates its sines and cosines: the polynomials of fast_sine.h, or std::sin and
// std::cos after Normalize360 (the reference the fast form is held to, within 1e-9°).
enum class Trig { kFast, kReference };

template <Trig kTrig>
double CosineOf(double a) {
  if constexpr (kTrig == Trig::kFast) {
    return detail::FastCosineOfDegrees(a);
  } else {
    return CosDeg(a);
  }
}

template <Trig kTrig>
double SineOf(double a) {
  if constexpr (kTrig == Trig::kFast) {
    return detail::FastSineOfDegrees(a);
  } else {
    return SinDeg(a);
  }
}

// Σ (amplitude + amplitudeRate·t)·cos(phase + rate·t) plus the polynomial part, added term by
// term to the polynomial. A sum that grows beyond 2^23 degrees within the Date range (Mercury's
// longitude, 10^7 degrees by the year 9999) is rounded to 2e-9° at every addition, so any change
// in a term's last bit can move it by that much: such a series keeps std::cos in the fast form too.
template <Trig kTrig>
double TrigSeries(const PlanetPolynomial& polynomial, std::span<const PlanetTerm> terms, double t) {
  constexpr double kFarthestYears = 8000, kFineSum = 8388608;
  if (kTrig == Trig::kFast && std::fabs(polynomial.c1) * kFarthestYears >= kFineSum) {
    return TrigSeries<Trig::kReference>(polynomial, terms, t);
  }
  double sum = polynomial.c0 + polynomial.c1 * t;
  for (const PlanetTerm& term : terms) {
    sum += (term.amplitude + term.amplitudeRate * t) * CosineOf<kTrig>(term.phase + term.rate * t);
  }
  return sum;
}

// The same terms with a sine, for Saturn's mean anomaly.
template <Trig kTrig>
double SineTerms(std::span<const PlanetTerm> terms, double t) {
  double sum = 0;
  for (const PlanetTerm& term : terms) {
    sum += (term.amplitude + term.amplitudeRate * t) * SineOf<kTrig>(term.phase + term.rate * t);
  }
  return sum;
}

struct TrigPlanet {
  const PlanetPolynomial& lPolynomial;
  std::span<const PlanetTerm> lTerms;
  const PlanetPolynomial& bPolynomial;
  std::span<const PlanetTerm> bTerms;
  const PlanetPolynomial& rPolynomial;
  std::span<const PlanetTerm> rTerms;
};

template <Trig kTrig>
HeliocentricPosition TrigForm(const TrigPlanet& planet, double t) {
  return {Normalize360(TrigSeries<kTrig>(planet.lPolynomial, planet.lTerms, t)),
          TrigSeries<kTrig>(planet.bPolynomial, planet.bTerms, t),
          TrigSeries<kTrig>(planet.rPolynomial, planet.rTerms, t)};
}

#define ALMACOR_TRIG_PLANET(Name)                                            \
  TrigPlanet {                                                               \
    detail::k##Name##LongitudePolynomial, detail::k##Name##LongitudeTerms,   \
        detail::k##Name##LatitudePolynomial, detail::k##Name##LatitudeTerms, \
        detail::k##Name##RadiusPolynomial, detail::k##Name##RadiusTerms      \
  }

const TrigPlanet kMercury = ALMACOR_TRIG_PLANET(Mercury);
const TrigPlanet kVenus = ALMACOR_TRIG_PLANET(Venus);
const TrigPlanet kMars = ALMACOR_TRIG_PLANET(Mars);
const TrigPlanet kJupiter = ALMACOR_TRIG_PLANET(Jupiter);
const TrigPlanet kNeptune = ALMACOR_TRIG_PLANET(Neptune);
const TrigPlanet kPluto = ALMACOR_TRIG_PLANET(Pluto);

#undef ALMACOR_TRIG_PLANET

// Saturn: a Keplerian orbit whose mean anomaly and log-radius carry the perturbations; t from
// 1974-12-31 00:00.
template <Trig kTrig>
HeliocentricPosition SaturnSeries(double t) {
  const double m =
      12.3042 + 12.22117 * t + 0.0008 + SineTerms<kTrig>(detail::kSaturnAnomalyTerms, t);
  const double mr = Normalize360(m);
  const double v = Normalize360(mr + 6.4215 * SineOf<kTrig>(mr) + 0.2248 * SineOf<kTrig>(2 * mr) +
                                0.0109 * SineOf<kTrig>(3 * mr) + 0.0006 * SineOf<kTrig>(4 * mr));
  // Left unreduced: 92° … 452° for present-day dates.
  const double l = v + 91.856 + 0.01396 * t + 0.0272 * SineOf<kTrig>(2 * v + 135.53);
  const double b = DegAsin(0.043519 * SineOf<kTrig>(v + 337.763)) +
                   (0.0286 + 0.00023 * t) * SineOf<kTrig>(v + 77.06) +
                   0.0024 * SineOf<kTrig>(3.9 - 11.81 * t) + 0.0008 * SineOf<kTrig>(269 - 5.9 * t) +
                   0.0005 * SineOf<kTrig>(135 - 30.3 * t);
  double q = 0.000183;
  for (const PlanetTerm& term : detail::kSaturnDistanceTerms) {
    q += (term.amplitude + term.amplitudeRate * t) * CosineOf<kTrig>(term.phase + term.rate * t);
  }
  const double r = std::pow(10.0, q) * 9.508863 / (1 + 0.056061 * CosineOf<kTrig>(v));
  return {l, b, r};
}

// Uranus: terms in the mean anomalies of Jupiter, Saturn, Uranus and Neptune.
struct UranusArguments {
  double mj, ms, mu, fu, mn;
};

double UranusArgumentAt(const detail::UranusArgument& x, double days) {
  return Normalize360(360 * (x.a + x.b * days));
}

template <Trig kTrig>
double UranusSum(std::span<const UranusTerm> terms, const UranusArguments& x, double centuries) {
  double sum = 0;
  for (const UranusTerm& term : terms) {
    double value = term.coefficient;
    for (int i = 0; i < term.power; ++i) value *= centuries;
    if (term.trig != UranusTrig::kOne) {
      const double argument =
          term.j * x.mj + term.s * x.ms + term.u * x.mu + term.f * x.fu + term.n * x.mn;
      value *= term.trig == UranusTrig::kSin ? SineOf<kTrig>(argument) : CosineOf<kTrig>(argument);
    }
    sum += value;
  }
  return sum;
}

template <Trig kTrig>
HeliocentricPosition UranusSeries(double t) {
  const double days = 365.25 * t;
  const double centuries = t / 100 + 1;  // since 1900.0
  const UranusArguments x{
      UranusArgumentAt(detail::kUranusMj, days), UranusArgumentAt(detail::kUranusMs, days),
      UranusArgumentAt(detail::kUranusMu, days), UranusArgumentAt(detail::kUranusFu, days),
      UranusArgumentAt(detail::kUranusMn, days)};
  const double lu = UranusArgumentAt(detail::kUranusLu, days);
  return {Normalize360(lu + UranusSum<kTrig>(detail::kUranusLongitudeTerms, x, centuries) / 3600),
          UranusSum<kTrig>(detail::kUranusLatitudeTerms, x, centuries) / 3600,
          UranusSum<kTrig>(detail::kUranusRadiusTerms, x, centuries)};
}

template <Trig kTrig>
HeliocentricPosition SeriesAt(PlanetNameConstant p, double t) {
  switch (p) {
    case plMercury:
      return TrigForm<kTrig>(kMercury, t);
    case plVenus:
      return TrigForm<kTrig>(kVenus, t);
    case plMars:
      return TrigForm<kTrig>(kMars, t);
    case plJupiter:
      return TrigForm<kTrig>(kJupiter, t);
    case plSaturn:
      return SaturnSeries<kTrig>(t);
    case plUranus:
      return UranusSeries<kTrig>(t);
    case plNeptune:
      return TrigForm<kTrig>(kNeptune, t);
    case plPluto:
      return TrigForm<kTrig>(kPluto, t);
  }
  throw Error(kInvalidArgument, "planet out of range");
}


// sin of the horizontal parallax at 1 au.
const double kSinParallaxAtOneAu = std::sin(kSolarParallaxRad);

// Degrees of hour angle per day of a planet's daily motion: turns an hour-angle error into time.
constexpr double kHourAngleRate = 361;

}  // namespace

HeliocentricPosition PlanetHeliocentricAt(PlanetNameConstant p, double d, const TimeScale& ts) {
  RequirePlanet(p);
  RequireFinite(d, "day count");
  return SeriesAt<Trig::kFast>(p, YearsSinceEpoch(d, p == plSaturn, ts));
}

namespace detail {

HeliocentricPosition PlanetHeliocentricSeries(PlanetNameConstant p, double t) {
  RequirePlanet(p);
  return SeriesAt<Trig::kFast>(p, t);
}

HeliocentricPosition PlanetHeliocentricSeriesReference(PlanetNameConstant p, double t) {
  RequirePlanet(p);
  return SeriesAt<Trig::kReference>(p, t);
}

}  // namespace detail

PlanetInstant PlanetInstantAt(double d, const TimeScale& ts) {
  const double years = detail::SunSeriesYears(d, ts);
  const double sunLongitude = detail::SunLongitudeOfYears(years) + kSunAberrationDeg;
  const double sunDistance = detail::SunDistanceOfYears(years);
  const double epsilon = detail::TrueObliquityAtYears(years);
  return {d,
          years,
          YearsSinceEpoch(d, true, ts),
          sunLongitude,
          sunDistance,
          sunDistance * std::cos(sunLongitude * kRad),
          sunDistance * std::sin(sunLongitude * kRad),
          epsilon,
          std::sin(epsilon * kRad),
          std::cos(epsilon * kRad)};
}

PlanetPosition PlanetPositionAt(PlanetNameConstant p, const PlanetInstant& at) {
  RequirePlanet(p);
  const HeliocentricPosition helio =
      SeriesAt<Trig::kFast>(p, p == plSaturn ? at.saturnYears : at.years);
  const double cosB = std::cos(helio.latitude * kRad);
  const double x = helio.distance * cosB * std::cos(helio.longitude * kRad) + at.sunX;
  const double y = helio.distance * cosB * std::sin(helio.longitude * kRad) + at.sunY;
  const double z = helio.distance * std::sin(helio.latitude * kRad);
  const double distance = std::sqrt(x * x + y * y + z * z);
  double lambda = DegAtan2(y, x);
  const double beta = DegAsin(z / distance);

  const double k = detail::kPlanetConstants[p - 1].lightTime;
  lambda = lambda - kSunAberrationDeg / at.sunDistance * CosDeg(lambda - at.sunLongitude) -
           k / helio.distance * CosDeg(lambda - helio.longitude);
  return {helio, Normalize360(lambda), beta, distance};
}

PlanetPosition PlanetPositionAt(PlanetNameConstant p, double d, const TimeScale& ts) {
  RequirePlanet(p);
  return PlanetPositionAt(p, PlanetInstantAt(d, ts));
}

PlanetEquatorial PlanetEquatorialOf(const PlanetPosition& position, double d, const TimeScale& ts) {
  RequireFinite(d, "day count");
  RequireFinite(position.longitude, "longitude");
  RequireFinite(position.latitude, "latitude");
  const detail::EquatorialPlace q =
      detail::EclipticToEquatorial(position.longitude, position.latitude, TrueObliquity(d, ts));
  return {q.ascension, q.declination};
}

PlanetEquatorial PlanetEquatorialAt(PlanetNameConstant p, const PlanetInstant& at) {
  const PlanetPosition position = PlanetPositionAt(p, at);
  const detail::EquatorialPlace q = detail::EclipticToEquatorial(
      position.longitude, position.latitude, at.sinObliquity, at.cosObliquity);
  return {q.ascension, q.declination};
}

PlanetEquatorial PlanetEquatorialAt(PlanetNameConstant p, double d, const TimeScale& ts) {
  RequirePlanet(p);
  return PlanetEquatorialAt(p, PlanetInstantAt(d, ts));
}

PlanetHorizontal PlanetHorizontalOf(const PlanetPosition& position, double d, const Settings& s) {
  RequireFinite(position.distance, "distance");
  RequireFinite(s.observer.latitude, "observer latitude");
  RequireFinite(s.observer.longitude, "observer longitude");
  if (position.distance == 0) throw Error(kDivisionByZero, "planet distance is 0");
  if (position.distance < 0) throw Error(kInvalidArgument, "negative planet distance");
  const PlanetEquatorial eq = PlanetEquatorialOf(position, d, s.time);
  const Horizontal h = EquatorialToHorizontal(eq.ascension, eq.declination, d, s);
  const double rho = kEarthRadiusKm / (position.distance * kAuKm);
  const double altitudeT = TopocentricAltitude(h.altitudeG, rho);
  return {h.azimuth, h.altitudeG, altitudeT, altitudeT + Refraction(altitudeT)};
}

PlanetHorizontal PlanetHorizontalAt(PlanetNameConstant p, double d, const Settings& s) {
  return PlanetHorizontalOf(PlanetPositionAt(p, d, s.time), d, s);
}

double PlanetRadius(PlanetNameConstant p, double distance) {
  RequirePlanet(p);
  RequireFinite(distance, "distance");
  if (distance == 0) throw Error(kDivisionByZero, "planet distance is 0");
  if (distance < 0) throw Error(kInvalidArgument, "negative planet distance");
  return DegAsin(detail::kPlanetConstants[p - 1].radiusKm / (distance * kAuKm));
}

namespace {

// One event of the day of d0, the planet's place recomputed at every pass.
BodyEvent PlanetEvent(detail::HourAngleEventKind kind, PlanetNameConstant p, double d0,
                      double culmination, double dip, const Settings& s) {
  const detail::HourAngleEvent event = detail::SolveHourAngleEvent(
      kind, d0, culmination, kHourAngleRate, s,
      [&](double d, bool forHorizon) {
        const PlanetInstant at = PlanetInstantAt(d, s.time);
        const PlanetPosition position = PlanetPositionAt(p, at);
        const detail::EquatorialPlace q = detail::EclipticToEquatorial(
            position.longitude, position.latitude, at.sinObliquity, at.cosObliquity);
        detail::HourAnglePlace place{q.ascension, q.declination, 0, at.years, at.obliquity};
        if (forHorizon) {
          place.horizonAltitude =
              -dip - kHorizonRefraction + DegAsin(kSinParallaxAtOneAu / position.distance);
        }
        return place;
      },
      "planet event iteration");
  if (kind == detail::HourAngleEventKind::kCulmination) {
    const double hG = detail::MeridianAltitude(event.declination, s.observer.latitude);
    return {event.time, hG + Refraction(hG)};
  }
  return {event.time,
          HourAngleToHorizontal(event.hourAngle, event.declination, s.observer.latitude).azimuth};
}

}  // namespace

RiseTransitSet CalcPlanetEvents(PlanetNameConstant p, double d, const Settings& s) {
  RequirePlanet(p);
  RequireFinite(d, "day count");
  RequireFinite(s.observer.latitude, "observer latitude");
  RequireFinite(s.observer.longitude, "observer longitude");
  RequireFinite(s.observer.height, "observer height");
  if (s.observer.height < 0) throw Error(kInvalidArgument, "negative observer height");
  const double dip = HorizonDip(s.observer.height);
  RiseTransitSet events;
  events.culmination = PlanetEvent(detail::HourAngleEventKind::kCulmination, p, d, 0, dip, s);
  events.rise =
      PlanetEvent(detail::HourAngleEventKind::kRise, p, d, events.culmination.time, dip, s);
  events.set = PlanetEvent(detail::HourAngleEventKind::kSet, p, d, events.culmination.time, dip, s);
  return events;
}

}  // namespace almacor
