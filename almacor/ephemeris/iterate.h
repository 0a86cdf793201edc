#pragma once

#include <cmath>

#include "almacor/error.h"

namespace almacor::detail {

/// One second, in days: every solver of the library stops when its last correction is smaller.
inline constexpr double kOneSecond = 1.0 / 86400;

/// Far above what any convergent iteration of the library needs (a handful of passes); reaching
/// it means a non-finite or pathological input, which raises instead of looping forever.
inline constexpr int kMaxPasses = 1000;

/// Runs `pass` (which applies one correction and returns it, in days) until a correction is
/// smaller than one second.
template <class Pass>
void IterateToOneSecond(Pass pass, const char* what) {
  for (int i = 0; i < kMaxPasses; ++i) {
    if (std::fabs(pass()) < kOneSecond) return;
  }
  throw Error(kOverflow, std::string(what) + " did not converge");
}

/// Solves angleAt(d) = target (degrees) for d from `start`: each pass steps back by the remaining
/// difference, taken within ±180°, as a fraction of one turn that takes `period` days.
template <class Angle>
double SolveAngle(Angle angleAt, double target, double start, double period, const char* what) {
  double d = start;
  IterateToOneSecond(
      [&] {
        // Taken into −180 … 180 whatever its size: the Moon's longitude minus the Sun's runs over
        // −360 … 360, so its error from a target above 180 can lie below −540, where a single
        // ±360 would step most of a month past the nearest passage. (fmod leaves any difference
        // within one turn exactly as it is.)
        double delta = std::fmod(angleAt(d) - target, 360);
        if (delta > 180) {
          delta -= 360;
        } else if (delta < -180) {
          delta += 360;
        }
        const double step = delta / 360 * period;
        d -= step;
        return step;
      },
      what);
  return d;
}

/// Solves f(d) = 0 by secant steps from the two estimates d0 and d1, to one second: the shape for
/// a smooth function whose rate is not known beforehand.
template <class F>
double SolveSecant(F f, double d0, double d1, const char* what) {
  double f0 = f(d0);
  double d = d1;
  IterateToOneSecond(
      [&] {
        const double f1 = f(d);
        if (f1 == f0) {
          if (f1 == 0) return 0.0;
          throw Error(kOverflow, std::string(what) + " met a flat function");
        }
        const double step = f1 * (d - d0) / (f1 - f0);
        d0 = d;
        f0 = f1;
        d -= step;
        return step;
      },
      what);
  return d;
}

/// Solves f(d) = 0 inside [a, b], where f(a) and f(b) have opposite signs (or one is 0), by the
/// Illinois variant of false position: the root stays bracketed, so it serves where a secant could
/// run off (a grazing contact, a crossing found between samples). To one second.
template <class F>
double SolveBracketed(F f, double a, double b, const char* what) {
  double fa = f(a), fb = f(b);
  if (fa == 0) return a;
  if (fb == 0) return b;
  if ((fa < 0) == (fb < 0)) throw Error(kInvalidArgument, std::string(what) + ": no sign change");
  double d = b;
  int side = 0;
  IterateToOneSecond(
      [&] {
        const double next = (a * fb - b * fa) / (fb - fa);
        const double fn = f(next);
        const double step = next - d;
        d = next;
        if (fn == 0) return 0.0;
        if ((fn < 0) == (fb < 0)) {
          b = next;
          fb = fn;
          if (side == -1) fa /= 2;
          side = -1;
        } else {
          a = next;
          fa = fn;
          if (side == 1) fb /= 2;
          side = 1;
        }
        return step;
      },
      what);
  return d;
}

/// The instant near `start` where f is stationary (a maximum or a minimum): secant steps on the
/// slope of f, taken as a central difference over ±h days, from `start` and start + h, to one
/// second.
template <class F>
double SolveStationary(F f, double start, double h, const char* what) {
  return SolveSecant([&](double d) { return (f(d + h) - f(d - h)) / (2 * h); }, start, start + h,
                     what);
}

}  // namespace almacor::detail
