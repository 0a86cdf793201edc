#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "almacor/calendars.h"
#include "almacor/date.h"
#include "almacor/settings.h"
#include "almacor/timescales.h"

namespace almacor {

class SunObject;
class MoonObject;
class PlanetObject;
class MathObject;

/// Selects the year, month or day a calendar query refers to: civil (Gregorian), lunisolar (Q) or
/// solar-term (Z).
enum QmYmdConstants : int {
  YmdYear = 0,
  YmdQYear = 1,
  YmdZYear = 2,
  YmdMonth = 3,
  YmdQMonth = 4,
  YmdZMonth = 5,
  YmdDay = 6,
};

/// Bit 1 = ten stems, bit 2 = twelve branches; both = the sixty-cycle.
enum ZodiacalConstants : int {
  Zodiac10 = 1,
  Zodiac12 = 2,
  Zodiac60 = 3,
};

/// The root object: set the observer and the instant, read the calendars here and the ephemeris
/// from the children. The observer, the time zone and the ΔT settings are library-wide: every
/// Calendar of the process shares them. Every setter validates (a rejected value raises Error 5
/// and changes nothing), stores and recalculates unless paused.
class Calendar {
 public:
  Calendar();
  ~Calendar();
  Calendar(const Calendar&) = delete;
  Calendar& operator=(const Calendar&) = delete;

  /// 暦と天体位置の計算をします。Does nothing while paused.
  void Calculate();

  /// プロパティ設定時の再計算を一時停止します。Setting it never recalculates.
  bool Pause() const { return paused_; }
  void SetPause(bool paused) { paused_ = paused; }

  /// 観測地点の緯度、経度、高度、時差を入力します。Opens the registered location editor
  /// modally; `ok` tells whether the user confirmed, and a confirmation recalculates. Without a
  /// registered editor `ok` is false.
  void LocationInput(bool& ok);

  // Japanese lunisolar calendar.
  std::int16_t QYear() const { return lunisolar_.year; }
  std::int16_t QMonth() const { return lunisolar_.month; }
  std::int16_t QDay() const { return lunisolar_.day; }
  bool QLeap() const { return lunisolar_.leap; }
  std::int16_t QDayOfMonth() const { return lunisolar_.dayOfMonth; }

  // Julian calendar.
  std::int16_t JulianCYear() const { return julian_.year; }
  std::int16_t JulianCMonth() const { return julian_.month; }
  std::int16_t JulianCDay() const { return julian_.day; }

  // Solar-term calendar.
  std::int16_t ZodiacalYear() const { return solarTerms_.year; }
  std::int16_t ZodiacalMonth() const { return solarTerms_.month; }
  std::int16_t ZodiacalDay() const { return solarTerms_.day; }
  std::int16_t ZodiacalMonth24() const { return solarTerms_.month24; }
  std::int16_t ZodiacalDay24() const { return solarTerms_.day24; }
  std::int16_t ZodiacalClimate72() const { return solarTerms_.climate72; }

  // Islamic calendar; the month is 1 = Muharram … 12.
  std::int16_t IslamicYear() const { return islamic_.year; }
  std::int16_t IslamicMonth() const { return static_cast<std::int16_t>(islamic_.monthIndex + 1); }
  std::int16_t IslamicDay() const { return islamic_.day; }

  // Maya calendar texts.
  const std::string& MayaLong() const { return maya_.longCount; }
  const std::string& MayaHaab() const { return maya_.haab; }
  const std::string& MayaTzolkin() const { return maya_.tzolkin; }

  // Hebrew calendar; the month is 1 = Nisan … 12 = Adar, 13 = Adar II.
  std::int16_t HebrewYear() const { return hebrew_.year; }
  std::int16_t HebrewMonth() const { return static_cast<std::int16_t>(hebrew_.monthIndex + 1); }
  std::int16_t HebrewDay() const { return hebrew_.day; }

  /// Observer latitude, degrees north; |value| < 90.
  double ObsLatitude() const;
  void SetObsLatitude(double value);
  /// Observer longitude, degrees east; |value| <= 180.
  double ObsLongitude() const;
  void SetObsLongitude(double value);
  /// Observer height above sea level, metres; value >= 0.
  double ObsHeight() const;
  void SetObsHeight(double value);
  /// Hours east of UTC; −12 <= value <= 12.
  float TimeZone() const;
  void SetTimeZone(float value);

  /// The instant in local civil time.
  Date DateTime() const;
  void SetDateTime(Date value);

  /// Julian day (UT) of the instant.
  double JulianDay() const { return julianDay_; }
  /// Julian day in dynamical time of the instant.
  double JulianDayTD() const;
  /// Sidereal time of the instant, degrees 0 <= θ < 360.
  double SiderealTime(SiderealTimeConstant timeType) const;

  /// 六曜 of the lunisolar date.
  std::string Rokuyou() const;
  /// Japanese month name of the civil (YmdMonth) or lunisolar (YmdQMonth) month; other values
  /// raise Error 5.
  std::string JapaneseMonthName(QmYmdConstants ymd) const;
  std::string IslamicMonthName() const;
  std::string HebrewMonthName() const;
  /// Stem, branch or sixty-cycle name of a year, month or day.
  std::string ZodiacalSigns(QmYmdConstants ymd, ZodiacalConstants zodiac = Zodiac60) const;
  /// Stem (0–9), branch (0–11) or sixty-cycle (0–59) number of a year, month or day.
  std::int16_t ZodiacalNumber(QmYmdConstants ymd, ZodiacalConstants zodiac = Zodiac60) const;
  /// Name of a stem, branch or sixty-cycle number.
  std::string ZodiacalName(int index, ZodiacalConstants zodiac = Zodiac60) const;
  /// Year, month or day star; `shortName` gives its first two characters.
  std::string Kyusei(QmYmdConstants ymd, bool shortName = false) const;
  /// Star of number 0–8 (taken mod 9); `shortName` false gives the first two characters and true
  /// the whole name (the reverse of Kyusei, kept for compatibility).
  std::string KyuseiName(int index, bool shortName = false) const;

  /// ΔT in effect for the instant, seconds.
  double DeltaT() const;
  /// Sets the ΔT used when not estimated, seconds; −10 <= value <= 259200. An equal value does
  /// nothing.
  void SetDeltaT(double value);
  /// Whether ΔT comes from the built-in estimate (true) or from DeltaT (false).
  bool DtEstimated() const;
  void SetDtEstimated(bool value);

  SunObject& Sun() { return *sun_; }
  MoonObject& Moon() { return *moon_; }
  PlanetObject& Planet() { return *planet_; }
  MathObject& Math() { return *math_; }
  const SunObject& Sun() const { return *sun_; }
  const MoonObject& Moon() const { return *moon_; }
  const PlanetObject& Planet() const { return *planet_; }
  const MathObject& Math() const { return *math_; }

  /// Computes the Islamic date of local day count `sDay` into the stored Islamic fields.
  void Calc_IslamicCalendar(double sDay);

  /// The instant as a local linear day count.
  double Instant() const { return instant_; }

 private:
  double instant_ = 0;
  bool paused_ = false;
  LunisolarDate lunisolar_;
  LunisolarCache lunisolarCache_;
  SolarTermDate solarTerms_;
  SolarTermCache solarTermCache_;
  double julianDay_ = 0;
  JulianCalendarDate julian_;
  IslamicDate islamic_;
  HebrewDate hebrew_;
  MayaDate maya_;
  std::unique_ptr<SunObject> sun_;
  std::unique_ptr<MoonObject> moon_;
  std::unique_ptr<PlanetObject> planet_;
  std::unique_ptr<MathObject> math_;
};

/// The observer dialog that Calendar::LocationInput opens: it edits the library-wide observer and
/// time zone and returns whether the user confirmed. Registered by the dialogs library.
using LocationEditor = std::function<bool()>;
void RegisterLocationEditor(LocationEditor editor);

}  // namespace almacor
