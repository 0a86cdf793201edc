#include <cmath>

#include "almacor/angles.h"
#include "almacor/error.h"
#include "almacor/sun.h"
#include "almacor/timescales.h"
#include "ephemeris/iterate.h"
#include "ephemeris/sun_series.h"

namespace almacor {
namespace {

template <class Terms>
double SumTerms(const Terms& terms, double t) {
  double sum = 0;
  for (const detail::SunTerm& term : terms) {
    sum += (term.amplitude + term.amplitudeRate * t) *
           std::sin(Normalize360(term.phase + term.rate * t) * kRad);
  }
  return sum;
}

// One tropical year in days: converts a longitude error into a time step.
constexpr double kTropicalYear = 365.242194;

}  // namespace

double SunLongitudeAt(double d, const TimeScale& ts) {
  RequireFinite(d, "day count");
  const double t = YearsSinceEpoch(d, false, ts);
  const double mean = Normalize360(280.4603 + 360.00769 * t);
  return Normalize360(mean + SumTerms(detail::kSunLongitudeTerms, t));
}

double SunDistanceAt(double d, const TimeScale& ts) {
  RequireFinite(d, "day count");
  const double t = YearsSinceEpoch(d, false, ts);
  return std::pow(10.0, detail::kSunDistanceConstant + SumTerms(detail::kSunDistanceTerms, t));
}

double SolveSunLongitude(double target, double start, const TimeScale& ts) {
  RequireFinite(target, "solar longitude");
  RequireFinite(start, "day count");
  double t = start;
  detail::IterateToOneSecond(
      [&] {
        double delta = SunLongitudeAt(t, ts) - target;
        if (delta > 180) {
          delta -= 360;
        } else if (delta < -180) {
          delta += 360;
        }
        const double step = delta / 360 * kTropicalYear;
        t -= step;
        return step;
      },
      "solar longitude solver");
  return t;
}

}  // namespace almacor
