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

  /// 暦と天体位置の計算をします。
  /// Does nothing while paused.
  void Calculate();

  /// プロパティ設定時の再計算を一時停止します。値の取得も可能です。
  /// Setting it never recalculates.
  bool Pause() const { return paused_; }
  void SetPause(bool paused) { paused_ = paused; }

  /// 観測地点の緯度、経度、高度、時差を入力します。
  /// Opens the registered location editor modally; `ok` tells whether the user confirmed, and a
  /// confirmation recalculates. Without a registered editor `ok` is false.
  void LocationInput(bool& ok);

  // Japanese lunisolar calendar.
  /// 旧暦年を取得します。値の設定はできません。
  std::int16_t QYear() const { return lunisolar_.year; }
  /// 旧暦月を取得します。値の設定はできません。
  std::int16_t QMonth() const { return lunisolar_.month; }
  /// 旧暦日を取得します。値の設定はできません。
  std::int16_t QDay() const { return lunisolar_.day; }
  /// 閏月かどうかを示す値を返します。値の設定はできません。
  bool QLeap() const { return lunisolar_.leap; }
  /// 1ヶ月の日数を返します。値の設定はできません。
  std::int16_t QDayOfMonth() const { return lunisolar_.dayOfMonth; }

  // Julian calendar.
  /// ユリウス暦の年を取得します。値の設定はできません。
  std::int16_t JulianCYear() const { return julian_.year; }
  /// ユリウス暦の月を取得します。値の設定はできません。
  std::int16_t JulianCMonth() const { return julian_.month; }
  /// ユリウス暦の日を取得します。値の設定はできません。
  std::int16_t JulianCDay() const { return julian_.day; }

  // Solar-term calendar.
  /// 節月の年を取得します。値の設定はできません。
  std::int16_t ZodiacalYear() const { return solarTerms_.year; }
  /// 節月を取得します。値の設定はできません。
  std::int16_t ZodiacalMonth() const { return solarTerms_.month; }
  /// 節月の日を取得します。値の設定はできません。
  std::int16_t ZodiacalDay() const { return solarTerms_.day; }
  /// 属している二十四節気（0:立春～23:大寒）を取得します。値の設定はできません。
  std::int16_t ZodiacalMonth24() const { return solarTerms_.month24; }
  /// 直前の二十四節気からの経過日数を取得します。値の設定はできません。
  std::int16_t ZodiacalDay24() const { return solarTerms_.day24; }
  /// 属している七十二候（0～71）を取得します。値の設定はできません
  std::int16_t ZodiacalClimate72() const { return solarTerms_.climate72; }

  // Islamic calendar.
  /// イスラム暦の年を取得します。値の設定はできません。
  std::int16_t IslamicYear() const { return islamic_.year; }
  /// イスラム暦の月を取得します。値の設定はできません。
  /// 1 = Muharram … 12 = Dhu al-Hijja (the stored index + 1).
  std::int16_t IslamicMonth() const { return static_cast<std::int16_t>(islamic_.monthIndex + 1); }
  /// イスラム暦の日を取得します。値の設定はできません。
  std::int16_t IslamicDay() const { return islamic_.day; }

  // Maya calendar texts.
  /// マヤ長期暦の日付を取得します。値の設定はできません。
  const std::string& MayaLong() const { return maya_.longCount; }
  /// マヤ365日暦(Haab, ハアブ)の日付を取得します。値の設定はできません。
  const std::string& MayaHaab() const { return maya_.haab; }
  /// マヤ260日暦(Tzolkin, ツォルキン)の日付を取得します。値の設定はできません。
  const std::string& MayaTzolkin() const { return maya_.tzolkin; }

  // Hebrew calendar.
  /// ユダヤ暦の年を取得します。値の設定はできません。
  std::int16_t HebrewYear() const { return hebrew_.year; }
  /// ユダヤ暦の月を取得します。値の設定はできません。
  /// 1 = Nisan … 12 = Adar, 13 = Adar II (the stored index + 1).
  std::int16_t HebrewMonth() const { return static_cast<std::int16_t>(hebrew_.monthIndex + 1); }
  /// ユダヤ暦の日を取得します。値の設定はできません。
  std::int16_t HebrewDay() const { return hebrew_.day; }

  /// 観測地点の緯度を設定します。値の取得も可能です。
  /// Degrees north; |value| < 90.
  double ObsLatitude() const;
  void SetObsLatitude(double value);
  /// 観測地点の経度を設定します。値の取得も可能です。
  /// Degrees east; |value| <= 180.
  double ObsLongitude() const;
  void SetObsLongitude(double value);
  /// 観測地点の海抜を設定します。値の取得も可能です。
  /// Metres above sea level; value >= 0.
  double ObsHeight() const;
  void SetObsHeight(double value);
  /// UTCとの時差を設定します。値の取得も可能です。
  /// Hours east of UTC; −12 <= value <= 12.
  float TimeZone() const;
  void SetTimeZone(float value);

  /// The instant in local civil time.
  Date DateTime() const;
  void SetDateTime(Date value);

  /// ユリウス日を取得します。値の設定はできません。
  /// Julian day (UT) of the instant, stored by Calculate.
  double JulianDay() const { return julianDay_; }
  /// 力学時でのユリウス日を取得します。値の設定はできません。
  /// The stored JulianDay plus the ΔT in effect for the instant (DeltaT / 86400).
  double JulianDayTD() const;
  /// 地方/グリニッジ恒星時を取得します。値の設定はできません。
  /// Sidereal time of the instant in degrees, 0 <= θ < 360, computed on demand.
  double SiderealTime(SiderealTimeConstant timeType) const;

  /// 六曜を取得します。値の設定はできません。
  /// 六曜 of the lunisolar date.
  std::string Rokuyou() const;
  /// 月の和名を返します。値の設定はできません。
  /// Japanese month name of the civil (YmdMonth) or lunisolar (YmdQMonth) month; other values
  /// raise Error 5.
  std::string JapaneseMonthName(QmYmdConstants ymd) const;
  /// イスラム暦の月名を取得します。値の設定はできません。
  std::string IslamicMonthName() const;
  /// ユダヤ暦の月名を取得します。値の設定はできません。
  std::string HebrewMonthName() const;
  /// 年、月、日の干支名を取得します。値の設定はできません。
  /// Stem, branch or sixty-cycle name of a year, month or day.
  std::string ZodiacalSigns(QmYmdConstants ymd, ZodiacalConstants zodiac = Zodiac60) const;
  /// 年、月、日の十干番号（0～9）、十二支番号（0～11）、干支番号（0～59）を返します。値の設定はできません。
  /// Stem (0–9), branch (0–11) or sixty-cycle (0–59) number of a year, month or day.
  std::int16_t ZodiacalNumber(QmYmdConstants ymd, ZodiacalConstants zodiac = Zodiac60) const;
  /// 指定した干支番号（十干:0～9/十二支:0～11/干支:0～59）に対応する干支名を返します。
  /// Name of a stem, branch or sixty-cycle number.
  std::string ZodiacalName(std::int16_t index, ZodiacalConstants zodiac = Zodiac60) const;
  /// 年家九星・月家九星・日家九星を取得します。値の設定はできません。
  /// Year, month or day star; `shortName` gives its first two characters.
  std::string Kyusei(QmYmdConstants ymd, bool shortName = false) const;
  /// 指定した番号（0～8）に対応する九星名を返します。ShortNameがTrueのときは最初の2文字を返します。
  /// Star of number 0–8 (taken mod 9); `shortName` false gives the first two characters and true
  /// the whole name (the reverse of Kyusei, kept for compatibility).
  std::string KyuseiName(std::int16_t index, bool shortName = false) const;

  /// ΔT in effect for the instant, seconds.
  double DeltaT() const;
  /// Sets the ΔT used when not estimated, seconds; −10 <= value <= 259200. An equal value does
  /// nothing.
  void SetDeltaT(double value);
  /// ΔTに推算値の利用の可否を設定します。値の取得も可能です。FalseのときはDeltaTプロパティに設定した値が使用されます。
  /// Whether ΔT comes from the built-in estimate (true) or from DeltaT (false). Setting it
  /// recalculates whenever the ΔT in effect for the instant changes.
  bool DtEstimated() const;
  void SetDtEstimated(bool value);

  /// 太陽に関する値を保持しています。
  SunObject& Sun() { return *sun_; }
  /// 月に関する値を保持しています。
  MoonObject& Moon() { return *moon_; }
  /// The planet selected by PlanetObject::Name.
  PlanetObject& Planet() { return *planet_; }
  /// 天体計算関係で使用する数学Libraryです。
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
