// Conjunctions, oppositions and greatest elongations of the planets.
//
// Each search works on ψ, the planet's heliocentric longitude less the Earth's: it runs round at
// 360° per synodic period and is 0 at an opposition or inferior conjunction, 180° at a conjunction
// or superior conjunction. Mean orbits predict the event to within hours; the series then solve
// it.

#include <cmath>

#include "almacor/angles.h"
#include "almacor/constants.h"
#include "almacor/phenomena.h"
#include "almacor/planet.h"
#include "almacor/sun.h"
#include "almacor/timescales.h"
#include "ephemeris/fast_sine.h"
#include "ephemeris/iterate.h"
#include "ephemeris/planet_series.h"
#include "ephemeris/planet_series_eval.h"
#include "ephemeris/sun_detail.h"
#include "phenomena/frozen_delta_t.h"
#include "phenomena/mean_orbits.h"

namespace almacor {
namespace {

using detail::MeanConfiguration;
using detail::MeanConfigurationAt;
using detail::MeanPhaseRate;
using detail::SynodicPeriod;

/// More events than any search passes over before the one it wants.
constexpr int kMaxCandidates = 8;

// a reduced into −180 … 180, as std::remainder(a, 360) reduces it but for the last bit.
double Within180(double a) {
  const double turns = a / 360;
  return (turns - ((turns + detail::kRoundToWhole) - detail::kRoundToWhole)) * 360;
}

void RequirePlanet(PlanetNameConstant p) {
  if (p < plMercury || p > plPluto) throw Error(kInvalidArgument, "planet out of range");
}
bool IsInner(PlanetNameConstant p) { return p <= plVenus; }

// The instant near `guess` (within half a synodic period) at which ψ on the mean orbits is
// `target`, and the mean orbits' configuration there: Newton's steps until one is under a day,
// which leaves minutes (the error squares at each step).
struct MeanCrossing {
  double time;
  MeanConfiguration at;
};
MeanCrossing MeanCrossingNear(PlanetNameConstant p, double target, double guess,
                              const TimeScale& ts) {
  constexpr double kTolerance = 1;
  double d = guess;
  for (int i = 0; i < detail::kMaxPasses; ++i) {
    const MeanConfiguration at = MeanConfigurationAt(p, d, ts);
    const double step = Within180(at.phase - target) / at.phaseRate;
    d -= step;
    if (std::fabs(step) < kTolerance) return {d, at};
  }
  throw Error(kOverflow, "mean orbit prediction did not converge");
}

// The series times of local day count d: the Sun's, and planet p's (Saturn's from its own epoch).
struct SeriesTimes {
  double sun;
  double planet;
};
SeriesTimes SeriesTimesAt(PlanetNameConstant p, double d, const TimeScale& ts) {
  const double years = detail::SunSeriesYears(d, ts);
  return {years, p == plSaturn ? YearsSinceEpoch(d, true, ts) : years};
}

// ψ, degrees, not reduced, of the planet's heliocentric longitude L at series times `times`.
double PhaseOf(double longitude, const SeriesTimes& times) {
  return longitude - detail::SunLongitudeOfYears(times.sun) - kSunAberrationDeg - 180;
}

// ψ at local day count d from the longitude series alone.
double SeriesPhaseAt(PlanetNameConstant p, double d, const TimeScale& ts) {
  const SeriesTimes times = SeriesTimesAt(p, d, ts);
  return PhaseOf(detail::PlanetLongitudeSeries(p, times.planet), times);
}

// The first instant after `from` at which ψ from the series reaches `target`, given ψ at `from`
// from the series (`phase`) and on the mean orbits (`mean`): ψ is monotonic, so the angle still to
// go is known exactly, and the mean orbits say when it will have been covered (they and the series
// drift apart slowly).
MeanCrossing PredictCrossing(PlanetNameConstant p, double target, double from, double phase,
                             const MeanConfiguration& mean, const TimeScale& ts) {
  const double rate = MeanPhaseRate(p);
  const double direction = rate > 0 ? 1 : -1;
  const double ahead = Normalize360((target - phase) * direction);
  return MeanCrossingNear(p, mean.phase + direction * ahead, from + ahead / std::fabs(rate), ts);
}

// A conjunction or opposition: ψ near `phase` and the planet's geocentric apparent longitude less
// the Sun's equal to `difference`, each 0 or 180.
struct LongitudeEvent {
  PlanetNameConstant planet;
  double phase;
  double difference;
};

// ψ at the event. The apparent longitudes add to the geometric ones the aberration of the Sun's
// light, 0.0056932°/R (R the Earth's distance from the Sun), and the planet's light-time term k/r
// (r its own); near the event the geocentric angle runs ρ/(ρ − R cos phase) times as fast as ψ,
// ρ the planet's distance projected on the ecliptic.
double PhaseAtEvent(const LongitudeEvent& event, double rho, double r, double earth) {
  const double sign = event.phase == 0 ? 1 : -1;  // cos phase
  // cos(λ − L) in the light-time term: −1 when the planet lies between the Earth and the Sun.
  const double planetSide = sign > 0 && rho < earth ? -1 : 1;
  const double apparent = kSunAberrationDeg -
                          kSunAberrationDeg / earth * (event.difference == 0 ? 1 : -1) -
                          detail::kPlanetConstants[event.planet - 1].lightTime / r * planetSide;
  return event.phase - apparent * (rho - earth * sign) / rho;
}

// PhaseAtEvent with the distances of the mean orbits in configuration `at`, the planet's taken
// as in the ecliptic.
double MeanPhaseAtEvent(const LongitudeEvent& event, const MeanConfiguration& at) {
  const detail::SunDistances distances = detail::MeanDistances(event.planet, at);
  return PhaseAtEvent(event, distances.planet, distances.planet, distances.earth);
}

// The first instant at least one second after `start` of the event. Its time is where ψ from the
// series reaches PhaseAtEvent: the same instant as where the apparent longitudes differ by
// `difference`, to well within a second, for a third of the work.
double SolveLongitudeEvent(const LongitudeEvent& event, double start, const TimeScale& ts) {
  const PlanetNameConstant p = event.planet;
  const double period = SynodicPeriod(p);
  double from = start + detail::kOneSecond;
  for (int i = 0; i < kMaxCandidates; ++i) {
    // ψ at the event with the mean orbits' distances: their error, a few parts in ten thousand,
    // moves it by a few millionths of a degree, enough to tell whether `from` is past it and to
    // aim the first step.
    const TimeScale atFrom = detail::FrozenDeltaT(from, ts);
    const MeanConfiguration mean = MeanConfigurationAt(p, from, atFrom);
    const MeanCrossing predicted = PredictCrossing(p, MeanPhaseAtEvent(event, mean), from,
                                                   SeriesPhaseAt(p, from, atFrom), mean, atFrom);

    // One step from the prediction with the mean rate lands within a minute or two of the event:
    // the distances that fix ψ at the event are taken there (Mercury's change enough in a quarter
    // of an hour to move it by a second), and ψ there starts the secant.
    const double t0 = predicted.time;
    const TimeScale frozen = detail::FrozenDeltaT(t0, ts);
    const double phase0 = SeriesPhaseAt(p, t0, frozen);
    double t1 =
        t0 - Within180(phase0 - MeanPhaseAtEvent(event, predicted.at)) / predicted.at.phaseRate;
    // (A prediction already on the target would leave the secant a single point.)
    if (t1 == t0) t1 += detail::kOneSecond;
    const SeriesTimes times = SeriesTimesAt(p, t1, frozen);
    const HeliocentricPosition planet = detail::PlanetHeliocentricSeries(p, times.planet);
    const double target = PhaseAtEvent(event, planet.distance * std::cos(planet.latitude * kRad),
                                       planet.distance, detail::SunDistanceOfYears(times.sun));
    const double phase1 = PhaseOf(planet.longitude, times);
    const double t = detail::SolveSecant(
        [&](double d) {
          const double phase = d == t0 ? phase0 : d == t1 ? phase1 : SeriesPhaseAt(p, d, frozen);
          return Within180(phase - target);
        },
        t0, t1, "planet longitude event");
    if (t - start >= detail::kOneSecond) return t;
    from = t + period / 4;
  }
  throw Error(kOverflow, "planet event search did not advance");
}

// The angular distance between the planet and the Sun, degrees, and the side.
struct SunDistance {
  double angle;
  bool east;
};
SunDistance ElongationAt(PlanetNameConstant p, double d, const TimeScale& ts) {
  const PlanetPosition pos = PlanetPositionAt(p, d, ts);
  const double difference = std::remainder(pos.longitude - SunLongitudeAt(d, ts), 360.0);
  return {DegAcos(std::cos(pos.latitude * kRad) * std::cos(difference * kRad)), difference > 0};
}

}  // namespace

Conjunction NextConjunction(PlanetNameConstant p, double start, const TimeScale& ts) {
  RequirePlanet(p);
  RequireFinite(start, "day count");
  if (!IsInner(p)) {
    return {SolveLongitudeEvent({p, 180, 0}, start, ts), ConjunctionType::Conjunction};
  }
  const double inferior = SolveLongitudeEvent({p, 0, 0}, start, ts);
  const double superior = SolveLongitudeEvent({p, 180, 0}, start, ts);
  return inferior < superior ? Conjunction{inferior, ConjunctionType::Inferior}
                             : Conjunction{superior, ConjunctionType::Superior};
}

double NextOpposition(PlanetNameConstant p, double start, const TimeScale& ts) {
  RequirePlanet(p);
  if (IsInner(p)) throw Error(kInvalidArgument, "Mercury and Venus have no opposition");
  RequireFinite(start, "day count");
  return SolveLongitudeEvent({p, 0, 180}, start, ts);
}

GreatestElongation NextGreatestElongation(PlanetNameConstant p, double start, const TimeScale& ts) {
  RequirePlanet(p);
  if (!IsInner(p))
    throw Error(kInvalidArgument, "only Mercury and Venus have greatest elongations");
  RequireFinite(start, "day count");
  // On circular orbits the elongation is greatest where cos ψ = r/R; west of the Sun on the way
  // from inferior to superior conjunction, east on the way back.
  const double west = DegAcos(detail::MeanAxis(p));
  double from = start;
  for (int i = 0; i < kMaxCandidates; ++i) {
    // The next of the two configurations ψ passes.
    const double phase = SeriesPhaseAt(p, from, ts);
    const double reduced = Normalize360(phase);
    const double target = reduced >= west && reduced < 360 - west ? 360 - west : west;
    const double guess =
        PredictCrossing(p, target, from, phase, MeanConfigurationAt(p, from, ts), ts).time;
    const TimeScale frozen = detail::FrozenDeltaT(guess, ts);
    const double t =
        detail::SolveStationary([&](double d) { return ElongationAt(p, d, frozen).angle; }, guess,
                                0.05, "greatest elongation");
    if (t - start >= detail::kOneSecond) {
      const SunDistance at = ElongationAt(p, t, frozen);
      return {t, at.east, at.angle};
    }
    from = guess + SynodicPeriod(p) / 8;
  }
  throw Error(kOverflow, "greatest elongation search did not advance");
}

}  // namespace almacor
