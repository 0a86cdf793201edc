#include <cmath>

#include "almacor/angles.h"
#include "almacor/error.h"
#include "almacor/moon.h"
#include "almacor/sun.h"
#include "almacor/timescales.h"
#include "engine/of_date.h"
#include "ephemeris/iterate.h"
#include "ephemeris/moon_series_eval.h"

namespace almacor {
namespace {

// Julian years of dynamical time since J2000.0 of a finite local day count.
double SeriesTime(double d, const TimeScale& ts) {
  RequireFinite(d, "day count");
  return YearsSinceEpoch(d, false, ts);
}

}  // namespace

double MoonLongitudeAt(double d, const TimeScale& ts) {
  return detail::MoonLongitudeSeries(SeriesTime(d, ts));
}

double MoonLatitudeAt(double d, const TimeScale& ts) {
  return detail::MoonLatitudeSeries(SeriesTime(d, ts));
}

double MoonParallaxAt(double d, const TimeScale& ts) {
  return detail::MoonParallaxSeries(SeriesTime(d, ts));
}

MoonEcliptic MoonEclipticAt(double d, const TimeScale& ts) {
  const detail::MoonEclipticSeriesValue e = detail::MoonEclipticSeries(SeriesTime(d, ts));
  return {e.longitude, e.latitude};
}

double MoonDistanceAt(double d, const TimeScale& ts) {
  return kEarthRadiusKm / std::sin(MoonParallaxAt(d, ts) * kRad);
}

double MoonRadiusAt(double d, const TimeScale& ts) {
  return DegAsin(kMoonRadiusRatio * std::sin(MoonParallaxAt(d, ts) * kRad));
}

double MoonElongationAt(double d, const TimeScale& ts) {
  return Normalize360(MoonLongitudeAt(d, ts) - SunLongitudeAt(d, ts));
}

MoonEquatorial MoonEquatorialAt(double d, const TimeScale& ts) {
  const double t = SeriesTime(d, ts);
  const detail::MoonEclipticSeriesValue e = detail::MoonEclipticSeries(t);
  const detail::EquatorialPlace q =
      detail::EclipticToEquatorial(e.longitude, e.latitude, detail::TrueObliquityAtYears(t));
  return {q.ascension, q.declination};
}

MoonHorizontal MoonHorizontalAt(double d, const Settings& s) {
  const MoonEquatorial q = MoonEquatorialAt(d, s.time);
  const Horizontal h = EquatorialToHorizontal(q.ascension, q.declination, d, s);
  const double altitudeT =
      TopocentricAltitude(h.altitudeG, std::sin(MoonParallaxAt(d, s.time) * kRad));
  return {h.azimuth, h.altitudeG, altitudeT, altitudeT + Refraction(altitudeT)};
}

double SolveMoonElongation(double target, double start, const TimeScale& ts) {
  RequireFinite(target, "elongation");
  RequireFinite(start, "day count");
  return detail::SolveAngle(
      [&](double d) { return MoonLongitudeAt(d, ts) - SunLongitudeAt(d, ts); }, target, start,
      kSynodicMonth, "lunar elongation solver");
}

double PreviousNewMoon(double d, const TimeScale& ts) {
  double n = SolveMoonElongation(0, d, ts);
  if (n > d) n = SolveMoonElongation(0, n - kSynodicMonth, ts);
  return n;
}

double MoonAgeAt(double d, const TimeScale& ts) {
  // PreviousNewMoon, except that a new moon found within one second (the solver's tolerance) of d
  // is taken as at d: at the very instant the solver returns for a new moon the age is 0, neither a
  // fraction of a second nor a whole month, whichever side its last correction fell on.
  double n = SolveMoonElongation(0, d, ts);
  if (std::fabs(n - d) < detail::kOneSecond) return 0;
  if (n > d) n = SolveMoonElongation(0, n - kSynodicMonth, ts);
  return d - n;
}

double MoonAgeNoonAt(double d, const TimeScale& ts) {
  RequireFinite(d, "day count");
  return MoonAgeAt(std::floor(d) + 0.5, ts);
}

double MoonIlluminated(double elongation) {
  RequireFinite(elongation, "elongation");
  return (1 - std::cos(elongation * kRad)) / 2;
}

}  // namespace almacor
