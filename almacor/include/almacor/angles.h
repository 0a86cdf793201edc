#pragma once

#include "almacor/constants.h"
#include "almacor/settings.h"

namespace almacor {

/// Angle routines in degrees. Arguments and results are degrees unless said otherwise.

/// a reduced into 0 <= result < 360.
double Normalize360(double a);
/// Arcsine in degrees, −90 … 90; any |x| >= 1 gives ±90 without error.
double DegAsin(double x);
/// Arccosine in degrees, 0 … 180 (90 − DegAsin(x)).
double DegAcos(double x);
/// Arctangent of y/x in degrees, 0 <= result < 360; DegAtan2(0, 0) = 0.
double DegAtan2(double y, double x);

/// Angular distance, 0 … 180, between the points (λ1, β1) and (λ2, β2) of any spherical
/// coordinates (ecliptic, equatorial, or azimuth and altitude). Finite arguments.
double AngularSeparation(double lambda1, double beta1, double lambda2, double beta2);
/// Position angle, 0 <= result < 360, of (λ2, β2) seen from (λ1, β1), counted from the pole
/// β = +90° through increasing λ. Finite arguments.
double PositionAngle(double lambda1, double beta1, double lambda2, double beta2);

/// True obliquity of the ecliptic at local day count d.
double TrueObliquity(double d, const TimeScale& ts);
/// Right ascension, 0 … 360, of ecliptic longitude λ and latitude β at obliquity ε.
double EclipticToAscension(double lambda, double beta, double epsilon);
/// Declination of ecliptic longitude λ and latitude β at obliquity ε.
double EclipticToDeclination(double lambda, double beta, double epsilon);
/// The same with the obliquity of local day count d.
double EclipticToAscension(double lambda, double beta, double d, const TimeScale& ts);
double EclipticToDeclination(double lambda, double beta, double d, const TimeScale& ts);

/// Refraction in degrees for a true altitude h in degrees; 0 at h <= −4.4 and outside its range.
double Refraction(double h);

/// Dip of the sea horizon below the astronomical horizon for an observer `heightMetres` (>= 0)
/// above it: 2.12′·√height, degrees.
double HorizonDip(double heightMetres);

/// Horizontal coordinates of a body.
struct Horizontal {
  double azimuth;    ///< from north through east, 0 <= A < 360
  double altitudeG;  ///< geocentric altitude
};
/// Horizontal coordinates of right ascension α and declination δ at local day count d for the
/// observer of `s`, with the local apparent sidereal time.
Horizontal EquatorialToHorizontal(double alpha, double delta, double d, const Settings& s);
/// Horizontal coordinates of hour angle H and declination δ for observer latitude φ.
Horizontal HourAngleToHorizontal(double hourAngle, double delta, double latitude);

/// Topocentric true altitude of a body at geocentric altitude hG whose horizontal parallax has the
/// sine rho (the Earth's equatorial radius divided by the body's distance).
double TopocentricAltitude(double altitudeG, double rho);

}  // namespace almacor
