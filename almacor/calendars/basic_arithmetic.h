#pragma once

// The integer arithmetic of classic Basic that the calendar algorithms are written in:
//   RoundHalfEven(x)  rounding to the nearest integer, halves to the even neighbour (CLng, Round);
//   IntDiv(a, b)      the `\` operator: both operands rounded half-even first, then the quotient
//                     truncated toward zero (-7 \ 2 = -3);
//   Mod(a, b)         the `Mod` operator: operands rounded the same way, remainder with the sign of
//                     the dividend (-7 Mod 2 = -1, 7 Mod -2 = 1).
// Floor-based arithmetic (Floor(x / y)) is not this: use std::floor where an algorithm says Floor.
// Integer operands go straight to C++'s / and %, which already truncate and keep the dividend's
// sign; the only checks added are Basic's errors for division by zero and overflow.

#include <cmath>
#include <concepts>
#include <cstdint>
#include <limits>
#include <type_traits>

#include "almacor/error.h"

namespace almacor {

/// x rounded to the nearest integer, halves to even: 0.5 → 0, 1.5 → 2, 2.5 → 2, -2.5 → -2.
/// Exact for every finite double (halves exist only below 2^52, where x / 2 is exact).
inline double RoundHalfEven(double x) {
  const double r = std::round(x);                     // halves away from zero
  if (std::fabs(x - std::trunc(x)) != 0.5) return r;  // x - trunc(x) is exact
  return 2.0 * std::round(x / 2.0);                   // the even one of the two neighbours
}

/// Basic's CLng: x rounded half-even to a Long (32-bit). Raises Error 6 when the rounded value
/// lies outside −2147483648 … 2147483647 or x is not finite.
inline std::int32_t ToLong(double x) {
  const double r = RoundHalfEven(x);  // NaN and ±inf fail both comparisons below
  if (!(r >= -2147483648.0 && r <= 2147483647.0)) throw Error(kOverflow, "value overflows a Long");
  return static_cast<std::int32_t>(r);
}

/// a \ b on integers: truncating division. Raises Error 11 for b = 0, Error 6 for MIN \ -1.
template <std::integral T>
constexpr T IntDiv(T a, T b) {
  if (b == 0) throw Error(kDivisionByZero, "division by zero");
  if constexpr (std::is_signed_v<T>) {
    if (a == std::numeric_limits<T>::min() && b == -1) throw Error(kOverflow, "overflow");
  }
  return a / b;  // C++ truncates toward zero, as Basic does
}

/// a Mod b on integers: remainder with the sign of a. Raises Error 11 for b = 0.
template <std::integral T>
constexpr T Mod(T a, T b) {
  if (b == 0) throw Error(kDivisionByZero, "division by zero");
  if constexpr (std::is_signed_v<T>) {
    if (b == -1) return 0;  // also avoids the MIN % -1 trap
  }
  return a % b;  // sign of the dividend, |result| < |b|
}

/// The remainder of a by a positive b in 0 … b − 1 (floored, unlike Mod): a day's place in a
/// cycle of days.
constexpr long FloorMod(long a, long b) { return ((a % b) + b) % b; }

/// a \ b on doubles: both rounded half-even to Longs first (Error 6 outside the Long range),
/// then truncating division. 7.5 \ 2 = 4 \ 2 = 2; 6.5 \ 2 = 6 \ 2 = 3; -7 \ 2 = -3.
inline std::int32_t IntDiv(double a, double b) { return IntDiv(ToLong(a), ToLong(b)); }

/// a Mod b on doubles: both rounded half-even to Longs, remainder with the sign of the rounded
/// dividend. 10.5 Mod 3 = 10 Mod 3 = 1; -7 Mod 3 = -1; 7 Mod 0.4 = 7 Mod 0 → Error 11.
inline std::int32_t Mod(double a, double b) { return Mod(ToLong(a), ToLong(b)); }

}  // namespace almacor
