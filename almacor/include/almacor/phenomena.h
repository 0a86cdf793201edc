#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "almacor/planet.h"
#include "almacor/settings.h"

namespace almacor {

// Phenomena: eclipses with their contacts, conjunctions, oppositions and elongations of the
// planets, lunar apsides, altitude and azimuth crossings, and the brightness of the planets.
//
// Every instant is a local linear day count (days since 1899-12-30 00:00 local civil time of the
// time zone passed), solved to one second from the library's series; angles are degrees. A search
// "after" an instant returns the first event at least one second after it, one "before" the last
// event at least one second before it, so a chain of searches started from each found event moves
// on. A non-finite argument raises Error 5; a search that does not settle raises Error 6.

/// Which way a search runs from its start.
enum class SearchDirection : std::int16_t { Next, Previous };

/// Type of a solar eclipse, globally (along the shadow axis) or at one place.
enum class SolarEclipseType : std::int16_t { Partial, Annular, Total };
/// Type of a lunar eclipse: the deepest shadow the Moon's disc enters.
enum class LunarEclipseType : std::int16_t { Penumbral, Partial, Total };

/// The Sun's apparent topocentric altitude (refraction included, as SunHorizontal::altitude) at
/// the contacts of a local eclipse, degrees; negative while the Sun is below the horizon.
struct EclipseSunAltitudes {
  double begin;
  double maximum;
  double end;
};

/// A solar eclipse as the observer sees it, from the topocentric discs of the Sun and the Moon
/// (spherical Earth of radius 6378.14 km; the observer's height is not used).
struct LocalSolarEclipse {
  SolarEclipseType type;  ///< partial, or annular/total when the Moon's disc lies wholly inside
                          ///< the Sun's or covers it here
  double begin;           ///< first contact (discs touching outside), local day count; also
                          ///< reported when the Sun is then below the horizon
  double maximum;         ///< least distance between the centres, local day count
  double end;             ///< last contact, local day count
  std::optional<double> totalBegin;  ///< second contact, when annular or total here
  std::optional<double> totalEnd;    ///< third contact, when annular or total here
  double magnitude;    ///< (sS + sM − d) / (2 sS) at the maximum: semi-diameters sS of the Sun
                       ///< and sM of the Moon, d the distance of their centres
  double obscuration;  ///< fraction of the Sun's disc covered at the maximum, 0 … 1
  EclipseSunAltitudes sunAltitude;
};

/// A solar eclipse: its global type and greatest eclipse, and what the observer sees of it.
struct SolarEclipse {
  SolarEclipseType type;  ///< global type: that of the shadow axis where it passes nearest the
                          ///< Earth's centre; partial when the axis misses the Earth
  double greatest;        ///< the instant the axis passes nearest the Earth's centre, local day
                          ///< count
  /// The observer's circumstances; empty unless the Sun's centre is above the horizon (apparent
  /// altitude above 0) at some instant between the first and the last contact.
  std::optional<LocalSolarEclipse> local;

  /// The instant the eclipse is listed at: the local maximum when seen, else the greatest eclipse.
  double time() const { return local ? local->maximum : greatest; }
};

/// The solar eclipse after (or before) local day count `start`, ordered by time(), for the
/// observer, time zone and ΔT of `s`. Each new moon whose Moon lies near a node is examined: an
/// eclipse happens when the Moon's penumbral cone reaches the Earth's surface.
SolarEclipse SearchSolarEclipse(double start, SearchDirection direction, const Settings& s);

/// A lunar eclipse, against the Earth's shadow as the lunar eclipse view draws it: at the Moon's
/// distance D the penumbra has the radius 6378.14 + D·702367.38 / (R·149597870.7) km and the umbra
/// 6378.14 − D·689611.1 / (R·149597870.7) km (R the Sun's distance in au), both enlarged by 1.02
/// for the atmosphere. Times are local day counts; a phase the Moon does not reach is empty.
struct LunarEclipse {
  LunarEclipseType type;
  double penumbralBegin;
  std::optional<double> partialBegin;
  std::optional<double> totalBegin;
  double maximum;  ///< least distance between the Moon's centre and the shadow axis
  std::optional<double> totalEnd;
  std::optional<double> partialEnd;
  double penumbralEnd;
  double umbralMagnitude;     ///< (sM + U − d) / (2 sM) at the maximum (negative when penumbral)
  double penumbralMagnitude;  ///< (sM + P − d) / (2 sM) at the maximum
  double moonAltitude;  ///< the Moon's apparent topocentric altitude at the maximum (as Altitude)
  bool visible;  ///< the Moon's centre is above the horizon (apparent altitude above 0) at some
                 ///< instant between the first and the last penumbral contact
};

/// The lunar eclipse whose maximum lies after (or before) local day count `start`, penumbral
/// eclipses included, with the Moon's altitude for the observer of `s`.
LunarEclipse SearchLunarEclipse(double start, SearchDirection direction, const Settings& s);

/// Conjunction of a planet with the Sun: equal geocentric apparent ecliptic longitudes.
enum class ConjunctionType : std::int16_t {
  Conjunction,  ///< Mars … Pluto
  Inferior,     ///< Mercury or Venus between the Earth and the Sun
  Superior,     ///< Mercury or Venus beyond the Sun
};
struct Conjunction {
  double time;  ///< local day count
  ConjunctionType type;
};
/// The first conjunction of planet p with the Sun after `start`.
Conjunction NextConjunction(PlanetNameConstant p, double start, const TimeScale& ts);

/// The first opposition of planet p (Mars … Pluto) after `start`: its geocentric apparent ecliptic
/// longitude 180° from the Sun's; local day count. Mercury or Venus raise Error 5.
double NextOpposition(PlanetNameConstant p, double start, const TimeScale& ts);

/// A greatest elongation: a maximum of the angular distance between the Sun and the planet.
struct GreatestElongation {
  double time;        ///< local day count
  bool east;          ///< east of the Sun (evening sky), else west (morning sky)
  double elongation;  ///< the angular distance Sun–planet, degrees (about 18 … 28 for Mercury,
                      ///< 45 … 47 for Venus)
};
/// The first greatest elongation, east or west, of Mercury or Venus after `start`; another planet
/// raises Error 5.
GreatestElongation NextGreatestElongation(PlanetNameConstant p, double start, const TimeScale& ts);

/// A lunar perigee or apogee: an extreme of the distance between the centres of the Earth and the
/// Moon.
struct LunarApsis {
  double time;        ///< local day count
  bool perigee;       ///< nearest (perigee), else farthest (apogee)
  double distanceKm;  ///< the distance then, km (about 356400 … 370400 at perigee, 404000 …
                      ///< 406700 at apogee)
};
/// The first lunar perigee or apogee after `start`.
LunarApsis NextLunarApsis(double start, const TimeScale& ts);

/// The bodies an altitude or azimuth crossing can be asked for.
enum class SkyBody : std::int16_t {
  Sun,
  Moon,
  Mercury,
  Venus,
  Mars,
  Jupiter,
  Saturn,
  Uranus,
  Neptune,
  Pluto
};
/// "Sun", "Moon", "Mercury" … "Pluto".
std::string_view SkyBodyName(SkyBody body);
/// The body named `name` (as SkyBodyName gives it), or empty.
std::optional<SkyBody> SkyBodyFromName(std::string_view name);

/// An instant at which a body's apparent topocentric altitude (as Altitude) passes a given value.
struct AltitudeCrossing {
  double time;     ///< local day count
  bool rising;     ///< the altitude is increasing
  double azimuth;  ///< degrees from north through east, 0 <= A < 360
};
/// Every crossing of `altitude` (degrees, −90 … 90) by the apparent altitude of `body` with
/// from <= time < to, in time order, for the observer of `s`; crossings below the horizon count
/// too. The altitude is sampled every half hour and each extreme between samples examined, so a
/// body grazing the value within 0.001° may be missed. Raises Error 5 for an altitude outside
/// −90 … 90, to < from, or a span over 400 years.
std::vector<AltitudeCrossing> AltitudeCrossings(SkyBody body, double altitude, double from,
                                                double to, const Settings& s);

/// An instant at which a body's azimuth passes a given value.
struct AzimuthCrossing {
  double time;      ///< local day count
  double altitude;  ///< apparent topocentric altitude then, degrees
};
/// Every passage of the azimuth of `body` (from north through east, the library's Azimuth)
/// through `azimuth` (degrees, 0 … 360) with from <= time < to, in time order, for the observer
/// of `s`. Raises Error 5 for an azimuth outside 0 … 360, to < from, or a span over 400 years.
std::vector<AzimuthCrossing> AzimuthCrossings(SkyBody body, double azimuth, double from, double to,
                                              const Settings& s);

/// How bright a planet looks.
struct PlanetBrightness {
  double magnitude;    ///< apparent visual magnitude V
  double illuminated;  ///< illuminated fraction of the disc, (1 + cos α)/2, 0 … 1
  double phaseAngle;   ///< α, the angle Sun–planet–Earth, degrees 0 … 180
};
/// The brightness of planet p at its position `position` (as PlanetPositionAt gives it at local
/// day count d). The magnitudes follow Mallama and Hilton, "Computing apparent planetary
/// magnitudes for The Astronomical Almanac" (Astronomy and Computing 25, 2018): their phase curves
/// for Mercury to Neptune (Mars and Uranus without the small terms of the planet's longitude and
/// sub-latitude, Neptune with its absolute magnitude after 2000), Saturn's globe and rings with the
/// rings' tilt towards the Earth; Pluto from the Astronomical Almanac's V = −1.01 + 5 log(rΔ) +
/// 0.041α.
PlanetBrightness PlanetBrightnessOf(PlanetNameConstant p, const PlanetPosition& position, double d,
                                    const TimeScale& ts);
/// The same at local day count d.
PlanetBrightness PlanetBrightnessAt(PlanetNameConstant p, double d, const TimeScale& ts);

}  // namespace almacor
