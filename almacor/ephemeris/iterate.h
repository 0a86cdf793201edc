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

}  // namespace almacor::detail
