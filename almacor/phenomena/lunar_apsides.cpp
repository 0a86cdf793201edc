// Lunar perigee and apogee: the extremes of the Moon's distance.

#include <cmath>

#include "almacor/angles.h"
#include "almacor/moon.h"
#include "almacor/phenomena.h"
#include "almacor/timescales.h"
#include "ephemeris/iterate.h"
#include "phenomena/frozen_delta_t.h"

namespace almacor {
namespace {

/// The Moon's mean anomaly at J2000.0 and its rate, degrees and degrees per day: 0 at the mean
/// perigee, 180 at the mean apogee.
constexpr double kMeanAnomalyAtEpoch = 134.9633964;
constexpr double kMeanAnomalyRate = 13.06499295;
/// Half-width of the central difference of the distance's slope, days.
constexpr double kSlopeStep = 0.01;

}  // namespace

LunarApsis NextLunarApsis(double start, const TimeScale& ts) {
  RequireFinite(start, "day count");
  const TimeScale frozen = detail::FrozenDeltaT(start, ts);
  const auto distance = [&](double d) { return MoonDistanceAt(d, frozen); };
  const double j2000 = 36526.5;  // local day count of J2000.0 (the zone is immaterial here)
  const double anomaly = Normalize360(kMeanAnomalyAtEpoch + kMeanAnomalyRate * (start - j2000));
  // The true apsides wander up to two days from the mean ones: try the mean apsis from just
  // behind the start on, until one solves to an instant after it.
  double guess = start + (180 - std::fmod(anomaly, 180.0)) / kMeanAnomalyRate - 180 / kMeanAnomalyRate;
  for (int i = 0; i < 4; ++i, guess += 180 / kMeanAnomalyRate) {
    const double t = detail::SolveStationary(distance, guess, kSlopeStep, "lunar apsis");
    if (t - start < detail::kOneSecond) continue;
    const double at = distance(t);
    return {t, at < distance(t + 1), at};
  }
  throw Error(kOverflow, "lunar apsis search did not advance");
}

}  // namespace almacor
