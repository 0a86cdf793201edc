#pragma once

// Eclipse geometry: pure functions of the Sun's and the Moon's places, radii and distances. Angles
// are degrees; the Moon's distance is km from the Earth's centre, the Sun's au; radii written as
// angles are apparent semi-diameters. Nothing here reads a Calendar or the library settings.

namespace almacor {

/// Limit of the Moon's geocentric ecliptic latitude at a new moon below which a partial solar
/// eclipse is seen somewhere on the Earth: the semi-diameters of the Moon and the Sun plus the
/// Moon's horizontal parallax less the Sun's. `moonRadius`, `sunRadius` degrees.
double SolarEclipseLimit(double moonRadius, double moonDistanceKm, double sunRadius,
                         double sunDistanceAu);
/// Limit of the Moon's latitude at a full moon below which the Moon touches the umbra: the Moon's
/// semi-diameter from its distance plus its parallax less the Sun's semi-diameter seen from the
/// Moon (the Sun–Moon distance taken as the Sun–Earth plus the Earth–Moon distance).
double LunarEclipseLimit(double moonDistanceKm, double sunDistanceAu);

/// The Sun and the Moon at a new or full moon, as the eclipse condition reads them.
struct SyzygyPlace {
  double moonLatitude;    ///< geocentric ecliptic latitude, degrees
  double moonRadius;      ///< apparent geocentric semi-diameter, degrees
  double moonDistanceKm;  ///< from the Earth's centre
  double sunRadius;       ///< apparent semi-diameter, degrees
  double sunDistanceAu;
};
/// Whether the new moon (`lunar` false) or full moon of `p` has an eclipse: |β| below
/// SolarEclipseLimit or LunarEclipseLimit.
bool IsEclipse(const SyzygyPlace& p, bool lunar);

/// A body's disc as the observer sees it.
struct TopocentricDisc {
  double azimuth = 0;   ///< degrees from north through east
  double altitude = 0;  ///< geocentric altitude lowered by the parallax, degrees (no refraction)
  double radius = 0;    ///< apparent semi-diameter from the topocentric distance, degrees
};
/// The disc of a body of radius `radiusKm` at `distanceKm` from the Earth's centre and geocentric
/// altitude `altitudeG` (degrees), seen from the Earth's surface (equatorial radius). Also defined
/// with the body in the zenith.
TopocentricDisc TopocentricDiscOf(double azimuth, double altitudeG, double distanceKm,
                                  double radiusKm);
/// The Sun's and the Moon's topocentric discs from their azimuths, geocentric altitudes (degrees)
/// and distances; the radii are kSunRadiusKm and kMoonRadiusKm.
TopocentricDisc SunDiscOf(double azimuth, double altitudeG, double distanceAu);
TopocentricDisc MoonDiscOf(double azimuth, double altitudeG, double distanceKm);

/// Separation of two points and the direction of the second from the first, degrees.
struct Separation {
  double distance;   ///< 0 … 180
  double direction;  ///< 0 <= direction < 360, from the pole (zenith, north) through increasing
                     ///< longitude (azimuth, right ascension)
};
/// The Moon's centre seen from the Sun's on the observer's sky (direction from the zenith).
Separation DiscSeparation(const TopocentricDisc& sun, const TopocentricDisc& moon);
/// Magnitude of a solar eclipse, (sS + sM − d) / 2sS: the fraction of the Sun's diameter covered;
/// negative when the discs do not touch.
double SolarEclipseMagnitude(double sunRadius, double moonRadius, double separation);

/// Radii of the Earth's shadow at the Moon's distance, degrees seen from the Earth's centre, 2 %
/// larger than the geometric cones for the Earth's atmosphere.
struct ShadowRadii {
  double penumbra;
  double umbra;
};
ShadowRadii EarthShadowRadii(double moonDistanceKm, double sunDistanceAu);
/// The Moon's centre seen from the centre of the Earth's shadow (the point opposite the Sun), from
/// the geocentric right ascensions and declinations of both (degrees); direction from north.
Separation ShadowSeparation(double sunAscension, double sunDeclination, double moonAscension,
                            double moonDeclination);
/// Magnitude of a lunar eclipse, (sM + U − d) / 2sM: the fraction of the Moon's diameter inside
/// the umbra of radius U; negative when the Moon misses the umbra.
double LunarEclipseMagnitude(double moonRadius, double umbraRadius, double separation);

/// The first and the last eclipse of a kind within the supported years, 0100 … 9999.
///
/// Each is kept as the date value of its instant in dynamical time (Date's encoding: before
/// 1899-12-30 the fraction is the time of day, so −657379.8331 is 0100-02-25 19:59:44 TD). Two
/// callers read them differently, on purpose:
/// - the search range (EclipseSearchRange) decodes the value into a day count of dynamical time
///   and is compared with the searched instant converted to dynamical time;
/// - the limits of the eclipse view's "前の食" / "次の食" items (EclipseMenuLimits) take the stored
///   value itself as a local day count, compared with the local instant. Before 1899-12-30 that
///   reads the fraction backwards, so the first limits fall earlier than the eclipses by twice
///   their time of day (0100-02-24 04:00:16 and 0100-02-10 13:17:50); the last ones are the same
///   clock readings, taken as local time. An item may thus be enabled a little outside the search
///   range; the search then finds nothing, beeps and leaves the instant unchanged.
struct EclipseSpan {
  double first;
  double last;
};
/// Date values, dynamical time.
inline constexpr EclipseSpan kSolarEclipseSpan{-657379.8331481481,   // 0100-02-25 19:59:44 TD
                                               2958376.4557407405};  // 9999-10-03 10:56:16 TD
inline constexpr EclipseSpan kLunarEclipseSpan{-657393.4459490741,   // 0100-02-11 10:42:10 TD
                                               2958391.847164352};   // 9999-10-18 20:19:55 TD
/// The first and last eclipse as day counts of dynamical time.
EclipseSpan EclipseSearchRange(bool lunar);
/// The limits of the eclipse view's items as local day counts (see above).
inline constexpr EclipseSpan EclipseMenuLimits(bool lunar) {
  return lunar ? kLunarEclipseSpan : kSolarEclipseSpan;
}

}  // namespace almacor
