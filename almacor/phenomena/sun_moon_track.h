#pragma once

// The Sun and the Moon over a few hours around a syzygy, for the eclipse computations: their
// series are evaluated at five instants 3 hours apart and interpolated by quartics in time, both
// the series values and the geocentric positions in km (within ±7 hours of the centre the
// interpolation errs by less than 1e-5° and a few metres), so that the many evaluations of a
// contact search cost a few multiplications each.

#include "almacor/settings.h"

namespace almacor::detail {

struct Vector3 {
  double x, y, z;
};
inline Vector3 operator-(const Vector3& a, const Vector3& b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vector3 operator+(const Vector3& a, const Vector3& b) {
  return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vector3 operator*(double k, const Vector3& a) { return {k * a.x, k * a.y, k * a.z}; }
inline double Dot(const Vector3& a, const Vector3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
double Norm(const Vector3& a);
/// The angle between two vectors, degrees, accurate also when it is tiny.
double AngleBetween(const Vector3& a, const Vector3& b);

/// Geocentric positions at one instant, km, in the frame of the true equator and equinox of date
/// (x towards the equinox, z towards the pole).
struct SunMoonPlace {
  Vector3 sun;
  Vector3 moon;
  double moonDistance;  ///< km
  double sunDistance;   ///< km
};

/// The interpolated series values at one instant.
struct SunMoonEcliptic {
  double moonLongitude;  ///< degrees, continuous over the track (not reduced to 0 … 360)
  double moonLatitude;   ///< degrees
  double moonParallax;   ///< equatorial horizontal parallax, degrees
  double sunLongitude;   ///< degrees, continuous over the track
  double sunDistance;    ///< au
};

class SunMoonTrack {
 public:
  /// Samples the series around local day count `centre`.
  SunMoonTrack(double centre, const TimeScale& ts);

  double Centre() const { return centre_; }
  /// Positions at local day count d (within about 7 hours of the centre).
  SunMoonPlace At(double d) const;
  /// The series values at local day count d.
  SunMoonEcliptic EclipticAt(double d) const;
  /// Sets the observer whose position Observer returns (`s` has the track's time zone and ΔT).
  void SetObserver(const Settings& s);
  /// The observer's position at local day count d, km, same frame (a sphere of the Earth's
  /// equatorial radius, as the library's topocentric altitudes take it).
  Vector3 Observer(double d) const;
  /// The apparent altitude, degrees (refraction included), of the body at geocentric position
  /// `body` seen from the observer at `observer` (as Observer gives it).
  static double ApparentAltitude(const Vector3& body, const Vector3& observer);

 private:
  struct Quartic {
    double c[5];
    double operator()(double u) const {
      return c[0] + u * (c[1] + u * (c[2] + u * (c[3] + u * c[4])));
    }
  };
  static Quartic Fit(const double f[5]);

  double centre_;
  double sinObliquity_, cosObliquity_;
  Quartic moonLongitude_, moonLatitude_, moonParallax_, sunLongitude_, sunDistance_;
  Quartic moon_[3], sun_[3];     ///< x, y, z, km
  double siderealAtCentre_ = 0;  ///< local apparent sidereal time at the centre, degrees
  double sinLatitude_ = 0, cosLatitude_ = 1;
};

}  // namespace almacor::detail
