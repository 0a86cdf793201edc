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

}  // namespace almacor::detail
