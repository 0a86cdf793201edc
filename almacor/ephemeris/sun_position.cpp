#include <cmath>
#include <cstdint>

#include "almacor/angles.h"
#include "almacor/error.h"
#include "almacor/sun.h"
#include "almacor/timescales.h"
#include "ephemeris/iterate.h"
#include "ephemeris/sun_detail.h"
#include "ephemeris/sun_series.h"
#include "ephemeris/sun_series_eval.h"

namespace almacor {
namespace {

// sin(x·kRad) for 0 <= x < 360 (degrees): folded into ±90° by the symmetries of the sine and
// evaluated with its Taylor polynomial to the 19th power, whose truncation error at ±90° is below
// 3e-16; within a few units of the last place of std::sin.
inline double SineOfDegrees(double x) {
  double y = x > 270 ? x - 360 : x;  // −90 … 270
  y = y > 90 ? 180 - y : y;          // −90 … 90
  const double r = y * kRad;
  // The polynomial in z = r² by pairs (Estrin's scheme), which shortens the chain of dependent
  // operations.
  const double z = r * r, z2 = z * z, z4 = z2 * z2, z8 = z4 * z4;
  constexpr double c1 = -1.0 / 6, c2 = 1.0 / 120, c3 = -1.0 / 5040, c4 = 1.0 / 362880,
                   c5 = -1.0 / 39916800, c6 = 1.0 / 6227020800, c7 = -1.0 / 1307674368000,
                   c8 = 1.0 / 355687428096000, c9 = -1.0 / 121645100408832000;
  const double p = (1 + c1 * z) + z2 * (c2 + c3 * z) + z4 * ((c4 + c5 * z) + z2 * (c6 + c7 * z)) +
                   z8 * (c8 + c9 * z);
  return r * p;
}

// Normalize360 written out so that it inlines: floor by truncation where the quotient fits a
// 64-bit integer (the same value as std::floor), std::floor beyond.
inline double Reduce360(double a) {
  const double y = a / 360;
  double f;
  if (std::fabs(y) < 4.5e15) {
    f = static_cast<double>(static_cast<std::int64_t>(y));
    if (f > y) f -= 1;
  } else {
    f = std::floor(y);
  }
  return (y - f) * 360;
}

template <class Terms>
double SumTerms(const Terms& terms, double t) {
  double sum = 0;
  for (const detail::SunTerm& term : terms) {
    sum += (term.amplitude + term.amplitudeRate * t) *
           SineOfDegrees(Reduce360(term.phase + term.rate * t));
  }
  return sum;
}

template <class Terms>
double SumTermsReference(const Terms& terms, double t) {
  double sum = 0;
  for (const detail::SunTerm& term : terms) {
    sum += (term.amplitude + term.amplitudeRate * t) *
           std::sin(Normalize360(term.phase + term.rate * t) * kRad);
  }
  return sum;
}

// One tropical year in days: converts a longitude error into a time step.
constexpr double kTropicalYear = 365.242194;

// About ±100000 years around 1900: far beyond where the series mean anything, yet small enough
// that every series argument stays a finite number (a huge day count would overflow ΔT and T to
// infinity and give NaN).
constexpr double kMaxSeriesDays = 3.6e7;

void RequireSeriesDay(double d) {
  RequireFinite(d, "day count");
  if (std::fabs(d) > kMaxSeriesDays) {
    throw Error(kInvalidArgument, "day count beyond the 100000 years the Sun's series accept");
  }
}

double MeanLongitude(double t) { return Normalize360(280.4603 + 360.00769 * t); }

}  // namespace

namespace detail {

double SunLongitudeSeries(double t) { return MeanLongitude(t) + SumTerms(kSunLongitudeTerms, t); }
double SunDistanceLogSeries(double t) {
  return kSunDistanceConstant + SumTerms(kSunDistanceTerms, t);
}
double SunLongitudeSeriesReference(double t) {
  return MeanLongitude(t) + SumTermsReference(kSunLongitudeTerms, t);
}
double SunDistanceLogSeriesReference(double t) {
  return kSunDistanceConstant + SumTermsReference(kSunDistanceTerms, t);
}

}  // namespace detail

double SunLongitudeAt(double d, const TimeScale& ts) {
  RequireSeriesDay(d);
  return Normalize360(detail::SunLongitudeSeries(YearsSinceEpoch(d, false, ts)));
}

double SunDistanceAt(double d, const TimeScale& ts) {
  RequireSeriesDay(d);
  return std::pow(10.0, detail::SunDistanceLogSeries(YearsSinceEpoch(d, false, ts)));
}

double SolveSunLongitude(double target, double start, const TimeScale& ts) {
  // A target beyond one turn would not be caught by the ±180° wrap below.
  if (!(target >= 0 && target <= 360)) {
    throw Error(kInvalidArgument, "solar longitude must lie between 0 and 360 degrees");
  }
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

SunEquatorial SunEquatorialAt(double d, const TimeScale& ts) {
  return detail::SunEquatorialOf(SunLongitudeAt(d, ts), d, ts);
}

SunHorizontal SunHorizontalAt(double d, const Settings& s) {
  detail::RequireValidSettings(s);
  return detail::SunHorizontalOf(SunEquatorialAt(d, s.time), SunDistanceAt(d, s.time), d, s);
}

double SunRadiusAt(double d, const TimeScale& ts) {
  return kSunSemiDiameterAu / SunDistanceAt(d, ts);
}

namespace detail {

void RequireValidSettings(const Settings& s) {
  const Observer& o = s.observer;
  if (!(std::fabs(o.latitude) <= 90)) throw Error(kInvalidArgument, "latitude outside -90 … 90");
  if (!(std::fabs(o.longitude) <= 180)) {
    throw Error(kInvalidArgument, "longitude outside -180 … 180");
  }
  // A negative height would take the square root of a negative number in the dip of the horizon.
  if (!(o.height >= 0) || !std::isfinite(o.height)) {
    throw Error(kInvalidArgument, "observer height must be 0 or more metres");
  }
  RequireFinite(s.time.timeZone, "time zone");
  RequireFinite(s.time.deltaT, "ΔT");
}

SunEquatorial SunEquatorialOf(double lambda, double d, const TimeScale& ts) {
  const double epsilon = TrueObliquity(d, ts);
  return {lambda, epsilon, EclipticToAscension(lambda, 0, epsilon),
          EclipticToDeclination(lambda, 0, epsilon)};
}

SunHorizontal SunHorizontalOf(const SunEquatorial& place, double distance, double d,
                              const Settings& s) {
  const Horizontal h = EquatorialToHorizontal(place.ascension, place.declination, d, s);
  const double altitudeT = TopocentricAltitude(h.altitudeG, kEarthRadiusKm / (distance * kAuKm));
  return {h.azimuth, h.altitudeG, altitudeT, altitudeT + Refraction(altitudeT)};
}

}  // namespace detail
}  // namespace almacor
