// Conjunctions, oppositions and greatest elongations of the planets.
//
// Each search first predicts the event from the planets' heliocentric configuration: ψ, the
// planet's heliocentric longitude less the Earth's, runs steadily at 360° per synodic period and
// is 0 at an opposition or inferior conjunction, 180° at a conjunction or superior conjunction.
// The prediction is then solved on the geocentric apparent longitudes.

#include <cmath>

#include "almacor/constants.h"
#include "almacor/angles.h"
#include "almacor/phenomena.h"
#include "almacor/planet.h"
#include "almacor/sun.h"
#include "ephemeris/iterate.h"
#include "phenomena/frozen_delta_t.h"

namespace almacor {
namespace {

/// Mean synodic periods, days, of Mercury … Pluto.
constexpr double kSynodicPeriod[] = {115.88, 583.92, 779.94, 398.88,
                                     378.09, 369.66, 367.49, 366.73};
/// Mean distances from the Sun, au.
constexpr double kMeanDistance[] = {0.387098, 0.723332, 1.523679, 5.2026,
                                    9.5549,   19.2184,  30.1104,  39.482};

/// More events than any search passes over before the one it wants.
constexpr int kMaxCandidates = 8;

void RequirePlanet(PlanetNameConstant p) {
  if (p < plMercury || p > plPluto) throw Error(kInvalidArgument, "planet out of range");
}
bool IsInner(PlanetNameConstant p) { return p <= plVenus; }
double SynodicPeriod(PlanetNameConstant p) { return kSynodicPeriod[p - 1]; }

// Signed ψ rate, degrees per day: positive for Mercury and Venus, which overtake the Earth.
double PhaseRate(PlanetNameConstant p) { return (IsInner(p) ? 360 : -360) / SynodicPeriod(p); }

// ψ at local day count d, degrees 0 <= ψ < 360.
double HeliocentricPhase(PlanetNameConstant p, double d, const TimeScale& ts) {
  return Normalize360(PlanetHeliocentricAt(p, d, ts).longitude - SunLongitudeAt(d, ts) - 180);
}

// The first instant after `from` at which ψ reaches `target`, predicted by the mean rate and
// corrected once with ψ there.
double PredictPhase(PlanetNameConstant p, double target, double from, const TimeScale& ts) {
  const double rate = PhaseRate(p);
  const double ahead =
      Normalize360((target - HeliocentricPhase(p, from, ts)) * (rate > 0 ? 1 : -1));
  const double guess = from + ahead / std::fabs(rate);
  return guess - std::remainder(HeliocentricPhase(p, guess, ts) - target, 360.0) / rate;
}


/// The Gaussian gravitational constant in degrees per day: the mean motion of a body on a
/// circular orbit of 1 au.
constexpr double kGaussianDegreesPerDay = 0.9856076686;

// One evaluation of the series for a longitude event: ψ, its rate (degrees per day) from the two
// radius vectors by Kepler's second law (each orbit's angular momentum that of a circle of its
// mean distance), and the geocentric apparent longitude of the planet less the Sun's less
// `difference`, degrees within ±180 of 0.
struct LongitudeSample {
  double phase;
  double phaseRate;
  double offset;
};
LongitudeSample SampleLongitudes(PlanetNameConstant p, double difference, double d,
                                 const TimeScale& ts) {
  const PlanetInstant at = PlanetInstantAt(d, ts);
  const PlanetPosition pos = PlanetPositionAt(p, at);
  const double sun = at.sunLongitude - kSunAberrationDeg;
  const double r = pos.heliocentric.distance, earth = at.sunDistance;
  return {
      Normalize360(pos.heliocentric.longitude - sun - 180),
      kGaussianDegreesPerDay * (std::sqrt(kMeanDistance[p - 1]) / (r * r) - 1 / (earth * earth)),
      std::remainder(pos.longitude - sun - difference, 360.0)};
}

// The first instant at least one second after `start` at which the planet's longitude less the
// Sun's equals `difference` (0 or 180) with ψ near `phase`.
double SolveLongitudeEvent(PlanetNameConstant p, double phase, double difference, double start,
                           const TimeScale& ts) {
  // The difference falls through the event, except at a superior conjunction.
  const bool falling = !IsInner(p) || phase == 0;
  const double rate = PhaseRate(p);
  const double period = SynodicPeriod(p);
  double from = start + detail::kOneSecond;
  for (int i = 0; i < kMaxCandidates; ++i) {
    // ψ at `from` predicts the event by the mean rate. The sample there also tells whether an
    // event predicted at the start (a chain starts at the event before) is already past: the
    // prediction then moves on by one synodic period.
    const LongitudeSample atFrom =
        SampleLongitudes(p, difference, from, detail::FrozenDeltaT(from, ts));
    double ahead = Normalize360((phase - atFrom.phase) * (rate > 0 ? 1 : -1)) / std::fabs(rate);
    if (i == 0 && ahead < 2 && (falling ? atFrom.offset <= 0 : atFrom.offset >= 0)) {
      ahead += period;
    }
    // The sample at the prediction corrects it with ψ and its rate there and is the secant's
    // first point.
    const double predicted = from + ahead;
    const TimeScale frozen = detail::FrozenDeltaT(predicted, ts);
    const LongitudeSample atPrediction = SampleLongitudes(p, difference, predicted, frozen);
    // (A prediction already on ψ's target would leave the secant a single point.)
    double corrected =
        predicted - std::remainder(atPrediction.phase - phase, 360.0) / atPrediction.phaseRate;
    if (corrected == predicted) corrected += 0.5;
    const double t = detail::SolveSecant(
        [&](double d) {
          return d == predicted ? atPrediction.offset
                                : SampleLongitudes(p, difference, d, frozen).offset;
        },
        predicted, corrected, "planet longitude event");
    if (t - start >= detail::kOneSecond) return t;
    from = corrected + period / 4;
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
  if (!IsInner(p)) return {SolveLongitudeEvent(p, 180, 0, start, ts), ConjunctionType::Conjunction};
  const double inferior = SolveLongitudeEvent(p, 0, 0, start, ts);
  const double superior = SolveLongitudeEvent(p, 180, 0, start, ts);
  return inferior < superior ? Conjunction{inferior, ConjunctionType::Inferior}
                             : Conjunction{superior, ConjunctionType::Superior};
}

double NextOpposition(PlanetNameConstant p, double start, const TimeScale& ts) {
  RequirePlanet(p);
  if (IsInner(p)) throw Error(kInvalidArgument, "Mercury and Venus have no opposition");
  RequireFinite(start, "day count");
  return SolveLongitudeEvent(p, 0, 180, start, ts);
}

GreatestElongation NextGreatestElongation(PlanetNameConstant p, double start, const TimeScale& ts) {
  RequirePlanet(p);
  if (!IsInner(p))
    throw Error(kInvalidArgument, "only Mercury and Venus have greatest elongations");
  RequireFinite(start, "day count");
  // On circular orbits the elongation is greatest where cos ψ = r/R; west of the Sun on the way
  // from inferior to superior conjunction, east on the way back.
  const double west = DegAcos(kMeanDistance[p - 1]);
  double from = start;
  for (int i = 0; i < kMaxCandidates; ++i) {
    // The next of the two configurations ψ passes.
    const double phase = HeliocentricPhase(p, from, ts);
    const double target = phase >= west && phase < 360 - west ? 360 - west : west;
    const double guess = PredictPhase(p, target, from, ts);
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
