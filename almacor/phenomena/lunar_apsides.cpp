// Lunar perigee and apogee: the extremes of the Moon's distance.

#include <cmath>

#include "almacor/angles.h"
#include "almacor/error.h"
#include "almacor/moon.h"
#include "almacor/phenomena.h"
#include "almacor/timescales.h"
#include "ephemeris/iterate.h"
#include "phenomena/frozen_delta_t.h"

namespace almacor {
namespace {

/// Half-width of the central difference of the distance's slope, days.
constexpr double kSlopeStep = 0.01;

// The instant of apsis k (whole k perigees, k + 0.5 apogees, counted from 1999-12-22) by the
// mean anomalistic month and the largest solar perturbations of Meeus, "Astronomical
// Algorithms", chapter 50: within about an hour of the true one. Julian day, dynamical time.
double PredictedApsis(double k) {
  const double d = (171.9179 + 335.9106046 * k) * kRad;  // the Moon's mean elongation
  const double m = (347.3477 + 27.1577721 * k) * kRad;   // the Sun's mean anomaly
  const double f = (316.6109 + 364.5287911 * k) * kRad;  // the Moon's argument of latitude
  const double mean = 2451534.6698 + 27.55454989 * k;
  if (k == std::floor(k)) {
    return mean - 1.6769 * std::sin(2 * d) + 0.4589 * std::sin(4 * d) - 0.1856 * std::sin(6 * d) +
           0.0883 * std::sin(8 * d) - 0.0773 * std::sin(2 * d - m) + 0.0502 * std::sin(m) -
           0.0460 * std::sin(10 * d) + 0.0422 * std::sin(4 * d - m) - 0.0256 * std::sin(6 * d - m) +
           0.0253 * std::sin(12 * d) + 0.0237 * std::sin(d) + 0.0162 * std::sin(8 * d - m);
  }
  return mean + 0.4392 * std::sin(2 * d) + 0.0684 * std::sin(4 * d) + 0.0456 * std::sin(m) +
         0.0426 * std::sin(2 * d - m) + 0.0212 * std::sin(2 * f) - 0.0189 * std::sin(d) +
         0.0144 * std::sin(6 * d) + 0.0113 * std::sin(4 * d - m);
}

}  // namespace

LunarApsis NextLunarApsis(double start, const TimeScale& ts) {
  RequireFinite(start, "day count");
  const TimeScale frozen = detail::FrozenDeltaT(start, ts);
  const auto distance = [&](double d) { return MoonDistanceAt(d, frozen); };
  // From the local day count to the dynamical Julian day of the predictions and back.
  const double offset = JulianDayTDOf(start, frozen) - start;
  // The half-month count of the apsis before the start; the predictions run from there.
  double k = std::floor((start + offset - 2451534.6698) / 27.55454989 * 2) / 2 - 0.5;
  for (int i = 0; i < 6; ++i, k += 0.5) {
    const double guess = PredictedApsis(k) - offset;
    if (guess < start - 0.5) continue;
    const bool perigee = k == std::floor(k);
    if (guess < start + 0.5) {
      // Near the start (a chain starts at the apsis before): the distance's slope there tells
      // whether this apsis is already past.
      const double slope = distance(start + detail::kOneSecond + kSlopeStep) -
                           distance(start + detail::kOneSecond - kSlopeStep);
      if (perigee ? slope > 0 : slope < 0) continue;
    }
    const double t = detail::SolveStationary(distance, guess, kSlopeStep, "lunar apsis");
    if (t - start < detail::kOneSecond) continue;
    return {t, perigee, distance(t)};
  }
  throw Error(kOverflow, "lunar apsis search did not advance");
}

}  // namespace almacor
