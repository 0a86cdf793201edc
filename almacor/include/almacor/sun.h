#pragma once

#include <cstdint>

#include "almacor/constants.h"
#include "almacor/date.h"
#include "almacor/events.h"
#include "almacor/settings.h"

namespace almacor {

class Calendar;

// Pure solar computations. Time arguments are local linear day counts d (days since 1899-12-30
// 00:00 local civil time of `ts.timeZone`); the series run in Julian years of dynamical time since
// J2000.0, reached from d through the time zone and ΔT of the settings passed. Angles are degrees.
// The series are compact: checked against a full planetary theory (VSOP87 through PyEphem, at
// equal dynamical time), the longitude, right ascension and declination agree to 0.008° over
// 1800–2200 and the distance to 3e-5 au; the angles drift to about 0.1° by the years 500 and 3000
// and 0.35° by 5000. Day counts up to ±3.6e7 (about 100000 years) are accepted; a non-finite or
// larger one raises Error 5.

/// The Sun's apparent ecliptic longitude (with nutation, without a separate aberration term) at
/// local day count d, degrees 0 <= λ < 360. The Sun's latitude is taken as 0. Raises Error 5 for
/// a non-finite d or |d| > 3.6e7.
double SunLongitudeAt(double d, const TimeScale& ts);
/// The Sun's distance from the Earth's centre at local day count d, au. Raises Error 5 for a
/// non-finite d or |d| > 3.6e7.
double SunDistanceAt(double d, const TimeScale& ts);
/// The local day count at which the Sun's longitude equals `target` (degrees, 0 <= target <= 360),
/// the passage nearest in longitude to `start` (a local day count), so within half a year of it;
/// to one second. Raises Error 5 for a non-finite argument or a target outside 0 … 360.
double SolveSunLongitude(double target, double start, const TimeScale& ts);

/// The Sun's apparent geocentric place at an instant, referred to the true equator and equinox of
/// date. Degrees.
struct SunEquatorial {
  double longitude;    ///< apparent ecliptic longitude λ, 0 <= λ < 360
  double obliquity;    ///< true obliquity of the ecliptic ε
  double ascension;    ///< right ascension α, 0 <= α < 360
  double declination;  ///< declination δ, −90 … 90
};
/// The Sun's longitude, the true obliquity, right ascension and declination at local day count d.
/// Raises Error 5 for a non-finite d or |d| > 3.6e7.
SunEquatorial SunEquatorialAt(double d, const TimeScale& ts);

/// The Sun in the observer's sky at an instant. Degrees.
struct SunHorizontal {
  double azimuth;    ///< from north through east, 0 <= A < 360 (geocentric, no refraction)
  double altitudeG;  ///< geocentric altitude of the centre
  double altitudeT;  ///< topocentric true altitude (geocentric less the parallax in altitude)
  double altitude;  ///< topocentric apparent altitude: altitudeT plus refraction (0 below −4.4°)
};
/// Azimuth and altitudes of the Sun at local day count d for the observer of `s`, with the local
/// apparent sidereal time. Raises Error 5 for a non-finite d, |d| > 3.6e7, an observer outside
/// its ranges (|latitude| <= 90, |longitude| <= 180, height >= 0 metres) or a non-finite time
/// zone or ΔT.
SunHorizontal SunHorizontalAt(double d, const Settings& s);

/// The Sun's apparent semi-diameter at local day count d, degrees: kSunSemiDiameterAu divided by
/// the distance in au. Raises Error 5 for a non-finite d or |d| > 3.6e7.
double SunRadiusAt(double d, const TimeScale& ts);

/// The daily events of the Sun. The value is the code of the event: bit 0 set = evening (setting
/// side), clear = morning.
enum class SunEventCode : std::int16_t {
  Rise = 0,                    ///< upper limb at −35′08″ of refraction
  Set = 1,                     ///<
  Dawn = 2,                    ///< centre at −7°21′40″, morning
  Dusk = 3,                    ///< centre at −7°21′40″, evening
  CivilTwilightR = 4,          ///< centre at −6°, morning
  CivilTwilightS = 5,          ///< centre at −6°, evening
  NauticalTwilightR = 8,       ///< centre at −12°, morning
  NauticalTwilightS = 9,       ///< centre at −12°, evening
  AstronomicalTwilightR = 16,  ///< centre at −18°, morning
  AstronomicalTwilightS = 17,  ///< centre at −18°, evening
  Culmination = 32,            ///< upper transit (hour angle 0)
};

/// The eleven daily events of the Sun for one local civil day. Times are local linear day counts.
/// `culmination.value` is the culmination altitude (geocentric altitude at hour angle 0 plus
/// refraction, degrees); `rise.value` and `set.value` are azimuths (degrees from north through
/// east, without refraction or parallax); the twilights carry the value 0.
struct SunEvents {
  BodyEvent culmination;
  BodyEvent rise;
  BodyEvent set;
  BodyEvent dawn;
  BodyEvent dusk;
  BodyEvent civilTwilightR;
  BodyEvent civilTwilightS;
  BodyEvent nauticalTwilightR;
  BodyEvent nauticalTwilightS;
  BodyEvent astronomicalTwilightR;
  BodyEvent astronomicalTwilightS;
  friend bool operator==(const SunEvents&, const SunEvents&) = default;
};

/// Sunrise and sunset of one local civil day, as in SunEvents.
struct SunRiseSet {
  BodyEvent rise;
  BodyEvent set;
  friend bool operator==(const SunRiseSet&, const SunRiseSet&) = default;
};

/// The eleven events of the local civil day Floor(d) for the observer and time scale of `s`.
///
/// Each event is the instant, to one second, at which the local apparent hour angle of the Sun's
/// centre reaches the hour angle of its target altitude (0 for the culmination), iterated from
/// 06:00 (morning events), 12:00 (culmination) or 18:00 (evening events) local time. Target
/// altitudes of the centre (geocentric): rise and set −S/r − 35′08″, dawn and dusk −7°21′40″,
/// twilights −6°, −12°, −18° (S = kSunSemiDiameterAu, r the distance in au); every target except
/// the culmination is lowered by the dip of the horizon 2.12′·√(height in metres) and raised by the
/// Sun's horizontal parallax (8.794″ at 1 au).
///
/// When the Sun does not reach an event's altitude on that day the event takes a substitute time:
/// if the Sun stays above it all day (polar day), the lower culmination, i.e. the culmination ±12
/// hours on the same date; if it stays below (polar night), the culmination time itself. The rise
/// and set azimuths are then those of the meridian. An event near local midnight may converge to
/// a time on the neighbouring date; it is returned as found.
///
/// Raises Error 5 for a non-finite d, |d| > 3.6e7, or settings outside their ranges
/// (|latitude| <= 90, |longitude| <= 180, height >= 0 metres, finite time zone and ΔT). Each
/// iteration is capped far above the few passes it needs and raises Error 6 if it ever reaches
/// the cap.
SunEvents CalcSunEvents(double d, const Settings& s);

/// One event of CalcSunEvents; the culmination is computed as well only when the event falls back
/// on it. Same ranges and errors.
BodyEvent CalcSunEvent(SunEventCode code, double d, const Settings& s);

/// Sunrise and sunset of CalcSunEvents, about five times cheaper than all eleven events.
/// Same ranges and errors.
SunRiseSet CalcSunRiseSet(double d, const Settings& s);

/// The Sun for the instant of its Calendar. Reached only through Calendar::Sun().
///
/// The longitude and the daily events are stored when the Calendar recalculates; every other
/// position value is computed on demand from the stored instant and longitude with the
/// library-wide observer, time zone and ΔT in force at the call. Event times are local civil
/// `Date`s; reading one that falls outside 0100-01-01 … 9999-12-31 raises Error 6.
class SunObject {
 public:
  SunObject(const SunObject&) = delete;
  SunObject& operator=(const SunObject&) = delete;

  /// 指定日の近傍で太陽の黄経がLongitude（度）になる日時を求めます。
  /// The local civil date and time, to one second, at which the Sun's apparent longitude equals
  /// `sunLongitude` (degrees, any finite value, reduced into 0 … 360), the passage nearest in
  /// longitude to `sDay` (so within half a year of it). `sDay` is not modified. A non-finite
  /// longitude raises Error 5; a result outside the date range raises Error 6.
  Date CalcDate(double sunLongitude, const Date& sDay) const;

  /// 黄経を取得します。値の設定はできません。
  /// Apparent ecliptic longitude at the instant, degrees, 0 <= λ < 360 (stored).
  double Longitude() const { return longitude_; }
  /// 黄道傾斜角を取得します。値の設定はできません。
  /// True obliquity of the ecliptic at the instant, degrees.
  double Obliquity() const;
  /// 赤経を取得します。値の設定はできません。
  /// Apparent right ascension, degrees 0 <= α < 360.
  double Ascension() const;
  /// 赤緯を取得します。値の設定はできません。
  /// Apparent declination, degrees.
  double Declination() const;
  /// 方位角を取得します。値の設定はできません。
  /// Azimuth from north through east, degrees 0 <= A < 360.
  double Azimuth() const;
  /// 地心高度を取得します。値の設定はできません。
  /// Geocentric altitude, degrees.
  double AltitudeG() const;
  /// 測心真高度を取得します。値の設定はできません。
  /// Topocentric true altitude (with parallax), degrees.
  double AltitudeT() const;
  /// 測心視高度を取得します。値の設定はできません。
  /// Topocentric apparent altitude (with parallax and refraction), degrees.
  double Altitude() const;
  /// 太陽までの距離をau単位で取得します。値の設定はできません。
  /// Distance from the Earth's centre, au.
  double Distance() const;
  /// 視半径を取得します。値の設定はできません。
  /// Apparent semi-diameter, degrees (16′01.18″ at 1 au).
  double Radius() const;

  /// 日出時刻を取得します。値の設定はできません。
  /// Sunrise of the instant's local date (stored).
  Date RiseTime() const { return Date::FromDays(events_.rise.time); }
  /// 日出の方位角を取得します。値の設定はできません。
  /// Azimuth of sunrise, degrees from north through east (stored).
  double RiseAzimuth() const { return events_.rise.value; }
  /// 日没時刻を取得します。値の設定はできません。
  /// Sunset of the instant's local date (stored).
  Date SetTime() const { return Date::FromDays(events_.set.time); }
  /// 日没の方位角を取得します。値の設定はできません。
  /// Azimuth of sunset, degrees from north through east (stored).
  double SetAzimuth() const { return events_.set.value; }
  /// 南中時刻を取得します。値の設定はできません。
  /// Upper culmination of the instant's local date (stored).
  Date CulminationTime() const { return Date::FromDays(events_.culmination.time); }
  /// 南中高度を取得します。値の設定はできません。
  /// Altitude at culmination, degrees: geocentric plus refraction (stored).
  double CulminationAltitude() const { return events_.culmination.value; }
  /// 夜明けの時刻を取得します。値の設定はできません。
  /// Centre at −7°21′40″ in the morning (stored).
  Date Dawn() const { return Date::FromDays(events_.dawn.time); }
  /// 日暮れの時刻を取得します。値の設定はできません。
  /// Centre at −7°21′40″ in the evening (stored).
  Date Twilight() const { return Date::FromDays(events_.dusk.time); }
  /// 常用薄明（明け方）の時刻を取得します。値の設定はできません。
  /// Centre at −6° in the morning (stored).
  Date CivilTwilightR() const { return Date::FromDays(events_.civilTwilightR.time); }
  /// 常用薄明（夕方）の時刻を取得します。値の設定はできません。
  /// Centre at −6° in the evening (stored).
  Date CivilTwilightS() const { return Date::FromDays(events_.civilTwilightS.time); }
  /// 航海薄明（明け方）の時刻を取得します。値の設定はできません。
  /// Centre at −12° in the morning (stored).
  Date NauticalTwilightR() const { return Date::FromDays(events_.nauticalTwilightR.time); }
  /// 航海薄明（夕方）の時刻を取得します。値の設定はできません。
  /// Centre at −12° in the evening (stored).
  Date NauticalTwilightS() const { return Date::FromDays(events_.nauticalTwilightS.time); }
  /// 天文薄明（明け方）の時刻を取得します。値の設定はできません。
  /// Centre at −18° in the morning (stored).
  Date AstronomicalTwilightR() const { return Date::FromDays(events_.astronomicalTwilightR.time); }
  /// 天文薄明（夕方）の時刻を取得します。値の設定はできません。
  /// Centre at −18° in the evening (stored).
  Date AstronomicalTwilightS() const { return Date::FromDays(events_.astronomicalTwilightS.time); }

 private:
  friend class Calendar;
  SunObject() = default;
  /// Stores the instant, its longitude and the events of its local date; the events are kept when
  /// the local date, the observer, the time zone and the ΔT settings are those of the last update.
  void UpdateSun(double d);
  SunHorizontal HorizontalNow() const;

  double instant_ = 0;
  double longitude_ = 0;
  SunEvents events_{};
  // What the stored events were computed for.
  bool eventsValid_ = false;
  double eventsDay_ = 0;
  Settings eventsSettings_;
};

}  // namespace almacor
