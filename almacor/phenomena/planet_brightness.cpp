// Apparent visual magnitudes and phases of the planets: Mallama and Hilton, "Computing apparent
// planetary magnitudes for The Astronomical Almanac", Astronomy and Computing 25 (2018) 10–24;
// Pluto from the Astronomical Almanac.

#include <cmath>

#include "almacor/angles.h"
#include "almacor/error.h"
#include "almacor/phenomena.h"
#include "almacor/planet.h"
#include "almacor/sun.h"
#include "almacor/timescales.h"

namespace almacor {
namespace {

// Σ c[i]·x^i.
template <std::size_t N>
double Polynomial(const double (&c)[N], double x) {
  double sum = 0;
  for (std::size_t i = N; i-- > 0;) sum = sum * x + c[i];
  return sum;
}

// Tilt of Saturn's rings towards the Earth, degrees: the Earth's Saturnicentric latitude over the
// ring plane (inclination and node on the ecliptic of date, Julian centuries T since J2000.0)
// from Saturn's geocentric ecliptic longitude and latitude.
double SaturnRingTilt(double longitude, double latitude, double centuries) {
  const double inclination = (28.075216 - 0.012998 * centuries) * kRad;
  const double node = (169.508470 + 1.394681 * centuries) * kRad;
  const double l = longitude * kRad, b = latitude * kRad;
  return DegAsin(std::sin(inclination) * std::cos(b) * std::sin(l - node) -
                 std::cos(inclination) * std::sin(b));
}

// The magnitude at unit distances from the Sun and the Earth at phase angle a (degrees).
double ReducedMagnitude(PlanetNameConstant p, double a, double ringTilt) {
  switch (p) {
    case plMercury: {
      static constexpr double c[] = {-0.613,      6.3280e-02, -1.6336e-03, 3.3644e-05,
                                     -3.4265e-07, 1.6893e-09, -3.0334e-12};
      return Polynomial(c, a);
    }
    case plVenus: {
      if (a < 163.7) {
        static constexpr double c[] = {-4.384, -1.044e-03, 3.687e-04, -2.814e-06, 8.938e-09};
        return Polynomial(c, a);
      }
      static constexpr double c[] = {236.05828, -2.81914, 8.39034e-03};
      return Polynomial(c, a);
    }
    case plMars: {
      if (a <= 50) {
        static constexpr double c[] = {-1.601, 2.267e-02, -1.302e-04};
        return Polynomial(c, a);
      }
      static constexpr double c[] = {-0.367, -0.02573, 3.445e-04};
      return Polynomial(c, a);
    }
    case plJupiter: {
      if (a <= 12) {
        static constexpr double c[] = {-9.395, -3.7e-04, 6.16e-04};
        return Polynomial(c, a);
      }
      static constexpr double c[] = {1.0, -1.507, -0.363, -0.062, 2.809, -1.876};
      return -9.428 - 2.5 * std::log10(Polynomial(c, a / 180));
    }
    case plSaturn: {
      const double s = std::sin(std::fabs(ringTilt) * kRad);
      return -8.914 - 1.825 * s + 0.026 * a - 0.378 * s * std::exp(-2.25 * a);
    }
    case plUranus: {
      static constexpr double c[] = {-7.110, 6.587e-03, 1.045e-04};
      return Polynomial(c, a);
    }
    case plNeptune: {
      static constexpr double c[] = {-7.00, 7.944e-03, 9.617e-05};
      return Polynomial(c, a);
    }
    case plPluto:
      return -1.01 + 0.041 * a;
  }
  throw Error(kInvalidArgument, "planet out of range");
}

}  // namespace

PlanetBrightness PlanetBrightnessOf(PlanetNameConstant p, const PlanetPosition& position, double d,
                                    const TimeScale& ts) {
  if (p < plMercury || p > plPluto) throw Error(kInvalidArgument, "planet out of range");
  const double r = position.heliocentric.distance, delta = position.distance;
  if (!(r > 0) || !(delta > 0)) throw Error(kDivisionByZero, "planet distance is 0");
  const double earthSun = SunDistanceAt(d, ts);
  const double phase = DegAcos((r * r + delta * delta - earthSun * earthSun) / (2 * r * delta));
  const double tilt = p == plSaturn ? SaturnRingTilt(position.longitude, position.latitude,
                                                     YearsSinceEpoch(d, false, ts) / 100)
                                    : 0;
  return {ReducedMagnitude(p, phase, tilt) + 5 * std::log10(r * delta),
          (1 + std::cos(phase * kRad)) / 2, phase};
}

PlanetBrightness PlanetBrightnessAt(PlanetNameConstant p, double d, const TimeScale& ts) {
  if (p < plMercury || p > plPluto) throw Error(kInvalidArgument, "planet out of range");
  return PlanetBrightnessOf(p, PlanetPositionAt(p, d, ts), d, ts);
}

}  // namespace almacor
