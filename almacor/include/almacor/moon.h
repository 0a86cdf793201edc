#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "almacor/constants.h"
#include "almacor/date.h"
#include "almacor/events.h"
#include "almacor/settings.h"

namespace almacor {

class Calendar;

// The Moon's position and events as pure functions. Instants are local linear day counts d (days
// since 1899-12-30 00:00 local civil time, the zone of `ts`); the series run in Julian years of
// dynamical time since J2000.0 (ΔT from `ts`). Angles are degrees. Every function raises
// Error 5 for a non-finite instant or argument; the series are valid for any finite instant but
// lose accuracy far from 2000 (a few hundredths of a degree within 1800–2200).

/// The Moon's apparent geocentric ecliptic longitude (true equinox of date; the series already
/// holds nutation and aberration) at local day count d, degrees 0 <= λ < 360.
double MoonLongitudeAt(double d, const TimeScale& ts);
/// The Moon's geocentric ecliptic latitude at local day count d, degrees (within about ±5.3°).
double MoonLatitudeAt(double d, const TimeScale& ts);
/// The Moon's equatorial horizontal parallax π at local day count d, degrees (about 0.9 … 1.0).
double MoonParallaxAt(double d, const TimeScale& ts);

/// Apparent geocentric ecliptic longitude and latitude together (one ΔT evaluation for both).
struct MoonEcliptic {
  double longitude;  ///< degrees, 0 <= λ < 360, as MoonLongitudeAt
  double latitude;   ///< degrees, as MoonLatitudeAt
};
MoonEcliptic MoonEclipticAt(double d, const TimeScale& ts);

/// The Moon's distance from the Earth's centre at local day count d: kEarthRadiusKm / sin π, km.
double MoonDistanceAt(double d, const TimeScale& ts);
/// The Moon's apparent (geocentric) semi-diameter at local day count d, degrees:
/// asin(kMoonRadiusRatio·sin π).
double MoonRadiusAt(double d, const TimeScale& ts);
/// Elongation at local day count d: Normalize360(λ − λ☉), the difference of the ecliptic
/// longitudes Moon − Sun, degrees 0 <= E < 360 (0 new moon, 180 full moon).
double MoonElongationAt(double d, const TimeScale& ts);

/// Right ascension and declination.
struct MoonEquatorial {
  double ascension;    ///< degrees, 0 <= α < 360
  double declination;  ///< degrees
};
/// Apparent geocentric right ascension and declination at local day count d (true obliquity of
/// date).
MoonEquatorial MoonEquatorialAt(double d, const TimeScale& ts);

/// The Moon seen from the observer.
struct MoonHorizontal {
  double azimuth;    ///< geocentric, degrees from north through east, 0 <= A < 360
  double altitudeG;  ///< geocentric altitude hG, degrees
  double altitudeT;  ///< topocentric true altitude hT = hG − parallax in altitude (spherical
                     ///< Earth; the observer's height is not used), degrees
  double altitude;   ///< topocentric apparent altitude hT + Refraction(hT), degrees
};
/// Horizontal coordinates at local day count d for the observer of `s` (local apparent sidereal
/// time).
MoonHorizontal MoonHorizontalAt(double d, const Settings& s);

/// The local day count at which the Moon's longitude minus the Sun's equals `target` (degrees,
/// 0 <= target < 360), iterated from `start` with the synodic month to one second; the passage
/// nearest to the start, within about half a synodic month. Raises Error 5 for non-finite
/// arguments and Error 6 if the iteration does not settle.
double SolveMoonElongation(double target, double start, const TimeScale& ts);
/// The local day count of the new moon at or before local day count d.
double PreviousNewMoon(double d, const TimeScale& ts);

/// The four principal phases; the elongation at each is 90° times its number.
enum class MoonPhaseKind : std::int16_t {
  NewMoon = 0,       ///< 新月 (朔), 0°
  FirstQuarter = 1,  ///< 上弦, 90°
  FullMoon = 2,      ///< 満月 (望), 180°
  LastQuarter = 3,   ///< 下弦, 270°
};
/// "新月", "上弦", "満月" or "下弦".
std::string_view MoonPhaseName(MoonPhaseKind kind);
struct MoonPhase {
  double time = 0;  ///< local day count
  MoonPhaseKind kind = MoonPhaseKind::NewMoon;
};
/// Every principal phase with from <= time < to, in time order: each one solved with
/// SolveMoonElongation from the one before plus a quarter of the synodic month, starting at the
/// new moon at or before `from`. Raises Error 5 for non-finite bounds.
std::vector<MoonPhase> MoonPhasesBetween(double from, double to, const TimeScale& ts);

/// The Moon's age at local day count d: days since the new moon at or before d, 0 <= age < ~29.8.
/// A new moon less than one second from d (the solvers' tolerance) counts as at d: the age at the
/// instant SolveMoonElongation returns for a new moon is 0.
double MoonAgeAt(double d, const TimeScale& ts);
/// The age at local noon of the civil day of d (Floor(d) + 0.5); the same for every d of a day.
double MoonAgeNoonAt(double d, const TimeScale& ts);
/// Illuminated fraction from the elongation E (degrees): (1 − cos E)/2, from the difference of
/// ecliptic longitudes, not from the true phase angle.
double MoonIlluminated(double elongation);

/// Event codes of CalcMoonEvent.
enum MoonEventCode : std::int16_t {
  kMoonRise = 0,
  kMoonSet = 1,
  kMoonCulmination = 2,
};

/// One daily event of the Moon for the civil day of local day count d and the observer of `s`,
/// iterated from local noon to one second with the Moon's hour-angle rate of 347.8°/day: the event
/// nearest to noon in hour angle, which can fall on the previous or next day.
///   culmination: upper transit; value = topocentric apparent altitude (with refraction).
///   rise / set: the centre of the Moon crosses the altitude π − dip − 35′08″ (dip = 2.12′·√height;
///   no semi-diameter); value = azimuth. When the Moon's centre stays above that altitude all day
///   the time is `culminationTime` + 0.5 day (− 0.5 day on 9999-12-31); when it stays below, the
///   time is `culminationTime`.
/// `culminationTime` (a local day count) is only read for rise and set. Raises Error 5 for a
/// non-finite argument, an unknown code or a negative observer height.
BodyEvent CalcMoonEvent(MoonEventCode code, double d, const Settings& s,
                        double culminationTime = 0);
/// Culmination, then rise and set (which use that culmination), for the civil day of d.
RiseTransitSet CalcMoonEvents(double d, const Settings& s);

/// The Moon for the instant of its Calendar. Reached only through Calendar::Moon(). Longitude,
/// latitude, elongation and the events are stored by each recalculation; every other value is
/// computed when read, from the stored instant and the library-wide settings in force then. All
/// values are 0 until the first recalculation.
class MoonObject {
 public:
  MoonObject(const MoonObject&) = delete;
  MoonObject& operator=(const MoonObject&) = delete;

  /// 指定日の近傍で月と太陽の離角がElong（度）になる日時を求めます。
  /// The instant nearest to `sDay` (within about half a synodic month) at which the elongation
  /// equals Normalize360(`Elong`) degrees: 0 new moon, 90 first quarter, 180 full moon, 270 last
  /// quarter. When `sDay` is omitted the search starts from the Calendar's current instant (the
  /// instant of its last recalculation). Raises Error 5 for a non-finite `Elong`.
  Date CalcDate(double Elong, std::optional<Date> sDay = std::nullopt) const;
  /// 黄経を取得します。値の設定はできません。
  /// Apparent geocentric ecliptic longitude, degrees 0 <= λ < 360 (stored).
  double Longitude() const { return longitude_; }
  /// 黄緯を取得します。値の設定はできません。
  /// Geocentric ecliptic latitude, degrees (stored).
  double Latitude() const { return latitude_; }
  /// 月と太陽の離角を取得します。値の設定はできません。
  /// Ecliptic longitude of the Moon minus the Sun's, degrees 0 <= E < 360 (stored); not the
  /// angular distance on the sky.
  double Elongation() const { return elongation_; }
  /// 赤経を取得します。値の設定はできません。
  /// Right ascension, degrees 0 <= α < 360.
  double Ascension() const;
  /// 赤緯を取得します。値の設定はできません。
  /// Declination, degrees.
  double Declination() const;
  /// 方位角を取得します。値の設定はできません。
  /// Geocentric azimuth, degrees from north through east.
  double Azimuth() const;
  /// 地心高度を取得します。値の設定はできません。
  /// Geocentric altitude, degrees.
  double AltitudeG() const;
  /// 測心真高度を取得します。値の設定はできません。
  /// Topocentric true altitude (without refraction), degrees.
  double AltitudeT() const;
  /// 測心視高度を取得します。値の設定はできません。
  /// Topocentric apparent altitude (with refraction), degrees.
  double Altitude() const;
  /// 月までの距離をkm単位で取得します。値の設定はできません。
  /// Distance from the Earth's centre, km.
  double Distance() const;
  /// 視半径を取得します。値の設定はできません。
  /// Apparent semi-diameter, degrees.
  double Radius() const;
  /// 月出時刻を取得します。値の設定はできません。
  /// Moonrise of the instant's civil day (see CalcMoonEvent for the day it may fall on).
  Date RiseTime() const { return riseTime_; }
  /// 月出の方位角を取得します。値の設定はできません。
  /// Azimuth of the moonrise, degrees from north through east.
  double RiseAzimuth() const { return riseAzimuth_; }
  /// 月没時刻を取得します。値の設定はできません。
  /// Moonset of the instant's civil day.
  Date SetTime() const { return setTime_; }
  /// 月没の方位角を取得します。値の設定はできません。
  /// Azimuth of the moonset, degrees from north through east.
  double SetAzimuth() const { return setAzimuth_; }
  /// 南中時刻を取得します。値の設定はできません。
  /// Upper meridian transit of the instant's civil day.
  Date CulminationTime() const { return culminationTime_; }
  /// 南中高度を取得します。値の設定はできません。
  /// Topocentric apparent altitude at the transit, degrees.
  double CulminationAltitude() const { return culminationAltitude_; }
  /// 正午の月齢を取得します。値の設定はできません。
  /// Age at local noon of the instant's civil day, days.
  double AgeNoon() const;
  /// 指定時刻の月齢を取得します。値の設定はできません。
  /// Age at the instant, days since the new moon at or before it.
  double Age() const;
  /// 輝面比を取得します。値の設定はできません。
  /// Illuminated fraction (1 − cos E)/2 of the stored elongation E.
  double Illuminated() const;

 private:
  friend class Calendar;
  MoonObject() = default;
  void UpdateMoon(double d);

  double instant_ = 0;
  double longitude_ = 0;
  double elongation_ = 0;
  double latitude_ = 0;
  Date setTime_, riseTime_;
  double riseAzimuth_ = 0, setAzimuth_ = 0;
  Date culminationTime_;
  double culminationAltitude_ = 0;

  // The events depend only on the civil day and the settings; they are reused while both stay.
  struct EventKey {
    double day;
    Settings settings;
  };
  std::optional<EventKey> eventKey_;
};

}  // namespace almacor
