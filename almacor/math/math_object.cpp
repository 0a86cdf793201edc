#include "almacor/math_object.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "almacor/angles.h"
#include "almacor/error.h"
#include "almacor/format.h"
#include "math/number_pattern.h"

namespace almacor {
namespace {

// The time t (seconds, 0 <= t < 86400) as hours, minutes and seconds with one pattern each; an
// empty pattern leaves its part out.
std::string FormatSeconds(double t, const std::string& fH, const std::string& fM,
                          const std::string& fS) {
  // A time taken from a day count carries its rounding error (up to about 20 µs at the end of the
  // date range), and 10:07:00 may arrive as 10:06:59.9999996. The parts are truncated, so round to
  // 0.1 ms first: a whole second is then never shown as the one before it. The time stays within
  // its day (the date shown beside it is that day's).
  t = std::min(std::round(t * 1e4) / 1e4, 86399.9999);
  const std::int32_t m = static_cast<std::int32_t>(t / 60);
  std::string text;
  if (!fH.empty()) text += FormatNumber(m / 60, fH);
  if (!fM.empty()) text += FormatNumber(m % 60, fM);
  if (!fS.empty()) {
    // Truncate the seconds to the decimals the pattern shows, so that its rounding cannot carry
    // 59.96 up to 60.0. Only digit places count: literals behind the point shift nothing.
    const double p = std::pow(10.0, std::min(PatternDecimalPlaces(fS), 15));
    text += FormatNumber(std::max(std::trunc((t - 60.0 * m) * p) / p, 0.0), fS);
  }
  return text;
}

}  // namespace

double MathObject::Atan(double y, double x) const {
  RequireFinite(y, "Y");
  RequireFinite(x, "X");
  return DegAtan2(y, x);
}

double MathObject::Acos(double x) const {
  RequireFinite(x, "X");
  return DegAcos(x);
}

double MathObject::Asin(double x) const {
  RequireFinite(x, "X");
  return DegAsin(x);
}

std::string MathObject::FormatDMS(double deg) const {
  RequireFinite(deg, "deg");
  const double a = std::fabs(deg);
  const double minutes = std::trunc(a * 60);
  if (minutes > std::numeric_limits<std::int32_t>::max()) {
    throw Error(kOverflow, "the angle is too large for a degree-minute-second text");
  }
  const auto m = static_cast<std::int32_t>(minutes);
  std::string text = deg < 0 ? "-" : "";
  text += FormatNumber(std::trunc(a), "##0ﾟ ");
  text += FormatNumber(m % 60, "00' ");
  text += FormatNumber(std::trunc(a * 3600 - m * 60.0), "00");
  text += '"';
  return text;
}

std::string MathObject::FormatHourAngle(double deg, const std::string& fDeg,
                                        const std::string& fMin, const std::string& fSec) const {
  RequireFinite(deg, "deg");
  return FormatSeconds(Normalize360(deg) * 240, fDeg, fMin, fSec);
}

std::string MathObject::FormatTime(double sDay, const std::string& fHr, const std::string& fMin,
                                   const std::string& fSec) const {
  RequireFinite(sDay, "sDay");
  double fraction = sDay - std::floor(sDay);
  if (fraction >= 1) fraction = 0;  // a tiny negative sDay rounds up to a whole day
  return FormatSeconds(fraction * 86400, fHr, fMin, fSec);
}

double MathObject::DmsDegree(std::int16_t d, std::int16_t m, double s) const {
  RequireFinite(s, "s");
  // One negative part makes the whole angle negative.
  const double sign = (d < 0 || m < 0 || s < 0) ? -1 : (d > 0 || m > 0 || s > 0) ? 1 : 0;
  return sign * (std::abs(d) + std::abs(m) / 60.0 + std::fabs(s) / 3600);
}

double MathObject::HourAngleDegree(std::int16_t h, std::int16_t m, double s) const {
  RequireFinite(s, "s");
  return 15.0 * h + 0.25 * m + s / 240;
}

double MathObject::AngularDistance(double lambda1, double beta1, double lambda2,
                                   double beta2) const {
  RequireFinite(lambda1, "lambda1");
  RequireFinite(beta1, "beta1");
  RequireFinite(lambda2, "lambda2");
  RequireFinite(beta2, "beta2");
  return AngularSeparation(lambda1, beta1, lambda2, beta2);
}

double MathObject::PositionAngle(double lambda1, double beta1, double lambda2, double beta2) const {
  RequireFinite(lambda1, "lambda1");
  RequireFinite(beta1, "beta1");
  RequireFinite(lambda2, "lambda2");
  RequireFinite(beta2, "beta2");
  return almacor::PositionAngle(lambda1, beta1, lambda2, beta2);
}

}  // namespace almacor
