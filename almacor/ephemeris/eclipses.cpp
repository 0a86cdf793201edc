#include "almacor/eclipses.h"

#include <cmath>

#include "almacor/angles.h"
#include "almacor/constants.h"
#include "almacor/date.h"

namespace almacor {
namespace {

// The shadow cones are widened by the Earth's atmosphere.
constexpr double kShadowEnlargement = 1.02;

double Parallax(double distanceKm) { return DegAsin(kEarthRadiusKm / distanceKm); }

}  // namespace

double SolarEclipseLimit(double moonRadius, double moonDistanceKm, double sunRadius,
                         double sunDistanceAu) {
  const double moonParallax = Parallax(moonDistanceKm);
  const double sunParallax = DegAsin(kEarthRadiusKm / sunDistanceAu / kAuKm);
  return moonRadius + sunRadius + moonParallax - sunParallax;
}

double LunarEclipseLimit(double moonDistanceKm, double sunDistanceAu) {
  const double moonRadius = DegAsin(kMoonRadiusKm / moonDistanceKm);
  const double sunRadiusFromMoon = DegAsin(kSunRadiusKm / (sunDistanceAu * kAuKm + moonDistanceKm));
  return moonRadius + Parallax(moonDistanceKm) - sunRadiusFromMoon;
}

bool IsEclipse(const SyzygyPlace& p, bool lunar) {
  const double limit =
      lunar ? LunarEclipseLimit(p.moonDistanceKm, p.sunDistanceAu)
            : SolarEclipseLimit(p.moonRadius, p.moonDistanceKm, p.sunRadius, p.sunDistanceAu);
  return std::fabs(p.moonLatitude) < limit;
}

TopocentricDisc TopocentricDiscOf(double azimuth, double altitudeG, double distanceKm,
                                  double radiusKm) {
  constexpr double re = kEarthRadiusKm;
  const double z = (90 - altitudeG) * kRad;
  const double parallax = DegAtan2(re * std::sin(z), distanceKm - re * std::cos(z));
  // The topocentric distance by the cosine rule: the same as Re·sin z / sin p, but defined with
  // the body in the zenith, where that quotient is 0 / 0.
  const double topocentric =
      std::sqrt(distanceKm * distanceKm + re * re - 2 * distanceKm * re * std::cos(z));
  const double p = parallax > 180 ? parallax - 360 : parallax;
  return {azimuth, altitudeG - p, DegAsin(radiusKm / topocentric)};
}

TopocentricDisc SunDiscOf(double azimuth, double altitudeG, double distanceAu) {
  return TopocentricDiscOf(azimuth, altitudeG, distanceAu * kAuKm, kSunRadiusKm);
}

TopocentricDisc MoonDiscOf(double azimuth, double altitudeG, double distanceKm) {
  return TopocentricDiscOf(azimuth, altitudeG, distanceKm, kMoonRadiusKm);
}

Separation DiscSeparation(const TopocentricDisc& sun, const TopocentricDisc& moon) {
  return {AngularSeparation(sun.azimuth, sun.altitude, moon.azimuth, moon.altitude),
          PositionAngle(sun.azimuth, sun.altitude, moon.azimuth, moon.altitude)};
}

double SolarEclipseMagnitude(double sunRadius, double moonRadius, double separation) {
  return (sunRadius + moonRadius - separation) / (2 * sunRadius);
}

ShadowRadii EarthShadowRadii(double moonDistanceKm, double sunDistanceAu) {
  constexpr double re = kEarthRadiusKm;
  const double sunKm = sunDistanceAu * kAuKm;
  // Similar triangles along the cones tangent to the Sun and the Earth.
  const double penumbraKm = re + moonDistanceKm * (kSunRadiusKm + kEarthRadiusKm) / sunKm;
  const double umbraKm = re - moonDistanceKm * (kSunRadiusKm - kEarthRadiusKm) / sunKm;
  return {DegAtan2(kShadowEnlargement * penumbraKm, moonDistanceKm),
          DegAtan2(kShadowEnlargement * umbraKm, moonDistanceKm)};
}

Separation ShadowSeparation(double sunAscension, double sunDeclination, double moonAscension,
                            double moonDeclination) {
  const double shadowAscension = Normalize360(sunAscension + 180);
  const double shadowDeclination = -sunDeclination;
  return {AngularSeparation(shadowAscension, shadowDeclination, moonAscension, moonDeclination),
          PositionAngle(shadowAscension, shadowDeclination, moonAscension, moonDeclination)};
}

double LunarEclipseMagnitude(double moonRadius, double umbraRadius, double separation) {
  return (moonRadius + umbraRadius - separation) / (2 * moonRadius);
}

EclipseSpan EclipseSearchRange(bool lunar) {
  const EclipseSpan& span = lunar ? kLunarEclipseSpan : kSolarEclipseSpan;
  return {DateToDays(span.first), DateToDays(span.last)};
}

}  // namespace almacor
