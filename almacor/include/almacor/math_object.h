#pragma once

#include <cstdint>
#include <string>

namespace almacor {

class Calendar;

/// Angle arithmetic and angle texts, all in degrees. Reached only through Calendar::Math(); holds
/// no data, so every method depends only on its arguments. Every argument must be a finite number:
/// anything else raises Error 5. Degrees and radians convert with kRad (π to 15 digits).
class MathObject {
 public:
  MathObject(const MathObject&) = delete;
  MathObject& operator=(const MathObject&) = delete;

  /// y/xの逆正接の値を0～+360°で返します。
  /// Degrees, 0 <= result < 360; x = 0 gives 90 or 270 by the sign of y, Atan(0, 0) = 0.
  double Atan(double y, double x) const;

  /// -1～1であるxの逆余弦の値を0～+180°で返します。
  /// Degrees, 0 … 180; x >= 1 gives 0 and x <= −1 gives 180, without error.
  double Acos(double x) const;

  /// -1～1であるxの逆正弦の値を-90～+90°で返します。
  /// Degrees, −90 … 90; |x| >= 1 gives ±90, without error.
  double Asin(double x) const;

  /// 角度（度分秒）表示文字列を作成します。
  /// Degrees as "12ﾟ 30' 00"" (U+FF9F degree sign, apostrophe, double quote), with a leading "-"
  /// for a negative angle. Every part is truncated, so no part reaches 60: 359.999999 gives
  /// "359ﾟ 59' 59"". Raises Error 6 when |deg| × 60 exceeds the 32-bit range (about 35.8 million
  /// degrees).
  std::string FormatDMS(double deg) const;

  /// 時角（時分秒）表示文字列を作成します。
  /// The hour angle deg (degrees, reduced into 0 … 360, 15° an hour) as a time 0 … 23:59:59 with
  /// the number patterns fDeg, fMin, fSec for the hours, minutes and seconds; see FormatTime for
  /// how the parts are built. −15 with "00\h", "00\m", "00\s" gives "23h00m00s".
  std::string FormatHourAngle(double deg, const std::string& fDeg, const std::string& fMin,
                              const std::string& fSec) const;

  /// 時刻文字列を作成します。fHr, fMin, fSecには数値表示書式指定文字を指定します。
  /// The time of day of the day value sDay (its fraction; the date part is dropped). Hours and
  /// minutes are whole (truncated); the seconds are truncated to as many decimals as fSec has digit
  /// places behind its point, so 59.96 s in "00.0" shows 59.9, never 60.0. A part whose pattern
  /// is empty is left out; the parts are joined with nothing between them (separators belong in
  /// the patterns, e.g. "00\:").
  std::string FormatTime(double sDay, const std::string& fHr, const std::string& fMin,
                         const std::string& fSec) const;

  /// 度分秒単位の角度を度単位に変換します。
  /// |d| + |m|/60 + |s|/3600 in degrees, negative when any part is negative:
  /// (0, −30, 0) = −0.5, (−1, 30, 0) = −1.5.
  double DmsDegree(std::int16_t d, std::int16_t m, double s) const;

  /// 時角を度単位の角度に変換します。
  /// 15 h + m/4 + s/240 in degrees; each part keeps its own sign: (−1, 30, 0) = −7.5.
  double HourAngleDegree(std::int16_t h, std::int16_t m, double s) const;

  /// 球面座標上の(λ1,β1)を基準とした(λ2,β2)の角距離を度単位で求めます。
  /// Degrees, 0 … 180, between the points (λ1, β1) and (λ2, β2) given in degrees.
  double AngularDistance(double lambda1, double beta1, double lambda2, double beta2) const;

  /// 球面座標上の(λ1,β1)を基準とした(λ2,β2)の位置角を度単位で求めます。
  /// Degrees, 0 <= result < 360, of (λ2, β2) seen from (λ1, β1), counted from the direction of the
  /// pole β = +90° through increasing λ.
  double PositionAngle(double lambda1, double beta1, double lambda2, double beta2) const;

 private:
  friend class Calendar;
  MathObject() = default;
};

}  // namespace almacor
