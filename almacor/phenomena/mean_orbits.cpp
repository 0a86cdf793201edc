#include "phenomena/mean_orbits.h"

#include <cmath>

#include "almacor/constants.h"
#include "almacor/timescales.h"
#include "ephemeris/fast_sine.h"

namespace almacor::detail {
namespace {

/// Mean orbits referred to the ecliptic and equinox of J2000.0, from "Keplerian Elements for
/// Approximate Positions of the Major Planets" (E. M. Standish, JPL), the fit for 1800–2050;
/// eccentricity, inclination and node held at their J2000.0 values. Index 0 is the Earth–Moon
/// barycentre, then Mercury … Pluto.
struct MeanOrbit {
  double axis;            ///< semi-major axis a, au
  double eccentricity;    ///< e
  double meanLongitude;   ///< L at J2000.0, degrees
  double meanMotion;      ///< degrees of L per Julian century
  double perihelion;      ///< longitude of perihelion ϖ at J2000.0, degrees
  double perihelionRate;  ///< degrees of ϖ per Julian century
  double inclination;     ///< i, degrees
  double node;            ///< longitude of the ascending node Ω, degrees
};
constexpr MeanOrbit kMeanOrbits[] = {
    {1.00000261, 0.01671123, 100.46457166, 35999.37244981, 102.93768193, 0.32327364, 0, 0},
    {0.38709927, 0.20563593, 252.25032350, 149472.67411175, 77.45779628, 0.16047689, 7.00497902,
     48.33076593},
    {0.72333566, 0.00677672, 181.97909950, 58517.81538729, 131.60246718, 0.00268329, 3.39467605,
     76.67984255},
    {1.52371034, 0.09339410, -4.55343205, 19140.30268499, -23.94362959, 0.44441088, 1.84969142,
     49.55953891},
    {5.20288700, 0.04838624, 34.39644051, 3034.74612775, 14.72847983, 0.21252668, 1.30439695,
     100.47390909},
    {9.53667594, 0.05386179, 49.95424423, 1222.49362201, 92.59887831, -0.41897216, 2.48599187,
     113.66242448},
    {19.18916464, 0.04725744, 313.23810451, 428.48202785, 170.95427630, 0.40805281, 0.77263783,
     74.01692503},
    {30.06992276, 0.00859048, -55.12002969, 218.45945325, 44.96476227, -0.32241464, 1.77004347,
     131.78422574},
    {39.48211675, 0.24882730, 238.92903833, 145.20780515, 224.06891629, -0.04062942, 17.14001206,
     110.30393684},
};

// tan²(x) to x⁴, for |x| up to 0.15 (Pluto's half inclination): within 2e-6.
constexpr double TanSquared(double x) { return x * x * (1 + 2 * x * x / 3); }

// A body on its mean orbit `centuries` Julian centuries after J2000.0: heliocentric longitude
// (degrees), its rate (degrees per day) and the true anomaly ν (degrees).
struct OrbitPlace {
  double longitude;
  double rate;
  double trueAnomaly;
};
OrbitPlace MeanOrbitPlace(const MeanOrbit& orbit, double centuries) {
  const double e = orbit.eccentricity;
  const double perihelion = orbit.perihelion + orbit.perihelionRate * centuries;
  const double m = orbit.meanLongitude + orbit.meanMotion * centuries - perihelion;
  // The equation of the centre to e³ and its rate (for Mercury the e⁴ term, 0.1°, is left to the
  // series).
  const double s1 = FastSineOfDegrees(m), c1 = FastCosineOfDegrees(m);
  const double s2 = 2 * s1 * c1, c2 = 1 - 2 * s1 * s1;
  const double s3 = s1 * c2 + c1 * s2, c3 = c1 * c2 - s1 * s2;
  const double k1 = 2 * e - e * e * e / 4, k2 = 1.25 * e * e, k3 = 13.0 / 12 * e * e * e;
  const double trueAnomaly = m + (k1 * s1 + k2 * s2 + k3 * s3) / kRad;
  double longitude = perihelion + trueAnomaly;
  // Taken down to the ecliptic to first order in tan²(i/2).
  if (orbit.inclination != 0) {
    longitude -= TanSquared(orbit.inclination / 2 * kRad) *
                 FastSineOfDegrees(2 * (longitude - orbit.node)) / kRad;
  }
  return {longitude, orbit.meanMotion / kJulianCentury * (1 + k1 * c1 + 2 * k2 * c2 + 3 * k3 * c3),
          trueAnomaly};
}

// The distance from the Sun, au, at true anomaly ν.
double MeanOrbitDistance(const MeanOrbit& orbit, double trueAnomaly) {
  const double e = orbit.eccentricity;
  return orbit.axis * (1 - e * e) / (1 + e * FastCosineOfDegrees(trueAnomaly));
}

}  // namespace

MeanConfiguration MeanConfigurationAt(PlanetNameConstant p, double d, const TimeScale& ts) {
  const double centuries = (UniversalDays(d, ts) - kJ2000Days) / kJulianCentury;
  const OrbitPlace planet = MeanOrbitPlace(kMeanOrbits[p], centuries);
  const OrbitPlace earth = MeanOrbitPlace(kMeanOrbits[0], centuries);
  return {planet.longitude - earth.longitude, planet.rate - earth.rate, planet.trueAnomaly,
          earth.trueAnomaly};
}

SunDistances MeanDistances(PlanetNameConstant p, const MeanConfiguration& at) {
  return {MeanOrbitDistance(kMeanOrbits[p], at.planetAnomaly),
          MeanOrbitDistance(kMeanOrbits[0], at.earthAnomaly)};
}

double MeanAxis(PlanetNameConstant p) { return kMeanOrbits[p].axis; }

double MeanPhaseRate(PlanetNameConstant p) {
  return (kMeanOrbits[p].meanMotion - kMeanOrbits[0].meanMotion) / kJulianCentury;
}
double SynodicPeriod(PlanetNameConstant p) { return 360 / std::fabs(MeanPhaseRate(p)); }

}  // namespace almacor::detail
