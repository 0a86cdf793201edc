#include "almacor/angles.h"

#include <cmath>

#include "almacor/timescales.h"
#include "engine/of_date.h"

namespace almacor {
namespace {

double Sign(double x) { return x > 0 ? 1.0 : x < 0 ? -1.0 : 0.0; }

// λ2 − λ1 in radians, each reduced by whole turns first: the difference of two huge longitudes
// would overflow to infinity and its cosine to NaN.
double LongitudeDifference(double lambda1, double lambda2) {
  return (std::fmod(lambda2, 360.0) - std::fmod(lambda1, 360.0)) * kRad;
}

}  // namespace

double Normalize360(double a) {
  const double r = (a / 360 - std::floor(a / 360)) * 360;
  return r >= 360 ? 0 : r;  // a tiny negative a rounds up to 360
}

double DegAsin(double x) {
  const double s = x * x;
  if (s >= 1) return Sign(x) * 90;
  return std::atan(x / std::sqrt(1 - s)) / kRad;
}

double DegAcos(double x) { return 90 - DegAsin(x); }

double AngularSeparation(double lambda1, double beta1, double lambda2, double beta2) {
  const double b1 = beta1 * kRad, b2 = beta2 * kRad, dl = LongitudeDifference(lambda1, lambda2);
  return DegAcos(std::sin(b2) * std::sin(b1) + std::cos(b1) * std::cos(b2) * std::cos(dl));
}

double PositionAngle(double lambda1, double beta1, double lambda2, double beta2) {
  const double b1 = beta1 * kRad, b2 = beta2 * kRad, dl = LongitudeDifference(lambda1, lambda2);
  const double x = std::sin(b2) * std::cos(b1) - std::sin(b1) * std::cos(b2) * std::cos(dl);
  const double y = std::cos(b2) * std::sin(dl);
  return DegAtan2(y, x);
}

double HorizonDip(double heightMetres) { return kDipPerRootMetre * std::sqrt(heightMetres); }

double DegAtan2(double y, double x) {
  double a = x != 0 ? std::atan(y / x) / kRad : Sign(y) * 90;
  if (x < 0) a += 180;
  return Normalize360(a);
}

double TrueObliquity(double d, const TimeScale& ts) {
  return detail::TrueObliquityAtYears(YearsSinceEpoch(d, false, ts));
}

double detail::TrueObliquityAtYears(double t) {
  const double mean =
      23.4392911111111 - (0.46815 * t + 5.9e-8 * t * t - 1.813e-9 * t * t * t) / 3600;
  const double nutation = 0.00256 * std::cos((234.95 + 19.341 * t) * kRad) +
                          0.00015 * std::cos((201.1 + 720.02 * t) * kRad);
  return mean + nutation;
}

detail::EquatorialPlace detail::EclipticToEquatorial(double lambda, double beta, double epsilon) {
  const double e = epsilon * kRad;
  return EclipticToEquatorial(lambda, beta, std::sin(e), std::cos(e));
}

detail::EquatorialPlace detail::EclipticToEquatorial(double lambda, double beta, double sinE,
                                                     double cosE) {
  const double l = lambda * kRad, b = beta * kRad;
  const double sinL = std::sin(l), cosL = std::cos(l), sinB = std::sin(b), cosB = std::cos(b);
  return {DegAtan2(sinL * cosB * cosE - sinB * sinE, cosL * cosB),
          DegAsin(sinB * cosE + cosB * sinE * sinL)};
}

double EclipticToAscension(double lambda, double beta, double epsilon) {
  return detail::EclipticToEquatorial(lambda, beta, epsilon).ascension;
}

double EclipticToDeclination(double lambda, double beta, double epsilon) {
  return detail::EclipticToEquatorial(lambda, beta, epsilon).declination;
}

double EclipticToAscension(double lambda, double beta, double d, const TimeScale& ts) {
  return EclipticToAscension(lambda, beta, TrueObliquity(d, ts));
}

double EclipticToDeclination(double lambda, double beta, double d, const TimeScale& ts) {
  return EclipticToDeclination(lambda, beta, TrueObliquity(d, ts));
}

double Refraction(double h) {
  if (h <= -4.4) return 0;
  const double a = h + 8.6 / (h + 4.4);
  if (a <= 0 || a >= 90) return 0;
  return 0.0167 / std::tan(a * kRad);
}

Horizontal HourAngleToHorizontal(double hourAngle, double delta, double latitude) {
  const double h = hourAngle * kRad, dl = delta * kRad, p = latitude * kRad;
  const double altitude =
      DegAsin(std::cos(p) * std::cos(dl) * std::cos(h) + std::sin(p) * std::sin(dl));
  const double azimuth =
      DegAtan2(-std::cos(dl) * std::sin(h),
               std::cos(p) * std::sin(dl) - std::sin(p) * std::cos(dl) * std::cos(h));
  return {azimuth, altitude};
}

Horizontal EquatorialToHorizontal(double alpha, double delta, double d, const Settings& s) {
  const double theta = CalcSiderealTime(d, LocalApparent, s);
  return HourAngleToHorizontal(theta - alpha, delta, s.observer.latitude);
}

double TopocentricAltitude(double altitudeG, double rho) {
  const double z = (90 - altitudeG) * kRad;
  return altitudeG - DegAtan2(rho * std::sin(z), 1 - rho * std::cos(z));
}

}  // namespace almacor
