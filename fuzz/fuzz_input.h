#pragma once

// Shared by the fuzz targets: values drawn from the input, including the ones a caller should
// never send (NaN, infinities, huge magnitudes), and the check that a result is a number.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace fuzz {

inline double AnyDouble(FuzzedDataProvider& in, double low, double high) {
  constexpr double kSpecial[] = {std::numeric_limits<double>::quiet_NaN(),
                                 std::numeric_limits<double>::infinity(),
                                 -std::numeric_limits<double>::infinity(),
                                 std::numeric_limits<double>::max(),
                                 std::numeric_limits<double>::denorm_min(),
                                 -0.0,
                                 1e18};
  switch (in.ConsumeIntegralInRange(0, 7)) {
    case 0: return in.PickValueInArray(kSpecial);
    case 1: return in.ConsumeFloatingPoint<double>();
    default: return in.ConsumeFloatingPointInRange(low, high);
  }
}

inline void RequireFinite(double value, const char* what) {
  if (!std::isfinite(value)) {
    std::fprintf(stderr, "not a finite number: %s = %g\n", what, value);
    std::abort();
  }
}

}  // namespace fuzz

#define REQUIRE_FINITE(expr) ::fuzz::RequireFinite((expr), #expr)
