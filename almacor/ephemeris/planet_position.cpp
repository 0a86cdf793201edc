#include <cmath>
#include <span>
#include <string>

#include "almacor/angles.h"
#include "almacor/constants.h"
#include "almacor/error.h"
#include "almacor/planet.h"
#include "almacor/sun.h"
#include "almacor/timescales.h"
#include "engine/of_date.h"
#include "ephemeris/fast_sine.h"
#include "ephemeris/hour_angle_event.h"
#include "ephemeris/planet_series.h"
#include "ephemeris/planet_series_eval.h"
#include "ephemeris/sine_sums.h"
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

// The periodic parts of the series for the kernels of sine_sums.h: cosines, but for Saturn's
// anomaly terms.
using detail::sine_sums::ToDriftingSoA;
#define ALMACOR_PLANET_SUM_TABLES(Name)                                                         \
  constexpr auto k##Name##LongitudeSums = ToDriftingSoA<true>(detail::k##Name##LongitudeTerms); \
  constexpr auto k##Name##LatitudeSums = ToDriftingSoA<true>(detail::k##Name##LatitudeTerms);   \
  constexpr auto k##Name##RadiusSums = ToDriftingSoA<true>(detail::k##Name##RadiusTerms);
ALMACOR_PLANET_SUM_TABLES(Mercury)
ALMACOR_PLANET_SUM_TABLES(Venus)
ALMACOR_PLANET_SUM_TABLES(Mars)
ALMACOR_PLANET_SUM_TABLES(Jupiter)
ALMACOR_PLANET_SUM_TABLES(Neptune)
ALMACOR_PLANET_SUM_TABLES(Pluto)
#undef ALMACOR_PLANET_SUM_TABLES
constexpr auto kSaturnAnomalySums = ToDriftingSoA<false>(detail::kSaturnAnomalyTerms);
constexpr auto kSaturnDistanceSums = ToDriftingSoA<true>(detail::kSaturnDistanceTerms);

// One kernel's sums: longitude, latitude and radius of the trigonometric form by PlanetNameConstant
// − 1 (none for Saturn and Uranus), and Saturn's anomaly and distance terms.
using PeriodicSum = double (*)(double t);
enum Coordinate { kLongitude, kLatitude, kRadius };
struct PlanetSums {
  PeriodicSum trig[8][3];
  PeriodicSum saturnAnomaly;
  PeriodicSum saturnDistance;
};

#define ALMACOR_PLANET_SUMS_FROM(Target, Kernel)                                         \
  namespace Kernel {                                                                     \
  template <const auto& kTable>                                                          \
  Target double Sum(double t) {                                                          \
    return detail::sine_sums::Kernel::SumSines(kTable, t, 0);                            \
  }                                                                                      \
  constexpr PlanetSums kSums = {                                                         \
      {{Sum<kMercuryLongitudeSums>, Sum<kMercuryLatitudeSums>, Sum<kMercuryRadiusSums>}, \
       {Sum<kVenusLongitudeSums>, Sum<kVenusLatitudeSums>, Sum<kVenusRadiusSums>},       \
       {Sum<kMarsLongitudeSums>, Sum<kMarsLatitudeSums>, Sum<kMarsRadiusSums>},          \
       {Sum<kJupiterLongitudeSums>, Sum<kJupiterLatitudeSums>, Sum<kJupiterRadiusSums>}, \
       {},                                                                               \
       {},                                                                               \
       {Sum<kNeptuneLongitudeSums>, Sum<kNeptuneLatitudeSums>, Sum<kNeptuneRadiusSums>}, \
       {Sum<kPlutoLongitudeSums>, Sum<kPlutoLatitudeSums>, Sum<kPlutoRadiusSums>}},      \
      Sum<kSaturnAnomalySums>,                                                           \
      Sum<kSaturnDistanceSums>};                                                         \
  }

ALMACOR_PLANET_SUMS_FROM(, portable)
#if defined(__SSE2__)
ALMACOR_PLANET_SUMS_FROM(, sse2)
#endif
#if defined(ALMACOR_HAVE_AVX2_KERNELS)
ALMACOR_PLANET_SUMS_FROM(ALMACOR_TARGET_AVX2_FMA, avx2)
#endif
#if defined(ALMACOR_HAVE_AVX512_KERNELS)
ALMACOR_PLANET_SUMS_FROM(ALMACOR_TARGET_AVX512, avx512)
#endif
#undef ALMACOR_PLANET_SUMS_FROM

// Σ (amplitude + amplitudeRate·t)·cos(phase + rate·t) over the terms of one coordinate of planet p
// (or with a sine for Saturn's anomaly, `sine`), in the chosen form.
template <Trig kTrig>
double PeriodicPart(std::span<const PlanetTerm> terms, PeriodicSum fast, bool sine, double t) {
  if constexpr (kTrig == Trig::kFast) {
    return fast(t);
  } else {
    double sum = 0;
    for (const PlanetTerm& term : terms) {
      const double x = term.phase + term.rate * t;
      sum += (term.amplitude + term.amplitudeRate * t) * (sine ? SinDeg(x) : CosDeg(x));
    }
    return sum;
  }
}

struct TrigPlanet {
  std::array<PlanetPolynomial, 3> polynomials;  // longitude, latitude, radius
  std::array<std::span<const PlanetTerm>, 3> terms;
};

// One coordinate of the trigonometric form of planet p: the polynomial plus the periodic part,
// added once (a longitude reaches 10^7 degrees by the year 9999, where each addition rounds to
// 2e-9°).
template <Trig kTrig>
double TrigCoordinate(const TrigPlanet& planet, PlanetNameConstant p, Coordinate c, double t,
                      const PlanetSums& sums) {
  const PlanetPolynomial& polynomial = planet.polynomials[c];
  return polynomial.c0 + polynomial.c1 * t +
         PeriodicPart<kTrig>(planet.terms[c], sums.trig[p - 1][c], false, t);
}

template <Trig kTrig>
HeliocentricPosition TrigForm(const TrigPlanet& planet, PlanetNameConstant p, double t,
                              const PlanetSums& sums) {
  return {Normalize360(TrigCoordinate<kTrig>(planet, p, kLongitude, t, sums)),
          TrigCoordinate<kTrig>(planet, p, kLatitude, t, sums),
          TrigCoordinate<kTrig>(planet, p, kRadius, t, sums)};
}

#define ALMACOR_TRIG_PLANET(Name)                                               \
  TrigPlanet {                                                                  \
    {detail::k##Name##LongitudePolynomial, detail::k##Name##LatitudePolynomial, \
     detail::k##Name##RadiusPolynomial},                                        \
    {                                                                           \
      detail::k##Name##LongitudeTerms, detail::k##Name##LatitudeTerms,          \
          detail::k##Name##RadiusTerms                                          \
    }                                                                           \
  }

const TrigPlanet kMercury = ALMACOR_TRIG_PLANET(Mercury);
const TrigPlanet kVenus = ALMACOR_TRIG_PLANET(Venus);
const TrigPlanet kMars = ALMACOR_TRIG_PLANET(Mars);
const TrigPlanet kJupiter = ALMACOR_TRIG_PLANET(Jupiter);
const TrigPlanet kNeptune = ALMACOR_TRIG_PLANET(Neptune);
const TrigPlanet kPluto = ALMACOR_TRIG_PLANET(Pluto);

#undef ALMACOR_TRIG_PLANET

// Saturn: a Keplerian orbit whose mean anomaly and log-radius carry the perturbations; t from
// 1974-12-31 00:00. Its true anomaly v, 0 <= v < 360 degrees:
template <Trig kTrig>
double SaturnTrueAnomaly(double t, const PlanetSums& sums) {
  const double m = 12.3042 + 12.22117 * t + 0.0008 +
                   PeriodicPart<kTrig>(detail::kSaturnAnomalyTerms, sums.saturnAnomaly, true, t);
  const double mr = Normalize360(m);
  return Normalize360(mr + 6.4215 * SineOf<kTrig>(mr) + 0.2248 * SineOf<kTrig>(2 * mr) +
                      0.0109 * SineOf<kTrig>(3 * mr) + 0.0006 * SineOf<kTrig>(4 * mr));
}

// Saturn's longitude at true anomaly v, left unreduced: 92° … 452° for present-day dates.
template <Trig kTrig>
double SaturnLongitude(double v, double t) {
  return v + 91.856 + 0.01396 * t + 0.0272 * SineOf<kTrig>(2 * v + 135.53);
}

template <Trig kTrig>
HeliocentricPosition SaturnSeries(double t, const PlanetSums& sums) {
  const double v = SaturnTrueAnomaly<kTrig>(t, sums);
  const double l = SaturnLongitude<kTrig>(v, t);
  const double b = DegAsin(0.043519 * SineOf<kTrig>(v + 337.763)) +
                   (0.0286 + 0.00023 * t) * SineOf<kTrig>(v + 77.06) +
                   0.0024 * SineOf<kTrig>(3.9 - 11.81 * t) + 0.0008 * SineOf<kTrig>(269 - 5.9 * t) +
                   0.0005 * SineOf<kTrig>(135 - 30.3 * t);
  const double q =
      0.000183 + PeriodicPart<kTrig>(detail::kSaturnDistanceTerms, sums.saturnDistance, false, t);
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

// The arguments at t, Julian years since J2000.0, and the centuries since 1900.0 that the
// polynomial terms take.
struct UranusTime {
  UranusArguments arguments;
  double days;
  double centuries;
};
UranusTime UranusTimeAt(double t) {
  const double days = 365.25 * t;
  return {{UranusArgumentAt(detail::kUranusMj, days), UranusArgumentAt(detail::kUranusMs, days),
           UranusArgumentAt(detail::kUranusMu, days), UranusArgumentAt(detail::kUranusFu, days),
           UranusArgumentAt(detail::kUranusMn, days)},
          days,
          t / 100 + 1};
}

template <Trig kTrig>
double UranusLongitude(const UranusTime& x) {
  return Normalize360(UranusArgumentAt(detail::kUranusLu, x.days) +
                      UranusSum<kTrig>(detail::kUranusLongitudeTerms, x.arguments, x.centuries) /
                          3600);
}

template <Trig kTrig>
HeliocentricPosition UranusSeries(double t) {
  const UranusTime x = UranusTimeAt(t);
  return {UranusLongitude<kTrig>(x),
          UranusSum<kTrig>(detail::kUranusLatitudeTerms, x.arguments, x.centuries) / 3600,
          UranusSum<kTrig>(detail::kUranusRadiusTerms, x.arguments, x.centuries)};
}

// The planets whose series are plain sums of cosines, by PlanetNameConstant − 1; Saturn and
// Uranus have forms of their own.
const TrigPlanet* const kTrigPlanets[] = {&kMercury, &kVenus, &kMars,    &kJupiter,
                                          nullptr,   nullptr, &kNeptune, &kPluto};

// p is one of the planets (RequirePlanet); the fast form takes its periodic parts from `sums`,
// the reference form ignores them.
template <Trig kTrig>
HeliocentricPosition SeriesAt(PlanetNameConstant p, double t, const PlanetSums& sums) {
  if (p == plSaturn) return SaturnSeries<kTrig>(t, sums);
  if (p == plUranus) return UranusSeries<kTrig>(t);
  return TrigForm<kTrig>(*kTrigPlanets[p - 1], p, t, sums);
}

// The longitude alone, with a kernel's sums.
double LongitudeAt(PlanetNameConstant p, double t, const PlanetSums& sums) {
  constexpr Trig kTrig = Trig::kFast;
  if (p == plSaturn) return SaturnLongitude<kTrig>(SaturnTrueAnomaly<kTrig>(t, sums), t);
  if (p == plUranus) return UranusLongitude<kTrig>(UranusTimeAt(t));
  return Normalize360(TrigCoordinate<kTrig>(*kTrigPlanets[p - 1], p, kLongitude, t, sums));
}

template <const PlanetSums& kSums>
HeliocentricPosition KernelSeries(PlanetNameConstant p, double t) {
  return SeriesAt<Trig::kFast>(p, t, kSums);
}
template <const PlanetSums& kSums>
double KernelLongitude(PlanetNameConstant p, double t) {
  return LongitudeAt(p, t, kSums);
}

#define ALMACOR_PLANET_KERNEL(Kernel) \
  { #Kernel, KernelSeries < Kernel::kSums>, KernelLongitude < Kernel::kSums> }
constexpr detail::PlanetSeriesKernel kKernels[] = {
#if defined(ALMACOR_HAVE_AVX512_KERNELS)
    ALMACOR_PLANET_KERNEL(avx512),
#endif
#if defined(ALMACOR_HAVE_AVX2_KERNELS)
    ALMACOR_PLANET_KERNEL(avx2),
#endif
#if defined(__SSE2__)
    ALMACOR_PLANET_KERNEL(sse2),
#endif
    ALMACOR_PLANET_KERNEL(portable),
};
#undef ALMACOR_PLANET_KERNEL

// The widest kernel this processor runs.
const detail::PlanetSeriesKernel& Active() {
  static const detail::PlanetSeriesKernel& kernel = detail::PlanetSeriesKernels().front();
  return kernel;
}

// sin of the horizontal parallax at 1 au.
const double kSinParallaxAtOneAu = std::sin(kSolarParallaxRad);

// Degrees of hour angle per day of a planet's daily motion: turns an hour-angle error into time.
constexpr double kHourAngleRate = 361;

}  // namespace

HeliocentricPosition PlanetHeliocentricAt(PlanetNameConstant p, double d, const TimeScale& ts) {
  RequirePlanet(p);
  RequireFinite(d, "day count");
  return Active().series(p, YearsSinceEpoch(d, p == plSaturn, ts));
}

namespace detail {

HeliocentricPosition PlanetHeliocentricSeries(PlanetNameConstant p, double t) {
  RequirePlanet(p);
  return Active().series(p, t);
}

HeliocentricPosition PlanetHeliocentricSeriesReference(PlanetNameConstant p, double t) {
  RequirePlanet(p);
  return SeriesAt<Trig::kReference>(p, t, portable::kSums);
}

double PlanetLongitudeSeries(PlanetNameConstant p, double t) {
  RequirePlanet(p);
  return Active().longitude(p, t);
}

std::span<const PlanetSeriesKernel> PlanetSeriesKernels() {
  static const std::span<const PlanetSeriesKernel> kernels =
      std::span<const PlanetSeriesKernel>(kKernels).subspan(sine_sums::UnsupportedWideKernels());
  return kernels;
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
  const HeliocentricPosition helio = Active().series(p, p == plSaturn ? at.saturnYears : at.years);
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
