#pragma once

#include <cstdint>

#include "almacor/date.h"
#include "almacor/events.h"
#include "almacor/settings.h"

namespace almacor {

class Calendar;

/// The eight planets, in order from the Sun.
enum PlanetNameConstant : std::int32_t {
  plMercury = 1,
  plVenus = 2,
  plMars = 3,
  plJupiter = 4,
  plSaturn = 5,
  plUranus = 6,
  plNeptune = 7,
  plPluto = 8,
};

// Pure computations for batch use. Unless said otherwise: d is a local linear day count (days
// since 1899-12-30 00:00 local civil time, any finite value; the series are compact and lose
// accuracy centuries away from 2000); angles are degrees; distances are au. A planet outside
// plMercury … plPluto, or a non-finite argument, raises Error 5.

/// A planet's heliocentric ecliptic position of date, straight from its series.
struct HeliocentricPosition {
  double longitude;  ///< L, degrees; 0 <= L < 360 except for Saturn (about 92 … 452, unreduced)
  double latitude;   ///< B, degrees
  double distance;   ///< radius vector r, au
};

/// A planet's heliocentric position and its geocentric ecliptic position of date.
struct PlanetPosition {
  HeliocentricPosition heliocentric;
  double longitude;  ///< geocentric λ, 0 <= λ < 360, corrected for aberration and light time
  double latitude;   ///< geocentric β (not corrected)
  double distance;   ///< geocentric distance Δ, au (not corrected)
};

/// Right ascension and declination of date.
struct PlanetEquatorial {
  double ascension;    ///< α, 0 <= α < 360 degrees
  double declination;  ///< δ, degrees
};

/// A planet's place in the observer's sky.
struct PlanetHorizontal {
  double azimuth;    ///< geocentric azimuth, from north through east, 0 <= A < 360
  double altitudeG;  ///< geocentric altitude
  double altitudeT;  ///< topocentric true altitude (with the planet's parallax)
  double altitude;   ///< topocentric apparent altitude (altitudeT plus refraction)
};

/// Heliocentric L, B, r of planet p at local day count d. The series time is Julian years of
/// dynamical time (ΔT from `ts`) since J2000.0, for Saturn since 1974-12-31 00:00.
HeliocentricPosition PlanetHeliocentricAt(PlanetNameConstant p, double d, const TimeScale& ts);

/// Heliocentric and geocentric position of planet p at local day count d: the series reduced to
/// the Earth with the Sun's longitude (without its aberration) and distance; the geocentric
/// longitude then loses the aberration of the Sun's light, 0.0056932°/R·cos(λ − λ☉), and the
/// planet's light-time and aberration term, k/r·cos(λ − L), with k from 0.0035 (Mercury) to
/// 0.0347 (Pluto).
PlanetPosition PlanetPositionAt(PlanetNameConstant p, double d, const TimeScale& ts);

/// Right ascension and declination of date of a geocentric position at local day count d.
PlanetEquatorial PlanetEquatorialOf(const PlanetPosition& position, double d, const TimeScale& ts);
/// Right ascension and declination of date of planet p at local day count d.
PlanetEquatorial PlanetEquatorialAt(PlanetNameConstant p, double d, const TimeScale& ts);

/// What the places of every planet at one instant share: the series times, the Sun's place that
/// reduces a heliocentric position to the Earth, and the obliquity. To compute several planets at
/// one instant, take PlanetInstantAt once and pass it to PlanetPositionAt or PlanetEquatorialAt
/// for each planet: the results are those of the forms taking (p, d, ts), to the last bit, without
/// recomputing ΔT, the Sun's series or the obliquity for every planet. The value is plain data,
/// valid for the instant and time scale it was computed for.
struct PlanetInstant {
  double day;           ///< the local day count d
  double years;         ///< Julian years of dynamical time since J2000.0
  double saturnYears;   ///< the same since 1974-12-31 00:00, for Saturn's series
  double sunLongitude;  ///< the Sun's apparent longitude without its aberration, degrees
  double sunDistance;   ///< the Sun's distance, au
  double sunX, sunY;    ///< the Sun's geocentric ecliptic rectangular coordinates, au
  double obliquity;     ///< the true obliquity of the ecliptic ε, degrees
  double sinObliquity, cosObliquity;
};
/// The shared values of local day count d. A non-finite d, or |d| > 3.6e7, raises Error 5.
PlanetInstant PlanetInstantAt(double d, const TimeScale& ts);
/// PlanetPositionAt(p, d, ts) for the instant of `at`.
PlanetPosition PlanetPositionAt(PlanetNameConstant p, const PlanetInstant& at);
/// PlanetEquatorialAt(p, d, ts) for the instant of `at`.
PlanetEquatorial PlanetEquatorialAt(PlanetNameConstant p, const PlanetInstant& at);

/// Horizontal values of a geocentric position at local day count d for the observer of `s`
/// (local apparent sidereal time; parallax from the distance with the Earth's equatorial radius
/// kEarthRadiusKm). A distance of 0 raises Error 11.
PlanetHorizontal PlanetHorizontalOf(const PlanetPosition& position, double d, const Settings& s);
/// Horizontal values of planet p at local day count d for the observer of `s`.
PlanetHorizontal PlanetHorizontalAt(PlanetNameConstant p, double d, const Settings& s);

/// Apparent semi-diameter, degrees, of planet p at geocentric distance `distance` au (from its
/// equatorial radius, 2439.7 km for Mercury … 71492 km for Jupiter). A distance of 0 raises
/// Error 11; a negative one Error 5.
double PlanetRadius(PlanetNameConstant p, double distance);

/// Rise, upper culmination and set of planet p for the local civil day of d (any instant in it)
/// and the observer of `s`; times are local day counts, UT + time zone.
/// - Each event is iterated from local noon with a rate of 361° of hour angle per day, the
///   position recomputed at every step, until a step is under one second: the event nearest to
///   noon in hour angle, which may fall on the previous or next civil day.
/// - Rise and set: the centre on the apparent horizon, −35′08″ − dip (2.12′·√height in metres)
///   plus the horizontal parallax (8.794148″ at 1 au); their values are the azimuths.
/// - Culmination: its value is the geocentric meridian altitude plus refraction (no parallax).
/// - A planet that stays below the horizon all day has rise = set = culmination; one that stays
///   above has both at culmination + 12 h (− 12 h on 9999-12-31). Their azimuths are those of the
///   last horizon hour angle found, or of the meridian if none was.
/// A negative or non-finite height, or a non-finite longitude or latitude, raises Error 5.
RiseTransitSet CalcPlanetEvents(PlanetNameConstant p, double d, const Settings& s);

/// One planet at a time, selected by Name, at the instant of the last recalculation of its
/// Calendar. Reached only through Calendar::Planet().
///
/// Assigning Name computes and stores the position and the events of that planet at the stored
/// instant; a recalculation of the Calendar only stores the new instant, so the values stay those
/// of the last assignment until Name is assigned again. Equatorial and horizontal values and
/// Radius are computed on demand from the stored position, the stored instant and the library's
/// observer and time zone at the call. Before the first assignment every stored value is 0 (and
/// the event times 1899-12-30 00:00); the on-demand values are then those of λ = β = 0, except
/// that Radius, AltitudeT and Altitude, which divide by the distance, raise Error 11.
class PlanetObject {
 public:
  PlanetObject(const PlanetObject&) = delete;
  PlanetObject& operator=(const PlanetObject&) = delete;

  /// 惑星を設定します。値の取得も可能です。
  /// The selected planet; 0 before the first assignment.
  PlanetNameConstant Name() const { return static_cast<PlanetNameConstant>(name_); }
  /// Selects planet n (values below 1 select Mercury, above 8 Pluto) and computes its position,
  /// then its culmination, rise and set, at the stored instant. Raises Error 5 for a negative
  /// observer height (the position is then already stored), Error 6 for an event outside the
  /// Date range.
  void SetName(std::int32_t n);

  /// 地心黄経を取得します。値の設定はできません。
  /// Geocentric ecliptic longitude λ of date, 0 <= λ < 360 degrees.
  double Longitude() const { return position_.longitude; }
  /// 地心黄緯を取得します。値の設定はできません。
  /// Geocentric ecliptic latitude β, degrees.
  double Latitude() const { return position_.latitude; }
  /// 地心距離をau単位で取得します。値の設定はできません。
  /// Geocentric distance Δ, au.
  double Distance() const { return position_.distance; }
  /// 日心黄経を取得します。値の設定はできません。
  /// Heliocentric longitude L, degrees; Saturn's is not reduced to 0..360.
  double LongitudeS() const { return position_.heliocentric.longitude; }
  /// 日心黄緯を取得します。値の設定はできません。
  /// Heliocentric latitude B, degrees.
  double LatitudeS() const { return position_.heliocentric.latitude; }
  /// 太陽との距離をau単位で取得します。値の設定はできません。
  /// Radius vector r, au.
  double DistanceS() const { return position_.heliocentric.distance; }
  /// 視半径を取得します。値の設定はできません。
  /// Apparent semi-diameter, degrees. Raises Error 11 before the first Name assignment (the
  /// distance is still 0).
  double Radius() const;
  /// 赤経を取得します。値の設定はできません。
  /// Right ascension of date, 0 <= α < 360 degrees.
  double Ascension() const;
  /// 赤緯を取得します。値の設定はできません。
  /// Declination of date, degrees.
  double Declination() const;
  /// 地心高度を取得します。値の設定はできません。
  /// Geocentric altitude, degrees.
  double AltitudeG() const;
  /// 測心真高度を取得します。値の設定はできません。
  /// Topocentric true altitude, degrees. Raises Error 11 before the first Name assignment.
  double AltitudeT() const;
  /// 測心視高度を取得します。値の設定はできません。
  /// Topocentric apparent altitude (with refraction), degrees. Raises Error 11 before the first
  /// Name assignment.
  double Altitude() const;
  /// 方位角を取得します。値の設定はできません。
  /// Geocentric azimuth, degrees from north (0) through east (90).
  double Azimuth() const;
  /// 没の時刻を取得します。値の設定はできません。
  Date SetTime() const { return setTime_; }
  /// 没の方位角を取得します。値の設定はできません。
  /// Degrees from north through east.
  double SetAzimuth() const { return events_.set.value; }
  /// 出の時刻を取得します。値の設定はできません。
  Date RiseTime() const { return riseTime_; }
  /// 出の方位角を取得します。値の設定はできません。
  /// Degrees from north through east.
  double RiseAzimuth() const { return events_.rise.value; }
  /// 南中時刻を取得します。値の設定はできません。
  Date CulminationTime() const { return culminationTime_; }
  /// 南中高度を取得します。値の設定はできません。
  /// Geocentric meridian altitude plus refraction, degrees.
  double CulminationAltitude() const { return events_.culmination.value; }

 private:
  friend class Calendar;
  PlanetObject() = default;
  void UpdatePlanet(double d) { instant_ = d; }
  PlanetHorizontal Horizontal() const;

  double instant_ = 0;
  std::int32_t name_ = 0;
  PlanetPosition position_{};
  RiseTransitSet events_{};
  Date riseTime_, setTime_, culminationTime_;
};

}  // namespace almacor
