#include <cmath>

#include "almacor/angles.h"
#include "almacor/error.h"
#include "almacor/sun.h"
#include "almacor/timescales.h"
#include "ephemeris/fast_sine.h"
#include "ephemeris/iterate.h"
#include "ephemeris/sun_detail.h"
#include "ephemeris/sun_series.h"
#include "ephemeris/sun_series_eval.h"

namespace almacor {
namespace {

// Σ (amplitude + amplitudeRate·t)·sin(phase + rate·t), with the polynomial sine of fast_sine.h.
template <class Terms>
double SumTerms(const Terms& terms, double t) {
  double sum = 0;
  for (const detail::SunTerm& term : terms) {
    sum += (term.amplitude + term.amplitudeRate * t) *
           detail::FastSineOfDegrees(term.phase + term.rate * t);
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
  return detail::SolveAngle([&](double t) { return SunLongitudeAt(t, ts); }, target, start,
                            kTropicalYear, "solar longitude solver");
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
